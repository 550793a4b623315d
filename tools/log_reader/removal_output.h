// Where the removals that a selection picks go: printed one file name a
// line (removed), or written as a playlist to give them back (export, and
// the report's offer).
#pragma once

#include <cstdint>
#include <string>

#include "log_scanner.h"
#include "output.h"
#include "playlist_file.h"

namespace dislist_log {

class RemovalOutput {
 public:
  virtual ~RemovalOutput() = default;
  virtual void Add(const Removal& removal) = 0;
  // After the last removal: puts the result in place. False, said on the
  // error output, when that failed.
  virtual bool Finish() = 0;
  std::uint64_t count() const { return count_; }

 protected:
  std::uint64_t count_ = 0;
};

class RemovalPrinter final : public RemovalOutput {
 public:
  explicit RemovalPrinter(CheckedOutput& out) : out_(out) {}
  void Add(const Removal& removal) override;
  bool Finish() override { return true; }

 private:
  CheckedOutput& out_;
};

// An M3U8 playlist with the display texts as titles; a file name that is
// not clean UTF-8 text is left out and said. Nothing is written when no
// removal comes.
class PlaylistExport final : public RemovalOutput {
 public:
  // `whenFailed` follows the problem when the playlist cannot be made
  // ("back.m3u8 is left as it was").
  PlaylistExport(std::wstring target, PlaylistFile::Placing placing, std::string whenFailed, CheckedOutput& err,
                 PlaylistFile::NextName nextName = nullptr)
      : playlist_(std::move(target), placing, std::move(nextName)), whenFailed_(std::move(whenFailed)), err_(err) {}
  void Add(const Removal& removal) override;
  bool Finish() override;
  // Says `problem` and what became of the files.
  void SayFailed(const std::string& problem);
  std::uint64_t leftOut() const { return leftOut_; }
  // Where the playlist went, in full.
  const std::wstring& fullPath() const { return playlist_.fullPath(); }
  // "3 removed entries written to C:\...\back.m3u8 (1 left out, see above)"
  std::string Written() const;

 private:
  PlaylistFile playlist_;
  std::string whenFailed_;
  CheckedOutput& err_;
  bool opened_ = false;
  std::uint64_t leftOut_ = 0;
};

// Reads the first `bytes` of the log again, the ones a first pass checked,
// and hands the removals of runs `firstRun` to `lastRun` to `output`. False
// when the log cannot be read; `error` is then the code.
bool ReadRemovals(const std::wstring& logPath, std::uint64_t bytes, int firstRun, int lastRun,
                  RemovalOutput& output, DWORD& error);

// What a playlist of removals is made from: the bytes of the log that a
// first pass checked (`whole` is that pass), the runs chosen, and that
// choice in words ("run 3").
struct RemovalSource {
  const std::wstring& logPath;
  std::uint64_t bytes;
  int firstRun, lastRun;
  std::string selection;
  const LogScanner& whole;
};

// export and the report's give-back alike: reads the removals again into
// `playlist`, then says where it went, or why nothing was written. Returns
// the exit code: 0 written or nothing to write, 1 failed.
int WriteRemovalsPlaylist(const RemovalSource& source, PlaylistExport& playlist, CheckedOutput& out,
                          CheckedOutput& err);

}  // namespace dislist_log
