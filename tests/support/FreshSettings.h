#pragma once
// A GUI test that starts from no settings file and leaves none behind.

#include "tests/support/WexHarness.h"

#include <gtest/gtest.h>

/// Removes the test binary's settings file before and after each test.
class FreshSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveTestSettings(); }
  void TearDown() override { RemoveTestSettings(); }
};
