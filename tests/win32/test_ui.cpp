// The UI layer against real Win32: ownership, timers, the message pump, fonts, bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "support.h"
#include "ui/uApplication.h"
#include "ui/uBinding.h"
#include "ui/uBitmap.h"
#include "ui/uControls.h"
#include "ui/uFont.h"
#include "ui/uTexts.h"
#include "ui/uTimer.h"

using namespace velmora::ui;
using testsupport::Pump;
using testsupport::WaitFor;

namespace {

std::vector<std::string> gDestroyed;
struct Probe : TComponent {
  Probe(TComponent* owner, std::string name) : TComponent(owner) { Name = std::move(name); }
  ~Probe() override { gDestroyed.push_back(Name); }
};

std::vector<std::uint8_t> TestData(const std::string& name) {
  std::ifstream in(testsupport::ExeDirectory() + "testdata\\" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

COLORREF Rgb(std::uint32_t rrggbb) {
  return RGB(rrggbb >> 16, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

}  // namespace

TEST(Component, OwnedComponentsDieWithTheirOwnerNewestFirst) {
  gDestroyed.clear();
  {
    Probe owner(nullptr, "owner");
    new Probe(&owner, "a");
    auto* b = new Probe(&owner, "b");
    new Probe(b, "b.child");
    new Probe(&owner, "c");
    EXPECT_EQ(owner.Components().size(), 3u);
  }
  // The owner's own destructor body runs first, then its components go, newest first.
  EXPECT_EQ(gDestroyed, (std::vector<std::string>{"owner", "c", "b", "b.child", "a"}));
}

TEST(Component, ADeletedChildLeavesItsOwnersList) {
  Probe owner(nullptr, "owner");
  auto* a = new Probe(&owner, "a");
  delete a;
  EXPECT_TRUE(owner.Components().empty());
}

TEST(Timer, IntervalZeroNeverFiresAndDisablingStops) {
  int ticks = 0;
  TTimer t;
  t.OnTimer = [&] { ++ticks; };
  t.SetInterval(0);
  t.SetEnabled(true);
  EXPECT_TRUE(t.Enabled());
  Pump(300);
  EXPECT_EQ(ticks, 0);
  t.SetInterval(30);
  ASSERT_TRUE(WaitFor([&] { return ticks > 0; }, 3000));
  t.SetEnabled(false);
  const int seen = ticks;
  Pump(200);
  EXPECT_EQ(ticks, seen);
}

// Ordering against a reference timer started at the same moment, with margins far above
// the timer resolution, tells a running countdown from a restarted one: timer a (400 ms)
// is poked at 200 ms; which of a and the reference fires first is returned.
std::vector<char> RaceAgainstReference(unsigned referenceMs,
                                       const std::function<void(TTimer&)>& poke) {
  std::vector<char> order;
  TTimer a, poker, reference;
  a.SetInterval(400);
  poker.SetInterval(200);
  reference.SetInterval(referenceMs);
  a.OnTimer = [&] {
    order.push_back('a');
    a.SetEnabled(false);
  };
  poker.OnTimer = [&] {
    poker.SetEnabled(false);
    poke(a);
  };
  reference.OnTimer = [&] {
    order.push_back('r');
    reference.SetEnabled(false);
  };
  a.SetEnabled(true);
  poker.SetEnabled(true);
  reference.SetEnabled(true);
  WaitFor([&] { return order.size() == 2; }, 5000);
  return order;
}

TEST(Timer, ReEnablingOrRepeatingTheIntervalLeavesTheCountdownAlone) {
  const auto order = RaceAgainstReference(550, [](TTimer& a) {
    a.SetEnabled(true);
    a.SetInterval(400);
  });
  EXPECT_EQ(order, (std::vector<char>{'a', 'r'}));
}

TEST(Timer, ANewIntervalRestartsTheCountdown) {
  // Restarted at 200 ms with 300 ms: fires near 500, after the reference at 450.
  const auto order = RaceAgainstReference(450, [](TTimer& a) { a.SetInterval(300); });
  EXPECT_EQ(order, (std::vector<char>{'r', 'a'}));
}

LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP) ++*reinterpret_cast<int*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  return DefWindowProcA(h, m, wp, lp);
}

TEST(Application, ProcessMessagesEmptiesTheQueueAndPostsWmQuitAgain) {
  TTimer t;  // any window of this thread
  int handled = 0;
  HWND w = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));
  SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc));
  PostMessageA(w, WM_APP, 0, 0);
  PostMessageA(w, WM_APP, 0, 0);
  ProcessMessages();
  EXPECT_EQ(handled, 2);
  PostQuitMessage(7);
  ProcessMessages();
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(w);
}

