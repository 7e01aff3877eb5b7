// The configuration dialog end to end: opened from the stand-in player's menu command,
// driven by real input, closed; the settings file and the engine show what it did.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <fstream>
#include <iterator>
#include <memory>

#include "tools/player/player_ids.h"
#include "config/uCustomIds.h"
#include "config/uCustomLayout.h"
#include "host_fixture.h"
#include "support.h"

using namespace testsupport;
using namespace velmora::dialog;

namespace {

constexpr int kKey = 0, kJog = 1, kPopup = 2, kSystem = 3;
constexpr UINT HKM_SETHOTKEY = WM_USER + 1, HKM_GETHOTKEY = WM_USER + 2;

std::string Testdata(const char* name) {
  return ExeDirectory() + "testdata\\" + name;
}

int Selection(HWND combo) {
  return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}
bool Checked(HWND check) {
  return SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
COLORREF Inside(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  return ScreenPixel(r.right - 4, r.bottom - 4);
}
std::string Where(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}
SIZE SizeOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}
std::string ToUtf8(const wchar_t* text) {
  char out[1024];
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
  return n > 0 ? std::string(out) : std::string();
}
// Selects the whole text of the focused edit box (Home, Shift+End).
void SelectAll() {
  Tap(VK_HOME);
  Key(VK_SHIFT, false);
  Tap(VK_END);
  Key(VK_SHIFT, true);
  Pump(50);
}

class Config : public HostTest {
 protected:
  // Opens the dialog as a user does, through the player's "Configure plugin" command.
  // The pointer parked where no window of the case appears first: a window coming up under
  // it makes X resend its keymap, and a click the last case's control took late would land
  // on the new dialog.
  ConfigDialog Open() {
    MouseTo(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    Focus(player_->Window());
    PostMessageA(player_->Window(), WM_COMMAND, player_ids::kConfigPlugin, 0);
    ConfigDialog d = ConfigDialog::Find(player_->Proc().Id());
    if (d.Window) Focus(d.Window);
    return d;
  }
  bool Closed(int times = 1) {
    return WaitFor([&] { return player_->Count("plugin config gen_velmora.dll done") >= times; },
                   15000);
  }
  // The dialog in front and the box focused: a click or an activation Wine lost is given
  // again whole, and counted.
  bool FocusBox(const ConfigDialog& d, HWND box) {
    return Retry(
        "activation", 3, 3000,
        [&] {
          Focus(d.Window);
          ClickControl(box);
        },
        [&] { return FocusIn(d.Window) == box && GetForegroundWindow() == d.Window; });
  }
  // A chord typed into the hot-key box until it shows word: focus, chord and all given
  // again when Wine lost a part.
  bool TypeChord(const ConfigDialog& d, HWND box, std::initializer_list<WORD> modifiers, WORD vk,
                 unsigned word) {
    return Retry(
        "input", 3, 3000,
        [&] {
          if (FocusBox(d, box)) Chord(modifiers, vk);
        },
        [&] { return HotKeyWordOf(box) == word; });
  }
  void CloseBox(const ConfigDialog& d, int times = 1) {
    PostMessageA(d.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Closed(times));
  }
};

const char kKnown[] =
    "[HotKeys]\r\n0=24696\r\n1=117\r\n3=0\r\n8=16503\r\n"
    "[JogDials]\r\n0=3\r\n4=1\r\n6=20\r\n"
    "[Interval]\r\nIgnoreInterval=150\r\nCommandInterval=900\r\n"
    "[Use]\r\nKey=1\r\nJogDial=0\r\n"
    "[Popup]\r\nUsePopup=1\r\nShowTime=700\r\nFontSize=12\r\nShowOnActiveMonitor=1\r\n"
    "HideOverFullScreen=0\r\n"
    "[System]\r\nUseSendMessage=1\r\nUseJpFont=0\r\nID3AtCenter=1\r\nRepeatVolume=0\r\n"
    "ExcludedPrograms= mstsc.exe;\"C:\\Games\\x.exe\"\r\n"
    "[Skins]\r\n1=C:\\a\\Play.bmp\r\n2=D:\\b\\Pause.bmp\r\nDisable=C:\\a\\Off.bmp\r\n";

}  // namespace

// The dialog's pages, as the layout lists them.
static int PageCount() {
  int n = 0;
  for (const TRow& r : kFrame) n += r.Kind == TKind::Sheet;
  return n;
}

static const char* ClassOfKind(TKind kind) {
  switch (kind) {
    case TKind::Edit:
      return "Edit";
    case TKind::Combo:
      return "ComboBox";
    case TKind::HotKey:
      return "msctls_hotkey32";
    case TKind::Panel:
      return "VelmoraPanel";
    default:
      return "Button";  // check boxes, buttons, groups
  }
}

// The tests find the controls by id; here each one with an id, and each label of a fixed
// size, is where the layout tables put it, at the bench's display scale: every place scaled
// by dpi / 96, and moved down by what the captions that wrapped above it added.
TEST_F(Config, EachControlStandsWhereTheLayoutPutsItUnderItsId) {
  Start("");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  for (int page = 1; page < PageCount(); ++page) ASSERT_TRUE(d.ShowPage(page));
  std::vector<TRow> rows;
  auto add = [&](const auto& table) {
    for (const TRow& r : table)
      if (r.Kind != TKind::Sheet && r.Kind != TKind::Image && r.Kind != TKind::Page &&
          r.Kind != TKind::Rule && (r.Id || r.Kind == TKind::Label))
        rows.push_back(r);
  };
  add(kFrame);
  add(kJogTimes);
  add(kPopupPage);
  add(kSystemPage);
  add(kWheelPage);
  for (const TCommandRow& r : kCommandRows) {
    const int command = static_cast<int>(r.Command);
    rows.push_back({HotKeyId(command), TKind::HotKey, IdKeyPage, r.Left, r.Top, 0, 0, ""});
    rows.push_back({GestureId(command), TKind::Combo, IdJogPage, r.Left, r.Top, 0, 0, ""});
  }
  for (const TSkinRow& r : kSkinRows) {
    const bool off = r.Command < 0;
    rows.push_back({off ? IdDisableSkin : SkinId(r.Command), TKind::Edit, IdSkinGroup, r.Left,
                    r.Top, 0, 0, ""});
    rows.push_back({off ? IdDisableSkinRef : SkinRefId(r.Command), TKind::Button, IdSkinGroup,
                    r.Left + 103, r.Top, 0, 0, ""});
  }
  // Top down, each row moved by what the captions that wrapped above it in its parent added.
  std::stable_sort(rows.begin(), rows.end(),
                   [](const TRow& a, const TRow& b) { return a.Top < b.Top; });
  std::vector<std::pair<const TRow*, long>> grown;
  int checked = 0;
  for (const TRow& r : rows) {
    const HWND parent = r.Parent ? d.ById(r.Parent) : d.Window;
    ASSERT_NE(parent, nullptr) << r.Parent;
    long moved = 0;
    for (const auto& [above, growth] : grown)
      if (above->Parent == r.Parent && above->Top < r.Top) moved += growth;
    const bool label = r.Kind == TKind::Label;
    const HWND at = d.At(parent, label ? "Static" : ClassOfKind(r.Kind), Scaled(r.Left),
                         Scaled(r.Top) + static_cast<int>(moved));
    if (label && r.Left < 0) continue;  // its right edge placed: its left is its caption's
    EXPECT_NE(at, nullptr) << (label ? r.Caption : std::to_string(r.Id));
    if (!label) {
      EXPECT_EQ(at, d.ById(r.Id)) << r.Id;
    }
    if (at && r.Height && (label || r.Kind == TKind::Check || r.Kind == TKind::Button))
      grown.push_back({&r, std::max(0L, SizeOf(at).cy - Scaled(r.Height))});
    ++checked;
  }
  EXPECT_GE(checked, 75);
  RECT client;
  GetClientRect(d.Window, &client);
  EXPECT_EQ(client.right, Scaled(427));
  EXPECT_EQ(client.bottom, Scaled(367));
  CloseBox(d);
}

// Every caption of every page reads whole: its extent in the dialog's font (a check
// box's with the glyph and gap the system draws before it) fits the control's width, and
// a caption wrapped onto more lines fits its height.
TEST_F(Config, NoCaptionIsCutOff) {
  Start("");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  for (int page = 1; page < PageCount(); ++page) ASSERT_TRUE(d.ShowPage(page));
  const HDC dc = GetDC(nullptr);
  const HFONT font = CreateFontW(-Scaled(12), 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0,
                                 0, 0, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
  const HGDIOBJ old = SelectObject(dc, font);
  int checked = 0;
  for (HWND w : ChildWindows(d.Window)) {
    const std::string cls = ClassOf(w);
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    const LONG kind = style & BS_TYPEMASK;
    const bool check = cls == "Button" && (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX);
    const bool button = cls == "Button" && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON);
    const bool label = cls == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
    // Every page's controls, those of pages not in front too; not a line that is hidden.
    if ((!check && !button && !label) || !(style & WS_VISIBLE)) continue;
    wchar_t text[256];
    const int n = GetWindowTextW(w, text, 256);
    if (n == 0) continue;
    RECT r;
    GetClientRect(w, &r);
    // The system's check glyph (12 pixels at 96 dpi, and one) and half a digit's gap.
    int digit = 0;
    GetCharWidth32W(dc, L'0', L'0', &digit);
    const int glyph = check ? 12 * BenchDpi() / 96 + 1 + digit / 2 : 0;
    const int padding = button ? 4 : 0;
    RECT need{0, 0, r.right - glyph - padding, 0};
    DrawTextW(dc, text, n, &need, DT_CALCRECT | DT_WORDBREAK);
    RECT line{0, 0, 0, 0};
    DrawTextW(dc, text, n, &line, DT_CALCRECT | DT_SINGLELINE);
    const bool wraps = line.right > r.right - glyph - padding;
    EXPECT_LE(wraps ? need.right : line.right, r.right - glyph - padding) << ToUtf8(text);
    EXPECT_LE(need.bottom, r.bottom + 1) << ToUtf8(text);  // every line within the control
    if (wraps && check) {                                  // a label wraps by itself
      EXPECT_TRUE(style & BS_MULTILINE) << ToUtf8(text);
    }
    ++checked;
  }
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  EXPECT_GE(checked, 60);
  // The preview's sample, text and frame, lies wholly inside its panel.
  const HWND panel = d.ById(IdPreviewPanel);
  const HWND preview = FindWindowExA(panel, nullptr, "VelmoraPopup", nullptr);
  ASSERT_NE(preview, nullptr);
  RECT inner, sample;
  GetClientRect(panel, &inner);
  GetWindowRect(preview, &sample);
  MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&sample), 2);
  EXPECT_GE(sample.left, 0);
  EXPECT_GE(sample.top, 0);
  EXPECT_LE(sample.right, inner.right);
  EXPECT_LE(sample.bottom, inner.bottom);
  CloseBox(d);
}

