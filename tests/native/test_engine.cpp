// The engine's rules with a fake player, fake popups and a fake message loop and clock:
// every step the engine takes is written to one log, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/uCommandMatch.h"
#include "engine/uCommandState.h"
#include "engine/uEngine.h"
#include "engine/uTimerRule.h"
#include "engine/uWheelDial.h"
#include "hook/uRawKeys.h"

using namespace velmora;
using PC = PlayerCommand;

namespace {

class FakeWorld : public IPlayer, public IPopups, public IEngineSystem {
 public:
  std::vector<std::string> Log;
  PlayStatus State = PlayStatus::Playing;
  bool InfoShown = false;
  bool PlayerShown = true;
  bool HeldElsewhere = false;
  PC ThrowOn = PC::Open;
  bool Throw = false;
  // Runs inside the engine's pump after a command, as queued messages would.
  std::function<void()> Queued;
  // The countdown: its interval while it runs, -1 while stopped.
  int Countdown = -1;

  void Execute(PC c) override {
    if (Throw && c == ThrowOn) throw std::runtime_error("player gone");
    Log.push_back(std::string("run ") + CommandNames[static_cast<int>(c)]);
    if (c == PC::Next || c == PC::Prev) {
      Now = c == PC::Next ? L"next one" : L"one before";
      Pos += c == PC::Next ? 1 : -1;
    }
  }
  PlayStatus Status() override {
    Log.push_back("status?");
    return State;
  }
  bool InfoDialogShown() override { return InfoShown; }
  void OpenInfoDialog() override { Log.push_back("open info"); }
  void CloseInfoDialog() override { Log.push_back("close info"); }
  bool WindowShown() override { return PlayerShown; }
  void ShowWindow() override { Log.push_back("show player"); }
  void HideWindow() override { Log.push_back("hide player"); }
  void Show(PC c, bool disabled, bool again, const std::wstring& title) override {
    Log.push_back(std::string(again ? "popup again " : "popup ") +
                  (disabled ? DisabledText : CommandNames[static_cast<int>(c)]) +
                  (title.empty() ? "" : " / " + std::string(title.begin(), title.end())));
  }
  void ShowState(PC, bool again, const std::string& text, const std::string&,
                 const std::wstring& line) override {
    Log.push_back(std::string(again ? "popup again " : "popup ") + text +
                  (line.empty() ? "" : " / " + std::string(line.begin(), line.end())));
  }
  void ShowNowPlaying(PlayStatus s, const std::wstring& title) override {
    Log.push_back(std::string("popup ") + NowPlayingText(s) + " / " +
                  std::string(title.begin(), title.end()));
  }
  // The player's entry, named after the commands it has run.
  std::wstring Now = L"first";
  int Pos = 0;
  int Position() override { return Pos; }
  int Time = 0;  // the entry's playing time, not logged: asked with every title
  int PlayingTime() override { return Time; }
  int LengthS = -1;
  int Length() override { return LengthS; }
  // The volume, repeat, shuffle and rating as a player keeps them; -1: one without them.
  int Level = -1;
  int Volume() override { return Level; }
  void SetVolume(int level) override {
    Log.push_back("volume " + std::to_string(level));
    if (Level >= 0) Level = level;
  }
  int RepeatOn = -1, ShuffleOn = -1, Stars = -1;
  int Option(PC which) override { return which == PC::Repeat ? RepeatOn : ShuffleOn; }
  void SetOption(PC which, bool on) override {
    int& option = which == PC::Repeat ? RepeatOn : ShuffleOn;
    if (option >= 0) option = on;
  }
  int Rating() override { return Stars; }
  void SetRating(int stars) override {
    if (Stars >= 0) Stars = stars;
  }
  std::wstring Clipboard;
  void CopyText(const std::wstring& text) override { Clipboard = text; }
  // A popup that names a track is still up: a new title goes there.
  bool Live = false;
  bool Retitle(const std::wstring& title) override {
    if (Live) Log.push_back("retitle " + std::string(title.begin(), title.end()));
    return Live;
  }
  std::wstring Title() override {
    Log.push_back("title?");
    return Now;
  }
  void Reply() override { Log.push_back("reply"); }
  void ProcessMessages() override {
    if (auto q = std::exchange(Queued, nullptr)) q();
  }
  bool HeldByAnotherProgram(TShortCut) override {
    Log.push_back("held?");
    return HeldElsewhere;
  }
  void StartCountdown(unsigned ms) override { Countdown = static_cast<int>(ms); }
  void StopCountdown() override { Countdown = -1; }
  bool InFront = false;  // a window of the player's process
  bool PlayerInFront() override { return InFront; }
  int Poll = -1;  // the track watch's poll interval while it runs
  void StartTrackPoll(unsigned ms) override { Poll = static_cast<int>(ms); }
  void StopTrackPoll() override { Poll = -1; }
  // The program in front, asked only for a key or gesture that found its command.
  bool Excluded = false;
  int ExcludedAsked = 0;
  bool ForegroundExcluded() override {
    ++ExcludedAsked;
    return Excluded;
  }
  // The keys held now, and the repeat's timer: its interval while it runs, -1 stopped.
  TShortCut Held = 0;
  bool ChordHeld(TShortCut word) override { return word == Held; }
  TKeyRepeat KeyboardRepeat() override { return {500, 33}; }
  int Repeat = -1;
  void StartRepeat(unsigned ms) override { Repeat = static_cast<int>(ms); }
  void StopRepeat() override { Repeat = -1; }

