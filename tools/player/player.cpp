// Stand-in for the host player: a main window with the player's window-message
// interface, the general-purpose plugin loader and an event log for tests and the demo.
//
//   player.exe [--log PATH] [--plugins DIR] [--ini-dir DIR] [--modal-command ID] [--hotkey VK]
//              [--raw-keyboard] [--raw-sink VK] [--ansi-titles] [--title-length N]
//              [--track-ms N] [--late-title-ms N] [--mouse-hook]
//
// Titles are named through WM_USER 212 (ANSI, in the system's code page) and 213 (UTF-16);
// --ansi-titles answers only the first, --title-length makes every title N characters.
//
// The request for the settings folder (WM_USER, lParam 335) is answered with --ini-dir,
// by default the folder "UserData" beside the executable; --ini-dir "" names none.
//
// Every log line starts with "[ms] ", the shared performance counter in milliseconds.
// Private WM_COMMAND identifiers for tests: 40900 + i runs config of plugin i; 40999 ends
// the nested loop of the --modal-command. --hotkey registers VK as a system hot key that
// plays, the baseline of the latency benchmark. --raw-keyboard registers the keyboard's
// raw input for the main window before the plugins load, as a host of its own would; the
// registration left after the plugins' quit is logged as "raw keyboard none|host|other".
// --raw-sink VK registers it too and, for each press of VK, tests whether another program
// holds VK as a hot key and logs "rawsink 1": the floor of the raw-input path in the
// latency benchmark.
// 40995 quits and unloads every plugin and loads them again in this process, as a host
// that reloads its plugins does. 40994 with
// lParam N stops pumping for N milliseconds, as a player loading a long playlist does.
// 40993 shows the player's own full-screen video window in front (again: hides it).
// --track-ms N ends an entry after N ms of playing and plays the next ("track end P" in the
// log, P the new position); 40992 gives the current entry the next song of a stream as its
// title at the same position ("stream title K"). The window's title names the entry, as a
// player's does. --late-title-ms N names a new entry "[Connecting]" for its first N ms, as a
// stream does before its title comes. 40989 sorts the list so that the playing entry comes
// first ("sorted"), the same song playing on. WM_USER 105 gives the entry's playing time in
// ms, 105 with 1 its length in seconds (4:56 each). It keeps repeat and shuffle (250 to 253),
// a rating per entry (639, 640) and the volume (122; -666 asks it), and answers the other
// actions: a fade-out stop that ends a second later ("fade end"), stop after the current
// entry ("stop after current"), the list's start and end, and four windows of its own that
// it shows without the focus (the jump box, open location, open folder, preferences), each
// logged. 40991 logs the process's CPU time and its number of threads. --mouse-hook
// sets a low-level mouse hook that only chains on a thread of its own: the floor of the
// wheel's benchmark.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "player_ids.h"