TEST_F(Config, EveryControlShowsItsSettingAndTheCloseBoxSavesThemAsTheyWere) {
  Start(kKnown);
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  EXPECT_TRUE(IsWindowVisible(d.Sheet(kKey)));           // it opens on the Key page
  EXPECT_EQ(HotKeyWordOf(d.ById(HotKeyId(1))), 117u);    // Play
  EXPECT_EQ(HotKeyWordOf(d.ById(HotKeyId(0))), 24696u);  // Prev
  EXPECT_EQ(HotKeyWordOf(d.ById(HotKeyId(8))), 16503u);  // Enable
  EXPECT_EQ(HotKeyWordOf(d.ById(HotKeyId(3))), 0u);      // Stop
  EXPECT_TRUE(Checked(d.ById(IdUseKey)));
  // Closed at once: the pages never shown save what they were given too.
  CloseBox(d);
  const std::string saved = ReadFile(host_.Ini());
  EXPECT_EQ(IniInt("JogDials", "0"), 3);
  EXPECT_EQ(IniInt("Use", "JogDial"), 0);
  EXPECT_EQ(IniInt("System", "UseJpFont"), 0);
  EXPECT_EQ(IniInt("System", "ID3AtCenter"), 1);
  EXPECT_EQ(IniInt("Popup", "ShowOnActiveMonitor"), 1);
  EXPECT_EQ(IniInt("Popup", "HideOverFullScreen"), 0);
  // Opened again, every page as the user sees it.
  const ConfigDialog again = Open();
  ASSERT_NE(again.Window, nullptr);
  ASSERT_TRUE(again.ShowPage(kJog));
  EXPECT_EQ(Selection(again.ById(GestureId(0))), 3);   // Prev
  EXPECT_EQ(Selection(again.ById(GestureId(4))), 1);   // Next
  EXPECT_EQ(Selection(again.ById(GestureId(6))), -1);  // 20: none
  EXPECT_EQ(ControlText(again.ById(IdIgnoreInterval)), "150");
  EXPECT_EQ(ControlText(again.ById(IdCommandInterval)), "900");
  EXPECT_FALSE(Checked(again.ById(IdUseJogDial)));
  // The JogDial page is greyed: its switch is off.
  EXPECT_FALSE(IsWindowEnabled(again.ById(GestureId(0))));
  ASSERT_TRUE(again.ShowPage(kPopup));
  EXPECT_EQ(ControlText(again.ById(IdShowTime)), "700");
  EXPECT_EQ(ControlText(again.ById(IdFontSize)), "12");
  EXPECT_TRUE(Checked(again.ById(IdUsePopup)));
  EXPECT_EQ(ControlText(again.ById(SkinId(1))), "C:\\a\\Play.bmp");
  EXPECT_EQ(ControlText(again.ById(SkinId(2))), "D:\\b\\Pause.bmp");
  EXPECT_EQ(ControlText(again.ById(IdDisableSkin)), "C:\\a\\Off.bmp");
  EXPECT_EQ(ControlText(again.ById(IdSkinDirectory)), "");  // not one common folder
  ASSERT_TRUE(again.ShowPage(kSystem));
  EXPECT_TRUE(Checked(again.ById(IdUseSendMessage)));
  EXPECT_FALSE(Checked(again.ById(IdUseJpFont)));
  EXPECT_TRUE(Checked(again.ById(IdID3AtCenter)));
  EXPECT_TRUE(Checked(again.ById(IdShowOnActiveMonitor)));
  EXPECT_FALSE(Checked(again.ById(IdHideOverFullScreen)));
  EXPECT_FALSE(Checked(again.ById(IdRepeatVolume)));
  // The list as the file has it, the profile API's trimming aside.
  EXPECT_EQ(ControlText(again.ById(IdExcludedPrograms)), "mstsc.exe;\"C:\\Games\\x.exe\"");
  CloseBox(again, 2);
  EXPECT_EQ(ReadFile(host_.Ini()), saved);
  EXPECT_EQ(IniInt("HotKeys", "0"), 24696);
  EXPECT_EQ(IniInt("HotKeys", "8"), 16503);
  EXPECT_EQ(IniInt("JogDials", "0"), 3);
  EXPECT_EQ(IniInt("JogDials", "6"), 255);  // no selection
  EXPECT_EQ(IniInt("Interval", "IgnoreInterval"), 150);
  EXPECT_EQ(IniInt("Popup", "ShowTime"), 700);
  EXPECT_EQ(IniInt("System", "UseJpFont"), 0);
  EXPECT_EQ(IniString("Skins", "Disable"), "C:\\a\\Off.bmp");
  EXPECT_EQ(IniString("Skins", "2"), "D:\\b\\Pause.bmp");
}

