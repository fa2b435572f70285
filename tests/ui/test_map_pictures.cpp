#include <gtest/gtest.h>

#include "../core/hand_made_level.h"
#include "core/game/newgame.h"
#include "ui/map_pictures.h"

namespace {

// Each level keeps its own kind: the level built last (level 0, always a
// cavern) leaves LEVEL_TYPE at the cavern's kind, yet room levels keep the
// plain edge.
TEST(MapPictures, ABuiltWorldMixesEdgesByLevel) {
  fresh_world(3);
  build_new_world();
  int cave = 0, plain = 0;
  for (int z = 0; z < LEVELS; z++) {
    int kind = environment[z][0][0].gas;
    int edge = wall_top_edge_picture(z);
    EXPECT_EQ(edge == PICTURE_CAVE_WALL_EDGE, kind == LEVEL_TYPE_CAVERN) << "level " << z;
    (edge == PICTURE_CAVE_WALL_EDGE ? cave : plain)++;
  }
  EXPECT_GT(cave, 0);
  EXPECT_GT(plain, 0);
  // Off the levels nothing is read.
  EXPECT_EQ(stored_level_kind(-1), 0);
  EXPECT_EQ(stored_level_kind(LEVELS), 0);
  EXPECT_EQ(wall_top_edge_picture(LEVELS), PICTURE_WALL_EDGE);
}

}  // namespace
