#include "support/e2e_fixture.h"

#include <windows.h>

#include "host_text.h"
#include "loaded_plugin.h"

namespace testing_support {

std::wstring BuiltDllPath() { return standin::ProgramFolder() + L"AIMP_Dislist.dll"; }

std::wstring CopyDllInto(const std::wstring& folder, const std::wstring& name) {
  const std::wstring target = folder + name;
  ::CopyFileW(BuiltDllPath().c_str(), target.c_str(), FALSE);
  return target;
}

std::string Utf8(const std::wstring& text) { return standin::ToUtf8(text); }

std::vector<std::string> ReadyBlock(const std::string& currentTrackFile) {
  return {"", "PLUGIN READY.", "CURRENT TRACK FILE:", currentTrackFile,
          "PLAYLIST DELETE: ENABLED.", "PHYSICAL DELETE: DISABLED.",
          "!DELETE PROTECTION: ENABLED.", "Waiting for track notifications...",
          std::string(40, '=')};
}

void EndToEnd::SetUp() {
  const std::wstring dll = CopyDllInto(dir.path());
  currentTrackPath = dir.path() + testing_support::kCurrentTrackFile;
  player.reset(new standin::Player(dll));
  ASSERT_TRUE(player->plugin.ok()) << player->plugin.error();
  log.Skip();
}

void EndToEnd::TearDown() {
  if (player->plugin.ok()) player->Stop();
  player->plugin.Unload();
  EXPECT_EQ(player->objects.Unbalanced(), "");
  player.reset();
}

void EndToEnd::StartQuietly() {
  ASSERT_EQ(player->Start(), S_OK);
  log.Skip();
}

int EndToEnd::Count(const std::string& text) const {
  int count = 0;
  for (const auto& line : Lines()) count += line == text;
  return count;
}

}  // namespace testing_support