TEST_F(Config, TypedValuesAreSavedByOkAndTheNewHotKeyWorksAtOnce) {
  Start(kKnown);
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  // Stop: Ctrl+Shift+Home, a key of the separate block; stored without the extended flag.
  HWND stop = d.ById(HotKeyId(3));
  ASSERT_TRUE(TypeChord(d, stop, {VK_CONTROL, VK_SHIFT}, VK_HOME, 0x6024)) << HotKeyWordOf(stop);
  ASSERT_TRUE(d.ShowPage(kJog));
  HWND useJog = d.ById(IdUseJogDial);
  HWND stopGesture = d.ById(GestureId(3));
  auto dropped = [&] { return SendMessageA(stopGesture, CB_GETDROPPEDSTATE, 0, 0) != 0; };
  // The JogDial switch on wakes the page. The click on the combo box gives it the focus and
  // opens the list; Escape closes it, the focus stays. Wine sometimes loses a click, or
  // gives it where the pointer was before (on the switch): the whole step is given again,
  // and counted.
  const bool focused = Retry(
      "click", 3, 1500,
      [&] {
        if (!Checked(useJog)) {
          ASSERT_TRUE(ClickUntil(useJog, [&] { return Checked(useJog); }));
        }
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(stopGesture) != FALSE; }));
        ClickControl(stopGesture);
        if (WaitFor(dropped, 1500)) Tap(VK_ESCAPE);
        ASSERT_TRUE(WaitFor([&] { return !dropped(); }));
      },
      [&] { return FocusIn(stopGesture) == stopGesture; });
  ASSERT_TRUE(focused) << ClassOf(FocusIn(stopGesture)) << " id "
                       << GetDlgCtrlID(FocusIn(stopGesture));
  const int first = Selection(stopGesture);
  // Down moves one item while the box is closed. Wine can drop a key queued right after the
  // list closed; a dropped key changed nothing, so it is given again.
  for (int target = first + 1; target <= 2; ++target)
    Retry(
        "input", 3, 1500, [] { Tap(VK_DOWN); }, [&] { return Selection(stopGesture) >= target; });
  ASSERT_TRUE(WaitFor([&] { return Selection(stopGesture) == 2; })) << Selection(stopGesture);
  HWND ignore = d.ById(IdIgnoreInterval);
  ClickControl(ignore);
  SelectAll();
  Tap(VK_DELETE);  // emptied: keeps the previous value
  ASSERT_TRUE(WaitFor([&] { return ControlText(ignore).empty(); }));
  HWND command = d.ById(IdCommandInterval);
  ClickControl(command);
  SelectAll();
  TypeText("x7-5 ");  // only the digits stay
  ASSERT_TRUE(WaitFor([&] { return ControlText(command) == "75"; })) << ControlText(command);
  ClickControl(d.ById(IdOK));  // "&OK"
  ASSERT_TRUE(Closed());
  EXPECT_EQ(IniInt("HotKeys", "3"), 0x6024);
  EXPECT_EQ(IniInt("JogDials", "3"), 2);
  EXPECT_EQ(IniInt("Interval", "IgnoreInterval"), 150);
  EXPECT_EQ(IniInt("Interval", "CommandInterval"), 75);
  EXPECT_EQ(IniInt("Use", "JogDial"), 1);
  // The engine took the new hot key at once; notepad comes up away from the pointer.
  MouseTo(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  EXPECT_TRUE(Press([] { Chord({VK_CONTROL, VK_SHIFT}, VK_HOME); }, "command 40047", 1));
}

