#include "ui/uControls.h"

#include "ui/uApplication.h"

namespace velmora::ui {

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] { FontChanged(); };
}

TWinControl::~TWinControl() {
  if (handle_) {
    HWND h = handle_;
    SetWindowLongPtrA(h, GWLP_USERDATA, 0);
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    handle_ = nullptr;
    DestroyWindow(h);
  }
}

TCreateParams TWinControl::CreateParams() {
  return {"VelmoraControl", WS_CHILD | WS_CLIPSIBLINGS, 0, parent_ ? parent_->Handle() : nullptr};
}

void TWinControl::CreateHandle() {
  TCreateParams p = CreateParams();
  RegisterWindowClass(p.ClassName, StdWndProc);
  if (visible_) p.Style |= WS_VISIBLE;
  HWND h = CreateWindowExA(p.ExStyle, p.ClassName, text_.c_str(), p.Style, left_, top_, width_,
                           height_, p.Parent, nullptr, ModuleInstance(), this);
  if (!h) throw std::runtime_error("cannot create a window");
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::SetParent(TWinControl* parent) {
  parent_ = parent;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_)
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  if (handle_) SetWindowTextA(handle_, text_.c_str());
  TextChanged();
}

void TWinControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void TWinControl::Show() {
  visible_ = true;
  ShowWindow(Handle(), SW_SHOW);
}

void TWinControl::Hide() {
  visible_ = false;
  if (handle_) ShowWindow(handle_, SW_HIDE);
}

void TWinControl::Release() {
  if (handle_) PostMessageA(handle_, CM_RELEASE, 0, 0);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::PaintNow() {
  TWindowDC dc(Handle());
  TCanvas canvas(dc.Get(), font_);
  canvas.BrushColor = color_;
  Paint(canvas);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      TPaintDC dc(handle_);
      TCanvas canvas(dc.Get(), font_);
      canvas.BrushColor = color_;
      Paint(canvas);
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(handle_, &r);
      TBrushHandle brush(CreateSolidBrush(ColorToRGB(color_)));
      FillRect(reinterpret_cast<HDC>(wParam), &r, brush.Get());
      return 1;
    }
    case WM_MOVE:
    case WM_SIZE: {
      RECT r;
      GetWindowRect(handle_, &r);
      POINT topLeft{r.left, r.top};
      if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)
        ScreenToClient(GetParent(handle_), &topLeft);
      left_ = topLeft.x;
      top_ = topLeft.y;
      width_ = r.right - r.left;
      height_ = r.bottom - r.top;
      break;
    }
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message == CM_RELEASE) {
    delete self;
    return 0;
  }
  return Guarded(LRESULT{0}, [&] { return self->WndProc(message, wParam, lParam); });
}

TCreateParams TForm::CreateParams() {
  if (Parent()) return {"VelmoraForm", WS_CHILD | WS_CLIPSIBLINGS, 0, Parent()->Handle()};
  return {"VelmoraForm", WS_OVERLAPPEDWINDOW, 0, nullptr};
}

TCreateParams TPanel::CreateParams() {
  return {"VelmoraPanel", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
          Parent() ? Parent()->Handle() : nullptr};
}

void TPanel::Paint(TCanvas&) {}

}  // namespace velmora::ui
