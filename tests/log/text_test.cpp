#include "log/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace dislist {
namespace {

TEST(NumberText, DecimalFormsAtTheirLimits) {
  EXPECT_EQ(DecimalText(std::uint32_t{0}), "0");
  EXPECT_EQ(DecimalText(std::uint32_t{4294967295u}), "4294967295");
  EXPECT_EQ(DecimalText(std::uint32_t{1000}), "1000");
  EXPECT_EQ(DecimalText(std::int32_t{0}), "0");
  EXPECT_EQ(DecimalText(std::int32_t{-1}), "-1");
  EXPECT_EQ(DecimalText(std::int32_t{INT32_MIN}), "-2147483648");
  EXPECT_EQ(DecimalText(std::int32_t{INT32_MAX}), "2147483647");
  EXPECT_EQ(DecimalText(std::int64_t{INT64_MIN}), "-9223372036854775808");
  EXPECT_EQ(DecimalText(std::int64_t{INT64_MAX}), "9223372036854775807");
  EXPECT_EQ(DecimalText(std::int64_t{-10}), "-10");
}

TEST(NumberText, HresultAsEightHexDigits) {
  EXPECT_EQ(HresultHexText(static_cast<std::int32_t>(0x80004005u)), "80004005");
  EXPECT_EQ(HresultHexText(0), "00000000");
  EXPECT_EQ(HresultHexText(1), "00000001");
  EXPECT_EQ(HresultHexText(static_cast<std::int32_t>(0xDEADBEEFu)), "DEADBEEF");
}

TEST(LogLineBytes, EveryLfBecomesCrLfAndOneCrLfEndsTheLine) {
  EXPECT_EQ(EncodeLogLine(""), "\r\n");
  EXPECT_EQ(EncodeLogLine("abc"), "abc\r\n");
  EXPECT_EQ(EncodeLogLine("a\nb"), "a\r\nb\r\n");
  EXPECT_EQ(EncodeLogLine("\n\n"), "\r\n\r\n\r\n");
  // A CR already present is kept; only LF gains a CR, as a text stream does.
  EXPECT_EQ(EncodeLogLine("a\r\nb"), "a\r\r\nb\r\n");
  EXPECT_EQ(EncodeLogLine(std::string("a\0b", 3)), std::string("a\0b\r\n", 5));
}

}  // namespace
}  // namespace dislist
