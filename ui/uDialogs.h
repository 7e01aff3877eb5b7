// The system's common dialogs as the configuration dialog uses them: the colour chooser,
// a file-open dialog with a preview of the selected picture, and the folder browser.
// Their own texts (title, filter, caption) are code page 932; paths are ANSI.
#pragma once

#include <windows.h>

#include <string>

#include "ui/uColor.h"

namespace velmora::ui {

class TColorDialog {
 public:
  TColor Color = 0;  // in: the colour shown first; out: the one confirmed
  bool Execute(HWND owner);

 private:
  COLORREF custom_[16] = {};
};

// The system's open dialog with a pane beside it that shows the selected BMP.
class TOpenPictureDialog {
 public:
  std::string Title;     // code page 932
  std::string Filter;    // code page 932: "text|pattern|text|pattern..."
  std::string FileName;  // ANSI: in, the file to start from; out, the one chosen
  bool Execute(HWND owner);
  HWND PreviewPane() const noexcept { return pane_; }  // while the dialog is open

 private:
  static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  HWND pane_ = nullptr;
};

// SHBrowseForFolder rooted at the desktop, file-system folders only; the chosen folder's
// path (ANSI), or empty when cancelled.
std::string BrowseForFolder(HWND owner, const std::string& captionCp932);

}  // namespace velmora::ui
