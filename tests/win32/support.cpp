#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <fstream>
#include <sstream>

#include "tools/player/player_ids.h"

namespace testsupport {

bool JapaneseBench() {
  const char* v = std::getenv("VELMORA_LOCALE");
  return v && std::string(v) == "ja";
}

int BenchDpi() {
  const char* v = std::getenv("VELMORA_DPI");
  const int dpi = v ? std::atoi(v) : 0;
  return dpi > 0 ? dpi : 96;
}

int Scaled(int value96) {
  const long long p = static_cast<long long>(value96) * BenchDpi();
  return static_cast<int>(p >= 0 ? (p + 48) / 96 : -((-p + 48) / 96));
}

namespace {
std::map<std::string, int> gRepeats;

// Prints the repeats of each test that had any, after its result line.
class RepeatReport : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { gRepeats.clear(); }
  void OnTestEnd(const ::testing::TestInfo& test) override {
    if (gRepeats.empty()) return;
    std::printf("[ REPEATS  ] %s.%s gave again input Wine lost:", test.test_suite_name(),
                test.name());
    for (const auto& [what, n] : gRepeats) std::printf(" %s x%d", what.c_str(), n);
    std::printf("\n");
    std::fflush(stdout);
  }
};
const bool gRepeatReport = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new RepeatReport);
  return true;
}();
}  // namespace

void CountRepeat(const char* what) {
  ++gRepeats[what];
}

int Repeats() {
  int n = 0;
  for (const auto& entry : gRepeats) n += entry.second;
  return n;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return done();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

double NowMs() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

Stats Summarise(std::vector<double> v) {
  if (v.empty()) return {0, 0, 0};
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 99 / 100)],
          static_cast<int>(v.size())};
}

void Pump(int ms) {
  WaitFor([] { return false; }, ms);
}

std::string ExeDirectory() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(path));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TempDir::TempDir() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    path_ = std::string(base) + "velmora" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter) + "\\";
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

namespace {
void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((dir + "*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = dir + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full + "\\");
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}
}  // namespace

TempDir::TempDir(const std::string& path) : path_(path) {
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
  RemoveTree(path_);
}

Process::Process(const std::string& commandLine, bool showWindow) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = showWindow ? SW_SHOWNORMAL : SW_HIDE;
  std::string cmd = commandLine;
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &info_)) {
    info_ = {};
  }
}

Process::~Process() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

DWORD Process::Wait(int timeoutMs) {
  if (!info_.hProcess) return STILL_ACTIVE;
  bool ended =
      WaitFor([&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
  if (!ended) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

namespace {
BOOL CALLBACK CollectWindow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<std::pair<const std::function<bool(HWND)>*, std::vector<HWND>*>*>(p);
  if ((*s->first)(w)) s->second->push_back(w);
  return TRUE;
}
}  // namespace

HWND CreateMessageWindow(const char* className, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                         nullptr);
}

std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& match) {
  std::vector<HWND> found;
  std::pair<const std::function<bool(HWND)>*, std::vector<HWND>*> s{&match, &found};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&s));
  return found;
}

std::string ClassOf(HWND window) {
  char cls[256] = {};
  GetClassNameA(window, cls, sizeof cls);
  return cls;
}

HWND FindProcessWindow(DWORD processId, const char* className) {
  const auto found = TopLevelWindows([&](HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == processId && lstrcmpiA(ClassOf(w).c_str(), className) == 0 && IsWindowVisible(w);
  });
  return found.empty() ? nullptr : found.front();
}

HWND FindOwnedWindow(HWND owner, const char* className) {
  const auto found = TopLevelWindows([&](HWND w) {
    return GetWindow(w, GW_OWNER) == owner && ClassOf(w) == className && IsWindowVisible(w);
  });
  return found.empty() ? nullptr : found.front();
}

bool InstallFile(const std::string& source, const std::string& target) {
  if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ReadFile(target) == ReadFile(source))
    return true;
  return CopyFileA(source.c_str(), target.c_str(), FALSE) && ReadFile(target) == ReadFile(source);
}

