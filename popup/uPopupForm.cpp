#include "popup/uPopupForm.h"

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
    width = graphic_->Width();
    height = graphic_->Height();
    return;
  }
  ui::TWindowDC dc(Handle());
  ui::TCanvas canvas(dc.Get(), Font());
  const SIZE extent = canvas.TextExtent(Text());
  width = extent.cx;
  height = extent.cy;
}

void TPopupForm::UpdateBounds() {
  TPopupLayout l{};
  GetContentSize(l.ContentW, l.ContentH);
  l.HasGraphic = graphic_ && !graphic_->Empty();
  l.Margin = margin_;
  l.FrameWidth = frameWidth_;
  l.HasPanel = parentPanel_ != nullptr;
  if (parentPanel_) {
    RECT r;
    GetClientRect(parentPanel_->Handle(), &r);
    l.AreaW = r.right - r.left;
    l.AreaH = r.bottom - r.top;
  } else {
    l.AreaW = GetSystemMetrics(SM_CXSCREEN);
    l.AreaH = GetSystemMetrics(SM_CYSCREEN);
  }
  l.Centered = Centered;
  l.ShowX = showPoint_.x;
  l.ShowY = showPoint_.y;
  const TPopupRect b = PopupBounds(l);
  SetBounds(b.X, b.Y, b.W, b.H);
  PaintNow();
}

void TPopupForm::Paint(ui::TCanvas& canvas) {
  if (graphic_ && !graphic_->Empty()) {
    canvas.Draw(0, 0, *graphic_);
    return;
  }
  canvas.PenColor = frameColor_;
  canvas.PenWidth = frameWidth_;
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
