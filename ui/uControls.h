// Windowed controls and forms. A control's window is made when its handle is first
// needed; the window procedure is bound to the object from lpCreateParams (own classes)
// or by subclassing (the system's classes), and guarded by the default error report.
// Windows are Unicode windows: captions are the plugin's own texts in code page 932, an
// edit box's text is outside text in the ANSI code page (TextCodePage says which).
// A parent reflects its children's notifications (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*)
// back to the child's object, and routes the mouse to its windowless children.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/uCanvas.h"
#include "ui/uColor.h"
#include "ui/uComponent.h"
#include "ui/uDpi.h"
#include "ui/uFont.h"

namespace velmora::ui {

// Posted to a control's own window to destroy it outside its handlers.
inline constexpr UINT CM_RELEASE = WM_APP + 0x3F00;

struct TCreateParams {
  const char* ClassName;
  DWORD Style;
  DWORD ExStyle;
  HWND Parent;          // parent of a child window, owner of a top-level one
  bool System = false;  // a class of the system's: the window is subclassed
};

class TWinControl;

// A press of the left button that clicks when let go: the press (a double click's second
// one too) captures the mouse for the window; the release gives it back; a capture another
// window took meanwhile ends the press without a click.
class TPress {
 public:
  void Begin(HWND window) noexcept {
    held_ = true;
    SetCapture(window);
  }
  // The release: true when a press was under way.
  bool End() noexcept {
    if (!held_) return false;
    held_ = false;
    ReleaseCapture();
    return true;
  }
  // WM_CAPTURECHANGED: capture is the window that took it.
  bool Lost(HWND window, HWND capture) noexcept {
    if (!held_ || capture == window) return false;
    held_ = false;
    return true;
  }

 private:
  bool held_ = false;
};

// A control without a window of its own, painted by its parent, which routes the mouse
// to it (enter, leave, button down and up with capture, click).
class TGraphicControl : public TComponent {
 public:
  explicit TGraphicControl(TComponent* owner = nullptr);
  ~TGraphicControl() override;
  void SetParent(TWinControl* parent);
  TWinControl* Parent() const noexcept { return parent_; }
  void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const noexcept { return {left_, top_, left_ + width_, top_ + height_}; }
  const std::string& Text() const noexcept { return text_; }
  void SetText(const std::string& text);
  TFont& Font() noexcept { return font_; }
  bool Transparent = true;
  HCURSOR Cursor = nullptr;  // null: the arrow
  bool MouseInside() const noexcept { return inside_; }
  bool ButtonDown() const noexcept { return down_; }
  std::function<void()> OnClick;

  virtual void Paint(TCanvas& canvas);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void MouseDown() {}
  virtual void MouseUp() {}
  virtual void Click();
  void Invalidate();

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string text_;
  TFont font_;
  bool inside_ = false;
  bool down_ = false;
};

class TWinControl : public TComponent {
 public:
  explicit TWinControl(TComponent* owner = nullptr);
  ~TWinControl() override;

  HWND Handle();  // creates the window when needed
  bool HandleAllocated() const noexcept { return handle_ != nullptr; }
  // A child window's control id, given before the window is made; 0: one of the layer's
  // own, from a range clear of the ids a form gives its controls (below 0x4000).
  int Id = 0;

  TWinControl* Parent() const noexcept { return parent_; }
  void SetParent(TWinControl* parent);

  int Left() const noexcept { return left_; }
  int Top() const noexcept { return top_; }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  void SetBounds(int left, int top, int width, int height);

  // The window's text once there is a window (the user or another program may have set
  // it), the text given before that.
  std::string Text() const;
  void SetText(const std::string& text);
  UINT TextCodePage = 932;
  TColor Color() const noexcept { return color_; }
  void SetColor(TColor color);
  TFont& Font() noexcept { return font_; }
  // The parent's font, until this control's own font is changed.
  TFont& EffectiveFont() noexcept;
  bool ParentFont() const noexcept { return parentFont_; }
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);
  HCURSOR Cursor = nullptr;  // null: the class's