namespace {

using namespace player_ids;
constexpr UINT kIdPrev = kPrev, kIdPlay = kPlay, kIdPause = kPause, kIdStop = kStop,
               kIdNext = kNext, kIdOpen = kOpen, kIdVolUp = kVolumeUp, kIdVolDown = kVolumeDown,
               kIdFileInfo = kFileInfo, kIdExit = kExit;
constexpr UINT kPlayerConfigBase = kConfigPlugin;

struct PluginRecord {
  int version;
  const char* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND parent;
  HINSTANCE instance;
};
using GetRecord = PluginRecord* (*)();

struct Plugin {
  std::string file;
  HMODULE module = nullptr;
  PluginRecord* record = nullptr;
  int initResult = -1;
};

struct Entry {
  const wchar_t* title;
  const char* artist;
  const char* album;
};
// Made-up entries; the labels of the File-info dialog carry double-byte text.
const Entry kPlaylist[] = {
    {kEntryTitles[0], "Aurora Lane", "Tidewater"},
    {kEntryTitles[1], "The Quiet Engines", "Northbound"},
    {kEntryTitles[2], "Mira Castell", "Orbitals"},
    {kEntryTitles[3], "Kestrel Union", "Coastline"},
};
constexpr int kPlaylistSize = sizeof kPlaylist / sizeof kPlaylist[0];
// The list's order: the entry at each place (40989 sorts it).
int gOrder[kPlaylistSize] = {0, 1, 2, 3};
const Entry& EntryAt(int index) {
  return kPlaylist[gOrder[index]];
}

// The labels of a Japanese player: "タイトル", "アーティスト", "アルバム", given through
// the wide API so that they read right on every system. Read back through the ANSI API
// (as the plugin reads other windows) they are code-page-932 bytes on a Japanese system.
constexpr wchar_t kLabelTitle[] = L"\u30BF\u30A4\u30C8\u30EB";
constexpr wchar_t kLabelArtist[] = L"\u30A2\u30FC\u30C6\u30A3\u30B9\u30C8";
constexpr wchar_t kLabelAlbum[] = L"\u30A2\u30EB\u30D0\u30E0";

HANDLE gLog = INVALID_HANDLE_VALUE;
DWORD gMainThread = 0;
HWND gMain = nullptr;
HWND gOpenWindow = nullptr;
bool gRepeat = false, gShuffle = false, gStopAfterCurrent = false;
int gRatings[4] = {};  // a rating per entry of the list, 0 to 5
constexpr UINT_PTR kFadeTimer = 8;
HWND gVideoWindow = nullptr;
std::vector<Plugin> gPlugins;
int gState = 0;  // 0 stopped, 1 playing, 3 paused
int gPosition = 0;
int gVolume = 200;
UINT gRawSinkKey = 0;    // --raw-sink
UINT gModalCommand = 0;  // --modal-command: this command runs a nested message loop
bool gInModal = false;
HWND gFileInfo = nullptr;  // the open File-info dialog
char gTitleBuffer[256];
std::wstring gWideTitle;
bool gAnsiTitlesOnly = false;  // --ansi-titles: the wide request goes unanswered
int gTitleLength = 0;          // --title-length N: every title made N characters long
UINT gTrackMs = 0;             // --track-ms N: an entry ends by itself after N ms of playing
constexpr UINT_PTR kTrackTimer = 7;
int gStreamSong = -1;   // the song the current entry names instead of its own; -1: none
UINT gLateTitleMs = 0;  // --late-title-ms N: a new entry is untitled for its first N ms
double gEntryStartMs = 0, gPausedAtMs = 0;  // the entry's start, and its time when paused
double NowMs();

// The entry's title as the player names it: padded to --title-length when one is given.
std::wstring Title(int index) {
  std::wstring t = EntryAt(index).title;
  if (index == gPosition && gStreamSong >= 0) t = kStreamSongs[gStreamSong];
  if (index == gPosition && NowMs() < gEntryStartMs + gLateTitleMs) t = L"[Connecting]";
  if (gTitleLength > 0) {
    while (static_cast<int>(t.size()) < gTitleLength)
      t += L" \x2014 " + std::wstring(EntryAt(index).title);
    t.resize(static_cast<std::size_t>(gTitleLength));
  }
  return t;
}

// In the system's code page, as the ANSI request gives it.
std::string AnsiTitle(int index) {
  const std::wstring w = Title(index);
  std::string a(w.size() * 2 + 1, '\0');
  const int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), a.data(),
                                    static_cast<int>(a.size()), nullptr, nullptr);
  a.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return a;
}
char gIniDirectory[MAX_PATH];

LARGE_INTEGER gFrequency;

// Milliseconds on the performance counter, which every process of the session shares.
double NowMs() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(gFrequency.QuadPart);
}

