// The log's wording and limits, shared by the plug-in that writes the log and
// dislist-log that reads it back: one list (log_lines.def) gives the
// writer's constants and the reader's table alike, so a reworded line can
// never leave the reader blind to it.
#pragma once

#include <cstddef>
#include <string_view>

namespace dislist::log_lines {

enum class Form : unsigned char { kWhole, kLabel, kPrefix, kValueNext };

// What a line tells a reader of the log. kForeign is no row of the list: it
// is what a reader calls any line that is not the plug-in's.
enum class Role : unsigned char {
  kForeign,
  kPlain,
  kEmpty,
  kBlockSeparator,
  kBannerTitle,
  kInitialized,
  kPathLabel,
  kFirstTrack,
  kNewTrack,
  kCheck,
  kNotFound,
  kNoPlaylist,
  kFound,
  kSkipped,
  kDeleting,
  kSuccess,
  kFailed,
  kFileName,
  kDisplayText,
  kPreviousFile,
  kReady,
  kStartupFailed,
  kNoPrevious,
  kNoManager,
  kTrackFileFailed,  // the current-track file not made or not written
  kAccessDenied,
  kRemoteNotFound,
};

// Character arrays, not views: the plug-in passes them where its log takes a
// string, as it would literals. Each file has its own copies of those it
// uses (namespace-scope constants), laid out as literals are: shared copies
// would each take an aligned section of their own in the library.
// NOLINTNEXTLINE(bugprone-macro-parentheses): a declaration, where no parentheses can go
#define DISLIST_LOG_LINE(name, form, role, text) alignas(1) constexpr char name[] = text;
#include "log/log_lines.def"
#undef DISLIST_LOG_LINE

struct LineFormat {
  std::string_view text;
  Form form;
  Role role;
};

constexpr LineFormat kLineFormats[] = {
#define DISLIST_LOG_LINE(name, form, role, text) {name, Form::form, Role::role},
#include "log/log_lines.def"
#undef DISLIST_LOG_LINE
};

// The plug-in's own texts by role: a whole line of the list, looked up by
// its text (the empty line, a separator, a title).
constexpr Role RoleOf(std::string_view text) {
  for (const LineFormat& format : kLineFormats) {
    if (format.form == Form::kWhole && format.text == text) return format.role;
  }
  return Role::kForeign;
}

// The openings a reader knows blocks by. A run of the player begins where
// the start-up banner opens; its empty first line may be missing (a log
// trimmed by hand), the rest may not. The writer of each block asserts at
// compile time that it writes this shape, so a reworded or reordered banner
// cannot silently move the reader's run boundaries.
constexpr Role kRunOpening[] = {Role::kEmpty, Role::kBlockSeparator, Role::kBannerTitle, Role::kBlockSeparator,
                                Role::kInitialized};
// A removal check opens so; it begins at its empty line when all of it is
// there, else at its title line.
constexpr Role kCheckOpening[] = {Role::kEmpty, Role::kBlockSeparator, Role::kCheck};

// Whether `lines`, texts of the list, begin with the roles of `shape`.
template <std::size_t N, std::size_t M>
constexpr bool OpensWith(const char* const (&lines)[N], const Role (&shape)[M]) {
  if (N < M) return false;
  for (std::size_t i = 0; i < M; ++i) {
    if (RoleOf(lines[i]) != shape[i]) return false;
  }
  return true;
}

// Windows' longest path, in UTF-16 units.
constexpr std::size_t kLongestNameUnits = 32767;

static constexpr std::size_t LongestLineText() {
  std::size_t longest = 0;
  for (const LineFormat& format : kLineFormats) {
    if (format.text.size() > longest) longest = format.text.size();
  }
  return longest;
}

// The longest line the plug-in writes: the longest text of the list and a
// name of the longest path, each UTF-16 unit of it at most three bytes of
// UTF-8 (a surrogate pair, two units, is four). A display text longer than
// any path is the one thing that can pass it.
constexpr std::size_t kLongestLine = LongestLineText() + 3 * kLongestNameUnits;

}  // namespace dislist::log_lines
