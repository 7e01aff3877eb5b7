#include "config/uMoreKeys.h"

#include "engine/uCommandMatch.h"
#include "hook/uCapture.h"
#include "settings/uIniManager.h"
#include "ui/uTexts.h"
#include "ui/uWide.h"

namespace velmora {

TMoreKeys::TMoreKeys(ui::TListBox& list, ui::THotKey& box, ui::TComboBox& gesture,
                     ui::TButton& clear, ui::TWinControl& conflict)
    : list_(list), box_(box), gesture_(gesture), conflict_(conflict) {
  list_.TabStops = {110, 190};
  for (int row = 0; row < Rows; ++row) list_.AddItem(RowText(row));
  list_.SetItemIndex(0);
  list_.OnChange = [this] { ShowRow(); };
  box_.OnChange = [this] { BoxChanged(); };
  gesture_.OnChange = [this] { GestureChanged(); };
  clear.OnClick = [this] { Clear(); };
}

std::wstring TMoreKeys::RowText(int row) const {
  const std::size_t r = static_cast<std::size_t>(row);
  const std::uint8_t g = gestures_[r];
  return ui::FromCp932(CommandNames[FirstMoreCommand + row]) + L"\t" +
         ui::THotKey::ValueText(HotKeyFromShortCut(words_[r])) + L"\t" +
         (g && g < std::size(texts::JogDialTexts) ? texts::JogDialTexts[g].Unicode : L"");
}

int TMoreKeys::Selected() const {
  const int row = list_.ItemIndex();
  return row >= 0 && row < Rows ? row : -1;
}

void TMoreKeys::ShowRow() {
  const int row = Selected();
  if (row < 0) return;
  box_.SetValue(HotKeyFromShortCut(words_[static_cast<std::size_t>(row)]));
  gesture_.SetItemIndex(gestures_[static_cast<std::size_t>(row)]);
  ShowConflict();
}

void TMoreKeys::BoxChanged() {
  const int row = Selected();
  if (row < 0) return;
  words_[static_cast<std::size_t>(row)] = ShortCutFromHotKey(box_.Value());
  list_.SetItem(row, RowText(row));
  ShowConflict();
}

void TMoreKeys::GestureChanged() {
  const int row = Selected();
  const int g = gesture_.ItemIndex();
  if (row < 0 || g < 0) return;
  gestures_[static_cast<std::size_t>(row)] = static_cast<std::uint8_t>(g);
  list_.SetItem(row, RowText(row));
}

void TMoreKeys::Clear() {
  const int row = Selected();
  if (row < 0) return;
  words_[static_cast<std::size_t>(row)] = 0;
  gestures_[static_cast<std::size_t>(row)] = 0;
  list_.SetItem(row, RowText(row));
  ShowRow();
}

// The plugin holds no combination while the dialog runs: whoever holds one is another program.
void TMoreKeys::ShowConflict() {
  const TShortCut word = ShortCutFromHotKey(box_.Value());
  conflict_.SetVisible(word != 0 && HotKeyHeldElsewhere(box_.Handle(), word));
}

void TMoreKeys::Edit(PlayerCommand command, TShortCut word, std::uint8_t gesture) {
  const int row = static_cast<int>(command) - FirstMoreCommand;
  if (row < 0 || row >= Rows) return;
  list_.SetItemIndex(row);
  ShowRow();
  box_.SetValue(HotKeyFromShortCut(word));
  BoxChanged();
  gesture_.SetItemIndex(gesture);
  GestureChanged();
}

void TMoreKeys::Exchange(TIniManager& settings, bool save) {
  for (int row = 0; row < Rows; ++row) {
    const std::size_t r = static_cast<std::size_t>(row);
    TShortCut& word = settings.HotKeys[FirstMoreCommand + row];
    std::uint8_t& gesture = settings.JogDials[FirstMoreCommand + row];
    if (save) {
      word = words_[r];
      gesture = gestures_[r];
    } else {
      words_[r] = word;
      gestures_[r] = gesture;
      list_.SetItem(row, RowText(row));
    }
  }
  if (!save) ShowRow();
}

}  // namespace velmora
