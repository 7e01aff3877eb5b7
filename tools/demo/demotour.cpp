// The demo's scripted tour: the stand-in player with the plugin, the sample settings and
// skins, Wine's notepad typed into, hot keys, a Jog Dial gesture, File info, Show/Hide.
// Writes a transcript with one verdict per step, the player's events and screen shots.
//
//   demotour.exe OUTDIR DEMODIR SKINDIR [--show]
#include <windows.h>

#include <cstdio>
#include <string>

#include "config/uCustomIds.h"
#include "support.h"
#include "tools/player/player_ids.h"

using namespace testsupport;
using namespace velmora::dialog;

namespace {

std::string gOut;
FILE* gTranscript = nullptr;
int gFailures = 0;

bool Step(bool ok, const std::string& what) {
  std::fprintf(gTranscript, "%s  %s\n", ok ? "PASS" : "FAIL", what.c_str());
  std::fflush(gTranscript);
  std::printf("%s  %s\n", ok ? "PASS" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) ++gFailures;
  return ok;
}

// Writes the whole screen to OUTDIR\name.bmp (24 bits, bottom-up).
bool Screenshot(const std::string& name) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (dib) {
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    const DWORD stride = ((w * 3) + 3) & ~3u, size = stride * h;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    if (FILE* f = std::fopen((gOut + name + ".bmp").c_str(), "wb")) {
      std::fwrite(&fh, sizeof fh, 1, f);
      std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
      std::fwrite(bits, 1, size, f);
      ok = std::fclose(f) == 0;
    }
    DeleteObject(dib);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

HWND FileInfoDialog(HWND player) {
  return FindOwnedWindow(player, "#32770");
}

// The popup of that command: its window text's first line, the title on the next one.
HWND gLastPopup = nullptr;
bool PopupShown(DWORD pid, const std::string& text) {
  return WaitFor(
      [&] {
        const auto found = TopLevelWindows([&](HWND w) {
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          char caption[256] = {};
          GetWindowTextA(w, caption, sizeof caption);
          const std::string first = std::string(caption).substr(0, std::string(caption).find('\n'));
          return owner == pid && ClassOf(w) == "VelmoraPopup" && IsWindowVisible(w) &&
                 text == first;
        });
        if (!found.empty()) gLastPopup = found.front();
        return !found.empty();
      },
      5000);
}

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
    s.replace(at, from.size(), to);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  gOut = argv[1];
  if (gOut.back() != '\\') gOut += '\\';
  std::string demo = argv[2], skins = argv[3];
  if (demo.back() != '\\') demo += '\\';
  skins = ReplaceAll(skins, "/", "\\");  // a path as Windows writes it
  if (skins.back() != '\\') skins += '\\';
  const bool show = argc > 4 && std::string(argv[4]) == "--show";
  gTranscript = std::fopen((gOut + "transcript.txt").c_str(), "w");
  if (!gTranscript) return 2;

  // Installed where a user has the player, so that every path on the screen is one a user
  // sees; the sample skins in the Plugins folder, as the release archive lays them out.
  HostDir host("C:\\Program Files\\Winamp\\");
  if (!InstallFile(ExeDirectory() + "gen_velmora.dll", host.Plugins() + "gen_velmora.dll")) {
    std::fprintf(gTranscript, "FAIL  the plugin cannot be installed\n");
    return 1;
  }
  const std::string installedSkins = host.Plugins() + "velmora_skins\\";
  CreateDirectoryA(installedSkins.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  if (HANDLE search = FindFirstFileA((skins + "*.bmp").c_str(), &found);
      search != INVALID_HANDLE_VALUE) {
    do {
      CopyFileA((skins + found.cFileName).c_str(), (installedSkins + found.cFileName).c_str(),
                FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  WriteFile(host.Ini(), ReplaceAll(ReadFile(demo + "gen_velmora.Ini"), "%SKINS%", installedSkins));
  Player player(host);
  const DWORD pid = player.Proc().Id();
  auto waitLog = [&](const std::string& line, int count = 1) {
    return WaitFor([&] { return player.Count(line) >= count; }, 10000);
  };
  // The engine drops a key that comes while the previous one is handled: each step
  // waits for its command's last message to the player, then a little longer.
  auto settle = [] { Pump(250); };

  Step(player.Window() != nullptr, "the player starts and loads gen_velmora.dll");
  Step(player.LogHas(
           "plugin load gen_velmora.dll version=16 description=\"DRAV v1.07   [gen_velmora.dll]\""),
       "the player lists the plugin with its description");
  Pump(300);
  Screenshot("01-player");

  Notepad notepad;
  Step(notepad.Focus(), "Wine's notepad has the focus");
  for (char c : std::string("HELLO")) Tap(static_cast<WORD>(c));
  Step(WaitFor([&] { return notepad.Text() == "hello"; }), "typing into notepad reaches notepad");

  Chord({VK_CONTROL, VK_MENU}, 'X');
  Step(waitLog("command 40045") && PopupShown(pid, "Play"),
       "Ctrl+Alt+X in notepad: Play, with its popup");
  Screenshot("02-play-popup");
  // Where the popup stood, for the README's pictures of a popup with a title.
  auto notePopup = [](const char* file) {
    if (RECT r; gLastPopup && GetWindowRect(gLastPopup, &r))
      if (FILE* f = std::fopen((gOut + file).c_str(), "w")) {
        std::fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left + 16, r.bottom - r.top + 16,
                     r.left - 8, r.top - 8);
        std::fclose(f);
      }
  };
  notePopup("popup-window.txt");
  settle();
  WaitFor([&] { return ShownPopups(pid).empty(); });
  // The user picks the next entry in the player's own window, notepad still in front.
  PostMessageA(player.Window(), WM_COMMAND, player_ids::kNext, 0);
  Step(waitLog("command 40048") && PopupShown(pid, "Now Playing"),
       "the player moves on by itself: \"Now Playing\" with the new entry's title");
  Screenshot("02-track-popup");
  notePopup("track-popup-window.txt");
  settle();
  Chord({VK_CONTROL, VK_MENU}, 'N');
  Step(PopupShown(pid, "Now Playing") && player.Count("command 40048") == 1,
       "Ctrl+Alt+N: Now Playing shows what plays and sends the player nothing");
  settle();
  Chord({VK_CONTROL, VK_MENU}, 'B');
  Step(waitLog("command 40048", 2) && PopupShown(pid, "Next"), "Ctrl+Alt+B: Next");
  settle();
  Chord({VK_CONTROL, VK_MENU}, VK_UP);
  Step(waitLog("command 40058") && PopupShown(pid, "Volume Up"),
       "Ctrl+Alt+Up: Volume Up, the level the player reports under its skin");
  Screenshot("04-volume-popup");
  notePopup("volume-popup-window.txt");
  settle();
  Chord({VK_CONTROL, VK_MENU}, 'R');
  Step(waitLog("repeat 1") && PopupShown(pid, "Repeat on"), "Ctrl+Alt+R: Repeat, now on");
  settle();
  Chord({VK_CONTROL, VK_MENU}, 'C');
  Step(waitLog("command 40046"), "Ctrl+Alt+C: Pause (the player was playing: no Play after it)");
  settle();
  Step(notepad.Text() == "hello", "notepad kept its text: the hot keys typed nothing there");

  {
    Process dial(JogdialCommand("up wait:300 up wait:1600", host.dir.Path() + "jog.log"));
    Step(dial.Wait(20000) == 0 && waitLog("command 40045", 2) && PopupShown(pid, "Play"),
         "Jog Dial gesture up, up: Play, read when the gesture's window closes");
    Screenshot("03-gesture-popup");
  }
  settle();

  notepad.Focus();
  Chord({VK_CONTROL, VK_MENU}, 'I');
  HWND dialog = nullptr;
  Step(WaitFor([&] { return (dialog = FileInfoDialog(player.Window())) != nullptr; }) &&
           WaitFor([&] { return GetForegroundWindow() == dialog; }),
       "Ctrl+Alt+I: the File-info dialog opens, centred, in front");
  Pump(300);
  Screenshot("04-file-info");
  Chord({VK_CONTROL, VK_MENU}, 'I');
  Step(WaitFor([&] { return !IsWindow(dialog); }) &&
           WaitFor([&] { return GetForegroundWindow() == notepad.Main(); }),
       "Ctrl+Alt+I again: the dialog closes, notepad is in front again");
  settle();

  Chord({VK_CONTROL, VK_MENU}, 'E');
  Step(PopupShown(pid, "Disabled"), "Ctrl+Alt+E: operation off, the Disabled popup");
  Screenshot("05-disabled-popup");
  settle();
  const int stops = player.Count("command 40047");
  Chord({VK_CONTROL, VK_MENU}, 'V');
  Pump(500);
  Step(player.Count("command 40047") == stops, "Ctrl+Alt+V while off: nothing reaches the player");
  Chord({VK_CONTROL, VK_MENU}, 'E');
  Step(PopupShown(pid, "Enabled"), "Ctrl+Alt+E: operation on again, the Enabled popup");
  settle();
  Chord({VK_CONTROL, VK_MENU}, 'V');
  Step(waitLog("command 40047"), "Ctrl+Alt+V: Stop");
  settle();

  Chord({VK_CONTROL, VK_MENU}, 'W');
  Step(waitLog("syscommand 0xF020") && WaitFor([&] { return IsIconic(player.Window()) != FALSE; }),
       "Ctrl+Alt+W: the player is minimised");
  Screenshot("06-player-minimised");
  ShowWindow(player.Window(), SW_HIDE);
  notepad.Focus();
  // The minimise's handler may still run (it gives the focus back): a key that comes then
  // is dropped and changes nothing, so it is pressed again.
  bool restored = false;
  for (int tries = 0; tries < 5 && !restored; ++tries) {
    if (tries > 0) CountRepeat("input");
    Chord({VK_CONTROL, VK_MENU}, 'W');
    restored = WaitFor([&] { return player.Count("syscommand 0xF120") >= 1; }, 2500);
  }
  Step(restored &&
           WaitFor([&] { return IsWindowVisible(player.Window()) && !IsIconic(player.Window()); }),
       "the player hidden, Ctrl+Alt+W brings it back restored");
  Pump(300);
  Screenshot("07-player-shown");
  settle();

  // The configuration dialog, opened from the player's File menu as a user does.
  Focus(player.Window());
  Chord({VK_MENU}, 'F');
  Pump(300);
  Tap('C');
  ConfigDialog config = ConfigDialog::Find(pid);
  Step(config.Window != nullptr, "File, Configure plugin: the configuration dialog opens");
  // Where the dialog stands on the screen, for the pictures cut from the screen shots.
  if (RECT r; config.Window && GetWindowRect(config.Window, &r))
    if (FILE* f = std::fopen((gOut + "config-window.txt").c_str(), "w")) {
      std::fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
      std::fclose(f);
    }
  Pump(250);
  Screenshot("08-config-logo-fading");
  WaitFor([] { return false; }, 1500);  // the logo's fade ends
  Screenshot("09-config-key");
  HWND open = config.ById(HotKeyId(5));
  ClickControl(open);
  Chord({VK_CONTROL, VK_MENU}, 'O');
  Step(WaitFor([&] { return HotKeyWordOf(open) == 0xC04F; }),
       "a new hot key typed into the Open box: Ctrl+Alt+O");
  Step(config.ShowPage(1), "the JogDial page");
  HWND openGesture = config.ById(GestureId(5));
  ClickControl(openGesture);
  Pump(300);
  Tap(VK_ESCAPE);
  Pump(200);
  for (int i = 1; i <= 4; ++i) {
    Tap(VK_DOWN);
    WaitFor([&] { return SendMessageA(openGesture, CB_GETCURSEL, 0, 0) == i; }, 2000);
  }
  Step(SendMessageA(openGesture, CB_GETCURSEL, 0, 0) == 4, "Open's gesture picked: down, down");
  Screenshot("10-config-jogdial");
  Step(config.ShowPage(2), "the Popup page");
  HWND preview = FindWindowExA(config.ById(IdPreviewPanel), nullptr, "VelmoraPopup", nullptr);
  bool recoloured = false;
  for (int tries = 0; tries < 3 && !recoloured; ++tries) {
    if (tries > 0) CountRepeat("input");
    ClickControl(config.ById(IdFormColor));  // "&FormColor"
    HWND chooser = nullptr;
    if (!WaitFor([&] { return (chooser = FindOwnedWindow(config.Window, "#32770")) != nullptr; }))
      break;
    RECT cell;
    GetWindowRect(GetDlgItem(chooser, 720), &cell);
    Pump(300);
    // A colour of the third row; the chooser's cells grow with the display scale.
    const int x = cell.left + Scaled(8), y = cell.top + Scaled(6 + 2 * 24);
    const COLORREF chosen = ScreenPixel(x, y);
    ClickAt(x, y);
    Pump(300);
    if (tries == 0) Screenshot("11-colour-chooser");
    Tap(VK_RETURN);
    WaitFor([&] { return !IsWindow(chooser); });
    RECT r;
    GetWindowRect(preview, &r);
    recoloured = WaitFor([&] { return ScreenPixel(r.right - 4, r.bottom - 4) == chosen; }, 3000);
  }
  Step(recoloured, "FormColor through the colour chooser: the preview takes it at once");
  Screenshot("12-config-popup");
  Step(config.ShowPage(3), "the System page");
  Screenshot("13-config-system");
  Step(config.ShowPage(4), "the Wheel page");
  Screenshot("14-config-wheel");
  Step(config.ShowPage(5), "the More keys page: the player's other actions");
  Screenshot("15-config-more");
  PostMessageA(config.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
  Step(WaitFor([&] { return player.LogHas("plugin config gen_velmora.dll done"); }, 15000),
       "the close box ends the dialog; config returns");
  notepad.Focus();
  Chord({VK_CONTROL, VK_MENU}, 'O');
  Step(waitLog("command 40029"), "Ctrl+Alt+O in notepad: Open, the new hot key works at once");
  settle();

  if (show) {
    std::printf("close the player window to end the demo\n");
    std::fflush(stdout);
    player.Proc().Wait(24 * 3600 * 1000);
  } else {
    Step(player.Close() == 0, "closing the player calls quit and the player exits with 0");
  }
  Step(player.LogHas("plugin quit gen_velmora.dll done"), "quit ran");
  CopyFileA(host.Log().c_str(), (gOut + "player-events.log").c_str(), FALSE);
  CopyFileA(host.Ini().c_str(), (gOut + "gen_velmora.Ini").c_str(), FALSE);
  std::fprintf(gTranscript, "%d step(s) failed\n", gFailures);
  std::fclose(gTranscript);
  return gFailures ? 1 : 0;
}
