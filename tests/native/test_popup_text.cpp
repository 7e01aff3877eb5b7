// The title line: the answer it comes from and its cut, on widths of one per UTF-16 unit
// (a surrogate pair counts two, so a cut inside one would be cheaper and must not happen).
#include <gtest/gtest.h>

#include "popup/uPopupText.h"

using namespace velmora;

namespace {
int Units(std::wstring_view s) {
  return static_cast<int>(s.size());
}
}  // namespace

namespace {
std::wstring Latin1(std::string_view a) {  // a stand-in for the system's code page
  return std::wstring(a.begin(), a.end());
}
}  // namespace

TEST(PopupTitle, TheWideAnswerComesFirstThenTheAnsiOneThenNone) {
  EXPECT_EQ(PickTitle(L"\x591C\x660E\x3051", "???", Latin1), L"\x591C\x660E\x3051");
  EXPECT_EQ(PickTitle(nullptr, "Salt Road", Latin1), L"Salt Road");
  EXPECT_EQ(PickTitle(L"", "Salt Road", Latin1), L"");  // the wide one answered: empty is its word
  EXPECT_EQ(PickTitle(nullptr, nullptr, Latin1), L"");
  // A buffer of thousands of characters, or one without its end in reach: read to the bound.
  const std::wstring longTitle(5000, L'y');
  EXPECT_EQ(PickTitle(longTitle.c_str(), nullptr, Latin1), longTitle);
  EXPECT_EQ(PickTitle(longTitle.c_str(), nullptr, Latin1, 300), std::wstring(300, L'y'));
  EXPECT_EQ(PickTitle(nullptr, "Salt Road", Latin1, 4), L"Salt");
}

TEST(PopupTitle, ATitleThatFitsIsWholeAndALongerOneIsCutWithAnEllipsis) {
  EXPECT_EQ(CutToWidth(L"Salt Road", 9, Units), L"Salt Road");
  EXPECT_EQ(CutToWidth(L"Salt Road", 8, Units), L"Salt Ro\u2026");  // at any character
  EXPECT_EQ(CutToWidth(L"Salt Road", 6, Units), L"Salt\u2026");     // no blank before the mark
  EXPECT_EQ(CutToWidth(L"Salt Road", 2, Units), L"S\u2026");
  EXPECT_EQ(CutToWidth(L"Salt Road", 0, Units), L"\u2026");
  const std::wstring longTitle(5000, L'x');
  EXPECT_EQ(CutToWidth(longTitle, 300, Units), std::wstring(299, L'x') + L"\u2026");
}

TEST(PopupTitle, NoCutFallsInsideASurrogatePairOrBeforeACombiningMark) {
  // "a", then U+1F3B5 (a surrogate pair), "b": 4 units.
  const std::wstring pair = L"a\xD83C\xDFB5" L"bcd";
  EXPECT_EQ(CutToWidth(pair, 3, Units), L"a\u2026");  // not "a" + a lone high surrogate
  EXPECT_EQ(CutToWidth(pair, 4, Units), L"a\xD83C\xDFB5\u2026");
  // "e" with a combining acute (U+0301) twice over, and a voiced kana (か + U+3099).
  const std::wstring marks = L"e\x0301\x0301" L"f\x304B\x3099g";
  EXPECT_EQ(CutToWidth(marks, 3, Units), L"\u2026");  // "e" alone would lose its marks
  EXPECT_EQ(CutToWidth(marks, 4, Units), L"e\x0301\x0301\u2026");
  EXPECT_EQ(CutToWidth(marks, 6, Units), L"e\x0301\x0301" L"f\u2026");  // not before the voicing
  EXPECT_EQ(CutToWidth(marks, 7, Units), marks);
  EXPECT_FALSE(IsCutPoint(marks, 1));
  EXPECT_FALSE(IsCutPoint(marks, 5));
  EXPECT_TRUE(IsCutPoint(marks, 3));
  // A joined sequence (woman, ZWJ, laptop) stays together.
  const std::wstring joined = L"x\xD83D\xDC69\x200D\xD83D\xDCBB" L"y";
  EXPECT_FALSE(IsCutPoint(joined, 4));  // the joiner
  EXPECT_FALSE(IsCutPoint(joined, 5));  // after it
  EXPECT_EQ(CutToWidth(joined, 6, Units), L"x\u2026");
}
