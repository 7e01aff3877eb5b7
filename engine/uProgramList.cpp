#include "engine/uProgramList.h"

#include <algorithm>

namespace velmora {

namespace {

std::wstring_view FileName(std::wstring_view path) noexcept {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring_view Trimmed(std::wstring_view s) noexcept {
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'"' || c == L'\''; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

wchar_t Folded(wchar_t c) noexcept {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

std::vector<std::wstring> ParseProgramList(std::wstring_view list) {
  std::vector<std::wstring> names;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(L';'), list.size());
    // A quoted path keeps its quotes round the whole: the file name is taken after them.
    const std::wstring_view name = Trimmed(FileName(Trimmed(list.substr(0, end))));
    if (!name.empty()) names.emplace_back(name);
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return names;
}

bool IsListedProgram(const std::vector<std::wstring>& names, std::wstring_view imagePath) noexcept {
  const std::wstring_view file = FileName(imagePath);
  return std::any_of(names.begin(), names.end(), [&](const std::wstring& name) {
    return name.size() == file.size() &&
           std::equal(name.begin(), name.end(), file.begin(),
                      [](wchar_t a, wchar_t b) { return Folded(a) == Folded(b); });
  });
}

}  // namespace velmora
