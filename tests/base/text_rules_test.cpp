// The text rules every program of the project shares.
#include "base/text_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace dislist {
namespace {

TEST(NamePart, LastSeparatorOfEitherKindWins) {
  const struct {
    const char* path;
    const char* name;
  } rows[] = {
      {"C:\\Music\\Album\\Song.mp3", "Song.mp3"}, {"C:\\Music\\Album/Song.mp3", "Song.mp3"},
      {"C:/Music/Album\\Song.mp3", "Song.mp3"},     {"Song.mp3", "Song.mp3"},
      {"http://radio.example/live/", ""},           {"C:\\Music\\", ""},
      {"", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(NamePart(row.path), row.name) << row.path;
}

// Each boundary of well-formed UTF-8, on both sides.
TEST(IsValidUtf8, AcceptsExactlyWellFormedSequences) {
  const struct {
    std::string bytes;
    bool valid;
  } rows[] = {
      {"", true},
      {"\x7F", true},                 // the last one-byte value
      {"\x80", false},                // a continuation byte on its own
      {"\xC2\x80", true},             // the first two-byte value
      {"\xC1\xBF", false},            // overlong two-byte form
      {"\xC2", false},                // cut two-byte sequence
      {"\xE0\xA0\x80", true},         // the first three-byte value
      {"\xE0\x80\x80", false},        // overlong three-byte form
      {"\xE0\xA0", false},            // cut three-byte sequence
      {"\xED\x9F\xBF", true},         // U+D7FF, just before the surrogates
      {"\xED\xA0\x80", false},        // a surrogate
      {"\xEE\x80\x80", true},         // U+E000, just after them
      {"\xF0\x90\x80\x80", true},     // the first four-byte value
      {"\xF0\x8F\xBF\xBF", false},    // overlong four-byte form
      {"\xF4\x8F\xBF\xBF", true},     // U+10FFFF
      {"\xF4\x90\x80\x80", false},    // past U+10FFFF
      {"\xF5\x80\x80\x80", false},    // no such lead byte
      {"\xF0\x9F\x8E", false},        // cut four-byte sequence
      {"\xE6\x97\xA5x", true},        // a character, then ASCII
      {"abcdefgh\xE6\x97", false},     // cut after eight ASCII bytes read at once
      {"abcdefghijklmnop\xFF", false},  // a bad byte after sixteen
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IsValidUtf8(row.bytes), row.valid) << testing::PrintToString(row.bytes);
  }
}

}  // namespace
}  // namespace dislist
