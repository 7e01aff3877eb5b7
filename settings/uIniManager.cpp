#include "settings/uIniManager.h"

#include <utility>
#include <vector>

#include "settings/uIniValue.h"
#include "ui/uFont.h"
#include "ui/uHandle.h"
#include "ui/uTexts.h"

namespace velmora {

namespace {

// The profile API over one file, made for one Load or Save.
class TIniFile {
 public:
  explicit TIniFile(const std::string& path) : path_(path) {}

  // A value of any length is read whole (a long list of programs), not cut at a buffer.
  std::string ReadString(const char* section, const char* key, const std::string& def) const {
    std::string buffer(2048, '\0');
    for (;;) {
      const DWORD n = GetPrivateProfileStringA(section, key, def.c_str(), buffer.data(),
                                               static_cast<DWORD>(buffer.size()), path_.c_str());
      if (n + 1 < buffer.size() || buffer.size() >= (1u << 20)) return buffer.substr(0, n);
      buffer.resize(buffer.size() * 4);
    }
  }
  std::int32_t ReadInteger(const char* section, const char* key, std::int32_t def) const {
    return ParseIniInteger(ReadString(section, key, ""), def);
  }
  bool ReadBool(const char* section, const char* key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
  }
  // The key is listed in the section, compared without regard to case.
  bool ValueExists(const char* section, const char* key) const {
    std::vector<char> names(16384);
    const DWORD n = GetPrivateProfileStringA(section, nullptr, "", names.data(),
                                             static_cast<DWORD>(names.size()), path_.c_str());
    for (DWORD i = 0; i < n && names[i];) {
      const char* name = &names[i];
      if (lstrcmpiA(name, key) == 0) return true;
      i += static_cast<DWORD>(lstrlenA(name)) + 1;
    }
    return false;
  }

  void WriteString(const char* section, const char* key, const std::string& value) const {
    if (!WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str())) {
      // The message's words are the plugin's own (code page 932), the path is ANSI. No
      // trail byte of code page 932 is '%', so the "%s" found is the placeholder.
      std::string text = texts::WriteError.Cp932;
      text.replace(text.find("%s"), 2, path_);
      std::wstring wide = ui::FromCp932(texts::WriteError.Cp932);
      wide.replace(wide.find(L"%s"), 2, ui::FromAnsi(path_));
      throw EIniWriteError(text, std::move(wide));
    }
  }
  void DeleteKey(const char* section, const char* key) const {
    WritePrivateProfileStringA(section, key, nullptr, path_.c_str());
  }
  void WriteInteger(const char* section, const char* key, std::int64_t value) const {
    WriteString(section, key, std::to_string(value));
  }
  void WriteBool(const char* section, const char* key, bool value) const {
    WriteString(section, key, value ? "1" : "0");
  }

 private:
  std::string path_;
};

const char* Key(int i) {
  static const char* const keys[CommandCount] = {
      "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12",
      "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25",
      "26", "27", "28", "29", "30", "31", "32", "33", "34", "35", "36"};
  return keys[i];
}

}  // namespace

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string TIniManager::SettingsPath(const std::string& hostExecutable) {
  return hostExecutable.substr(0, DirectoryLength(hostExecutable, ui::IsAnsiLeadByte)) +
         "Plugins\\gen_velmora.Ini";
}

std::string TIniManager::UserSettingsPath(const std::string& directory) {
  const bool separated =
      AfterLastSeparator(directory, "\\", ui::IsAnsiLeadByte) == directory.size();
  return directory + (separated ? "" : "\\") + "Plugins\\gen_velmora.Ini";
}