  // The log since the last call.
  std::vector<std::string> Take() { return std::exchange(Log, {}); }
};

using Steps = std::vector<std::string>;

// A wide line as the fake logs it, each character's low byte.
std::string Narrow(const std::wstring& w) {
  return std::string(w.begin(), w.end());
}

constexpr TShortCut kCtrlF5 = scCtrl | 0x74, kCtrlF6 = scCtrl | 0x75, kF9 = 0x78;

class Engine : public ::testing::Test {
 protected:
  Engine() {
    settings.HotKeys[static_cast<int>(PC::Play)] = kCtrlF5;
    settings.HotKeys[static_cast<int>(PC::Stop)] = kCtrlF6;
    settings.HotKeys[static_cast<int>(PC::Next)] = kF9;
    settings.HotKeys[static_cast<int>(PC::Prev)] = scAlt | 0x25;
    settings.HotKeys[static_cast<int>(PC::Pause)] = scAlt | 0x26;
    settings.HotKeys[static_cast<int>(PC::Enabled)] = scCtrl | scAlt | 0x45;
    settings.HotKeys[static_cast<int>(PC::ID3)] = scCtrl | 0x49;
    settings.HotKeys[static_cast<int>(PC::Winamp)] = scCtrl | 0x57;
    settings.HotKeys[static_cast<int>(PC::VolumeUp)] = scCtrl | 0x26;
    settings.ShowTitle = false;  // the popups as they were before the title line; see below
  }
  TShortCut Key(PC c) const { return settings.HotKeys[static_cast<int>(c)]; }
  // A jog step at a time on the fake clock.
  void Jog(unsigned code, int atMs) { engine.OnJogDial(code, atMs); }