TEST(Font, PointsAndPixelsAndTheDefaultFace) {
  TFont f;
  if (testsupport::JapaneseBench()) {  // the stock fonts are Shift-JIS here
    EXPECT_EQ(f.Name(), velmora::texts::JapaneseFontName.Cp932);
    EXPECT_EQ(f.Charset(), SHIFTJIS_CHARSET);
    EXPECT_EQ(f.Size(), 9);
  } else {
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(f.Size(), 8);
  }
  int changes = 0;
  f.OnChange = [&] { ++changes; };
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -MulDiv(12, ScreenPixelsPerInch(), 72));
  EXPECT_EQ(f.Size(), 12);
  f.SetSize(12);
  f.SetStyle(fsBold);
  EXPECT_EQ(changes, 2);
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(f.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, f.Height());
}

TEST(Bitmap, LoadsImageMagickFilesWithTheirFormatAndPixels) {
  struct Case {
    const char* file;
    TPixelFormat format;
  } cases[] = {{"rgb24.bmp", TPixelFormat::Bit24},
               {"rgb32.bmp", TPixelFormat::Bit32},
               {"rgb8.bmp", TPixelFormat::Bit8},
               {"rgb8rle.bmp", TPixelFormat::Bit8},
               {"rgb16.bmp", TPixelFormat::Bit16}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TBitmap b;
    b.LoadFromFile(testsupport::ExeDirectory() + "testdata\\" + c.file);
    EXPECT_EQ(b.Width(), 7);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_EQ(b.PixelFormat(), c.format);
    if (c.format == TPixelFormat::Bit16) continue;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x)
        EXPECT_EQ(GetPixel(b.DC(), x, y), RGB(x * 30, y * 50, (x + y) * 10)) << x << "," << y;
  }
  TBitmap four, mono;
  four.LoadFromFile(testsupport::ExeDirectory() + "testdata\\four4.bmp");
  mono.LoadFromFile(testsupport::ExeDirectory() + "testdata\\mono1.bmp");
  EXPECT_EQ(four.PixelFormat(), TPixelFormat::Bit4);
  EXPECT_EQ(mono.PixelFormat(), TPixelFormat::Bit1);
  EXPECT_EQ(GetPixel(four.DC(), 1, 0), Rgb(0x00FF00));
  EXPECT_EQ(GetPixel(mono.DC(), 3, 0), Rgb(0xFFFFFF));
}

TEST(Bitmap, StreamsConsumeOneImageAndSaveRoundTrips) {
  auto a = TestData("rgb8.bmp"), b = TestData("four4.bmp");
  std::vector<std::uint8_t> both = a;
  both.insert(both.end(), b.begin(), b.end());
  TBitmap first, second;
  const std::size_t used = first.LoadFromStream(both.data(), both.size());
  EXPECT_EQ(used, a.size());
  EXPECT_EQ(second.LoadFromStream(both.data() + used, both.size() - used), b.size());
  EXPECT_EQ(second.Width(), 9);

  std::vector<std::uint8_t> saved;
  first.SaveToStream(saved);
  TBitmap again;
  EXPECT_EQ(again.LoadFromStream(saved.data(), saved.size()), saved.size());
  EXPECT_EQ(again.PixelFormat(), TPixelFormat::Bit8);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(GetPixel(again.DC(), x, y), GetPixel(first.DC(), x, y));

  TBitmap copy;
  copy.Assign(first);
  EXPECT_EQ(copy.PixelFormat(), TPixelFormat::Bit8);
  EXPECT_NE(copy.Handle(), first.Handle());
  EXPECT_EQ(GetPixel(copy.DC(), 6, 4), GetPixel(first.DC(), 6, 4));
}

