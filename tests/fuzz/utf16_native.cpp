// The shared UTF-16 to UTF-8 conversion for the native fuzz build, which has
// no Windows converter: the same contract as the Windows build's (exactly
// `count` units, unpaired surrogates as U+FFFD), so the log reader's
// splitter is fuzzed with the conversion it calls.
#include "base/utf16.h"

namespace dislist {

namespace {

void Append(unsigned codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

}  // namespace

std::size_t WideToUtf8Into(const wchar_t* text, std::size_t count, std::string& buffer) {
  if (text == nullptr || count == 0) return 0;
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned unit = static_cast<unsigned>(text[i]) & 0xFFFF;
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const unsigned next = i + 1 < count ? static_cast<unsigned>(text[i + 1]) & 0xFFFF : 0;
    if (high && next >= 0xDC00 && next <= 0xDFFF) {
      Append(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), out);
      ++i;
    } else {
      Append(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit, out);
    }
  }
  if (buffer.size() < out.size()) buffer.resize(out.size());
  buffer.replace(0, out.size(), out);
  return out.size();
}

}  // namespace dislist
