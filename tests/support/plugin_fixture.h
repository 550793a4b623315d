// A plug-in object linked into the test, wired to the stand-in host's
// objects as a successful start-up would leave it, with the log captured.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com_objects.h"
#include "plugin/plugin.h"
#include "support/log_capture.h"
#include "support/log_text.h"

namespace testing_support {

class LinkedPlugin : public ::testing::Test {
 protected:
  void SetUp() override;
  // Checks that every host reference the plug-in took was given back.
  void TearDown() override;

  std::vector<std::string> Lines() const { return log.NewLines(); }

  standin::HostObjects host;
  dislist::AIMPDislistPlugin* plugin = nullptr;
  LogCapture log;
};


}  // namespace testing_support
