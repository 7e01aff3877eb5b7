#include "ui/uControls.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "ui/uApplication.h"
#include "ui/uBinding.h"
#include "ui/uDpi.h"
#include "ui/uWide.h"
#include "ui/uScopeExit.h"

namespace velmora::ui {

namespace {

// Child ids of the layer's own: clear of IDOK and IDCANCEL, which the dialog manager sends,
// and of the ids forms give (below 0x4000); a control id is 16 bits in WM_COMMAND.
int gNextId = 0x4000;
int NextAutoId() noexcept {
  const int id = gNextId;
  gNextId = id >= 0xFFFF ? 0x4000 : id + 1;
  return id;
}

std::wstring ClassNameW(const char* name) {
  return std::wstring(name, name + std::strlen(name));  // class names are ASCII
}

}  // namespace

TWinControl* TWinControl::FromHandle(HWND window) noexcept {
  return Bound<TWinControl>(window);
}

// ---- TGraphicControl ----------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] { Invalidate(); };
}

TGraphicControl::~TGraphicControl() {
  SetParent(nullptr);
}

void TGraphicControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent_) {
    auto& list = parent_->graphics_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (parent_->hover_ == this) parent_->hover_ = nullptr;
    if (parent_->pressed_ == this) parent_->pressed_ = nullptr;
    Invalidate();
  }
  parent_ = parent;
  if (parent_) {
    parent_->graphics_.push_back(this);
    Invalidate();
  }
}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
}

void TGraphicControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Invalidate();
}

void TGraphicControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated()) {
    const RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, TRUE);
  }
}

void TGraphicControl::Paint(TCanvas& canvas) {
  const std::wstring text = FromCp932(text_);
  TSelect font(canvas.Handle(), font_.Handle());
  SetTextColor(canvas.Handle(), ColorToRGB(font_.Color()));
  SetBkMode(canvas.Handle(), TRANSPARENT);
  RECT r = BoundsRect();
  DrawTextW(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void TGraphicControl::Click() {
  if (OnClick) OnClick();
}

// ---- TWinControl --------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] {
    parentFont_ = false;
    FontChanged();
  };
}

TWinControl::~TWinControl() {
  for (TWinControl* child : controls_) child->parent_ = nullptr;
  for (TGraphicControl* g : graphics_) g->parent_ = nullptr;
  if (parent_) parent_->RemoveChild(this);
  if (handle_) {
    HWND h = std::exchange(handle_, nullptr);
    UnbindWindow(h);
    SetWindowLongPtrW(h, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(systemProc_ ? systemProc_ : DefWindowProcW));
    DestroyWindow(h);
  }
}

TCreateParams TWinControl::CreateParams() {
  return {"VelmoraControl", WS_CHILD | WS_CLIPSIBLINGS, 0, parent_ ? parent_->Handle() : nullptr};
}

void TWinControl::CreateHandle() {
  creating_ = true;
  const TScopeExit done([this] { creating_ = false; });
  TCreateParams p = CreateParams();
  constexpr WNDPROC proc = WindowProcedure<TWinControl, &TWinControl::Receive>;
  if (!p.System) RegisterWindowClass(p.ClassName, proc, true);
  if (visible_) p.Style |= WS_VISIBLE;
  if (!enabled_) p.Style |= WS_DISABLED;
  const HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(Id ? Id : NextAutoId()) : nullptr;
  const TDpiAwareScope aware;
  HWND h = CreateWindowExW(p.ExStyle, ClassNameW(p.ClassName).c_str(),
                           ToWide(text_, TextCodePage).c_str(), p.Style, left_, top_, width_,
                           height_, p.Parent, id, ModuleInstance(), p.System ? nullptr : this);
  if (!h) throw std::runtime_error("cannot create a window");
  if (p.System) {
    handle_ = h;
    Bind(h, this);
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  }
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont().Handle()), FALSE);
  HandleCreated();
  if (ChildrenWithHandle()) CreateChildren();
}

void TWinControl::CreateChildren() {
  // In the order they were added: window order is the tab order.
  for (TWinControl* child : controls_)
    if (!child->handle_ && !child->creating_) child->Handle();
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveChild(this);
  parent_ = parent;
  if (parent_) parent_->AddChild(this);
}

void TWinControl::AddChild(TWinControl* child) {
  controls_.push_back(child);
}

void TWinControl::RemoveChild(TWinControl* child) noexcept {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), child), controls_.end());
}

TFont& TWinControl::EffectiveFont() noexcept {
  return parentFont_ && parent_ ? parent_->EffectiveFont() : font_;
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
  if (text == Text()) return;
  text_ = text;
  if (handle_) SetWindowTextW(handle_, ToWide(text_, TextCodePage).c_str());
  TextChanged();
}

std::string TWinControl::Text() const {
  if (!handle_) return text_;
  const int n = GetWindowTextLengthW(handle_);
  std::wstring wide(static_cast<std::size_t>(n) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(GetWindowTextW(handle_, wide.data(), n + 1)));
  return ToNarrow(wide, TextCodePage);
}

void TWinControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

