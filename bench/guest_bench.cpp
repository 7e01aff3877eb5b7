// What a program pays when the hooks bring the plugin into it, beside the bench's bare hook
// DLL of the same toolchain (the floor): a small GUI program (the guest tool) loads each in
// turn, in fresh processes, and reports the load's time, the modules it added and the
// memory it committed. Medians.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support.h"

using namespace testsupport;

namespace {

constexpr int kLoads = 9;  // fresh processes per DLL, taking turns

struct Load {
  double Ms = 0;
  long long CommitKib = 0;
  std::string Added;
};

bool Run(const std::string& dll, const std::string& report, Load& load) {
  Process guest(
      "\"" + ExeDirectory() + "guest.exe\" \"" + ExeDirectory() + dll + "\" \"" + report + "\"",
      false);
  if (guest.Wait() != 0) return false;
  const std::string line = ReadFile(report);
  char added[1024] = {};
  if (std::sscanf(line.c_str(), "ms=%lf commit_kib=%lld added=%1023s", &load.Ms, &load.CommitKib,
                  added) < 2)
    return false;
  load.Added = added;
  return true;
}

template <class T>
T Median(std::vector<T> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? T{} : v[v.size() / 2];
}

}  // namespace

int main() {
  const char* dlls[] = {"gen_velmora.dll", "barehook.dll"};
  std::map<std::string, std::vector<Load>> loads;
  TempDir out;
  for (int i = 0; i < kLoads; ++i)
    for (const char* dll : dlls) {
      Load load;
      if (!Run(dll, out.Path() + "guest.txt", load)) {
        std::printf("the guest could not load %s\n", dll);
        return 1;
      }
      loads[dll].push_back(load);
    }
  std::printf("a small GUI program loads the DLL, %d fresh processes each, medians\n", kLoads);
  std::printf("  %-34s %9s %11s  %s\n", "DLL", "load ms", "commit KiB", "modules added");
  double floorMs = 0;
  long long floorKib = 0;
  for (const char* dll : {"barehook.dll", "gen_velmora.dll"}) {
    std::vector<double> ms;
    std::vector<long long> kib;
    for (const Load& l : loads[dll]) {
      ms.push_back(l.Ms);
      kib.push_back(l.CommitKib);
    }
    const double m = Median(ms);
    const long long k = Median(kib);
    const bool bare = std::string(dll) == "barehook.dll";
    if (bare) floorMs = m, floorKib = k;
    std::printf("  %-34s %9.3f %11lld  %s", bare ? "bare hook DLL (floor)" : dll, m, k,
                loads[dll].back().Added.c_str());
    if (!bare && floorMs > 0)
      std::printf("   %.2fx the floor's time, %+lld KiB", m / floorMs, k - floorKib);
    std::printf("\n");
  }
  return 0;
}