HostDir::HostDir() {
  const std::string bin = ExeDirectory();
  CopyFileA((bin + "player.exe").c_str(), Player().c_str(), FALSE);
  CreateDirectoryA(Plugins().c_str(), nullptr);
  CopyFileA((bin + "gen_velmora.dll").c_str(), (Plugins() + "gen_velmora.dll").c_str(), FALSE);
}

HostDir::HostDir(const std::string& folder) : dir(folder) {
  CopyFileA((ExeDirectory() + "player.exe").c_str(), Player().c_str(), FALSE);
  CreateDirectoryA(Plugins().c_str(), nullptr);
}

namespace {
// The bench's raw-input run (VELMORA_RAW_INPUT=1) turns the switch on in every player's
// settings before it starts.
std::string PlayerCommandLine(const HostDir& host, const std::string& extraArgs) {
  if (RawInputBench()) WritePrivateProfileStringA("System", "UseRawInput", "1", host.Ini().c_str());
  return "\"" + host.Player() + "\" --log \"" + host.Log() + "\" " + extraArgs;
}
}  // namespace

bool RawInputBench() {
  const char* v = std::getenv("VELMORA_RAW_INPUT");
  return v && std::string(v) == "1";
}

Player::Player(const HostDir& host, const std::string& extraArgs)
    : host_(host), process_(PlayerCommandLine(host, extraArgs)) {
  WaitFor(
      [&] {
        window_ = FindProcessWindow(process_.Id(), "VelmoraPlayer");
        return window_ != nullptr && LogHas("plugin init gen_velmora.dll result=0");
      },
      20000);
}

// The engine pumps at the end of its handler, where this message may be served too: a
// second one, sent when the first has come back, finds that pump over or serves again.
bool Player::Idle(int timeoutMs) const {
  DWORD_PTR ignored = 0;
  for (int i = 0; i < 2; ++i)
    if (!window_ || !SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL,
                                         static_cast<UINT>(timeoutMs), &ignored))
      return false;
  return true;
}

DWORD Player::Close(int timeoutMs) {
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  return process_.Wait(timeoutMs);
}

std::vector<std::string> Player::Log() const {
  std::vector<std::string> lines;
  for (const auto& l : TimedLog()) lines.push_back(l.Text);
  return lines;
}

std::vector<TimedLine> Player::TimedLog() const {
  std::vector<TimedLine> lines;
  for (const auto& l : ReadLines(host_.Log())) {
    const auto close = l.find("] ");
    if (l.empty() || l[0] != '[' || close == std::string::npos) continue;
    lines.push_back({std::atof(l.c_str() + 1), l.substr(close + 2)});
  }
  return lines;
}

int Player::Count(const std::string& line) const {
  int n = 0;
  for (const auto& l : Log()) n += l == line;
  return n;
}

