#include "playlist/matching.h"

namespace dislist {

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameTrackName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool HasDeleteMarker(std::string_view displayText) {
  static const char kMarker[] = "!delete";
  constexpr std::size_t kLength = sizeof kMarker - 1;
  if (displayText.size() < kLength) return false;
  for (std::size_t start = 0; start + kLength <= displayText.size(); ++start) {
    std::size_t i = 0;
    while (i < kLength && AsciiLower(displayText[start + i]) == kMarker[i]) ++i;
    if (i == kLength) return true;
  }
  return false;
}

}  // namespace dislist
