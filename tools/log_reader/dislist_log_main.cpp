// dislist-log: reads the plug-in's log and tells what it removed, per run of
// the player, and gives the removed entries back as a playlist.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "log_file.h"
#include "log_scanner.h"

namespace {

using dislist_log::ScanFile;
using dislist_log::LogScanner;
using dislist_log::Removal;

const char kUsage[] =
    "Usage: dislist-log summary [--file LOG]\n"
    "       dislist-log removed [--run N | --last K] [--file LOG]\n"
    "       dislist-log export PLAYLIST.m3u8 [--run N | --last K] [--file LOG]\n"
    "\n"
    "Reads the AIMP Dislist log (default C:\\AIMPPlugin\\AIMP_Dislist.log).\n"
    "  summary  per run of the player: tracks started, entries removed, kept by\n"
    "           !delete, not found and refused\n"
    "  removed  the file names of the entries actually removed, in order\n"
    "  export   the same as an M3U8 playlist, to give them back to AIMP\n"
    "  --run N  only run N (runs are counted from 1 at each start-up)\n"
    "  --last K only the last K runs\n";

std::string Utf8(const std::wstring& text) {
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], bytes, nullptr, nullptr);
  return result;
}

bool ValidUtf8(const std::string& text) {
  return text.empty() || ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                               static_cast<int>(text.size()), nullptr, 0) > 0;
}

