#include "m3u.h"

#include <gtest/gtest.h>

namespace standin {
namespace {

TEST(M3u, TitlesPathsAndLineEnds) {
  const ParsedPlaylist parsed = ParseM3u(
      "\xEF\xBB\xBF#EXTM3U\r\n"
      "#EXTINF:215,Artist - Title, with commas !delete\r\n"
      "Music\\a.mp3\r\n"
      "\n"
      "   \n"
      "# a comment\n"
      "D:\\Other\\b.mp3\n"
      "#EXTINF:-1,Radio\n"
      "http://radio.example/live?x=1\n"
      "/rooted/c.ogg",
      "C:\\Lists\\");
  EXPECT_TRUE(parsed.problems.empty());
  ASSERT_EQ(parsed.entries.size(), 4u);
  EXPECT_EQ(parsed.entries[0].path, "C:\\Lists\\Music\\a.mp3");
  EXPECT_EQ(parsed.entries[0].title, "Artist - Title, with commas !delete");
  EXPECT_EQ(parsed.entries[0].line, 3);
  EXPECT_EQ(parsed.entries[1].path, "D:\\Other\\b.mp3");
  EXPECT_EQ(parsed.entries[1].title, "");
  EXPECT_EQ(parsed.entries[2].path, "http://radio.example/live?x=1");
  EXPECT_EQ(parsed.entries[2].title, "Radio");
  EXPECT_EQ(parsed.entries[3].path, "/rooted/c.ogg");
}

TEST(M3u, MalformedLinesAreReportedWithTheirNumbersAndSkipped) {
  const ParsedPlaylist parsed = ParseM3u(
      "#EXTINF:100 no comma\n"
      "a.mp3\n"
      "bad\xFF.mp3\n"
      "what?.mp3\n"
      "#EXTINF:1,Dangling\n",
      "C:\\");
  ASSERT_EQ(parsed.entries.size(), 1u);
  EXPECT_EQ(parsed.entries[0].title, "");  // the broken #EXTINF gave no title
  EXPECT_EQ(parsed.problems,
            (std::vector<std::string>{"line 1: #EXTINF without a title, skipped",
                                      "line 3: not valid UTF-8, skipped",
                                      "line 4: not a file path or address, skipped",
                                      "line 5: #EXTINF with no track after it, skipped"}));
}

TEST(M3u, EmptyOrCommentOnlyPlaylistHasNoEntries) {
  EXPECT_TRUE(ParseM3u("", "C:\\").entries.empty());
  EXPECT_TRUE(ParseM3u("\xEF\xBB\xBF", "C:\\").entries.empty());
  EXPECT_TRUE(ParseM3u("#EXTM3U\r\n\r\n", "C:\\").entries.empty());
}

TEST(M3u, Utf8NamesAndOverlongForms) {
  const ParsedPlaylist parsed = ParseM3u("Caf\xC3\xA9.mp3\n\xC0\xAF.mp3\n\xED\xA0\x80.mp3\n", "C:\\");
  ASSERT_EQ(parsed.entries.size(), 1u);
  EXPECT_EQ(parsed.entries[0].path, "C:\\Caf\xC3\xA9.mp3");
  EXPECT_EQ(parsed.problems.size(), 2u);
}

}  // namespace
}  // namespace standin
