// UTF-8 to UTF-16, declared beside the other way in utf16.h. A file of its
// own: the plug-in never needs it, and in the same object it would bring the
// library's whole wide string into the plug-in's library.
#include "base/utf16.h"

#include <windows.h>

#include <climits>

namespace dislist {

std::wstring Utf8ToWide(const char* text, std::size_t count) {
  if (text == nullptr || count == 0 || count > static_cast<std::size_t>(INT_MAX)) return std::wstring();
  const int units = ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(count), nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  const int written = ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(count), &wide[0], units);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

}  // namespace dislist
