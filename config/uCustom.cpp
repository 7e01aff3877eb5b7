#include "config/uCustom.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "config/uBrowser.h"
#include "config/uCustomIds.h"
#include "config/uCustomRules.h"
#include "engine/uUtils.h"
#include "hook/uCapture.h"
#include "hook/uShortCutWord.h"
#include "config/uDummyPopup.h"
#include "config/uGraphUtils.h"
#include "settings/uIniManager.h"
#include "ui/uApplication.h"
#include "ui/uGdi.h"
#include "ui/uTexts.h"
#include "ui/uWide.h"

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
  Image,
  Note  // a label in small print sized by the table, not fitted to its caption
};

using namespace dialog;

// One control of the layout: its id (0 for the labels, which no code and no test names),
// kind, parent (0: the form), geometry in the parent's client pixels, caption. Rows are
// given in window order, which is the tab order: within a parent, each label just before
// the control its accelerator focuses. A label with no size is sized to its caption; a
// negative left places its right edge at -left.
struct TRow {
  int Id;
  TKind Kind;
  int Parent;
  int Left, Top, Width, Height;
  const char* Caption;
};

constexpr TRow kFrame[] = {
    {IdOK, TKind::Button, 0, 360, 346, 65, 20, "&OK"},
    {IdPages, TKind::Page, 0, 2, 4, 423, 333, ""},
    {IdLogo, TKind::Image, 0, 2, 340, 214, 26, ""},
    {IdKeyPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&Key"},
    {IdJogPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&JogDial"},
    {IdPopupPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&Popup"},
    {IdSystemPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&System"},
    {IdUseKey, TKind::Check, IdKeyPage, 3, 2, 230, 17, "&Use Key Operation (effective in restart)"},
    {IdUseJogDial, TKind::Check, IdJogPage, 3, 2, 246, 17,
     "&Use JogDial Operation (effective in restart)"},
};

// The Key and JogDial pages: the same commands, captions and places, in tab order.
struct TCommandRow {
  PC Command;
  const char* Caption;
  int Left, Top;
};
constexpr TCommandRow kCommandRows[] = {
    {PC::Play, "&Play", 3, 40},
    {PC::Stop, "&Stop", 3, 80},
    {PC::Pause, "P&ause", 3, 120},
    {PC::Prev, "P&rev", 3, 160},
    {PC::Next, "Nex&t", 3, 200},
    {PC::Open, "Ope&n", 3, 240},
    {PC::Enabled, "&Enable/Disable", 3, 280},
    {PC::VolumeUp, "Volume &Up", 211, 40},
    {PC::VolumeDown, "Volume &Down", 211, 80},
    {PC::ID3, "Show/Hide &File info", 211, 120},
    {PC::Winamp, "Show/Hide Wina&mp", 211, 160},
};

constexpr TRow kJogTimes[] = {
    {0, TKind::Label, IdJogPage, 211, 226, 0, 0, "&Ignore Interval"},
    {IdIgnoreInterval, TKind::Edit, IdJogPage, 211, 240, 174, 20, ""},
    {0, TKind::Label, IdJogPage, 388, 248, 0, 0, "[ms]"},
    {0, TKind::Label, IdJogPage, 211, 266, 0, 0, "Next &Command Interval"},
    {IdCommandInterval, TKind::Edit, IdJogPage, 211, 280, 174, 20, ""},
    {0, TKind::Label, IdJogPage, 388, 288, 0, 0, "[ms]"},
};

constexpr TRow kPopupPage[] = {
    {IdUsePopup, TKind::Check, IdPopupPage, 3, 2, 137, 17, "&Use Operation Popup"},
    {0, TKind::Label, IdPopupPage, 19, 30, 0, 0, "&Time"},
    {IdShowTime, TKind::Edit, IdPopupPage, 50, 22, 75, 20, ""},
    {0, TKind::Label, IdPopupPage, 127, 32, 0, 0, "[ms]"},
    {0, TKind::Label, IdPopupPage, 1, 53, 0, 0, "FontSi&ze"},
    {IdFontSize, TKind::Edit, IdPopupPage, 50, 46, 75, 20, ""},
    {0, TKind::Label, IdPopupPage, 127, 54, 0, 0, "[point]"},
    {IdPopupPosition, TKind::Button, IdPopupPage, 2, 71, 159, 20, "Popup Positio&n..."},
    {IdFrameColor, TKind::Button, IdPopupPage, 345, 22, 65, 20, "Fra&meColor"},
    {IdFormColor, TKind::Button, IdPopupPage, 345, 47, 65, 20, "&FormColor"},
    {IdFontColor, TKind::Button, IdPopupPage, 345, 72, 65, 20, "FontCo&lor"},
    {IdSkinGroup, TKind::Group, IdPopupPage, 0, 96, 411, 207, "S&kins"},
    {IdPreviewPanel, TKind::Panel, IdPopupPage, 166, 22, 175, 70, ""},
    {0, TKind::Label, IdSkinGroup, 8, 22, 0, 0, "D&irectory specification"},
    {IdSkinDirectory, TKind::Edit, IdSkinGroup, 128, 16, 238, 20, ""},
    {IdDirectoryRef, TKind::Button, IdSkinGroup, 370, 16, 35, 20, "Ref..."},
    {0, TKind::Label, IdSkinGroup, 8, 49, 0, 0, "Individual specification"},
    {0, TKind::Rule, IdSkinGroup, 1, 56, 409, 2, ""},
};

// The ten skin rows, in tab order: an edit 99 x 20, its "Ref..." 4 pixels to the right,
// the label right-aligned against the edit's left edge and 7 pixels below its top.
struct TSkinRow {
  const char* Caption;
  int Command;  // -1: the Disabled popup's skin
  int Left, Top;
};
constexpr TSkinRow kSkinRows[] = {
    {"Pla&y", 1, 42, 68},         {"&Stop", 3, 42, 96},       {"P&ause", 2, 42, 124},
    {"P&rev", 0, 42, 152},        {"Ne&xt", 4, 42, 180},      {"&Open", 5, 267, 68},
    {"&Enable", 8, 267, 96},      {"Disa&ble", -1, 267, 124}, {"&VolumeUp", 6, 267, 152},
    {"Volume&Down", 7, 267, 180},
};

constexpr TRow kSystemPage[] = {
    {IdUseSendMessage, TKind::Check, IdSystemPage, 3, 2, 390, 17,
     "&Use SendMessage (high load but response is good; effective in restart)"},
    {IdUseJpFont, TKind::Check, IdSystemPage, 3, 26, 294, 17,
     "Use J&apanese Font (MS P Gothic) in File info Dialog"},
    {IdID3AtCenter, TKind::Check, IdSystemPage, 3, 50, 222, 17,
     "Show File &info Dialog at Screen Center"},
    {IdUseRawInput, TKind::Check, IdSystemPage, 3, 74, 390, 17,
     "Use &Raw Input instead of the Keyboard Hook (effective in restart)"},
    {IdShowOnActiveMonitor, TKind::Check, IdSystemPage, 3, 98, 390, 17,
     "Show popups on the &monitor of the window in front"},
    {IdHideOverFullScreen, TKind::Check, IdSystemPage, 3, 122, 390, 17,
     "&Hide popups over full-screen programs"},
    {IdRepeatVolume, TKind::Check, IdSystemPage, 3, 146, 390, 17,
     "&Repeat Volume Up/Down while the hot key is held"},
    {IdShowTitle, TKind::Check, IdSystemPage, 3, 170, 390, 17,
     "Show the &title of the track in the popup"},
    {0, TKind::Label, IdSystemPage, 3, 200, 409, 14,
     "Hot keys and gestures do nothing while these programs are in front (file names, "
     "separated by ;):"},
    {IdExcludedPrograms, TKind::Edit, IdSystemPage, 3, 230, 409, 20, ""},
};

using TBinding = TfrmCustom::TBinding;
using TEdits = TfrmCustom::TEdits;
using TNumber = std::pair<int, std::int32_t TIniManager::*>;
constexpr TNumber kNumbers[] = {{IdShowTime, &TIniManager::ShowTime},
                                {IdFontSize, &TIniManager::FontSize},
                                {IdIgnoreInterval, &TIniManager::IgnoreInterval},
                                {IdCommandInterval, &TIniManager::CommandInterval}};
using TSwitch = std::pair<int, bool TIniManager::*>;
constexpr TSwitch kSwitches[] = {{IdUsePopup, &TIniManager::UsePopup},
                                 {IdUseKey, &TIniManager::UseKey},
                                 {IdUseJogDial, &TIniManager::UseJogDial},
                                 {IdUseSendMessage, &TIniManager::UseSendMessage},
                                 {IdUseRawInput, &TIniManager::UseRawInput},
                                 {IdUseJpFont, &TIniManager::UseJpFont},
                                 {IdID3AtCenter, &TIniManager::ID3AtCenter},
                                 {IdShowOnActiveMonitor, &TIniManager::ShowOnActiveMonitor},
                                 {IdHideOverFullScreen, &TIniManager::HideOverFullScreen},
                                 {IdRepeatVolume, &TIniManager::RepeatVolume},
                                 {IdShowTitle, &TIniManager::ShowTitle}};
constexpr int kBindingCount =
    2 * CommandCount + std::size(kSkinRows) + std::size(kNumbers) + std::size(kSwitches) + 1;
// Built at compile time: a row past the count is out of bounds there, a row short of it
// reaches the throw, and either stops the build.
constexpr auto kBindings = [] {
  std::array<TBinding, kBindingCount> b{};
  std::size_t i = 0;
  for (int n = 0; n < CommandCount; ++n) b[i++] = {HotKeyId(n), TEdits::HotKey, n};
  for (int n = 0; n < CommandCount; ++n) b[i++] = {GestureId(n), TEdits::Gesture, n};
  for (const TSkinRow& row : kSkinRows)
    b[i++] = {row.Command < 0 ? IdDisableSkin : SkinId(row.Command), TEdits::Skin, row.Command};
  for (const TNumber& n : kNumbers) b[i++] = {n.first, TEdits::Number, -1, n.second};
  for (const TSwitch& s : kSwitches) b[i++] = {s.first, TEdits::Switch, -1, nullptr, s.second};
  b[i++] = {IdExcludedPrograms, TEdits::Text, -1, nullptr, nullptr, &TIniManager::ExcludedPrograms};
  if (i != b.size()) throw "a binding row is missing";
  return b;
}();

constexpr ui::TColor clBtnFace = ui::clSystemFlag | COLOR_BTNFACE;
constexpr ui::TColor clWindow = ui::clSystemFlag | COLOR_WINDOW;

// The pages' width at 96 dpi (the page control's less its frame, as TCM_ADJUSTRECT gives
// it): their inner edge before the page control has a window.
constexpr int kSheetWidth = 415;

constexpr char kConflictText[] = "Another program holds this combination";

void ResolveSkinFile(ui::TEdit& edit, const std::string& path) {
  edit.SetText(FileExists(path) ? path : std::string());
}

std::int32_t ParsedOr(const ui::TEdit& edit, std::int32_t previous) {
  return ParseInt32(edit.Text()).value_or(previous);
}

}  // namespace

std::span<const TBinding> TfrmCustom::Bindings() noexcept {
  return kBindings;
}

TfrmCustom::TfrmCustom(TIniManager& settings, ui::TComponent* owner)
    : ui::TForm(owner), settings_(settings) {
  // Made and laid out per-monitor aware where the system has it, in the monitor's pixels.
  const ui::TDpiAwareScope aware;
  DialogFrame = true;
  SetText("Config");
  SetColor(clBtnFace);
  Font().SetName(texts::JapaneseFontName.Cp932);
  Font().SetCharset(SHIFTJIS_CHARSET);
  BuildControls();
  BindHandlers();
  const int dpi = Dpi();
  LayOut(dpi);
  CenterOnScreen();
  bmplstLogo.SetCompressed(true);
  bmplstLogo.ReadResource("BMPLST_LOGO");
  timerLogo = std::make_unique<TThreadTimer>(this);
  timerLogo->SetInterval(10);
  timerLogo->SetPriority(TThreadPriority::tpNormal);
  timerLogo->OnTimer = [this](TThreadTimer&) { timerLogoTimer(); };
  Handle();
  // The pages' inner width was an estimate until the page control had its window, and
  // the window may have come up on a monitor of another dpi.
  if (Dpi() != dpi || Control(IdKeyPage)->Width() != ui::ScaleDpi(kSheetWidth, dpi)) LayOut(Dpi());
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

void TfrmCustom::LayOut(int dpi) {
  Font().SetHeight(-ui::ScaleDpi(12, dpi));
  SetClientSize(ui::ScaleDpi(427, dpi), ui::ScaleDpi(367, dpi));
  for (int n = 0; n < CommandCount; ++n)
    if (auto* c = Control(ConflictId(n))) c->Font().SetHeight(-ui::ScaleDpi(8, dpi));
  layout_.Apply(dpi, kSheetWidth);
  lblBrindlewood->Font().SetHeight(-ui::ScaleDpi(9, dpi));
  const int urlWidth = std::max<int>(
      ui::ScaleDpi(134, dpi),
      ui::CaptionExtent(lblBrindlewood->Font(), ui::FromCp932(lblBrindlewood->Text())).cx);
  lblBrindlewood->SetBounds(ui::ScaleDpi(218, dpi), ui::ScaleDpi(355, dpi), urlWidth,
                            ui::ScaleDpi(11, dpi));
}

void TfrmCustom::DpiChanged(int dpi, const RECT& suggested) {
  LayOut(dpi);
  ui::TForm::DpiChanged(dpi, suggested);
  if (frmPreview) frmPreview->UpdateBounds();
}

ui::TWinControl* TfrmCustom::Control(int id) const {
  // A hundred controls, each id once: a walk costs nothing beside a tree.
  for (const auto& [rowId, control] : byId_)
    if (rowId == id) return control;
  return nullptr;
}

void TfrmCustom::BuildControls() {
  byId_.emplace_back(0, this);
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
      case TKind::Note:
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
    c->Id = r.Id;
    c->SetText(r.Caption);
    ui::TWinControl* parent = Control(r.Parent);
    if (!parent) throw std::logic_error("a control's parent comes after it");
    if (r.Kind == TKind::Sheet)
      static_cast<ui::TTabSheet*>(c)->SetPageControl(static_cast<ui::TPageControl*>(parent));
    else
      c->SetParent(parent);
    if (r.Kind != TKind::Sheet) {
      const ui::TFit fit = r.Kind == TKind::Label
                               ? (r.Width ? ui::TFit::Label : ui::TFit::AutoLabel)
                           : r.Kind == TKind::Check  ? ui::TFit::Check
                           : r.Kind == TKind::Button ? ui::TFit::Button
                                                     : ui::TFit::None;
      layout_.Add(c, r.Left, r.Top, r.Width, r.Height, fit);
    }
    if (r.Id) byId_.emplace_back(r.Id, c);
    return c;
  };
  for (const TRow& r : kFrame) make(r);
  for (const bool keys : {true, false}) {
    for (const TCommandRow& row : kCommandRows) {
      const int n = static_cast<int>(row.Command);
      const int page = keys ? IdKeyPage : IdJogPage;
      make({0, TKind::Label, page, row.Left, row.Top - 14, 0, 0, row.Caption});
      if (keys) {
        auto* box = static_cast<ui::THotKey*>(
            make({HotKeyId(n), TKind::HotKey, page, row.Left, row.Top, 200, 18, ""}));
        box->Accepts = HotKeyValueAccepted;
        // Shown only while another program holds the box's combination, in small print
        // in the gap under the box.
        auto* conflict = static_cast<ui::TLabel*>(make(
            {ConflictId(n), TKind::Note, page, row.Left, row.Top + 18, 200, 10, kConflictText}));
        conflict->SetVisible(false);
        conflict->Font().SetName("Small Fonts");
        conflict->Font().SetCharset(ANSI_CHARSET);
        conflict->Font().SetColor(0x0000C0);
      } else {
        auto* combo = static_cast<ui::TComboBox*>(
            make({GestureId(n), TKind::Combo, page, row.Left, row.Top, 200, 20, ""}));
        combo->DropDownCount = 15;
        for (const auto& text : texts::JogDialTexts) combo->AddItem(text.Cp932);
      }
    }
    if (!keys)
      for (const TRow& r : kJogTimes) make(r);
  }
  for (const TRow& r : kPopupPage) make(r);
  for (const TSkinRow& row : kSkinRows) {
    const bool disable = row.Command < 0;
    make({0, TKind::Label, IdSkinGroup, -row.Left, row.Top + 7, 0, 0, row.Caption});
    make({disable ? IdDisableSkin : SkinId(row.Command), TKind::Edit, IdSkinGroup, row.Left,
          row.Top, 99, 20, ""});
    ui::TWinControl* b = make({disable ? IdDisableSkinRef : SkinRefId(row.Command), TKind::Button,
                               IdSkinGroup, row.Left + 103, row.Top, 35, 20, "Ref..."});
    b->Tag = row.Command;
  }
  for (const TRow& r : kSystemPage) make(r);

  // The pages without the preview are made when first shown (the preview, which sizes
  // itself to its panel, makes the Popup page's windows as it is made).
  for (int id : {IdJogPage, IdSystemPage}) Get<ui::TTabSheet>(id)->LateChildren = true;
  pageConfig = Get<ui::TPageControl>(IdPages);
  btnOK = Get<ui::TButton>(IdOK);
  btnOK->ModalResult = ui::mrOk;
  imgLogo = Get<ui::TImage>(IdLogo);
  imgLogo->Cursor = LoadCursor(nullptr, IDC_HAND);
  edtSkinDirectory = Get<ui::TEdit>(IdSkinDirectory);
  edtFontSize = Get<ui::TEdit>(IdFontSize);
  chbxUseKey = Get<ui::TCheckBox>(IdUseKey);
  chbxUseJogDial = Get<ui::TCheckBox>(IdUseJogDial);
  chbxUsePopup = Get<ui::TCheckBox>(IdUsePopup);
  pnlBase = Get<ui::TPanel>(IdPreviewPanel);
  pnlBase->LoweredBevel = true;
  pnlBase->SetVisible(true);

  lblBrindlewood = new TSimpleWebLabelEx(this);
  lblBrindlewood->SetParent(this);
  lblBrindlewood->SetText(HomePageUrl);
  lblBrindlewood->URL = HomePageUrl;
  lblBrindlewood->Font().SetName("Small Fonts");
  lblBrindlewood->Font().SetCharset(ANSI_CHARSET);
  lblBrindlewood->Cursor = LoadCursor(nullptr, IDC_HAND);

  dlgOpen.Title = "Select skin file";
  dlgOpen.Filter = texts::BitmapFilter.Cp932;
}

void TfrmCustom::BindHandlers() {
  for (int id : {IdIgnoreInterval, IdCommandInterval, IdShowTime, IdFontSize})
    Get<ui::TEdit>(id)->OnKeyPress = [](wchar_t& key) {
      if (!NumericKeyPasses(key)) key = 0;
    };
  edtFontSize->OnChange = [this] { edtFontSizeChange(); };
  auto colourButton = [this](int id, ui::TColor TIniManager::*setting) {
    Get<ui::TButton>(id)->OnClick = [this, setting] {
      settings_.*setting = PickColor(settings_.*setting);
      RefreshPreview();
    };
  };
  colourButton(IdFormColor, &TIniManager::FormColor);
  colourButton(IdFrameColor, &TIniManager::FrameColor);
  colourButton(IdFontColor, &TIniManager::FontColor);
  chbxUseKey->OnClick = [this] { EnablePage(*Control(IdKeyPage), *chbxUseKey); };
  chbxUseJogDial->OnClick = [this] { EnablePage(*Control(IdJogPage), *chbxUseJogDial); };
  chbxUsePopup->OnClick = [this] { EnablePage(*Control(IdPopupPage), *chbxUsePopup); };
  Get<ui::TButton>(IdPopupPosition)->OnClick = [this] {
    ChoosePopupPosition(settings_, frmPreview);
  };
  for (const TSkinRow& row : kSkinRows) {
    auto* button = Get<ui::TButton>(row.Command < 0 ? IdDisableSkinRef : SkinRefId(row.Command));
    button->OnClick = [this, button] { ReferenceClick(*button); };
  }
  Get<ui::TButton>(IdDirectoryRef)->OnClick = [this] { btnDirectoryRefClick(); };
  for (int n = 0; n < CommandCount; ++n)
    Get<ui::THotKey>(HotKeyId(n))->OnChange = [this, n] { ShowConflict(n); };
  edtSkinDirectory->OnChange = [this] { edtSkinDirectoryChange(); };
  imgLogo->OnClick = [this] { imgLogoClick(); };
}

ui::TEdit* TfrmCustom::SkinEdit(int command) const {
  return Get<ui::TEdit>(command < 0 ? IdDisableSkin : SkinId(command));
}

void TfrmCustom::FormCreate() {
  TIniManager& s = settings_;
  // 1. The preview: a popup parented to the panel, centred there, without a hide timer.
  frmPreview = new TPopupForm(pnlBase);
  frmPreview->SetText("Popup Sample");
  RefreshPreview();
  frmPreview->Show();
  // 2 to 10: every control from its setting.
  ExchangeSettings(false);
  // The directory box shows the folder all eleven stored skins share, if they do.
  const std::string directory = DirectoryPart(s.GetSkin(PC::Prev), ui::IsAnsiLeadByte);
  bool common = true;
  for (int n = 0; n < CommandCount; ++n)
    if (DirectoryPart(s.GetSkin(static_cast<PC>(n)), ui::IsAnsiLeadByte) != directory)
      common = false;
  if (common) edtSkinDirectory->SetText(directory);
  for (int n = 0; n < CommandCount; ++n) ShowConflict(n);
  EnablePage(*Control(IdPopupPage), *chbxUsePopup);
  EnablePage(*Control(IdKeyPage), *chbxUseKey);
  EnablePage(*Control(IdJogPage), *chbxUseJogDial);
  // 11
  bmplstLogo.GetBitmap("Logo", &bmpLogo);
}

void TfrmCustom::FormDestroy() {
  ExchangeSettings(true);
  settings_.Save();
}

// Both directions in one walk of the binding table, so that no row is loaded but not
// saved.
void TfrmCustom::ExchangeSettings(bool save) {
  TIniManager& s = settings_;
  for (const TBinding& b : kBindings) {
    switch (b.How) {
      case TEdits::HotKey: {
        auto* key = Get<ui::THotKey>(b.Id);
        if (save)
          s.HotKeys[b.Command] = ShortCutFromHotKey(key->Value());
        else
          key->SetValue(HotKeyFromShortCut(s.HotKeys[b.Command]));
        break;
      }
      case TEdits::Gesture: {
        auto* box = Get<ui::TComboBox>(b.Id);
        if (save)
          s.JogDials[b.Command] = static_cast<std::uint8_t>(box->ItemIndex());
        else
          box->SetItemIndex(s.JogDials[b.Command]);
        break;
      }
      case TEdits::Skin: {
        std::string& path = b.Command < 0 ? s.DisableSkin : s.Skins[b.Command];
        auto* edit = Get<ui::TEdit>(b.Id);
        if (save)
          path = edit->Text();
        else
          edit->SetText(path);
        break;
      }
      case TEdits::Number: {
        auto* edit = Get<ui::TEdit>(b.Id);
        if (save)
          s.*b.Number = ParsedOr(*edit, s.*b.Number);
        else
          edit->SetText(std::to_string(s.*b.Number));
        break;
      }
      case TEdits::Switch: {
        auto* check = Get<ui::TCheckBox>(b.Id);
        if (save)
          s.*b.Switch = check->Checked();
        else
          check->SetChecked(s.*b.Switch);
        break;
      }
      case TEdits::Text: {
        auto* edit = Get<ui::TEdit>(b.Id);
        if (save)
          s.*b.Text = edit->Text();
        else
          edit->SetText(s.*b.Text);
        break;
      }
    }
  }
}

// The plugin's own capture holds no combination while the dialog runs (the keyboard hook
// registers none, raw input only for an instant): whoever holds one is another program.
void TfrmCustom::ShowConflict(int command) {
  const TShortCut word = ShortCutFromHotKey(Get<ui::THotKey>(HotKeyId(command))->Value());
  Control(ConflictId(command))->SetVisible(word != 0 && HotKeyHeldElsewhere(Handle(), word));
}

void TfrmCustom::RefreshPreview() {
  if (frmPreview) frmPreview->ApplySettings(settings_);
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
  settings_.FontSize = ParsedOr(*edtFontSize, settings_.FontSize);
  RefreshPreview();
}

void TfrmCustom::ReferenceClick(ui::TButton& button) {
  ui::TEdit* target = SkinEdit(static_cast<int>(button.Tag));
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
  for (const TSkinRow& row : kSkinRows)
    ResolveSkinFile(
        *SkinEdit(row.Command),
        directory + (row.Command < 0 ? DefaultDisableSkinFile : DefaultSkinFiles[row.Command]));
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