TEST_F(Config, OneCommonSkinFolderFillsTheDirectoryBoxAndTypingReDerivesTheSkins) {
  TempDir a, b;
  for (const char* f : {"Play.bmp", "Stop.bmp", "Disable.bmp"})
    CopyFileA(Testdata("rgb24.bmp").c_str(), (a.Path() + f).c_str(), FALSE);
  CopyFileA(Testdata("rgb24.bmp").c_str(), (b.Path() + "Pause.bmp").c_str(), FALSE);
  std::string ini = "[Skins]\r\n";
  for (int n = 0; n <= 10; ++n)
    ini += std::to_string(n) + "=" + a.Path() + "other" + std::to_string(n) + ".bmp\r\n";
  Start(ini);
  ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  HWND directory = d.ById(IdSkinDirectory);
  EXPECT_EQ(ControlText(directory), a.Path());
  EXPECT_EQ(ControlText(d.ById(SkinId(1))), a.Path() + "Play.bmp");  // exists
  EXPECT_EQ(ControlText(d.ById(SkinId(3))), a.Path() + "Stop.bmp");
  EXPECT_EQ(ControlText(d.ById(SkinId(2))), "");  // no Pause.bmp
  EXPECT_EQ(ControlText(d.ById(IdDisableSkin)), a.Path() + "Disable.bmp");
  // Typed: at every keystroke the skins follow the text.
  ASSERT_TRUE(d.ShowPage(kPopup));
  ClickControl(directory);
  SelectAll();
  const std::string target = b.Path().substr(0, b.Path().size() - 1);  // without its "\"
  TypeText(target.substr(0, 3));
  ASSERT_TRUE(WaitFor([&] { return ControlText(d.ById(SkinId(1))).empty(); }));
  TypeText(target.substr(3));
  ASSERT_TRUE(WaitFor([&] { return ControlText(directory) == target; }));
  EXPECT_TRUE(WaitFor([&] { return ControlText(d.ById(SkinId(2))) == b.Path() + "Pause.bmp"; }));
  EXPECT_EQ(ControlText(d.ById(SkinId(1))), "");
  CloseBox(d);
  EXPECT_EQ(IniString("Skins", "2"), b.Path() + "Pause.bmp");
  EXPECT_EQ(IniString("Skins", "1"), "");
  EXPECT_EQ(IniString("Skins", "9"), a.Path() + "other9.bmp");  // no control: kept

  // Nine in one folder, ID3 and Winamp empty (the usual case): the box stays empty.
  ini = "[Skins]\r\n";
  for (int n = 0; n <= 8; ++n) ini += std::to_string(n) + "=" + a.Path() + "Play.bmp\r\n";
  EXPECT_EQ(player_->Close(), 0u);  // quit saves: the new file comes after
  WriteFile(host_.Ini(), ini);
  player_ = std::make_unique<Player>(host_);
  d = Open();
  ASSERT_NE(d.Window, nullptr);
  EXPECT_EQ(ControlText(d.ById(IdSkinDirectory)), "");
  EXPECT_EQ(ControlText(d.ById(SkinId(2))), a.Path() + "Play.bmp");
  CloseBox(d);
}

