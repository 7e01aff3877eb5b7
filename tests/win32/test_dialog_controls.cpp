// The dialog controls under real input: the keyboard through SendInput to the focused
// control, the mouse at screen positions; the dialog manager walks the tab order.
#include <gtest/gtest.h>

#include <memory>

#include "config/uCustomRules.h"
#include "config/uSimpleWebLabel.h"
#include "hook/uShortCutWord.h"
#include "config/uDummyPopup.h"
#include "settings/uIniManager.h"
#include "support.h"
#include "ui/uDialogControls.h"
#include "ui/uTexts.h"

using namespace velmora;
using namespace testsupport;

namespace {

TShortCut Word(const ui::THotKey& box) {
  return ShortCutFromHotKey(box.Value());
}

// Runs this thread's messages through the dialog manager of dialog until done() holds.
bool DialogWait(HWND dialog, const std::function<bool()>& done, int timeoutMs = 5000) {
  const DWORD end = GetTickCount() + timeoutMs;
  for (;;) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(dialog, &m)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
      }
    }
    if (done()) return true;
    if (static_cast<LONG>(GetTickCount() - end) > 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// One of each control, children given in tab order.
struct TestForm {
  ui::TForm* form = new ui::TForm(nullptr);
  ui::TLabel* lblNumber = new ui::TLabel(form);
  ui::TEdit* edtNumber = new ui::TEdit(form);
  ui::TLabel* lblKey = new ui::TLabel(form);
  ui::THotKey* hotkey = new ui::THotKey(form);
  ui::TCheckBox* check = new ui::TCheckBox(form);
  ui::TComboBox* combo = new ui::TComboBox(form);
  ui::TGroupBox* group = new ui::TGroupBox(form);
  ui::TEdit* inner = new ui::TEdit(form);
  ui::TPanel* panel = new ui::TPanel(form);
  ui::TRule* rule = new ui::TRule(form);
  ui::TImage* image = new ui::TImage(form);
  ui::TButton* ok = new ui::TButton(form);
  TSimpleWebLabelEx* link = new TSimpleWebLabelEx(form);
  int clicks = 0;

  TestForm() {
    form->DialogFrame = true;
    form->SetText("Controls");
    form->Font().SetName(texts::JapaneseFontName.Cp932);
    form->Font().SetCharset(SHIFTJIS_CHARSET);
    form->Font().SetHeight(-12);
    form->SetClientSize(320, 240);
    form->SetBounds(100, 100, form->Width(), form->Height());
    auto place = [&](ui::TWinControl* c, ui::TWinControl* parent, int l, int t, int w, int h,
                     const char* text) {
      c->SetParent(parent);
      c->SetBounds(l, t, w, h);
      c->SetText(text);
    };
    place(lblNumber, form, 10, 10, 100, 14, "&Number");
    place(edtNumber, form, 10, 24, 100, 20, "");
    edtNumber->OnKeyPress = [](wchar_t& key) {
      if (!NumericKeyPasses(key)) key = 0;
    };
    place(lblKey, form, 10, 50, 100, 14, "&Key");
    place(hotkey, form, 10, 64, 150, 18, "");
    hotkey->Accepts = HotKeyValueAccepted;
    place(check, form, 10, 90, 120, 17, "&Check");
    check->OnClick = [this] { ++clicks; };
    place(combo, form, 10, 112, 150, 20, "");
    combo->DropDownCount = 4;
    for (const char* item : {"zero", "one", "two"}) combo->AddItem(item);
    combo->SetItemIndex(0);
    place(group, form, 170, 10, 140, 80, "&Group");
    place(inner, group, 10, 24, 100, 20, "");
    place(panel, form, 170, 100, 60, 40, "");
    panel->LoweredBevel = true;
    panel->SetVisible(true);
    place(rule, form, 170, 150, 140, 2, "");
    place(image, form, 240, 100, 40, 20, "");
    image->Picture.SetDeviceBitmap(40, 20);
    place(ok, form, 240, 210, 65, 20, "&OK");
    ok->ModalResult = ui::mrOk;
    link->SetParent(form);
    link->SetBounds(10, 200, 160, 12);
    link->SetText("http://example.org/velmora");
    link->URL = "http://example.org/velmora";
    link->Font().SetName("Small Fonts");
    link->Font().SetHeight(-9);
    link->Font().SetCharset(ANSI_CHARSET);
  }
  ~TestForm() { delete form; }
  HWND Show() {
    HWND h = form->Handle();
    form->Show();
    Focus(h);
    return h;
  }
  POINT Screen(int x, int y) {
    POINT p{x, y};
    ClientToScreen(form->Handle(), &p);
    return p;
  }
};

// A chord typed by hand, each stroke through the dialog manager before the next.
void DialogChord(HWND dialog, std::initializer_list<WORD> modifiers, WORD vk) {
  auto settle = [&] {
    DialogWait(
        dialog, [] { return false; }, 40);
  };
  for (WORD m : modifiers) {
    Key(m, false);
    settle();
  }
  Key(vk, false);
  settle();
  Key(vk, true);
  settle();
  for (auto it = modifiers.end(); it != modifiers.begin();) Key(*--it, true);
  settle();
}

}  // namespace

