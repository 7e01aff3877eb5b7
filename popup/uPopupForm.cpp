#include "popup/uPopupForm.h"

#include <shellapi.h>

#include <vector>

#include "popup/uFormUtils.h"
#include "popup/uPopupGeometry.h"
#include "ui/uApplication.h"

namespace velmora {

namespace {
TPopupForm* gLive = nullptr;
int gLiveCount = 0;
}  // namespace

TPopupForm::TPopupForm(ui::TWinControl* parentPanel)
    : ui::TForm(nullptr), hideTimer_(new ui::TTimer(this)), parentPanel_(parentPanel) {
  if (parentPanel_) SetParent(parentPanel_);
  hideTimer_->OnTimer = [this] { HideStep(); };
  nextLive_ = gLive;
  if (gLive) gLive->prevLive_ = this;
  gLive = this;
  ++gLiveCount;
}

TPopupForm::~TPopupForm() {
  delete hideTimer_;
  hideTimer_ = nullptr;
  if (prevLive_)
    prevLive_->nextLive_ = nextLive_;
  else
    gLive = nextLive_;
  if (nextLive_) nextLive_->prevLive_ = prevLive_;
  --gLiveCount;
}

int TPopupForm::LiveCount() noexcept {
  return gLiveCount;
}

bool TPopupForm::IsLive(const TPopupForm* popup) noexcept {
  for (const TPopupForm* p = gLive; p; p = p->nextLive_)
    if (p == popup) return true;
  return false;
}

void TPopupForm::DestroyAll() noexcept {
  while (gLive) delete gLive;
}

ui::TCreateParams TPopupForm::CreateParams() {
  if (parentPanel_) return {"VelmoraPopup", WS_CHILD | WS_CLIPSIBLINGS, 0, parentPanel_->Handle()};
  return {"VelmoraPopup", WS_POPUP | WS_DISABLED, WS_EX_NOPARENTNOTIFY, GetForegroundWindow()};
}

LRESULT TPopupForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A top-level popup paints all of itself; a parented preview lets its ground be erased,
  // or its first row and column stay unpainted under an odd frame width.
  if (message == WM_ERASEBKGND && !parentPanel_) return 1;
  return ui::TForm::WndProc(message, wParam, lParam);
}

void TPopupForm::SetFrameColor(ui::TColor color) {
  if (color == frameColor_) return;
  frameColor_ = color;
  PaintNow();
}

void TPopupForm::SetFrameWidth(int width) {
  if (width == frameWidth_) return;
  frameWidth_ = width;
  PaintNow();
}

void TPopupForm::SetShowPoint(POINT point) {
  if (point.x == showPoint_.x && point.y == showPoint_.y) return;
  showPoint_ = point;
  UpdateBounds();
}

void TPopupForm::SetGraphic(std::shared_ptr<const ui::TBitmap> graphic) {
  if (graphic == graphic_) return;
  graphic_ = std::move(graphic);
  UpdateBounds();
}

void TPopupForm::TextChanged() {
  UpdateBounds();
}

void TPopupForm::FontChanged() {
  UpdateBounds();
}

void TPopupForm::GetContentSize(int& width, int& height) {
  if (graphic_ && !graphic_->Empty()) {
    const int dpi = Dpi();
    width = ui::ScaleDpi(graphic_->Width(), dpi);
    height = ui::ScaleDpi(graphic_->Height(), dpi);
    return;
  }
  ui::TWindowDC dc(Handle());
  ui::TCanvas canvas(dc.Get(), Font());
  const SIZE extent = canvas.TextExtent(Text());
  width = extent.cx;
  height = extent.cy;
}

namespace {

TScreenRect ScreenRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& list = *reinterpret_cast<std::vector<TMonitorArea>*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info) && list.size() < 64)
    list.push_back({ScreenRect(info.rcMonitor), ScreenRect(info.rcWork)});
  return TRUE;
}

}  // namespace

bool MonitorInFront(std::vector<TMonitorArea>& monitors, TMonitorArea& target) {
  monitors.clear();
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const HWND front = GetForegroundWindow();
  const HMONITOR monitor = front ? MonitorFromWindow(front, MONITOR_DEFAULTTOPRIMARY)
                                 : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (!GetMonitorInfoW(monitor, &info)) return false;
  target = {ScreenRect(info.rcMonitor), ScreenRect(info.rcWork)};
  return true;
}

bool ForegroundIsFullScreen() {
  QUERY_USER_NOTIFICATION_STATE state;
  if (SUCCEEDED(SHQueryUserNotificationState(&state)) &&
      (state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE))
    return true;
  const HWND front = GetForegroundWindow();
  if (!front || front == GetDesktopWindow() || front == GetShellWindow()) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(front, &process);
  if (process == GetCurrentProcessId()) return false;  // the player's own video
  char name[16];
  if (GetClassNameA(front, name, sizeof name) &&
      (lstrcmpA(name, "Progman") == 0 || lstrcmpA(name, "WorkerW") == 0))
    return false;
  RECT window;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  return GetWindowRect(front, &window) &&
         GetMonitorInfoW(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &info) &&
         CoversMonitor(ScreenRect(window), ScreenRect(info.rcMonitor));
}

void TPopupForm::UpdateBounds() {
  TPopupLayout l{};
  GetContentSize(l.ContentW, l.ContentH);
  const int dpi = Dpi();
  l.HasGraphic = graphic_ && !graphic_->Empty();
  l.Margin = ui::ScaleDpi(margin_, dpi);
  l.FrameWidth = ui::ScaleDpi(frameWidth_, dpi);
  l.HasPanel = parentPanel_ != nullptr;
  l.Centered = Centered;
  l.ShowX = showPoint_.x;
  l.ShowY = showPoint_.y;
  std::vector<TMonitorArea> monitors;
  TMonitorArea front;
  if (parentPanel_) {
    RECT r;
    GetClientRect(parentPanel_->Handle(), &r);
    l.AreaW = r.right - r.left;
    l.AreaH = r.bottom - r.top;
  } else if (OnActiveMonitor && MonitorInFront(monitors, front)) {
    PlaceOnMonitor(l, monitors, front);
  } else {
    l.AreaW = GetSystemMetrics(SM_CXSCREEN);
    l.AreaH = GetSystemMetrics(SM_CYSCREEN);
  }
  const TPopupRect b = PopupBounds(l);
  SetBounds(b.X, b.Y, b.W, b.H);
  PaintNow();
}

void TPopupForm::Paint(ui::TCanvas& canvas) {
  if (graphic_ && !graphic_->Empty()) {
    canvas.StretchDraw({0, 0, Width(), Height()}, *graphic_);
    return;
  }
  canvas.PenColor = frameColor_;
  canvas.PenWidth = ui::ScaleDpi(frameWidth_, Dpi());
  canvas.BrushColor = Color();
  canvas.Rectangle(1, 1, Width(), Height());
  const SIZE text = canvas.TextExtent(Text());
  canvas.TextOut((Width() - text.cx) / 2, (Height() - text.cy) / 2, Text());
}

void TPopupForm::SetTopMost(UINT flags) {
  velmora::SetTopMost(Handle(), flags);
}

void TPopupForm::ShowFor(int ms) {
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  SetTopMost(SWP_SHOWWINDOW);
  hideTimer_->SetInterval(static_cast<unsigned>(ms < 0 ? 0 : ms));
  hideTimer_->SetEnabled(true);
  ui::ProcessMessages();
}

void TPopupForm::HideStep() {
  hideTimer_->SetEnabled(false);
  ShowWindow(Handle(), SW_HIDE);
  Release();
}

}  // namespace velmora