  TEngineSettings settings;
  FakeWorld world;
  TEngine engine{settings, world, world, world};
};

TEST_F(Engine, AHotKeyRunsItsCommandWithItsPopupAfterTheSenderIsLetGo) {
  engine.OnHotKey(kCtrlF5);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Play", "run Play"}));
  // The same key with other modifiers, a key of no command and word 0 run nothing, and the
  // sender is let go all the same.
  for (TShortCut w : {TShortCut(0x74), TShortCut(scShift | kCtrlF5), TShortCut(0x41), TShortCut(0)})
    engine.OnHotKey(w);
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply", "reply", "reply"}));
  EXPECT_FALSE(engine.Busy());
}

TEST_F(Engine, TwoCommandsOnOneKeyRunTheLowestAndThePopupSwitchHidesEveryPopup) {
  settings.HotKeys[static_cast<int>(PC::VolumeDown)] = kCtrlF6;  // Stop's key too
  engine.OnHotKey(kCtrlF6);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Stop", "run Stop"}));
  settings.UsePopup = false;  // read live: the dialog changes the settings object itself
  engine.OnHotKey(kCtrlF6);
  engine.OnHotKey(Key(PC::Enabled));
  EXPECT_EQ(world.Take(), (Steps{"reply", "run Stop", "reply"}));
  EXPECT_FALSE(engine.Enabled);
}

TEST_F(Engine, AHotKeyThatComesWhileACommandRunsIsDroppedAndTheEngineIsFreeAfterwards) {
  world.Queued = [&] { engine.OnHotKey(kCtrlF6); };  // pressed while Play's popup pumps
  engine.OnHotKey(kCtrlF5);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Play", "run Play", "reply"}));
  EXPECT_FALSE(engine.Busy());
  engine.OnHotKey(kCtrlF6);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Stop", "run Stop"}));
  // A key of no command inside the pump is no command either: nothing held, nothing run.
  world.Queued = [&] { engine.OnHotKey(0x41); };
  engine.OnHotKey(kCtrlF5);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Play", "run Play", "reply"}));
}

TEST_F(Engine, FileInfoHoldsTheEngineFreeSoItsOwnKeyClosesItFromThePlayersModalLoop) {
  world.Queued = [&] {
    world.InfoShown = true;
    engine.OnHotKey(Key(PC::ID3));  // pressed while the dialog's modal loop runs
  };
  engine.OnHotKey(Key(PC::ID3));
  EXPECT_EQ(world.Take(),
            (Steps{"reply", "open info", "run ID3", "reply", "close info", "run ID3"}));
}

TEST_F(Engine, AFailingCommandLeavesTheEngineFree) {
  world.Throw = true;
  world.ThrowOn = PC::Play;
  EXPECT_THROW(engine.OnHotKey(kCtrlF5), std::runtime_error);
  EXPECT_FALSE(engine.Busy());
  world.Take();
  engine.OnHotKey(kCtrlF6);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Stop", "run Stop"}));
}

TEST_F(Engine, DisabledOnlyEnableDisableRunsAndItsPopupSaysWhichWay) {
  engine.OnHotKey(Key(PC::Enabled));
  EXPECT_FALSE(engine.Enabled);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Disabled"}));
  engine.OnHotKey(kCtrlF5);
  engine.ExecuteCommand(PC::ID3);
  engine.ExecuteCommand(PC::Winamp);
  EXPECT_EQ(world.Take(), (Steps{"reply"}));
  engine.OnHotKey(Key(PC::Enabled));
  EXPECT_TRUE(engine.Enabled);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Enabled"}));
  engine.OnHotKey(kCtrlF5);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Play", "run Play"}));
}

TEST_F(Engine, PrevPauseAndNextOfAStoppedPlayerAreFollowedByPlayAndOnlyTheyAskTheState) {
  world.State = PlayStatus::Stopped;
  for (PC c : {PC::Prev, PC::Pause, PC::Next}) {
    engine.ExecuteCommand(c);
    const std::string name = CommandNames[static_cast<int>(c)];
    EXPECT_EQ(world.Take(), (Steps{"popup " + name, "status?", "run " + name, "run Play"})) << name;
  }
  for (PC c : {PC::Play, PC::Stop, PC::Open}) {
    engine.ExecuteCommand(c);
    const std::string name = CommandNames[static_cast<int>(c)];
    EXPECT_EQ(world.Take(), (Steps{"popup " + name, "run " + name})) << name;
  }
  // The volume's popup says the level the player reports after the command.
  for (PC c : {PC::VolumeUp, PC::VolumeDown}) {
    engine.ExecuteCommand(c);
    const std::string name = CommandNames[static_cast<int>(c)];
    EXPECT_EQ(world.Take(), (Steps{"run " + name, "popup " + name})) << name;
  }
  for (PlayStatus s : {PlayStatus::Playing, PlayStatus::Paused}) {
    world.State = s;
    engine.ExecuteCommand(PC::Next);
    EXPECT_EQ(world.Take(), (Steps{"popup Next", "status?", "run Next"}));
  }
}

TEST_F(Engine, TheTwoTogglesOpenWhatIsClosedAndCloseWhatIsOpenWithoutAPopup) {
  engine.ExecuteCommand(PC::ID3);
  world.InfoShown = true;
  engine.ExecuteCommand(PC::ID3);
  engine.ExecuteCommand(PC::Winamp);
  world.PlayerShown = false;
  engine.ExecuteCommand(PC::Winamp);
  EXPECT_EQ(world.Take(), (Steps{"open info", "run ID3", "close info", "run ID3", "hide player",
                                 "run Winamp", "show player", "run Winamp"}));
}

TEST_F(Engine, ARawInputChordAnotherProgramHoldsRunsNothingAndOnlyAMatchIsAsked) {
  world.HeldElsewhere = true;
  engine.OnHotKey(kCtrlF5, true);
  EXPECT_EQ(world.Take(), (Steps{"held?", "reply"}));
  engine.OnHotKey(0x41, true);  // no command: not asked
  engine.OnHotKey(kCtrlF5);     // from the hook: it got the key, so nobody holds it
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply", "popup Play", "run Play"}));
  world.HeldElsewhere = false;
  engine.OnHotKey(kCtrlF5, true);
  EXPECT_EQ(world.Take(), (Steps{"held?", "reply", "popup Play", "run Play"}));
}

// The raw-input capture in front of the engine, as the engine's window joins them: a word
// the capture keeps goes to the engine, AltGr typing goes nowhere.
TEST_F(Engine, ARawAltGrQOnALayoutThatTypesRunsNothingAndAsksNothingFurther) {
  settings.HotKeys[static_cast<int>(PC::Stop)] = scCtrl | scAlt | 0x51;
  static int layoutAsked;
  layoutAsked = 0;
  auto strokes = [&](const TKeyQueries& ask) {
    TRawKeyboard keys;
    // AltGr as the system delivers it (a left Ctrl, then the right Alt), then Q.
    for (TRawStroke s :
         {TRawStroke{0x11, 0x1D}, TRawStroke{0x12, 0x38, false, true}, TRawStroke{0x51, 0x10}})
      if (auto word = keys.Take(s, ask)) engine.OnHotKey(*word, true);
  };
  constexpr auto held = [](unsigned) noexcept { return true; };
  strokes({held, [](unsigned) noexcept { return ++layoutAsked, true; }});  // German: "@"
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply"}));  // the two modifiers: no command
  EXPECT_EQ(layoutAsked, 1);
  EXPECT_EQ(world.ExcludedAsked, 0);
  // A layout that types nothing with AltGr+Q: the chord is Ctrl+Alt+Q, Stop's hot key.
  strokes({held, [](unsigned) noexcept { return ++layoutAsked, false; }});
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply", "held?", "reply", "popup Stop", "run Stop"}));
  EXPECT_EQ(layoutAsked, 2);
}

TEST_F(Engine, AGestureRunsItsCommandWhenTheCountdownEnds) {
  settings.JogDials[static_cast<int>(PC::VolumeUp)] = 3;  // "UU"
  settings.JogDials[static_cast<int>(PC::Next)] = 5;      // "UD"
  settings.CommandInterval = 900;
  Jog(JogUp, 1000);
  EXPECT_EQ(world.Countdown, 900);
  Jog(JogUp, 1200);
  EXPECT_EQ(engine.JogSequence(), "UU");
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply"}));
  engine.OnCountdown();
  EXPECT_EQ(world.Countdown, -1);
  EXPECT_EQ(engine.JogSequence(), "");
  EXPECT_EQ(world.Take(), (Steps{"run Volume Up", "popup Volume Up"}));
  Jog(JogUp, 3000);
  Jog(JogDown, 3150);
  engine.OnCountdown();
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply", "popup Next", "status?", "run Next"}));
  // A gesture of no table entry runs nothing; nor does one no command has.
  for (int at : {5000, 5200, 5400, 5600}) Jog(JogDown, at);
  EXPECT_EQ(engine.JogSequence(), "DDDD");
  engine.OnCountdown();
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply", "reply", "reply"}));
  Jog(JogDown, 7000);
  engine.OnCountdown();
  EXPECT_EQ(world.Take(), (Steps{"reply"}));
}

TEST_F(Engine, StepsCloserThanTheIgnoreIntervalAreDroppedMeasuredFromTheLastStepSeen) {
  settings.IgnoreInterval = 100;
  Jog(JogUp, 1000);
  Jog(JogUp, 1050);  // dropped, but the next is measured from it
  Jog(JogUp, 1140);  // dropped: 90 ms after the last
  Jog(JogUp, 1240);
  EXPECT_EQ(engine.JogSequence(), "UU");
  // The message clock wraps at 2^32 ms (a signed value, so from -1 to 0): a time before the
  // last is dropped, and a step across the wrap is measured as the 200 ms it is.
  Jog(JogDown, -300);
  Jog(JogDown, -150);
  Jog(JogDown, 50);
  EXPECT_EQ(engine.JogSequence(), "UUDD");
}

TEST_F(Engine, AHeldDialHoldsTheCountdownAndANegativeIntervalCountsAsNone) {
  settings.CommandInterval = -5;
  Jog(JogPress, 1000);
  Jog(JogUp, 1200);
  EXPECT_EQ(world.Countdown, -1);  // held: the gesture goes on
  Jog(JogRelease, 1400);
  EXPECT_EQ(world.Countdown, 0);
  EXPECT_EQ(engine.JogSequence(), "SUs");  // the press and release are letters too
}

// The player takes a jog step as it runs a command, as a modal loop of its own would.
class StepWhileRunning : public FakeWorld {
 public:
  TEngine* Engine = nullptr;
  void Execute(PC c) override {
    FakeWorld::Execute(c);
    if (Engine) std::exchange(Engine, nullptr)->OnJogDial(JogDown, 2000);
  }
};

TEST(EngineGesture, AStepThatComesWhileTheGesturesCommandRunsBeginsANewGesture) {
  TEngineSettings settings;
  settings.JogDials[static_cast<int>(PC::Play)] = 1;  // "U"
  settings.ShowTitle = false;
  StepWhileRunning world;
  TEngine engine(settings, world, world, world);
  engine.OnJogDial(JogUp, 1000);
  world.Engine = &engine;
  engine.OnCountdown();
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Play", "run Play", "reply"}));
  EXPECT_EQ(engine.JogSequence(), "D");
  EXPECT_EQ(world.Countdown, settings.CommandInterval);
}

}  // namespace

