// The named shared block and the hook block's open and release rules, in this process
// and from a second one.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "hook/uMapMemory.h"
#include "support.h"

using namespace velmora;

namespace {

bool BlockExists(const char* name = HookBlockName) {
  HANDLE h = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
  if (h) CloseHandle(h);
  return h != nullptr;
}

// Child mode: opens the hook block and reports in its exit code whether it created it.
int ChildOpenBlock() {
  TMapMemory* map = OpenHookBlock();
  if (!map) return 10;
  const int code = map->Creator() ? 11 : 0;
  ReleaseHookBlock(map);
  if (code) delete map;
  return code;
}

}  // namespace

TEST(HookBlock, FreshBlockReadsZeroButOwner) {
  ASSERT_FALSE(BlockExists());
  std::unique_ptr<TMapMemory> map(OpenHookBlock());
  ASSERT_TRUE(map);
  EXPECT_TRUE(map->Creator());
  EXPECT_TRUE(map->Opened());
  const THookBlock* b = BlockOf(map.get());
  EXPECT_EQ(b->Owner, reinterpret_cast<std::uintptr_t>(map.get()));
  const auto* bytes = reinterpret_cast<const unsigned char*>(b);
  for (std::size_t i = sizeof b->Owner; i < sizeof(THookBlock); ++i) EXPECT_EQ(bytes[i], 0) << i;
  map.reset();
  EXPECT_FALSE(BlockExists());
}

TEST(HookBlock, SecondOpenIsNotCreatorAndReleasingTheCreatorKeepsTheBlock) {
  TMapMemory* creator = OpenHookBlock();
  ASSERT_NE(creator, nullptr);
  TMapMemory* second = OpenHookBlock();
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(second->Creator());
  EXPECT_EQ(BlockOf(second)->Owner, reinterpret_cast<std::uintptr_t>(creator));
  ReleaseHookBlock(second);   // freed: not the creator
  ReleaseHookBlock(creator);  // kept: it holds the block
  EXPECT_TRUE(creator->Opened());
  EXPECT_TRUE(BlockExists());
  delete creator;
  EXPECT_FALSE(BlockExists());
}

TEST(HookBlock, ASecondProcessNeverBecomesTheCreator) {
  std::unique_ptr<TMapMemory> map(OpenHookBlock());
  ASSERT_TRUE(map && map->Creator());
  testsupport::Process child("\"" + testsupport::ExeDirectory() +
                             "win32_hook_block.exe\" --child-open");
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.Wait(), 0u);
  EXPECT_EQ(BlockOf(map.get())->Owner, reinterpret_cast<std::uintptr_t>(map.get()));
}

TEST(MapMemory, SameNameOrSizeWhileOpenChangesNothing) {
  TMapMemory map;
  map.SetMapName("velmora_test_same");
  map.SetSize(64);
  ASSERT_TRUE(map.OpenMap());
  void* memory = map.Memory();
  static_cast<char*>(memory)[10] = 'x';
  map.SetMapName("velmora_test_same");
  map.SetSize(64);
  EXPECT_EQ(map.Memory(), memory);
  EXPECT_TRUE(map.Creator());
  EXPECT_EQ(static_cast<char*>(map.Memory())[10], 'x');
}

TEST(MapMemory, RenamingAndResizingCarryTheSmallerSizeWhenThisObjectCreatedBoth) {
  TMapMemory map;
  map.SetMapName("velmora_test_a");
  map.SetSize(64);
  ASSERT_TRUE(map.OpenMap());
  for (int i = 0; i < 64; ++i)
    static_cast<unsigned char*>(map.Memory())[i] = static_cast<unsigned char>(i + 1);
  map.SetMapName("velmora_test_b");
  ASSERT_TRUE(map.Opened());
  EXPECT_TRUE(map.Creator());
  EXPECT_FALSE(BlockExists("velmora_test_a"));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(static_cast<unsigned char*>(map.Memory())[i], i + 1);
  map.SetSize(8);  // the new block is created with 8 bytes; 8 are carried
  ASSERT_TRUE(map.Creator());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(static_cast<unsigned char*>(map.Memory())[i], i + 1);
}

TEST(MapMemory, RenamingOntoAnExistingBlockKeepsItsBytes) {
  TMapMemory other;
  other.SetMapName("velmora_test_existing");
  other.SetSize(16);
  ASSERT_TRUE(other.OpenMap());
  std::memset(other.Memory(), 0x5A, 16);
  TMapMemory map;
  map.SetMapName("velmora_test_mine");
  map.SetSize(16);
  ASSERT_TRUE(map.OpenMap());
  std::memset(map.Memory(), 0x11, 16);
  map.SetMapName("velmora_test_existing");
  EXPECT_FALSE(map.Creator());
  EXPECT_EQ(static_cast<unsigned char*>(map.Memory())[0], 0x5A);
}

TEST(MapMemory, ClosedStateAndNamesSetWhileClosed) {
  TMapMemory map;
  EXPECT_EQ(map.Size(), 1024);
  EXPECT_EQ(map.MapName(), "");
  map.SetMapName("velmora_test_closed");
  EXPECT_FALSE(map.Opened());
  EXPECT_FALSE(BlockExists("velmora_test_closed"));
  ASSERT_TRUE(map.OpenMap());
  map.CloseMap();
  EXPECT_FALSE(map.Opened());
  EXPECT_FALSE(map.Creator());
  EXPECT_EQ(map.Memory(), nullptr);
  EXPECT_FALSE(BlockExists("velmora_test_closed"));
}

TEST(MapMemory, OwnedByAComponentAndClosedWithIt) {
  {
    ui::TComponent owner;
    auto* map = new TMapMemory(&owner);
    map->SetMapName("velmora_test_owned");
    ASSERT_TRUE(map->OpenMap());
    EXPECT_EQ(owner.Components().size(), 1u);
    EXPECT_TRUE(BlockExists("velmora_test_owned"));
  }
  EXPECT_FALSE(BlockExists("velmora_test_owned"));
}

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--child-open") == 0) return ChildOpenBlock();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
