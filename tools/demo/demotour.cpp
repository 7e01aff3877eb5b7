// The demo's scripted tour: drives the stand-in player with the plugin and writes a
// transcript, one line per step with its verdict, and screen shots as BMP files.
//
//   demotour.exe OUTDIR [--show]
#include <windows.h>

#include <cstdio>
#include <string>

#include "support.h"

using namespace testsupport;

namespace {

std::string gOut;
FILE* gTranscript = nullptr;
int gFailures = 0;

void Step(bool ok, const std::string& what) {
  std::fprintf(gTranscript, "%s  %s\n", ok ? "PASS" : "FAIL", what.c_str());
  std::fflush(gTranscript);
  std::printf("%s  %s\n", ok ? "PASS" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) ++gFailures;
}

// Writes the whole screen to OUTDIR\name.bmp (24 bits, bottom-up).
bool Screenshot(const std::string& name) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (dib) {
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    const DWORD stride = ((w * 3) + 3) & ~3u, size = stride * h;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    if (FILE* f = std::fopen((gOut + name + ".bmp").c_str(), "wb")) {
      std::fwrite(&fh, sizeof fh, 1, f);
      std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
      std::fwrite(bits, 1, size, f);
      ok = std::fclose(f) == 0;
    }
    DeleteObject(dib);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  gOut = argv[1];
  if (gOut.back() != '\\') gOut += '\\';
  const bool show = argc > 2 && std::string(argv[2]) == "--show";
  gTranscript = std::fopen((gOut + "transcript.txt").c_str(), "w");
  if (!gTranscript) return 2;

  HostDir host;
  Player player(host);
  Step(player.Window() != nullptr, "the player starts and loads gen_velmora.dll");
  Step(player.LogHas("plugin load gen_velmora.dll version=16 "
                     "description=\"DRAV v1.07   [gen_velmora.dll]\""),
       "the player lists the plugin with its description");
  Pump(300);
  Step(Screenshot("01-player"), "screen shot of the player with the plugin loaded");

  SendMessageA(player.Window(), WM_COMMAND, 40900, 0);
  Step(player.LogHas("plugin config gen_velmora.dll done"), "config runs and returns");

  if (show) {
    std::printf("close the player window to end the demo\n");
    std::fflush(stdout);
    player.Proc().Wait(24 * 3600 * 1000);
  } else {
    Step(player.Close() == 0, "closing the player calls quit and the player exits with 0");
  }
  Step(player.LogHas("plugin quit gen_velmora.dll done"), "quit ran");
  CopyFileA(host.Log().c_str(), (gOut + "player-events.log").c_str(), FALSE);
  std::fprintf(gTranscript, "%d step(s) failed\n", gFailures);
  std::fclose(gTranscript);
  return gFailures ? 1 : 0;
}
