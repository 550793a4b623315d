#include "support/plugin_fixture.h"

namespace testing_support {

void LinkedPlugin::SetUp() {
  dislist::IAIMPPlugin* header = nullptr;
  ASSERT_EQ(AIMPPluginGetHeader(&header), S_OK);
  plugin = static_cast<dislist::AIMPDislistPlugin*>(header);
  ASSERT_EQ(host.core().QueryInterface(dislist::IID_IAIMPServicePlaylistManager,
                                       plugin->playlistManager.put_void()),
            S_OK);
  log.Skip();
}

void LinkedPlugin::TearDown() {
  plugin->playlistManager.reset();
  EXPECT_EQ(host.Unbalanced(), "");
  EXPECT_EQ(plugin->Release(), 0u);
}

}  // namespace testing_support
