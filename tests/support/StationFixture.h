#pragma once

#include <gtest/gtest.h>

#include "support/StationRig.h"

// The station rig as a test fixture.
class StationFixture : public ::testing::Test, public StationRig {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void seed(int32_t first, int32_t last, int32_t newest)
    {
        ASSERT_TRUE(StationRig::seed(first, last, newest)) << "cannot seed " << path.toStdString();
    }
};
