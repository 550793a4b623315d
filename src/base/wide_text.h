// Growable UTF-16 text with its own count, for Windows paths. Kept
// zero-terminated so it can be handed to Windows as it is. (A vector rather
// than std::wstring: the library's wide-string instantiation alone would add
// a sixth to the DLL's size.)
#pragma once

#include <cwchar>
#include <vector>

namespace dislist {

class WideText {
 public:
  WideText() : units_(1, L'\0') {}
  WideText(const wchar_t* text, std::size_t count) : units_(text, text + count) { units_.push_back(L'\0'); }
  explicit WideText(const wchar_t* zeroTerminated) : WideText(zeroTerminated, std::wcslen(zeroTerminated)) {}

  const wchar_t* c_str() const { return units_.data(); }
  const wchar_t* data() const { return units_.data(); }
  std::size_t size() const { return units_.size() - 1; }
  bool empty() const { return size() == 0; }
  void clear() { units_.assign(1, L'\0'); }

  WideText& append(const wchar_t* text, std::size_t count) {
    units_.insert(units_.end() - 1, text, text + count);
    return *this;
  }

 private:
  std::vector<wchar_t> units_;
};

}  // namespace dislist