void ReportOdd(const LogScanner& scanner) {
  const auto& odd = scanner.odd();
  const std::uint64_t total = odd.foreign + odd.misplaced + odd.unfinishedBlocks + odd.overlong +
                              (odd.truncatedLastLine ? 1 : 0);
  if (total == 0) return;
  std::fprintf(stderr, "note: %llu odd line(s) not counted as anything:", static_cast<unsigned long long>(total));
  if (odd.foreign) std::fprintf(stderr, " %llu not from the plug-in;", static_cast<unsigned long long>(odd.foreign));
  if (odd.misplaced) std::fprintf(stderr, " %llu outcome(s) outside a removal check;", static_cast<unsigned long long>(odd.misplaced));
  if (odd.unfinishedBlocks) std::fprintf(stderr, " %llu removal check(s) with no outcome;", static_cast<unsigned long long>(odd.unfinishedBlocks));
  if (odd.overlong) std::fprintf(stderr, " %llu overlong;", static_cast<unsigned long long>(odd.overlong));
  if (odd.truncatedLastLine) std::fprintf(stderr, " the last line is cut short;");
  std::fprintf(stderr, " first at line(s)");
  for (std::uint64_t line : odd.examples) std::fprintf(stderr, " %llu", static_cast<unsigned long long>(line));
  std::fprintf(stderr, "\n");
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::wstring command = argv[1];
  if (command == L"--help" || command == L"-h" || command == L"help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command != L"summary" && command != L"removed" && command != L"export") {
    std::fprintf(stderr, "dislist-log: unknown command %s\n\n%s", Utf8(command).c_str(), kUsage);
    return 2;
  }
  std::wstring logPath = L"C:\\AIMPPlugin\\AIMP_Dislist.log";
  std::wstring exportPath;
  long long onlyRun = -1, lastRuns = -1;
  for (int i = 2; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--file" && hasValue) {
      logPath = argv[++i];
    } else if ((arg == L"--run" || arg == L"--last") && hasValue && command != L"summary") {
      wchar_t* end = nullptr;
      const long long value = std::wcstoll(argv[++i], &end, 10);
      if (end == nullptr || *end != L'\0' || value < 1) {
        std::fprintf(stderr, "dislist-log: %s needs a whole number from 1\n", Utf8(arg).c_str());
        return 2;
      }
      (arg == L"--run" ? onlyRun : lastRuns) = value;
    } else if (command == L"export" && exportPath.empty() && !arg.empty() && arg[0] != L'-') {
      exportPath = arg;
    } else {
      std::fprintf(stderr, "dislist-log: unexpected %s\n\n%s", Utf8(arg).c_str(), kUsage);
      return 2;
    }
  }
  if (onlyRun > 0 && lastRuns > 0) {
    std::fprintf(stderr, "dislist-log: --run and --last do not go together\n");
    return 2;
  }
  if (command == L"export" && exportPath.empty()) {
    std::fprintf(stderr, "dislist-log: export needs the playlist file to write\n");
    return 2;
  }

  DWORD error = 0;
  if (command == L"summary") {
    LogScanner scanner;
    if (!ScanFile(logPath, scanner, error)) {
      std::fprintf(stderr, "dislist-log: cannot read %s (error %lu)\n", Utf8(logPath).c_str(), error);
      return 1;
    }
    std::printf("%s: %llu lines, %u run(s) of the player\n", Utf8(logPath).c_str(),
                static_cast<unsigned long long>(scanner.lines()), static_cast<unsigned>(scanner.runs().size()));
    for (const auto& run : scanner.runs()) {
      if (run.number == 0) {
        std::printf("before the first start-up (lines %llu-%llu):", static_cast<unsigned long long>(run.firstLine),
                    static_cast<unsigned long long>(run.lastLine));
      } else {
        std::printf("run %d (lines %llu-%llu):", run.number, static_cast<unsigned long long>(run.firstLine),
                    static_cast<unsigned long long>(run.lastLine));
      }
      std::printf(" %llu tracks started, %llu removed, %llu kept by !delete, %llu not found, %llu refused",
                  static_cast<unsigned long long>(run.tracksStarted), static_cast<unsigned long long>(run.removed),
                  static_cast<unsigned long long>(run.keptByMarker), static_cast<unsigned long long>(run.notFound),
                  static_cast<unsigned long long>(run.refused));
      if (run.playlistUnavailable) {
        std::printf(", %llu with no playing playlist", static_cast<unsigned long long>(run.playlistUnavailable));
      }
      std::printf("\n");
    }
    std::printf("time span: unknown (the log has no timestamps)\n");
    ReportOdd(scanner);
    return 0;
  }

  // Which runs: --last needs the number of runs first, so it reads twice.
  int firstRun = 0, lastRun = 0x7FFFFFFF;
  if (onlyRun > 0) firstRun = lastRun = static_cast<int>(std::min<long long>(onlyRun, 0x7FFFFFFF));
  if (lastRuns > 0) {
    LogScanner counter;
    if (!ScanFile(logPath, counter, error)) {
      std::fprintf(stderr, "dislist-log: cannot read %s (error %lu)\n", Utf8(logPath).c_str(), error);
      return 1;
    }
    const int runs = counter.runs().empty() ? 0 : counter.runs().back().number;
    firstRun = static_cast<int>(std::max<long long>(1, runs - lastRuns + 1));
  }

  HANDLE out = INVALID_HANDLE_VALUE;
  if (command == L"export") {
    out = ::CreateFileW(exportPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
      std::fprintf(stderr, "dislist-log: cannot write %s (error %lu)\n", Utf8(exportPath).c_str(), ::GetLastError());
      return 1;
    }
  }
  auto write = [out](const std::string& text) {
    DWORD written = 0;
    ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  };
  if (out != INVALID_HANDLE_VALUE) write("#EXTM3U\r\n");

  std::uint64_t count = 0, leftOut = 0;
  LogScanner scanner([&](const Removal& removal) {
    if (removal.run < firstRun || removal.run > lastRun) return;
    if (out == INVALID_HANDLE_VALUE) {
      std::printf("%s\n", removal.fileName.c_str());
      ++count;
      return;
    }
    if (removal.fileName.empty() || !ValidUtf8(removal.fileName) || !ValidUtf8(removal.displayText)) {
      std::fprintf(stderr, "dislist-log: line %llu: file name is not valid UTF-8, left out of the playlist\n",
                   static_cast<unsigned long long>(removal.line));
      ++leftOut;
      return;
    }
    std::string title = removal.displayText;
    if (title.empty()) title = removal.fileName.substr(removal.fileName.find_last_of("\\/") + 1);
    write("#EXTINF:-1," + title + "\r\n" + removal.fileName + "\r\n");
    ++count;
  });
  const bool ok = ScanFile(logPath, scanner, error);
  if (out != INVALID_HANDLE_VALUE) ::CloseHandle(out);
  if (!ok) {
    std::fprintf(stderr, "dislist-log: cannot read %s (error %lu)\n", Utf8(logPath).c_str(), error);
    return 1;
  }
  if (command == L"export") {
    std::printf("%llu removed entr%s written to %s", static_cast<unsigned long long>(count),
                count == 1 ? "y" : "ies", Utf8(exportPath).c_str());
    if (leftOut) std::printf(" (%llu left out, see above)", static_cast<unsigned long long>(leftOut));
    std::printf("\n");
  }
  ReportOdd(scanner);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dislist-log: %s\n", error.what());
    return 1;
  }
}
