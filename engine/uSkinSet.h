// The popups' skins: a bitmap for each command that has a popup, and Disable's, loaded from
// the paths the settings hold. A slot whose file is missing or unreadable stays empty and
// its popup shows the command's name.
#pragma once

#include <memory>

#include "settings/uPlayerCommand.h"
#include "ui/uBitmap.h"

namespace velmora {

class TIniManager;

class TSkinSet {
 public:
  void Load(const TIniManager& settings);
  void Free() noexcept;
  // Shared with the popups that show it, so a popup never draws a freed skin.
  // Now Playing shows Play's; the table's commands past the skinned ones have none.
  const std::shared_ptr<ui::TBitmap>& For(PlayerCommand command, bool disabled) const noexcept {
    if (disabled) return disabled_;
    const int slot =
        static_cast<int>(command == PlayerCommand::NowPlaying ? PlayerCommand::Play : command);
    return slot < SkinnedCommandCount ? commands_[slot] : none_;
  }

 private:
  std::shared_ptr<ui::TBitmap> none_;
  std::shared_ptr<ui::TBitmap> disabled_;
  std::shared_ptr<ui::TBitmap> commands_[SkinnedCommandCount];
};

}  // namespace velmora