// A key whose command will not run neither holds the engine busy nor pumps: the next key
// (here Enable/Disable, queued behind it) is handled as if it had not been pressed.
TEST_F(Engine, AKeyWhoseCommandWillNotRunHoldsNothingAndPumpsNothing) {
  engine.Enabled = false;
  bool pumped = false;
  world.Queued = [&] { pumped = true; };
  engine.OnHotKey(kCtrlF5);  // Play while off
  EXPECT_EQ(world.Take(), (Steps{"reply"}));
  EXPECT_FALSE(pumped);
  EXPECT_FALSE(engine.Busy());
  engine.OnHotKey(Key(PC::Enabled));  // comes next: runs
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Enabled"}));
  EXPECT_TRUE(pumped);
  // Held by another program (raw input): the same.
  world.Queued = [&] { pumped = false; };
  world.HeldElsewhere = true;
  engine.OnHotKey(kCtrlF5, true);
  EXPECT_EQ(world.Take(), (Steps{"held?", "reply"}));
  EXPECT_NE(world.Queued, nullptr);
}

TEST_F(Engine, AProgramInFrontThatIsLeftAloneRunsNoKeyAndNoGestureNotEvenEnableDisable) {
  world.Excluded = true;
  bool pumped = false;
  world.Queued = [&] { pumped = true; };
  for (PC c : {PC::Play, PC::Enabled, PC::VolumeUp}) engine.OnHotKey(Key(c));
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply", "reply"}));
  EXPECT_TRUE(engine.Enabled);
  EXPECT_FALSE(pumped);
  EXPECT_EQ(world.Repeat, -1);
  // Asked only for a key that found its command: a key of none costs nothing.
  world.ExcludedAsked = 0;
  engine.OnHotKey(0x41);
  EXPECT_EQ(world.ExcludedAsked, 0);
  settings.JogDials[static_cast<int>(PC::Next)] = 1;  // Up
  engine.OnJogDial(JogUp, 1000);
  engine.OnCountdown();
  EXPECT_EQ(world.Take(), (Steps{"reply", "reply"}));
  // In front no more: everything as before.
  world.Excluded = false;
  engine.OnHotKey(kCtrlF5);
  EXPECT_EQ(world.Take(), (Steps{"reply", "popup Play", "run Play"}));
}

// The held volume key on a fake clock: the first repeat after the keyboard's delay, then
// one at each of its intervals, one popup whose time begins anew; it stops at the first
// tick that finds the key or a modifier let go, the engine off, or the program in front
// left alone.
TEST_F(Engine, AHeldVolumeKeyRepeatsAfterTheDelayAtTheSpeedUntilItIsLetGo) {
  const TShortCut up = Key(PC::VolumeUp);
  world.Held = up;
  engine.OnHotKey(up);
  EXPECT_EQ(world.Take(), (Steps{"reply", "run Volume Up", "popup Volume Up"}));
  EXPECT_EQ(world.Repeat, 500);  // the delay
  for (int i = 0; i < 3; ++i) {
    engine.OnRepeat();
    EXPECT_EQ(world.Repeat, 33);  // then the speed
  }
  EXPECT_EQ(world.Take(),
            (Steps{"run Volume Up", "popup again Volume Up", "run Volume Up",
                   "popup again Volume Up", "run Volume Up", "popup again Volume Up"}));
  world.Held = 0;  // let go
  engine.OnRepeat();
  EXPECT_EQ(world.Repeat, -1);
  EXPECT_FALSE(engine.Repeating());
  engine.OnRepeat();  // a tick already queued: nothing
  EXPECT_TRUE(world.Take().empty());
}