void Log(const char* format, ...) {
  char line[1024];
  int n = snprintf(line, 32, "[%.3f] ", NowMs());
  va_list args;
  va_start(args, format);
  n += vsnprintf(line + n, sizeof line - 2 - n, format, args);
  va_end(args);
  if (n > static_cast<int>(sizeof line) - 3) n = sizeof line - 3;
  line[n++] = '\r';
  line[n++] = '\n';
  if (gLog == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(gLog, line, n, &written, nullptr);
  FlushFileBuffers(gLog);
}

const char* ThreadName() {
  return GetCurrentThreadId() == gMainThread ? "main" : "other";
}

const char* StateName() {
  return gState == 1 ? "playing" : gState == 3 ? "paused" : "stopped";
}

// The window names the entry and the state as a player's does; painted anew.
void Repaint() {
  if (!gMain) return;
  std::wstring caption =
      std::to_wstring(gPosition + 1) + L". " + Title(gPosition) + L" - Velmora Player";
  if (gState != 1) caption += gState == 3 ? L" [Paused]" : L" [Stopped]";
  SetWindowTextW(gMain, caption.c_str());
  InvalidateRect(gMain, nullptr, TRUE);
}

// The entry's time runs while it plays: begun anew at every entry and at every start.
void TimeEntry() {
  if (!gTrackMs || !gMain) return;
  if (gState == 1)
    SetTimer(gMain, kTrackTimer, gTrackMs, nullptr);
  else
    KillTimer(gMain, kTrackTimer);
}

// ---- File-info dialog, built from an in-memory template -------------------------------

constexpr int kEditTitle = 101, kEditArtist = 102, kEditAlbum = 103, kEditComment = 104;

class DialogTemplate {
 public:
  void Header(DWORD style, int items, short cx, short cy, const wchar_t* title) {
    DLGTEMPLATE t{};
    t.style = style | DS_SETFONT;
    t.cdit = static_cast<WORD>(items);
    t.cx = cx;
    t.cy = cy;
    Append(&t, sizeof t);
    Word(0);  // menu
    Word(0);  // class
    String(title);
    Word(8);
    String(L"MS Shell Dlg");
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
            const wchar_t* text) {
    Align();
    DLGITEMTEMPLATE t{};
    t.style = style | WS_CHILD | WS_VISIBLE;
    t.x = x;
    t.y = y;
    t.cx = cx;
    t.cy = cy;
    t.id = id;
    Append(&t, sizeof t);
    Word(0xFFFF);
    Word(cls);
    String(text);
    Word(0);  // creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  void Append(const void* p, size_t n) {
    auto b = static_cast<const BYTE*>(p);
    data_.insert(data_.end(), b, b + n);
  }
  void Word(WORD w) { Append(&w, sizeof w); }
  void String(const wchar_t* s) { Append(s, (wcslen(s) + 1) * sizeof(wchar_t)); }
  void Align() {
    while (data_.size() % 4) data_.push_back(0);
  }
  std::vector<BYTE> data_;
};

INT_PTR CALLBACK FileInfoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      const Entry& e = EntryAt(gPosition);
      SetDlgItemTextW(dialog, kEditTitle, e.title);
      SetDlgItemTextA(dialog, kEditArtist, e.artist);
      SetDlgItemTextA(dialog, kEditAlbum, e.album);
      SetDlgItemTextA(dialog, kEditComment, "made-up entry");
      SetDlgItemTextW(dialog, 201, kLabelTitle);
      SetDlgItemTextW(dialog, 202, kLabelArtist);
      SetDlgItemTextW(dialog, 203, kLabelAlbum);
      gFileInfo = dialog;
      Log("fileinfo open %p", static_cast<void*>(dialog));
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        Log("fileinfo close %p", static_cast<void*>(dialog));
        gFileInfo = nullptr;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

void ShowFileInfo() {
  DialogTemplate t;
  t.Header(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 11, 220, 120, L"File info");
  t.Item(SS_LEFT, 8, 10, 60, 10, 201, 0x0082, L"Title");
  t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 72, 8, 140, 12, kEditTitle, 0x0081, L"");
  t.Item(SS_LEFT, 8, 28, 60, 10, 202, 0x0082, L"Artist");
  t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 72, 26, 140, 12, kEditArtist, 0x0081, L"");
  t.Item(SS_LEFT, 8, 46, 60, 10, 203, 0x0082, L"Album");
  t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 72, 44, 140, 12, kEditAlbum, 0x0081, L"");
  t.Item(SS_LEFT, 8, 64, 60, 10, 204, 0x0082, L"Comment");
  t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 72, 62, 140, 12, kEditComment, 0x0081, L"");
  t.Item(SS_LEFT, 8, 82, 200, 10, 205, 0x0082, L"Tags are read only in this player.");
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 100, 50, 14, IDOK, 0x0080, L"OK");
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 162, 100, 50, 14, IDCANCEL, 0x0080, L"Cancel");
  DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), gMain, FileInfoProc, 0);
}

// ---- Open window: small, owned, not modal -----------------------------------------------

LRESULT CALLBACK OpenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY && window == gOpenWindow) gOpenWindow = nullptr;
  return DefWindowProcA(window, message, wParam, lParam);
}

