#include "playlist_file.h"

#include "base/text_rules.h"
#include "file_identity.h"
#include "text.h"

namespace dislist_log {

ExportFileCalls exportFileCalls = {::CreateFileW, ::WriteFile, ::MoveFileExW};

PlaylistFile::~PlaylistFile() {
  Close();
  if (!temporary_.empty()) ::DeleteFileW(temporary_.c_str());
}

bool PlaylistFile::Open() {
  std::wstring folder;
  fullPath_ = FullPath(target_, &folder);
  if (fullPath_.empty()) return Fail("cannot resolve " + Utf8(target_), ::GetLastError());
  wchar_t name[MAX_PATH * 4] = {};
  if (::GetTempFileNameW(folder.c_str(), L"dsl", 0, name) == 0) {
    return Fail("cannot make a new file in " + Utf8(folder), ::GetLastError());
  }
  temporary_ = name;
  file_.reset(exportFileCalls.createFile(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) return Fail("cannot write " + Utf8(temporary_), ::GetLastError());
  return true;
}

// The error code is taken right after the failing call. A write that
// succeeds short has none of its own: on a file, only a full disk does that.
bool PlaylistFile::Write(std::string_view text) {
  if (!problem_.empty()) return false;
  DWORD written = 0;
  const BOOL wrote =
      exportFileCalls.writeFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  const DWORD error = wrote ? static_cast<DWORD>(ERROR_DISK_FULL) : ::GetLastError();
  if (wrote && written == text.size()) return true;
  return Fail("cannot write " + Utf8(temporary_) + " (" + Number(written) + " of " + Number(text.size()) +
                  " bytes written)",
              error);
}

bool PlaylistFile::Commit() {
  if (!problem_.empty()) return false;
  const bool flushed = ::FlushFileBuffers(file_.get()) != FALSE;
  DWORD error = flushed ? ERROR_SUCCESS : ::GetLastError();
  if (!Close() && flushed) error = ::GetLastError();
  if (error != ERROR_SUCCESS) return Fail("cannot write " + Utf8(temporary_), error);
  return PutInPlace();
}

// A move that never replaces fails on a name taken since it was chosen; the
// next free name is tried then, a bounded number of times, and any other
// failure is the real one.
bool PlaylistFile::PutInPlace() {
  const DWORD replace = placing_ == Placing::kReplace ? MOVEFILE_REPLACE_EXISTING : 0;
  for (int attempt = 0;; ++attempt) {
    if (exportFileCalls.moveFile(temporary_.c_str(), target_.c_str(), replace | MOVEFILE_WRITE_THROUGH)) break;
    const DWORD error = ::GetLastError();
    const bool taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    std::wstring next = taken && nextName_ && attempt < 100 ? nextName_() : std::wstring();
    if (next.empty() || next == target_) {
      return Fail("cannot put the playlist in place of " + Utf8(target_), error);
    }
    target_ = std::move(next);
    fullPath_ = FullPath(target_);
    if (fullPath_.empty()) fullPath_ = target_;
  }
  temporary_.clear();
  return true;
}

bool PlaylistFile::Close() {
  if (!file_) return true;
  return ::CloseHandle(file_.release()) != FALSE;
}

bool PlaylistFile::Fail(const std::string& what, DWORD error) {
  if (problem_.empty()) problem_ = what + " (error " + Number(error) + ")";
  return false;
}

std::string PlaylistTitle(std::string_view displayText) {
  std::string title;
  title.reserve(displayText.size());
  std::size_t at = 0;
  while (at < displayText.size()) {
    // The longest well-formed sequence here, or one bad byte.
    std::size_t length = 1;
    while (length <= 4 && at + length <= displayText.size() &&
           !dislist::IsValidUtf8(displayText.substr(at, length))) {
      ++length;
    }
    if (length > 4 || at + length > displayText.size()) {
      title += "\xEF\xBF\xBD";
      ++at;
      continue;
    }
    const auto lead = static_cast<unsigned char>(displayText[at]);
    if (length == 1 && (lead < 0x20 || lead == 0x7F)) {
      title += ' ';
    } else {
      title.append(displayText.substr(at, length));
    }
    at += length;
  }
  return title;
}

}  // namespace dislist_log