// A skin folder whose name walks differently on each code page: on a Western one é
// (0xE9) before a "\" is a letter; on 932 the trail byte 0x5C of "ソ" and "表" is no "\".
TEST_F(Config, CodePageSkinFolderSurvivesTheCloseBoxAndOk) {
  const std::string parent =
      host_.dir.Path() + (JapaneseBench() ? "\x83\x5C\x83\x74\x83\x67\\" : "Th\xE8mes\\");
  const std::string folder = parent + (JapaneseBench() ? "\x95\x5C\\" : "Ren\xE9\\");
  ASSERT_TRUE(CreateDirectoryA(parent.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const char* names[] = {"Prev.bmp",   "Play.bmp", "Pause.bmp",    "Stop.bmp",
                         "Next.bmp",   "Open.bmp", "VolumeUp.bmp", "VolumeDown.bmp",
                         "Enable.bmp", "ID3.bmp",  "Winamp.bmp"};
  std::string ini = "[Skins]\r\n";
  for (int n = 0; n <= 10; ++n) {
    ASSERT_TRUE(CopyFileA(Testdata("rgb24.bmp").c_str(), (folder + names[n]).c_str(), FALSE));
    ini += std::to_string(n) + "=" + folder + names[n] + "\r\n";
  }
  ASSERT_TRUE(CopyFileA(Testdata("rgb24.bmp").c_str(), (folder + "Disable.bmp").c_str(), FALSE));
  ini += "Disable=" + folder + "Disable.bmp\r\n";
  Start(ini);
  auto expectKept = [&] {
    for (int n = 0; n <= 10; ++n)
      EXPECT_EQ(IniString("Skins", std::to_string(n).c_str()), folder + names[n]) << n;
    EXPECT_EQ(IniString("Skins", "Disable"), folder + "Disable.bmp");
  };
  ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  EXPECT_EQ(ControlText(d.ById(IdSkinDirectory)), folder);
  EXPECT_EQ(ControlText(d.ById(SkinId(1))), folder + "Play.bmp");
  CloseBox(d);
  expectKept();
  d = Open();
  ASSERT_NE(d.Window, nullptr);
  EXPECT_EQ(ControlText(d.ById(IdSkinDirectory)), folder);
  ASSERT_TRUE(ClickUntil(d.ById(IdOK), [&] {  // "&OK"
    return player_->Count("plugin config gen_velmora.dll done") >= 2;
  }));
  expectKept();
}

// Automation and accessibility tools set a control's state without the notification a
// click gives: what the dialog saves is what its controls show.
TEST_F(Config, StateSetOnTheControlsWithoutNotificationsIsWhatIsSaved) {
  Start(kKnown);
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  // The pages are made when first shown: shown once, as such a tool finds them.
  for (int page : {kJog, kSystem}) ASSERT_TRUE(d.ShowPage(page));
  SendMessageA(d.ById(GestureId(0)), CB_SETCURSEL, 5, 0);          // Prev: 3
  SendMessageA(d.ById(IdUseJpFont), BM_SETCHECK, BST_CHECKED, 0);  // was off
  SendMessageA(d.ById(IdUseKey), BM_SETCHECK, BST_UNCHECKED, 0);   // was on
  SendMessageA(d.ById(HotKeyId(1)), HKM_SETHOTKEY, 0x0275, 0);     // Ctrl+F6
  SendMessageA(d.ById(IdShowTime), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("900"));
  CloseBox(d);
  EXPECT_EQ(IniInt("JogDials", "0"), 5);
  EXPECT_EQ(IniInt("System", "UseJpFont"), 1);
  EXPECT_EQ(IniInt("Use", "Key"), 0);
  EXPECT_EQ(IniInt("HotKeys", "1"), 0x4075);
  EXPECT_EQ(IniInt("Popup", "ShowTime"), 900);
}

// Another program in front and back again, or a chooser opened and closed: the control
// that had the focus has it again, so that a chord typed then reaches it.
TEST_F(Config, TheFocusComesBackToItsControlWhenTheDialogIsActivatedAgain) {
  Start(kKnown);
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  HWND stop = d.ById(HotKeyId(3));
  ASSERT_TRUE(FocusBox(d, stop)) << ClassOf(FocusIn(d.Window)) << " " << Where(d.Window) << " "
                                 << Where(stop) << " " << ClassOf(GetForegroundWindow());
  // Notepad must not come up under the pointer: X would resend its keymap, and the chord's
  // held keys would read as up.
  MouseTo(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  {
    Notepad notepad;
    ASSERT_TRUE(notepad.Focus());
    // Back to the dialog: its focus is on the box again. Wine may hand the foreground
    // back to notepad a moment later (its own activation came late); the focus then
    // leaves with the foreground, and the chord would go there: the whole step is given
    // again, and counted. A focus the form lost would be lost on every try.
    const bool typed = Retry(
        "activation", 3, 3000,
        [&] {
          if (!Focus(d.Window) ||
              !WaitFor(
                  [&] { return FocusIn(d.Window) == stop && GetForegroundWindow() == d.Window; },
                  3000))
            return;
          Chord({VK_CONTROL, VK_SHIFT}, VK_F4);
        },
        [&] { return HotKeyWordOf(stop) == 0x6073; });
    EXPECT_TRUE(typed) << HotKeyWordOf(stop) << ", the focus on " << ClassOf(FocusIn(d.Window));
  }
  ASSERT_TRUE(Focus(d.Window));
  ASSERT_TRUE(d.ShowPage(kPopup));
  HWND frameColor = d.ById(IdFrameColor);
  HWND chooser = nullptr;
  ASSERT_TRUE(ClickUntil(
      frameColor, [&] { return (chooser = FindOwnedWindow(d.Window, "#32770")) != nullptr; }));
  PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }));
  EXPECT_TRUE(WaitFor([&] { return FocusIn(d.Window) == frameColor; }, 3000))
      << ClassOf(FocusIn(d.Window));
  CloseBox(d);
  EXPECT_EQ(IniInt("HotKeys", "3"), 0x6073);
}

// The player asks for the configuration again while the dialog is open: the one dialog
// comes to the front, and the engine stays paused until it closes.
TEST_F(Config, ASecondConfigWhileTheDialogIsOpenBringsTheOneForward) {
  Start(kKnown);  // Play is F6
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  Notepad notepad;
  ASSERT_TRUE(notepad.Focus());
  PostMessageA(player_->Window(), WM_COMMAND, player_ids::kConfigPlugin, 0);
  ASSERT_TRUE(Closed(1));  // the second config has returned
  const DWORD pid = player_->Proc().Id();
  EXPECT_EQ(TopLevelWindows([&](HWND w) {
              DWORD owner = 0;
              GetWindowThreadProcessId(w, &owner);
              return owner == pid && ClassOf(w) == "VelmoraForm" && IsWindowVisible(w);
            }).size(),
            1u);
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == d.Window; }, 3000));
  ASSERT_TRUE(notepad.Focus());
  Tap(VK_F6);  // paused: nothing runs
  Pump(700);
  EXPECT_EQ(player_->Count("command 40045"), 0);
  CloseBox(d, 2);
  ASSERT_TRUE(notepad.Focus());
  Retry(
      "key", 3, 2000, [] { Tap(VK_F6); }, [&] { return player_->Count("command 40045") > 0; });
  EXPECT_EQ(player_->Count("command 40045"), 1);
}

