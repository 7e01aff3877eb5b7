// The controls a dialog is made of, over the system's classes (buttons, edits, combo
// boxes, the hot-key and tab controls, statics) and two of our own (image, tab sheet).
// Give them a parent, bounds and a caption; the parent's window order is the order in
// which the children were given it, and that is the tab order the dialog manager walks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/uBitmap.h"
#include "ui/uControls.h"

namespace velmora::ui {

// Plain text; an accelerator in its caption moves the focus to the control after it. A
// layout table (ui/uLayout.h) sizes it to its caption where it asks for that.
class TLabel : public TWinControl {
 public:
  explicit TLabel(TComponent* owner = nullptr) : TWinControl(owner) { SetVisible(true); }
  bool RightAligned = false;

 protected:
  TCreateParams CreateParams() override;
};

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner = nullptr) : TWinControl(owner) { SetVisible(true); }
  int ModalResult = mrNone;  // set on the form when clicked
  std::function<void()> OnClick;
  void Command(WORD code) override;

 protected:
  TCreateParams CreateParams() override;
};

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner = nullptr) : TWinControl(owner) { SetVisible(true); }
  bool Checked() const;
  void SetChecked(bool checked);  // does not run OnClick
  // The caption wraps onto further lines within the width.
  void SetWordWrap(bool wrap);
  std::function<void()> OnClick;
  void Command(WORD code) override;

 protected:
  TCreateParams CreateParams() override;
  void HandleCreated() override;

 private:
  bool checked_ = false;
  bool wordWrap_ = false;
};

// Text in the ANSI code page. OnKeyPress sees every typed character and may discard it
// (set it to 0); OnChange runs at every change of the text, typed or set.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner = nullptr);
  std::function<void(wchar_t& key)> OnKeyPress;
  std::function<void()> OnChange;
  void Command(WORD code) override;

 protected:
  TCreateParams CreateParams() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void TextChanged() override;
};

// A drop-down list; items are the plugin's own texts (code page 932).
// A control of rows, one of them selected: the selection is kept while the window does
// not exist yet, and OnChange runs when the user selects another row.
class TRowControl : public TWinControl {
 public:
  virtual int ItemCount() const noexcept = 0;
  int ItemIndex() const;  // -1: no selection
  void SetItemIndex(int index);
  std::function<void()> OnChange;
  void Command(WORD code) override;

 protected:
  // The system control's messages that read and set the selection, and its notice of a
  // selection the user changed.
  TRowControl(TComponent* owner, UINT getSelection, UINT setSelection, WORD changed)
      : TWinControl(owner), get_(getSelection), set_(setSelection), changed_(changed) {}
  int itemIndex_ = -1;

 private:
  const UINT get_, set_;
  const WORD changed_;
};

class TComboBox : public TRowControl {
 public:
  explicit TComboBox(TComponent* owner = nullptr);
  int DropDownCount = 8;
  void AddItem(const std::string& text);
  void ClearItems();
  int ItemCount() const noexcept override { return static_cast<int>(items_.size()); }

 protected:
  TCreateParams CreateParams() override;
  void HandleCreated() override;

 private:
  std::vector<std::string> items_;
};

// A list of text rows, columns at tab stops (in dialog units), one row selected.
class TListBox : public TRowControl {
 public:
  explicit TListBox(TComponent* owner = nullptr);
  std::vector<int> TabStops;
  void AddItem(const std::wstring& text);
  void SetItem(int index, const std::wstring& text);
  int ItemCount() const noexcept override { return static_cast<int>(items_.size()); }

 protected:
  TCreateParams CreateParams() override;
  void HandleCreated() override;

 private:
  std::vector<std::wstring> items_;
};

// The system hot-key control, its value the control's own (the key code in the low byte,
// the HOTKEYF_ flags in the high one). The control's rules are off, as they only replace
// a refused chord's modifiers and would keep its key: Accepts, when given, decides on
// every change instead, and a refused value is cleared. A press of the mouse's middle or
// side button in the box is its combination too (VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2 with
// the modifiers held, HOTKEYF_EXT standing for Win), shown as "Ctrl+Mouse 4".
class THotKey : public TWinControl {
 public:
  explicit THotKey(TComponent* owner = nullptr);
  std::uint16_t Value() const;
  void SetValue(std::uint16_t value);
  void Command(WORD code) override;
  std::function<bool(std::uint16_t value)> Accepts;
  std::function<void()> OnChange;  // the user changed the value
  // A value as the user reads it: "Ctrl+Alt+F", "Ctrl+Mouse 4"; empty for none.
  static std::wstring ValueText(std::uint16_t value);

 protected:
  TCreateParams CreateParams() override;
  void HandleCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::uint16_t value_ = 0;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner = nullptr) : TWinControl(owner) { SetVisible(true); }

 protected:
  TCreateParams CreateParams() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A horizontal etched rule along the top of its bounds.
class TRule : public TWinControl {
 public:
  explicit TRule(TComponent* owner = nullptr) : TWinControl(owner) { SetVisible(true); }

 protected:
  TCreateParams CreateParams() override;
};

// Shows Picture in its bounds: unscaled at its own size, smoothed when scaled for the
// display; a cursor and a click event of its own.
class TImage : public TWinControl {
 public:
  explicit TImage(TComponent* owner = nullptr) : TWinControl(owner) { SetVisible(true); }
  TBitmap Picture;
  std::function<void()> OnClick;
  void Repaint() { PaintNow(); }

 protected:
  TCreateParams CreateParams() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(TCanvas& canvas) override;

 private:
  TPress press_;
};

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner = nullptr) : TWinControl(owner) {}
  void SetPageControl(TPageControl* pages);
  // Its controls' windows are made when it is first shown: a page the user does not open
  // costs nothing when the form opens. Their values live in the objects until then.
  bool LateChildren = false;

 protected:
  TCreateParams CreateParams() override;
  bool ChildrenWithHandle() const override { return !LateChildren || Visible(); }
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner = nullptr) : TWinControl(owner) { SetVisible(true); }
  int ActivePageIndex() const noexcept { return active_; }
  void SetActivePageIndex(int index);
  const std::vector<TTabSheet*>& Pages() const noexcept { return pages_; }
  LRESULT Notify(const NMHDR& header) override;

 protected:
  TCreateParams CreateParams() override;
  void HandleCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TTabSheet;
  void Layout();
  void PlaceSheets();
  std::vector<TTabSheet*> pages_;
  int active_ = 0;
};

}  // namespace velmora::ui
