// Stand-in web browser for tests: appends the command line it was started with to
// browser.log beside itself, one line per start, and ends. Registered in the test
// prefix as the ".htm" and "http" handler; never a real browser. With "--slow" on its
// command line it waits 2.5 s first, as a browser slow to start does.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // "--slow": a browser that takes its time to come up (its first message comes late).
  if (std::strstr(GetCommandLineA(), "--slow")) Sleep(2500);
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  std::string log(path);
  log.resize(log.rfind('\\') + 1);
  log += "browser.log";
  HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const std::string line = std::string(GetCommandLineA()) + "\r\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