// The media keys and F13 to F24 alone are taken, other bare keys are not; an arrow key
// of a stored hot key is named as the arrow, not as the keypad's key.
TEST_F(Config, MediaKeysAloneAreTakenOtherBareKeysAreNotAndArrowsAreNamedAsPressed) {
  Start("[Use]\r\nKey=1\r\n[HotKeys]\r\n4=16422\r\n");  // Next: Ctrl+Up
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  HWND next = d.ById(HotKeyId(4));
  EXPECT_EQ(SendMessageA(next, HKM_GETHOTKEY, 0, 0), 0x0A26);  // Ctrl, extended; Up
  HWND play = d.ById(HotKeyId(1));
  ASSERT_TRUE(FocusBox(d, play));
  Tap(VK_MEDIA_PLAY_PAUSE);
  EXPECT_TRUE(WaitFor([&] { return HotKeyWordOf(play) == 0xB3; })) << HotKeyWordOf(play);
  Tap('A');
  EXPECT_TRUE(WaitFor([&] { return HotKeyWordOf(play) == 0; })) << HotKeyWordOf(play);
  Tap(VK_F13);
  EXPECT_TRUE(WaitFor([&] { return HotKeyWordOf(play) == VK_F13; })) << HotKeyWordOf(play);
  HWND stop = d.ById(HotKeyId(3));
  ASSERT_TRUE(FocusBox(d, stop));
  Chord({VK_SHIFT}, VK_VOLUME_UP);  // with Shift: refused
  Pump(300);
  EXPECT_EQ(HotKeyWordOf(stop), 0u);
  SaveScreenshot(d.Window, "config-key-media");
  CloseBox(d);
  EXPECT_EQ(IniInt("HotKeys", "1"), VK_F13);
  EXPECT_EQ(IniInt("HotKeys", "4"), 16422);
  EXPECT_EQ(IniInt("HotKeys", "3"), 0);
}

TEST_F(Config, ThePopupSwitchGreysItsPageAndTheLiveValuesReachThePreview) {
  Start("[Popup]\r\nUsePopup=1\r\nFontSize=10\r\nFormColor=0\r\n");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  ASSERT_TRUE(d.ShowPage(kPopup));
  HWND preview = FindWindowExA(d.ById(IdPreviewPanel), nullptr, "VelmoraPopup", nullptr);
  ASSERT_NE(preview, nullptr);
  // Font size typed: the preview grows at each keystroke.
  const SIZE before = SizeOf(preview);
  HWND size = d.ById(IdFontSize);
  ClickControl(size);
  SelectAll();
  TypeText("20");
  ASSERT_TRUE(WaitFor([&] { return SizeOf(preview).cy > before.cy; }));
  // The form colour through the colour chooser: the first basic colour, then OK. A click
  // lost by Wine as the chooser comes up changes nothing: the whole choice is made again.
  COLORREF chosen = 0;
  const bool applied = Retry(
      "input", 3, 3000,
      [&] {
        ClickControl(d.ById(IdFormColor));
        HWND chooser = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (chooser = FindOwnedWindow(d.Window, "#32770")) != nullptr; }));
        HWND basic = GetDlgItem(chooser, 720);
        ASSERT_NE(basic, nullptr);
        RECT cell;
        GetWindowRect(basic, &cell);
        Pump(300);
        chosen = ScreenPixel(cell.left + 8, cell.top + 6);
        ClickAt(cell.left + 8, cell.top + 6);
        Pump(300);
        Tap(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }));
      },
      [&] { return Inside(preview) == chosen; });
  EXPECT_TRUE(applied) << std::hex << Inside(preview);
  SaveScreenshot(d.Window, "config-popup");

  // The switch off: every control of the page greys, edits take the button face.
  HWND showTime = d.ById(IdShowTime);
  ClickControl(d.ById(IdUsePopup));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(showTime); }));
  // The dialog's thread greys them one after the other: each is waited for.
  for (HWND w : {d.ById(IdPopupPosition), d.ById(IdSkinDirectory), d.ById(SkinId(1)),
                 d.ById(IdDirectoryRef), preview})
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(w); }, 3000)) << ClassOf(w);
  EXPECT_TRUE(WaitFor([&] { return Inside(showTime) == GetSysColor(COLOR_BTNFACE); }));
  ClickControl(d.ById(IdUsePopup));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(showTime) != FALSE; }));
  EXPECT_TRUE(WaitFor([&] { return Inside(showTime) == GetSysColor(COLOR_WINDOW); }));
  CloseBox(d);
  EXPECT_EQ(IniInt("Popup", "FontSize"), 20);
  EXPECT_EQ(static_cast<COLORREF>(IniInt("Popup", "FormColor")), chosen);
}

