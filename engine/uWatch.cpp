#include "engine/uWatch.h"

#include <commctrl.h>

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
#include "ui/uFont.h"
#include "ui/uLateBind.h"
#include "ui/uTexts.h"
#include "ui/uWide.h"

namespace velmora {

namespace {

constexpr char kWindowClass[] = "VelmoraWatch";
constexpr UINT_PTR kInfoSubclass = 0x564C4D;

// An existing file that is not a readable bitmap leaves its slot empty too.
std::shared_ptr<ui::TBitmap> LoadSkin(const std::string& path) {
  if (!FileExists(path)) return nullptr;
  try {
    auto bitmap = std::make_shared<ui::TBitmap>();
    bitmap->LoadFromFile(path);
    return bitmap;
  } catch (const std::exception&) {
    return nullptr;
  }
}

BOOL CALLBACK SetInfoFont(HWND window, LPARAM data) {
  ui::Guarded([&] {
    std::string className, text;
    GetClassAndText(window, true, false, className, text);
    if (className == "EDIT" || ContainsLeadByte(text)) {
      SendMessageA(window, WM_SETFONT, static_cast<WPARAM>(data), TRUE);
    }
  });
  return TRUE;
}

}  // namespace

TWatch::TWatch(const TIniManager& settings, const TWinampManager& player)
    : PlayerWindow(player.PlayerWindow),
      Engine(settings, *this, *this, *this),
      settings_(settings),
      player_(player) {
  CommandTimer = std::make_unique<ui::TTimer>(nullptr);
  CommandTimer->OnTimer = [this] { Engine.OnCountdown(); };
  RepeatTimer = std::make_unique<ui::TTimer>(nullptr);
  RepeatTimer->OnTimer = [this] {
    if (IsWindow(PlayerWindow))
      Engine.OnRepeat();
    else
      RepeatTimer->SetEnabled(false);  // the player has gone: nothing to turn up
  };
  LoadSkins();
  ui::RegisterWindowClass(kWindowClass, ui::WindowProcedure<TWatch, &TWatch::Receive>);
  MessageWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, ui::ModuleInstance(), this);
  if (!MessageWindow) throw std::runtime_error("cannot create the engine's window");
  capture_.emplace(MessageWindow, settings_.UseKey && settings_.UseRawInput);
  InstallEngineHooks();
}

TWatch::~TWatch() {
  capture_.reset();
  ui::UnbindWindow(MessageWindow);  // what comes while it goes finds no engine
  DestroyWindow(MessageWindow);
  while (!infoFonts_.empty()) ReleaseInfoFont(infoFonts_.back().Dialog);
  FreeSkins();
  CommandTimer.reset();
  RepeatTimer.reset();
}

void TWatch::InstallEngineHooks() {
  capture_->Install(settings_.UseKey, settings_.UseJogDial, settings_.UseSendMessage);
}

// The installation of the first run stays in place, so this changes the hooks only when
// that one failed; the skins come from the settings as they are now.
void TWatch::Reload() {
  InstallEngineHooks();
  LoadSkins();
}

void TWatch::LoadSkins() {
  FreeSkins();
  for (int c = 0; c < CommandCount; ++c) {
    const auto command = static_cast<PlayerCommand>(c);
    if (TWinampManager::HasPopup(command)) CommandBitmaps[c] = LoadSkin(settings_.GetSkin(command));
  }
  DisabledBitmap = LoadSkin(settings_.DisableSkin);
}

