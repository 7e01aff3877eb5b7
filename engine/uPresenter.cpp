#include "engine/uPresenter.h"

#include "engine/uCommandMatch.h"
#include "engine/uForegroundPolicy.h"
#include "popup/uPopupForm.h"
#include "settings/uIniManager.h"
#include "ui/uDpi.h"

namespace velmora {

TPresenter::TPresenter(const TIniManager& settings, const TForegroundPolicy& foreground)
    : settings_(settings), foreground_(foreground) {
  LoadSkins();
}

void TPresenter::LoadSkins() {
  skins_.Load(settings_);
}

void TPresenter::Show(PlayerCommand command, bool disabled, bool again, const std::wstring& title) {
  // Play, Next and Prev name the track they moved to, also while its title is still empty.
  const bool namesTrack =
      !title.empty() || (settings_.ShowTitle && !disabled &&
                         (command == PlayerCommand::Play || command == PlayerCommand::Next ||
                          command == PlayerCommand::Prev));
  ShowPopup(disabled ? DisabledText : CommandNames[static_cast<int>(command)],
            skins_.For(command, disabled), again, title, namesTrack);
}

void TPresenter::ShowNowPlaying(PlayStatus status, const std::wstring& title) {
  ShowPopup(NowPlayingText(status), skins_.For(PlayerCommand::NowPlaying, false), false, title,
            true);
}

void TPresenter::ShowState(PlayerCommand command, bool again, const std::string& text,
                           const std::string& fallback, const std::wstring& line) {
  ShowPopup(text.c_str(), skins_.For(command, false), again, line, false, fallback);
}

bool TPresenter::Retitle(const std::wstring& title) {
  if (!lastTitled_ || !TPopupForm::IsLive(lastPopup_) || !IsWindowVisible(lastPopup_->Handle()))
    return false;
  lastPopup_->SetTitle(title);
  lastPopup_->ShowFor(settings_.ShowTime);
  return true;
}

void TPresenter::ShowPopup(const char* text, const std::shared_ptr<ui::TBitmap>& skin, bool again,
                           const std::wstring& title, bool namesTrack,
                           const std::string& fallback) {
  if (foreground_.PopupHidden()) return;  // the command still ran
  // Stars and the like where the popup's font has them, else the fallback's plain text.
  auto shown = [&](TPopupForm& popup) {
    return fallback.empty() || popup.FontHasGlyphs(text) ? text : fallback.c_str();
  };
  // A repeat keeps the popup it showed, its time begun anew, with what it says now.
  if (again && TPopupForm::IsLive(lastPopup_) && IsWindowVisible(lastPopup_->Handle())) {
    const char* now = shown(*lastPopup_);
    if (lastPopup_->Text() != now) lastPopup_->SetText(now);
    if (!title.empty()) lastPopup_->SetTitle(title);  // a wheel's track steps name each one
    return lastPopup_->ShowFor(settings_.ShowTime);
  }
  const ui::TDpiAwareScope aware;  // laid out in the pixels of its monitor
  auto popup = std::make_unique<TPopupForm>(nullptr);
  popup->ApplySettings(settings_);
  popup->SetText(shown(*popup));
  popup->SetGraphic(skin);
  popup->SetTitle(title);
  lastPopup_ = popup.release();
  lastTitled_ = namesTrack;
  lastPopup_->ShowFor(settings_.ShowTime);  // it releases itself when its time is up
}

}  // namespace velmora
