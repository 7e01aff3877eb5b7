// The plugin's own windows at the bench's display scale and when moved to a monitor of
// another: the dialog, the position chooser and the popup on the monitor in front. The
// move is the system's message (WM_DPICHANGED), sent as the system sends it.
#include <gtest/gtest.h>

#include <memory>

#include "config/uCustom.h"
#include "config/uCustomIds.h"
#include "config/uDummyPopup.h"
#include "popup/uPopupForm.h"
#include "settings/uIniManager.h"
#include "support.h"
#include "ui/uApplication.h"

using namespace velmora;
using testsupport::Scaled;

namespace {

class DisplayScale : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA((testsupport::ExeDirectory() + "Plugins").c_str(), nullptr);
    settings_ = std::make_unique<TIniManager>();
  }
  void TearDown() override {
    TPopupForm::DestroyAll();
    settings_.reset();
    DeleteFileA((testsupport::ExeDirectory() + "Plugins\\gen_velmora.Ini").c_str());
  }
  static SIZE Client(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return {r.right, r.bottom};
  }
  // Where a control stands in its parent's client area, and its size.
  static RECT Place(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  static void MoveToDpi(HWND w, int dpi, const RECT& suggested) {
    SendMessageW(w, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }
  std::unique_ptr<TIniManager> settings_;
};

int At(int value96, int dpi) {
  return ui::ScaleDpi(value96, dpi);
}

}  // namespace

TEST_F(DisplayScale, TheDialogIsLaidOutAgainAtTheDpiOfTheMonitorItMovesTo) {
  auto* d = new TfrmCustom(*settings_);
  const HWND w = d->Handle();
  EXPECT_EQ(Client(w).cx, Scaled(427));
  EXPECT_EQ(Client(w).cy, Scaled(367));
  const HWND play = d->Control(dialog::HotKeyId(1))->Handle();
  const RECT before = Place(play);
  EXPECT_EQ(before.left, Scaled(3));
  EXPECT_EQ(before.top, Scaled(40));
  // To a monitor of twice the bench's scale: every place and size, the fonts with them.
  const int dpi = 2 * testsupport::BenchDpi();
  RECT frame;
  GetWindowRect(w, &frame);
  const RECT suggested{10, 5, 10 + At(433, dpi), 5 + At(390, dpi)};
  MoveToDpi(w, dpi, suggested);
  EXPECT_EQ(Client(w).cx, At(427, dpi));
  EXPECT_EQ(Client(w).cy, At(367, dpi));
  RECT moved;
  GetWindowRect(w, &moved);
  EXPECT_EQ(moved.left, 10);  // the suggested corner
  EXPECT_EQ(moved.top, 5);
  RECT r = Place(play);
  EXPECT_EQ(r.left, At(3, dpi));
  EXPECT_EQ(r.top, At(40, dpi));
  EXPECT_EQ(r.right - r.left, At(200, dpi));
  EXPECT_EQ(r.bottom - r.top, At(18, dpi));
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(play, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -At(12, dpi));
  const RECT ok = Place(d->btnOK->Handle());
  EXPECT_EQ(ok.left, At(360, dpi));
  EXPECT_EQ(ok.top, At(346, dpi));
  // The pages follow the page control, the preview stays centred in its grown panel.
  RECT sheet;
  GetClientRect(d->Control(dialog::IdKeyPage)->Handle(), &sheet);
  EXPECT_GT(sheet.right, At(400, dpi));
  const RECT panel = Place(d->pnlBase->Handle()), preview = Place(d->frmPreview->Handle());
  EXPECT_EQ(panel.right - panel.left, At(175, dpi));
  EXPECT_NEAR(preview.left + preview.right, panel.right - panel.left, 1);
  // And back: every place as it was.
  MoveToDpi(w, testsupport::BenchDpi(), frame);
  EXPECT_EQ(Client(w).cx, Scaled(427));
  r = Place(play);
  EXPECT_EQ(r.left, before.left);
  EXPECT_EQ(r.top, before.top);
  EXPECT_EQ(r.right, before.right);
  d->Release();
  testsupport::Pump(100);
}

TEST_F(DisplayScale, TheChooserIsScaledItsCaptionReadsWholeAndItsCornerIsTheChoice) {
  settings_->SetShowPoint({200, 150});
  auto* c = new TfrmDummyPopup(nullptr, *settings_);
  const HWND w = c->Handle();
  EXPECT_GE(Client(w).cx, Scaled(137));
  EXPECT_GE(Client(w).cy, Scaled(66));
  RECT frame;
  GetWindowRect(w, &frame);
  EXPECT_EQ(frame.left, 200);
  EXPECT_EQ(frame.top, 150);
  // The label's lines, measured in its font and wrapped at its width as the system wraps a
  // label's text, within the label; the button below it.
  const HWND label = c->Label1->Handle(), button = c->btClose->Handle();
  const HDC dc = GetDC(label);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  wchar_t text[128];
  const int n = GetWindowTextW(label, text, 128);
  const RECT l = Place(label), b = Place(button);
  RECT need{0, 0, l.right - l.left, 0};
  DrawTextW(dc, text, n, &need, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  EXPECT_LE(need.right, l.right - l.left);
  EXPECT_LE(need.bottom, l.bottom - l.top);
  EXPECT_GE(b.top, l.bottom);
  EXPECT_LE(b.bottom, Client(w).cy);
  // Moved to a monitor of 150 %: its layout grows, the corner is the suggested one.
  const int dpi = testsupport::BenchDpi() * 3 / 2;
  MoveToDpi(w, dpi, {300, 200, 300 + At(150, dpi), 200 + At(90, dpi)});
  EXPECT_GE(Client(w).cx, At(137, dpi));
  EXPECT_GE(Client(w).cy, At(66, dpi));
  EXPECT_EQ(Place(button).left, At(31, dpi));
  c->Close();
  RECT moved;
  GetWindowRect(w, &moved);
  EXPECT_EQ(moved.left, 300);
  EXPECT_EQ(c->ChosenPoint.x, 300);
  EXPECT_EQ(c->ChosenPoint.y, 200);
  c->Release();
  testsupport::Pump(100);
}

// The bench has one monitor: the popup on the monitor in front is centred in its work
// area, and a chosen point on it is where the popup goes.
TEST_F(DisplayScale, OnTheMonitorInFrontThePopupIsCentredInTheWorkArea) {
  settings_->ShowOnActiveMonitor = true;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  auto* p = new TPopupForm(nullptr);
  p->ApplySettings(*settings_);
  p->SetText("Next");
  EXPECT_EQ(p->Left(), work.left + (work.right - work.left - p->Width()) / 2);
  EXPECT_EQ(p->Top(), work.top + (work.bottom - work.top - p->Height()) / 2);
  settings_->SetShowPoint({40, 30});
  p = new TPopupForm(nullptr);
  p->ApplySettings(*settings_);
  p->SetText("Next");
  EXPECT_EQ(p->Left(), std::max<LONG>(40, work.left));
  EXPECT_EQ(p->Top(), std::max<LONG>(30, work.top));
}