void ShowOpen() {
  if (!gOpenWindow) {
    gOpenWindow = CreateWindowExA(WS_EX_TOOLWINDOW, "VelmoraPlayerOpen", "Open file",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 200, 200, 260, 90, gMain,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  if (gOpenWindow) ShowWindow(gOpenWindow, SW_SHOWNORMAL);
}

// A window of the player's own for the jump box and its kin: owned, shown without the
// focus, so that who brings it to the front is the plugin.
void ShowDialogWindow(const char* name) {
  const HWND w =
      CreateWindowExA(0, "VelmoraPlayerOpen", name, WS_POPUP | WS_CAPTION | WS_SYSMENU, 240, 240,
                      300, 120, gMain, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (w) ShowWindow(w, SW_SHOWNOACTIVATE);
  Log("window %s", name);
}

// The video window: borderless over the whole primary screen, in front, as a player's
// full-screen video is.
void ToggleVideo() {
  if (gVideoWindow) {
    DestroyWindow(std::exchange(gVideoWindow, nullptr));
    Log("video off");
    return;
  }
  gVideoWindow = CreateWindowExA(0, "VelmoraPlayerOpen", "Video", WS_POPUP, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                 gMain, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!gVideoWindow) return;
  ShowWindow(gVideoWindow, SW_SHOW);
  SetForegroundWindow(gVideoWindow);
  Log("video on");
}

// ---- Plugins ------------------------------------------------------------------------------

std::string ExeDirectory() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\') + 1);
}

void LoadPlugins(const std::string& directory) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + "gen_*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    Plugin p;
    p.file = found.cFileName;
    p.module = LoadLibraryA((directory + p.file).c_str());
    if (!p.module) {
      Log("plugin load %s failed error=%lu", p.file.c_str(), GetLastError());
      continue;
    }
    auto get = reinterpret_cast<GetRecord>(
        reinterpret_cast<void*>(GetProcAddress(p.module, "winampGetGeneralPurposePlugin")));
    if (!get) {
      Log("plugin load %s no export", p.file.c_str());
      FreeLibrary(p.module);
      continue;
    }
    p.record = get();
    Log("plugin load %s version=%d description=\"%s\"", p.file.c_str(), p.record->version,
        p.record->description ? p.record->description : "");
    p.record->parent = gMain;
    p.record->instance = p.module;
    gPlugins.push_back(p);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  for (Plugin& p : gPlugins) {
    Log("plugin init %s thread=%s", p.file.c_str(), ThreadName());
    p.initResult = p.record->init();
    Log("plugin init %s result=%d", p.file.c_str(), p.initResult);
  }
}

std::string gPluginDir;

void ConfigPlugin(size_t index) {
  if (index >= gPlugins.size() || gPlugins[index].initResult != 0) return;
  Log("plugin config %s thread=%s", gPlugins[index].file.c_str(), ThreadName());
  gPlugins[index].record->config();
  Log("plugin config %s done", gPlugins[index].file.c_str());
}

// Whose keyboard raw-input registration the process has: "none", "host" (the main
// window's) or "other".
const char* RawKeyboardOwner() {
  RAWINPUTDEVICE devices[8];
  UINT count = 8;
  const UINT n = GetRegisteredRawInputDevices(devices, &count, sizeof(RAWINPUTDEVICE));
  for (UINT i = 0; i < n && n != UINT(-1); ++i)
    if (devices[i].usUsagePage == 1 && devices[i].usUsage == 6)
      return devices[i].hwndTarget == gMain ? "host" : "other";
  return "none";
}

void UnloadPlugins() {
  for (Plugin& p : gPlugins) {
    if (p.initResult == 0) {
      Log("plugin quit %s thread=%s", p.file.c_str(), ThreadName());
      p.record->quit();
      Log("plugin quit %s done", p.file.c_str());
    }
    FreeLibrary(p.module);
    Log("plugin unload %s", p.file.c_str());
  }
  gPlugins.clear();
  Log("raw keyboard %s", RawKeyboardOwner());
}

// ---- Main window ----------------------------------------------------------------------------

// Stands in for a command whose handling runs a modal loop (a dialog, a message box):
// it dispatches until the release command, logging what reaches the plugin meanwhile.
void RunModalLoop() {
  gInModal = true;
  Log("modal enter");
  MSG msg;
  while (gInModal && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message >= WM_USER + 256 && msg.message <= WM_USER + 258)
      Log("nested %u", static_cast<unsigned>(msg.message));
    else if (msg.message == WM_INPUT && msg.hwnd != gMain)
      Log("nested input");  // a plugin's raw input
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  Log("modal leave");
}

// Fonts live in their own process: tests ask the player to report its dialog's.
void ReportFileInfo() {
  if (!gFileInfo) {
    Log("fileinfo none");
    return;
  }
  RECT r;
  GetWindowRect(gFileInfo, &r);
  Log("fileinfo rect %ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
  for (int id : {101, 102, 103, 104, 201, 202, 203, 204, 205, IDOK}) {
    HFONT f = reinterpret_cast<HFONT>(SendDlgItemMessageA(gFileInfo, id, WM_GETFONT, 0, 0));
    // The face as UTF-8: what a user sees, whatever this system's ANSI code page.
    LOGFONTW lf{};
    char face[LF_FACESIZE * 3] = {};
    if (f && GetObjectW(f, sizeof lf, &lf))
      WideCharToMultiByte(CP_UTF8, 0, lf.lfFaceName, -1, face, sizeof face, nullptr, nullptr);
    Log("fileinfo font %d %ld %d %s", id, lf.lfHeight, lf.lfCharSet, face);
  }
}

BOOL CALLBACK CountWindow(HWND w, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  EnumChildWindows(w, CountWindow, counter);
  return TRUE;
}

// GetGuiResources is a stub under Wine (it gives 0): GDI objects are counted as well by
// how many more brushes the handle table takes before it is full. Windows are this
// process's USER objects that matter: all live on this thread, counted with their
// descendants. Private bytes are the commit charge (PagefileUsage; Wine leaves
// PrivateUsage 0).
void ReportResources() {
  int windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
  std::vector<HBRUSH> brushes;
  brushes.reserve(70000);
  while (brushes.size() < 70000) {
    HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
    if (!b) break;
    brushes.push_back(b);
  }
  for (HBRUSH b : brushes) DeleteObject(b);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  Log("resources windows=%d gdi=%lu user=%lu gdifree=%u private=%lu", windows,
      GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
      GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), static_cast<unsigned>(brushes.size()),
      static_cast<unsigned long>(memory.PagefileUsage));
}

// The number of this process's threads, from a snapshot of the system's.
int ThreadCount() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int n = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    n += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return n;
}

