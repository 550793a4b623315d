#include "playlist/matching.h"

#include <gtest/gtest.h>

namespace dislist {
namespace {

// Only ASCII letters fold, at both ends of the alphabet and in every
// position; nothing else about a path is normalised.
TEST(SameTrackName, FoldsOnlyAsciiLettersAndNormalisesNothing) {
  const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const std::string lower = "abcdefghijklmnopqrstuvwxyz";
  const struct {
    std::string a, b;
    bool same;
  } rows[] = {
      {"C:\\Music\\Song.mp3", "c:\\music\\SONG.MP3", true},
      {"", "", true},
      {upper, lower, true},
      {lower, upper, true},
      // A folding that stops one letter short would let these differ.
      {"Z:\\Jazz\\Azure.mp3", "z:\\JAZZ\\aZURE.MP3", true},
      // An accented capital is not the same as its small letter: É vs é.
      {"C:\\Caf\xC3\x89.mp3", "C:\\Caf\xC3\xA9.mp3", false},
      // Bytes that differ by 0x20 but are not letters stay different.
      {"a@b", "a`b", false},
      {"[x]", "{x}", false},
      {"C:\\Music\\a.mp3", "C:/Music/a.mp3", false},
      {"C:\\Music\\a.mp3", " C:\\Music\\a.mp3", false},
      {"C:\\Music\\a.mp3", "C:\\Music\\a.mp3 ", false},
      {"Music\\a.mp3", "C:\\Music\\a.mp3", false},
      {"C:\\Music\\a.mp3", "C:\\Music\\.\\a.mp3", false},
      {"a.mp3", "a.mp", false},
  };
  for (const auto& row : rows) EXPECT_EQ(SameTrackName(row.a, row.b), row.same) << row.a << " | " << row.b;
}

// "!delete" in any letter case, anywhere; nothing short of it protects.
TEST(DeleteMarker, AnyCaseAnywhereAndNoNearMiss) {
  const struct {
    std::string text;
    bool marked;
  } rows[] = {
      {"!delete", true},
      {"!DELETE My Song", true},
      {"My !Delete Song", true},
      {"My Song !dElEtE", true},
      {"!!delete", true},
      {"\xC3\xA9!deleteX", true},
      {"ZZ !DELETE AA", true},
      {"", false},
      {"!delet", false},
      {"! delete", false},
      {"delete", false},
      {"!d elete", false},
      {"\xC2\xA1" "delete", false},  // inverted exclamation mark
      {std::string("!del\0ete", 8), false},
  };
  for (const auto& row : rows) EXPECT_EQ(HasDeleteMarker(row.text), row.marked) << row.text;
}

}  // namespace
}  // namespace dislist