  bool Visible() const noexcept { return visible_; }
  // The visibility its window gets, also before the window exists.
  void SetVisible(bool visible);
  void Show();
  void Hide();
  void SetFocus();

  // Deferred destruction: the object deletes itself when its release message arrives.
  void Release();

  // Paints now on the window's DC, creating the window when needed.
  void PaintNow();

  const std::vector<TWinControl*>& Controls() const noexcept { return controls_; }
  // Makes the windows of the children that have none yet (see ChildrenWithHandle).
  void CreateChildren();
  const std::vector<TGraphicControl*>& GraphicControls() const noexcept { return graphics_; }

  // The object of one of this layer's windows, or null.
  static TWinControl* FromHandle(HWND window) noexcept;

  // Reflected notifications from the parent.
  virtual void Command(WORD) {}
  virtual LRESULT Notify(const NMHDR&) { return 0; }
  // WM_CTLCOLOR* for this control: a brush, or null for the default.
  virtual HBRUSH CtlColor(HDC dc);

 protected:
  virtual TCreateParams CreateParams();
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void Paint(TCanvas&) {}
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void HandleCreated() {}
  // Whether the children's windows are made with this one's; else CreateChildren does later.
  virtual bool ChildrenWithHandle() const { return true; }
  void Invalidate();
  HBRUSH Brush();  // of Color(), owned
  void PaintGraphics(HDC dc);

 private:
  friend class TGraphicControl;
  // Every message of its window, our class's or a subclassed system one's.
  LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool RouteMouse(UINT message, LPARAM lParam);
  TGraphicControl* GraphicAt(POINT p) const;
  void CreateHandle();
  void AddChild(TWinControl* child);
  void RemoveChild(TWinControl* child) noexcept;

  HWND handle_ = nullptr;
  WNDPROC systemProc_ = nullptr;  // the system class's procedure, for subclassed windows
  TWinControl* parent_ = nullptr;
  std::vector<TWinControl*> controls_;  // windowed children, in creation (tab) order
  std::vector<TGraphicControl*> graphics_;
  TGraphicControl* hover_ = nullptr;
  TGraphicControl* pressed_ = nullptr;
  TPress press_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string text_;
  TColor color_ = 0x80000000u | COLOR_BTNFACE;
  TBrushHandle brush_;
  TColor brushColor_ = 0;
  TFont font_;
  bool parentFont_ = true;
  bool enabled_ = true;
  bool visible_ = false;
  bool creating_ = false;
};

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };
enum class TCloseAction { caNone, caHide, caFree };

// A top-level window with a caption; with a parent it becomes the parent's child.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner = nullptr);

  // A fixed dialog frame: caption and close box, no resizing, no minimise or maximise.
  bool DialogFrame = false;
  void SetClientSize(int width, int height);
  void CenterOnScreen();
  // The dpi of the form's monitor (the screen's before there is a window).
  int Dpi() { return DpiForWindow(HandleAllocated() ? Handle() : nullptr); }

  // Runs the form modally: the thread's other top-level windows are disabled until the
  // run ends, keyboard navigation goes through the dialog manager. Ends when ModalResult
  // is set (a button's, the close box's, the system menu's, Alt+F4's).
  int ShowModal();
  int ModalResult = mrNone;
  bool InModal() const noexcept { return inModal_; }
  // Closing (close box, system menu, Alt+F4, or the end of a modal run through a button's
  // result): the action is caHide, or caFree outside a modal run when the handler says so.
  std::function<void(TCloseAction&)> OnClose;
  void Close();

 protected:
  TCreateParams CreateParams() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Moved to a monitor of another dpi: lay out again and take the suggested rectangle.
  virtual void DpiChanged(int dpi, const RECT& suggested);

 private:
  bool inModal_ = false;
  bool closed_ = false;       // OnClose ran during this modal run
  HWND lastFocus_ = nullptr;  // the focused child when the form was last deactivated
};

// A plain child panel; with a lowered inner bevel, framed like a sunken well.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner = nullptr) : TWinControl(owner) {}
  bool LoweredBevel = false;

 protected:
  TCreateParams CreateParams() override;
  void Paint(TCanvas& canvas) override;
};

}  // namespace velmora::ui
