#include "engine/uPlayerActions.h"

#include "engine/uCommandMatch.h"

namespace velmora {

bool TPlayerActions::Handles(PlayerCommand command) noexcept {
  // The list's ends move the track as Next does: the engine runs them with the watch.
  return command == PlayerCommand::VolumeUp || command == PlayerCommand::VolumeDown ||
         (static_cast<int>(command) >= FirstMoreCommand && !MovesTrack(command));
}

void TPlayerActions::Show(PlayerCommand command, bool again, const std::string& text,
                          const std::string& fallback, const std::wstring& line) {
  if (settings_.UsePopup) popups_.ShowState(command, again, text, fallback, line);
}

void TPlayerActions::Volume(PlayerCommand command, bool again) {
  const bool up = command == PlayerCommand::VolumeUp;
  const int step = VolumeStepOf(settings_.VolumeStep);
  // The level is asked first only where it decides what happens.
  const int level = step || mute_.Muted() ? player_.Volume() : -1;
  const int back = up && level >= 0 ? mute_.OnVolumeUp(level) : -1;
  if (back >= 0)
    player_.SetVolume(back);
  else if (step && level >= 0)
    player_.SetVolume(StepVolume(level, up ? step : -step));
  else
    player_.Execute(command);
  const int now = player_.Volume();
  Show(command, again, CommandNames[static_cast<int>(command)], {},
       now >= 0 ? VolumeLine(now) : std::wstring());
}

void TPlayerActions::Run(PlayerCommand command, bool again) {
  const std::string name = CommandNames[static_cast<int>(command)];
  switch (command) {
    case PlayerCommand::VolumeUp:
    case PlayerCommand::VolumeDown:
      return Volume(command, again);
    case PlayerCommand::Mute: {
      const int level = player_.Volume();
      if (level >= 0) player_.SetVolume(mute_.Toggle(level));
      const int now = level >= 0 ? player_.Volume() : -1;
      return Show(command, again, name, {}, now >= 0 ? VolumeLine(now) : std::wstring());
    }
    case PlayerCommand::Repeat:
    case PlayerCommand::Shuffle: {
      const int before = player_.Option(command);
      player_.SetOption(command, before != 1);
      const int after = player_.Option(command);
      // An answer that did not change is a player without the option: the name alone.
      const bool known = (after == 0 || after == 1) && after != before;
      return Show(command, again, known ? ToggleText(name.c_str(), after == 1) : name);
    }
    case PlayerCommand::Rate1:
    case PlayerCommand::Rate2:
    case PlayerCommand::Rate3:
    case PlayerCommand::Rate4:
    case PlayerCommand::Rate5:
    case PlayerCommand::ClearRating:
    case PlayerCommand::RatingUp:
    case PlayerCommand::RatingDown: {
      const int now = player_.Rating();
      const int target = TargetRating(static_cast<int>(command), now >= 0 && now <= 5 ? now : 0);
      player_.SetRating(target);
      if (player_.Rating() != target) return Show(command, again, name);
      return Show(command, again, name + "  " + Stars(target), name + "  " + StarsFallback(target),
                  player_.Title());
    }
    case PlayerCommand::SeekForward:
    case PlayerCommand::SeekBack:
      player_.Execute(command);
      return Show(command, again, name, {}, TimeLine(player_.PlayingTime(), player_.Length()));
    case PlayerCommand::CopyTitle: {
      const std::wstring title = player_.Title();
      system_.CopyText(title);
      return Show(command, again, name, {}, title);
    }
    default:
      player_.Execute(command);
      return Show(command, again, name);
  }
}

}  // namespace velmora