// A low-level mouse hook on a thread of its own that only chains: the floor of the wheel's.
LRESULT CALLBACK BareMouseHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
DWORD WINAPI BareMouseThread(void*) {
  const HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, BareMouseHook, GetModuleHandleW(nullptr), 0);
  Log("mouse hook %d", hook ? 1 : 0);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

// Its own: Wine gives no other process's times.
void ReportCpu() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto ms = [](const FILETIME& f) {
    return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) /
           10000.0;
  };
  Log("cpu ms=%.1f threads=%d", ms(kernel) + ms(user), ThreadCount());
}

void OnCommand(UINT id) {
  if (id == kReportCpu) {
    ReportCpu();
    return;
  }
  if (id == kReportResources) {
    ReportResources();
    return;
  }
  if (id == kReloadPlugins) {
    Log("plugins reload");
    UnloadPlugins();
    LoadPlugins(gPluginDir);
    Repaint();
    return;
  }
  if (id == kReportFileInfo) {
    ReportFileInfo();
    return;
  }
  if (id == kFullScreenVideo) {
    ToggleVideo();
    return;
  }
  if (id == kModalRelease) {
    gInModal = false;
    return;
  }
  if (id == gModalCommand && !gInModal) {
    RunModalLoop();
    return;
  }
  if (id == kSortList) {
    std::rotate(gOrder, gOrder + gPosition, gOrder + gPosition + 1);
    gPosition = 0;
    Log("sorted");
    Repaint();
    return;
  }
  if (id == kStreamTitle) {
    gStreamSong = (gStreamSong + 1) % static_cast<int>(std::size(kStreamSongs));
    Log("stream title %d", gStreamSong);
    Repaint();
    return;
  }
  const int stateBefore = gState;
  switch (id) {
    case kIdPrev:
      gPosition = (gPosition + kPlaylistSize - 1) % kPlaylistSize;
      gStreamSong = -1;
      break;
    case kIdNext:
      gPosition = (gPosition + 1) % kPlaylistSize;
      gStreamSong = -1;
      break;
    case kIdPlay:
      gState = 1;
      break;
    case kIdPause:
      if (gState == 1)
        gState = 3;
      else if (gState == 3)
        gState = 1;
      break;
    case kIdStop:
      gState = 0;
      break;
    case kIdVolUp:
      gVolume = gVolume + 8 > 255 ? 255 : gVolume + 8;
      break;
    case kIdVolDown:
      gVolume = gVolume - 8 < 0 ? 0 : gVolume - 8;
      break;
    case kIdOpen:
      ShowOpen();
      break;
    case kStopFadeOut:
      if (gState != 0) SetTimer(gMain, kFadeTimer, 1000, nullptr);
      break;
    case kStopAfterCurrent:
      gStopAfterCurrent = !gStopAfterCurrent;
      Log("stop after current %d", gStopAfterCurrent ? 1 : 0);
      break;
    case kForward5s:
    case kBack5s:
      gEntryStartMs += id == kForward5s ? -5000 : 5000;
      if (gEntryStartMs > NowMs()) gEntryStartMs = NowMs();
      break;
    case kListStart:
      gPosition = 0;
      gStreamSong = -1;
      break;
    case kListEnd:
      gPosition = kPlaylistSize - 1;
      gStreamSong = -1;
      break;
    case kJumpToFile:
      ShowDialogWindow("Jump to file");
      break;
    case kOpenLocation:
      ShowDialogWindow("Open location");
      break;
    case kOpenFolder:
      ShowDialogWindow("Open folder");
      break;
    case kPreferences:
      ShowDialogWindow("Preferences");
      break;
    case kIdFileInfo:
      ShowFileInfo();
      break;
    case kIdExit:
      PostMessageA(gMain, WM_CLOSE, 0, 0);
      break;
    default:
      if (id >= kPlayerConfigBase && id < kPlayerConfigBase + 16)
        ConfigPlugin(id - kPlayerConfigBase);
      break;
  }
  // The entry's playing time: begun at a new entry and at a start, kept over a pause.
  if (id == kIdPrev || id == kIdNext || id == kListStart || id == kListEnd ||
      (id == kIdPlay && stateBefore == 0))
    gEntryStartMs = NowMs();
  else if (id == kIdPause && gState == 3)
    gPausedAtMs = NowMs() - gEntryStartMs;
  else if (id == kIdPause && gState == 1)
    gEntryStartMs = NowMs() - gPausedAtMs;
  if (id == kIdPrev || id == kIdNext || id == kIdPlay || id == kIdPause || id == kIdStop)
    TimeEntry();
  Repaint();
}

