#include "popup/uDummyPopup.h"

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
  Font().SetHeight(-12);
  Font().SetColor(ui::clSystemFlag | COLOR_WINDOWTEXT);
  SetClientSize(137, 66);
  Label1 = new ui::TLabel(this);
  Label1->SetParent(this);
  Label1->SetBounds(1, 2, 136, 36);
  Label1->SetText(
      "Please drag the window\r\nand decide the position \r\nwhere Popup is displayed. ");
  btClose = new ui::TButton(this);
  btClose->SetParent(this);
  btClose->SetBounds(31, 44, 75, 20);
  btClose->SetText("&Close");
  btClose->ModalResult = ui::mrOk;
  OnClose = [this](ui::TCloseAction& action) { FormClose(action); };
  FormCreate(settings);
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
  auto* chooser = new TfrmDummyPopup(owner, settings);
  const TScopeExit release([chooser] { chooser->Release(); });
  chooser->ShowModal();
  settings.SetShowPoint(chooser->ChosenPoint);
}

}  // namespace velmora