HBRUSH TWinControl::Brush() {
  if (!brush_ || brushColor_ != color_) {
    brush_.Reset(CreateSolidBrush(ColorToRGB(color_)));
    brushColor_ = color_;
  }
  return brush_.Get();
}

HBRUSH TWinControl::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(EffectiveFont().Color()));
  SetBkColor(dc, ColorToRGB(color_));
  return Brush();
}

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (handle_) EnableWindow(handle_, enabled ? TRUE : FALSE);
  Invalidate();
}

void TWinControl::SetVisible(bool visible) {
  visible_ = visible;
  if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void TWinControl::Show() {
  visible_ = true;
  ShowWindow(Handle(), SW_SHOW);
}

void TWinControl::Hide() {
  visible_ = false;
  if (handle_) ShowWindow(handle_, SW_HIDE);
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

void TWinControl::Release() {
  if (handle_) PostMessageW(handle_, CM_RELEASE, 0, 0);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::PaintGraphics(HDC dc) {
  for (TGraphicControl* g : graphics_) {
    TCanvas canvas(dc, g->Font());
    g->Paint(canvas);
  }
}

void TWinControl::PaintNow() {
  TWindowDC dc(Handle());
  TCanvas canvas(dc.Get(), EffectiveFont());
  canvas.BrushColor = color_;
  Paint(canvas);
  PaintGraphics(dc.Get());
}

TGraphicControl* TWinControl::GraphicAt(POINT p) const {
  for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
    const RECT r = (*it)->BoundsRect();
    if (PtInRect(&r, p)) return *it;
  }
  return nullptr;
}

bool TWinControl::RouteMouse(UINT message, LPARAM lParam) {
  if (graphics_.empty()) return false;
  const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  auto leave = [&] {
    if (!hover_) return;
    TGraphicControl* g = std::exchange(hover_, nullptr);
    g->inside_ = false;
    g->MouseLeave();
  };
  switch (message) {
    case WM_MOUSEMOVE: {
      TGraphicControl* g = GraphicAt(p);
      if (pressed_ && g != pressed_) g = nullptr;  // while held, only the pressed one counts
      if (g == hover_) return false;
      leave();
      if (g) {
        hover_ = g;
        g->inside_ = true;
        g->MouseEnter();
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        TrackMouseEvent(&track);
      }
      return false;
    }
    case WM_MOUSELEAVE:
      if (!pressed_) leave();
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {  // a second click soon after the first is a press too
      TGraphicControl* g = GraphicAt(p);
      if (!g) return false;
      pressed_ = g;
      g->down_ = true;
      press_.Begin(handle_);
      g->MouseDown();
      return true;
    }
    case WM_CAPTURECHANGED:
      if (!press_.Lost(handle_, reinterpret_cast<HWND>(lParam)) || !pressed_) return false;
      std::exchange(pressed_, nullptr)->down_ = false;
      leave();
      return false;
    case WM_LBUTTONUP: {
      TGraphicControl* g = std::exchange(pressed_, nullptr);
      if (!g || !press_.End()) return false;
      g->down_ = false;
      g->MouseUp();
      const RECT r = g->BoundsRect();
      if (!PtInRect(&r, p)) leave();
      if (PtInRect(&r, p)) g->Click();
      return true;
    }
  }
  return false;
}

bool TWinControl::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
      if (!child || child == this) return false;
      child->Command(HIWORD(wParam));
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      TWinControl* child = header ? FromHandle(header->hwndFrom) : nullptr;
      if (!child || child == this) return false;
      result = child->Notify(*header);
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
      if (!child || child == this) return false;
      HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam));
      if (!brush) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
  }
  return false;
}

LRESULT TWinControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return systemProc_ ? CallWindowProcW(systemProc_, handle_, message, wParam, lParam)
                     : DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (Reflect(message, wParam, lParam, reflected)) return reflected;
  switch (message) {
    case WM_PAINT: {
      if (systemProc_) break;
      TPaintDC dc(handle_);
      TCanvas canvas(dc.Get(), EffectiveFont());
      canvas.BrushColor = color_;
      Paint(canvas);
      PaintGraphics(dc.Get());
      return 0;
    }
    case WM_ERASEBKGND: {
      if (systemProc_) break;
      RECT r;
      GetClientRect(handle_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, Brush());
      return 1;
    }
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != handle_ || LOWORD(lParam) != HTCLIENT) break;
      HCURSOR cursor = hover_ && hover_->Cursor ? hover_->Cursor : Cursor;
      if (!cursor) break;
      ::SetCursor(cursor);
      return TRUE;
    }
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (!systemProc_ && RouteMouse(message, lParam)) return 0;
      break;
    case WM_MOVE:
    case WM_SIZE: {
      RECT r;
      GetWindowRect(handle_, &r);
      POINT topLeft{r.left, r.top};
      if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)
        ScreenToClient(GetParent(handle_), &topLeft);
      left_ = topLeft.x;
      top_ = topLeft.y;
      width_ = r.right - r.left;
      height_ = r.bottom - r.top;
      break;
    }
  }
  return DefaultProc(message, wParam, lParam);
}