TEST_F(Config, TheLogoFadesInOnceAndEndsAsThePristineImage) {
  std::ifstream in(std::string(VELMORA_LOGO_BMP), std::ios::binary);
  const std::vector<unsigned char> bmp{std::istreambuf_iterator<char>(in), {}};
  ASSERT_EQ(bmp.size(), 6694u);
  auto original = [&](int x, int y) {  // 8 bits, bottom-up rows of 216 bytes
    const unsigned char index = bmp[1078 + (25 - y) * 216 + x];
    const unsigned char* q = &bmp[54 + index * 4];
    return RGB(q[2], q[1], q[0]);
  };
  // At another display scale the logo is drawn smoothed to its scaled size: the same
  // stretch of the pristine image, made here, is what the screen must end as.
  const int w = Scaled(214), h = Scaled(26);
  std::vector<COLORREF> scaled;
  if (BenchDpi() != 96) {
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen), target = CreateCompatibleDC(screen);
    HBITMAP logo = CreateCompatibleBitmap(screen, 214, 26),
            big = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldSource = SelectObject(source, logo), oldTarget = SelectObject(target, big);
    for (int y = 0; y < 26; ++y)
      for (int x = 0; x < 214; ++x) SetPixel(source, x, y, original(x, y));
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, w, h, source, 0, 0, 214, 26, SRCCOPY);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) scaled.push_back(GetPixel(target, x, y));
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteObject(logo);
    DeleteObject(big);
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
  }
  auto expected = [&](int x, int y) { return scaled.empty() ? original(x, y) : scaled[y * w + x]; };
  Start("");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  POINT origin{Scaled(2), Scaled(340)};
  ClientToScreen(d.Window, &origin);
  auto pristine = [&] {
    for (int y = 0; y < h; y += 3)
      for (int x = 0; x < w; x += 3)
        if (ScreenPixel(origin.x + x, origin.y + y) != expected(x, y)) return false;
    return true;
  };
  EXPECT_FALSE(pristine());  // still fading
  SaveScreenshot(d.Window, "config-logo-fading");
  ASSERT_TRUE(WaitFor([&] { return pristine(); }, 10000));
  Pump(600);
  EXPECT_TRUE(pristine());  // it never starts again
  CloseBox(d);
}

TEST_F(Config, EnableDisableWorksWhileItIsOpenAndTheEngineIsOnAfterwards) {
  // The popups stay up long enough to be seen.
  Start(
      "[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=1\r\nShowTime=20000\r\n[HotKeys]\r\n1=117\r\n8="
      "118\r\n");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  Tap(VK_F6);  // Play: the engine is off while the dialog is open
  player_->Idle();
  // Enable/Disable works all the same: it switches the engine on, with its popup.
  const DWORD pid = player_->Proc().Id();
  ASSERT_TRUE(PressUntil([] { Tap(VK_F7); },
                         [&] {
                           for (const auto& p : ShownPopups(pid))
                             if (p.Text == "Enabled") return true;
                           return false;
                         }));
  EXPECT_EQ(player_->Count("command 40045"), 0);
  CloseBox(d);
  FocusNotepad();
  EXPECT_TRUE(Press(VK_F6, "command 40045"));
}

TEST_F(Config, ARefButtonPicksASkinFileThroughTheOpenDialogWithItsPreview) {
  TempDir skins;
  const std::string file = skins.Path() + "MyPlay.bmp";
  CopyFileA(Testdata("rgb24.bmp").c_str(), file.c_str(), FALSE);
  Start("");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  ASSERT_TRUE(d.ShowPage(kPopup));
  HWND dialog = nullptr;
  Retry(
      "input", 3, 3000, [&] { ClickControl(d.ById(SkinRefId(1))); },  // Play's "Ref..."
      [&] { return (dialog = FindOwnedWindow(d.Window, "#32770")) != nullptr; });
  ASSERT_NE(dialog, nullptr);
  char title[64] = {};
  GetWindowTextA(dialog, title, sizeof title);
  EXPECT_STREQ(title, "Select skin file");
  EXPECT_NE(FindWindowExA(dialog, nullptr, "VelmoraPicturePane", nullptr), nullptr);
  // The file name typed into the dialog's name box, then Enter.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(WaitFor([&] {
    return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) &&
           info.hwndActive == dialog && info.hwndFocus != nullptr;
  }));
  Pump(300);
  TypeText(file);
  Tap(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(WaitFor([&] { return ControlText(d.ById(SkinId(1))) == file; }))
      << ControlText(d.ById(SkinId(1)));
  // The dialog is back in front, and its thread did not wait for input that never came.
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == d.Window; }));
  CloseBox(d);
  EXPECT_EQ(IniString("Skins", "1"), file);
}

TEST_F(Config, TheHookSwitchesWaitForTheNextStart) {
  Start("[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=0\r\n[HotKeys]\r\n1=117\r\n");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  HWND useKey = d.ById(IdUseKey);
  ClickControl(useKey, 6);
  ASSERT_TRUE(WaitFor([&] { return !Checked(useKey); }));
  CloseBox(d);
  EXPECT_EQ(IniInt("Use", "Key"), 0);
  Notepad notepad;  // the keyboard hook of this run stays in place
  ASSERT_TRUE(notepad.Focus());
  Tap(VK_F6);
  EXPECT_TRUE(WaitFor([&] { return player_->LogHas("command 40045"); }));
}

// The raw-input switch: loaded and saved as the other switches, effective at the next
// start; meanwhile the keyboard hook of this run goes on alone (no key runs twice).
TEST_F(Config, TheRawInputSwitchIsSavedAndTakesOverAtTheNextStart) {
  Start("[Use]\r\nKey=1\r\n[Popup]\r\nUsePopup=0\r\n[HotKeys]\r\n1=117\r\n");
  ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  ASSERT_TRUE(d.ShowPage(kSystem));
  HWND useRaw = d.ById(IdUseRawInput);
  ASSERT_NE(useRaw, nullptr);
  EXPECT_GE(SizeOf(useRaw).cx, Scaled(390));
  EXPECT_FALSE(Checked(useRaw));
  ASSERT_TRUE(ClickUntil(useRaw, [&] { return Checked(useRaw); }));
  CloseBox(d);
  EXPECT_EQ(IniInt("System", "UseRawInput"), 1);
  FocusNotepad();
  ASSERT_TRUE(Press(VK_F6, "command 40045"));
  Pump(500);
  EXPECT_EQ(player_->Count("command 40045"), 1);
  EXPECT_EQ(player_->Close(), 0u);
  player_ = std::make_unique<Player>(host_);  // raw input now
  d = Open();
  ASSERT_NE(d.Window, nullptr);
  ASSERT_TRUE(d.ShowPage(kSystem));
  EXPECT_TRUE(Checked(d.ById(IdUseRawInput)));
  CloseBox(d);
  FocusNotepad();
  ASSERT_TRUE(Press(VK_F6, "command 40045"));
  Pump(500);
  EXPECT_EQ(player_->Count("command 40045"), 1);
}