void TWatch::FreeSkins() {
  for (int c = 0; c < CommandCount; ++c)
    if (TWinampManager::HasPopup(static_cast<PlayerCommand>(c))) CommandBitmaps[c].reset();
  DisabledBitmap.reset();
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

PlayStatus TWatch::Status() {
  return player_.GetStatus();
}

bool TWatch::InfoDialogShown() {
  return InfoDialog && IsWindow(InfoDialog) && IsWindowVisible(InfoDialog);
}

void TWatch::OpenInfoDialog() {
  SaveForeground();
  capture_->WatchWindowCreation(true);  // the dialog's creation comes back as WM_HOOK_CREATEWND
  player_.SendCommand(IdFileInfo);
}

void TWatch::CloseInfoDialog() {
  capture_->WatchWindowCreation(false);
  SendMessageA(InfoDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  InfoDialog = nullptr;
  RestoreForeground();
}

bool TWatch::WindowShown() {
  return IsWindowVisible(PlayerWindow);
}

void TWatch::ShowWindow() {
  SaveForeground();
  ForceForeground(PlayerWindow);
  SendMessageA(PlayerWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWatch::HideWindow() {
  SendMessageA(PlayerWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  RestoreForeground();
}

std::wstring TWatch::Title() {
  return player_.GetCurrentTitleW();
}

void TWatch::Show(PlayerCommand command, bool disabled, bool again, const std::wstring& title) {
  const TIniManager& s = settings_;
  if (s.HideOverFullScreen && ForegroundIsFullScreen()) return;  // the command still ran
  // A held key's repeat keeps the popup it showed, its time begun anew.
  if (again && TPopupForm::IsLive(lastPopup_) && IsWindowVisible(lastPopup_->Handle()))
    return lastPopup_->ShowFor(s.ShowTime);
  const int c = static_cast<int>(command);
  const ui::TDpiAwareScope aware;  // laid out in the pixels of its monitor
  auto popup = std::make_unique<TPopupForm>(nullptr);
  popup->ApplySettings(s);
  popup->SetText(disabled ? DisabledText : CommandNames[c]);
  popup->SetGraphic(disabled ? DisabledBitmap : CommandBitmaps[c]);
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

bool TWatch::ForegroundExcluded() {
  const std::string& setting = settings_.ExcludedPrograms;
  if (setting != excludedSetting_) {  // the dialog changed it
    excludedSetting_ = setting;
    excluded_ = ParseProgramList(ui::FromAnsi(setting));
    lastFront_ = nullptr;
  }
  if (excluded_.empty()) return false;
  const HWND front = GetForegroundWindow();
  if (front == lastFront_) return lastFrontExcluded_;
  lastFront_ = front;
  lastFrontExcluded_ = false;
  DWORD id = 0;
  GetWindowThreadProcessId(front, &id);
  if (!front || id == GetCurrentProcessId()) return false;  // the player's own windows
  // Elevated programs cannot be opened: they are simply not matched.
  const ui::TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!process) return false;
  std::wstring path(32768, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size)) return false;
  path.resize(size);
  lastFrontExcluded_ = IsListedProgram(excluded_, path);
  return lastFrontExcluded_;
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
  const TIniManager& s = settings_;
  if (s.ID3AtCenter) {
    RECT r;
    GetWindowRect(InfoDialog, &r);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    // With popups on the monitor in front, the dialog is centred in that work area too: the
    // monitor of the window that was in front when the key was pressed.
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (s.ShowOnActiveMonitor &&
        GetMonitorInfoW(MonitorFromWindow(SavedForeground, MONITOR_DEFAULTTOPRIMARY), &info)) {
      const RECT& w = info.rcWork;
      x = w.left + (w.right - w.left - (r.right - r.left)) / 2;
      y = w.top + (w.bottom - w.top - (r.bottom - r.top)) / 2;
    }
    SetWindowPos(InfoDialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  if (s.UseJpFont) {
    // Subclassing cannot cross threads: a dialog of another thread of the player still
    // gets its font, which then lives as long as the engine (or until that dialog is gone
    // and another one comes).
    PruneInfoFonts();
    const ui::TDefaultFont d = ui::DefaultFont();
    ui::TFontHandle font(CreateFontW(-MulDiv(d.Size, ui::ScreenPixelsPerInch(), 72), 0, 0, 0,
                                     FW_NORMAL, FALSE, FALSE, FALSE, d.Charset, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                     ui::FromCp932(texts::JapaneseFontName.Cp932).c_str()));
    if (font) {
      const bool subclassed = ui::late::SetWindowSubclass(InfoDialog, InfoDialogProc, kInfoSubclass,
                                                reinterpret_cast<DWORD_PTR>(this)) != FALSE;
      infoFonts_.push_back({InfoDialog, std::move(font), subclassed});
      EnumChildWindows(InfoDialog, SetInfoFont,
                       reinterpret_cast<LPARAM>(infoFonts_.back().Font.Get()));
    }
  }
  ForceForeground(InfoDialog);
}

void TWatch::ReleaseInfoFont(HWND dialog) noexcept {
  for (auto it = infoFonts_.begin(); it != infoFonts_.end(); ++it) {
    if (it->Dialog == dialog) {
      if (it->Subclassed) ui::late::RemoveWindowSubclass(dialog, InfoDialogProc, kInfoSubclass);
      infoFonts_.erase(it);
      return;
    }
  }
}

// Fonts of dialogs that could not be subclassed, once those dialogs are gone.
void TWatch::PruneInfoFonts() noexcept {
  std::erase_if(infoFonts_,
                [](const TInfoFont& f) { return !f.Subclassed && !IsWindow(f.Dialog); });
}

LRESULT CALLBACK TWatch::InfoDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    // The dialog's controls are gone with it: its font can go too.
    const LRESULT result = ui::late::DefSubclassProc(window, message, wParam, lParam);
    reinterpret_cast<TWatch*>(data)->ReleaseInfoFont(window);
    return result;
  }
  return ui::late::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TWatch::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HOOK_KEY:
      Engine.OnHotKey(static_cast<TShortCut>(wParam & 0xFFFF));
      return 0;
    case WM_HOOK_JOGDIAL:
      Engine.OnJogDial(static_cast<unsigned>(wParam), static_cast<std::int32_t>(GetMessageTime()));
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