TEST(Bitmap, RejectsMalformedDataAndStaysEmpty) {
  auto d = TestData("rgb24.bmp");
  d.resize(d.size() - 1);
  TBitmap b;
  EXPECT_THROW(b.LoadFromStream(d.data(), d.size()), std::exception);
  EXPECT_TRUE(b.Empty());
  EXPECT_THROW(b.LoadFromFile(testsupport::ExeDirectory() + "testdata\\missing.bmp"),
               std::exception);
  TBitmap device;
  device.SetDeviceBitmap(10, 4);
  EXPECT_EQ(device.PixelFormat(), TPixelFormat::Device);
  EXPECT_FALSE(device.Empty());
}

namespace {
struct CountingForm : TForm {
  static int alive;
  CountingForm() { ++alive; }
  ~CountingForm() override { --alive; }
};
int CountingForm::alive = 0;
}  // namespace

TEST(Controls, TheWindowIsMadeWhenFirstNeededAndReleaseDestroysLater) {
  auto* f = new CountingForm;
  EXPECT_FALSE(f->HandleAllocated());
  f->SetBounds(10, 20, 200, 100);
  f->SetText("caption");
  EXPECT_FALSE(f->HandleAllocated());
  HWND h = f->Handle();
  ASSERT_TRUE(IsWindow(h));
  char text[32];
  GetWindowTextA(h, text, sizeof text);
  EXPECT_STREQ(text, "caption");
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, 200);
  auto* panel = new TPanel(f);
  panel->SetParent(f);
  EXPECT_EQ(GetParent(panel->Handle()), h);
  f->Release();
  EXPECT_EQ(CountingForm::alive, 1);  // not inside the call
  ASSERT_TRUE(WaitFor([] { return CountingForm::alive == 0; }, 3000));
  EXPECT_FALSE(IsWindow(h));
}

namespace {
// An object of a window class of ours, and the messages its handler saw.
struct Receiver {
  std::vector<UINT> Seen;
  bool InScope = true;
  LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Seen.push_back(message);
    InScope = InScope && InDispatch();
    return DefWindowProcW(window, message, wParam, lParam);
  }
};
constexpr WNDPROC kReceiverProc = WindowProcedure<Receiver, &Receiver::Receive>;
}  // namespace

// Made with the wide and with the ANSI API, a window finds its object from its first
// message to its last, and hands back no object of another kind.
TEST(WindowProcedure, BindsFromEitherAPIChecksTheKindAndUnbindsAtTheEnd) {
  RegisterWindowClass("VelmoraTestReceiverW", kReceiverProc, true);
  RegisterWindowClass("VelmoraTestReceiverA", kReceiverProc);
  for (bool wide : {true, false}) {
    Receiver r;
    HWND w = wide ? CreateWindowExW(0, L"VelmoraTestReceiverW", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, ModuleInstance(), &r)
                  : CreateWindowExA(0, "VelmoraTestReceiverA", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, ModuleInstance(), &r);
    ASSERT_TRUE(w);
    ASSERT_FALSE(r.Seen.empty());
    EXPECT_EQ(r.Seen.front(), UINT(WM_NCCREATE));
    EXPECT_EQ(Bound<Receiver>(w), &r);
    EXPECT_EQ(Bound<TWinControl>(w), nullptr);  // another kind
    EXPECT_EQ(TWinControl::FromHandle(w), nullptr);
    SendMessageW(w, WM_USER, 0, 0);
    DestroyWindow(w);
    EXPECT_EQ(r.Seen.back(), UINT(WM_NCDESTROY));
    EXPECT_NE(std::find(r.Seen.begin(), r.Seen.end(), UINT(WM_USER)), r.Seen.end());
    EXPECT_TRUE(r.InScope);  // every message in a dispatch scope
    EXPECT_FALSE(InDispatch());
  }
  // A window whose object property someone else set is bound to nothing of ours.
  HWND foreign =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  int stranger = 0;
  SetPropA(foreign, "VelmoraObject", &stranger);
  EXPECT_EQ(Bound<Receiver>(foreign), nullptr);
  EXPECT_EQ(TWinControl::FromHandle(foreign), nullptr);
  DestroyWindow(foreign);
}
