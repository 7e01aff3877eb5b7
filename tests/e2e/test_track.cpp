// The popup that follows the music: the stand-in player moves on by itself (its entries end,
// the user picks one in its window, a stream announces its next song) while a foreign
// program or the player itself is in front, and the Now Playing key.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "support.h"
#include "tools/player/player_ids.h"

using namespace testsupport;
using player_ids::kEntryTitles;
using player_ids::kStreamSongs;

namespace {

constexpr unsigned kF9Word = 120;
constexpr unsigned kCtrlShiftF8Word = 0x4000 | 0x2000 | 119;

class Track : public HostTest {
 protected:
  // The player's own commands, as its window's buttons give them.
  void Player(unsigned id) { PostMessageA(player_->Window(), WM_COMMAND, id, 0); }
  // The popups that appeared until done() held (and afterMs more) or timeoutMs, each once,
  // in the order they came.
  std::vector<ShownPopup> PopupsUntil(const std::function<bool()>& done, int afterMs,
                                      int timeoutMs = 15000) {
    std::vector<ShownPopup> seen;
    const double start = NowMs();
    double end = start + timeoutMs;
    while (NowMs() < end) {
      for (const ShownPopup& p : ShownPopups(player_->Proc().Id()))
        if (std::none_of(seen.begin(), seen.end(),
                         [&](const ShownPopup& s) { return s.Window == p.Window; }))
          seen.push_back(p);
      if (done && done()) {
        end = std::min(end, NowMs() + afterMs);
        if (afterMs == 0) break;
      }
      Pump(5);
    }
    return seen;
  }
  int TrackEnds() const {
    int n = 0;
    for (const auto& l : player_->Log()) n += l.rfind("track end ", 0) == 0;
    return n;
  }
  static std::vector<std::string> Lines(const std::vector<ShownPopup>& popups) {
    std::vector<std::string> out;
    for (const ShownPopup& p : popups) out.push_back(p.Text + " / " + Utf8(p.Title.c_str()));
    return out;
  }
  static std::string Line(const char* text, const wchar_t* title) {
    return std::string(text) + " / " + Utf8(title);
  }
  void ParkPointer() {
    MouseTo(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  }
};

}  // namespace

// Three entries end by themselves while notepad is in front: each next one's popup comes
// once, its title in its own script (Japanese, Cyrillic) read right on either bench.
TEST_F(Track, EachEntryThatEndsByItselfShowsTheNextOnceWithItsTitle) {
  Start("[Popup]\r\nShowTime=500\r\n", "--track-ms 1500");
  FocusNotepad();
  Player(player_ids::kPlay);  // the start of the entry the player is at is no change
  const auto popups = PopupsUntil([&] { return TrackEnds() >= 3; }, 800);
  EXPECT_EQ(TrackEnds(), 3);
  EXPECT_EQ(Lines(popups), (std::vector<std::string>{Line("Now Playing", kEntryTitles[1]),
                                                     Line("Now Playing", kEntryTitles[2]),
                                                     Line("Now Playing", kEntryTitles[3])}));
}

// The user's Next in the player's own window: with the player in front, mode 1 shows none,
// mode 2 shows it, mode 0 never, and a mode of no meaning is mode 1. With notepad in front
// mode 1 shows it, and a stream's next song shows at the same entry.
TEST_F(Track, TheModeDecidesWhetherThePlayersOwnChangeShowsWithThePlayerInFront) {
  const struct {
    const char* Mode;
    bool Shown;
  } rows[] = {{"1", false}, {"2", true}, {"0", false}, {"9", false}};
  for (const auto& row : rows) {
    Start(std::string("[Popup]\r\nShowTime=300\r\nShowOnTrackChange=") + row.Mode + "\r\n");
    ASSERT_TRUE(Focus(player_->Window()));
    Player(player_ids::kPlay);
    Player(player_ids::kNext);
    const auto popups = PopupsUntil([&] { return player_->LogHas("command 40048"); }, 800);
    EXPECT_EQ(Lines(popups), row.Shown
                                 ? std::vector<std::string>{Line("Now Playing", kEntryTitles[1])}
                                 : std::vector<std::string>{})
        << "mode " << row.Mode;
    if (std::string(row.Mode) == "1") {
      FocusNotepad();
      Player(player_ids::kStreamTitle);
      EXPECT_EQ(Lines(PopupsUntil([&] { return player_->LogHas("stream title 0"); }, 800)),
                (std::vector<std::string>{Line("Now Playing", kStreamSongs[0])}));
    }
    ASSERT_EQ(player_->Close(), 0u);
  }
}

// A hot key's Next shows its own popup with the new title and the change it made no second
// one; the Now Playing key shows the entry and its state and sends the player nothing,
// typed key by key into notepad and as one burst into the player's window.
TEST_F(Track, AHotKeysNextShowsOnePopupAndNowPlayingChangesNothing) {
  Start("[Use]\r\nKey=1\r\n[Popup]\r\nShowTime=400\r\n[HotKeys]\r\n4=" + std::to_string(kF9Word) +
        "\r\n11=" + std::to_string(kCtrlShiftF8Word) + "\r\n");
  FocusNotepad();
  ParkPointer();
  Player(player_ids::kPlay);
  ASSERT_TRUE(WaitLog("command 40045"));
  ASSERT_TRUE(Press(VK_F9, "command 40048"));
  EXPECT_EQ(Lines(PopupsUntil([] { return true; }, 1000)),
            (std::vector<std::string>{Line("Next", kEntryTitles[1])}));
  const auto before = Commands();
  // Given again only when no popup came: the key was lost.
  auto keyPopups = [&](const std::function<void()>& keys) {
    std::vector<ShownPopup> shown;
    Retry("now playing", 3, 0, keys, [&] {
      shown = PopupsUntil(nullptr, 0, 1500);
      return !shown.empty();
    });
    return Lines(shown);
  };
  EXPECT_EQ(keyPopups([] {
              Chord({VK_CONTROL, VK_SHIFT}, VK_F8);
            }),
            (std::vector<std::string>{Line("Now Playing", kEntryTitles[1])}));
  Player(player_ids::kStop);
  ASSERT_TRUE(WaitLog("command 40047"));
  ASSERT_TRUE(Focus(player_->Window()));
  ParkPointer();
  EXPECT_EQ(keyPopups([] {
              Burst({VK_CONTROL, VK_SHIFT}, VK_F8);
            }),
            (std::vector<std::string>{Line("Stopped", kEntryTitles[1])}));
  auto expected = before;
  expected.push_back("40047");
  EXPECT_EQ(Commands(), expected) << "Now Playing sent the player a command";
}

// What a user means by a new track. The list sorted while a song plays moves it to another
// place: no popup. A stream titled late after a hot key's Next: the key's popup takes the
// title when it comes, never a second popup. Titles coming faster than the popup's time: one
// popup window at any moment, ending with the last title.
TEST_F(Track, ASortedListShowsNothingALateTitleAndFastTitlesRetitleTheOnePopup) {
  Start("[Use]\r\nKey=1\r\n[Popup]\r\nShowTime=2500\r\nShowOnTrackChange=2\r\n[HotKeys]\r\n4=" +
            std::to_string(kF9Word) + "\r\n",
        "--late-title-ms 700");
  FocusNotepad();
  ParkPointer();
  Player(player_ids::kPlay);
  Player(player_ids::kNext);  // the second entry, its title late
  ASSERT_TRUE(WaitFor([&] { return !ShownPopups(player_->Proc().Id()).empty(); }));
  ASSERT_TRUE(WaitFor([&] { return ShownPopups(player_->Proc().Id()).empty(); }, 6000));
  Player(player_ids::kSortList);
  EXPECT_TRUE(PopupsUntil([&] { return player_->LogHas("sorted"); }, 1200).empty())
      << "the sorted list showed a popup";

  ASSERT_TRUE(Press(VK_F9, "command 40048"));
  std::size_t most = 0;
  std::wstring last;
  const auto late = PopupsUntil(
      [&] {
        const auto now = ShownPopups(player_->Proc().Id());
        most = std::max(most, now.size());
        if (!now.empty()) last = now.back().Title;
        return last == kEntryTitles[0];  // sorted second: the first entry's song
      },
      500);
  EXPECT_EQ(late.size(), 1u) << "a second popup over the key's";
  EXPECT_EQ(most, 1u);
  EXPECT_EQ(Utf8(last.c_str()), Utf8(kEntryTitles[0]));

  for (int i = 0; i < 3; ++i) {
    Player(player_ids::kStreamTitle);
    const double until = NowMs() + 300;
    while (NowMs() < until) {
      most = std::max(most, ShownPopups(player_->Proc().Id()).size());
      Pump(5);
    }
  }
  ASSERT_TRUE(WaitFor([&] {
    const auto now = ShownPopups(player_->Proc().Id());
    return now.size() == 1 && now[0].Title == kStreamSongs[2];
  }));
  EXPECT_EQ(most, 1u) << "popups stacked";
}
