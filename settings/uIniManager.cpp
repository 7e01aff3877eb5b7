#include "settings/uIniManager.h"

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
  static const char* const keys[CommandCount] = {"0", "1", "2", "3", "4", "5",
                                                 "6", "7", "8", "9", "10"};
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

void TIniManager::LoadFrom(const std::string& path) {
  const TIniFile ini(path);
  for (int i = 0; i < CommandCount; ++i) {
    HotKeys[i] = static_cast<TShortCut>(ini.ReadInteger("HotKeys", Key(i), 0));
    JogDials[i] = static_cast<std::uint8_t>(ini.ReadInteger("JogDials", Key(i), 0));
    Skins[i] = ini.ReadString("Skins", Key(i), "");
  }
  DisableSkin = ini.ReadString("Skins", "Disable", "");
  IgnoreInterval = ini.ReadInteger("Interval", "IgnoreInterval", 100);
  CommandInterval = ini.ReadInteger("Interval", "CommandInterval", 1000);
  UseJogDial = ini.ReadBool("Use", "JogDial", false);
  UseKey = ini.ReadBool("Use", "Key", false);
  UsePopup = ini.ReadBool("Popup", "UsePopup", true);
  FormColor = static_cast<ui::TColor>(ini.ReadInteger("Popup", "FormColor", 0));
  FrameColor = static_cast<ui::TColor>(ini.ReadInteger("Popup", "FrameColor", 0xFF00));
  FontColor = static_cast<ui::TColor>(ini.ReadInteger("Popup", "FontColor", 0xFF00));
  FontSize = ini.ReadInteger("Popup", "FontSize", 10);
  FrameWidth = ini.ReadInteger("Popup", "FrameWidth", 2);
  ShowTime = ini.ReadInteger("Popup", "ShowTime", 300);
  ShowPointSet = ini.ValueExists("Popup", "ShowPointX") && ini.ValueExists("Popup", "ShowPointY");
  ShowPoint.x = ini.ReadInteger("Popup", "ShowPointX", 0);
  ShowPoint.y = ini.ReadInteger("Popup", "ShowPointY", 0);
  ShowOnActiveMonitor = ini.ReadBool("Popup", "ShowOnActiveMonitor", false);
  HideOverFullScreen = ini.ReadBool("Popup", "HideOverFullScreen", true);
  ShowTitle = ini.ReadBool("Popup", "ShowTitle", true);
  UseSendMessage = ini.ReadBool("System", "UseSendMessage", false);
  UseRawInput = ini.ReadBool("System", "UseRawInput", false);
  UseJpFont = ini.ReadBool("System", "UseJpFont", true);
  ID3AtCenter = ini.ReadBool("System", "ID3AtCenter", true);
  ExcludedPrograms = ini.ReadString("System", "ExcludedPrograms", "");
  RepeatVolume = ini.ReadBool("System", "RepeatVolume", true);
}

void TIniManager::Save() {
  const TIniFile ini(FileName);
  for (int i = 0; i < CommandCount; ++i) {
    ini.WriteInteger("HotKeys", Key(i), HotKeys[i]);
    ini.WriteInteger("JogDials", Key(i), JogDials[i]);
    ini.WriteString("Skins", Key(i), Skins[i]);
  }
  ini.WriteString("Skins", "Disable", DisableSkin);
  ini.WriteInteger("Interval", "IgnoreInterval", IgnoreInterval);
  ini.WriteInteger("Interval", "CommandInterval", CommandInterval);
  ini.WriteBool("Use", "JogDial", UseJogDial);
  ini.WriteBool("Use", "Key", UseKey);
  ini.WriteBool("Popup", "UsePopup", UsePopup);
  ini.WriteInteger("Popup", "FormColor", static_cast<std::int32_t>(FormColor));
  ini.WriteInteger("Popup", "FrameColor", static_cast<std::int32_t>(FrameColor));
  ini.WriteInteger("Popup", "FontColor", static_cast<std::int32_t>(FontColor));
  ini.WriteInteger("Popup", "FontSize", FontSize);
  ini.WriteInteger("Popup", "FrameWidth", FrameWidth);
  ini.WriteInteger("Popup", "ShowTime", ShowTime);
  ini.WriteBool("Popup", "ShowOnActiveMonitor", ShowOnActiveMonitor);
  ini.WriteBool("Popup", "HideOverFullScreen", HideOverFullScreen);
  ini.WriteBool("Popup", "ShowTitle", ShowTitle);
  if (ShowPointSet) {
    ini.WriteInteger("Popup", "ShowPointX", ShowPoint.x);
    ini.WriteInteger("Popup", "ShowPointY", ShowPoint.y);
  }
  ini.WriteBool("System", "UseSendMessage", UseSendMessage);
  ini.WriteBool("System", "UseJpFont", UseJpFont);
  ini.WriteBool("System", "ID3AtCenter", ID3AtCenter);
  ini.WriteBool("System", "UseRawInput", UseRawInput);  // after the keys the file always had
  ini.WriteString("System", "ExcludedPrograms", ExcludedPrograms);
  ini.WriteBool("System", "RepeatVolume", RepeatVolume);
}

void TIniManager::SetShowPoint(POINT point) {
  if (point.x == ShowPoint.x && point.y == ShowPoint.y) return;
  ShowPoint = point;
  ShowPointSet = true;
}

}  // namespace velmora
