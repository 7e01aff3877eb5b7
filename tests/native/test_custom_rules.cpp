#include <gtest/gtest.h>

#include "config/uCustomRules.h"
#include "lead_bytes.h"

using namespace velmora;

TEST(NumericBoxes, OnlyDigitsBackspaceAndDeletePass) {
  for (char c : std::string("0123456789")) EXPECT_TRUE(NumericKeyPasses(c)) << c;
  EXPECT_TRUE(NumericKeyPasses(8));
  EXPECT_TRUE(NumericKeyPasses(127));
  for (std::uint32_t c : {0x61u, 0x5Au, 0x2Du, 0x2Bu, 0x20u, 0x2Eu, 0x09u, 0x0Du, 0x3000u, 0xFF11u})
    EXPECT_FALSE(NumericKeyPasses(c)) << c;
}

TEST(NumericBoxes, ParseAcceptsSignedInt32Only) {
  EXPECT_EQ(ParseDecimal("300"), 300);
  EXPECT_EQ(ParseDecimal("-5"), -5);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
  EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
  for (const char* bad : {"", " ", "2147483648", "12a", " 1", "1 ", "-", "+", "0x10", "1.5"})
    EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
}

TEST(Paths, TheDirectoryPartNeverEndsOnATrailByte) {
  using leadbytes::ShiftJis;
  EXPECT_EQ(DirectoryPart("C:\\skins\\Play.bmp", ShiftJis), "C:\\skins\\");
  EXPECT_EQ(DirectoryPart("C:Play.bmp", ShiftJis), "C:");
  EXPECT_EQ(DirectoryPart("Play.bmp", ShiftJis), "");
  EXPECT_EQ(DirectoryPart("", ShiftJis), "");
  // "表" is 0x95 0x5C in code page 932: its second byte is no separator.
  EXPECT_EQ(DirectoryPart("C:\\\x95\x5C.bmp", ShiftJis), "C:\\");
  EXPECT_EQ(DirectoryPart("C:\\\x95\x5C\\Play.bmp", ShiftJis), "C:\\\x95\x5C\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\skins", ShiftJis), "C:\\skins\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\skins\\", ShiftJis), "C:\\skins\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\\x95\x5C", ShiftJis), "C:\\\x95\x5C\\");
  EXPECT_EQ(WithTrailingBackslash("", ShiftJis), "\\");
}

// The same bytes are letters on one code page and lead bytes on another: the rule takes
// the code page it is given.
TEST(Paths, AWesternLetterBeforeABackslashIsALetter) {
  // "Thèmes\René\" in code page 1252: é is 0xE9, a lead byte only on 932.
  const std::string folder = "C:\\Th\xE8mes\\Ren\xE9\\";
  EXPECT_EQ(DirectoryPart(folder + "Play.bmp", leadbytes::None), folder);
  EXPECT_EQ(WithTrailingBackslash(folder, leadbytes::None), folder);
  EXPECT_EQ(WithTrailingBackslash("C:\\Th\xE8mes\\Ren\xE9", leadbytes::None), folder);
  // Taken as code page 932 the é swallows the backslash after it.
  EXPECT_EQ(DirectoryPart(folder + "Play.bmp", leadbytes::ShiftJis), "C:\\Th\xE8mes\\");
}

TEST(Paths, AChineseTrailByteIsNoBackslash) {
  // "成功" in code page 950 is A6 A8 A5 5C: the last 0x5C is a trail byte there.
  const std::string folder = "C:\\\xA6\xA8\xA5\x5C";
  EXPECT_EQ(DirectoryPart(folder + "\\Play.bmp", leadbytes::Big5OrGbk), folder + "\\");
  EXPECT_EQ(DirectoryPart(folder, leadbytes::Big5OrGbk), "C:\\");
  EXPECT_EQ(WithTrailingBackslash(folder, leadbytes::Big5OrGbk), folder + "\\");
  // On a single-byte code page the same bytes end in a separator.
  EXPECT_EQ(WithTrailingBackslash(folder, leadbytes::None), folder);
}
