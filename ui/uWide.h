// The plugin's own texts are held in code page 932 and reach the system through the
// wide API, so that they read right whatever the system's ANSI code page is; outside
// texts (paths, other windows, the settings file) are in the ANSI code page.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora::ui {

std::wstring ToWide(std::string_view text, UINT codePage);
inline std::wstring FromCp932(std::string_view text) {
  return ToWide(text, 932);
}
inline std::wstring FromAnsi(std::string_view text) {
  return ToWide(text, CP_ACP);
}
// A lead byte of the system's ANSI code page: every rule that walks an outside text byte
// by byte takes this one. None on a Western code page; 0x81-0x9F and 0xE0-0xFC on 932.
inline bool IsAnsiLeadByte(unsigned char byte) {
  return IsDBCSLeadByte(byte) != FALSE;
}

std::string ToNarrow(std::wstring_view text, UINT codePage);
inline std::string ToAnsi(std::wstring_view text) {
  return ToNarrow(text, CP_ACP);
}

// An error whose text mixes the plugin's own code-page-932 words with outside ANSI text:
// what() gives the bytes as stored; the default error report shows Text().
class ETextError : public std::runtime_error {
 public:
  ETextError(const std::string& bytes, std::wstring text)
      : std::runtime_error(bytes), text_(std::move(text)) {}
  const std::wstring& Text() const noexcept { return text_; }

 private:
  std::wstring text_;
};

}  // namespace velmora::ui
