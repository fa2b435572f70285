#include <gtest/gtest.h>

#include "core/world.h"

TEST(World, ResetLeavesEveryUnitSlotFree) {
  nuke_variables();
  EXPECT_EQ(unit[2][1].status, UNIT_FREE);
}
