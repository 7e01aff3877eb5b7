// The popups as the engine's features show them: the command's skin, the live popup that a
// repeat renews, and the full-screen rule under which none shows.
#pragma once

#include <memory>
#include <string>

#include "engine/uEnginePorts.h"
#include "engine/uSkinSet.h"

namespace velmora {

class TForegroundPolicy;
class TIniManager;
class TPopupForm;

class TPresenter final : public IPopups {
 public:
  // Both are the engine window's and outlive this; the settings are read live.
  TPresenter(const TIniManager& settings, const TForegroundPolicy& foreground);
  // The skins from the settings as they are now.
  void LoadSkins();

  void Show(PlayerCommand command, bool disabled, bool again, const std::wstring& title) override;
  void ShowNowPlaying(PlayStatus status, const std::wstring& title) override;
  void ShowState(PlayerCommand command, bool again, const std::string& text,
                 const std::string& fallback, const std::wstring& line) override;
  bool Retitle(const std::wstring& title) override;

 private:
  void ShowPopup(const char* text, const std::shared_ptr<ui::TBitmap>& skin, bool again,
                 const std::wstring& title, bool namesTrack, const std::string& fallback = {});

  const TIniManager& settings_;
  const TForegroundPolicy& foreground_;
  TSkinSet skins_;
  // The last popup shown, which a held key's repeats show again; it frees itself.
  TPopupForm* lastPopup_ = nullptr;
  bool lastTitled_ = false;  // it names a track
};

}  // namespace velmora
