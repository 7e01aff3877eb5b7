#include <gtest/gtest.h>

#include <vector>

#include "hook/uRawKeys.h"

using namespace velmora;

namespace {
constexpr std::uint16_t kShift = 0x10, kCtrl = 0x11, kAlt = 0x12;
TRawStroke Down(std::uint16_t vk, std::uint16_t scan = 0, bool e0 = false) {
  return {vk, scan, false, e0};
}
TRawStroke Up(std::uint16_t vk, std::uint16_t scan = 0, bool e0 = false) {
  return {vk, scan, true, e0};
}
bool Held(unsigned) {
  return true;
}
bool LetGo(unsigned) {
  return false;
}
// The words a sequence of strokes gives, in order, read while every key is still held
// (a burst read later sees the keys up: see the lost-release case).
std::vector<TShortCut> Words(TRawKeyboard& k, std::initializer_list<TRawStroke> strokes) {
  std::vector<TShortCut> out;
  for (const auto& s : strokes)
    if (auto p = k.Feed(s, Held)) out.push_back(p->Word);
  return out;
}
}  // namespace

TEST(RawKeys, AChordInOneBurstComesOutAsTheHookBuildsIt) {
  TRawKeyboard k;
  // Ctrl, Shift, F9 down, then all up, every stroke queued before the first is read.
  EXPECT_EQ(Words(k, {Down(kCtrl, 0x1D), Down(kShift, 0x2A), Down(0x78), Up(0x78), Up(kShift, 0x2A),
                      Up(kCtrl, 0x1D)}),
            (std::vector<TShortCut>{0x0011, 0x4010, 0x6078}));
  EXPECT_EQ(k.ShiftState(), 0u);
  // The next key has no modifier left over.
  EXPECT_EQ(Words(k, {Down(0x78), Up(0x78)}), (std::vector<TShortCut>{0x0078}));
}

TEST(RawKeys, RepeatsAndReleasesGiveNothingAPressAfterTheReleaseDoes) {
  TRawKeyboard k;
  EXPECT_EQ(Words(k, {Down(0x74), Down(0x74), Down(0x74), Up(0x74), Down(0x74)}),
            (std::vector<TShortCut>{0x0074, 0x0074}));
  // A modifier held and repeating keeps its state and gives one word.
  EXPECT_EQ(Words(k, {Up(0x74), Down(kAlt, 0x38), Down(kAlt, 0x38), Down(0x41), Up(0x41)}),
            (std::vector<TShortCut>{0x0012, 0x8041}));
}

TEST(RawKeys, APressOfAKeyNoLongerHeldIsNewItsReleaseWasLost) {
  TRawKeyboard k;
  ASSERT_TRUE(k.Feed(Down(0x7A), LetGo));  // F11, read after it was let go already
  // Its release never came; the next press, read with the key up again, runs again.
  EXPECT_TRUE(k.Feed(Down(0x7A), LetGo));
  // A repeat read while the key is held is none.
  EXPECT_FALSE(k.Feed(Down(0x7A), Held));
  // A chord read late (every key already up) keeps its modifiers from the stream.
  TRawKeyboard late;
  late.Feed(Down(kCtrl, 0x1D), LetGo);
  late.Feed(Down(kShift, 0x2A), LetGo);
  auto f9 = late.Feed(Down(0x78), LetGo);
  ASSERT_TRUE(f9);
  EXPECT_EQ(f9->Word, 0x6078);
}

