#include "line_splitter.h"
#include "log_scanner.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/log_text.h"

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

std::string Lines(const std::vector<std::string>& lines) { return testing_support::CrLf(lines); }

// The banner's first six lines: enough for a reader to know the plug-in.
std::string Banner() {
  const std::vector<std::string> banner = testing_support::Banner();
  return Lines({banner.begin(), banner.begin() + 6});
}

std::string Check(const std::string& file, const std::vector<std::string>& outcome,
                  const std::string& display = "Title") {
  using testing_support::Join;
  return Lines(Join(Join(testing_support::FoundItem(file, 3, 0, file, display), outcome), {kEq}));
}

const std::vector<std::string> kSuccess = testing_support::Deleted();
const std::vector<std::string> kRefused = testing_support::Refused("80004005");
const std::vector<std::string> kSkipped = testing_support::KeptByMarker();

TEST(LogScanner, RunsAndOutcomes) {
  const std::string log =
      Banner() + Lines({"", "TRACK START: first tracked track.", "CURRENT: a.mp3"}) +
      Lines({"", kEq, "NEW TRACK STARTED", "PREVIOUS: a.mp3", "CURRENT: b.mp3", kEq}) +
      Check("a.mp3", kSuccess, "A") + Check("b.mp3", kSkipped) +
      // A write failure, and an access denied that belongs to no current-track file.
      Lines({"CURRENT TRACK FILE: WriteFile FAILED.", "WINDOWS ERROR: 5", "ERROR: GetModuleHandleExW FAILED.",
             "WINDOWS ERROR: 5", "REASON: ACCESS DENIED."}) +
      Banner() + Lines({"CURRENT TRACK FILE: CreateFileW FAILED.", "WINDOWS ERROR: 5", "REASON: ACCESS DENIED."}) +
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
  EXPECT_EQ(result.runs[0].trackFileFailures, 1u);
  EXPECT_EQ(result.runs[0].trackFileAccessDenied, 0u);
  EXPECT_EQ(result.runs[1].trackFileFailures, 1u);
  EXPECT_EQ(result.runs[1].trackFileAccessDenied, 1u);
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

// Every line of the plug-in's list is read as the plug-in's, in the role the
// list gives it, so a line added to the plug-in cannot be left out of the
// reader; the lines are given as the plug-in writes them, values included.
TEST(LogScanner, EveryLineThePluginWritesIsRecognised) {
  using dislist::log_lines::Form;
  std::string log;
  for (const auto& format : dislist::log_lines::kLineFormats) {
    const std::string text(format.text);
    const std::string line = format.form == Form::kLabel || format.form == Form::kPrefix ? text + "1" : text;
    const LineClass kind = ClassifyLine(line);
    EXPECT_EQ(kind.role, format.role) << line;
    EXPECT_NE(kind.role, LineRole::kForeign) << line;
    log += line + "\r\n";
    if (format.form == Form::kValueNext) log += "C:\\Program Files\\AIMP\\Plugins\\\r\n";
  }
  LogScanner scanner;
  LineSplitter splitter(scanner);
  splitter.Feed(log.data(), log.size());
  splitter.Finish();
  EXPECT_EQ(scanner.odd().foreign, 0u);
  EXPECT_EQ(scanner.pluginLines(), scanner.lines());
}

// What a scan found, in one line: per run "number:started/removed/kept/not
// found/refused/no manager/no previous track" ("!" after a failed start-up),
// the odd lines (foreign, misplaced, unfinished, overlong, cut) with the
// lines they were reported at, unfinished checks with their names, and the
// removals with their runs.
std::string Describe(const Result& result, const OddLines& odd) {
  std::string text = "runs";
  for (const auto& run : result.runs) {
    text += " " + std::to_string(run.number) + ":" + std::to_string(run.tracksStarted) + "/" +
            std::to_string(run.removed) + "/" + std::to_string(run.keptByMarker) + "/" +
            std::to_string(run.notFound) + "/" + std::to_string(run.refused) + "/" +
            std::to_string(run.managerUnavailable) + "/" + std::to_string(run.noPreviousTrack) +
            (run.startupFailure.empty() ? "" : "!");
  }
  text += "; odd " + std::to_string(odd.foreign) + "/" + std::to_string(odd.misplaced) + "/" +
          std::to_string(odd.unfinishedBlocks) + "/" + std::to_string(odd.overlong) + "/" +
          (odd.truncatedLastLine ? "cut" : "-") + " at";
  std::vector<std::uint64_t> at = odd.examples;
  std::sort(at.begin(), at.end());
  for (auto line : at) text += " " + std::to_string(line);
  for (const auto& check : odd.unfinished) {
    text += "; unfinished at " + std::to_string(check.line) + " " + check.previousFile + ">" + check.fileName;
  }
  text += "; removed";
  for (const auto& removal : result.removals) text += " " + std::to_string(removal.run) + ":" + removal.fileName;
  return text;
}

// 32,767 UTF-16 units of a three-byte character after "C:\": the longest
// name the plug-in can log, as UTF-8.
std::string LongName() {
  std::string name = "C:\\";
  for (int i = 3; i < 32767; ++i) name += "\xE6\x97\xA5";
  return name;
}

// The same text as UTF-16 (little-endian after FF FE, big-endian after FE FF).
std::string Utf16(const std::string& mark, const std::string& utf8) {
  const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], units);
  std::string bytes = mark;
  const bool little = mark == "\xFF\xFE";
  for (wchar_t unit : wide) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>((unit >> 8) & 0xFF);
    bytes += little ? low : high;
    bytes += little ? high : low;
  }
  return bytes;
}

