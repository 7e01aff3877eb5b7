#include <gtest/gtest.h>

#include <cctype>

#include "config/uHash.h"

using namespace velmora;

namespace {
// Stands in for the locale's comparison: byte order, case folded when asked.
int FoldCompare(std::string_view a, std::string_view b, bool ignoreCase) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    int x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (ignoreCase) {
      x = std::tolower(x);
      y = std::tolower(y);
    }
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::vector<std::string> Keys(const THash& h) {
  return h.Keys();
}
}  // namespace

TEST(Hash, NewIsEmptyAndAbsentKeysGiveZero) {
  THash h(FoldCompare);
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(h.Get("x"), 0);
  h.Remove("x");
  h.Rename("x", "y");
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(h.FindIndex("x", true), -1);
}

TEST(Hash, KeysStayInOrderWhateverOrderTheyCome) {
  THash h(FoldCompare);
  h.Set("m", 1);
  h.Set("a", 2);
  h.Set("z", 3);
  EXPECT_EQ(Keys(h), (std::vector<std::string>{"a", "m", "z"}));
  EXPECT_EQ(h.GetAt(0), 2);
  // Every insertion position of a longer list, both ends and each gap.
  THash g(FoldCompare);
  for (const char* k : {"k", "c", "s", "a", "e", "q", "w", "b", "d", "y", "m", "o"}) g.Set(k, k[0]);
  EXPECT_EQ(Keys(g),
            (std::vector<std::string>{"a", "b", "c", "d", "e", "k", "m", "o", "q", "s", "w", "y"}));
  for (int i = 0; i < g.Count(); ++i) {
    EXPECT_EQ(g.Get(g.Keys()[i]), g.Keys()[i][0]);
    EXPECT_EQ(g.FindIndex(g.Keys()[i], false), i);
    EXPECT_EQ(g.FindIndex(g.Keys()[i], true), i);  // an equal key yields its own index
  }
  EXPECT_EQ(g.FindIndex("0", true), 0);
  EXPECT_EQ(g.FindIndex("zz", true), g.Count());
  EXPECT_EQ(g.FindIndex("n", true), 7);
  EXPECT_EQ(g.FindIndex("n", false), -1);
}

TEST(Hash, SetOfAnIdenticalKeyReplacesACaseVariantAddsASecondPair) {
  THash h(FoldCompare);
  h.Set("Logo", 10);
  h.Set("Logo", 20);
  EXPECT_EQ(h.Count(), 1);
  EXPECT_EQ(h.Get("LOGO"), 20);
  EXPECT_TRUE(h.Exists("logo"));
  h.Set("LOGO", 30);  // ignoring case it is equal, but not identical: a second pair
  EXPECT_EQ(h.Count(), 2);
  EXPECT_EQ(h.Keys()[0], "LOGO");  // immediately before the stored one
  h.SetIgnoreCase(false);
  EXPECT_EQ(h.Get("Logo"), 20);
  EXPECT_EQ(h.Get("LOGO"), 30);
  EXPECT_EQ(h.Get("logo"), 0);
  EXPECT_TRUE(h.Exists("logo"));  // always case-blind
}

TEST(Hash, SetIgnoreCaseResortsKeysWithTheirValues) {
  THash h(FoldCompare);
  h.SetIgnoreCase(false);
  h.Set("b", 1);
  h.Set("A", 2);
  h.Set("C", 3);
  EXPECT_EQ(Keys(h), (std::vector<std::string>{"A", "C", "b"}));  // byte order
  h.SetIgnoreCase(true);
  EXPECT_EQ(Keys(h), (std::vector<std::string>{"A", "b", "C"}));
  EXPECT_EQ(h.GetAt(1), 1);
  EXPECT_EQ(h.Get("c"), 3);
}

TEST(Hash, IndexAccessRemoveRenameAndCopy) {
  THash h(FoldCompare);
  h.Set("a", 1);
  h.Set("b", 2);
  EXPECT_EQ(h.GetAt(-1), 0);
  EXPECT_EQ(h.GetAt(2), 0);
  h.SetAt(2, 9);
  h.SetAt(-1, 9);
  h.SetAt(1, 5);
  EXPECT_EQ(h.Get("b"), 5);
  h.Rename("a", "b");  // onto an existing key: takes its value, the old key goes
  EXPECT_EQ(Keys(h), (std::vector<std::string>{"b"}));
  EXPECT_EQ(h.Get("b"), 1);
  h.Rename("missing", "c");
  EXPECT_EQ(h.Count(), 1);
  THashList list{{"old", 7}};
  h.CopyTo(nullptr);
  h.CopyTo(&list);
  EXPECT_EQ(list, (THashList{{"b", 1}}));
  h.Remove("B");
  EXPECT_EQ(h.Count(), 0);
  h.Set("x", 1);
  h.Clear();
  EXPECT_EQ(h.Count(), 0);
}
