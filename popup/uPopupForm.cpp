#include "popup/uPopupForm.h"

#include <algorithm>
#include <vector>

#include "popup/uFormUtils.h"
#include "popup/uPopupGeometry.h"
#include "popup/uPopupText.h"
#include "settings/uIniManager.h"
#include "ui/uApplication.h"
#include "ui/uWide.h"

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

void TPopupForm::ApplySettings(const TIniManager& s) {
  OnActiveMonitor = s.ShowOnActiveMonitor;  // before the first placement
  SetFrameWidth(s.FrameWidth);
  SetShowPoint(s.ShowPoint);
  Centered = !s.ShowPointSet;
  SetColor(s.FormColor);
  SetFrameColor(s.FrameColor);
  Font().SetStyle(ui::fsBold);
  Font().SetSize(s.FontSize);
  Font().SetColor(s.FontColor);
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
  name_ = ui::FromCp932(Text());
  UpdateBounds();
}

void TPopupForm::SetTitle(const std::wstring& title) {
  if (title == title_) return;
  title_ = title;
  SetWindowTextW(Handle(), (name_ + (title_.empty() ? L"" : L"\n") + title_).c_str());
  UpdateBounds();
}

ui::TFont& TPopupForm::TitleFont() {
  ui::TFont& f = Font();
  const bool japanese = f.Charset() == SHIFTJIS_CHARSET;  // its face has them all
  titleFont_.SetName(japanese ? f.Name() : std::string("Tahoma"));
  titleFont_.SetCharset(japanese ? f.Charset() : static_cast<BYTE>(DEFAULT_CHARSET));
  titleFont_.SetHeight(f.Height());
  titleFont_.SetStyle(f.Style());
  titleFont_.SetColor(f.Color());
  return titleFont_;
}

SIZE TPopupForm::TitleExtent(ui::TCanvas& nameCanvas) {
  ui::TCanvas canvas(nameCanvas.Handle(), TitleFont());
  shownTitle_.clear();
  if (title_.empty()) return {0, 0};
  const int dpi = Dpi();
  const int frame = ui::ScaleDpi(margin_, dpi) + ui::ScaleDpi(frameWidth_, dpi);
  TMonitors monitors;
  TMonitorArea front;
  const int area = OnActiveMonitor && MonitorInFront(monitors, front)
                       ? front.Work.Right - front.Work.Left
                       : GetSystemMetrics(SM_CXSCREEN);
  shownTitle_ = CutToWidth(title_, area - 2 * frame, [&](std::wstring_view s) {
    return static_cast<int>(canvas.TextExtent(std::wstring(s)).cx);
  });
  return canvas.TextExtent(shownTitle_);
}

void TPopupForm::FontChanged() {
  UpdateBounds();
}

bool TPopupForm::FontHasGlyphs(const char* text) {
  const std::wstring wide = ui::FromCp932(text);
  if (wide.empty()) return true;
  ui::TWindowDC dc(Handle());
  const ui::TSelect font(dc.Get(), Font().Handle());
  std::vector<WORD> glyphs(wide.size());
  if (GetGlyphIndicesW(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), glyphs.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return false;
  return std::find(glyphs.begin(), glyphs.end(), 0xFFFF) == glyphs.end();
}

void TPopupForm::GetContentSize(int& width, int& height) {
  ui::TWindowDC dc(Handle());
  ui::TCanvas canvas(dc.Get(), Font());
  const SIZE title = TitleExtent(canvas);
  const int dpi = Dpi();
  if (graphic_ && !graphic_->Empty()) {
    width = ui::ScaleDpi(graphic_->Width(), dpi);
    height = ui::ScaleDpi(graphic_->Height(), dpi);
    if (title.cx > 0) {  // the strip under the skin: framed, with the popup's margins
      const int margin = ui::ScaleDpi(margin_, dpi), frame = ui::ScaleDpi(frameWidth_, dpi);
      width = std::max<int>(width, title.cx + 2 * (margin + frame));
      height += title.cy + 2 * (margin + frame);
    }
    return;
  }
  const SIZE extent = canvas.TextExtent(name_);
  width = std::max(extent.cx, title.cx);
  height = extent.cy + title.cy;
}

TScreenRect ScreenRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& m = *reinterpret_cast<TMonitors*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (m.Count < std::size(m.List) && GetMonitorInfoW(monitor, &info))
    m.List[m.Count++] = {ScreenRect(info.rcMonitor), ScreenRect(info.rcWork)};
  return TRUE;
}

}  // namespace

bool MonitorInFront(TMonitors& monitors, TMonitorArea& target) {
  monitors.Count = 0;
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
  TMonitors monitors;
  TMonitorArea front;
  if (parentPanel_) {
    RECT r;
    GetClientRect(parentPanel_->Handle(), &r);
    l.AreaW = r.right - r.left;
    l.AreaH = r.bottom - r.top;
  } else if (OnActiveMonitor && MonitorInFront(monitors, front)) {
    PlaceOnMonitor(l, {monitors.List, monitors.Count}, front);
  } else {
    l.AreaW = GetSystemMetrics(SM_CXSCREEN);
    l.AreaH = GetSystemMetrics(SM_CYSCREEN);
  }
  const TPopupRect b = PopupBounds(l);
  SetBounds(b.X, b.Y, b.W, b.H);
  PaintNow();
}

void TPopupForm::Paint(ui::TCanvas& canvas) {
  const int dpi = Dpi();
  canvas.PenColor = frameColor_;
  canvas.PenWidth = ui::ScaleDpi(frameWidth_, dpi);
  canvas.BrushColor = Color();
  ui::TCanvas titleCanvas(canvas.Handle(), TitleFont());
  titleCanvas.BrushColor = Color();
  const SIZE title = shownTitle_.empty() ? SIZE{0, 0} : titleCanvas.TextExtent(shownTitle_);
  if (graphic_ && !graphic_->Empty()) {
    const int w = ui::ScaleDpi(graphic_->Width(), dpi), h = ui::ScaleDpi(graphic_->Height(), dpi);
    if (title.cx == 0) return canvas.StretchDraw({0, 0, Width(), Height()}, *graphic_);
    const RECT above{0, 0, Width(), h};  // beside a skin narrower than its title
    FillRect(canvas.Handle(), &above, Brush());
    canvas.StretchDraw({(Width() - w) / 2, 0, (Width() - w) / 2 + w, h}, *graphic_);
    canvas.Rectangle(1, h + 1, Width(), Height());
    titleCanvas.TextOut((Width() - title.cx) / 2, h + (Height() - h - title.cy) / 2, shownTitle_);
    return;
  }
  canvas.Rectangle(1, 1, Width(), Height());
  const SIZE text = canvas.TextExtent(name_);
  const int top = (Height() - text.cy - title.cy) / 2;
  canvas.TextOut((Width() - text.cx) / 2, top, name_);
  if (title.cx > 0) titleCanvas.TextOut((Width() - title.cx) / 2, top + text.cy, shownTitle_);
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
