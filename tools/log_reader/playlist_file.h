// The playlist that export writes: a new file in the output's folder, put in
// place of the output only when complete and removed again on any failure,
// so a failed export leaves every file as it was.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "base/owners.h"

namespace dislist_log {

// The Windows calls through which export writes its playlist and puts it in
// place; the Windows functions themselves in the program.
struct ExportFileCalls {
  HANDLE(WINAPI* createFile)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
  BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
  BOOL(WINAPI* moveFile)(LPCWSTR, LPCWSTR, DWORD);
};
extern ExportFileCalls exportFileCalls;

class PlaylistFile {
 public:
  // Whether the finished playlist may take the place of a file of its name
  // (export, as asked) or must never (a name the program chose).
  enum class Placing { kReplace, kNeverReplace };
  // Another free name, when the one chosen was taken before the playlist
  // could be put in place; empty when there is none.
  using NextName = std::function<std::wstring()>;
  explicit PlaylistFile(std::wstring target, Placing placing = Placing::kReplace, NextName nextName = nullptr)
      : target_(std::move(target)), placing_(placing), nextName_(std::move(nextName)) {}
  ~PlaylistFile();
  PlaylistFile(const PlaylistFile&) = delete;
  PlaylistFile& operator=(const PlaylistFile&) = delete;

  bool Open();
  bool Write(std::string_view text);
  // Flushes, closes and puts the playlist in place of the output. A name
  // that is never replaced and is taken meanwhile (another give-back at the
  // same moment) gives way to the next free one.
  bool Commit();

  // What failed first, with its Windows error code.
  const std::string& problem() const { return problem_; }
  // The target's full path, once opened (once committed: where it went).
  const std::wstring& fullPath() const { return fullPath_; }

 private:
  bool Close();
  bool Fail(const std::string& what, DWORD error);
  bool PutInPlace();

  std::wstring target_;
  Placing placing_;
  NextName nextName_;
  std::wstring fullPath_;
  std::wstring temporary_;
  dislist::UniqueFile file_;
  std::string problem_;
};

// A display text made safe as a playlist title: every control character
// becomes a space, and bytes that are not UTF-8 become U+FFFD.
std::string PlaylistTitle(std::string_view displayText);

}  // namespace dislist_log
