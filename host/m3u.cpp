#include "m3u.h"

#include "base/text_rules.h"

namespace standin {

namespace {

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsStream(const std::string& path) {
  const std::size_t scheme = path.find("://");
  return scheme != std::string::npos && scheme > 1;
}

bool IsAbsolute(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return true;    // C:\ or C:
  return !path.empty() && (path[0] == '\\' || path[0] == '/');  // rooted or UNC
}

}  // namespace

ParsedPlaylist ParseM3u(const std::string& bytes, const std::string& folder) {
  ParsedPlaylist result;
  std::string text = bytes;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

  std::string pendingTitle;
  int pendingLine = 0;
  int lineNumber = 0;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(begin, end - begin));
    begin = end + 1;
    ++lineNumber;
    const std::string where = "line " + std::to_string(lineNumber) + ": ";

    if (line.empty()) continue;
    if (!dislist::IsValidUtf8(line)) {
      result.problems.push_back(where + "not valid UTF-8, skipped");
      continue;
    }
    if (line.compare(0, 8, "#EXTINF:") == 0) {
      const std::size_t comma = line.find(',');
      if (comma == std::string::npos) {
        result.problems.push_back(where + "#EXTINF without a title, skipped");
        continue;
      }
      if (pendingLine != 0) result.problems.push_back("line " + std::to_string(pendingLine) + ": #EXTINF with no track after it, skipped");
      pendingTitle = Trim(line.substr(comma + 1));  // commas inside the title stay
      pendingLine = lineNumber;
      continue;
    }
    if (line[0] == '#') continue;  // #EXTM3U and other comments

    bool control = false;
    for (char c : line) control |= static_cast<unsigned char>(c) < 0x20;
    const bool badCharacter = !IsStream(line) && line.find_first_of("<>\"|?*") != std::string::npos;
    if (control || badCharacter) {
      result.problems.push_back(where + "not a file path or address, skipped");
      continue;
    }
    PlaylistEntry entry;
    entry.path = (IsStream(line) || IsAbsolute(line)) ? line : folder + line;
    entry.title = pendingTitle;
    entry.line = lineNumber;
    result.entries.push_back(entry);
    pendingTitle.clear();
    pendingLine = 0;
  }
  if (pendingLine != 0) result.problems.push_back("line " + std::to_string(pendingLine) + ": #EXTINF with no track after it, skipped");
  return result;
}

}  // namespace standin
