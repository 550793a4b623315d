#include "support/log_text.h"

namespace testing_support {

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string CrLf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::vector<std::string> Banner() {
  const std::string separator(40, '=');
  return {"", separator, "AIMP Dislist", separator, "Plugin initialized.",
          "Remote Access + Playlist deletion.", "NO IAIMPMessageHook.", "NO worker thread.",
          "NO IAIMPServicePlayer.", "Physical file deletion: NO.", "!DELETE protection: YES.",
          separator};
}

std::vector<std::string> RemovalHeader(const std::string& previous) {
  return {"", "========================================", "PLAYLIST DELETE CHECK", "PREVIOUS FILE: " + previous};
}

std::vector<std::string> FoundItem(const std::string& previous, int count, int index, const std::string& fileName,
                                   const std::string& displayText) {
  return Join(RemovalHeader(previous),
              {"PLAYLIST ITEM COUNT: " + std::to_string(count), "PLAYLIST DELETE: FOUND.",
               "INDEX: " + std::to_string(index), "FILENAME: " + fileName, "DISPLAYTEXT: " + displayText});
}

std::vector<std::string> Deleted() {
  return {"PLAYLIST DELETE: DELETING ITEM.", "PHYSICAL DELETE: NO.", "PLAYLIST DELETE: SUCCESS."};
}

std::vector<std::string> Refused(const std::string& hresult) {
  return {"PLAYLIST DELETE: DELETING ITEM.", "PHYSICAL DELETE: NO.", "PLAYLIST DELETE: FAILED.",
          "HRESULT: 0x" + hresult};
}

std::vector<std::string> KeptByMarker() {
  return {"PLAYLIST DELETE: SKIPPED.", "REASON: !DELETE marker found.", "PHYSICAL FILE: untouched.",
          "PLAYLIST ITEM: untouched."};
}

}  // namespace testing_support
