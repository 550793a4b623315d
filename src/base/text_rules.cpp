#include "base/text_rules.h"

#include <cstdint>
#include <cstring>

namespace dislist {

bool IsValidUtf8(std::string_view text) {
  std::size_t at = 0;
  const std::size_t size = text.size();
  while (at < size) {
    // Nearly every byte is ASCII: eight at a time while it lasts.
    std::uint64_t eight = 0;
    while (size - at >= sizeof eight) {
      std::memcpy(&eight, text.data() + at, sizeof eight);
      if ((eight & 0x8080808080808080ULL) != 0) break;
      at += sizeof eight;
    }
    if (at == size) break;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
      ++at;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // no overlong forms
      if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
      return false;
    }
    if (size - at < length) return false;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high) return false;
    for (std::size_t i = 2; i < length; ++i) {
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
    }
    at += length;
  }
  return true;
}

}  // namespace dislist
