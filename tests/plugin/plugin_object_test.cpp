#include "plugin/plugin.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace dislist {
namespace {

const GUID kIUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// The plug-in's own interface is never answered: the host asks only IUnknown.
const GUID kSomethingElse = {0x41494D50, 0x506C, 0x7567, {0x69, 0x6E, 0, 0, 0, 0, 0, 0}};

// Takes the one object and drops every reference at the end.
class PluginObject : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(AIMPPluginGetHeader(&plugin_), S_OK); }
  void TearDown() override {
    while (plugin_ != nullptr && plugin_->Release() != 0) {
    }
    EXPECT_EQ(pluginInstance, nullptr);
  }
  ULONG Count() {
    plugin_->AddRef();
    return plugin_->Release();
  }
  IAIMPPlugin* plugin_ = nullptr;
};

TEST(PluginHeader, NullDestinationCreatesNothing) {
  EXPECT_EQ(AIMPPluginGetHeader(nullptr), E_POINTER);
  EXPECT_EQ(pluginInstance, nullptr);
}

TEST_F(PluginObject, OneObjectPerLibraryWithOneReferenceEachRequest) {
  EXPECT_EQ(Count(), 1u);
  IAIMPPlugin* again = nullptr;
  ASSERT_EQ(AIMPPluginGetHeader(&again), S_OK);
  EXPECT_EQ(again, plugin_);
  EXPECT_EQ(Count(), 2u);
  EXPECT_EQ(again->Release(), 1u);
}

TEST_F(PluginObject, QueryInterfaceAnswersOnlyIUnknown) {
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(plugin_->QueryInterface(kIUnknown, &out), S_OK);
  EXPECT_EQ(out, static_cast<void*>(plugin_));
  EXPECT_EQ(Count(), 2u);
  plugin_->Release();

  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(plugin_->QueryInterface(kSomethingElse, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(Count(), 1u);

  EXPECT_EQ(plugin_->QueryInterface(kIUnknown, nullptr), E_POINTER);
  EXPECT_EQ(Count(), 1u);
}

TEST_F(PluginObject, ReleaseReturnsTheCountAndKeepsTheObjectAboveZero) {
  EXPECT_EQ(plugin_->AddRef(), 2u);
  auto* object = static_cast<AIMPDislistPlugin*>(plugin_);
  object->previousFileName = "kept";
  EXPECT_EQ(plugin_->Release(), 1u);
  EXPECT_EQ(object->previousFileName, "kept");
  EXPECT_EQ(pluginInstance, object);
}

TEST_F(PluginObject, InfoTextsAndTheirBounds) {
  EXPECT_STREQ(plugin_->GetInfoText(0), L"AIMP Dislist");
  EXPECT_STREQ(plugin_->GetInfoText(1), L"Velk");
  EXPECT_STREQ(plugin_->GetInfoText(2), L"Dislist tracks from playlist");
  // The fourth text names the build.
#ifdef _WIN64
  EXPECT_STREQ(plugin_->GetInfoText(3), L"AIMP SDK 5.40 x64 - Remote Access + Playlist");
#else
  EXPECT_STREQ(plugin_->GetInfoText(3), L"AIMP SDK 5.40 x86 - Remote Access + Playlist");
#endif
  EXPECT_EQ(plugin_->GetInfoText(4), nullptr);
  EXPECT_EQ(plugin_->GetInfoText(-1), nullptr);
  EXPECT_EQ(plugin_->GetInfoText(INT_MIN), nullptr);
  EXPECT_EQ(plugin_->GetCategories(), 1u);
  plugin_->Notify(0, nullptr);  // ignored
}

TEST(PluginHeader, RequestAfterTheLastReleaseMakesAFreshObject) {
  IAIMPPlugin* first = nullptr;
  ASSERT_EQ(AIMPPluginGetHeader(&first), S_OK);
  static_cast<AIMPDislistPlugin*>(first)->previousFileName = "old state";
  EXPECT_EQ(first->Release(), 0u);
  EXPECT_EQ(pluginInstance, nullptr);

  IAIMPPlugin* second = nullptr;
  ASSERT_EQ(AIMPPluginGetHeader(&second), S_OK);
  auto* fresh = static_cast<AIMPDislistPlugin*>(second);
  EXPECT_EQ(fresh->previousFileName, "");
  EXPECT_EQ(fresh->core, nullptr);
  EXPECT_FALSE(fresh->playlistManager);
  EXPECT_EQ(second->Release(), 0u);
}

}  // namespace
}  // namespace dislist
