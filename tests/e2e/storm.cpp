#include "tools/player/player_ids.h"
#include "storm.h"

#include <cstdio>
#include <vector>

namespace testsupport {

namespace {

constexpr WORD kHotKey = VK_F6;  // Volume Up below; types nothing into notepad
const char kVolumeUp[] = "command 40058";

int TextLength(HWND edit) {
  DWORD_PTR n = 0;
  SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &n);
  return static_cast<int>(n);
}

void AddKey(std::vector<INPUT>& in, WORD vk) {
  in.push_back(KeyInput(vk, false));
  in.push_back(KeyInput(vk, true));
}

}  // namespace

Resources ReportResources(Player& player) {
  const int before = player.Count("command " + std::to_string(player_ids::kReportResources));
  PostMessageA(player.Window(), WM_COMMAND, player_ids::kReportResources, 0);
  Resources r;
  WaitFor(
      [&] {
        if (player.Count("command " + std::to_string(player_ids::kReportResources)) <= before)
          return false;
        const auto log = player.Log();
        for (auto it = log.rbegin(); it != log.rend(); ++it)
          if (std::sscanf(it->c_str(),
                          "resources windows=%d gdi=%ld user=%ld gdifree=%ld private=%ld",
                          &r.Windows, &r.Gdi, &r.User, &r.GdiFree, &r.PrivateBytes) == 5)
            return true;
        return false;
      },
      20000);
  return r;
}

std::string StormSettings(bool rawInput) {
  return "[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=1\r\nShowTime=30\r\n[HotKeys]\r\n6=" +
         std::to_string(kHotKey) + "\r\n[System]\r\nUseRawInput=" + (rawInput ? "1" : "0") + "\r\n";
}

StormResult RunStorm(int keys, int popups, int burst, bool plugin, bool rawInput) {
  HostDir host;
  if (!plugin) DeleteFileA((host.Plugins() + "gen_velmora.dll").c_str());
  WriteFile(host.Ini(), StormSettings(rawInput));
  Player player(host);
  if (!player.Window()) {
    StormResult s;
    s.Failure = "the player did not start";
    return s;
  }
  Notepad notepad;
  return RunStorm(player, notepad, keys, popups, burst, plugin);
}

StormResult RunStorm(Player& player, Notepad& notepad, int keys, int popups, int burst,
                     bool plugin) {
  StormResult s;
  if (!notepad.Focus()) {
    s.Failure = "notepad did not take the focus";
    return s;
  }
  const DWORD pid = player.Proc().Id();
  auto commands = [&] { return player.Count(kVolumeUp); };
  // A hot key that came while the previous one was handled is dropped (the Busy rule) and
  // leaves nothing behind: pressed again, and counted.
  auto press = [&] {
    const int before = commands();
    return PressUntil([] { Tap(kHotKey); }, [&] { return commands() > before; }, 5);
  };
  auto popupsGone = [&] { return WaitFor([&] { return ShownPopups(pid).empty(); }, 10000); };
  // Warm-up: the first popup makes what every later one shares (fonts, classes).
  if (plugin && !(press() && popupsGone())) {
    s.Failure = "the first hot key did nothing";
    return s;
  }
  Pump(200);
  s.Before = ReportResources(player);

  double start = NowMs();
  while (s.KeysTyped < keys) {
    std::vector<INPUT> in;
    const int n = std::min(burst, keys - s.KeysTyped);
    for (int i = 0; i < n; ++i) {
      if (i == n / 2) {
        AddKey(in, kHotKey);
        ++s.HotKeysInBursts;
      }
      AddKey(in, static_cast<WORD>('A' + (s.KeysTyped + i) % 26));
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    s.KeysTyped += n;
    if (!WaitFor([&] { return TextLength(notepad.Edit()) >= s.KeysTyped; }, 20000)) break;
  }
  s.KeyMs = NowMs() - start;
  s.KeysReceived = TextLength(notepad.Edit());
  if (s.KeysReceived != s.KeysTyped) s.Failure = "notepad missed keys";

  if (plugin) {
    start = NowMs();
    for (; s.Popups < popups; ++s.Popups) {
      if (s.Popups == popups / 2) {
        popupsGone();
        Pump(300);
        s.Middle = ReportResources(player);
      }
      if (!press()) {
        if (s.Failure.empty()) s.Failure = "a hot key of the popup phase did nothing";
        break;
      }
    }
    s.PopupMs = NowMs() - start;
    if (!popupsGone() && s.Failure.empty()) s.Failure = "popups stayed on the screen";
    s.PopupsLeft = static_cast<int>(ShownPopups(pid).size());
    Pump(300);
    s.After = ReportResources(player);
    s.HotKeyAfterwards = press();
    s.Commands = commands();
  } else {
    s.After = ReportResources(player);
  }
  if (player.Close() != 0 && s.Failure.empty()) s.Failure = "the player did not end cleanly";
  s.Ok = s.Failure.empty();
  return s;
}

}  // namespace testsupport
