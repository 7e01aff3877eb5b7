#include "config/uCustom.h"

#include <utility>

#include "config/uBrowser.h"
#include "config/uCustomIds.h"
#include "config/uCustomLayout.h"
#include "config/uCustomRules.h"
#include "engine/uUtils.h"
#include "hook/uCapture.h"
#include "hook/uShortCutWord.h"
#include "config/uDummyPopup.h"
#include "settings/uIniManager.h"
#include "ui/uApplication.h"
#include "ui/uTexts.h"
#include "ui/uWide.h"

namespace velmora {

using namespace dialog;

namespace {

using PC = PlayerCommand;

constexpr ui::TColor clBtnFace = ui::clSystemFlag | COLOR_BTNFACE;
constexpr ui::TColor clWindow = ui::clSystemFlag | COLOR_WINDOW;

void ResolveSkinFile(ui::TEdit& edit, const std::string& path) {
  edit.SetText(FileExists(path) ? path : std::string());
}

}  // namespace

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
  auto* useWheel = Get<ui::TCheckBox>(IdWheelUse);
  useWheel->OnClick = [this, useWheel] { EnablePage(*Control(IdWheelPage), *useWheel); };
  Get<ui::TButton>(IdPopupPosition)->OnClick = [this] {
    ChoosePopupPosition(settings_, frmPreview);
  };
  for (const TSkinRow& row : kSkinRows) {
    auto* button = Get<ui::TButton>(row.Command < 0 ? IdDisableSkinRef : SkinRefId(row.Command));
    button->OnClick = [this, button] { ReferenceClick(*button); };
  }
  Get<ui::TButton>(IdDirectoryRef)->OnClick = [this] { btnDirectoryRefClick(); };
  for (int n = 0; n < FirstMoreCommand; ++n)
    Get<ui::THotKey>(HotKeyId(n))->OnChange = [this, n] { ShowConflict(n); };
  edtSkinDirectory->OnChange = [this] { edtSkinDirectoryChange(); };
  imgLogo->OnClick = [this] { imgLogoClick(); };
}

ui::TEdit* TfrmCustom::SkinEdit(int command) const {
  return Get<ui::TEdit>(command < 0 ? IdDisableSkin : SkinId(command));
}

void TfrmCustom::FormCreate() {
  TIniManager& s = settings_;
  // The preview: a popup parented to the panel, centred there, without a hide timer.
  frmPreview = new TPopupForm(pnlBase);
  frmPreview->SetText("Popup Sample");
  RefreshPreview();
  frmPreview->Show();
  // Every control from its setting, through the one binding table.
  ExchangeSettings(false);
  // The directory box shows the folder all eleven stored skins share, if they do.
  const std::string directory = DirectoryPart(s.GetSkin(PC::Prev), ui::IsAnsiLeadByte);
  bool common = true;
  for (int n = 0; n < SkinnedCommandCount; ++n)
    if (DirectoryPart(s.GetSkin(static_cast<PC>(n)), ui::IsAnsiLeadByte) != directory)
      common = false;
  if (common) edtSkinDirectory->SetText(directory);
  for (int n = 0; n < FirstMoreCommand; ++n) ShowConflict(n);
  EnablePage(*Control(IdPopupPage), *chbxUsePopup);
  EnablePage(*Control(IdKeyPage), *chbxUseKey);
  EnablePage(*Control(IdJogPage), *chbxUseJogDial);
  EnablePage(*Control(IdWheelPage), *Get<ui::TCheckBox>(IdWheelUse));
  // The logo that fades in.
  bmplstLogo.GetBitmap("Logo", &logo.bmpLogo);
}

void TfrmCustom::FormDestroy() {
  ExchangeSettings(true);
  settings_.Save();
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
  settings_.FontSize = ParseDecimal(edtFontSize->Text()).value_or(settings_.FontSize);
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
  if (logo.bmpLogo.Empty()) return;
  const bool more = logo.Step(imgLogo->Picture);
  imgLogo->Repaint();
  if (!more) timerLogo->SetEnabled(false);
}

}  // namespace velmora
