// The library's default terminate handler names the exception through the C++ demangler,
// which weighs a tenth of the DLL and writes to a stderr no host of the plugin has.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
