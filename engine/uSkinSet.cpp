#include "engine/uSkinSet.h"

#include "engine/uWinampManager.h"
#include "settings/uIniManager.h"

namespace velmora {

namespace {

// An existing file that is not a readable bitmap leaves its slot empty too.
std::shared_ptr<ui::TBitmap> LoadSkin(const std::string& path) {
  if (!FileExists(path)) return nullptr;
  try {
    auto bitmap = std::make_shared<ui::TBitmap>();
    bitmap->LoadFromFile(path);
    return bitmap;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

void TSkinSet::Load(const TIniManager& settings) {
  Free();
  for (int c = 0; c < SkinnedCommandCount; ++c) {
    const auto command = static_cast<PlayerCommand>(c);
    if (TWinampManager::HasPopup(command)) commands_[c] = LoadSkin(settings.GetSkin(command));
  }
  disabled_ = LoadSkin(settings.DisableSkin);
}

void TSkinSet::Free() noexcept {
  for (auto& skin : commands_) skin.reset();
  disabled_.reset();
}

}  // namespace velmora
