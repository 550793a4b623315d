// Growable UTF-16 text with its own count, for Windows paths. Kept
// zero-terminated so it can be handed to Windows as it is. (A vector rather
// than std::wstring: the library's wide-string instantiation alone would add
// a sixth to the DLL's size.) Empty text holds no storage, so an empty one
// is made without allocating, as a module-wide one must be.
#pragma once

#include <cwchar>
#include <vector>

namespace dislist {

class WideText {
 public:
  WideText() noexcept = default;
  WideText(const wchar_t* text, std::size_t count) : units_(text, text + count) { units_.push_back(L'\0'); }
  explicit WideText(const wchar_t* zeroTerminated) : WideText(zeroTerminated, std::wcslen(zeroTerminated)) {}

  const wchar_t* c_str() const noexcept { return units_.empty() ? L"" : units_.data(); }
  const wchar_t* data() const noexcept { return c_str(); }
  std::size_t size() const noexcept { return units_.empty() ? 0 : units_.size() - 1; }
  bool empty() const noexcept { return size() == 0; }
  void clear() noexcept { units_.clear(); }

  WideText& append(const wchar_t* text, std::size_t count) {
    if (units_.empty()) units_.push_back(L'\0');
    units_.insert(units_.end() - 1, text, text + count);
    return *this;
  }

 private:
  std::vector<wchar_t> units_;
};

}  // namespace dislist
