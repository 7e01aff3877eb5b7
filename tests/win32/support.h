// Helpers shared by the Win32 and end-to-end test programs.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

// The bench's Japanese variant (VELMORA_LOCALE=ja): the system's ANSI code page is 932.
bool JapaneseBench();
// The bench's display scale (VELMORA_DPI, LogPixels of its prefix): 96 unless set.
int BenchDpi();
// A length of the layout (96-dpi pixels) at the bench's dpi, rounded as the plugin does.
int Scaled(int value96);
// The bench's raw-input variant (VELMORA_RAW_INPUT=1): every Player starts with the
// switch on. VELMORA_NOTEPAD64=1 makes Notepad Wine's 64-bit one.
bool RawInputBench();
bool Notepad64Bench();

// Input that Wine lost and a helper gave again. Counted per test and printed at the
// test's end when not zero: a repeat must never hide a fault of the product.
void CountRepeat(const char* what);
int Repeats();  // in the running test so far

// Polls until done() is true or the bound runs out, pumping this thread's messages.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);

// Pumps this thread's messages for about ms milliseconds.
void Pump(int ms);

std::string ExeDirectory();  // with trailing backslash
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
std::vector<std::string> ReadLines(const std::string& path);

// A fresh directory under the temp folder, removed with its contents at destruction.
class TempDir {
 public:
  TempDir();
  explicit TempDir(const std::string& path);  // made afresh at path, which ends in a backslash
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }  // with trailing backslash

 private:
  std::string path_;
};

// A process started from a command line; killed at destruction when still running.
class Process {
 public:
  explicit Process(const std::string& commandLine, bool showWindow = true);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  DWORD MainThreadId() const { return info_.dwThreadId; }
  HANDLE Handle() const { return info_.hProcess; }
  // Waits for the process to end; returns its exit code, or STILL_ACTIVE on timeout.
  DWORD Wait(int timeoutMs = 15000);

 private:
  PROCESS_INFORMATION info_{};
};

// A message-only window of this thread with its own class and procedure.
HWND CreateMessageWindow(const char* className, WNDPROC proc);

// Top-level windows that match, in z-order.
std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& match);
std::string ClassOf(HWND window);
// Every descendant window of parent.
std::vector<HWND> ChildWindows(HWND parent);
// The first visible top-level window of the process with the class name, or null.
HWND FindProcessWindow(DWORD processId, const char* className);
// The first visible window with the class name that the owner owns, or null.
HWND FindOwnedWindow(HWND owner, const char* className);

// Copies a file, or lets an equal file at the target stand: Wine keeps a hook's module
// loaded in the processes it reached, so a DLL of an earlier run in this session can be
// neither removed nor replaced. False when the target does not end up equal.
bool InstallFile(const std::string& source, const std::string& target);

// A host directory: player.exe with gen_velmora.dll in its Plugins folder.
struct HostDir {
  TempDir dir;
  HostDir();
  // The player and a Plugins folder at folder (made afresh, removed at the end; a module
  // that a process of the session still has loaded stays): the caller installs the plugin.
  explicit HostDir(const std::string& folder);
  std::string Player() const { return dir.Path() + "player.exe"; }
  std::string Plugins() const { return dir.Path() + "Plugins\\"; }
  std::string Ini() const { return Plugins() + "gen_velmora.Ini"; }
  std::string Log() const { return dir.Path() + "events.log"; }
};

struct TimedLine {
  double Ms;  // the shared performance counter, in milliseconds
  std::string Text;
};

// Milliseconds on the performance counter every process of the session shares.
double NowMs();

// The median and 99th percentile of the benchmarks' samples.
struct Stats {
  double Median, P99;
  int Samples;
};
Stats Summarise(std::vector<double> samples);

// A running stand-in player over a HostDir.
class Player {
 public:
  explicit Player(const HostDir& host, const std::string& extraArgs = "");
  HWND Window() const { return window_; }
  DWORD Close(int timeoutMs = 15000);          // WM_CLOSE, then waits for the exit code
  bool LogHas(const std::string& line) const;  // an exact line of the event log
  std::vector<std::string> Log() const;        // without the time stamps
  std::vector<TimedLine> TimedLog() const;
  int Count(const std::string& line) const;
  // True once the player's thread has served messages twice: the engine, which runs on
  // it, has most likely finished handling what came before (a key that came sooner is
  // dropped). Not a guarantee: a press that must run goes through PressUntil.
  bool Idle(int timeoutMs = 5000) const;
  Process& Proc() { return process_; }

 private:
  const HostDir& host_;
  Process process_;
  HWND window_ = nullptr;
};

