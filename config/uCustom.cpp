#include "config/uCustom.h"

#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "config/uBrowser.h"
#include "config/uCustomRules.h"
#include "engine/uUtils.h"
#include "hook/uShortCutWord.h"
#include "popup/uDummyPopup.h"
#include "popup/uGraphUtils.h"
#include "settings/uIniManager.h"
#include "ui/uApplication.h"
#include "ui/uTexts.h"

namespace velmora {

namespace {

using PC = PlayerCommand;

enum class TKind {
  Page,
  Sheet,
  Check,
  HotKey,
  Combo,
  Edit,
  Button,
  Label,
  Group,
  Panel,
  Rule,
  Image
};

// One control of the layout: kind, parent, geometry in the parent's client pixels, tab order
// within the parent (-1: none), caption. Rows are given in window order: within a parent,
// by tab order, each label just before the control its accelerator focuses. A label with
// no size is sized to its caption; a negative left places its right edge at -left.
struct TRow {
  const char* Name;
  TKind Kind;
  const char* Parent;
  int Left, Top, Width, Height;
  int Tab;
  const char* Caption;
};

constexpr TRow kFrame[] = {
    {"btnOK", TKind::Button, "", 360, 346, 65, 20, 0, "&OK"},
    {"pageConfig", TKind::Page, "", 2, 4, 423, 333, 1, ""},
    {"imgLogo", TKind::Image, "", 2, 340, 214, 26, -1, ""},
    {"tabKey", TKind::Sheet, "pageConfig", 0, 0, 0, 0, 0, "&Key"},
    {"tabJog", TKind::Sheet, "pageConfig", 0, 0, 0, 0, 1, "&JogDial"},
    {"tabPopup", TKind::Sheet, "pageConfig", 0, 0, 0, 0, 2, "&Popup"},
    {"tabSystem", TKind::Sheet, "pageConfig", 0, 0, 0, 0, 3, "&System"},
    {"chbxUseKey", TKind::Check, "tabKey", 3, 2, 230, 17, 0,
     "&Use Key Operation (effective in restart)"},
    {"chbxUseJogDial", TKind::Check, "tabJog", 3, 2, 246, 17, 0,
     "&Use JogDial Operation (effective in restart)"},
};

// The Key and JogDial pages: the same commands, captions, places and tab orders.
struct TCommandRow {
  PC Command;
  const char* Name;  // hotkey<Name>, cmbbx<Name>
  const char* Caption;
  int Left, Top, Tab;
};
constexpr TCommandRow kCommandRows[] = {
    {PC::Play, "Play", "&Play", 3, 40, 1},
    {PC::Stop, "Stop", "&Stop", 3, 80, 2},
    {PC::Pause, "Pause", "P&ause", 3, 120, 3},
    {PC::Prev, "Prev", "P&rev", 3, 160, 4},
    {PC::Next, "Next", "Nex&t", 3, 200, 5},
    {PC::Open, "Open", "Ope&n", 3, 240, 6},
    {PC::Enabled, "Enabled", "&Enable/Disable", 3, 280, 7},
    {PC::VolumeUp, "VolumeUp", "Volume &Up", 211, 40, 8},
    {PC::VolumeDown, "VolumeDown", "Volume &Down", 211, 80, 9},
    {PC::ID3, "ID3", "Show/Hide &File info", 211, 120, 10},
    {PC::Winamp, "Winamp", "Show/Hide Wina&mp", 211, 160, 11},
};

constexpr TRow kJogTimes[] = {
    {"lblIgnoreInterval", TKind::Label, "tabJog", 211, 226, 0, 0, -1, "&Ignore Interval"},
    {"edtIgnoreInterval", TKind::Edit, "tabJog", 211, 240, 174, 20, 12, ""},
    {"lblIgnoreMs", TKind::Label, "tabJog", 388, 248, 0, 0, -1, "[ms]"},
    {"lblCommandInterval", TKind::Label, "tabJog", 211, 266, 0, 0, -1, "Next &Command Interval"},
    {"edtCommandInterval", TKind::Edit, "tabJog", 211, 280, 174, 20, 13, ""},
    {"lblCommandMs", TKind::Label, "tabJog", 388, 288, 0, 0, -1, "[ms]"},
};

constexpr TRow kPopupPage[] = {
    {"chbxUsePopup", TKind::Check, "tabPopup", 3, 2, 137, 17, 0, "&Use Operation Popup"},
    {"lblShowTime", TKind::Label, "tabPopup", 19, 30, 0, 0, -1, "&Time"},
    {"edtShowTime", TKind::Edit, "tabPopup", 50, 22, 75, 20, 1, ""},
    {"lblShowTimeMs", TKind::Label, "tabPopup", 127, 32, 0, 0, -1, "[ms]"},
    {"lblFontSize", TKind::Label, "tabPopup", 1, 53, 0, 0, -1, "FontSi&ze"},
    {"edtFontSize", TKind::Edit, "tabPopup", 50, 46, 75, 20, 2, ""},
    {"lblFontSizePoint", TKind::Label, "tabPopup", 127, 54, 0, 0, -1, "[point]"},
    {"btnPopup", TKind::Button, "tabPopup", 2, 71, 159, 20, 3, "Popup Positio&n..."},
    {"btnFrameColor", TKind::Button, "tabPopup", 345, 22, 65, 20, 4, "Fra&meColor"},
    {"btnForm", TKind::Button, "tabPopup", 345, 47, 65, 20, 5, "&FormColor"},
    {"btnFontColor", TKind::Button, "tabPopup", 345, 72, 65, 20, 6, "FontCo&lor"},
    {"grpbxSkin", TKind::Group, "tabPopup", 0, 96, 411, 207, 7, "S&kins"},
    {"pnlBase", TKind::Panel, "tabPopup", 166, 22, 175, 70, 8, ""},
    {"lblSkinDirectory", TKind::Label, "grpbxSkin", 8, 22, 0, 0, -1, "D&irectory specification"},
    {"edtSkinDirectory", TKind::Edit, "grpbxSkin", 128, 16, 238, 20, 0, ""},
    {"btnDirectoryRef", TKind::Button, "grpbxSkin", 370, 16, 35, 20, 1, "Ref..."},
    {"lblIndividual", TKind::Label, "grpbxSkin", 8, 49, 0, 0, -1, "Individual specification"},
    {"bvlIndividual", TKind::Rule, "grpbxSkin", 1, 56, 409, 2, -1, ""},
};

// The ten skin rows: an edit 99 x 20, its "Ref..." 4 pixels to the right, the label
// right-aligned against the edit's left edge and 7 pixels below its top.
struct TSkinRow {
  const char* Name;  // edt<Name>Skin, btn<Name>Ref
  const char* Caption;
  int Command;  // -1: the Disabled popup's skin
  int Left, Top, Tab;
};
constexpr TSkinRow kSkinRows[] = {
    {"Play", "Pla&y", 1, 42, 68, 2},
    {"Stop", "&Stop", 3, 42, 96, 4},
    {"Pause", "P&ause", 2, 42, 124, 6},
    {"Prev", "P&rev", 0, 42, 152, 8},
    {"Next", "Ne&xt", 4, 42, 180, 10},
    {"Open", "&Open", 5, 267, 68, 12},
    {"Enabled", "&Enable", 8, 267, 96, 14},
    {"Disable", "Disa&ble", -1, 267, 124, 16},
    {"VolumeUp", "&VolumeUp", 6, 267, 152, 18},
    {"VolumeDown", "Volume&Down", 7, 267, 180, 20},
};

constexpr TRow kSystemPage[] = {
    {"chbxUseSendMessage", TKind::Check, "tabSystem", 3, 2, 390, 17, 0,
     "&Use SendMessage (high load but response is good; effective in restart)"},
    {"chbxUseJpFont", TKind::Check, "tabSystem", 3, 26, 294, 17, 1,
     "Use J&apanese Font (MS P Gothic) in File info Dialog"},
    {"chbxID3AtCenter", TKind::Check, "tabSystem", 3, 50, 222, 17, 2,
     "Show File &info Dialog at Screen Center"},
    {"chbxUseRawInput", TKind::Check, "tabSystem", 3, 74, 390, 17, 3,
     "Use &Raw Input instead of the Keyboard Hook (effective in restart)"},
};

constexpr ui::TColor clBtnFace = ui::clSystemFlag | COLOR_BTNFACE;
constexpr ui::TColor clWindow = ui::clSystemFlag | COLOR_WINDOW;

void ResolveSkinFile(ui::TEdit& edit, const std::string& path) {
  edit.SetText(FileExists(path) ? path : std::string());
}

std::int32_t ParsedOr(const ui::TEdit& edit, std::int32_t previous) {
  return ParseInt32(edit.Text()).value_or(previous);
}

}  // namespace

TfrmCustom::TfrmCustom(ui::TComponent* owner) : ui::TForm(owner) {
  DialogFrame = true;
  SetText("Config");
  SetColor(clBtnFace);
  Font().SetName(texts::JapaneseFontName.Cp932);
  Font().SetCharset(SHIFTJIS_CHARSET);
  Font().SetHeight(-12);
  SetClientSize(427, 367);
  CenterOnScreen();
  BuildControls();
  BindHandlers();
  bmplstLogo.SetCompressed(true);
  bmplstLogo.ReadResource("BMPLST_LOGO");
  timerLogo = std::make_unique<TThreadTimer>(this);
  timerLogo->SetInterval(10);
  timerLogo->SetPriority(TThreadPriority::tpNormal);
  timerLogo->OnTimer = [this](TThreadTimer&) { timerLogoTimer(); };
  Handle();
  FormCreate();
  // Its ticks are handed over through this thread's messages: none runs before the logo
  // bitmap exists, which FormCreate made.
  timerLogo->SetEnabled(true);
}

TfrmCustom::~TfrmCustom() {
  timerLogo.reset();  // its worker ends before the windows it draws on go
  // Runs as the release message is handled: nothing may leave a destructor.
  ui::Guarded([this] { FormDestroy(); });
  delete std::exchange(frmPreview, nullptr);
}

ui::TWinControl* TfrmCustom::Control(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

void TfrmCustom::BuildControls() {
  byName_[""] = this;
  auto make = [&](const TRow& r) -> ui::TWinControl* {
    ui::TWinControl* c = nullptr;
    switch (r.Kind) {
      case TKind::Page:
        c = new ui::TPageControl(this);
        break;
      case TKind::Sheet:
        c = new ui::TTabSheet(this);
        break;
      case TKind::Check:
        c = new ui::TCheckBox(this);
        break;
      case TKind::HotKey:
        c = new ui::THotKey(this);
        break;
      case TKind::Combo:
        c = new ui::TComboBox(this);
        break;
      case TKind::Edit:
        c = new ui::TEdit(this);
        break;
      case TKind::Button:
        c = new ui::TButton(this);
        break;
      case TKind::Label:
        c = new ui::TLabel(this);
        break;
      case TKind::Group:
        c = new ui::TGroupBox(this);
        break;
      case TKind::Panel:
        c = new ui::TPanel(this);
        break;
      case TKind::Rule:
        c = new ui::TRule(this);
        break;
      case TKind::Image:
        c = new ui::TImage(this);
        break;
    }
    c->Name = r.Name;
    c->SetText(r.Caption);
    ui::TWinControl* parent = Control(r.Parent);
    if (!parent) throw std::logic_error(std::string("no parent for ") + r.Name);
    if (r.Kind == TKind::Sheet)
      static_cast<ui::TTabSheet*>(c)->SetPageControl(static_cast<ui::TPageControl*>(parent));
    else
      c->SetParent(parent);
    if (r.Kind != TKind::Sheet) c->SetBounds(std::abs(r.Left), r.Top, r.Width, r.Height);
    if (r.Kind == TKind::Label && r.Width == 0) {
      auto* label = static_cast<ui::TLabel*>(c);
      label->AutoSize();
      if (r.Left < 0)
        label->SetBounds(-r.Left - label->Width(), r.Top, label->Width(), label->Height());
    }
    byName_[r.Name] = c;
    return c;
  };
  for (const TRow& r : kFrame) make(r);
  for (const char* page : {"tabKey", "tabJog"}) {
    const bool keys = std::string(page) == "tabKey";
    for (const TCommandRow& row : kCommandRows) {
      const std::string name = std::string(keys ? "hotkey" : "cmbbx") + row.Name;
      const std::string label = std::string(keys ? "lblKey" : "lblJog") + row.Name;
      make({label.c_str(), TKind::Label, page, row.Left, row.Top - 14, 0, 0, -1, row.Caption});
      ui::TWinControl* c = make({name.c_str(), keys ? TKind::HotKey : TKind::Combo, page, row.Left,
                                 row.Top, 200, keys ? 18 : 20, row.Tab, ""});
      const int n = static_cast<int>(row.Command);
      if (keys)
        hotkeyByCommand[n] = static_cast<ui::THotKey*>(c);
      else
        cmbbxByCommand[n] = static_cast<ui::TComboBox*>(c);
    }
    if (!keys)
      for (const TRow& r : kJogTimes) make(r);
  }
  for (const TRow& r : kPopupPage) make(r);
  for (const TSkinRow& row : kSkinRows) {
    const std::string edit = std::string("edt") + row.Name + "Skin";
    const std::string button = std::string("btn") + row.Name + "Ref";
    const std::string label = std::string("lbl") + row.Name + "Skin";
    make({label.c_str(), TKind::Label, "grpbxSkin", -row.Left, row.Top + 7, 0, 0, -1, row.Caption});
    auto* e = static_cast<ui::TEdit*>(
        make({edit.c_str(), TKind::Edit, "grpbxSkin", row.Left, row.Top, 99, 20, row.Tab, ""}));
    ui::TWinControl* b = make({button.c_str(), TKind::Button, "grpbxSkin", row.Left + 103, row.Top,
                               35, 20, row.Tab + 1, "Ref..."});
    if (row.Command >= 0) {
      edtSkinByCommand[row.Command] = e;
      b->Tag = row.Command;
    } else {
      edtDisableSkin = e;
      b->Tag = -1;
    }
  }
  for (const TRow& r : kSystemPage) make(r);

  pageConfig = Get<ui::TPageControl>("pageConfig");
  btnOK = Get<ui::TButton>("btnOK");
  btnOK->ModalResult = ui::mrOk;
  imgLogo = Get<ui::TImage>("imgLogo");
  imgLogo->Cursor = LoadCursor(nullptr, IDC_HAND);
  edtSkinDirectory = Get<ui::TEdit>("edtSkinDirectory");
  edtIgnoreInterval = Get<ui::TEdit>("edtIgnoreInterval");
  edtCommandInterval = Get<ui::TEdit>("edtCommandInterval");
  edtShowTime = Get<ui::TEdit>("edtShowTime");
  edtFontSize = Get<ui::TEdit>("edtFontSize");
  chbxUseKey = Get<ui::TCheckBox>("chbxUseKey");
  chbxUseJogDial = Get<ui::TCheckBox>("chbxUseJogDial");
  chbxUsePopup = Get<ui::TCheckBox>("chbxUsePopup");
  chbxUseSendMessage = Get<ui::TCheckBox>("chbxUseSendMessage");
  chbxUseRawInput = Get<ui::TCheckBox>("chbxUseRawInput");
  chbxUseJpFont = Get<ui::TCheckBox>("chbxUseJpFont");
  chbxID3AtCenter = Get<ui::TCheckBox>("chbxID3AtCenter");
  pnlBase = Get<ui::TPanel>("pnlBase");
  pnlBase->LoweredBevel = true;
  pnlBase->SetVisible(true);
  for (ui::TComboBox* c : cmbbxByCommand) c->DropDownCount = 15;
  for (ui::THotKey* h : hotkeyByCommand) h->Accepts = HotKeyValueAccepted;

  lblBrindlewood = new TSimpleWebLabelEx(this);
  lblBrindlewood->Name = "lblBrindlewood";
  lblBrindlewood->SetParent(this);
  lblBrindlewood->SetBounds(218, 355, 134, 11);
  lblBrindlewood->SetText(HomePageUrl);
  lblBrindlewood->URL = HomePageUrl;
  lblBrindlewood->Font().SetName("Small Fonts");
  lblBrindlewood->Font().SetHeight(-9);
  lblBrindlewood->Font().SetCharset(ANSI_CHARSET);
  lblBrindlewood->Cursor = LoadCursor(nullptr, IDC_HAND);

  dlgOpen.Title = "Select skin file";
  dlgOpen.Filter = texts::BitmapFilter.Cp932;
}

void TfrmCustom::BindHandlers() {
  for (ui::TEdit* e : {edtIgnoreInterval, edtCommandInterval, edtShowTime, edtFontSize})
    e->OnKeyPress = [](wchar_t& key) {
      if (!NumericKeyPasses(key)) key = 0;
    };
  edtFontSize->OnChange = [this] { edtFontSizeChange(); };
  auto colourButton = [this](const char* name, ui::TColor TIniManager::*setting) {
    Get<ui::TButton>(name)->OnClick = [this, setting] {
      IniManager->*setting = PickColor(IniManager->*setting);
      RefreshPreview();
    };
  };
  colourButton("btnForm", &TIniManager::FormColor);
  colourButton("btnFrameColor", &TIniManager::FrameColor);
  colourButton("btnFontColor", &TIniManager::FontColor);
  chbxUseKey->OnClick = [this] { EnablePage(*Control("tabKey"), *chbxUseKey); };
  chbxUseJogDial->OnClick = [this] { EnablePage(*Control("tabJog"), *chbxUseJogDial); };
  chbxUsePopup->OnClick = [this] { EnablePage(*Control("tabPopup"), *chbxUsePopup); };
  Get<ui::TButton>("btnPopup")->OnClick = [this] { ChoosePopupPosition(*IniManager, frmPreview); };
  for (const TSkinRow& row : kSkinRows) {
    auto* button = Get<ui::TButton>(std::string("btn") + row.Name + "Ref");
    button->OnClick = [this, button] { ReferenceClick(*button); };
  }
  Get<ui::TButton>("btnDirectoryRef")->OnClick = [this] { btnDirectoryRefClick(); };
  edtSkinDirectory->OnChange = [this] { edtSkinDirectoryChange(); };
  imgLogo->OnClick = [this] { imgLogoClick(); };
}

void TfrmCustom::FormCreate() {
  TIniManager& s = *IniManager;
  // 1. The preview: a popup parented to the panel, centred there, without a hide timer.
  frmPreview = new TPopupForm(pnlBase);
  frmPreview->SetText("Popup Sample");
  RefreshPreview();
  frmPreview->Show();
  // 2, 3: the command arrays and the buttons' tags were filled as the controls were made.
  // 4, 5: the common directory of all eleven stored skins.
  const std::string directory = DirectoryPart(s.GetSkin(PC::Prev), ui::IsAnsiLeadByte);
  bool common = true;
  for (int n = 0; n < CommandCount; ++n) {
    const auto c = static_cast<PC>(n);
    hotkeyByCommand[n]->SetValue(HotKeyFromShortCut(s.GetHotKey(c)));
    cmbbxByCommand[n]->ClearItems();
    for (const auto& text : texts::JogDialTexts) cmbbxByCommand[n]->AddItem(text.Cp932);
    cmbbxByCommand[n]->SetItemIndex(s.GetJogDial(c));
    if (edtSkinByCommand[n]) edtSkinByCommand[n]->SetText(s.GetSkin(c));
    if (DirectoryPart(s.GetSkin(c), ui::IsAnsiLeadByte) != directory) common = false;
  }
  // 6, 7
  edtDisableSkin->SetText(s.DisableSkin);
  if (common) edtSkinDirectory->SetText(directory);
  // 8
  chbxUsePopup->SetChecked(s.UsePopup);
  edtFontSize->SetText(std::to_string(s.FontSize));
  edtShowTime->SetText(std::to_string(s.ShowTime));
  EnablePage(*Control("tabPopup"), *chbxUsePopup);
  // 9
  edtIgnoreInterval->SetText(std::to_string(s.IgnoreInterval));
  edtCommandInterval->SetText(std::to_string(s.CommandInterval));
  chbxUseKey->SetChecked(s.UseKey);
  chbxUseJogDial->SetChecked(s.UseJogDial);
  EnablePage(*Control("tabKey"), *chbxUseKey);
  EnablePage(*Control("tabJog"), *chbxUseJogDial);
  // 10
  chbxUseSendMessage->SetChecked(s.UseSendMessage);
  chbxUseRawInput->SetChecked(s.UseRawInput);
  chbxUseJpFont->SetChecked(s.UseJpFont);
  chbxID3AtCenter->SetChecked(s.ID3AtCenter);
  // 11
  bmplstLogo.GetBitmap("Logo", &bmpLogo);
}

void TfrmCustom::FormDestroy() {
  TIniManager& s = *IniManager;
  for (int n = 0; n < CommandCount; ++n) {
    const auto c = static_cast<PC>(n);
    s.SetHotKey(c, ShortCutFromHotKey(hotkeyByCommand[n]->Value()));
    s.SetJogDial(c, static_cast<std::uint8_t>(cmbbxByCommand[n]->ItemIndex()));
    if (edtSkinByCommand[n]) s.SetSkin(c, edtSkinByCommand[n]->Text());
  }
  s.DisableSkin = edtDisableSkin->Text();
  s.UsePopup = chbxUsePopup->Checked();
  s.ShowTime = ParsedOr(*edtShowTime, s.ShowTime);
  s.IgnoreInterval = ParsedOr(*edtIgnoreInterval, s.IgnoreInterval);
  s.CommandInterval = ParsedOr(*edtCommandInterval, s.CommandInterval);
  s.UseKey = chbxUseKey->Checked();
  s.UseJogDial = chbxUseJogDial->Checked();
  s.UseSendMessage = chbxUseSendMessage->Checked();
  s.UseRawInput = chbxUseRawInput->Checked();
  s.UseJpFont = chbxUseJpFont->Checked();
  s.ID3AtCenter = chbxID3AtCenter->Checked();
  s.Save();
}

void TfrmCustom::RefreshPreview() {
  if (frmPreview) IniManager->ApplyToPopup(*frmPreview);
}

void TfrmCustom::EnablePage(ui::TWinControl& page, const ui::TCheckBox& check) {
  const bool on = check.Checked();
  auto visit = [&](auto&& self, ui::TWinControl& parent) -> void {
    for (ui::TWinControl* c : parent.Controls()) {
      if (c == &check) continue;
      c->SetEnabled(on);
      if (dynamic_cast<ui::TEdit*>(c) || dynamic_cast<ui::THotKey*>(c))
        c->SetColor(on ? clWindow : clBtnFace);
      self(self, *c);
    }
  };
  visit(visit, page);
}

ui::TColor TfrmCustom::PickColor(ui::TColor color) {
  dlgColor.Color = color;
  return dlgColor.Execute(Handle()) ? dlgColor.Color : color;
}

void TfrmCustom::edtFontSizeChange() {
  IniManager->FontSize = ParsedOr(*edtFontSize, IniManager->FontSize);
  RefreshPreview();
}

void TfrmCustom::ReferenceClick(ui::TButton& button) {
  ui::TEdit* target = button.Tag < 0 ? edtDisableSkin : edtSkinByCommand[button.Tag];
  if (!target) return;
  if (!target->Text().empty()) dlgOpen.FileName = target->Text();
  if (dlgOpen.Execute(Handle())) target->SetText(dlgOpen.FileName);
  // One pending message of this thread, with a bound: a closed file dialog with no
  // input following must not freeze the host's window.
  if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT) == WAIT_OBJECT_0) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
      } else {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  ForceForeground(Handle());
}

