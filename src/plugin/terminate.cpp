// libstdc++'s default terminate handler prints a demangled type name to a
// console the player does not have, and brings in the whole demangler
// (about 45 KB) to do so. The plug-in lets no exception escape, so should
// terminate ever be reached, the plain abort is all that is left to do.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
