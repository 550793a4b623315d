// Small helpers shared by the benchmarks: a clock, medians and the floor's
// own log line, written the way the plug-in writes one.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/names.h"
#include "base/owners.h"

namespace bench {

inline double NowSeconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Percentile(std::vector<double> samples, double fraction) {
  std::sort(samples.begin(), samples.end());
  const std::size_t index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
  return samples[index];
}

// One line appended the way the demanded I/O is: opened for appending,
// written in one write, closed.
inline void BareLogLine(const std::string& line) {
  const dislist::UniqueFile file(::CreateFileW(dislist::kLogFilePath, FILE_APPEND_DATA, 7, nullptr,
                                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  DWORD written = 0;
  ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace bench
