// The configuration dialog: five pages (Key, JogDial, Popup, System, Wheel) that edit the
// settings object, a live preview of the popup, and the logo that fades in. Loaded from
// the settings at creation, written back and saved at destruction.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "config/uBitmapList.h"
#include "config/uLogoFade.h"
#include "config/uMoreKeys.h"
#include "config/uSimpleWebLabel.h"
#include "settings/uPlayerCommand.h"
#include "popup/uPopupForm.h"
#include "config/uThreadTimer.h"
#include "ui/uDialogControls.h"
#include "ui/uDialogs.h"
#include "ui/uLayout.h"

namespace velmora {

// The home page the logo and the link open.
inline constexpr char HomePageUrl[] = "http://velmora.example/";

// Default skin file of each command (none for ID3 and Winamp) and of the Disabled popup.
inline constexpr const char* DefaultSkinFiles[SkinnedCommandCount] = {
    "Prev.bmp",     "Play.bmp",       "Pause.bmp",  "Stop.bmp", "Next.bmp", "Open.bmp",
    "VolumeUp.bmp", "VolumeDown.bmp", "Enable.bmp", nullptr,    nullptr};
inline constexpr char DefaultDisableSkinFile[] = "Disable.bmp";

class TIniManager;

class TfrmCustom : public ui::TForm {
 public:
  // What a control edits in the settings, and how: loading and saving both walk the table.
  enum class TEdits { HotKey, Gesture, Skin, Number, Switch, Text, Choice, Flag, MoreKeys };
  struct TBinding {
    int Id;
    TEdits How;
    int Command = -1;  // hot key, gesture, skin (-1: the Disabled popup's skin)
    // Also a Choice (the index of its item) and a Flag (its bit in the number).
    std::int32_t TIniManager::*Number = nullptr;
    bool TIniManager::*Switch = nullptr;
    std::string TIniManager::*Text = nullptr;
    std::int32_t Bit = 0;
  };
  // Every row, in the order they are loaded and saved.
  static std::span<const TBinding> Bindings() noexcept;

  // The settings are the caller's and outlive the dialog.
  explicit TfrmCustom(TIniManager& settings, ui::TComponent* owner = nullptr);
  ~TfrmCustom() override;  // FormDestroy: writes every control back and saves

  // Controls by their ids (config/uCustomIds.h), as the layout table gives them.
  ui::TWinControl* Control(int id) const;
  template <class T>
  T* Get(int id) const {
    return dynamic_cast<T*>(Control(id));
  }
  // The edit of a command's skin; -1: the Disabled popup's.
  ui::TEdit* SkinEdit(int command) const;
  // Every control that holds a setting's value, by id: each has one row in Bindings().
  std::vector<int> EditableIds() const;

  ui::TPageControl* pageConfig;
  ui::TButton* btnOK;
  ui::TImage* imgLogo;
  TSimpleWebLabelEx* lblBrindlewood;
  ui::TEdit* edtSkinDirectory;
  ui::TEdit* edtFontSize;
  ui::TCheckBox* chbxUseKey;
  ui::TCheckBox* chbxUseJogDial;
  ui::TCheckBox* chbxUsePopup;
  ui::TPanel* pnlBase;
  TPopupForm* frmPreview = nullptr;
  ui::TColorDialog dlgColor;
  ui::TOpenPictureDialog dlgOpen;
  TBitmapList bmplstLogo;
  std::unique_ptr<TThreadTimer> timerLogo;
  TLogoFade logo{ui::clSystemFlag | COLOR_BTNFACE};
  // The "More keys" page, made with its controls.
  TMoreKeys& MoreKeys() const { return *moreKeys_; }

  void FormCreate();
  void FormDestroy();
  void RefreshPreview();
  void EnablePage(ui::TWinControl& page, const ui::TCheckBox& check);
  ui::TColor PickColor(ui::TColor color);
  void ReferenceClick(ui::TButton& button);
  void btnDirectoryRefClick();
  void edtSkinDirectoryChange();
  void ShowConflict(int command);
  void edtFontSizeChange();
  void imgLogoClick();
  void timerLogoTimer();

 private:
  void BuildControls();
  void ExchangeSettings(bool save);
  static void StyleConflictLine(ui::TLabel& line);
  // An edit box and the text setting it shows, one way or the other.
  void ExchangeText(int id, std::string& setting, bool save);
  void BindHandlers();
  // Every place and size of the layout at dpi, the fonts given in pixels with them.
  void LayOut(int dpi);
  void DpiChanged(int dpi, const RECT& suggested) override;

  TIniManager& settings_;
  std::vector<std::pair<int, ui::TWinControl*>> byId_;
  std::unique_ptr<TMoreKeys> moreKeys_;
  ui::TLayout layout_;
};

}  // namespace velmora
