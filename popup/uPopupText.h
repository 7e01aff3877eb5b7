// The track's title in the popup: which answer of the player it is, and where a title too
// wide for the screen is cut. No Windows header.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The wide answer when the player gave one (even an empty title), else the ANSI one
// converted by fromAnsi, else no title; either read up to its end or most characters.
using TFromAnsi = std::wstring (*)(std::string_view text);
std::wstring PickTitle(const wchar_t* wide, const char* ansi, TFromAnsi fromAnsi,
                       std::size_t most = 32768);

// A place a title may be cut before: not inside a surrogate pair, not before a combining
// mark, a variation selector or a joiner, which belong to the character before them.
bool IsCutPoint(std::wstring_view text, std::size_t index) noexcept;

// The title whole when width(title) fits maxWidth; else its longest beginning that ends at
// a cut point and fits with "…" after it (only "…" when none does).
using TTextWidth = int (*)(std::wstring_view text, void* context);
std::wstring CutToWidth(std::wstring_view title, int maxWidth, TTextWidth width, void* context);
template <class F>
std::wstring CutToWidth(std::wstring_view title, int maxWidth, F width) {
  return CutToWidth(title, maxWidth,
                    [](std::wstring_view text, void* f) -> int { return (*static_cast<F*>(f))(text); },
                    &width);
}

}  // namespace velmora
