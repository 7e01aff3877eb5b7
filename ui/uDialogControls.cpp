#include "ui/uDialogControls.h"

#include <commctrl.h>

#include "ui/uGdi.h"
#include "ui/uLateBind.h"
#include "ui/uWide.h"

namespace velmora::ui {

namespace {

constexpr TColor clWindow = clSystemFlag | COLOR_WINDOW;

void InitCommonControlClasses() {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES | ICC_HOTKEY_CLASS};
  late::InitCommonControlsEx(&init);
}

HWND ParentHandle(TWinControl& control) {
  return control.Parent() ? control.Parent()->Handle() : nullptr;
}

}  // namespace

// ---- TLabel -------------------------------------------------------------------------------

TCreateParams TLabel::CreateParams() {
  return {"STATIC",
          WS_CHILD | WS_CLIPSIBLINGS | static_cast<DWORD>(RightAligned ? SS_RIGHT : SS_LEFT), 0,
          ParentHandle(*this), true};
}

// ---- TButton ------------------------------------------------------------------------------

TCreateParams TButton::CreateParams() {
  return {"BUTTON", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 0, ParentHandle(*this),
          true};
}

void TButton::Command(WORD code) {
  if (code != BN_CLICKED) return;
  if (OnClick) OnClick();
  if (ModalResult == mrNone || !HandleAllocated()) return;
  if (auto* form = dynamic_cast<TForm*>(FromHandle(GetAncestor(Handle(), GA_ROOT))))
    form->ModalResult = ModalResult;
}

// ---- TCheckBox ----------------------------------------------------------------------------

TCreateParams TCheckBox::CreateParams() {
  return {"BUTTON",
          WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX |
              static_cast<DWORD>(wordWrap_ ? BS_MULTILINE : 0),
          0, ParentHandle(*this), true};
}

void TCheckBox::SetWordWrap(bool wrap) {
  if (wrap == wordWrap_) return;
  wordWrap_ = wrap;
  if (!HandleAllocated()) return;
  const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  SetWindowLongW(Handle(), GWL_STYLE, wrap ? style | BS_MULTILINE : style & ~BS_MULTILINE);
  Invalidate();
}

void TCheckBox::HandleCreated() {
  SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const {
  if (!HandleAllocated()) return checked_;
  return SendMessageW(const_cast<TCheckBox*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  checked_ = checked;
  if (HandleAllocated())
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Command(WORD code) {
  if (code != BN_CLICKED) return;
  if (OnClick) OnClick();
}

// ---- TEdit --------------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  TextCodePage = CP_ACP;
  SetColor(clWindow);
  SetVisible(true);
}

TCreateParams TEdit::CreateParams() {
  return {"EDIT", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
          ParentHandle(*this), true};
}

LRESULT TEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && OnKeyPress) {
    wchar_t key = static_cast<wchar_t>(wParam);
    OnKeyPress(key);
    if (key == 0) return 0;
    wParam = key;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

void TEdit::Command(WORD code) {
  if (code != EN_CHANGE) return;
  if (OnChange) OnChange();
}

void TEdit::TextChanged() {
  // With a window, the change arrives as EN_CHANGE.
  if (!HandleAllocated() && OnChange) OnChange();
}

// ---- TComboBox ----------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner)
    : TRowControl(owner, CB_GETCURSEL, CB_SETCURSEL, CBN_SELCHANGE) {
  SetVisible(true);
}

TCreateParams TComboBox::CreateParams() {
  return {"COMBOBOX", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
          ParentHandle(*this), true};
}

void TComboBox::HandleCreated() {
  const HWND h = Handle();
  for (const auto& item : items_)
    SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromCp932(item).c_str()));
  SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  // The window's height is the closed box and the list that drops from it.
  const int item = static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(h, nullptr, 0, 0, Width(), Height() + item * DropDownCount + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::AddItem(const std::string& text) {
  items_.push_back(text);
  if (HandleAllocated())
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromCp932(text).c_str()));
}

void TComboBox::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  if (HandleAllocated()) SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
}

// ---- TRowControl --------------------------------------------------------------------------

int TRowControl::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageW(const_cast<TRowControl*>(this)->Handle(), get_, 0, 0));
}

void TRowControl::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < ItemCount() ? index : -1;
  if (HandleAllocated()) SendMessageW(Handle(), set_, static_cast<WPARAM>(itemIndex_), 0);
}

