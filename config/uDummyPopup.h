// The popup position chooser: a small dialog standing in for the popup, which the user
// drags to where popups should appear and closes; its top-left corner is the choice.
#pragma once

#include <windows.h>

#include "ui/uControls.h"
#include "ui/uDialogControls.h"
#include "ui/uLayout.h"

namespace velmora {

class TIniManager;

class TfrmDummyPopup : public ui::TForm {
 public:
  // Placed from the settings: at the stored show point, or centred on the primary screen.
  TfrmDummyPopup(ui::TComponent* owner, const TIniManager& settings);

  POINT ChosenPoint{0, 0};
  ui::TLabel* Label1;
  ui::TButton* btClose;

 private:
  void FormCreate(const TIniManager& settings);
  void FormClose(ui::TCloseAction& action);
  void LayOut(int dpi);
  void DpiChanged(int dpi, const RECT& suggested) override;

  ui::TLayout layout_;
};

// The dialog's use of it: run modally, hand the chosen point to the settings whatever way
// it was closed, destroyed later through its release message (also when the run fails).
void ChoosePopupPosition(TIniManager& settings, ui::TComponent* owner);

}  // namespace velmora
