#include "line_classifier.h"

#include <unordered_map>
#include <vector>

namespace dislist_log {

namespace {

using dislist::log_lines::Form;
using dislist::log_lines::kLineFormats;
using dislist::log_lines::LineFormat;

// The list, sorted by how a line is recognised: whole lines and labels by a
// lookup, the few prefixes one by one.
struct Formats {
  std::unordered_map<std::string_view, LineRole> whole;
  std::unordered_map<std::string_view, LineRole> labels;  // up to and including ": "
  std::vector<LineFormat> prefixes;
};

const Formats& TheFormats() {
  static const Formats formats = [] {
    Formats sorted;
    for (const LineFormat& format : kLineFormats) {
      switch (format.form) {
        case Form::kWhole:
        case Form::kValueNext:
          sorted.whole.emplace(format.text, format.role);
          break;
        case Form::kLabel:
          sorted.labels.emplace(format.text, format.role);
          break;
        case Form::kPrefix:
          sorted.prefixes.push_back(format);
          break;
      }
    }
    return sorted;
  }();
  return formats;
}

}  // namespace

LineClass ClassifyLine(std::string_view line) {
  const Formats& formats = TheFormats();
  LineClass result;
  const auto whole = formats.whole.find(line);
  if (whole != formats.whole.end()) {
    result.role = whole->second;
    result.fixed = true;
    return result;
  }
  const std::size_t colon = line.find(": ");
  if (colon != std::string_view::npos) {
    const auto label = formats.labels.find(line.substr(0, colon + 2));
    if (label != formats.labels.end()) {
      result.role = label->second;
      result.valueAt = colon + 2;
      return result;
    }
  }
  for (const LineFormat& prefix : formats.prefixes) {
    if (line.substr(0, prefix.text.size()) == prefix.text) {
      result.role = prefix.role;
      result.valueAt = prefix.text.size();
      return result;
    }
  }
  return result;
}

bool IsOutcome(LineRole role) {
  switch (role) {
    case LineRole::kNotFound:
    case LineRole::kNoPlaylist:
    case LineRole::kSkipped:
    case LineRole::kSuccess:
    case LineRole::kFailed:
    case LineRole::kNoPrevious:
    case LineRole::kNoManager:
      return true;
    default:
      return false;
  }
}

}  // namespace dislist_log