TEST_F(Engine, TheRepeatStopsOnAModifierChangeOnDisableOnExclusionOnTheSwitchAndOnAnotherKey) {
  const TShortCut up = Key(PC::VolumeUp);
  auto start = [&] {
    world.Held = up;
    engine.OnHotKey(up);
    world.Take();
    ASSERT_TRUE(engine.Repeating());
  };
  start();
  world.Held = up | scShift;  // Shift pressed as well: no longer the chord
  engine.OnRepeat();
  EXPECT_FALSE(engine.Repeating());
  start();
  engine.Enabled = false;
  engine.OnRepeat();
  EXPECT_FALSE(engine.Repeating());
  engine.Enabled = true;
  start();
  world.Excluded = true;
  engine.OnRepeat();
  EXPECT_FALSE(engine.Repeating());
  world.Excluded = false;
  start();
  settings.RepeatVolume = false;  // switched off in the dialog while the key is held
  engine.OnRepeat();
  EXPECT_FALSE(engine.Repeating());
  settings.RepeatVolume = true;
  start();
  engine.OnHotKey(kCtrlF5);  // another command's key
  EXPECT_FALSE(engine.Repeating());
  EXPECT_EQ(world.Repeat, -1);
  EXPECT_TRUE(std::find(world.Log.begin(), world.Log.end(), "popup again Volume Up") ==
              world.Log.end());
  // RepeatVolume off, and the other commands: one press, one run.
  settings.RepeatVolume = false;
  world.Held = up;
  engine.OnHotKey(up);
  EXPECT_FALSE(engine.Repeating());
  settings.RepeatVolume = true;
  world.Held = kCtrlF5;
  engine.OnHotKey(kCtrlF5);
  EXPECT_FALSE(engine.Repeating());
  // A gesture's volume command does not repeat either.
  settings.JogDials[static_cast<int>(PC::VolumeDown)] = 2;  // Down
  engine.OnJogDial(JogDown, 5000);
  engine.OnCountdown();
  EXPECT_FALSE(engine.Repeating());
}

TEST(KeyRepeat, TheSystemsDelayAndSpeedSettingsGiveTheRepeatsTiming) {
  EXPECT_EQ(KeyRepeatTiming(0, 31).DelayMs, 250u);
  EXPECT_EQ(KeyRepeatTiming(1, 31).DelayMs, 500u);
  EXPECT_EQ(KeyRepeatTiming(3, 31).DelayMs, 1000u);
  EXPECT_EQ(KeyRepeatTiming(1, 31).IntervalMs, 33u);  // about 30 a second
  EXPECT_EQ(KeyRepeatTiming(1, 0).IntervalMs, 400u);  // 2.5 a second
  EXPECT_EQ(KeyRepeatTiming(1, 15).IntervalMs, 63u);
  EXPECT_EQ(KeyRepeatTiming(1, 2).IntervalMs, 234u);  // 233.5: rounded, not cut
  EXPECT_EQ(KeyRepeatTiming(1, 16).IntervalMs, 60u);  // 59.6
  EXPECT_EQ(KeyRepeatTiming(-5, 99).DelayMs, 250u);   // outside: the nearest
  EXPECT_EQ(KeyRepeatTiming(9, -1).IntervalMs, 400u);
  EXPECT_EQ(KeyRepeatTiming(9, -1).DelayMs, 1000u);
}

// The title line: Play, Next and Prev, and Prev, Pause and Next followed by Play while
// stopped, show the entry the player moved to, asked after it has handled them; every other
// popup comes first, as without titles.
TEST_F(Engine, TitledPopupsComeAfterTheCommandAndNameTheNewEntry) {
  settings.ShowTitle = true;
  engine.ExecuteCommand(PC::Next);
  EXPECT_EQ(world.Take(), (Steps{"status?", "run Next", "title?", "popup Next / next one"}));
  engine.ExecuteCommand(PC::Play);
  EXPECT_EQ(world.Take(), (Steps{"run Play", "title?", "popup Play / next one"}));
  engine.ExecuteCommand(PC::Pause);  // playing: no Play after it, no title, first as before
  EXPECT_EQ(world.Take(), (Steps{"status?", "popup Pause", "run Pause"}));
  world.State = PlayStatus::Stopped;
  engine.ExecuteCommand(PC::Pause);
  EXPECT_EQ(world.Take(),
            (Steps{"status?", "run Pause", "run Play", "title?", "popup Pause / next one"}));
  engine.ExecuteCommand(PC::Prev);
  EXPECT_EQ(world.Take(),
            (Steps{"status?", "run Prev", "run Play", "title?", "popup Prev / one before"}));
  for (PC c : {PC::Stop, PC::Open}) {
    engine.ExecuteCommand(c);
    const std::string name = CommandNames[static_cast<int>(c)];
    EXPECT_EQ(world.Take(), (Steps{"popup " + name, "run " + name})) << name;
  }
  // An empty title: no title line. Popups off: the title is not even asked.
  world.Now.clear();
  engine.ExecuteCommand(PC::Play);
  EXPECT_EQ(world.Take(), (Steps{"run Play", "title?", "popup Play"}));
  settings.UsePopup = false;
  world.State = PlayStatus::Playing;
  engine.ExecuteCommand(PC::Next);
  EXPECT_EQ(world.Take(), (Steps{"status?", "run Next"}));
}

