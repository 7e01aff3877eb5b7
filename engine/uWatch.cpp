#include "engine/uWatch.h"

#include <utility>

#include "engine/uCommandMatch.h"
#include "engine/uProgramList.h"
#include "engine/uUtils.h"
#include "engine/uWinampManager.h"
#include "hook/uCapture.h"
#include "popup/uPopupForm.h"
#include "settings/uIniManager.h"
#include "ui/uApplication.h"
#include "ui/uBinding.h"
#include "ui/uWide.h"

namespace velmora {

namespace {
constexpr char kWindowClass[] = "VelmoraWatch";
}  // namespace

TWatch::TWatch(const TIniManager& settings, const TWinampManager& player)
    : PlayerWindow(player.PlayerWindow),
      Engine(settings, *this, *this, *this),
      settings_(settings),
      player_(player),
      foreground_(settings) {
  CommandTimer = std::make_unique<ui::TTimer>(nullptr);
  CommandTimer->OnTimer = [this] { Engine.OnCountdown(); };
  RepeatTimer = std::make_unique<ui::TTimer>(nullptr);
  RepeatTimer->OnTimer = [this] {
    if (IsWindow(PlayerWindow))
      Engine.OnRepeat();
    else
      RepeatTimer->SetEnabled(false);  // the player has gone: nothing to turn up
  };
  TrackTimer = std::make_unique<ui::TTimer>(nullptr);
  TrackTimer->OnTimer = [this] {
    if (IsWindow(PlayerWindow))
      Engine.OnTrackPoll();
    else
      TrackTimer->SetEnabled(false);
  };
  skins_.Load(settings_);
  ui::RegisterWindowClass(kWindowClass, ui::WindowProcedure<TWatch, &TWatch::Receive>);
  MessageWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, ui::ModuleInstance(), this);
  if (!MessageWindow) throw std::runtime_error("cannot create the engine's window");
  capture_.emplace(MessageWindow, settings_.UseKey && settings_.UseRawInput);
  InstallEngineHooks();
  SetWheel();
  Engine.WatchTrack();
}

TWatch::~TWatch() {
  wheel_.reset();
  capture_.reset();
  ui::UnbindWindow(MessageWindow);  // what comes while it goes finds no engine
  DestroyWindow(MessageWindow);
  CommandTimer.reset();
  RepeatTimer.reset();
  TrackTimer.reset();
}

void TWatch::InstallEngineHooks() {
  capture_->Install(settings_.UseKey, settings_.UseJogDial, settings_.UseSendMessage);
}

// The installation of the first run stays in place, so this changes the hooks only when
// that one failed; the skins come from the settings as they are now.
void TWatch::Reload() {
  InstallEngineHooks();
  skins_.Load(settings_);
  SetWheel();
  Engine.WatchTrack();
}

// Made anew with the settings as they are now, or removed: no hook while the wheel is off.
void TWatch::SetWheel() {
  wheel_.reset();
  if (!settings_.WheelUse) return;
  wheel_ = std::make_unique<TWheelHook>(
      MessageWindow,
      TWheelChoice{settings_.WheelModifiers, settings_.WheelAction, settings_.WheelOverTaskbar,
                   settings_.WheelAccelerate,
                   ParseProgramList(ui::FromAnsi(settings_.ExcludedPrograms))},
      Engine.Enabled);
}

void TWatch::SaveForeground() {
  SavedForeground = GetForegroundWindow();
  SavedFocus = GetForegroundFocus();
}

void TWatch::RestoreForeground() {
  ForceForeground(SavedFocus);
  ForceForeground(SavedForeground);
}

void TWatch::Execute(PlayerCommand command) {
  player_.Execute(command);
}

void TWatch::Seek(bool forward) {
  player_.SendCommand(forward ? IdSeekForward : IdSeekBack);
}

PlayStatus TWatch::Status() {
  return player_.GetStatus();
}

bool TWatch::InfoDialogShown() {
  return InfoDialog && IsWindow(InfoDialog) && IsWindowVisible(InfoDialog);
}

void TWatch::OpenInfoDialog() {
  SaveForeground();
  capture_->WatchWindowCreation(true);  // the dialog's creation comes back as WM_HOOK_CREATEWND
  player_.OpenInfoDialog();
}

void TWatch::CloseInfoDialog() {
  capture_->WatchWindowCreation(false);
  player_.CloseInfoDialog(InfoDialog);
  InfoDialog = nullptr;
  RestoreForeground();
}

bool TWatch::WindowShown() {
  return player_.WindowShown();
}

void TWatch::ShowWindow() {
  SaveForeground();
  ForceForeground(PlayerWindow);
  player_.RestoreWindow();
}

void TWatch::HideWindow() {
  player_.MinimiseWindow();
  RestoreForeground();
}

int TWatch::Position() {
  return player_.GetPosition();
}

