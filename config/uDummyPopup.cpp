#include "config/uDummyPopup.h"

#include "settings/uIniManager.h"
#include "ui/uTexts.h"
#include "ui/uScopeExit.h"

namespace velmora {

TfrmDummyPopup::TfrmDummyPopup(ui::TComponent* owner, const TIniManager& settings)
    : ui::TForm(owner) {
  DialogFrame = true;
  SetText("Popup Position");
  SetColor(ui::clSystemFlag | COLOR_BTNFACE);
  Font().SetName(texts::JapaneseFontName.Cp932);
  Font().SetCharset(SHIFTJIS_CHARSET);
  Font().SetColor(ui::clSystemFlag | COLOR_WINDOWTEXT);
  Label1 = new ui::TLabel(this);
  Label1->SetParent(this);
  Label1->SetText(
      "Please drag the window\r\nand decide the position \r\nwhere Popup is displayed. ");
  layout_.Add(Label1, 1, 2, 136, 36, ui::TFit::Label);
  btClose = new ui::TButton(this);
  btClose->SetParent(this);
  btClose->SetText("&Close");
  btClose->ModalResult = ui::mrOk;
  layout_.Add(btClose, 31, 44, 75, 20, ui::TFit::Button);
  OnClose = [this](ui::TCloseAction& action) { FormClose(action); };
  LayOut(Dpi());
  FormCreate(settings);
}

void TfrmDummyPopup::LayOut(int dpi) {
  Font().SetHeight(-ui::ScaleDpi(12, dpi));
  layout_.Apply(dpi, 137);
  SetClientSize(ui::ScaleDpi(137, dpi), ui::ScaleDpi(66, dpi) + layout_.AddedHeight(this));
}

void TfrmDummyPopup::DpiChanged(int dpi, const RECT& suggested) {
  LayOut(dpi);
  ui::TForm::DpiChanged(dpi, suggested);  // the corner is what is chosen
}

void TfrmDummyPopup::FormCreate(const TIniManager& settings) {
  int left, top;
  if (settings.ShowPointSet) {
    left = settings.ShowPoint.x;
    top = settings.ShowPoint.y;
  } else {
    left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
  }
  SetBounds(left, top, Width(), Height());  // not clamped to the screen
}

void TfrmDummyPopup::FormClose(ui::TCloseAction& action) {
  RECT r;
  GetWindowRect(Handle(), &r);
  ChosenPoint = {r.left, r.top};
  action = ui::TCloseAction::caHide;
}

void ChoosePopupPosition(TIniManager& settings, ui::TComponent* owner) {
  const ui::TDpiAwareScope aware;  // its corner and size in the pixels of its monitor
  auto* chooser = new TfrmDummyPopup(owner, settings);
  const TScopeExit release([chooser] { chooser->Release(); });
  chooser->ShowModal();
  settings.SetShowPoint(chooser->ChosenPoint);
}

}  // namespace velmora