// The track watch: the popup of an entry the player moved to by itself, once per change.
// Each row starts from a watched, playing player at "first" and makes one change.
TEST(TrackWatch, ANewEntryThePlayerMovedToShowsOnePopupUnlessARuleHoldsItBack) {
  struct Row {
    const char* Case;
    std::function<void(FakeWorld&, TEngineSettings&, TEngine&)> Change;
    Steps Expected;  // the popups of the poll after the change
  };
  const auto next = [](FakeWorld& w) { w.Now = L"second", ++w.Pos; };
  const Row rows[] = {
      {"next entry", [&](auto& w, auto&, auto&) { next(w); }, {"popup Now Playing / second"}},
      {"a stream's next song",
       [](auto& w, auto&, auto&) { w.Now = L"song 2"; },
       {"popup Now Playing / song 2"}},
      {"same entry again, the same title", [](auto&, auto&, auto&) {}, {}},
      {"a hot key's Next",
       [](auto&, auto&, auto& e) { e.ExecuteCommand(PC::Next); },
       {"popup Next / next one"}},
      {"a gesture's Prev",
       [](auto&, auto&, auto& e) { e.ExecuteCommand(PC::Prev); },
       {"popup Prev / one before"}},
      {"disabled", [&](auto& w, auto&, auto& e) { e.Enabled = false, next(w); }, {}},
      {"an excluded program in front",
       [&](auto& w, auto&, auto&) { w.Excluded = true, next(w); },
       {}},
      {"popups off", [&](auto& w, auto& s, auto&) { s.UsePopup = false, next(w); }, {}},
      {"the player in front", [&](auto& w, auto&, auto&) { w.InFront = true, next(w); }, {}},
      {"the player in front, always",
       [&](auto& w, auto& s, auto&) { w.InFront = true, s.ShowOnTrackChange = 2, next(w); },
       {"popup Now Playing / second"}},
      {"the player in front, a mode of none",
       [&](auto& w, auto& s, auto&) { w.InFront = true, s.ShowOnTrackChange = 9, next(w); },
       {}},
      {"never", [&](auto& w, auto& s, auto&) { s.ShowOnTrackChange = 0, next(w); }, {}},
      {"the list sorted: the same song at another place",
       [](auto& w, auto&, auto&) { w.Pos = 5, w.Time += 250; },
       {}},
      {"the same song again at the next place",
       [](auto& w, auto&, auto&) { ++w.Pos, w.Time = 0; },
       {"popup Now Playing / first"}},
      {"a player without times: moved alone is no change",
       [](auto& w, auto&, auto&) { ++w.Pos, w.Time = -1; },
       {}},
      {"a title that came late, the command's popup still up",
       [](auto& w, auto&, auto&) { w.Live = true, w.Now = L"final"; },
       {"retitle final"}},
  };
  for (const Row& row : rows) {
    TEngineSettings settings;
    FakeWorld world;
    TEngine engine(settings, world, world, world);
    world.Time = 1000;
    engine.WatchTrack();
    EXPECT_EQ(world.Poll, 250);
    row.Change(world, settings, engine);
    engine.OnTrackPoll();
    Steps popups;
    for (const std::string& step : world.Take())
      if (step.starts_with("popup") || step.starts_with("retitle")) popups.push_back(step);
    EXPECT_EQ(popups, row.Expected) << row.Case;
    // Seen once: the next poll shows nothing, whatever the rule was.
    world.Excluded = world.InFront = false, engine.Enabled = settings.UsePopup = true;
    world.Time += 250;
    engine.OnTrackPoll();
    for (const std::string& step : world.Take())
      EXPECT_FALSE(step.starts_with("popup") || step.starts_with("retitle")) << row.Case;
  }
}

// An entry picked while the player stops shows when it plays, and the poll slows meanwhile;
// "never" stops the poll and a watch begun again takes the entry as it is then.
TEST(TrackWatch, AChangeWhileStoppedShowsWhenItPlaysAndNeverStopsThePoll) {
  TEngineSettings settings;
  FakeWorld world;
  TEngine engine(settings, world, world, world);
  engine.WatchTrack();
  EXPECT_EQ(world.Take(), (Steps{"title?"}));
  world.State = PlayStatus::Stopped;
  world.Now = L"picked", world.Pos = 3;
  engine.OnTrackPoll();
  EXPECT_EQ(world.Take(), (Steps{"status?"}));
  EXPECT_EQ(world.Poll, 1000);
  world.State = PlayStatus::Playing;
  engine.OnTrackPoll();
  EXPECT_EQ(world.Take(), (Steps{"status?", "title?", "popup Now Playing / picked"}));
  EXPECT_EQ(world.Poll, 250);
  settings.ShowOnTrackChange = 0;
  engine.OnTrackPoll();
  EXPECT_EQ(world.Poll, -1);
  world.Now = L"meanwhile";
  settings.ShowOnTrackChange = 1;
  engine.WatchTrack();
  world.Take();
  engine.OnTrackPoll();
  EXPECT_EQ(world.Take(), (Steps{"status?", "title?"}));
}

// Now Playing sends the player nothing: the entry under the state's first line.
TEST(TrackWatch, NowPlayingShowsTheEntryAndTheStateAndRunsNothing) {
  TEngineSettings settings;
  settings.HotKeys[static_cast<int>(PC::NowPlaying)] = kF9;
  FakeWorld world;
  TEngine engine(settings, world, world, world);
  for (PlayStatus s : {PlayStatus::Playing, PlayStatus::Paused, PlayStatus::Stopped}) {
    world.State = s;
    engine.OnHotKey(kF9);
  }
  EXPECT_EQ(world.Take(), (Steps{"reply", "status?", "title?", "popup Now Playing / first", "reply",
                                 "status?", "title?", "popup Paused / first", "reply", "status?",
                                 "title?", "popup Stopped / first"}));
  settings.UsePopup = false;
  engine.OnHotKey(kF9);
  EXPECT_EQ(world.Take(), (Steps{"reply"}));
}

// The wheel's steps: each runs its action's command, under one popup while the wheel turns
// the same way; a turn the other way, or another command between, shows a popup anew.
TEST(EngineWheel, StepsRunTheirActionUnderOnePopupWhileTheWheelTurnsOneWay) {
  const struct {
    std::int32_t Action;
    Steps Expected;
  } rows[] = {
      {WheelVolume,
       {"run Volume Up", "popup Volume Up", "run Volume Up", "popup again Volume Up",
        "run Volume Up", "popup again Volume Up", "run Volume Down", "popup Volume Down"}},
      {7,  // no action: the volume's
       {"run Volume Up", "popup Volume Up", "run Volume Up", "popup again Volume Up",
        "run Volume Up", "popup again Volume Up", "run Volume Down", "popup Volume Down"}},
      {WheelSeek,
       {"run Forward 5 s", "popup Forward 5 s / 0:00", "run Forward 5 s",
        "popup again Forward 5 s / 0:00", "run Forward 5 s", "popup again Forward 5 s / 0:00",
        "run Back 5 s", "popup Back 5 s / 0:00"}},
      {WheelTrack,
       {"status?", "run Next", "title?", "popup Next / next one", "status?", "run Next", "title?",
        "popup again Next / next one", "status?", "run Next", "title?",
        "popup again Next / next one", "status?", "run Prev", "title?", "popup Prev / one before"}},
  };
  for (const auto& row : rows) {
    TEngineSettings settings;
    settings.WheelAction = row.Action;
    FakeWorld world;
    TEngine engine(settings, world, world, world);
    engine.OnWheel(2);
    engine.OnWheel(1);
    engine.OnWheel(-1);
    EXPECT_EQ(world.Take(), row.Expected) << "action " << row.Action;
  }
}

