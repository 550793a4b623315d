#include "host_text.h"

#include <windows.h>

#include "base/utf16.h"

namespace standin {

std::string ToUtf8(const std::wstring& text) { return dislist::WideToUtf8(text.data(), text.size()); }

std::wstring ToWide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int bytes = static_cast<int>(utf8.size());
  const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
  if (units > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, &result[0], units);
  return result;
}

}  // namespace standin
