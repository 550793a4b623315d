#include "text.h"

#include <cstdio>

#include "base/utf16.h"

namespace dislist_log {

std::string Utf8(const std::wstring& text) { return dislist::WideToUtf8(text.data(), text.size()); }

std::string Number(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value));
  return text;
}

std::string Counted(std::uint64_t count, const char* one, const char* many) {
  return Number(count) + " " + (count == 1 ? one : many);
}

}  // namespace dislist_log
