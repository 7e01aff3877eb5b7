// The list of programs the hot keys leave alone, as a user types it into the setting.
#include <gtest/gtest.h>

#include "engine/uProgramList.h"

using namespace velmora;

TEST(ProgramList, NamesAreTrimmedUnquotedAndPathsGiveTheirFileName) {
  EXPECT_EQ(ParseProgramList(L"mstsc.exe;vmware.exe;game.exe"),
            (std::vector<std::wstring>{L"mstsc.exe", L"vmware.exe", L"game.exe"}));
  EXPECT_EQ(ParseProgramList(L"  mstsc.exe ; \"My Game.exe\";'x.exe'"),
            (std::vector<std::wstring>{L"mstsc.exe", L"My Game.exe", L"x.exe"}));
  EXPECT_EQ(ParseProgramList(L"\"C:\\Program Files\\VM\\vmware.exe\";D:/games/doom.exe"),
            (std::vector<std::wstring>{L"vmware.exe", L"doom.exe"}));
  EXPECT_TRUE(ParseProgramList(L";;;").empty());
  EXPECT_TRUE(ParseProgramList(L"").empty());
  EXPECT_TRUE(ParseProgramList(L" ; \"\" ; C:\\games\\ ;").empty());
}

TEST(ProgramList, TheProgramInFrontMatchesByFileNameWithoutRegardToCase) {
  const auto names = ParseProgramList(L"NOTEPAD.EXE;Spiel.exe;ゲーム.exe");
  EXPECT_TRUE(IsListedProgram(names, L"C:\\windows\\system32\\notepad.exe"));
  EXPECT_TRUE(IsListedProgram(names, L"notepad.exe"));
  EXPECT_TRUE(IsListedProgram(names, L"D:\\Spiele\\SPIEL.EXE"));
  EXPECT_TRUE(IsListedProgram(names, L"E:\\ゲーム.exe"));
  EXPECT_FALSE(IsListedProgram(names, L"C:\\windows\\notepad.exe.bak"));
  EXPECT_FALSE(IsListedProgram(names, L"C:\\notepad\\player.exe"));  // a folder's name
  EXPECT_FALSE(IsListedProgram(names, L""));
  EXPECT_FALSE(IsListedProgram({}, L"C:\\windows\\notepad.exe"));
  // The letters' ends fold; the signs beside them ('@' '[' against '`' '{') do not.
  const auto edges = ParseProgramList(L"AZURE.EXE;[x]@.exe");
  EXPECT_TRUE(IsListedProgram(edges, L"C:\\azure.exe"));
  EXPECT_TRUE(IsListedProgram(edges, L"[X]@.EXE"));
  EXPECT_FALSE(IsListedProgram(edges, L"{x}`.exe"));
}

TEST(ProgramList, AValueOfThousandsOfCharactersIsReadWhole) {
  std::wstring list;
  for (int i = 0; i < 1000; ++i) list += L"p" + std::to_wstring(i) + L".exe;";
  list += std::wstring(5000, L'x');  // and one name far longer than any path
  const auto names = ParseProgramList(list);
  ASSERT_EQ(names.size(), 1001u);
  EXPECT_TRUE(IsListedProgram(names, L"C:\\p999.exe"));
  EXPECT_TRUE(IsListedProgram(names, L"C:\\" + std::wstring(5000, L'X')));
  EXPECT_FALSE(IsListedProgram(names, L"C:\\p1000.exe"));
}
