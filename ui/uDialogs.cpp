#include "ui/uDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "ui/uApplication.h"
#include "ui/uBinding.h"
#include "ui/uBitmap.h"
#include "ui/uGdi.h"
#include "ui/uLateBind.h"
#include "ui/uWide.h"

namespace velmora::ui {

bool TColorDialog::Execute(HWND owner) {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = ColorToRGB(Color);
  cc.lpCustColors = custom_;
  cc.Flags = CC_RGBINIT;
  if (!late::ChooseColorW(&cc)) return false;
  Color = cc.rgbResult;
  return true;
}

namespace {

constexpr char kPaneClass[] = "VelmoraPicturePane";
constexpr int kPaneWidth = 160;

// The pane's picture, loaded at every change of the selection; the pane's window deletes
// it as it goes.
struct TPane {
  TBitmap Picture;
  LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

LRESULT TPane::Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    delete this;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  TPaintDC dc(window);
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc.Get(), &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc.Get(), &r, BDR_SUNKENOUTER, BF_RECT);
  const TBitmap& b = Picture;
  if (b.Empty()) return 0;
  // Fitted into the pane, never enlarged, the proportions kept.
  const int areaW = r.right - 8, areaH = r.bottom - 8;
  double scale = std::min(1.0, std::min(double(areaW) / b.Width(), double(areaH) / b.Height()));
  const int w = std::max(1, int(b.Width() * scale)), h = std::max(1, int(b.Height() * scale));
  SetStretchBltMode(dc.Get(), HALFTONE);
  StretchBlt(dc.Get(), (r.right - w) / 2, (r.bottom - h) / 2, w, h, b.DC(), 0, 0, b.Width(),
             b.Height(), SRCCOPY);
  return 0;
}

}  // namespace

UINT_PTR CALLBACK TOpenPictureDialog::Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  return Guarded(UINT_PTR{0}, [&]() -> UINT_PTR {
    const HWND dialog = GetParent(child);
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<TOpenPictureDialog*>(
          reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
      Bind(child, self);  // the system's dialog: bound as it begins, unbound as it ends
      RegisterWindowClass(kPaneClass, WindowProcedure<TPane, &TPane::Receive>);
      RECT frame, client;
      GetWindowRect(dialog, &frame);
      GetClientRect(dialog, &client);
      SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + kPaneWidth + 8,
                   frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
      auto pane = std::make_unique<TPane>();
      self->pane_ =
          CreateWindowExA(0, kPaneClass, "", WS_CHILD | WS_VISIBLE, client.right + 4, 8, kPaneWidth,
                          client.bottom - 16, dialog, nullptr, ModuleInstance(), pane.get());
      if (self->pane_) pane.release();  // the pane's window deletes it as it goes
      return 0;
    }
    auto* self = Bound<TOpenPictureDialog>(child);
    auto* pane = self ? Bound<TPane>(self->pane_) : nullptr;
    if (message == WM_NOTIFY && pane &&
        reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(CDN_SELCHANGE)) {
      wchar_t path[MAX_PATH] = {};
      SendMessageW(dialog, CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
      pane->Picture.Clear();
      try {
        pane->Picture.LoadFromFile(ToAnsi(path));
      } catch (const std::exception&) {
        // Not a picture we read: the pane stays empty.
      }
      InvalidateRect(self->pane_, nullptr, TRUE);
    }
    if (message == WM_DESTROY && self) {
      self->pane_ = nullptr;
      UnbindWindow(child);
    }
    return 0;
  });
}

bool TOpenPictureDialog::Execute(HWND owner) {
  std::wstring filter = FromCp932(Filter);
  for (auto& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  const std::wstring title = FromCp932(Title);
  std::wstring file = FromAnsi(FileName);
  file.resize(std::max<std::size_t>(file.size() + 1, MAX_PATH * 4), L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = ModuleInstance();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY |
              OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
  ofn.lpfnHook = Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  const bool ok = late::GetOpenFileNameW(&ofn) != FALSE;
  pane_ = nullptr;
  if (ok) FileName = ToAnsi(file.c_str());
  return ok;
}

std::string BrowseForFolder(HWND owner, const std::string& captionCp932) {
  const std::wstring caption = FromCp932(captionCp932);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE chosen = late::SHBrowseForFolderW(&info);
  if (!chosen) return {};
  wchar_t path[MAX_PATH] = {};
  const bool ok = late::SHGetPathFromIDListW(chosen, path) != FALSE;
  late::CoTaskMemFree(chosen);
  return ok ? ToAnsi(path) : std::string();
}

}  // namespace velmora::ui
