// Release executables: an uncaught exception ends the program without the C++
// runtime's verbose handler, whose name demangler would be a sixth of the
// window program. Defined here, the runtime's own is never linked.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler();
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
