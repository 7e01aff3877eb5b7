// The system's own texts: bytes of code page 932, each with its Unicode form beside it
// (a test decodes every one and compares). No Windows header.
#pragma once

namespace velmora::texts {

struct TSystemText {
  const char* Cp932;
  const wchar_t* Unicode;
};

// %s に書き込めません
inline constexpr TSystemText WriteError{
    "%s \x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1",
    L"%s \u306B\u66F8\u304D\u8FBC\u3081\u307E\u305B\u3093"};
// ＭＳ Ｐゴシック
inline constexpr TSystemText JapaneseFontName{
    "\x82l\x82r \x82o\x83S\x83V\x83"
    "b\x83N",
    L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF"};
// 演算できないビットマップ形式です。
inline constexpr TSystemText BitmapFormatError{
    "\x89\x89\x8EZ\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x83r\x83"
    "b\x83g\x83}\x83"
    "b\x83v\x8C`\x8E\xAE\x82\xC5\x82\xB7\x81"
    "B",
    L"\u6F14\u7B97\u3067\u304D\u306A\u3044\u30D3\u30C3\u30C8\u30DE\u30C3\u30D7\u5F62\u5F0F\u3067"
    L"\u3059\u3002"};
// ビットマップイメージが不正です
inline constexpr TSystemText InvalidBitmapError{
    "\x83r\x83"
    "b\x83g\x83}\x83"
    "b\x83v\x83"
    "C\x83\x81\x81[\x83W\x82\xAA\x95s\x90\xB3\x82\xC5\x82\xB7",
    L"\u30D3\u30C3\u30C8\u30DE\u30C3\u30D7\u30A4\u30E1\u30FC\u30B8\u304C\u4E0D\u6B63\u3067\u3059"};

// The gesture combo boxes' items, indexed by gesture number: arrows of code page 932,
// two spaces before each parenthesis; item 0 is "(なし)" (none).
inline constexpr TSystemText JogDialTexts[15] = {
    {"(\x82\xC8\x82\xB5)", L"(\u306A\u3057)"},
    {"\x81\xAA  (Up)", L"\u2191  (Up)"},
    {"\x81\xAB  (Down)", L"\u2193  (Down)"},
    {"\x81\xAA\x81\xAA  (Up Up)", L"\u2191\u2191  (Up Up)"},
    {"\x81\xAB\x81\xAB  (Down Down)", L"\u2193\u2193  (Down Down)"},
    {"\x81\xAA\x81\xAB  (Up Down)", L"\u2191\u2193  (Up Down)"},
    {"\x81\xAB\x81\xAA  (Down Up)", L"\u2193\u2191  (Down Up)"},
    {"\x81\xAA\x81\xAA\x81\xAA  (Up Up Up)", L"\u2191\u2191\u2191  (Up Up Up)"},
    {"\x81\xAB\x81\xAB\x81\xAB  (Down Down Down)", L"\u2193\u2193\u2193  (Down Down Down)"},
    {"\x81\xAA\x81\xAA\x81\xAB  (Up Up Down)", L"\u2191\u2191\u2193  (Up Up Down)"},
    {"\x81\xAB\x81\xAB\x81\xAA  (Down Down Up)", L"\u2193\u2193\u2191  (Down Down Up)"},
    {"\x81\xAA\x81\xAB\x81\xAA  (Up Down Up)", L"\u2191\u2193\u2191  (Up Down Up)"},
    {"\x81\xAB\x81\xAA\x81\xAB  (Down Up Down)", L"\u2193\u2191\u2193  (Down Up Down)"},
    {"\x81\xAA\x81\xAB\x81\xAB  (Up Down Down)", L"\u2191\u2193\u2193  (Up Down Down)"},
    {"\x81\xAB\x81\xAA\x81\xAA  (Down Up Up)", L"\u2193\u2191\u2191  (Down Up Up)"},
};
// ビットマップ (*.bmp)|*.bmp: the skin file dialog's one filter entry.
inline constexpr TSystemText BitmapFilter{
    "\x83r\x83"
    "b\x83g\x83}\x83"
    "b\x83v (*.bmp)|*.bmp",
    L"\u30D3\u30C3\u30C8\u30DE\u30C3\u30D7 (*.bmp)|*.bmp"};

inline constexpr TSystemText All[] = {WriteError, JapaneseFontName, BitmapFormatError,
                                      InvalidBitmapError, BitmapFilter};

}  // namespace velmora::texts