std::wstring TWatch::Title() {
  return player_.GetCurrentTitleW();
}

void TWatch::Show(PlayerCommand command, bool disabled, bool again, const std::wstring& title) {
  ShowPopup(disabled ? DisabledText : CommandNames[static_cast<int>(command)],
            skins_.For(command, disabled), again, title);
}

void TWatch::ShowNowPlaying(PlayStatus status, const std::wstring& title) {
  ShowPopup(NowPlayingText(status), skins_.For(PlayerCommand::NowPlaying, false), false, title);
}

void TWatch::ShowText(const char* text, bool again) {
  ShowPopup(text, nullptr, again, {});
}

void TWatch::ShowPopup(const char* text, const std::shared_ptr<ui::TBitmap>& skin, bool again,
                       const std::wstring& title) {
  const TIniManager& s = settings_;
  if (foreground_.PopupHidden()) return;  // the command still ran
  // A held key's repeat keeps the popup it showed, its time begun anew.
  if (again && TPopupForm::IsLive(lastPopup_) && IsWindowVisible(lastPopup_->Handle())) {
    if (!title.empty()) lastPopup_->SetTitle(title);  // a wheel's track steps name each one
    return lastPopup_->ShowFor(s.ShowTime);
  }
  const ui::TDpiAwareScope aware;  // laid out in the pixels of its monitor
  auto popup = std::make_unique<TPopupForm>(nullptr);
  popup->ApplySettings(s);
  popup->SetText(text);
  popup->SetGraphic(skin);
  popup->SetTitle(title);
  lastPopup_ = popup.release();
  lastPopup_->ShowFor(s.ShowTime);  // it releases itself when its time is up
}

void TWatch::Reply() {
  if (InSendMessage()) ReplyMessage(0);
}

void TWatch::ProcessMessages() {
  ui::ProcessMessages();
}

void TWatch::StartCountdown(unsigned intervalMs) {
  CommandTimer->SetInterval(intervalMs);
  CommandTimer->SetEnabled(true);
}

void TWatch::StopCountdown() {
  CommandTimer->SetEnabled(false);
}

bool TWatch::PlayerInFront() {
  DWORD process = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &process);
  return process == GetCurrentProcessId();
}

void TWatch::StartTrackPoll(unsigned intervalMs) {
  TrackTimer->SetEnabled(false);
  TrackTimer->SetInterval(intervalMs);
  TrackTimer->SetEnabled(true);
}

void TWatch::StopTrackPoll() {
  TrackTimer->SetEnabled(false);
}

bool TWatch::ForegroundExcluded() {
  return foreground_.ProgramLeftAlone();
}

bool TWatch::ChordHeld(TShortCut word) {
  return TCapture::ChordHeld(word);
}

TKeyRepeat TWatch::KeyboardRepeat() {
  int delay = 1;
  DWORD speed = 31;
  SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
  SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
  return KeyRepeatTiming(delay, static_cast<int>(speed));
}

void TWatch::StartRepeat(unsigned ms) {
  RepeatTimer->SetEnabled(false);  // begun anew
  RepeatTimer->SetInterval(ms);
  RepeatTimer->SetEnabled(true);
}

void TWatch::StopRepeat() {
  RepeatTimer->SetEnabled(false);
}

bool TWatch::HeldByAnotherProgram(TShortCut word) {
  return capture_->HeldElsewhere(word);
}

void TWatch::OnCreateWindow(HWND window) {
  if (GetWindow(window, GW_OWNER) != PlayerWindow) return;
  capture_->WatchWindowCreation(false);
  InfoDialog = window;
  infoStyle_.Apply(InfoDialog, SavedForeground, settings_);
  ForceForeground(InfoDialog);
}

LRESULT TWatch::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HOOK_KEY:
      Engine.OnHotKey(static_cast<TShortCut>(wParam & 0xFFFF));
      return 0;
    case WM_HOOK_JOGDIAL:
      Engine.OnJogDial(static_cast<unsigned>(wParam), static_cast<std::int32_t>(GetMessageTime()));
      return 0;
    case WM_HOOK_WHEEL:
      Engine.OnWheel(static_cast<int>(wParam));
      if (lParam) MaskMenuKey();
      return 0;
    case WM_HOOK_CREATEWND:
      OnCreateWindow(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_INPUT:
      if (const auto word = capture_->RawKey(reinterpret_cast<HRAWINPUT>(lParam)))
        Engine.OnHotKey(*word, true);
      return DefWindowProcA(MessageWindow, message, wParam, lParam);  // the system's cleanup
    default:
      return DefWindowProcA(MessageWindow, message, wParam, lParam);
  }
}

LRESULT TWatch::Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) MessageWindow = window;
  // Busy is cleared by the hot-key handler's own scope, also when it fails.
  return WindowProc(message, wParam, lParam);
}

}  // namespace velmora
