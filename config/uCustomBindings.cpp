// The dialog's binding table: which setting each editable control edits, and how; walked
// once for both directions.
#include <array>

#include "config/uCustom.h"
#include "config/uCustomLayout.h"
#include "config/uCustomRules.h"
#include "hook/uShortCutWord.h"
#include "settings/uIniManager.h"

namespace velmora {

using namespace dialog;

namespace {

using TBinding = TfrmCustom::TBinding;
using TEdits = TfrmCustom::TEdits;
using TNumber = std::pair<int, std::int32_t TIniManager::*>;
constexpr TNumber kNumbers[] = {{IdShowTime, &TIniManager::ShowTime},
                                {IdFontSize, &TIniManager::FontSize},
                                {IdIgnoreInterval, &TIniManager::IgnoreInterval},
                                {IdCommandInterval, &TIniManager::CommandInterval},
                                {IdVolumeStep, &TIniManager::VolumeStep}};
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
                                 {IdShowTitle, &TIniManager::ShowTitle},
                                 {IdWheelUse, &TIniManager::WheelUse},
                                 {IdWheelOverTaskbar, &TIniManager::WheelOverTaskbar},
                                 {IdWheelAccelerate, &TIniManager::WheelAccelerate}};
constexpr TNumber kChoices[] = {{IdShowOnTrackChange, &TIniManager::ShowOnTrackChange},
                                {IdWheelAction, &TIniManager::WheelAction}};
constexpr int kBindingCount = 2 * FirstMoreCommand + std::size(kSkinRows) + std::size(kNumbers) +
                              std::size(kSwitches) + 1 + std::size(kChoices) +
                              std::size(kWheelKeys) + 1;
// Built at compile time: a row past the count is out of bounds there, a row short of it
// reaches the throw, and either stops the build.
constexpr auto kBindings = [] {
  std::array<TBinding, kBindingCount> b{};
  std::size_t i = 0;
  for (int n = 0; n < FirstMoreCommand; ++n) b[i++] = {HotKeyId(n), TEdits::HotKey, n};
  for (int n = 0; n < FirstMoreCommand; ++n) b[i++] = {GestureId(n), TEdits::Gesture, n};
  for (const TSkinRow& row : kSkinRows)
    b[i++] = {row.Command < 0 ? IdDisableSkin : SkinId(row.Command), TEdits::Skin, row.Command};
  for (const TNumber& n : kNumbers) b[i++] = {n.first, TEdits::Number, -1, n.second};
  for (const TSwitch& s : kSwitches) b[i++] = {s.first, TEdits::Switch, -1, nullptr, s.second};
  b[i++] = {IdExcludedPrograms, TEdits::Text, -1, nullptr, nullptr, &TIniManager::ExcludedPrograms};
  for (const TNumber& n : kChoices) b[i++] = {n.first, TEdits::Choice, -1, n.second};
  for (const auto& [id, bit] : kWheelKeys)
    b[i++] = {id, TEdits::Flag, -1, &TIniManager::WheelModifiers, nullptr, nullptr, bit};
  b[i++] = {IdMoreList, TEdits::MoreKeys};
  if (i != b.size()) throw "a binding row is missing";
  return b;
}();

std::int32_t ParsedOr(const ui::TEdit& edit, std::int32_t previous) {
  return ParseDecimal(edit.Text()).value_or(previous);
}

}  // namespace

std::span<const TBinding> TfrmCustom::Bindings() noexcept {
  return kBindings;
}

void TfrmCustom::ExchangeText(int id, std::string& setting, bool save) {
  auto* edit = Get<ui::TEdit>(id);
  if (save)
    setting = edit->Text();
  else
    edit->SetText(setting);
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
      case TEdits::Skin:
        ExchangeText(b.Id, b.Command < 0 ? s.DisableSkin : s.Skins[b.Command], save);
        break;
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
      case TEdits::Text:
        ExchangeText(b.Id, s.*b.Text, save);
        break;
      case TEdits::Choice: {
        auto* box = Get<ui::TComboBox>(b.Id);
        if (!save)
          box->SetItemIndex(s.*b.Number);
        else if (box->ItemIndex() >= 0)
          s.*b.Number = box->ItemIndex();
        break;
      }
      case TEdits::MoreKeys:
        moreKeys_->Exchange(s, save);
        break;
      case TEdits::Flag: {
        auto* check = Get<ui::TCheckBox>(b.Id);
        if (!save)
          check->SetChecked((s.*b.Number & b.Bit) != 0);
        else if (check->Checked())
          s.*b.Number |= b.Bit;
        else
          s.*b.Number &= ~b.Bit;
        break;
      }
    }
  }
  // No key is no chord: a plain wheel stays the wheel, and the dialog shows the default's.
  if (save) s.WheelModifiers = WheelChord(s.WheelModifiers);
}

std::vector<int> TfrmCustom::EditableIds() const {
  std::vector<int> ids;
  for (const auto& [id, control] : byId_)
    // Neither fills a setting itself: the directory fills the skin boxes, the More page's box
    // and gesture list edit its list's selected row.
    if (control != edtSkinDirectory && id != IdMoreHotKey && id != IdMoreGesture &&
        (dynamic_cast<ui::TEdit*>(control) || dynamic_cast<ui::TCheckBox*>(control) ||
         dynamic_cast<ui::THotKey*>(control) || dynamic_cast<ui::TComboBox*>(control) ||
         dynamic_cast<ui::TListBox*>(control)))
      ids.push_back(id);
  return ids;
}

}  // namespace velmora