void TRowControl::Command(WORD code) {
  if (code == changed_ && OnChange) OnChange();
}

// ---- TListBox -----------------------------------------------------------------------------

TListBox::TListBox(TComponent* owner)
    : TRowControl(owner, LB_GETCURSEL, LB_SETCURSEL, LBN_SELCHANGE) {
  SetColor(clWindow);
  SetVisible(true);
}

TCreateParams TListBox::CreateParams() {
  return {"LISTBOX",
          WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | WS_VSCROLL | WS_BORDER | LBS_NOTIFY |
              LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
          0, ParentHandle(*this), true};
}

void TListBox::HandleCreated() {
  const HWND h = Handle();
  if (!TabStops.empty())
    SendMessageW(h, LB_SETTABSTOPS, TabStops.size(), reinterpret_cast<LPARAM>(TabStops.data()));
  for (const auto& item : items_)
    SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TListBox::AddItem(const std::wstring& text) {
  items_.push_back(text);
  if (HandleAllocated())
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBox::SetItem(int index, const std::wstring& text) {
  if (index < 0 || index >= ItemCount()) return;
  items_[static_cast<std::size_t>(index)] = text;
  if (!HandleAllocated()) return;
  const int selected = ItemIndex();
  SendMessageW(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SendMessageW(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// ---- THotKey ------------------------------------------------------------------------------

THotKey::THotKey(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetVisible(true);
}

TCreateParams THotKey::CreateParams() {
  InitCommonControlClasses();
  return {HOTKEY_CLASSA, WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE,
          ParentHandle(*this), true};
}

void THotKey::HandleCreated() {
  SendMessageW(Handle(), HKM_SETRULES, 0, 0);
  SendMessageW(Handle(), HKM_SETHOTKEY, value_, 0);
}

std::uint16_t THotKey::Value() const {
  if (!HandleAllocated()) return value_;
  return static_cast<std::uint16_t>(
      SendMessageW(const_cast<THotKey*>(this)->Handle(), HKM_GETHOTKEY, 0, 0));
}

void THotKey::Command(WORD code) {
  if (code != EN_CHANGE) return;
  // A key let go after the value was set (by the user or by SetValue) changes nothing: the
  // control notifies it all the same.
  if (Value() == value_) return;
  if (Accepts && !Accepts(Value())) SendMessageW(Handle(), HKM_SETHOTKEY, 0, 0);
  value_ = Value();
  if (OnChange) OnChange();
}

void THotKey::SetValue(std::uint16_t value) {
  value_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), HKM_SETHOTKEY, value, 0);
}

namespace {
bool IsButton(unsigned vk) {
  return vk == VK_MBUTTON || vk == VK_XBUTTON1 || vk == VK_XBUTTON2;
}
}  // namespace

std::wstring THotKey::ValueText(std::uint16_t value) {
  const unsigned vk = value & 0xFF, flags = value >> 8;
  if (!vk) return {};
  std::wstring text;
  if (flags & HOTKEYF_CONTROL) text += L"Ctrl+";
  if (flags & HOTKEYF_SHIFT) text += L"Shift+";
  if (flags & HOTKEYF_ALT) text += L"Alt+";
  if (IsButton(vk)) {
    if (flags & HOTKEYF_EXT) text += L"Win+";
    return text + (vk == VK_MBUTTON    ? L"Middle button"
                   : vk == VK_XBUTTON1 ? L"Mouse 4"
                                       : L"Mouse 5");
  }
  // The key's own name, as the keyboard layout gives it; the extended flag names the
  // arrows and the block above them rather than the keypad's keys.
  LONG scan = static_cast<LONG>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  if (flags & HOTKEYF_EXT) scan |= 1 << 24;
  wchar_t name[64] = {};
  if (!GetKeyNameTextW(scan, name, 64)) {
    const std::string code = std::to_string(vk);
    return text + L"#" + std::wstring(code.begin(), code.end());
  }
  return text + name;
}

LRESULT THotKey::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN: {
      ::SetFocus(Handle());
      const unsigned vk = message == WM_MBUTTONDOWN                ? VK_MBUTTON
                          : GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? VK_XBUTTON1
                                                                   : VK_XBUTTON2;
      auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
      const unsigned flags =
          (down(VK_SHIFT) ? HOTKEYF_SHIFT : 0) | (down(VK_CONTROL) ? HOTKEYF_CONTROL : 0) |
          (down(VK_MENU) ? HOTKEYF_ALT : 0) | (down(VK_LWIN) || down(VK_RWIN) ? HOTKEYF_EXT : 0);
      SendMessageW(Handle(), HKM_SETHOTKEY, vk | flags << 8, 0);
      Command(EN_CHANGE);
      InvalidateRect(Handle(), nullptr, TRUE);
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    }
    case WM_PAINT:
      // The system's control has no names for the buttons: a button's value is drawn here.
      if (const auto value = Value(); IsButton(value & 0xFF)) {
        TPaintDC dc(Handle());
        RECT r;
        GetClientRect(Handle(), &r);
        FillRect(dc.Get(), &r, GetSysColorBrush(COLOR_WINDOW));
        const TSelect font(dc.Get(),
                           reinterpret_cast<HGDIOBJ>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), GetSysColor(COLOR_WINDOWTEXT));
        const std::wstring text = ValueText(value);
        r.left += 1;
        DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        return 0;
      }
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

// ---- TGroupBox, TRule ---------------------------------------------------------------------

TCreateParams TGroupBox::CreateParams() {
  return {"BUTTON", WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX, WS_EX_CONTROLPARENT,
          ParentHandle(*this), true};
}

// The system's group box paints its frame only; its parent clips it out as a child.
LRESULT TGroupBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(Handle(), &r);
    FillRect(reinterpret_cast<HDC>(wParam), &r, Brush());
    return 1;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

TCreateParams TRule::CreateParams() {
  return {"STATIC", WS_CHILD | WS_CLIPSIBLINGS | SS_ETCHEDHORZ, 0, ParentHandle(*this), true};
}

// ---- TImage -------------------------------------------------------------------------------

TCreateParams TImage::CreateParams() {
  return {"VelmoraImage", WS_CHILD | WS_CLIPSIBLINGS, 0, ParentHandle(*this)};
}

void TImage::Paint(TCanvas& canvas) {
  canvas.StretchDraw({0, 0, Width(), Height()}, Picture);
}

LRESULT TImage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      if (!Picture.Empty()) return 1;  // the picture covers it
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a second click soon after the first is a press too
      press_.Begin(Handle());
      return 0;
    case WM_CAPTURECHANGED:
      press_.Lost(Handle(), reinterpret_cast<HWND>(lParam));
      break;
    case WM_LBUTTONUP: {
      if (!press_.End()) break;
      const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      RECT r;
      GetClientRect(Handle(), &r);
      if (PtInRect(&r, p) && OnClick) OnClick();
      return 0;
    }
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

// ---- TPageControl, TTabSheet --------------------------------------------------------------

TCreateParams TTabSheet::CreateParams() {
  return {"VelmoraSheet", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
          ParentHandle(*this)};
}

void TTabSheet::SetPageControl(TPageControl* pages) {
  SetParent(pages);
  pages->pages_.push_back(this);
  SetVisible(pages->pages_.size() == 1);
  if (pages->HandleAllocated()) pages->Layout();
}

TCreateParams TPageControl::CreateParams() {
  InitCommonControlClasses();
  return {WC_TABCONTROLA, WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
          WS_EX_CONTROLPARENT, ParentHandle(*this), true};
}

void TPageControl::HandleCreated() {
  Layout();
}

void TPageControl::Layout() {
  const HWND h = Handle();
  SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    std::wstring caption = FromCp932(pages_[i]->Text());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(h, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  PlaceSheets();
  SetActivePageIndex(active_);
}

void TPageControl::PlaceSheets() {
  RECT r{0, 0, Width(), Height()};
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  for (TTabSheet* page : pages_) page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

LRESULT TPageControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
  // A new size or font (the form scaled for another dpi) moves the display area.
  if (message == WM_SIZE || message == WM_SETFONT) PlaceSheets();
  return result;
}

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  active_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (pages_[index]->HandleAllocated()) pages_[index]->CreateChildren();  // before it shows
  for (std::size_t i = 0; i < pages_.size(); ++i)
    pages_[i]->SetVisible(static_cast<int>(i) == index);
}

LRESULT TPageControl::Notify(const NMHDR& header) {
  if (header.code == static_cast<UINT>(TCN_SELCHANGE))
    SetActivePageIndex(static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)));
  return 0;
}

}  // namespace velmora::ui