TEST(EngineWheel, NothingRunsDisabledOrLeftAloneAndAnotherCommandEndsTheWheelsPopup) {
  TEngineSettings settings;
  settings.HotKeys[static_cast<int>(PC::VolumeUp)] = kF9;
  settings.RepeatVolume = false;
  FakeWorld world;
  TEngine engine(settings, world, world, world);
  engine.Enabled = false;
  engine.OnWheel(3);
  engine.Enabled = true;
  world.Excluded = true;
  engine.OnWheel(3);
  EXPECT_EQ(world.Take(), Steps{});
  world.Excluded = false;
  engine.OnWheel(1);
  engine.OnHotKey(kF9);  // the key's own popup: the wheel's next one is new
  engine.OnWheel(1);
  EXPECT_EQ(world.Take(), (Steps{"run Volume Up", "popup Volume Up", "reply", "run Volume Up",
                                 "popup Volume Up", "run Volume Up", "popup Volume Up"}));
}

// The engine window's timers: a start while running at the same interval keeps the time it
// began with (a gesture's later step does not lengthen its window) unless begun anew; a
// changed interval begins it again; 0 never fires; a stop of a stopped timer does nothing.
TEST(EngineTimers, AStartKeepsARunningTimerUnlessItsIntervalChangesOrItIsBegunAnew) {
  using C = TTimerChange;
  const struct {
    bool Running;
    unsigned Interval, Ms;
    bool Anew;
    C Expected;
  } rows[] = {
      {false, 0, 1000, false, C::Set},    {true, 1000, 1000, false, C::None},
      {true, 1000, 500, false, C::Set},   {true, 1000, 1000, true, C::Set},
      {false, 1000, 1000, false, C::Set}, {true, 1000, 0, false, C::Kill},
  };
  for (const auto& row : rows) {
    TTimerSlot slot{row.Interval, row.Running};
    EXPECT_EQ(StartTimer(slot, row.Ms, row.Anew), row.Expected)
        << row.Running << " " << row.Interval << " " << row.Ms << " " << row.Anew;
    EXPECT_TRUE(slot.Running);
    EXPECT_EQ(slot.IntervalMs, row.Ms);
  }
  TTimerSlot slot{1000, true};
  EXPECT_EQ(StopTimer(slot), C::Kill);
  EXPECT_EQ(StopTimer(slot), C::None);
}

// What the last round's tests let through: the seek's popup under the popup switch, a track
// popup ending the wheel's, a count no wheel event makes, an entry picked while stopped
// showing after the dialog closed (the watch begun again while it runs).
TEST(EngineWheel, TheSeekObeysThePopupSwitchATrackPopupEndsTheWheelsAndFloodsAreDropped) {
  TEngineSettings settings;
  settings.WheelAction = WheelSeek;
  settings.UsePopup = false;
  FakeWorld world;
  TEngine engine(settings, world, world, world);
  engine.OnWheel(2);
  EXPECT_EQ(world.Take(), (Steps{"run Forward 5 s", "run Forward 5 s"}));
  settings.UsePopup = true;
  settings.WheelAction = WheelVolume;
  engine.WatchTrack();
  engine.OnWheel(1);
  world.Now = L"second", ++world.Pos;
  engine.OnTrackPoll();
  engine.OnWheel(1);
  Steps popups;
  for (const std::string& step : world.Take())
    if (step.starts_with("popup")) popups.push_back(step);
  EXPECT_EQ(popups, (Steps{"popup Volume Up", "popup Now Playing / second", "popup Volume Up"}));
  EXPECT_EQ(WheelStepsOf(MaxWheelSteps), MaxWheelSteps);
  EXPECT_EQ(WheelStepsOf(-MaxWheelSteps), -MaxWheelSteps);
  for (std::intptr_t flood : {std::intptr_t{MaxWheelSteps} + 1, std::intptr_t{-MaxWheelSteps} - 1,
                              std::intptr_t{0x7FFFFFFF}, std::intptr_t{-0x7FFFFFFF} - 1})
    EXPECT_FALSE(WheelStepsOf(flood).has_value()) << flood;
}

TEST(TrackWatch, AnEntryPickedWhileStoppedShowsAfterTheWatchIsBegunAgainWhileItRuns) {
  TEngineSettings settings;
  FakeWorld world;
  TEngine engine(settings, world, world, world);
  engine.WatchTrack();
  world.State = PlayStatus::Stopped;
  engine.OnTrackPoll();
  world.Now = L"picked", world.Pos = 3;
  engine.WatchTrack();  // the dialog closed
  world.State = PlayStatus::Playing;
  engine.OnTrackPoll();
  EXPECT_EQ(world.Take().back(), "popup Now Playing / picked");
}

