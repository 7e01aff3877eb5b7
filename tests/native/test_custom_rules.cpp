#include <gtest/gtest.h>

#include "config/uCustomRules.h"

using namespace velmora;

TEST(NumericBoxes, OnlyDigitsBackspaceAndDeletePass) {
  for (char c : std::string("0123456789")) EXPECT_TRUE(NumericKeyPasses(c)) << c;
  EXPECT_TRUE(NumericKeyPasses(8));
  EXPECT_TRUE(NumericKeyPasses(127));
  for (std::uint32_t c : {0x61u, 0x5Au, 0x2Du, 0x2Bu, 0x20u, 0x2Eu, 0x09u, 0x0Du, 0x3000u, 0xFF11u})
    EXPECT_FALSE(NumericKeyPasses(c)) << c;
}

TEST(NumericBoxes, ParseAcceptsSignedInt32Only) {
  EXPECT_EQ(ParseInt32("300"), 300);
  EXPECT_EQ(ParseInt32("-5"), -5);
  EXPECT_EQ(ParseInt32("+7"), 7);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
  for (const char* bad : {"", " ", "2147483648", "12a", " 1", "1 ", "-", "+", "0x10", "1.5"})
    EXPECT_FALSE(ParseInt32(bad).has_value()) << bad;
}

TEST(Paths, TheDirectoryPartNeverEndsOnATrailByte) {
  EXPECT_EQ(DirectoryPart("C:\\skins\\Play.bmp"), "C:\\skins\\");
  EXPECT_EQ(DirectoryPart("C:Play.bmp"), "C:");
  EXPECT_EQ(DirectoryPart("Play.bmp"), "");
  EXPECT_EQ(DirectoryPart(""), "");
  // "表" is 0x95 0x5C in code page 932: its second byte is no separator.
  EXPECT_EQ(DirectoryPart("C:\\\x95\x5C.bmp"), "C:\\");
  EXPECT_EQ(DirectoryPart("C:\\\x95\x5C\\Play.bmp"), "C:\\\x95\x5C\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\skins"), "C:\\skins\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\skins\\"), "C:\\skins\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\\x95\x5C"), "C:\\\x95\x5C\\");
  EXPECT_EQ(WithTrailingBackslash(""), "\\");
}
