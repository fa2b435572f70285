#include <gtest/gtest.h>

#include <cstdlib>

#include "core/frontend.h"
#include "core/headless.h"
#include "core/world.h"
#include "tests/seeded_draws.h"

namespace {

// The splat's angle is the rules' draw: whichever front end shows it, the
// generator moves on by exactly one number and the front end is told the
// angle that number gives.
TEST(Splat, TheAngleIsOneDrawOfTheRulesHandedToTheFrontEnd) {
  reset_globals();
  use_headless();
  std::vector<int> d = draws_for(97, 4);
  draw_splat(1, -2, 0);
  draw_splat(0, 0, 1);
  ASSERT_EQ(headless.splat_angles.size(), 2u);
  EXPECT_EQ(headless.splat_angles[0], (d[0] % 4) * 64 + 64);
  EXPECT_EQ(headless.splat_angles[1], (d[1] % 4) * 64 + 64);
  EXPECT_EQ(std::rand(), d[2]);
}

}  // namespace