TEST(DialogControls, TabWalksTheControlsInTabOrderAndMnemonicsJumpToTheirControl) {
  TestForm f;
  const HWND h = f.Show();
  DialogWait(
      h, [] { return false; }, 200);
  SaveScreenshot(h, "controls");
  f.edtNumber->SetFocus();
  const std::vector<ui::TWinControl*> order = {f.edtNumber, f.hotkey, f.check,
                                               f.combo,     f.inner,  f.ok};
  for (std::size_t i = 1; i < order.size(); ++i) {
    Tap(VK_TAB);
    ASSERT_TRUE(DialogWait(h, [&] { return GetFocus() == order[i]->Handle(); }))
        << "tab step " << i << " focus " << ClassOf(GetFocus()) << " fg "
        << ClassOf(GetForegroundWindow());
  }
  Tap(VK_TAB);  // round to the first again
  ASSERT_TRUE(DialogWait(h, [&] { return GetFocus() == f.edtNumber->Handle(); }));
  DialogChord(h, {VK_SHIFT}, VK_TAB);
  ASSERT_TRUE(DialogWait(h, [&] { return GetFocus() == f.ok->Handle(); }));
  DialogChord(h, {VK_MENU}, 'K');  // the label's letter: its control
  EXPECT_TRUE(DialogWait(h, [&] { return GetFocus() == f.hotkey->Handle(); }));
  DialogChord(h, {VK_MENU}, 'N');
  EXPECT_TRUE(DialogWait(h, [&] { return GetFocus() == f.edtNumber->Handle(); }));
}

TEST(DialogControls, AHotKeyBoxTakesAChordAsTypedAndRefusesBareAndShiftOnlyKeys) {
  TestForm f;
  const HWND h = f.Show();
  f.hotkey->SetFocus();
  DialogChord(h, {VK_CONTROL, VK_SHIFT}, VK_F5);
  EXPECT_TRUE(DialogWait(h, [&] { return Word(*f.hotkey) == 0x6074; })) << Word(*f.hotkey);
  DialogChord(h, {VK_SHIFT}, VK_F6);  // refused: the control keeps no Shift-only key
  DialogWait(
      h, [] { return false; }, 200);
  EXPECT_NE(Word(*f.hotkey), 0x2075);
  Tap(VK_F7);  // a bare key: refused too
  DialogWait(
      h, [] { return false; }, 200);
  EXPECT_NE(Word(*f.hotkey), 0x0076);
  // A cursor key of the separate block carries the extended flag; the word has none.
  DialogChord(h, {VK_CONTROL}, VK_LEFT);
  EXPECT_TRUE(DialogWait(h, [&] { return Word(*f.hotkey) == 0x4025; })) << Word(*f.hotkey);
  f.hotkey->SetValue(HotKeyFromShortCut(0x8041));
  EXPECT_EQ(Word(*f.hotkey), 0x8041);
}