std::string CrOnly(const std::string& crlf) {
  std::string text;
  for (char c : crlf) {
    if (c != '\n') text += c;
  }
  return text;
}

// Logs that the plug-in's versions and their surroundings really write:
// checks nested in checks, the plug-in's own lines inside a check, outcomes
// without a check, other programs' lines in the banner, a byte order mark,
// a last line without its end, removals before the first banner, a failed
// start-up, a check cut off.
TEST(LogScanner, OddLogsAreCountedRight) {
  const std::vector<std::string> trackStart = {"REMOTE: AIMP_RA_NOTIFY_TRACK_START",
                                               "CURRENT TRACK FILE: UPDATED.", "CURRENT TRACK: c.mp3"};
  auto open = [](const std::string& file) {
    return Lines({"", kEq, "PLAYLIST DELETE CHECK", "PREVIOUS FILE: " + file, "PLAYLIST ITEM COUNT: 4",
                  "PLAYLIST DELETE: FOUND.", "INDEX: 1", "FILENAME: " + file, "DISPLAYTEXT: T",
                  "PLAYLIST DELETE: DELETING ITEM.", "PHYSICAL DELETE: NO."});
  };
  auto newTrack = [](const std::string& from, const std::string& to) {
    return Lines({"", kEq, "NEW TRACK STARTED", "PREVIOUS: " + from, "CURRENT: " + to, kEq});
  };
  const std::string success = Lines({"PLAYLIST DELETE: SUCCESS.", kEq});
  const std::string report =
      Lines({"", std::string(40, '-'), "CURRENT TRACK", std::string(40, '-'), "TITLE: C", "ARTIST: ",
             "ALBUM: ", "FILENAME: C:\\report.mp3", "GENRE: ", "DATE: ", "DURATION: 1 ms", "BITRATE: 1 kbps",
             "SAMPLE RATE: 1", "CHANNELS: 2", std::string(40, '-')});
  struct Row {
    const char* name;
    std::string log;
    std::string expected;
  } rows[] = {
      {"a check inside a check: both removals count",
       Banner() + open("a.mp3") + Lines(trackStart) + newTrack("b.mp3", "c.mp3") + Check("b.mp3", kSuccess) +
           success,
       "runs 1:1/2/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:b.mp3 1:a.mp3"},
      {"two levels deep",
       Banner() + open("a.mp3") + newTrack("b.mp3", "c.mp3") + open("b.mp3") + newTrack("c.mp3", "d.mp3") +
           Check("c.mp3", kSuccess) + success + success,
       "runs 1:2/3/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:c.mp3 1:b.mp3 1:a.mp3"},
      {"a refused and a not-found check around a nested one",
       Banner() + open("a.mp3") + newTrack("b.mp3", "c.mp3") + Check("b.mp3", kSuccess) +
           Lines({"PLAYLIST DELETE: FAILED.", "HRESULT: 0x80004005", kEq}) +
           Lines({"", kEq, "PLAYLIST DELETE CHECK", "PREVIOUS FILE: c.mp3", "PLAYLIST ITEM COUNT: 3"}) +
           newTrack("c.mp3", "d.mp3") + Check("c.mp3", kSuccess) +
           Lines({"PLAYLIST DELETE: previous track NOT FOUND.", kEq}),
       "runs 1:2/2/0/1/1/0/0; odd 0/0/0/0/- at; removed 1:b.mp3 1:c.mp3"},
      {"the plug-in's own track lines and report inside a check",
       Banner() + open("a.mp3") + Lines(trackStart) + report + success,
       "runs 1:0/1/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:a.mp3"},
      {"outcomes without a check",
       Banner() + Lines({"PLAYLIST DELETE: no previous track.", "PLAYLIST DELETE: playlist manager unavailable."}),
       "runs 1:0/0/0/0/0/1/1; odd 0/0/0/0/- at; removed"},
      {"another program's line inside the banner",
       Banner() + Check("a.mp3", kSuccess) +
           Lines({"", kEq, "AIMP Dislist", "[other] hello", kEq, "Plugin initialized."}) + Check("b.mp3", kSuccess),
       "runs 1:0/1/0/0/0/0/0 2:0/1/0/0/0/0/0; odd 1/0/0/0/- at 23; removed 1:a.mp3 2:b.mp3"},
      {"a byte order mark", "\xEF\xBB\xBF" + Banner() + Check("a.mp3", kSuccess),
       "runs 1:0/1/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:a.mp3"},
      {"a whole outcome as the last line, without its line end",
       Banner() + open("a.mp3") + "PLAYLIST DELETE: SUCCESS.",
       "runs 1:0/1/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:a.mp3"},
      {"a last line cut inside its text", Banner() + open("a.mp3") + "PLAYLIST DELETE: SUCC",
       "runs 1:0/0/0/0/0/0/0; odd 0/0/1/0/cut at 7 18; unfinished at 7 a.mp3>a.mp3; removed"},
      {"removals before the first banner", Check("a.mp3", kSuccess) + Banner() + Check("b.mp3", kSuccess),
       "runs 0:0/1/0/0/0/0/0 1:0/1/0/0/0/0/0; odd 0/0/0/0/- at; removed 0:a.mp3 1:b.mp3"},
      {"a failed start-up",
       Banner() + Lines({"REMOTE: AIMP Remote Access window NOT FOUND.", "REMOTE: registration FAILED."}) +
           Banner() + Lines({"PLUGIN READY."}),
       "runs 1:0/0/0/0/0/0/0! 2:0/0/0/0/0/0/0; odd 0/0/0/0/- at; removed"},
      {"a check cut off by the next start-up, reported at its first line",
       Banner() + Lines({"", kEq, "PLAYLIST DELETE CHECK", "PREVIOUS FILE: a.mp3", "PLAYLIST ITEM COUNT: 1",
                         "PLAYLIST DELETE: FOUND.", "INDEX: 0", "FILENAME: A.MP3"}) +
           Banner(),
       "runs 1:0/0/0/0/0/0/0 2:0/0/0/0/0/0/0; odd 0/0/1/0/- at 7; unfinished at 7 a.mp3>A.MP3; removed"},
      {"a file name of Windows' longest path, in three-byte characters",
       Banner() + Check(LongName(), kSuccess),
       "runs 1:0/1/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:" + LongName()},
      {"the log saved again as UTF-16 with its byte order mark",
       Utf16("\xFF\xFE", Banner() + Check("a.mp3", kSuccess) + Check("C:\\\xC3\xA9\xF0\x9F\x8E\xB5.mp3", kSuccess)),
       "runs 1:0/2/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:a.mp3 1:C:\\\xC3\xA9\xF0\x9F\x8E\xB5.mp3"},
      {"big-endian UTF-16", Utf16("\xFE\xFF", Banner() + Check("a.mp3", kSuccess)),
       "runs 1:0/1/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:a.mp3"},
      {"the log saved again with lone CR line ends",
       CrOnly(Banner() + Check("a.mp3", kSuccess) + Check("b.mp3", kSuccess)),
       "runs 1:0/2/0/0/0/0/0; odd 0/0/0/0/- at; removed 1:a.mp3 1:b.mp3"},
  };
  for (const Row& row : rows) {
    for (std::size_t chunk : {std::size_t{1}, std::size_t{4096}}) {
      const Result result = ScanBytes(row.log, chunk);
      EXPECT_EQ(Describe(result, result.odd), row.expected) << row.name << ", read " << chunk << " at a time";
    }
  }
}

}  // namespace
}  // namespace dislist_log
