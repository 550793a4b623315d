// The C++ library reports a container's misuse or a request beyond its size
// by throwing one of its logic-error classes, and those bring in a second,
// copy-on-write string implementation of their own: about a quarter of the
// 32-bit library. The plug-in never misuses a container; the one failure it
// expects from the library is running out of memory, and every operation
// the host calls catches whatever is thrown and ends quietly. So each of
// these reports the failure as std::bad_alloc.
#include <new>

namespace std {
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_length_error(const char*) { throw std::bad_alloc(); }
void __throw_logic_error(const char*) { throw std::bad_alloc(); }
void __throw_out_of_range(const char*) { throw std::bad_alloc(); }
void __throw_out_of_range_fmt(const char*, ...) { throw std::bad_alloc(); }
void __throw_invalid_argument(const char*) { throw std::bad_alloc(); }
}  // namespace std