// Typed input through SendInput, as a user's keyboard would give it.
INPUT KeyInput(WORD vk, bool up);  // one keystroke's record
void Key(WORD vk, bool up);
void Tap(WORD vk);
void Chord(std::initializer_list<WORD> modifiers, WORD vk);
// The whole chord in one SendInput call, as macro keys and remapping utilities send it:
// every stroke is queued before the first is handled.
void Burst(std::initializer_list<WORD> modifiers, WORD vk);
// The mouse, through SendInput at screen positions.
void MouseTo(int x, int y);
void MouseButton(bool down);
void ClickAt(int x, int y);
// A pixel of the screen as it is shown now.
COLORREF ScreenPixel(int x, int y);
// Writes the window's screen area as a 24-bit BMP into out/NAME.bmp at the repository's
// root (made when missing); returns the path written, or empty.
std::string SaveScreenshot(HWND window, const std::string& name);

// Runs action every ms milliseconds from this thread's message processing (a modal loop's
// too) until it returns true.
void EveryUntil(int ms, std::function<bool()> action);

// Types text into the focused control one character at a time, as a person types (each
// character as a Unicode keystroke, about 20 ms apart).
void TypeText(const std::string& text);

// The focus of the thread the window belongs to (another process's too), or null.
HWND FocusIn(HWND window);
// Brings a top-level window to the foreground, with a bound.
bool Focus(HWND window);
// UTF-8 of a wide text, for comparing with what other processes log.
std::string Utf8(const wchar_t* text);

// Wine's own notepad, a program no one here wrote.
class Notepad {
 public:
  Notepad();
  bool Focus();
  std::string Text() const;
  HWND Main() const { return main_; }
  HWND Edit() const { return edit_; }
  bool Alive();

 private:
  Process process_;
  HWND main_ = nullptr;
  HWND edit_ = nullptr;
};

// Our stand-in browser registered in the prefix as the ".htm" and "http" handler while
// this object lives; what was registered before comes back at its end.
class StandInBrowser {
 public:
  StandInBrowser();
  ~StandInBrowser();
  StandInBrowser(const StandInBrowser&) = delete;
  StandInBrowser& operator=(const StandInBrowser&) = delete;
  const std::string& Program() const { return program_; }
  // The command lines it was started with, once there are at least n (bounded wait).
  std::vector<std::string> Starts(std::size_t n, int timeoutMs = 10000) const;

 private:
  std::vector<std::string> saved_;
  std::string program_, log_;
};
void SetRegistryDefault(HKEY root, const std::string& key, const std::string& value);
std::string RegistryDefault(HKEY root, const std::string& key);

// The configuration dialog as the player's process shows it, found by class and place.
// Pages: 0 Key, 1 JogDial, 2 Popup, 3 System.
struct ConfigDialog {
  HWND Window = nullptr;
  static ConfigDialog Find(DWORD processId, int timeoutMs = 15000);
  HWND Tabs() const;
  HWND Sheet(int page) const;
  // The control with the id (config/uCustomIds.h), on whatever page or group it is.
  HWND ById(int id) const;
  // The child of the class whose top-left corner in the client area of parent is (x, y).
  HWND At(HWND parent, const char* className, int x, int y) const;
  // Clicks the page's tab, as a user does.
  bool ShowPage(int page) const;
};
// Runs the player's "Configure plugin" command and closes the dialog with its close box;
// true once config has returned.
bool ConfigureAndClose(Player& player);
std::string ControlText(HWND control);                      // WM_GETTEXT, across processes
unsigned HotKeyWordOf(HWND hotKeyControl);                  // the hot-key word, HOTKEYF_EXT dropped
void ClickControl(HWND control, int dx = -1, int dy = -1);  // its middle by default
// Presses (press()) until done(), waiting a while for each: a key that came while the
// engine still handled the last one is dropped by its Busy rule and leaves nothing behind,
// so it is given again, and counted. False if it never was.
// The one retry of the screen tests, for input Wine lost (a click, a key, an activation):
// step gives it, then done is waited for up to waitMs; at most budget steps. Each step past
// the first is counted under what, and printed with the case; false past the budget, for
// the caller's assertion to fail the case. With waitMs 0, done is asked once: it waits in
// its own way.
bool Retry(const char* what, int budget, int waitMs, const std::function<void()>& step,
           const std::function<bool()>& done);
bool PressUntil(const std::function<void()>& press, const std::function<bool()>& done,
                int tries = 3);
// Clicks the control until done() (bounded; a repeat is counted); false if it never was.
bool ClickUntil(HWND control, const std::function<bool()>& done, int tries = 3);

// The plugin's popups the process shows now, in z-order (the newest first).
struct ShownPopup {
  HWND Window;
  std::string Text;  // the command's name (ASCII), the first line of its window text
  int Width, Height;
  std::wstring Title;  // the track's title, its second line; empty when it has none
};
std::vector<ShownPopup> ShownPopups(DWORD processId);

// The stand-in Jog Dial utility's command line.
std::string JogdialCommand(const std::string& args, const std::string& log = "");

}  // namespace testsupport