TEST(DialogControls, ANumberBoxDropsLettersAndTheOtherControlsAnswer) {
  TestForm f;
  const HWND h = f.Show();
  int changes = 0;
  f.edtNumber->OnChange = [&] { ++changes; };
  f.edtNumber->SetFocus();
  for (WORD k : {WORD('A'), WORD('1'), WORD(VK_SPACE), WORD('2'), WORD(VK_OEM_MINUS), WORD('3')})
    Tap(k);
  ASSERT_TRUE(DialogWait(h, [&] { return f.edtNumber->Text() == "123"; })) << f.edtNumber->Text();
  EXPECT_EQ(changes, 3);
  Tap(VK_BACK);
  ASSERT_TRUE(DialogWait(h, [&] { return f.edtNumber->Text() == "12"; }));

  // A check box clicked with the mouse runs its handler.
  RECT r;
  GetWindowRect(f.check->Handle(), &r);
  ClickAt(r.left + 6, (r.top + r.bottom) / 2);
  ASSERT_TRUE(DialogWait(h, [&] { return f.clicks == 1; }));
  EXPECT_TRUE(f.check->Checked());

  // A combo box's selection by keyboard.
  int selections = 0;
  f.combo->OnChange = [&] { ++selections; };
  f.combo->SetFocus();
  Tap(VK_DOWN);
  ASSERT_TRUE(DialogWait(h, [&] { return f.combo->ItemIndex() == 1; }));
  EXPECT_EQ(selections, 1);
  f.combo->SetItemIndex(20);  // out of range: no selection
  EXPECT_EQ(f.combo->ItemIndex(), -1);
}

TEST(DialogControls, AModalRunDisablesTheOtherWindowsAndEndsByButtonOrCloseBox) {
  ui::TForm other;
  other.SetBounds(600, 500, 200, 100);
  other.Show();
  TestForm f;
  int closes = 0;
  f.form->OnClose = [&](ui::TCloseAction& a) {
    ++closes;
    EXPECT_EQ(a, ui::TCloseAction::caHide);
  };
  // Timers of this thread act from inside the modal loop.
  static bool sawDisabled;  // read by the timer actions
  static HWND otherWindow, okButton;
  sawDisabled = false;
  otherWindow = other.Handle();
  okButton = f.ok->Handle();
  // Wine can lose input given as a window comes up: the action repeats until the run has
  // ended (a second close request in one run is ignored).
  static bool firstEnded;
  firstEnded = false;
  EveryUntil(150, [] {
    if (firstEnded) return true;
    if (IsWindowEnabled(otherWindow)) return false;
    sawDisabled = true;
    Burst({VK_MENU}, VK_F4);
    return false;
  });
  EXPECT_EQ(f.form->ShowModal(), ui::mrCancel);
  firstEnded = true;
  Pump(400);  // its repeater sees the end
  EXPECT_TRUE(sawDisabled);
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
  EXPECT_FALSE(IsWindowVisible(f.form->Handle()));
  EXPECT_EQ(closes, 1);
  // The OK button's result ends it too, clicked with the mouse, and the form closes.
  static bool secondEnded;
  secondEnded = false;
  EveryUntil(150, [] {
    if (secondEnded) return true;
    RECT r;
    GetWindowRect(okButton, &r);
    MouseTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    MouseButton(true);
    MouseButton(false);
    return false;
  });
  EXPECT_EQ(f.form->ShowModal(), ui::mrOk);
  secondEnded = true;
  Pump(400);
  EXPECT_EQ(closes, 2);
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
}

