// Small helpers shared by the benchmarks: a clock, medians and the floor's
// own log line, written the way the plug-in writes one.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <share.h>
#include <string>
#include <vector>

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

// One line appended the way the demanded I/O is: open, append, close.
inline void BareLogLine(const std::string& text) {
  std::FILE* file = _wfsopen(L"C:\\AIMPPlugin\\AIMP_Dislist.log", L"ab", _SH_DENYNO);
  if (file == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fwrite("\r\n", 1, 2, file);
  std::fclose(file);
}

}  // namespace bench
