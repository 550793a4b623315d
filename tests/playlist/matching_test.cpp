#include "playlist/matching.h"

#include <gtest/gtest.h>

namespace dislist {
namespace {

TEST(SameTrackName, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(SameTrackName("C:\\Music\\Song.mp3", "c:\\music\\SONG.MP3"));
  EXPECT_TRUE(SameTrackName("", ""));
  // An accented capital is not the same as its small letter: É vs é.
  EXPECT_FALSE(SameTrackName("C:\\Caf\xC3\x89.mp3", "C:\\Caf\xC3\xA9.mp3"));
  // Bytes that differ by 0x20 but are not letters stay different.
  EXPECT_FALSE(SameTrackName("a@b", "a`b"));
  EXPECT_FALSE(SameTrackName("[x]", "{x}"));
}

// Both ends of the alphabet fold, in every position: a folding that stops
// one letter short would let "Z:\\Jazz.mp3" and "z:\\JAZZ.mp3" differ.
TEST(SameTrackName, EveryAsciiLetterFoldsFromAToZ) {
  const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const std::string lower = "abcdefghijklmnopqrstuvwxyz";
  EXPECT_TRUE(SameTrackName(upper, lower));
  EXPECT_TRUE(SameTrackName(lower, upper));
  EXPECT_TRUE(SameTrackName("Z:\\Jazz\\Azure.mp3", "z:\\JAZZ\\aZURE.MP3"));
  EXPECT_TRUE(HasDeleteMarker("ZZ !DELETE AA"));
}

TEST(SameTrackName, NoPathNormalisation) {
  EXPECT_FALSE(SameTrackName("C:\\Music\\a.mp3", "C:/Music/a.mp3"));
  EXPECT_FALSE(SameTrackName("C:\\Music\\a.mp3", " C:\\Music\\a.mp3"));
  EXPECT_FALSE(SameTrackName("C:\\Music\\a.mp3", "C:\\Music\\a.mp3 "));
  EXPECT_FALSE(SameTrackName("Music\\a.mp3", "C:\\Music\\a.mp3"));
  EXPECT_FALSE(SameTrackName("C:\\Music\\a.mp3", "C:\\Music\\.\\a.mp3"));
  EXPECT_FALSE(SameTrackName("a.mp3", "a.mp"));
}

TEST(DeleteMarker, AnyCaseAnywhereInTheText) {
  EXPECT_TRUE(HasDeleteMarker("!delete"));
  EXPECT_TRUE(HasDeleteMarker("!DELETE My Song"));
  EXPECT_TRUE(HasDeleteMarker("My !Delete Song"));
  EXPECT_TRUE(HasDeleteMarker("My Song !dElEtE"));
  EXPECT_TRUE(HasDeleteMarker("!!delete"));
  EXPECT_TRUE(HasDeleteMarker("\xC3\xA9!deleteX"));
}

TEST(DeleteMarker, NearMissesDoNotProtect) {
  EXPECT_FALSE(HasDeleteMarker(""));
  EXPECT_FALSE(HasDeleteMarker("!delet"));
  EXPECT_FALSE(HasDeleteMarker("! delete"));
  EXPECT_FALSE(HasDeleteMarker("delete"));
  EXPECT_FALSE(HasDeleteMarker("!d elete"));
  EXPECT_FALSE(HasDeleteMarker("\xC2\xA1" "delete"));  // inverted exclamation mark
  EXPECT_FALSE(HasDeleteMarker(std::string("!del\0ete", 8)));
}

}  // namespace
}  // namespace dislist
