#pragma once

#include "support/test_application.h"

#include <gtest/gtest.h>

namespace brookhum::test {

// A test that starts from a first run: an empty settings store and no error
// shown yet; it leaves the store empty behind it.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearSettingsStore();
        testApp().shownErrors.clear();
    }
    void TearDown() override { clearSettingsStore(); }
};

} // namespace brookhum::test
