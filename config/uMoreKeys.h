// The dialog's "More keys" page: the commands beyond the Key page's in one list, each row
// with its hot key and gesture, and under it a hot-key box and a gesture list that edit
// the selected row, the taken-combination line and Clear.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "hook/uShortCutWord.h"
#include "settings/uPlayerCommand.h"
#include "ui/uDialogControls.h"

namespace velmora {

class TIniManager;

class TMoreKeys {
 public:
  // The controls are the dialog's and outlive this.
  TMoreKeys(ui::TListBox& list, ui::THotKey& box, ui::TComboBox& gesture, ui::TButton& clear,
            ui::TWinControl& conflict);

  // From the settings, or back into them.
  void Exchange(TIniManager& settings, bool save);
  // Selects the command's row and gives it the word and the gesture, as the user would
  // with the box and the list.
  void Edit(PlayerCommand command, TShortCut word, std::uint8_t gesture);
  // The row's text: the command's name, its hot key and its gesture, at the list's tabs.
  std::wstring RowText(int row) const;

  static constexpr int Rows = CommandCount - FirstMoreCommand;

 private:
  void ShowRow();     // the selected row into the box and the list
  void BoxChanged();  // the user typed a chord
  void GestureChanged();
  void Clear();
  void ShowConflict();
  int Selected() const;

  ui::TListBox& list_;
  ui::THotKey& box_;
  ui::TComboBox& gesture_;
  ui::TWinControl& conflict_;
  std::array<TShortCut, Rows> words_{};
  std::array<std::uint8_t, Rows> gestures_{};
};

}  // namespace velmora