TEST(DialogControls, TheWebLabelLightsUpUnderTheMouseAndOpensItsUrl) {
  StandInBrowser browser;
  TestForm f;
  const HWND h = f.Show();
  auto colourShown = [&](COLORREF colour) {
    const POINT o = f.Screen(10, 200);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 160; ++x)
        if (ScreenPixel(o.x + x, o.y + y) == colour) return true;
    return false;
  };
  auto underlined = [&](COLORREF colour) {
    const POINT o = f.Screen(10, 200);
    for (int y = 6; y < 12; ++y) {
      int run = 0;
      for (int x = 0; x < 100; ++x) run = ScreenPixel(o.x + x, o.y + y) == colour ? run + 1 : 0;
      if (run >= 40) return true;
    }
    return false;
  };
  // A move Wine drops leaves the label as it was: the move is given again.
  auto hover = [&](POINT p, bool inside) {
    return Retry(
        "input", 3, 0, [&] { MouseTo(p.x, p.y); },
        [&] {
          return DialogWait(
              h, [&] { return f.link->MouseInside() == inside; }, 1500);
        });
  };
  const POINT away = f.Screen(300, 5), on = f.Screen(20, 205);
  MouseTo(away.x, away.y);
  ASSERT_TRUE(DialogWait(h, [&] { return colourShown(RGB(0, 0, 0)); }));
  // Hover, press and release as one step: a move Wine dropped, or a pointer the label lost
  // before the release, starts nothing, and the whole step is given again (counted).
  bool lit = false, underline = false, pressed = false;
  HCURSOR cursor = nullptr;
  ASSERT_TRUE(Retry(
      "input", 3, 0,
      [&] {
        lit = underline = pressed = false;
        if (!hover(away, false) || !hover(on, true)) return;
        lit = DialogWait(h, [&] { return colourShown(RGB(0, 0, 255)); });
        underline = DialogWait(h, [&] { return underlined(RGB(0, 0, 255)); });
        cursor = f.link->Cursor;
        MouseButton(true);
        pressed = DialogWait(h, [&] { return colourShown(RGB(255, 0, 0)); });
        MouseButton(false);
      },
      [&] { return !browser.Starts(1, 2000).empty(); }));
  EXPECT_TRUE(lit);
  EXPECT_TRUE(underline);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(cursor, LoadCursor(nullptr, IDC_HAND));
  ASSERT_TRUE(
      DialogWait(h, [&] { return colourShown(RGB(0, 0, 0)) && !colourShown(RGB(0, 0, 255)); }));
  const auto starts = browser.Starts(1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0], "\"" + browser.Program() + "\" -osint -url \"http://example.org/velmora\"");
  ASSERT_TRUE(hover(away, false));
  EXPECT_EQ(f.link->Cursor, nullptr);

  // With a click handler, the handler runs and no browser starts.
  int handled = 0;
  f.link->OnClick = [&] { ++handled; };
  // A click Wine lost left nothing behind: it is given again (counted).
  ASSERT_TRUE(Retry(
      "click", 3, 0, [&] { ClickAt(on.x, on.y); },
      [&] {
        return DialogWait(
            h, [&] { return handled >= 1; }, 2000);
      }));
  EXPECT_EQ(handled, 1);
  DialogWait(
      h, [] { return false; }, 300);
  EXPECT_EQ(browser.Starts(2, 300).size(), 1u);

  // No URL: no hover look, the default cursor.
  f.link->URL.clear();
  ASSERT_TRUE(hover(away, false));
  ASSERT_TRUE(hover(on, true));
  DialogWait(
      h, [] { return false; }, 200);
  EXPECT_FALSE(colourShown(RGB(0, 0, 255)));
  EXPECT_EQ(f.link->Cursor, nullptr);
  // NormalColor's setter touches the font only on a change.
  const HFONT before = f.link->Font().Handle();
  f.link->SetNormalColor(f.link->NormalColor());
  EXPECT_EQ(f.link->Font().Handle(), before);
  f.link->SetNormalColor(RGB(0, 128, 0));
  EXPECT_EQ(f.link->Font().Color(), RGB(0, 128, 0));
}