// The player's other actions: each runs as the player's command or request, and its popup
// says what the player reports after it; a player without the request shows the name alone.
TEST(EngineActions, EachActionRunsAndItsPopupSaysWhatThePlayerReportsAfterIt) {
  struct Row {
    const char* Case;
    PC Command;
    std::function<void(FakeWorld&, TEngineSettings&)> Setup;
    Steps Expected;
  };
  const Row rows[] = {
      {"repeat toggled on",
       PC::Repeat,
       [](auto& w, auto&) { w.RepeatOn = 0; },
       {"popup Repeat on"}},
      {"shuffle toggled off",
       PC::Shuffle,
       [](auto& w, auto&) { w.ShuffleOn = 1; },
       {"popup Shuffle off"}},
      {"repeat on an older player", PC::Repeat, [](auto&, auto&) {}, {"popup Repeat"}},
      {"rate 3",
       PC::Rate3,
       [](auto& w, auto&) { w.Stars = 0; },
       {"title?", "popup Rate 3  " + Stars(3) + " / first"}},
      {"rating up from 5 stays 5",
       PC::RatingUp,
       [](auto& w, auto&) { w.Stars = 5; },
       {"title?", "popup Rating up  " + Stars(5) + " / first"}},
      {"rating down from 2",
       PC::RatingDown,
       [](auto& w, auto&) { w.Stars = 2; },
       {"title?", "popup Rating down  " + Stars(1) + " / first"}},
      {"clear",
       PC::ClearRating,
       [](auto& w, auto&) { w.Stars = 4; },
       {"title?", "popup Clear rating  " + Stars(0) + " / first"}},
      {"rating on an older player", PC::Rate5, [](auto&, auto&) {}, {"popup Rate 5"}},
      {"mute", PC::Mute, [](auto& w, auto&) { w.Level = 163; }, {"volume 0", "popup Mute / Muted"}},
      {"mute on an older player", PC::Mute, [](auto&, auto&) {}, {"popup Mute"}},
      {"volume up, the player's step",
       PC::VolumeUp,
       [](auto& w, auto&) { w.Level = 163; },
       {"run Volume Up", "popup Volume Up / " + Narrow(VolumeLine(163))}},
      {"volume up by 10 %",
       PC::VolumeUp,
       [](auto& w, auto& s) { w.Level = 163, s.VolumeStep = 10; },
       {"volume 189", "popup Volume Up / " + Narrow(VolumeLine(189))}},
      {"a step of 30 reads as the player's",
       PC::VolumeDown,
       [](auto& w, auto& s) { w.Level = 163, s.VolumeStep = 30; },
       {"run Volume Down", "popup Volume Down / " + Narrow(VolumeLine(163))}},
      {"forward with the time",
       PC::SeekForward,
       [](auto& w, auto&) { w.Time = 83000, w.LengthS = 296; },
       {"run Forward 5 s", "popup Forward 5 s / 1:23 / 4:56"}},
      {"copy title", PC::CopyTitle, [](auto&, auto&) {}, {"title?", "popup Copy title / first"}},
      {"a window of the player's",
       PC::JumpToFile,
       [](auto&, auto&) {},
       {"run Jump to file", "popup Jump to file"}},
      {"stop with fade-out",
       PC::StopFadeOut,
       [](auto&, auto&) {},
       {"run Stop with fade-out", "popup Stop with fade-out"}},
  };
  for (const Row& row : rows) {
    TEngineSettings settings;
    FakeWorld world;
    TEngine engine(settings, world, world, world);
    row.Setup(world, settings);
    engine.ExecuteCommand(row.Command);
    EXPECT_EQ(world.Take(), row.Expected) << row.Case;
    if (row.Command == PC::CopyTitle) {
      EXPECT_EQ(world.Clipboard, L"first");
    }
  }
}

// Mute twice gives the level back; Volume Up while muted too; a level changed while muted
// is the one the next Mute keeps.
TEST(EngineActions, MuteKeepsTheLevelAndAChangeMeanwhileIsKept) {
  TEngineSettings settings;
  FakeWorld world;
  TEngine engine(settings, world, world, world);
  world.Level = 120;
  engine.ExecuteCommand(PC::Mute);
  engine.ExecuteCommand(PC::Mute);
  EXPECT_EQ(world.Level, 120);
  engine.ExecuteCommand(PC::Mute);
  settings.VolumeStep = 10;
  engine.ExecuteCommand(PC::VolumeUp);  // the level before, not a step from 0
  EXPECT_EQ(world.Level, 120);
  engine.ExecuteCommand(PC::Mute);
  world.Level = 40;  // changed in the player meanwhile
  engine.ExecuteCommand(PC::Mute);
  EXPECT_EQ(world.Level, 0);
  engine.ExecuteCommand(PC::Mute);
  EXPECT_EQ(world.Level, 40);
}

TEST(EngineActions, TheVolumeStepTheTimeAndTheStarsReadAsTheUserExpects) {
  const struct {
    int Level, Percent, Expected;
  } steps[] = {{0, 10, 26},    {0, -10, 0},    {255, 10, 255}, {255, -10, 230},
               {163, 10, 189}, {128, 25, 191}, {3, -1, 0},     {250, 2, 255}};
  for (const auto& s : steps)
    EXPECT_EQ(StepVolume(s.Level, s.Percent), s.Expected) << s.Level << " " << s.Percent;
  EXPECT_EQ(VolumeStepOf(26), 0);
  EXPECT_EQ(VolumeStepOf(-1), 0);
  EXPECT_EQ(VolumeStepOf(25), 25);
  EXPECT_EQ(VolumeLine(0), L"Muted");
  EXPECT_EQ(VolumeLine(163),
            L"Volume 64 %  \x25A0\x25A0\x25A0\x25A0\x25A0\x25A0\x25A1\x25A1\x25A1\x25A1");
  EXPECT_EQ(TimeLine(83000, 296), L"1:23 / 4:56");
  EXPECT_EQ(TimeLine(5000, 3725), L"0:00:05 / 1:02:05");
  EXPECT_EQ(TimeLine(61000, -1), L"1:01");
  EXPECT_EQ(TimeLine(-1, -1), L"");
  EXPECT_EQ(Stars(2), "\x81\x9A\x81\x9A\x81\x99\x81\x99\x81\x99");
  EXPECT_EQ(StarsFallback(3), "3/5");
}
