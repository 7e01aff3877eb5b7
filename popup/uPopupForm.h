// The operation popup: a framed text or a skin bitmap, top-most and never active, that
// hides and destroys itself after its show time. With a parent panel it is the
// configuration dialog's live preview.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "popup/uPopupGeometry.h"
#include "ui/uBitmap.h"
#include "ui/uControls.h"
#include "ui/uTimer.h"

namespace velmora {

// The monitors (the first 16) and the one the window in front is on (the primary when
// none is in front).
struct TMonitors {
  TMonitorArea List[16];
  std::size_t Count = 0;
};
bool MonitorInFront(TMonitors& monitors, TMonitorArea& target);

TScreenRect ScreenRect(const RECT& r);

class TIniManager;

class TPopupForm : public ui::TForm {
 public:
  explicit TPopupForm(ui::TWinControl* parentPanel = nullptr);
  ~TPopupForm() override;

  // The popup settings' look and place (before the first placement).
  void ApplySettings(const TIniManager& settings);
  ui::TColor FrameColor() const noexcept { return frameColor_; }
  void SetFrameColor(ui::TColor color);
  int FrameWidth() const noexcept { return frameWidth_; }
  void SetFrameWidth(int width);
  POINT ShowPoint() const noexcept { return showPoint_; }
  void SetShowPoint(POINT point);
  bool Centered = false;
  // On the monitor of the window in front (its work area) instead of the primary screen.
  bool OnActiveMonitor = false;
  // Shared with the engine's skin slots: a popup on the screen keeps its skin alive
  // when the engine reloads or frees its skins.
  const std::shared_ptr<const ui::TBitmap>& Graphic() const noexcept { return graphic_; }
  void SetGraphic(std::shared_ptr<const ui::TBitmap> graphic);
  // The track's title on a line of its own: under the text, or in a strip under the skin;
  // cut with "…" where it is wider than the screen. The window's text is then both lines,
  // joined by a line feed, for screen readers.
  const std::wstring& Title() const noexcept { return title_; }
  void SetTitle(const std::wstring& title);

  // At the dpi of the window's monitor: a skin is drawn scaled to keep its size on the
  // screen, margin and frame grow with it; a font in points follows the dpi by itself.
  int Dpi() { return ui::DpiForWindow(Handle()); }
  void GetContentSize(int& width, int& height);
  // The first line's font draws every character of text (code page 932) with a glyph of
  // its own.
  bool FontHasGlyphs(const char* text);
  void UpdateBounds();
  void ShowFor(int ms);
  void SetTopMost(UINT flags);
  ui::TTimer* HideTimer() const noexcept { return hideTimer_; }

  // Popups alive in this process; the plugin destroys those left at quit, before the
  // window classes go with the module.
  static int LiveCount() noexcept;
  // The popup has not been destroyed yet.
  static bool IsLive(const TPopupForm* popup) noexcept;
  static void DestroyAll() noexcept;

 protected:
  ui::TCreateParams CreateParams() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(ui::TCanvas& canvas) override;
  void TextChanged() override;
  void FontChanged() override;

 private:
  void HideStep();
  // The title as it is drawn, cut to the room the screen leaves, and its extent.
  SIZE TitleExtent(ui::TCanvas& canvas);

  ui::TTimer* hideTimer_;
  ui::TWinControl* parentPanel_;
  ui::TColor frameColor_ = 0;
  int frameWidth_ = 1;
  const int margin_ = 4;
  POINT showPoint_{0, 0};
  std::shared_ptr<const ui::TBitmap> graphic_;
  std::wstring name_;        // the command's name, the first line
  std::wstring title_;       // the second line, whole
  std::wstring shownTitle_;  // as drawn
  // The title's font: the popup's, in a face the system links to fonts of other scripts
  // where the popup's own face (a bitmap face on Western systems) has only its own.
  ui::TFont& TitleFont();
  ui::TFont titleFont_;
  TPopupForm* nextLive_ = nullptr;
  TPopupForm* prevLive_ = nullptr;
};

}  // namespace velmora