TEST(DialogControls, TheSystemsOwnTextsReadRightOnAWesternSystem) {
  ASSERT_NE(GetACP(), 932u) << "this case is for a Western code page";
  ui::TForm form;
  auto* label = new ui::TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(0, 0, 100, 20);
  label->SetText(texts::JapaneseFontName.Cp932);
  form.SetText(texts::BitmapFormatError.Cp932);
  wchar_t text[64] = {};
  GetWindowTextW(label->Handle(), text, 64);
  EXPECT_EQ(std::wstring(text), texts::JapaneseFontName.Unicode);
  GetWindowTextW(form.Handle(), text, 64);
  EXPECT_EQ(std::wstring(text), texts::BitmapFormatError.Unicode);
  // An edit box holds outside text: the ANSI code page, both ways.
  auto* edit = new ui::TEdit(&form);
  edit->SetParent(&form);
  edit->SetText("C:\\Caf\xE9\\Play.bmp");
  GetWindowTextW(edit->Handle(), text, 64);
  EXPECT_EQ(std::wstring(text), L"C:\\Caf\u00E9\\Play.bmp");
}

namespace {

class Chooser : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA((ExeDirectory() + "Plugins").c_str(), nullptr);
    settings_ = std::make_unique<TIniManager>();
    settings_->ShowPointSet = false;
    settings_->ShowPoint = {0, 0};
  }
  void TearDown() override {
    settings_.reset();
    DeleteFileA((ExeDirectory() + "Plugins\\gen_velmora.Ini").c_str());
  }
  // Runs the chooser; close() is run from inside the modal loop once it shows.
  RECT Run(const std::function<void(HWND)>& close) {
    // Repeated until it has closed: Wine can lose input given as a window comes up.
    RECT shown{};
    HWND chooser = nullptr;
    bool finished = false;
    EveryUntil(150, [&] {
      if (chooser) {
        if (!IsWindowVisible(chooser)) return finished = true;
        close(chooser);
        return false;
      }
      HWND w = GetForegroundWindow();
      if (ClassOf(w) != "VelmoraForm" || !IsWindowVisible(w)) return false;
      chooser = w;
      GetWindowRect(w, &shown);
      close(w);
      return false;
    });
    ChoosePopupPosition(*settings_, nullptr);
    WaitFor([&] { return finished; }, 3000);  // the action is done with this frame's state
    Pump(100);                                // the chooser's release message
    return shown;
  }
  std::unique_ptr<TIniManager> settings_;
};

}  // namespace

TEST_F(Chooser, WithoutAStoredPositionItOpensCentredAndTheCloseButtonStoresWhereItIs) {
  const RECT r = Run([](HWND w) {
    SetWindowPos(w, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SaveScreenshot(w, "chooser");
    Tap(VK_SPACE);  // "&Close" has the focus
  });
  const int w = r.right - r.left, h = r.bottom - r.top;
  EXPECT_EQ(r.left, (1024 - w) / 2);
  EXPECT_EQ(r.top, (768 - h) / 2);
  EXPECT_TRUE(settings_->ShowPointSet);
  EXPECT_EQ(settings_->ShowPoint.x, 40);
  EXPECT_EQ(settings_->ShowPoint.y, 50);
}

TEST_F(Chooser, AStoredPositionOffTheScreenIsWhereItOpensAndTheCloseBoxStoresToo) {
  settings_->SetShowPoint({-60, 900});
  const RECT r = Run([](HWND w) {
    SetWindowPos(w, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(r.left, -60);
  EXPECT_EQ(r.top, 900);
  EXPECT_EQ(settings_->ShowPoint.x, 300);
  EXPECT_EQ(settings_->ShowPoint.y, 200);
}

TEST_F(Chooser, UnmovedOrMovedOntoTheStoredPointChangesNothing) {
  settings_->SetShowPoint({123, 45});
  Run([](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); });
  EXPECT_EQ(settings_->ShowPoint.x, 123);
  EXPECT_EQ(settings_->ShowPoint.y, 45);
  // No position chosen yet, stored point (0, 0): moved exactly there, still not chosen.
  settings_->ShowPointSet = false;
  settings_->ShowPoint = {0, 0};
  Run([](HWND w) {
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessageW(w, WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(settings_->ShowPointSet);
}