void TfrmCustom::btnDirectoryRefClick() {
  const std::string folder = ui::BrowseForFolder(Handle(), "Select skin directory");
  if (!folder.empty()) edtSkinDirectory->SetText(folder);
}

void TfrmCustom::edtSkinDirectoryChange() {
  const std::string directory = WithTrailingBackslash(edtSkinDirectory->Text(), ui::IsAnsiLeadByte);
  for (int n = 0; n < CommandCount; ++n)
    if (edtSkinByCommand[n]) ResolveSkinFile(*edtSkinByCommand[n], directory + DefaultSkinFiles[n]);
  ResolveSkinFile(*edtDisableSkin, directory + DefaultDisableSkinFile);
}

void TfrmCustom::imgLogoClick() {
  TBrowser browser(nullptr);
  browser.SetURL(lblBrindlewood->URL);
  browser.OpenURL();
}

void TfrmCustom::timerLogoTimer() {
  if (bmpLogo.Empty()) return;
  imgLogo->Picture.Assign(bmpLogo);
  AddNoise(imgLogo->Picture, 70 - logoStep);
  BlendPalette(imgLogo->Picture, clBtnFace, logoStep);
  imgLogo->Repaint();
  if (++logoStep > 100) timerLogo->SetEnabled(false);
}

}  // namespace velmora