namespace {
// The file can be written, or, where there is none, created (and is gone again at once).
bool CanWrite(const std::string& path) {
  const bool exists = FileExists(path);
  const ui::TFileHandle file(CreateFileA(
      path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      exists ? OPEN_EXISTING : CREATE_NEW,
      exists ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}
}  // namespace

TIniManager::TIniManager(const std::string& hostSettingsDirectory) {
  char exe[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
  FileName = SettingsPath(std::string(exe, n));
  std::string source = FileName;
  // Beside the player under Program Files a user cannot write: the player's own settings
  // folder keeps the file then, and a file found there comes first at every start. The
  // one beside the player, if any, is where the first start there begins.
  if (!hostSettingsDirectory.empty()) {
    const std::string user = UserSettingsPath(hostSettingsDirectory);
    if (lstrcmpiA(user.c_str(), FileName.c_str()) != 0) {
      if (FileExists(user)) {
        FileName = source = user;
      } else if (!CanWrite(FileName)) {
        CreateDirectoryA(user.substr(0, DirectoryLength(user, ui::IsAnsiLeadByte)).c_str(),
                         nullptr);
        FileName = user;
      }
    }
  }
  LoadFrom(source);
}

void TIniManager::Load() {
  LoadFrom(FileName);
}

namespace {

constexpr TEngineSettings kEngineDefaults{};

// Every key of the file, each named once with its default, in the order a fresh file has
// them (the show point last of its section, UseRawInput after the System keys the file
// always had): loading and saving both walk it.
template <class Settings, class Visit>
void EachSetting(Settings& s, Visit&& visit) {
  for (int i = 0; i < FirstMoreCommand; ++i) {
    visit("HotKeys", Key(i), s.HotKeys[i], 0);
    visit("JogDials", Key(i), s.JogDials[i], 0);
    if (i < SkinnedCommandCount) visit("Skins", Key(i), s.Skins[i], "");
  }
  // The other commands' keys stand in the file only while bound: an earlier file is
  // written back as it was.
  for (int i = FirstMoreCommand; i < CommandCount; ++i) {
    visit.Bound("HotKeys", Key(i), s.HotKeys[i]);
    visit.Bound("JogDials", Key(i), s.JogDials[i]);
  }
  visit("Skins", "Disable", s.DisableSkin, "");
  visit("Interval", "IgnoreInterval", s.IgnoreInterval, kEngineDefaults.IgnoreInterval);
  visit("Interval", "CommandInterval", s.CommandInterval, kEngineDefaults.CommandInterval);
  visit("Use", "JogDial", s.UseJogDial, false);
  visit("Use", "Key", s.UseKey, false);
  visit("Popup", "UsePopup", s.UsePopup, kEngineDefaults.UsePopup);
  visit("Popup", "FormColor", s.FormColor, 0);
  visit("Popup", "FrameColor", s.FrameColor, 0xFF00);
  visit("Popup", "FontColor", s.FontColor, 0xFF00);
  visit("Popup", "FontSize", s.FontSize, 10);
  visit("Popup", "FrameWidth", s.FrameWidth, 2);
  visit("Popup", "ShowTime", s.ShowTime, 300);
  visit("Popup", "ShowOnActiveMonitor", s.ShowOnActiveMonitor, false);
  visit("Popup", "HideOverFullScreen", s.HideOverFullScreen, true);
  visit("Popup", "ShowTitle", s.ShowTitle, kEngineDefaults.ShowTitle);
  visit("Popup", "ShowOnTrackChange", s.ShowOnTrackChange, kEngineDefaults.ShowOnTrackChange);
  visit.Point("Popup", "ShowPointX", "ShowPointY", s.ShowPoint, s.ShowPointSet);
  visit("System", "UseSendMessage", s.UseSendMessage, false);
  visit("System", "UseJpFont", s.UseJpFont, true);
  visit("System", "ID3AtCenter", s.ID3AtCenter, true);
  visit("System", "UseRawInput", s.UseRawInput, false);
  visit("System", "ExcludedPrograms", s.ExcludedPrograms, "");
  visit("System", "RepeatVolume", s.RepeatVolume, kEngineDefaults.RepeatVolume);
  visit("System", "VolumeStep", s.VolumeStep, kEngineDefaults.VolumeStep);
  visit("Wheel", "Use", s.WheelUse, kEngineDefaults.WheelUse);
  visit("Wheel", "Modifiers", s.WheelModifiers, kEngineDefaults.WheelModifiers);
  visit("Wheel", "Action", s.WheelAction, kEngineDefaults.WheelAction);
  visit("Wheel", "OverTaskbar", s.WheelOverTaskbar, kEngineDefaults.WheelOverTaskbar);
  visit("Wheel", "Accelerate", s.WheelAccelerate, kEngineDefaults.WheelAccelerate);
}

struct TLoad {
  const TIniFile& ini;
  void operator()(const char* section, const char* key, std::string& value, const char* def) const {
    value = ini.ReadString(section, key, def);
  }
  void operator()(const char* section, const char* key, bool& value, bool def) const {
    value = ini.ReadBool(section, key, def);
  }
  // Integers, colours, hot-key words and gesture indexes: 32-bit values in the file.
  template <class T>
  void operator()(const char* section, const char* key, T& value, std::int64_t def) const {
    value = static_cast<T>(ini.ReadInteger(section, key, static_cast<std::int32_t>(def)));
  }
  template <class T>
  void Bound(const char* section, const char* key, T& value) const {
    (*this)(section, key, value, 0);
  }
  // The point counts as chosen only when both coordinates are in the file.
  void Point(const char* section, const char* keyX, const char* keyY, POINT& point,
             bool& set) const {
    set = ini.ValueExists(section, keyX) && ini.ValueExists(section, keyY);
    point.x = ini.ReadInteger(section, keyX, 0);
    point.y = ini.ReadInteger(section, keyY, 0);
  }
};

struct TSave {
  const TIniFile& ini;
  void operator()(const char* section, const char* key, const std::string& value,
                  const char*) const {
    ini.WriteString(section, key, value);
  }
  void operator()(const char* section, const char* key, bool value, bool) const {
    ini.WriteBool(section, key, value);
  }
  template <class T>
  void operator()(const char* section, const char* key, T value, std::int64_t) const {
    ini.WriteInteger(section, key, static_cast<std::int32_t>(value));
  }
  template <class T>
  void Bound(const char* section, const char* key, T value) const {
    if (value)
      ini.WriteInteger(section, key, static_cast<std::int32_t>(value));
    else
      ini.DeleteKey(section, key);
  }
  void Point(const char* section, const char* keyX, const char* keyY, POINT point, bool set) const {
    if (!set) return;
    ini.WriteInteger(section, keyX, point.x);
    ini.WriteInteger(section, keyY, point.y);
  }
};

}  // namespace

void TIniManager::LoadFrom(const std::string& path) {
  const TIniFile ini(path);
  EachSetting(*this, TLoad{ini});
  // A value of no mode, as an empty one, is the default's.
  if (ShowOnTrackChange < TrackPopupNever || ShowOnTrackChange > TrackPopupAlways)
    ShowOnTrackChange = kEngineDefaults.ShowOnTrackChange;
  WheelModifiers = WheelChord(WheelModifiers);
  WheelAction = WheelActionOf(WheelAction);
  VolumeStep = VolumeStepOf(VolumeStep);
}

void TIniManager::Save() {
  const TIniFile ini(FileName);
  EachSetting(std::as_const(*this), TSave{ini});
}

void TIniManager::SetShowPoint(POINT point) {
  if (point.x == ShowPoint.x && point.y == ShowPoint.y) return;
  ShowPoint = point;
  ShowPointSet = true;
}

}  // namespace velmora