LRESULT OnRequest(WPARAM wParam, LPARAM lParam) {
  switch (lParam) {
    case kRequestState:
      return gState;
    case kRequestPosition:
      return gPosition;
    case kRequestPlayingTime:
      return wParam == 1   ? 296
             : wParam != 0 ? -1
             : gState == 1 ? static_cast<LRESULT>(NowMs() - gEntryStartMs)
             : gState == 3 ? static_cast<LRESULT>(gPausedAtMs)
                           : 0;
    case kRequestSetVolume:
      if (static_cast<int>(wParam) == -666) return gVolume;
      gVolume = std::clamp(static_cast<int>(wParam), 0, 255);
      Log("volume %d", gVolume);
      return 0;
    case kRequestShuffle:
      return gShuffle;
    case kRequestRepeat:
      return gRepeat;
    case kRequestSetShuffle:
    case kRequestSetRepeat:
      (lParam == kRequestSetShuffle ? gShuffle : gRepeat) = wParam != 0;
      Log("%s %d", lParam == kRequestSetShuffle ? "shuffle" : "repeat", wParam != 0 ? 1 : 0);
      return 0;
    case kRequestRating:
      return gRatings[gOrder[gPosition]];
    case kRequestSetRating:
      gRatings[gOrder[gPosition]] = std::clamp(static_cast<int>(wParam), 0, 5);
      Log("rating %d", gRatings[gOrder[gPosition]]);
      return 0;
    case kRequestTitle: {
      if (wParam >= static_cast<WPARAM>(kPlaylistSize)) return 0;
      static std::string ansi;
      ansi = AnsiTitle(static_cast<int>(wParam));
      if (gTitleLength == 0) {
        lstrcpynA(gTitleBuffer, ansi.c_str(), sizeof gTitleBuffer);
        return reinterpret_cast<LRESULT>(gTitleBuffer);
      }
      return reinterpret_cast<LRESULT>(ansi.c_str());
    }
    case kRequestTitleW: {
      if (gAnsiTitlesOnly || wParam >= static_cast<WPARAM>(kPlaylistSize)) return 0;
      gWideTitle = Title(static_cast<int>(wParam));
      return reinterpret_cast<LRESULT>(gWideTitle.c_str());
    }
    case kRequestIniDirectory:
      return gIniDirectory[0] ? reinterpret_cast<LRESULT>(gIniDirectory) : 0;
    default:
      return 0;
  }
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  char line[512];
  int y = 8;
  auto out = [&](const char* text) {
    TextOutA(dc, 10, y, text, lstrlenA(text));
    y += 18;
  };
  const std::wstring now = L"Now: " + std::to_wstring(gPosition + 1) + L". " + Title(gPosition);
  TextOutW(dc, 10, y, now.c_str(), static_cast<int>(std::min<std::size_t>(now.size(), 200)));
  y += 18;
  snprintf(line, sizeof line, "State: %s    Volume: %d", StateName(), gVolume);
  out(line);
  out("Plugins:");
  for (const Plugin& p : gPlugins) {
    snprintf(line, sizeof line, "  %s  %s%s", p.file.c_str(),
             p.record->description ? p.record->description : "",
             p.initResult == 0 ? "" : "  (init failed)");
    out(line);
  }
  SelectObject(dc, old);
  EndPaint(window, &ps);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kStall) {
        Log("stall %ld ms", static_cast<long>(lParam));
        Sleep(static_cast<DWORD>(lParam));
        Log("stall end");
        return 0;
      }
      Log("command %u", static_cast<unsigned>(LOWORD(wParam)));
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_USER: {
      LRESULT r = OnRequest(wParam, lParam);
      Log("request wparam=%lu lparam=%ld result=%s", static_cast<unsigned long>(wParam),
          static_cast<long>(lParam),
          lParam == kRequestTitle || lParam == kRequestTitleW ? (r ? "title" : "0")
          : lParam == kRequestIniDirectory ? (r ? reinterpret_cast<const char*>(r) : "0")
                                           : std::to_string(r).c_str());
      return r;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_RESTORE)
        Log("syscommand 0x%04lX", static_cast<unsigned long>(wParam & 0xFFF0));
      break;
    case WM_INPUT:
      if (gRawSinkKey) {
        RAWINPUT raw;
        UINT size = sizeof raw;
        if (GetRawInputData(reinterpret_cast<HRAWINPUT>(lParam), RID_INPUT, &raw, &size,
                            sizeof(RAWINPUTHEADER)) != UINT(-1) &&
            raw.header.dwType == RIM_TYPEKEYBOARD && raw.data.keyboard.VKey == gRawSinkKey &&
            !(raw.data.keyboard.Flags & RI_KEY_BREAK)) {
          // The test any raw-input design makes: whether another program holds the key
          // as its hot key, in which case the key is that program's.
          if (RegisterHotKey(window, 0x5253, 0, gRawSinkKey)) UnregisterHotKey(window, 0x5253);
          Log("rawsink 1");
        }
      }
      break;
    case WM_TIMER:
      if (wParam == kFadeTimer) {
        KillTimer(window, kFadeTimer);
        gState = 0;
        Log("fade end");
        TimeEntry();
        Repaint();
        return 0;
      }
      if (wParam != kTrackTimer) break;
      if (gState == 1 && gStopAfterCurrent) {
        gState = 0;
        gStopAfterCurrent = false;
        Log("stopped after current");
        Repaint();
      } else if (gState == 1) {
        gPosition = (gPosition + 1) % kPlaylistSize;
        gStreamSong = -1;
        gEntryStartMs = NowMs();
        Log("track end %d", gPosition);
        Repaint();
      }
      TimeEntry();
      return 0;
    case WM_HOTKEY:
      Log("hotkey %lu", static_cast<unsigned long>(wParam));
      OnCommand(kIdPlay);
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_CLOSE:
      // A modal loop is still running: it ends first, and the close comes again after it.
      if (gFileInfo || gInModal) {
        if (gFileInfo) PostMessageA(gFileInfo, WM_COMMAND, IDCANCEL, 0);
        gInModal = false;
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
      }
      UnloadPlugins();
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HMENU BuildMenu() {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kIdOpen, "&Open file...");
  AppendMenuA(file, MF_STRING, kIdFileInfo, "File &info...");
  AppendMenuA(file, MF_STRING, kPlayerConfigBase, "&Configure plugin...");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, kIdExit, "E&xit");
  HMENU play = CreatePopupMenu();
  AppendMenuA(play, MF_STRING, kIdPrev, "P&revious");
  AppendMenuA(play, MF_STRING, kIdPlay, "&Play");
  AppendMenuA(play, MF_STRING, kIdPause, "P&ause");
  AppendMenuA(play, MF_STRING, kIdStop, "&Stop");
  AppendMenuA(play, MF_STRING, kIdNext, "&Next");
  AppendMenuA(play, MF_STRING, kIdVolUp, "Volume &up");
  AppendMenuA(play, MF_STRING, kIdVolDown, "Volume &down");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(play), "&Play");
  return bar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  gMainThread = GetCurrentThreadId();
  QueryPerformanceFrequency(&gFrequency);
  UINT hotKey = 0;
  bool rawKeyboard = false;
  bool mouseHook = false;
  std::string plugins = ExeDirectory() + "Plugins\\";
  std::string iniDirectory = ExeDirectory() + "UserData";
  for (int i = 1; i < __argc; ++i) {
    if (!strcmp(__argv[i], "--raw-keyboard")) {
      rawKeyboard = true;
      continue;
    }
    if (!strcmp(__argv[i], "--mouse-hook")) {
      mouseHook = true;
      continue;
    }
    if (!strcmp(__argv[i], "--ansi-titles")) {
      gAnsiTitlesOnly = true;
      continue;
    }
    if (i + 1 >= __argc) break;  // the rest take a value
    if (!strcmp(__argv[i], "--log")) {
      gLog = CreateFileA(__argv[++i], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    } else if (!strcmp(__argv[i], "--modal-command")) {
      gModalCommand = static_cast<UINT>(strtoul(__argv[++i], nullptr, 0));
    } else if (!strcmp(__argv[i], "--late-title-ms")) {
      gLateTitleMs = static_cast<UINT>(strtoul(__argv[++i], nullptr, 0));
    } else if (!strcmp(__argv[i], "--track-ms")) {
      gTrackMs = static_cast<UINT>(strtoul(__argv[++i], nullptr, 0));
    } else if (!strcmp(__argv[i], "--title-length")) {
      gTitleLength = atoi(__argv[++i]);
    } else if (!strcmp(__argv[i], "--hotkey")) {
      hotKey = static_cast<UINT>(strtoul(__argv[++i], nullptr, 0));
    } else if (!strcmp(__argv[i], "--raw-sink")) {
      gRawSinkKey = static_cast<UINT>(strtoul(__argv[++i], nullptr, 0));
      rawKeyboard = true;
    } else if (!strcmp(__argv[i], "--ini-dir")) {
      iniDirectory = __argv[++i];
    } else if (!strcmp(__argv[i], "--plugins")) {
      plugins = __argv[++i];
      if (!plugins.empty() && plugins.back() != '\\') plugins += '\\';
    }
  }
  Log("player start pid=%lu", GetCurrentProcessId());
  if (mouseHook) CloseHandle(CreateThread(nullptr, 0, BareMouseThread, nullptr, 0, nullptr));

  // The main window is a Unicode one, so that its title names an entry in any script.
  WNDCLASSW main{};
  main.lpfnWndProc = MainProc;
  main.hInstance = instance;
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  main.lpszClassName = L"VelmoraPlayer";
  RegisterClassW(&main);
  WNDCLASSA wc{};
  wc.hInstance = instance;
  wc.hCursor = main.hCursor;
  wc.hbrBackground = main.hbrBackground;
  wc.lpfnWndProc = OpenProc;
  wc.lpszClassName = "VelmoraPlayerOpen";
  RegisterClassA(&wc);

  gMain = CreateWindowExW(0, main.lpszClassName, L"Velmora Player", WS_OVERLAPPEDWINDOW, 40, 40,
                          520, 240, nullptr, BuildMenu(), instance, nullptr);
  if (!gMain) return 2;
  ShowWindow(gMain, show == SW_HIDE ? SW_SHOWNORMAL : show);
  UpdateWindow(gMain);
  if (hotKey) RegisterHotKey(gMain, 1, 0, hotKey);
  if (rawKeyboard) {
    // A host that reads the keyboard's raw input itself, before the plugins load.
    const RAWINPUTDEVICE device{1, 6, RIDEV_INPUTSINK, gMain};
    Log("raw keyboard registered %d", RegisterRawInputDevices(&device, 1, sizeof device) ? 1 : 0);
  }
  gPluginDir = plugins;
  lstrcpynA(gIniDirectory, iniDirectory.c_str(), sizeof gIniDirectory);
  if (gIniDirectory[0]) CreateDirectoryA(gIniDirectory, nullptr);
  LoadPlugins(plugins);
  Repaint();

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  Log("player exit %d", static_cast<int>(msg.wParam));
  if (gLog != INVALID_HANDLE_VALUE) CloseHandle(gLog);
  return static_cast<int>(msg.wParam);
}
