#include <gtest/gtest.h>

#include <utility>

#include "../core/hand_made_level.h"
#include "core/game/newgame.h"
#include "ui/map_cache.h"
#include "ui/map_pictures.h"

namespace {

// A 10 by 8 view of level 2 whose top left square is (20, 30).
view_place middle_view() {
  return {.z = 2, .origin_x = 20, .origin_y = 30, .cols = 10, .rows = 8, .tile = 48};
}

// The kept background is redrawn for any square of the view or of the ring
// around it whose drawing inputs change, and for nothing farther away.
TEST(MapCache, BackgroundFollowsTheViewAndItsRing) {
  fresh_world();
  view_place p = middle_view();
  kept_layer layer;
  EXPECT_TRUE(layer.stale(p, background_inputs(p)));  // never drawn
  EXPECT_FALSE(layer.stale(p, background_inputs(p)));

  const std::pair<const char*, void (*)()> changes[] = {
      {"a door opens in the view", [] { map[2][25][33].terrain = TERRAIN_OPEN_DOOR; }},
      {"a wall beside the view is dug out", [] { map[2][19][33].terrain = TERRAIN_ROOM_FLOOR; }},
      {"a square of the lower ring is seen", [] { map[2][25][38].revealed = 2; }},
      {"lava in the corner", [] { environment[2][29][37].lava = 1; }},
      {"a track is laid", [] { environment[2][20][30].track = TRACK_NS; }},
      {"a secret passage is found", [] { map[2][21][31].scenery = SCENERY_SECRET_FOUND; }},
      {"a wall turns tall", [] { map[2][22][31].wall_variant = 1; }}};
  for (const auto& [what, apply] : changes) {
    apply();
    EXPECT_TRUE(layer.stale(p, background_inputs(p))) << what;
    EXPECT_FALSE(layer.stale(p, background_inputs(p))) << what << ", drawn again";
  }
  // Two squares away, on another level, or what the background never reads.
  map[2][18][33].terrain = TERRAIN_ROOM_FLOOR;
  map[2][25][39].revealed = 1;
  map[3][25][33].terrain = TERRAIN_OPEN_DOOR;
  map[2][25][33].object_count = 3;
  environment[2][25][33].water = 1;
  EXPECT_FALSE(layer.stale(p, background_inputs(p)));

  // The view moving or changing size, or another level kind.
  p.origin_x++;
  EXPECT_TRUE(layer.stale(p, background_inputs(p)));
  p.extra = 51;
  EXPECT_TRUE(layer.stale(p, background_inputs(p)));
  layer.forget();
  EXPECT_TRUE(layer.stale(p, background_inputs(p)));
}

// A view over the edge of the level reads nothing off it, and the squares
// off it count as rock whatever lies in the table beyond the level's size.
TEST(MapCache, OffTheLevelIsFixedRock) {
  fresh_world();
  MAX_LAND_SIZE_X = 40;
  view_place p = middle_view();
  p.origin_x = 35, p.origin_y = -3;
  std::vector<int32_t> before = background_inputs(p);
  EXPECT_EQ(before.size(), static_cast<std::size_t>((p.cols + 2) * (p.rows + 2) * 6));
  map[2][42][0].terrain = TERRAIN_ROOM_FLOOR;  // beyond MAX_LAND_SIZE_X
  EXPECT_EQ(background_inputs(p), before);
  map[2][40][0].terrain = TERRAIN_ROOM_FLOOR;  // the level's last column
  EXPECT_NE(background_inputs(p), before);
}

// The darkness mask follows the party, sight, light and walls of the view.
TEST(MapCache, SightMaskFollowsPartyLightAndSight) {
  fresh_world();
  view_place p = middle_view();
  kept_layer layer;
  layer.stale(p, sight_inputs(p, 1, false));
  EXPECT_FALSE(layer.stale(p, sight_inputs(p, 1, false)));

  place_unit(1, 2, 2, 24, 34);  // a party member steps in
  EXPECT_TRUE(layer.stale(p, sight_inputs(p, 1, false)));
  place_unit(2, 5, 2, 25, 34);  // a creature does not cut the mask
  EXPECT_FALSE(layer.stale(p, sight_inputs(p, 1, false)));
  EXPECT_TRUE(layer.stale(p, sight_inputs(p, 1, true))) << "the torch is lit";
  EXPECT_FALSE(layer.stale(p, sight_inputs(p, 1, true)));
  map[2][26][35].revealed = 1;
  EXPECT_TRUE(layer.stale(p, sight_inputs(p, 1, true))) << "a square comes into sight";
  map[2][26][35].terrain = TERRAIN_ROCK;
  EXPECT_TRUE(layer.stale(p, sight_inputs(p, 1, true))) << "it turns out to be a wall";
  EXPECT_TRUE(layer.stale(p, sight_inputs(p, 1, false))) << "the torch goes out";
  environment[2][27][35].zone = ZONE_METAL_ROOM;
  EXPECT_TRUE(layer.stale(p, sight_inputs(p, 1, false))) << "a metal room shines on";
  EXPECT_TRUE(layer.stale(p, sight_inputs(p, 2, false))) << "another player's turn";
}

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
