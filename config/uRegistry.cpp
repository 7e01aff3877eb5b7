#include "config/uRegistry.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "config/uUrlRules.h"
#include "settings/uTextRules.h"
#include "ui/uHandle.h"

namespace velmora {

std::string RegReadDefaultValue(HKEY root, const std::string& subkey) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return {};
  const ui::TRegKey key(opened);
  std::string value;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      size > 0) {
    value.resize(size);
    if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) == ERROR_SUCCESS) {
      value.resize(std::min<std::size_t>(size, value.size()));
      value.resize(std::strlen(value.c_str()));  // without the terminating zero
    } else {
      value.clear();
    }
  }
  return TrimLowBytes(value);
}

std::string FindAssociatedCommand(std::string extension) {
  if (extension.find('.') == std::string::npos) extension.insert(0, ".");
  const std::string fileClass = RegReadDefaultValue(HKEY_CLASSES_ROOT, extension);
  return RegReadDefaultValue(HKEY_CLASSES_ROOT, fileClass + "\\shell\\open\\command");
}

std::string FindAssociatedProgram(std::string extension) {
  return ProgramOfCommand(FindAssociatedCommand(std::move(extension)));
}

}  // namespace velmora
