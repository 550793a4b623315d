// The built AIMP_Dislist.dll, copied into a folder of its own and loaded by
// the stand-in player, with the log captured.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "player.h"
#include "support/log_capture.h"
#include "support/log_text.h"
#include "support/temp_dir.h"

namespace testing_support {

// The built library beside the test program.
std::wstring BuiltDllPath();
// Copies the built library into `folder` and returns the copy's path.
std::wstring CopyDllInto(const std::wstring& folder, const std::wstring& name = L"AIMP_Dislist.dll");

std::string Utf8(const std::wstring& text);

// The nine lines that close a successful start-up.
std::vector<std::string> ReadyBlock(const std::string& currentTrackFile);

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the plug-in and forgets the start-up lines.
  void StartQuietly();
  std::vector<std::string> Lines() const { return log.NewLines(); }
  std::string CurrentTrackFile() const { return ReadFileBytes(currentTrackPath); }
  // Lines of the log that equal `text`.
  int Count(const std::string& text) const;

  TempDir dir;
  std::wstring currentTrackPath;
  LogCapture log;
  std::unique_ptr<standin::Player> player;
};

}  // namespace testing_support
