// Every user setting, in memory and in one ini file in the host's Plugins folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "hook/uShortCutWord.h"
#include "settings/uEngineSettings.h"
#include "settings/uPlayerCommand.h"
#include "ui/uColor.h"
#include "ui/uWide.h"

namespace velmora {

// A write that failed; the text is "%s に書き込めません" (code page 932) with the path.
class EIniWriteError : public ui::ETextError {
 public:
  using ui::ETextError::ETextError;
};

// The engine's settings (hot keys, jog gestures, intervals, the popup switch) are its base.
class TIniManager : public TEngineSettings {
 public:
  // The path rule, then Load. hostSettingsDirectory is the folder the player keeps its
  // own settings in (empty when it names none): the file goes there when the one beside
  // the player cannot be written.
  explicit TIniManager(const std::string& hostSettingsDirectory = {});
  TIniManager(const TIniManager&) = delete;
  TIniManager& operator=(const TIniManager&) = delete;

  void Load();
  // Writes every setting; a write that fails throws EIniWriteError. The owner saves at
  // quit, the dialog when it closes: nothing is written by the destructor.
  void Save();

  TShortCut GetHotKey(PlayerCommand c) const { return HotKeys[Index(c)]; }
  void SetHotKey(PlayerCommand c, TShortCut word) { HotKeys[Index(c)] = word; }
  std::uint8_t GetJogDial(PlayerCommand c) const { return JogDials[Index(c)]; }
  void SetJogDial(PlayerCommand c, std::uint8_t value) { JogDials[Index(c)] = value; }
  const std::string& GetSkin(PlayerCommand c) const { return Skins[SkinIndex(c)]; }
  void SetSkin(PlayerCommand c, const std::string& path) { Skins[SkinIndex(c)] = path; }

  void SetShowPoint(POINT point);

  // Path of the settings file beside a host executable: its folder, "Plugins\",
  // "gen_velmora.Ini".
  static std::string SettingsPath(const std::string& hostExecutable);
  // Path of the settings file in a folder of the player's: "Plugins\gen_velmora.Ini" in it.
  static std::string UserSettingsPath(const std::string& directory);

  std::string FileName;
  // Each loaded at construction; the defaults of keys not in the file are the key table's.
  std::string Skins[SkinnedCommandCount];
  bool UseJogDial;
  bool UseKey;
  ui::TColor FontColor;
  ui::TColor FormColor;
  ui::TColor FrameColor;
  std::int32_t FontSize;
  std::int32_t FrameWidth;
  std::int32_t ShowTime;
  POINT ShowPoint;
  bool ShowPointSet;
  bool ShowOnActiveMonitor;  // popups on the monitor of the window in front
  bool HideOverFullScreen;   // no popup over another program's full-screen window
  std::string DisableSkin;
  bool UseSendMessage;
  bool UseRawInput;  // keys from raw input instead of the keyboard hook
  bool UseJpFont;
  bool ID3AtCenter;
  // Executable file names separated by ";": while one of them is in front, hot keys and
  // gestures run nothing.
  std::string ExcludedPrograms;

 private:
  void LoadFrom(const std::string& path);
  static int Index(PlayerCommand c) { return static_cast<int>(c); }
  static int SkinIndex(PlayerCommand c) {
    return c == PlayerCommand::NowPlaying ? Index(PlayerCommand::Play) : Index(c);
  }
};

// A file (not a folder) of that path exists: the settings file, a skin.
bool FileExists(const std::string& path);

}  // namespace velmora
