#include "engine/uTrackWatch.h"

#include <utility>

namespace velmora {

bool IsNewTrack(bool movedInList, bool titleChanged, int seenTimeMs, int timeMs) noexcept {
  if (titleChanged) return true;
  // Sorted, inserted or deleted above it: the same song plays on at another place, unless
  // it began again there (the same song twice in the list).
  return movedInList && timeMs >= 0 && seenTimeMs >= 0 && timeMs < seenTimeMs;
}

void TTrackWatch::See() {
  seenPosition_ = player_.Position();
  seenTitle_ = player_.Title();
  seenTimeMs_ = player_.PlayingTime();
}

void TTrackWatch::PollEvery(unsigned ms) {
  if (ms == pollMs_) return;
  pollMs_ = ms;
  if (ms)
    system_.StartTrackPoll(ms);
  else
    system_.StopTrackPoll();
}

void TTrackWatch::Watch() {
  if (settings_.ShowOnTrackChange == TrackPopupNever) return PollEvery(0);
  if (!pollMs_) See();
  PollEvery(PlayingMs);
}

bool TTrackWatch::OnPoll() {
  if (settings_.ShowOnTrackChange == TrackPopupNever) {
    PollEvery(0);
    return false;
  }
  const bool playing = player_.Status() == PlayStatus::Playing;
  PollEvery(playing ? PlayingMs : IdleMs);
  if (!playing) return false;  // an entry picked meanwhile shows once it plays
  const int position = player_.Position();
  std::wstring title = player_.Title();
  const int timeMs = player_.PlayingTime();
  const bool changed =
      IsNewTrack(position != seenPosition_, title != seenTitle_, seenTimeMs_, timeMs);
  seenPosition_ = position;
  seenTitle_ = std::move(title);
  seenTimeMs_ = timeMs;
  if (!changed) return false;
  // The rules of a command's popup, and the player's own window in front, take the change
  // as seen without a popup.
  if (!enabled_ || !settings_.UsePopup || system_.ForegroundExcluded()) return false;
  if (settings_.ShowOnTrackChange != TrackPopupAlways && system_.PlayerInFront()) return false;
  // A title that came late, or the next of titles coming fast: the popup still up takes it.
  if (popups_.Retitle(seenTitle_)) return false;
  popups_.ShowNowPlaying(PlayStatus::Playing, seenTitle_);
  return true;
}

}  // namespace velmora