LRESULT TWinControl::Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) handle_ = window;
  if (message == WM_NCDESTROY) {
    WNDPROC system = systemProc_;
    handle_ = nullptr;
    if (system) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
      systemProc_ = nullptr;
      return CallWindowProcW(system, window, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == CM_RELEASE) {
    delete this;
    return 0;
  }
  return WndProc(message, wParam, lParam);
}

void TWinControl::FontChanged() {
  if (handle_ && systemProc_)
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont().Handle()), TRUE);
  Invalidate();
  for (TWinControl* child : controls_)
    if (child->parentFont_) child->FontChanged();  // a form scaled for a new dpi
}

// ---- TForm --------------------------------------------------------------------------------

TForm::TForm(TComponent* owner) : TWinControl(owner) {}

TCreateParams TForm::CreateParams() {
  if (Parent()) return {"VelmoraForm", WS_CHILD | WS_CLIPSIBLINGS, 0, Parent()->Handle()};
  if (DialogFrame)
    return {"VelmoraForm", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
            WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, nullptr};
  return {"VelmoraForm", WS_OVERLAPPEDWINDOW, WS_EX_CONTROLPARENT, nullptr};
}

void TForm::SetClientSize(int width, int height) {
  const TCreateParams p = CreateParams();
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TForm::CenterOnScreen() {
  SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2,
            (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(), Height());
}

void TForm::Close() {
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(action);
  if (action == TCloseAction::caNone) return;
  if (inModal_) {
    if (closed_) return;  // a second close request before the run has ended
    closed_ = true;
    if (ModalResult == mrNone) ModalResult = mrCancel;
    return;
  }
  if (action == TCloseAction::caFree)
    Release();
  else
    Hide();
}

void TForm::DpiChanged(int, const RECT& suggested) {
  // A fixed frame keeps the size its new layout gave it; the corner is the system's.
  if (DialogFrame)
    SetBounds(suggested.left, suggested.top, Width(), Height());
  else
    SetBounds(suggested.left, suggested.top, suggested.right - suggested.left,
              suggested.bottom - suggested.top);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kWmDpiChanged && lParam) {
    const TDpiAwareScope aware;  // the new layout is given in the monitor's pixels
    DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return 0;
  }
  if (message == WM_CLOSE) {
    Close();
    return 0;
  }
  if (message == WM_ACTIVATE) {
    // As the dialog manager does: the focused control is remembered when another window
    // (another program, a chooser, a message box) takes the front, and gets the focus
    // back when this form is activated again, instead of the frame.
    const HWND self = Handle();
    if (LOWORD(wParam) == WA_INACTIVE) {
      const HWND focus = ::GetFocus();
      if (focus && IsChild(self, focus)) lastFocus_ = focus;
      return 0;
    }
    if (lastFocus_ && IsChild(self, lastFocus_) && IsWindowVisible(lastFocus_) &&
        IsWindowEnabled(lastFocus_) && !IsIconic(self)) {
      ::SetFocus(lastFocus_);
      return 0;
    }
  }
  if (message == WM_NEXTDLGCTL) {
    // The dialog manager asks the form to move the focus (Tab, a label's mnemonic), as a
    // dialog's own procedure would.
    HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
    if (target) {
      ::SetFocus(target);
      if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(target, EM_SETSEL, 0, -1);
    }
    return 0;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

namespace {
struct TDisabled {
  HWND Self;
  std::vector<HWND> Windows;
};
BOOL CALLBACK DisableOther(HWND window, LPARAM data) {
  auto* d = reinterpret_cast<TDisabled*>(data);
  if (window != d->Self && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    d->Windows.push_back(window);
  }
  return TRUE;
}
}  // namespace

int TForm::ShowModal() {
  const HWND self = Handle();
  TDisabled disabled{self, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));
  ModalResult = mrNone;
  inModal_ = true;
  closed_ = false;
  const TScopeExit restore([&] {
    // Enabled again before the form hides, so that activation returns to them.
    for (HWND w : disabled.Windows)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    inModal_ = false;
    if (IsWindow(disabled.Self)) Hide();
  });
  Show();
  SetForegroundWindow(self);
  if (HWND first = GetNextDlgTabItem(self, nullptr, FALSE)) ::SetFocus(first);
  MSG msg;
  while (ModalResult == mrNone && IsWindow(self)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the host's loop
      ModalResult = mrCancel;
      break;
    }
    if (!IsDialogMessageW(self, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  // Ended by a button's result: the form closes all the same.
  if (!closed_ && IsWindow(self)) {
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(action);
  }
  return ModalResult;
}

// ---- TPanel -------------------------------------------------------------------------------

TCreateParams TPanel::CreateParams() {
  return {"VelmoraPanel", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
          Parent() ? Parent()->Handle() : nullptr};
}

void TPanel::Paint(TCanvas& canvas) {
  if (!LoweredBevel) return;
  RECT r{0, 0, Width(), Height()};
  DrawEdge(canvas.Handle(), &r, BDR_SUNKENINNER, BF_RECT);
}

}  // namespace velmora::ui
