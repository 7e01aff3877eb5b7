// Lead bytes of the code pages the path rules are tested on.
#pragma once

namespace leadbytes {

inline bool None(unsigned char) {  // 1252 and every other single-byte code page
  return false;
}
inline bool ShiftJis(unsigned char c) {  // 932
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
inline bool Big5OrGbk(unsigned char c) {  // 950 and 936
  return c >= 0x81 && c <= 0xFE;
}

}  // namespace leadbytes
