// Any bytes as a log: the reader must not crash, and how the bytes are cut
// into reads must not change what it finds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "line_splitter.h"
#include "log_scanner.h"

namespace {

struct Found {
  std::uint64_t lines = 0, removals = 0, removedInRuns = 0, odd = 0;
  std::string last;
};

Found Scan(const std::uint8_t* data, std::size_t size, std::size_t chunk) {
  Found found;
  dislist_log::LogScanner scanner([&found](const dislist_log::Removal& removal) {
    ++found.removals;
    found.last = removal.fileName + '\n' + removal.displayText;
  });
  dislist_log::LineSplitter splitter(scanner);
  for (std::size_t at = 0; at < size; at += chunk) {
    splitter.Feed(reinterpret_cast<const char*>(data) + at, size - at < chunk ? size - at : chunk);
  }
  splitter.Finish();
  found.lines = scanner.lines();
  int previous = -1;
  for (const auto& run : scanner.runs()) {
    if (run.number <= previous) std::abort();  // runs are numbered upwards
    previous = run.number;
    found.removedInRuns += run.removed;
  }
  const auto& odd = scanner.odd();
  found.odd = odd.foreign + odd.misplaced + odd.unfinishedBlocks + odd.overlong + odd.truncatedLastLine;
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Found whole = Scan(data, size, size == 0 ? 1 : size);
  const Found bytewise = Scan(data, size, 1);
  if (whole.removals != whole.removedInRuns) std::abort();
  if (whole.lines != bytewise.lines || whole.removals != bytewise.removals ||
      whole.odd != bytewise.odd || whole.last != bytewise.last) {
    std::abort();
  }
  return 0;
}