TEST(RawKeys, SidesAreKeptApartSoOneSidesReleaseLeavesTheOther) {
  TRawKeyboard k;
  // Left Shift down, right Shift down, left up: Shift is still down.
  Words(k, {Down(kShift, 0x2A), Down(kShift, 0x36), Up(kShift, 0x2A)});
  EXPECT_EQ(k.ShiftState(), ssShift);
  EXPECT_EQ(Words(k, {Down(0x41)}), (std::vector<TShortCut>{0x2041}));
  Words(k, {Up(0x41), Up(kShift, 0x36)});
  EXPECT_EQ(k.ShiftState(), 0u);
  // Right Ctrl (E0) and right Alt (E0): Ctrl and Alt, the right Alt marked.
  Words(k, {Down(kCtrl, 0x1D, true), Down(kAlt, 0x38, true)});
  EXPECT_EQ(k.ShiftState(), ssCtrl | ssAlt | ssRightAlt);
  Words(k, {Up(kCtrl, 0x1D, true)});
  EXPECT_EQ(k.ShiftState(), ssAlt | ssRightAlt);
}

TEST(RawKeys, StrokesTheSystemMadeUpAreIgnored) {
  TRawKeyboard k;
  EXPECT_EQ(Words(k, {Down(0xFF, 0x2A, true), Down(0), Down(0x26, 0x48, true)}),
            (std::vector<TShortCut>{0x0026}));
  EXPECT_EQ(k.ShiftState(), 0u);
}

// The layout's answers, and the keys it was asked about.
std::vector<unsigned> gAsked;
bool Types(unsigned vk) noexcept {
  gAsked.push_back(vk);
  return true;
}
bool TypesNothing(unsigned vk) noexcept {
  gAsked.push_back(vk);
  return false;
}

TEST(AltGr, TypingOnlyWithTheRightAltWhereTheLayoutTypesAndOnlyThenIsTheLayoutAsked) {
  gAsked.clear();
  TRawKeyboard k;
  // AltGr as the system delivers it: a left Ctrl, then the right Alt; then Q.
  Words(k, {Down(kCtrl, 0x1D), Down(kAlt, 0x38, true)});
  auto q = k.Feed(Down(0x51), Held);
  ASSERT_TRUE(q);
  EXPECT_EQ(q->Word, 0xC051);
  EXPECT_TRUE(IsAltGrTyping(q->ShiftState, 0x51, Types));          // German: "@"
  EXPECT_FALSE(IsAltGrTyping(q->ShiftState, 0x51, TypesNothing));  // a layout with nothing there
  EXPECT_EQ(gAsked, (std::vector<unsigned>{0x51, 0x51}));
  gAsked.clear();
  // The left Ctrl and left Alt: a hot key whatever the layout, which is not asked.
  TRawKeyboard left;
  Words(left, {Down(kCtrl, 0x1D), Down(kAlt, 0x38)});
  auto z = left.Feed(Down(0x5A), Held);
  ASSERT_TRUE(z);
  EXPECT_FALSE(IsAltGrTyping(z->ShiftState, 0x5A, Types));
  // The right Alt alone, without Ctrl: no AltGr chord at all.
  EXPECT_FALSE(IsAltGrTyping(ssAlt | ssRightAlt, 0x51, Types));
  EXPECT_TRUE(gAsked.empty());
}

TEST(AltGr, TakeGivesTheWordOfAHotKeyAndNothingForAltGrTyping) {
  gAsked.clear();
  TRawKeyboard k;
  const TKeyQueries german{[](unsigned) noexcept { return true; }, Types};
  EXPECT_EQ(k.Take(Down(kCtrl, 0x1D), german), TShortCut(0x0011));
  EXPECT_EQ(k.Take(Down(kAlt, 0x38, true), german), TShortCut(0x4012));
  EXPECT_FALSE(k.Take(Down(0x51), german));          // AltGr+Q types "@"
  EXPECT_EQ(gAsked, (std::vector<unsigned>{0x51}));  // only the stroke made with AltGr
  // The same strokes where the layout types nothing there: Ctrl+Alt+Q, a hot key.
  TRawKeyboard us;
  const TKeyQueries plain{[](unsigned) noexcept { return true; }, TypesNothing};
  us.Take(Down(kCtrl, 0x1D), plain);
  us.Take(Down(kAlt, 0x38, true), plain);
  EXPECT_EQ(us.Take(Down(0x51), plain), TShortCut(0xC051));
}
