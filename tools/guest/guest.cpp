// A small GUI program, one window and its queue, that loads a DLL as the system does when it
// brings a hook into a program, and prints what the load cost it:
//   ms=<load time> commit_kib=<committed memory added> added=<module,module,...>
// on its standard output, or into the file named after the DLL.
// The modules are those the process has after the load and had not before, lower case.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <string>

namespace {

std::set<std::string> Modules() {
  std::set<std::string> names;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
  if (snap == INVALID_HANDLE_VALUE) return names;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snap, &entry); more; more = Module32Next(snap, &entry)) {
    std::string name = entry.szModule;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    names.insert(name);
  }
  CloseHandle(snap);
  return names;
}

SIZE_T Committed() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;  // Wine reports the private usage as 0
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: guest DLL [OUTPUT]\n");
    return 2;
  }
  HWND window = CreateWindowExA(0, "STATIC", "guest", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  Pump();
  const std::set<std::string> before = Modules();
  const SIZE_T committed = Committed();
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  HMODULE dll = LoadLibraryA(argv[1]);
  QueryPerformanceCounter(&end);
  if (!dll) {
    std::fprintf(stderr, "guest: cannot load %s (%lu)\n", argv[1], GetLastError());
    return 1;
  }
  Pump();
  const long long added = static_cast<long long>(Committed()) - static_cast<long long>(committed);
  std::string names;
  for (const std::string& m : Modules())
    if (!before.count(m)) names += (names.empty() ? "" : ",") + m;
  FILE* out = argc > 2 ? std::fopen(argv[2], "w") : stdout;
  if (!out) return 1;
  std::fprintf(out, "ms=%.3f commit_kib=%lld added=%s\n",
               double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart),
               added / 1024, names.c_str());
  if (out != stdout) std::fclose(out);
  FreeLibrary(dll);
  DestroyWindow(window);
  return 0;
}
