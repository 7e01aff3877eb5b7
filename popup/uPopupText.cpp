#include "popup/uPopupText.h"

#include <vector>

namespace velmora {

namespace {
template <class C>
std::size_t BoundedLength(const C* s, std::size_t most) noexcept {
  std::size_t n = 0;
  while (n < most && s[n]) ++n;
  return n;
}
}  // namespace

std::wstring PickTitle(const wchar_t* wide, const char* ansi, TFromAnsi fromAnsi,
                       std::size_t most) {
  if (wide) return std::wstring(wide, BoundedLength(wide, most));
  if (ansi) return fromAnsi(std::string_view(ansi, BoundedLength(ansi, most)));
  return {};
}

namespace {
bool Belongs(wchar_t c) noexcept {  // to the character before it
  return (c >= 0xDC00 && c <= 0xDFFF) ||                          // low surrogate
         (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
         (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
         (c >= 0xFE20 && c <= 0xFE2F) ||                          // combining marks
         (c >= 0xFE00 && c <= 0xFE0F) || c == 0x200D ||           // selectors, joiner
         (c >= 0x3099 && c <= 0x309A);                            // kana voicing marks
}
}  // namespace

bool IsCutPoint(std::wstring_view text, std::size_t index) noexcept {
  if (index == 0 || index >= text.size()) return true;
  return !Belongs(text[index]) && text[index - 1] != 0x200D;
}

std::wstring CutToWidth(std::wstring_view title, int maxWidth, TTextWidth width, void* context) {
  if (width(title, context) <= maxWidth) return std::wstring(title);
  std::vector<std::size_t> cuts;
  for (std::size_t i = 1; i < title.size(); ++i)
    if (IsCutPoint(title, i)) cuts.push_back(i);
  // The widths grow with the length: the longest that fits is found by halving.
  std::size_t lo = 0, hi = cuts.size();  // cuts[0, lo) fit, [hi, end) do not
  std::wstring best = L"\u2026";
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    std::wstring candidate(title.substr(0, cuts[mid]));
    while (!candidate.empty() && candidate.back() == L' ') candidate.pop_back();
    candidate += L'\u2026';
    if (width(candidate, context) <= maxWidth) {
      best = std::move(candidate);
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return best;
}

}  // namespace velmora