// A combination another program holds (the stand-in player's system hot key, F11) loaded
// into a box shows the line under it when the dialog opens: such a chord cannot be typed,
// the system turns it into the holder's hot key. A free one typed into the box removes it.
TEST_F(Config, ACombinationAnotherProgramHoldsIsNamedUnderItsBoxUntilAFreeOneIsTyped) {
  Start("[Use]\r\nKey=1\r\n[HotKeys]\r\n1=122\r\n0=24696\r\n", "--hotkey 122");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  const HWND play = d.ById(HotKeyId(1)), line = d.ById(ConflictId(1));
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(IsWindowVisible(line));
  EXPECT_EQ(ControlText(line), "Another program holds this combination");
  EXPECT_FALSE(IsWindowVisible(d.ById(ConflictId(0))));  // Prev's is free
  // Under its box, within the gap above the next row's caption.
  RECT box, under;
  GetWindowRect(play, &box);
  GetWindowRect(line, &under);
  EXPECT_EQ(under.left, box.left);
  EXPECT_EQ(under.top, box.bottom);
  // Its small print reads whole in its width and stays clear of the next row's box.
  const HDC dc = GetDC(nullptr);
  const HFONT small =
      CreateFontA(-Scaled(8), 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Small Fonts");
  const HGDIOBJ old = SelectObject(dc, small);
  SIZE text{};
  GetTextExtentPoint32A(dc, "Another program holds this combination", 38, &text);
  SelectObject(dc, old);
  DeleteObject(small);
  ReleaseDC(nullptr, dc);
  EXPECT_LE(text.cx, under.right - under.left);
  RECT next;
  GetWindowRect(d.ById(HotKeyId(3)), &next);  // Stop, the row below Play
  EXPECT_LT(under.bottom, next.top);
  ASSERT_TRUE(TypeChord(d, play, {VK_CONTROL, VK_MENU}, 'P', 0xC050))
      << HotKeyWordOf(play) << ", the focus on " << ClassOf(FocusIn(d.Window));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(line); }));
  CloseBox(d);
  EXPECT_EQ(IniInt("HotKeys", "1"), 0xC050);
}

// The More keys page: the row picked in the list takes the chord typed into the box, Clear
// empties another row, both are saved (a cleared row leaves the file), and a combination
// another program holds is named under the box for the row that has it.
TEST_F(Config, TheMoreKeysPageAssignsClearsAndSavesAndNamesATakenCombination) {
  Start("[Use]\r\nKey=1\r\n[HotKeys]\r\n13=122\r\n18=119\r\n", "--hotkey 122");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  ASSERT_TRUE(d.ShowPage(5));
  const HWND list = d.ById(IdMoreList), box = d.ById(IdMoreHotKey), line = d.ById(IdMoreConflict);
  ASSERT_NE(list, nullptr);
  // The row n down from the top, selected as the list box does it and notified to the page
  // as it notifies: the list's own mouse and keys are the system's, and under Wine a click's
  // release it lost would leave the selection made but not notified.
  auto pick = [&](int n) {
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(n), 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(IdMoreList, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  };
  pick(1);  // Stop after current: F11, which the player holds as a system hot key
  EXPECT_TRUE(WaitFor([&] { return HotKeyWordOf(box) == 122u; })) << HotKeyWordOf(box);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(line) != FALSE; }));
  pick(0);  // Stop with fade-out
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(line); }));
  ASSERT_TRUE(TypeChord(d, box, {VK_CONTROL, VK_MENU}, 'K', 0xC04B)) << HotKeyWordOf(box);
  pick(6);  // Repeat: F8 from the file
  ASSERT_TRUE(WaitFor([&] { return HotKeyWordOf(box) == 119u; })) << HotKeyWordOf(box);
  ASSERT_TRUE(ClickUntil(d.ById(IdMoreClear), [&] { return HotKeyWordOf(box) == 0; }));
  CloseBox(d);
  EXPECT_EQ(IniInt("HotKeys", "12"), 0xC04B);
  EXPECT_EQ(IniInt("HotKeys", "13"), 122);
  EXPECT_EQ(IniString("HotKeys", "18"), "");
}

// A hot-key box takes a side button pressed in it with Ctrl held: "Ctrl+Mouse 4", saved as
// the button's word.
TEST_F(Config, AHotKeyBoxTakesASideButtonWithCtrl) {
  Start("[Use]\r\nKey=1\r\n");
  const ConfigDialog d = Open();
  ASSERT_NE(d.Window, nullptr);
  const HWND play = d.ById(HotKeyId(1));
  const bool taken = Retry(
      "input", 3, 3000,
      [&] {
        if (!FocusBox(d, play)) return;
        Key(VK_CONTROL, false);
        INPUT in[2] = {};
        for (int i = 0; i < 2; ++i) {
          in[i].type = INPUT_MOUSE;
          in[i].mi.mouseData = XBUTTON1;
          in[i].mi.dwFlags = i ? MOUSEEVENTF_XUP : MOUSEEVENTF_XDOWN;
        }
        SendInput(2, in, sizeof(INPUT));
        Pump(100);
        Key(VK_CONTROL, true);
      },
      [&] { return HotKeyWordOf(play) == 0x4005; });
  ASSERT_TRUE(taken) << HotKeyWordOf(play);
  CloseBox(d);
  EXPECT_EQ(IniInt("HotKeys", "1"), 0x4005);
}
