#include "base/utf16.h"

#include <windows.h>

#include <climits>

namespace dislist {

// One converter call, into room for the largest result: three bytes per
// UTF-16 unit, as far as the converter can count.
std::size_t WideToUtf8Into(const wchar_t* text, std::size_t count, std::string& buffer) {
  if (text == nullptr || count == 0 || count > static_cast<std::size_t>(INT_MAX)) return 0;
  const std::size_t room = count > static_cast<std::size_t>(INT_MAX / 3) ? INT_MAX : 3 * count;
  if (buffer.size() < room) buffer.resize(room);
  const int written = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(count), &buffer[0],
                                            static_cast<int>(room), nullptr, nullptr);
  return written > 0 ? static_cast<std::size_t>(written) : 0;
}

// Only what the converter wrote is kept.
std::string WideToUtf8(const wchar_t* text, std::size_t count) {
  std::string result;
  result.resize(WideToUtf8Into(text, count, result));
  return result;
}

}  // namespace dislist
