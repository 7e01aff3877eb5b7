#include <gtest/gtest.h>

#include "lead_bytes.h"

#include "settings/uIniValue.h"

using namespace velmora;

TEST(IniInteger, DecimalHexAndDefaults) {
  EXPECT_EQ(ParseIniInteger("65280", 7), 65280);
  EXPECT_EQ(ParseIniInteger("-1", 7), -1);
  EXPECT_EQ(ParseIniInteger("+12", 7), 12);
  EXPECT_EQ(ParseIniInteger("0x1F", 10), 31);
  EXPECT_EQ(ParseIniInteger("0X1f", 10), 31);
  EXPECT_EQ(ParseIniInteger("0xFFFFFFFF", 10), -1);  // 32 bits, as colours are stored
  EXPECT_EQ(ParseIniInteger("", 10), 10);
  EXPECT_EQ(ParseIniInteger("abc", 10), 10);
  EXPECT_EQ(ParseIniInteger("12abc", 10), 10);
  EXPECT_EQ(ParseIniInteger("0x", 10), 10);  // two characters: decimal, and not valid
  EXPECT_EQ(ParseIniInteger("0xG1", 10), 10);
  EXPECT_EQ(ParseIniInteger("0x100000000", 10), 10);
  EXPECT_EQ(ParseIniInteger("2147483648", 10), 10);
  EXPECT_EQ(ParseIniInteger("-2147483648", 10), INT32_MIN);
  EXPECT_EQ(ParseIniInteger(" 5", 10), 10);
}

TEST(IniInteger, LowBitsOfWideValuesReachNarrowFields) {
  EXPECT_EQ(static_cast<std::uint16_t>(ParseIniInteger("65537", 0)), 1);
  EXPECT_EQ(static_cast<std::uint8_t>(ParseIniInteger("256", 0)), 0);
}

namespace {
constexpr auto ShiftJisLead = leadbytes::ShiftJis;
constexpr auto NoLead = leadbytes::None;
}  // namespace

TEST(SettingsPath, DirectoryNeverEndsInsideADoubleByteCharacter) {
  EXPECT_EQ(DirectoryLength("C:\\Player\\player.exe", NoLead), 10u);
  // "ソ" is 0x83 0x5C: its second byte is the code of a backslash.
  const std::string path = "C:\\\x83\x5C\\player.exe";
  EXPECT_EQ(DirectoryLength(path, ShiftJisLead), 6u);
  EXPECT_EQ(DirectoryLength("C:\\\x83\x5Cplayer.exe", ShiftJisLead), 3u);
  EXPECT_EQ(DirectoryLength("player.exe", ShiftJisLead), 0u);
  EXPECT_EQ(DirectoryLength("C:\\\x83", ShiftJisLead), 3u);  // a lone lead byte at the end
}