bool Player::LogHas(const std::string& line) const {
  for (const auto& l : Log())
    if (l == line) return true;
  return false;
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

void Key(WORD vk, bool up) {
  INPUT in = KeyInput(vk, up);
  SendInput(1, &in, sizeof in);
}

void Tap(WORD vk) {
  Key(vk, false);
  Key(vk, true);
}

// Paced like a hand. A modifier's own stroke reaches the engine as a key that matches
// nothing, and a hot key that arrives while that one is handled is dropped.
// Wine resyncs the desktop's key state from the X server's keymap now and then (after a
// focus change), where keys injected by SendInput were never down: a held Ctrl can read
// as up (seen here: GetAsyncKeyState 0 with Ctrl held, about one chord in three after a
// focus change). Each modifier is pressed again until the desktop state shows it down.
void Chord(std::initializer_list<WORD> modifiers, WORD vk) {
  auto down = [](WORD k) { return (GetAsyncKeyState(k) & 0x8000) != 0; };
  // The second look finds a modifier Wine let go since: pressing it again is a repeat.
  auto hold = [&](bool again) {
    for (WORD m : modifiers)
      if (!down(m)) {
        if (again) CountRepeat("modifier");
        Retry(
            "modifier", 20, 40, [m] { Key(m, false); }, [&] { return down(m); });
      }
  };
  hold(false);
  Pump(40);
  hold(true);
  Key(vk, false);
  Pump(60);
  Key(vk, true);
  Pump(40);
  for (auto it = modifiers.end(); it != modifiers.begin();) Key(*--it, true);
}

void Burst(std::initializer_list<WORD> modifiers, WORD vk) {
  std::vector<INPUT> in;
  auto add = [&](WORD k, bool up) { in.push_back(KeyInput(k, up)); };
  for (WORD m : modifiers) add(m, false);
  add(vk, false);
  add(vk, true);
  for (auto it = modifiers.end(); it != modifiers.begin();) add(*--it, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

namespace {
BOOL CALLBACK CollectChild(HWND w, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}
}  // namespace

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

void MouseTo(int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
  in.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

void MouseButton(bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof in);
}

void ClickAt(int x, int y) {
  MouseTo(x, y);
  // The press goes where the pointer is: wait until the move has arrived.
  WaitFor(
      [&] {
        POINT p;
        return GetCursorPos(&p) && p.x == x && p.y == y;
      },
      2000);
  Pump(50);
  MouseButton(true);
  Pump(50);
  MouseButton(false);
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

std::string SaveScreenshot(HWND window, const std::string& name) {
  RECT r;
  if (!GetWindowRect(window, &r)) return {};
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int stride = (w * 3 + 3) & ~3;
  BITMAPINFOHEADER bih{sizeof bih, w,    h, 1, 24, BI_RGB, static_cast<DWORD>(stride * h),
                       2834,       2834, 0, 0};
  std::vector<char> bits(static_cast<std::size_t>(stride) * h);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  GetDIBits(mem, bitmap, 0, h, bits.data(), reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  const std::string dir = ExeDirectory() + "..\\..\\..\\out\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string path = dir + name + ".bmp";
  BITMAPFILEHEADER bfh{0x4D42, static_cast<DWORD>(14 + 40 + bits.size()), 0, 0, 14 + 40};
  std::string data(reinterpret_cast<const char*>(&bfh), 14);
  data.append(reinterpret_cast<const char*>(&bih), 40);
  data.append(bits.data(), bits.size());
  WriteFile(path, data);
  return path;
}

namespace {
std::map<UINT_PTR, std::function<bool()>>& TimerActions() {
  static std::map<UINT_PTR, std::function<bool()>> actions;
  return actions;
}
void CALLBACK RunTimerAction(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = TimerActions().find(id);
  if (it == TimerActions().end()) return;
  auto action = it->second;  // may add timers of its own
  if (action()) {
    KillTimer(nullptr, id);
    TimerActions().erase(id);
  }
}
}  // namespace

void EveryUntil(int ms, std::function<bool()> action) {
  const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(ms), RunTimerAction);
  TimerActions()[id] = std::move(action);
}

void TypeText(const std::string& text) {
  for (unsigned char c : text) {
    INPUT in[2] = {};
    for (int i = 0; i < 2; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wScan = c;
      in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(2, in, sizeof(INPUT));
    Pump(20);
  }
}

bool Focus(HWND window) {
  return WaitFor(
      [&] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        return GetForegroundWindow() == window;
      },
      10000);
}

std::string Utf8(const wchar_t* text) {
  char out[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
  return out;
}

namespace {
// VELMORA_NOTEPAD64=1: Wine's 64-bit notepad, reached from a 32-bit program past the
// WoW64 redirection; a 64-bit program starts it as it is.
std::string NotepadCommandLine() {
  return Notepad64Bench() && sizeof(void*) == 4 ? "C:\\windows\\sysnative\\notepad.exe"
                                                : "notepad.exe";
}
}  // namespace

bool Notepad64Bench() {
  const char* v = std::getenv("VELMORA_NOTEPAD64");
  return v && std::string(v) == "1";
}

Notepad::Notepad() : process_(NotepadCommandLine()) {
  WaitFor([&] { return (main_ = FindProcessWindow(process_.Id(), "Notepad")) != nullptr; }, 20000);
  if (main_) edit_ = FindWindowExA(main_, nullptr, "Edit", nullptr);
}

bool Notepad::Focus() {
  return testsupport::Focus(main_);
}

std::string Notepad::Text() const {
  char text[4096] = {};
  SendMessageTimeoutA(edit_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

bool Notepad::Alive() {
  return WaitForSingleObject(process_.Handle(), 0) == WAIT_TIMEOUT;
}

namespace {
constexpr const char* kBrowserKeys[] = {".htm", "http\\shell\\open\\command"};
}

void SetRegistryDefault(HKEY root, const std::string& key, const std::string& value) {
  HKEY k;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(k);
}

std::string RegistryDefault(HKEY root, const std::string& key) {
  char value[1024] = {};
  LONG size = sizeof value;
  return RegQueryValueA(root, key.c_str(), value, &size) == ERROR_SUCCESS ? value : "";
}

StandInBrowser::StandInBrowser()
    : program_(ExeDirectory() + "browser.exe"), log_(ExeDirectory() + "browser.log") {
  for (const char* key : kBrowserKeys) saved_.push_back(RegistryDefault(HKEY_CLASSES_ROOT, key));
  DeleteFileA(log_.c_str());
  SetRegistryDefault(HKEY_CLASSES_ROOT, ".htm", "VelmoraTest.Html");
  SetRegistryDefault(HKEY_CLASSES_ROOT, "VelmoraTest.Html\\shell\\open\\command",
                     "\"" + program_ + "\" -osint -url \"%1\"");
  SetRegistryDefault(HKEY_CLASSES_ROOT, "http\\shell\\open\\command",
                     "\"" + program_ + "\" shell \"%1\"");
}

StandInBrowser::~StandInBrowser() {
  for (std::size_t i = 0; i < saved_.size(); ++i)
    if (!saved_[i].empty()) SetRegistryDefault(HKEY_CLASSES_ROOT, kBrowserKeys[i], saved_[i]);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "VelmoraTest.Html");
  DeleteFileA(log_.c_str());
}

std::vector<std::string> StandInBrowser::Starts(std::size_t n, int timeoutMs) const {
  std::vector<std::string> lines;
  WaitFor([&] { return (lines = ReadLines(log_)).size() >= n; }, timeoutMs);
  return lines;
}

ConfigDialog ConfigDialog::Find(DWORD processId, int timeoutMs) {
  ConfigDialog d;
  WaitFor(
      [&] {
        d.Window = FindProcessWindow(processId, "VelmoraForm");
        if (!d.Window || !d.Sheet(0)) return false;
        // Ready once its modal run has given the first control the focus.
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(d.Window, nullptr), &info) &&
               info.hwndFocus && IsChild(d.Window, info.hwndFocus);
      },
      timeoutMs);
  return d;
}

HWND ConfigDialog::Tabs() const {
  return FindWindowExA(Window, nullptr, "SysTabControl32", nullptr);
}

HWND ConfigDialog::Sheet(int page) const {
  HWND sheet = nullptr;
  for (int i = 0; i <= page; ++i) {
    sheet = FindWindowExA(Tabs(), sheet, "VelmoraSheet", nullptr);
    if (!sheet) return nullptr;
  }
  return sheet;
}

HWND ConfigDialog::ById(int id) const {
  for (HWND w : ChildWindows(Window))
    if (GetDlgCtrlID(w) == id) return w;
  return nullptr;
}

HWND ConfigDialog::At(HWND parent, const char* className, int x, int y) const {
  for (HWND w : ChildWindows(parent)) {
    if (GetParent(w) != parent) continue;
    RECT r;
    GetWindowRect(w, &r);
    POINT o{r.left, r.top};
    ScreenToClient(parent, &o);
    if (ClassOf(w) == className && o.x == x && o.y == y) return w;
  }
  return nullptr;
}

bool ConfigDialog::ShowPage(int page) const {
  // The tab's rectangle lives in the dialog's process: asked for through memory there.
  DWORD pid = 0;
  GetWindowThreadProcessId(Window, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT r{};
  bool ok =
      remote &&
      SendMessageA(Tabs(), 0x130A /* TCM_GETITEMRECT */, page, reinterpret_cast<LPARAM>(remote)) &&
      ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!ok) return false;
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(Tabs(), &p);
  // A click Wine lost shows no page and left nothing behind: it is given again.
  return Retry(
      "tab click", 5, 3000, [&] { ClickAt(p.x, p.y); },
      [&] { return IsWindowVisible(Sheet(page)) != FALSE; });
}

bool ConfigureAndClose(Player& player) {
  const int before = player.Count("plugin config gen_velmora.dll done");
  PostMessageA(player.Window(), WM_COMMAND, player_ids::kConfigPlugin, 0);
  const ConfigDialog d = ConfigDialog::Find(player.Proc().Id());
  if (!d.Window) return false;
  PostMessageA(d.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return WaitFor([&] { return player.Count("plugin config gen_velmora.dll done") > before; },
                 15000);
}

std::string ControlText(HWND control) {
  char text[1024] = {};
  SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

unsigned HotKeyWordOf(HWND control) {
  DWORD_PTR value = 0;
  SendMessageTimeoutA(control, WM_USER + 2 /* HKM_GETHOTKEY */, 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &value);
  const unsigned flags = (value >> 8) & 0xFF;
  return (value & 0xFF) | ((flags & 1) ? 0x2000 : 0) | ((flags & 2) ? 0x4000 : 0) |
         ((flags & 4) ? 0x8000 : 0);
}

HWND FocusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}

void ClickControl(HWND control, int dx, int dy) {
  // Taken, or a window the click opened (a chooser, a file dialog: owned by the control's
  // window) is in front, or the click closed the control's window (OK).
  const HWND root = GetAncestor(control, GA_ROOT);
  auto focused = [&] {
    const HWND focus = FocusIn(control);
    return (focus && (focus == control || IsChild(control, focus))) ||
           GetWindow(GetForegroundWindow(), GW_OWNER) == root || !IsWindow(control);
  };
  // Keys typed next go to the focus as it is when they are queued: wait for the click's.
  // Under Wine a click right after a modal dialog of another window closed can be lost
  // (seen: pointer on the control, nothing received); a lost click left nothing behind,
  // so it is given again.
  Retry(
      "click", 3, 1500,
      [&] {
        RECT r;
        GetWindowRect(control, &r);
        ClickAt(dx < 0 ? (r.left + r.right) / 2 : r.left + dx,
                dy < 0 ? (r.top + r.bottom) / 2 : r.top + dy);
      },
      focused);
}

bool Retry(const char* what, int budget, int waitMs, const std::function<void()>& step,
           const std::function<bool()>& done) {
  for (int i = 0; i < budget; ++i) {
    if (i > 0) CountRepeat(what);
    step();
    if (waitMs > 0 ? WaitFor(done, waitMs) : done()) return true;
  }
  return false;
}

bool PressUntil(const std::function<void()>& press, const std::function<bool()>& done, int tries) {
  return Retry("press", tries, 3000, press, done);
}

bool ClickUntil(HWND control, const std::function<bool()>& done, int tries) {
  return Retry(
      "click", tries, 3000, [&] { ClickControl(control); }, done);
}

std::vector<ShownPopup> ShownPopups(DWORD processId) {
  std::vector<ShownPopup> out;
  for (HWND w : TopLevelWindows([&](HWND w) {
         DWORD owner = 0;
         GetWindowThreadProcessId(w, &owner);
         return owner == processId && ClassOf(w) == "VelmoraPopup" && IsWindowVisible(w);
       })) {
    // Its window text is its lines joined by a line feed: the command, then the title.
    std::wstring text(GetWindowTextLengthW(w) + 1, L'\0');
    text.resize(GetWindowTextW(w, text.data(), static_cast<int>(text.size())));
    const std::size_t lf = text.find(L'\n');
    const std::wstring name = text.substr(0, lf);
    RECT r;
    GetWindowRect(w, &r);
    out.push_back({w, std::string(name.begin(), name.end()), r.right - r.left, r.bottom - r.top,
                   lf == std::wstring::npos ? std::wstring() : text.substr(lf + 1)});
  }
  return out;
}

std::string JogdialCommand(const std::string& args, const std::string& log) {
  return "\"" + ExeDirectory() + "jogdial.exe\" " + (log.empty() ? "" : "--log \"" + log + "\" ") +
         args;
}

}  // namespace testsupport
