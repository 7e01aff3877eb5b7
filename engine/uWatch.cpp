#include "engine/uWatch.h"

#include "engine/uUtils.h"
#include "engine/uWinampManager.h"
#include "settings/uIniManager.h"
#include "ui/uApplication.h"
#include "ui/uBinding.h"

namespace velmora {

namespace {
constexpr char kWindowClass[] = "VelmoraWatch";
}  // namespace

TWatch::TWatch(const TIniManager& settings, const TWinampManager& player)
    : PlayerWindow(player.PlayerWindow),
      settings_(settings),
      foreground_(settings),
      presenter_(settings, foreground_) {
  ui::RegisterWindowClass(kWindowClass, ui::WindowProcedure<TWatch, &TWatch::Receive>);
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, ui::ModuleInstance(), this);
  if (!window_) throw std::runtime_error("cannot create the engine's window");
  capture_.emplace(window_, settings_.UseKey && settings_.UseRawInput);
  player_.emplace(player, settings_, *capture_);
  engine_.emplace(settings_, *player_, presenter_, static_cast<IEngineSystem&>(*this));
  Reload();
}

TWatch::~TWatch() {
  wheel_.reset();
  capture_.reset();
  ui::UnbindWindow(window_);  // what comes while it goes finds no engine
  DestroyWindow(window_);     // its timers with it
}

// The installation of the first run stays in place, so this changes the hooks only when
// that one failed.
void TWatch::Reload() {
  capture_->Install(settings_.UseKey, settings_.UseJogDial, settings_.UseSendMessage);
  presenter_.LoadSkins();
  SetWheel();
  engine_->WatchTrack();
}

// Made anew with the settings as they are now, or removed: no hook while the wheel is off
// and no command names a button.
void TWatch::SetWheel() {
  wheel_.reset();
  std::vector<TShortCut> buttons = ButtonWords(settings_.HotKeys, CommandCount);
  if (!settings_.WheelUse && buttons.empty()) return;
  wheel_ = std::make_unique<TWheelHook>(
      window_,
      TWheelChoice{settings_.WheelUse, settings_.WheelModifiers, settings_.WheelAction,
                   settings_.WheelOverTaskbar, settings_.WheelAccelerate,
                   foreground_.ExcludedPrograms(), std::move(buttons)},
      engine_->Enabled);
}

void TWatch::Reply() {
  if (InSendMessage()) ReplyMessage(0);
}

void TWatch::ProcessMessages() {
  ui::ProcessMessages();
}

bool TWatch::HeldByAnotherProgram(TShortCut word) {
  return capture_->HeldElsewhere(word);
}

bool TWatch::ForegroundExcluded() {
  return foreground_.ProgramLeftAlone();
}

bool TWatch::PlayerInFront() {
  return OwnProcessInFront();
}

void TWatch::CopyText(const std::wstring& text) {
  CopyToClipboard(window_, text);
}

bool TWatch::ChordHeld(TShortCut word) {
  return IsButtonWord(word) ? wheel_ && wheel_->ChordHeld(word) : TCapture::ChordHeld(word);
}

TKeyRepeat TWatch::KeyboardRepeat() {
  int delay = 1;
  DWORD speed = 31;
  SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
  SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
  return KeyRepeatTiming(delay, static_cast<int>(speed));
}

void TWatch::StartTimer(TimerId id, unsigned ms, bool anew) {
  switch (velmora::StartTimer(timers_[id], ms, anew)) {
    case TTimerChange::Set:
      SetTimer(window_, id, ms, nullptr);  // the same id: begun again
      break;
    case TTimerChange::Kill:
      KillTimer(window_, id);
      break;
    case TTimerChange::None:
      break;
  }
}

void TWatch::StopTimer(TimerId id) {
  if (velmora::StopTimer(timers_[id]) == TTimerChange::Kill) KillTimer(window_, id);
}

void TWatch::StartCountdown(unsigned intervalMs) {
  StartTimer(CountdownTimer, intervalMs, false);
}

void TWatch::StopCountdown() {
  StopTimer(CountdownTimer);
}

void TWatch::StartRepeat(unsigned ms) {
  StartTimer(RepeatTimer, ms, true);
}

void TWatch::StopRepeat() {
  StopTimer(RepeatTimer);
}

void TWatch::StartTrackPoll(unsigned intervalMs) {
  StartTimer(TrackTimer, intervalMs, true);
}

void TWatch::StopTrackPoll() {
  StopTimer(TrackTimer);
}

void TWatch::OnTimer(UINT_PTR id) {
  if (id >= TimerCount || !timers_[id].Running) return;  // stopped after it was queued
  if (id == CountdownTimer) return engine_->OnCountdown();
  if (!IsWindow(PlayerWindow)) return StopTimer(static_cast<TimerId>(id));  // the player has gone
  if (id == RepeatTimer) return engine_->OnRepeat();
  engine_->OnTrackPoll();
}

LRESULT TWatch::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HOOK_KEY:
      engine_->OnHotKey(static_cast<TShortCut>(wParam & 0xFFFF));
      return 0;
    case WM_HOOK_JOGDIAL:
      engine_->OnJogDial(static_cast<unsigned>(wParam),
                         static_cast<std::int32_t>(GetMessageTime()));
      return 0;
    case WM_HOOK_WHEEL:
      if (wheel_) wheel_->Taken();
      // Steps that waited while the player was busy are dropped: run all at once when it
      // wakes they would jump.
      if (GetTickCount() - static_cast<DWORD>(GetMessageTime()) > TWheelHook::StaleMs) return 0;
      if (const auto steps = WheelStepsOf(static_cast<std::intptr_t>(wParam)))
        engine_->OnWheel(*steps);
      return 0;
    case WM_HOOK_BUTTON:  // any program can post it: a button's word only
      if (IsButtonWord(static_cast<TShortCut>(wParam)) && wParam <= 0xFFFF)
        engine_->OnHotKey(static_cast<TShortCut>(wParam));
      return 0;
    case WM_HOOK_CREATEWND:
      player_->OnCreateWindow(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_INPUT:
      if (const auto word = capture_->RawKey(reinterpret_cast<HRAWINPUT>(lParam)))
        engine_->OnHotKey(*word, true);
      return DefWindowProcA(window_, message, wParam, lParam);  // the system's cleanup
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

LRESULT TWatch::Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) window_ = window;
  // Messages that come before the engine is made (the window's own creation) are the
  // system's.
  if (!engine_) return DefWindowProcA(window, message, wParam, lParam);
  return WindowProc(message, wParam, lParam);
}

}  // namespace velmora
