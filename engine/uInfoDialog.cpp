#include "engine/uInfoDialog.h"

#include <algorithm>

#include "engine/uUtils.h"
#include "settings/uIniManager.h"
#include "ui/uApplication.h"
#include "ui/uFont.h"
#include "ui/uLateBind.h"
#include "ui/uTexts.h"
#include "ui/uWide.h"

namespace velmora {

namespace {

constexpr UINT_PTR kSubclass = 0x564C4D;

BOOL CALLBACK SetFont(HWND window, LPARAM data) {
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

TInfoDialogStyle::~TInfoDialogStyle() {
  while (!fonts_.empty()) Release(fonts_.back().Dialog);
}

void TInfoDialogStyle::Apply(HWND dialog, HWND front, const TIniManager& s) {
  if (s.ID3AtCenter) {
    RECT r;
    GetWindowRect(dialog, &r);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    // With popups on the monitor in front, the dialog is centred in that work area too.
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (s.ShowOnActiveMonitor &&
        GetMonitorInfoW(MonitorFromWindow(front, MONITOR_DEFAULTTOPRIMARY), &info)) {
      const RECT& w = info.rcWork;
      x = w.left + (w.right - w.left - (r.right - r.left)) / 2;
      y = w.top + (w.bottom - w.top - (r.bottom - r.top)) / 2;
    }
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  if (!s.UseJpFont) return;
  // Subclassing cannot cross threads: a dialog of another thread of the player still gets
  // its font, which then lives as long as this object (or until that dialog is gone and
  // another one comes).
  Prune();
  const ui::TDefaultFont d = ui::DefaultFont();
  ui::TFontHandle font(CreateFontW(-MulDiv(d.Size, ui::ScreenPixelsPerInch(), 72), 0, 0, 0,
                                   FW_NORMAL, FALSE, FALSE, FALSE, d.Charset, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                   ui::FromCp932(texts::JapaneseFontName.Cp932).c_str()));
  if (!font) return;
  const bool subclassed = ui::late::SetWindowSubclass(dialog, DialogProc, kSubclass,
                                                      reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  fonts_.push_back({dialog, std::move(font), subclassed});
  EnumChildWindows(dialog, SetFont, reinterpret_cast<LPARAM>(fonts_.back().Font.Get()));
}

void TInfoDialogStyle::Release(HWND dialog) noexcept {
  for (auto it = fonts_.begin(); it != fonts_.end(); ++it) {
    if (it->Dialog == dialog) {
      if (it->Subclassed) ui::late::RemoveWindowSubclass(dialog, DialogProc, kSubclass);
      fonts_.erase(it);
      return;
    }
  }
}

// Fonts of dialogs that could not be subclassed, once those dialogs are gone.
void TInfoDialogStyle::Prune() noexcept {
  std::erase_if(fonts_, [](const TFont& f) { return !f.Subclassed && !IsWindow(f.Dialog); });
}

LRESULT CALLBACK TInfoDialogStyle::DialogProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  const LRESULT result = ui::late::DefSubclassProc(window, message, wParam, lParam);
  // The dialog's controls are gone with it: its font can go too.
  if (message == WM_NCDESTROY) reinterpret_cast<TInfoDialogStyle*>(data)->Release(window);
  return result;
}

}  // namespace velmora
