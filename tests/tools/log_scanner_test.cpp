#include "log_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dislist_log {
namespace {

const std::string kEq(40, '=');

struct Result {
  std::vector<Removal> removals;
  std::vector<RunSummary> runs;
  OddLines odd;
  std::uint64_t lines = 0;
};

// Feeds the bytes in chunks of `chunk` bytes, as a file read would.
Result ScanBytes(const std::string& bytes, std::size_t chunk = 7) {
  Result result;
  LogScanner scanner([&result](const Removal& removal) { result.removals.push_back(removal); });
  LineSplitter splitter(scanner);
  for (std::size_t at = 0; at < bytes.size(); at += chunk) {
    splitter.Feed(bytes.data() + at, std::min(chunk, bytes.size() - at));
  }
  splitter.Finish();
  result.runs = scanner.runs();
  result.odd = scanner.odd();
  result.lines = scanner.lines();
  return result;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string Banner() {
  return Lines({"", kEq, "AIMP Dislist", kEq, "Plugin initialized.", "Remote Access + Playlist deletion."});
}

std::string Check(const std::string& file, const std::vector<std::string>& outcome,
                  const std::string& display = "Title") {
  std::vector<std::string> lines = {"", kEq, "PLAYLIST DELETE CHECK", "PREVIOUS FILE: " + file,
                                    "PLAYLIST ITEM COUNT: 3", "PLAYLIST DELETE: FOUND.", "INDEX: 0",
                                    "FILENAME: " + file, "DISPLAYTEXT: " + display};
  lines.insert(lines.end(), outcome.begin(), outcome.end());
  lines.push_back(kEq);
  return Lines(lines);
}

const std::vector<std::string> kSuccess = {"PLAYLIST DELETE: DELETING ITEM.", "PHYSICAL DELETE: NO.",
                                           "PLAYLIST DELETE: SUCCESS."};
const std::vector<std::string> kRefused = {"PLAYLIST DELETE: DELETING ITEM.", "PHYSICAL DELETE: NO.",
                                           "PLAYLIST DELETE: FAILED.", "HRESULT: 0x80004005"};
const std::vector<std::string> kSkipped = {"PLAYLIST DELETE: SKIPPED.", "REASON: !DELETE marker found.",
                                           "PHYSICAL FILE: untouched.", "PLAYLIST ITEM: untouched."};

TEST(LogScanner, RunsAndOutcomes) {
  const std::string log =
      Banner() + Lines({"", "TRACK START: first tracked track.", "CURRENT: a.mp3"}) +
      Lines({"", kEq, "NEW TRACK STARTED", "PREVIOUS: a.mp3", "CURRENT: b.mp3", kEq}) +
      Check("a.mp3", kSuccess, "A") + Check("b.mp3", kSkipped) + Banner() +
      Check("c.mp3", kRefused) +
      Lines({"", kEq, "PLAYLIST DELETE CHECK", "PREVIOUS FILE: d.mp3", "PLAYLIST ITEM COUNT: 0",
             "PLAYLIST DELETE: previous track NOT FOUND.", kEq});
  const Result result = ScanBytes(log);
  ASSERT_EQ(result.runs.size(), 2u);
  EXPECT_EQ(result.runs[0].number, 1);
  EXPECT_EQ(result.runs[0].firstLine, 1u);
  EXPECT_EQ(result.runs[0].tracksStarted, 2u);
  EXPECT_EQ(result.runs[0].removed, 1u);
  EXPECT_EQ(result.runs[0].keptByMarker, 1u);
  EXPECT_EQ(result.runs[1].number, 2);
  EXPECT_EQ(result.runs[1].firstLine, result.runs[0].lastLine + 1);
  EXPECT_EQ(result.runs[1].refused, 1u);
  EXPECT_EQ(result.runs[1].notFound, 1u);
  ASSERT_EQ(result.removals.size(), 1u);
  EXPECT_EQ(result.removals[0].fileName, "a.mp3");
  EXPECT_EQ(result.removals[0].displayText, "A");
  EXPECT_EQ(result.removals[0].run, 1);
  EXPECT_EQ(result.odd.foreign + result.odd.misplaced + result.odd.unfinishedBlocks, 0u);
}

TEST(LogScanner, TruncatedLastLineIsCountedNotTrusted) {
  std::string log = Banner() + Check("a.mp3", kSuccess);
  log.erase(log.size() - 2 - kEq.size() - 2);  // cut inside "PLAYLIST DELETE: SUCCESS."
  log.resize(log.size() - 3);
  const Result result = ScanBytes(log);
  EXPECT_TRUE(result.removals.empty());
  EXPECT_TRUE(result.odd.truncatedLastLine);
  EXPECT_EQ(result.odd.unfinishedBlocks, 1u);
}

TEST(LogScanner, FoundWithNoOutcomeIsNotARemoval) {
  const std::string log = Banner() +
                          Lines({"", kEq, "PLAYLIST DELETE CHECK", "PREVIOUS FILE: a.mp3",
                                 "PLAYLIST DELETE: FOUND.", "FILENAME: a.mp3", "DISPLAYTEXT: A",
                                 "PLAYLIST DELETE: DELETING ITEM."}) +  // the player died here
                          Banner() + Lines({"PLAYLIST DELETE: SUCCESS."});
  const Result result = ScanBytes(log);
  EXPECT_TRUE(result.removals.empty());
  EXPECT_EQ(result.odd.unfinishedBlocks, 1u);
  EXPECT_EQ(result.odd.misplaced, 1u);
}

TEST(LogScanner, ForeignLinesAreCountedAndDoNotBreakABlock) {
  std::string check = Check("a.mp3", kSuccess);
  check.insert(check.find("PLAYLIST DELETE: DELETING"), "[other tool] appended this\r\n");
  const Result result = ScanBytes("some other program's header\n" + Banner() + check + "tail noise\r\n");
  ASSERT_EQ(result.removals.size(), 1u);
  EXPECT_EQ(result.odd.foreign, 3u);
  ASSERT_EQ(result.runs.size(), 2u);  // the lines before the first banner are a run 0
  EXPECT_EQ(result.runs[0].number, 0);
  EXPECT_EQ(result.odd.examples.front(), 1u);
}

TEST(LogScanner, InvalidUtf8AndOverlongLinesNeverCrash) {
  std::string log = Banner() + Check("C:\\\xFF\xFE bad.mp3", kSuccess) + std::string(200000, 'x') + "\n" +
                    std::string("\0\0\r\n", 4);
  const Result result = ScanBytes(log, 4096);
  ASSERT_EQ(result.removals.size(), 1u);
  EXPECT_EQ(result.removals[0].fileName, "C:\\\xFF\xFE bad.mp3");
  EXPECT_EQ(result.odd.overlong, 1u);
  EXPECT_EQ(result.odd.foreign, 1u);  // the line of zero bytes
}

TEST(LogScanner, LfOnlyAndChunkBoundariesGiveTheSameResult) {
  const std::string crlf = Banner() + Check("a.mp3", kSuccess) + Check("b.mp3", kSuccess);
  std::string lf;
  for (char c : crlf) {
    if (c != '\r') lf += c;
  }
  for (std::size_t chunk : {1u, 3u, 64u, 100000u}) {
    const Result a = ScanBytes(crlf, chunk);
    const Result b = ScanBytes(lf, chunk);
    ASSERT_EQ(a.removals.size(), 2u) << chunk;
    EXPECT_EQ(b.removals.size(), 2u) << chunk;
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(a.removals[1].fileName, "b.mp3");
  }
}

}  // namespace
}  // namespace dislist_log
