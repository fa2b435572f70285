// Set-ups and checks the action tests share: containers put down by hand,
// seeds chosen for the draws a rule will make, and who stands where.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/core/hand_made_level.h"
#include "tests/seeded_draws.h"

// Most action tests start from an empty hand-made world.
class FreshWorldTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }
};

// The first seed whose first n draws satisfy want; the generator is left
// seeded with it.
inline unsigned seed_where(int n, const std::function<bool(const std::vector<int>&)>& want) {
  for (unsigned seed = 1; seed < 100000; seed++)
    if (want(draws_for(seed, n))) return seed;
  ADD_FAILURE() << "no seed draws that";
  return 1;
}

// A container in slot c at (x, y) of level z, with its marker on the square.
inline container_record& put_container(int c, int z, int x, int y, int type, int state,
                                       const char* name, int weight = 100, int size = 7) {
  container_record& k = container[c];
  k = container_record{};
  k.x = x, k.y = y, k.z = z;
  k.type = type, k.state = state, k.weight = weight, k.size = size;
  copy_text(k.name, name);
  map[z][x][y].scenery = SCENERY_CONTAINER;
  map[z][x][y].passable = 0;
  return k;
}

// The unit stands on (x, y) of level z and the square names it and is shut.
inline ::testing::AssertionResult stands(int player, int u, int z, int x, int y) {
  const unit_record& r = unit[player][u];
  const map_cell& c = map[z][x][y];
  if (r.z == z && r.x == x && r.y == y && c.occupant_player == player && c.occupant_unit == u &&
      c.passable == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "unit at " << r.z << "," << r.x << "," << r.y << "; square names " << c.occupant_player
         << "/" << c.occupant_unit << ", passable " << c.passable;
}

// Nobody stands on the square and it lets units through.
inline ::testing::AssertionResult vacant(int z, int x, int y) {
  const map_cell& c = map[z][x][y];
  if (c.occupant_player == 0 && c.occupant_unit == 0 && c.passable == 1)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "square names " << c.occupant_player << "/"
                                       << c.occupant_unit << ", passable " << c.passable;
}
