#include "log/text.h"

namespace dislist {

namespace {

// Digits of a magnitude, most significant first; zero is "0".
std::string UnsignedDigits(std::uint64_t magnitude) {
  char buffer[20];
  int length = 0;
  do {
    buffer[length++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::string digits;
  digits.reserve(length);
  while (length > 0) digits.push_back(buffer[--length]);
  return digits;
}

// Signed form: the magnitude is taken in unsigned arithmetic so that the most
// negative value has no positive counterpart to overflow.
std::string SignedDigits(std::int64_t value) {
  if (value >= 0) return UnsignedDigits(static_cast<std::uint64_t>(value));
  std::uint64_t magnitude = 0 - static_cast<std::uint64_t>(value);
  return "-" + UnsignedDigits(magnitude);
}

}  // namespace

std::string DecimalText(std::uint32_t value) { return UnsignedDigits(value); }
std::string DecimalText(std::int32_t value) { return SignedDigits(value); }
std::string DecimalText(std::int64_t value) { return SignedDigits(value); }

std::string HresultHexText(std::int32_t result) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::uint32_t bits = static_cast<std::uint32_t>(result);
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i) {
    text[i] = kDigits[bits & 0xF];
    bits >>= 4;
  }
  return text;
}

std::string EncodeLogLine(const std::string& message) {
  std::string line;
  line.reserve(message.size() + 2);
  for (char c : message) {
    if (c == '\n') line.push_back('\r');
    line.push_back(c);
  }
  line += "\r\n";
  return line;
}

}  // namespace dislist
