// The player's File-info dialog as the plugin opens it: centred on the screen (in the work
// area of the monitor in front when popups follow that monitor), its text controls in the
// Japanese font. Each font lives as long as its dialog, where the dialog could be
// subclassed, or else as long as this object.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/uGdi.h"

namespace velmora {

class TIniManager;

class TInfoDialogStyle {
 public:
  TInfoDialogStyle() = default;
  ~TInfoDialogStyle();
  TInfoDialogStyle(const TInfoDialogStyle&) = delete;
  TInfoDialogStyle& operator=(const TInfoDialogStyle&) = delete;

  // front: the window that was in front when the key was pressed.
  void Apply(HWND dialog, HWND front, const TIniManager& settings);

 private:
  static LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);
  void Release(HWND dialog) noexcept;
  void Prune() noexcept;

  struct TFont {
    HWND Dialog;
    ui::TFontHandle Font;
    bool Subclassed;
  };
  std::vector<TFont> fonts_;
};

}  // namespace velmora
