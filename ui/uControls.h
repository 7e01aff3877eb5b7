// Windowed controls and forms. A control's window is made when its handle is first
// needed; the window procedure is bound to the object from lpCreateParams and guarded
// by the default error report.
#pragma once

#include <windows.h>

#include <string>

#include "ui/uCanvas.h"
#include "ui/uColor.h"
#include "ui/uComponent.h"
#include "ui/uFont.h"

namespace velmora::ui {

// Posted to a control's own window to destroy it outside its handlers.
inline constexpr UINT CM_RELEASE = WM_APP + 0x3F00;

struct TCreateParams {
  const char* ClassName;
  DWORD Style;
  DWORD ExStyle;
  HWND Parent;  // parent of a child window, owner of a top-level one
};

class TWinControl : public TComponent {
 public:
  explicit TWinControl(TComponent* owner = nullptr);
  ~TWinControl() override;

  HWND Handle();  // creates the window when needed
  bool HandleAllocated() const noexcept { return handle_ != nullptr; }

  TWinControl* Parent() const noexcept { return parent_; }
  void SetParent(TWinControl* parent);

  int Left() const noexcept { return left_; }
  int Top() const noexcept { return top_; }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  void SetBounds(int left, int top, int width, int height);

  const std::string& Text() const noexcept { return text_; }
  void SetText(const std::string& text);
  TColor Color() const noexcept { return color_; }
  void SetColor(TColor color);
  TFont& Font() noexcept { return font_; }

  bool Visible() const noexcept { return visible_; }
  void Show();
  void Hide();

  // Deferred destruction: the object deletes itself when its release message arrives.
  void Release();

  // Paints now on the window's DC, creating the window when needed.
  void PaintNow();

 protected:
  virtual TCreateParams CreateParams();
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void Paint(TCanvas&) {}
  virtual void TextChanged() {}
  virtual void FontChanged() { Invalidate(); }
  void Invalidate();

 private:
  static LRESULT CALLBACK StdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateHandle();

  HWND handle_ = nullptr;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string text_;
  TColor color_ = 0x80000000u | COLOR_BTNFACE;
  TFont font_;
  bool visible_ = false;
};

// A top-level window with a caption; with a parent it becomes the parent's child.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner = nullptr) : TWinControl(owner) {}

 protected:
  TCreateParams CreateParams() override;
};

// A plain child panel.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner = nullptr) : TWinControl(owner) {}

 protected:
  TCreateParams CreateParams() override;
  void Paint(TCanvas& canvas) override;
};

}  // namespace velmora::ui
