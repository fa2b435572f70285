// The level generation driver: the order in which a new world is built, the
// kind of each level, and the pass that adds ladders, the outer wall, chests,
// doors, secret passages, pillars and statues to the ground of a level.
#include "generation/dungeon.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/world.h"
#include "generation/ascii.h"
#include "generation/caverns.h"
#include "generation/populate.h"
#include "generation/rooms.h"
#include "generation/tracks.h"

std::vector<ladder_record> ladder_log;
std::vector<feature_record> feature_log;

static int terrain_at(int z, int x, int y) {
  return on_grid(z, x, y) ? map[z][x][y].terrain : TERRAIN_ROCK;
}

static int passable_at(int z, int x, int y) { return on_grid(z, x, y) ? map[z][x][y].passable : 0; }

static constexpr bool is_floor(int t) {
  return t == TERRAIN_STONE_FLOOR || t == TERRAIN_ROOM_FLOOR || t == TERRAIN_PASSAGE_FLOOR ||
         t == TERRAIN_WOODEN_FLOOR;
}

static bool is_ladder(int s) { return s == SCENERY_LADDER_UP || s == SCENERY_LADDER_DOWN; }

// True when the 3 by 3 block around (x, y) lies wholly on the grid, so its
// squares can be read without a test each.
static bool block_on_grid(int z, int x, int y) {
  return z >= 0 && z < LEVELS && x >= 1 && y >= 1 && x < LAND_SIZE - 1 && y < LAND_SIZE - 1;
}

int no_of_exits(int x, int y, int z) {
  int exits = 0;
  if (block_on_grid(z, x, y)) {
    for (int i = -1; i <= 1; i++) {
      const map_cell* column = &map[z][x + i][y - 1];
      exits += (column[0].passable > 0) + (column[1].passable > 0) + (column[2].passable > 0);
    }
    return exits;
  }
  for (int i = -1; i <= 1; i++)
    for (int j = -1; j <= 1; j++)
      if (passable_at(z, x + i, y + j) > 0) exits++;
  return exits;
}

void check_doors(int z) {
  for (int x = 0; x < MAX_LAND_SIZE_X; x++) {
    for (int y = 0; y < MAX_LAND_SIZE_Y; y++) {
      if (map[z][x][y].terrain != TERRAIN_CLOSED_DOOR) continue;
      int rock = 0;
      for (int d = NORTH; d <= NORTHWEST; d += 2)
        if (terrain_at(z, x + DIRECTION_DX[d], y + DIRECTION_DY[d]) == TERRAIN_ROCK) rock++;
      if (rock > 2) map[z][x][y].terrain = TERRAIN_ROOM_FLOOR;
    }
  }
}

// ---------------------------------------------------------------------------
// Level kind and ground
// ---------------------------------------------------------------------------

static int choose_level_kind(int z) {
  static const int kinds[4] = {LEVEL_CAVERN, LEVEL_ROOMS, LEVEL_ROOMS_B, LEVEL_CAVERN};
  int r = std::rand() % 4;
  int kind = kinds[r];
  if (r == 3 && z == 10) kind = LEVEL_TOP_ROOMS;
  if (z == 0) kind = LEVEL_CAVERN;
  if (z == MAZE_LEVEL) kind = LEVEL_MAZE;
  return kind;
}

// What a rejected cavern left behind that its next try would not overwrite:
// the residents of its rooms, the items they were given, and its track heads.
// Nothing else lies on the level yet: it is populated only once its ground
// is taken.
static void clear_rejected_cavern(int z) {
  for (int u = 1; u < UNIT_MAX; u++) {
    unit_record& r = unit[2][u];
    if (r.status == UNIT_FREE || r.z != z) continue;
    remove_unit(2, u);
    r.status = UNIT_FREE;
  }
  for (int i = 1; i < MAX_OBJECTS && i < OBJECT_SLOTS; i++) {
    object_record& o = object[i];
    if (o.status != OBJECT_ON_GROUND || o.z != z) continue;
    o.x = o.y = o.z = o.status = o.weight = o.worth = 0;
    o.owner_player = o.owner_unit = 0;
    copy_text(o.name, " ");
  }
  for (int x = 0; x < LAND_SIZE; x++) {
    for (int y = 0; y < LAND_SIZE; y++) {
      environment[z][x][y].track = 0;
      map[z][x][y].object_count = 0;
    }
  }
}

static void generate_cavern(int z) {
  cellular_try(z, 5, 1 + std::rand() % 3);
  // A try turned down for its ground placed nothing, so once the level has
  // been cleared it stays clear until a try gets as far as its rooms.  Most
  // tries end that way, and each clearing walks the whole unit and object
  // tables.
  bool cleared = false;
  // A level that keeps being rejected is taken as the last try left it.
  for (int tries = 1; (cavern_ground_rejected || !check_cavern(z)) && tries < CAVERN_RETRY_LIMIT;
       tries++) {
    if (!cleared || !cavern_ground_rejected) clear_rejected_cavern(z);
    cleared = true;
    cellular_try(z, 5, 1 + std::rand() % 3);
  }
  if (cavern_ground_rejected) lay_cave_try(z);
}

static void generate_ground(int z) {
  switch (LEVEL_TYPE) {
    case LEVEL_CAVERN:
      generate_cavern(z);
      break;
    case LEVEL_MAZE:
      maze_map(z, 0, 5 + std::rand() % 5);
      break;
    case LEVEL_DENSE_ROOMS:
      procedural_map_generation(z, 42, 0, 15000, 3);
      break;
    default:
      procedural_map_generation(z, 45, -1, 5000, 4);
      break;
  }
}

// ---------------------------------------------------------------------------
// Ladders
// ---------------------------------------------------------------------------

static void make_ladder(int z, int x, int y, ladder_rule rule) {
  map[z][x][y].scenery = SCENERY_LADDER_UP;
  bool with_way_down = rule == LADDER_CAREFUL || rule == LADDER_RELAXED || rule == LADDER_FORCED;
  if (with_way_down && z + 1 < LEVELS) {
    map[z + 1][x][y].scenery = SCENERY_LADDER_DOWN;
    map[z + 1][x][y].terrain = TERRAIN_ROOM_FLOOR;
    if (rule != LADDER_CAREFUL) environment[z + 1][x][y].lava = environment[z + 1][x][y].water = 0;
  }
  ladder_log.push_back({z, x, y, rule});
  if (DEBUG_MODE > 0) std::printf("\nLADDERS CREATED AT Z,X,Y : %d , %d, %d", z, x, y);
}

static bool ladder_floor(int t) { return t == TERRAIN_ROOM_FLOOR || t == TERRAIN_PASSAGE_FLOOR; }

// A square below a walkable square of the level above.  A square above that
// already holds a ladder is never taken: the new ladder down would replace the
// level's own way up (on the top level, the way out).
static bool ladder_candidate(int z, int x, int y) {
  int t = map[z][x][y].terrain;
  return (ladder_floor(t) || t == TERRAIN_STONE_FLOOR) && environment[z][x][y].lava == 0 &&
         map[z + 1][x][y].passable == 1 && !is_ladder(map[z + 1][x][y].scenery);
}

static bool ladder_well_spaced(int z, int x, int y) {
  for (int d = NORTHEAST; d <= NORTHWEST; d += 2)
    if (passable_at(z, x + DIRECTION_DX[d], y + DIRECTION_DY[d]) != 1) return false;
  return !mapextra_in_range(SCENERY_LADDER_UP, z, x, y, 15) &&
         !mapextra_in_range(SCENERY_LADDER_UP, z + 1, x, y, 10);
}

// The random search found nothing: the first fitting square of the scan
// gets the ladder, so no level is left without a way up.
static bool force_ladder(int z) {
  for (int pass = 0; pass < 2; pass++) {
    for (int y = 3; y <= 47; y++) {
      for (int x = 3; x <= 47; x++) {
        if (in_start_room(z, x, y) || is_ladder(map[z][x][y].scenery)) continue;
        if (z + 1 < LEVELS && is_ladder(map[z + 1][x][y].scenery)) continue;
        int t = map[z][x][y].terrain;
        bool fits = pass == 0 ? ladder_floor(t) : is_floor(t);
        if (!fits) continue;
        environment[z][x][y].lava = 0;
        make_ladder(z, x, y, z == 10 ? LADDER_EXIT : LADDER_FORCED);
        return true;
      }
    }
  }
  return false;
}

static void place_ladders(int z) {
  const int wanted = z == 10 ? 1 : 2;
  int made = 0;
  int candidates = 0;
  for (int picks = 0; made < wanted; picks++) {
    if (picks >= LADDER_PICK_LIMIT) {
      if (force_ladder(z)) made++;
      if (made < wanted && force_ladder(z)) made++;
      return;
    }
    int x = 3 + std::rand() % 45;
    int y = 3 + std::rand() % 45;
    // The starting room is built over level 0 later and would wipe a ladder.
    if (in_start_room(z, x, y)) continue;
    int t = map[z][x][y].terrain;
    if (z == 10 || candidates > 10000) {
      if (!ladder_floor(t)) continue;
      make_ladder(z, x, y, z == 10 ? LADDER_EXIT : LADDER_ALONE);
      return;
    }
    if (!ladder_candidate(z, x, y)) continue;
    candidates++;
    if (candidates > 5000) {
      make_ladder(z, x, y, LADDER_RELAXED);
      made++;
    } else if (ladder_well_spaced(z, x, y)) {
      make_ladder(z, x, y, LADDER_CAREFUL);
      made++;
    }
  }
}

// ---------------------------------------------------------------------------
// Outer wall, chests, doors, pillars
// ---------------------------------------------------------------------------

// What a square adds to open_block, looked up by its terrain and scenery
// codes: the block counts run over every floor square of every level, and a
// lookup costs less than the tests it replaces.
constexpr uint8_t BLOCK_FLOOR = 1, BLOCK_ALWAYS_OUT = 2, BLOCK_PASSAGE_OUT = 4;
constexpr int BLOCK_CODES = 256;
struct block_tables {
  std::array<uint8_t, BLOCK_CODES> terrain{}, scenery{};
};
constexpr block_tables BLOCK_BITS = [] {
  block_tables t;
  for (int c = 0; c < BLOCK_CODES; c++) {
    auto i = static_cast<std::size_t>(c);
    t.terrain[i] = static_cast<uint8_t>((is_floor(c) ? BLOCK_FLOOR : 0) |
                                        (c == TERRAIN_CLOSED_DOOR ? BLOCK_ALWAYS_OUT : 0));
    t.scenery[i] = static_cast<uint8_t>((c == SCENERY_CONTAINER ? BLOCK_ALWAYS_OUT : 0) |
                                        (c == SCENERY_SECRET_HIDDEN ? BLOCK_PASSAGE_OUT : 0));
  }
  return t;
}();

static unsigned block_bits(const map_cell& m) {
  auto of = [](const std::array<uint8_t, BLOCK_CODES>& table, int code) -> unsigned {
    return code >= 0 && code < BLOCK_CODES ? table[static_cast<std::size_t>(code)] : 0;
  };
  return of(BLOCK_BITS.terrain, m.terrain) | of(BLOCK_BITS.scenery, m.scenery);
}

// Walkable squares of the 3 by 3 block, or -1 when the block holds one of the
// features that rule the square out.
static int open_block(int z, int x, int y, bool passages_count) {
  int count = 0;
  unsigned seen = 0;
  auto add = [&](const map_cell& m) {
    unsigned bits = block_bits(m);
    seen |= bits;
    count += static_cast<int>(bits & BLOCK_FLOOR);
  };
  if (block_on_grid(z, x, y)) {
    for (int i = -1; i <= 1; i++) {
      const map_cell* column = &map[z][x + i][y - 1];
      add(column[0]);
      add(column[1]);
      add(column[2]);
    }
  } else {
    for (int i = -1; i <= 1; i++)
      for (int j = -1; j <= 1; j++)
        if (on_grid(z, x + i, y + j)) add(map[z][x + i][y + j]);
  }
  unsigned out = BLOCK_ALWAYS_OUT | (passages_count ? BLOCK_PASSAGE_OUT : 0);
  return seen & out ? -1 : count;
}

static void wall_and_chests(int z) {
  for (int y = 0; y < LAND_SIZE; y++) {
    for (int x = 0; x < LAND_SIZE; x++) {
      map_cell& m = map[z][x][y];
      if (x == 0 || y == 0 || x == LAND_SIZE - 1 || y == LAND_SIZE - 1) {
        m.terrain = TERRAIN_BUILT_WALL;
        m.scenery = SCENERY_NONE;
      }
      if (m.terrain != TERRAIN_STONE_FLOOR) continue;
      // A dead end: the square and the one way into it.
      if (open_block(z, x, y, false) == 2 && m.scenery == SCENERY_NONE && std::rand() % 2 == 1) {
        m.scenery = std::rand() % 10 == 5 ? SCENERY_LARGE_CHEST : SCENERY_CONTAINER;
        feature_log.push_back({z, x, y, FEATURE_CHEST});
      }
    }
  }
}

static bool straight_passage(int z, int x, int y) {
  return (terrain_at(z, x + 1, y) == TERRAIN_STONE_FLOOR &&
          terrain_at(z, x - 1, y) == TERRAIN_STONE_FLOOR) ||
         (terrain_at(z, x, y - 1) == TERRAIN_STONE_FLOOR &&
          terrain_at(z, x, y + 1) == TERRAIN_STONE_FLOOR);
}

static void doors_and_passages(int z) {
  for (int y = 0; y < LAND_SIZE; y++) {
    for (int x = 0; x < LAND_SIZE; x++) {
      map_cell& m = map[z][x][y];
      if (m.terrain != TERRAIN_STONE_FLOOR) continue;
      // A ladder in a passage stays a ladder.
      if (is_ladder(m.scenery)) continue;
      if (open_block(z, x, y, true) != 3 || !straight_passage(z, x, y)) continue;
      if (std::rand() % 3 != 0) {
        m.terrain = TERRAIN_CLOSED_DOOR;
        // A room's resident may stand in the passage with its belongings.
        if (m.occupant_player != 0 || m.object_count > 0) clear_built_square(z, x, y, false);
        feature_log.push_back({z, x, y, FEATURE_DOOR});
      } else {
        m.terrain = TERRAIN_ROCK;
        m.scenery = SCENERY_SECRET_HIDDEN;
        feature_log.push_back({z, x, y, FEATURE_PASSAGE});
      }
    }
  }
}

static bool passage_beside(int z, int x, int y) {
  for (int d = NORTH; d <= NORTHWEST; d += 2) {
    int nx = x + DIRECTION_DX[d], ny = y + DIRECTION_DY[d];
    if (on_grid(z, nx, ny) && map[z][nx][ny].scenery == SCENERY_SECRET_HIDDEN) return true;
  }
  return false;
}

static void pillars_and_passability(int z) {
  for (int y = 0; y < LAND_SIZE; y++) {
    for (int x = 0; x < LAND_SIZE; x++) {
      map_cell& m = map[z][x][y];
      // Rock standing free in open ground is worked into a pillar.
      if (m.terrain == TERRAIN_ROCK && no_of_exits(x, y, z) == 8 && !passage_beside(z, x, y)) {
        m.terrain = TERRAIN_PILLAR;
        if (std::rand() % 6 == 0) m.scenery = SCENERY_STATUE;
      }
      switch (m.terrain) {
        case TERRAIN_STONE_FLOOR:
          m.passable = 1;
          if (std::rand() % 3 == 0) m.terrain = TERRAIN_PASSAGE_FLOOR;
          if (m.scenery == SCENERY_CONTAINER) m.passable = 0;
          break;
        case TERRAIN_ROOM_FLOOR:
          m.passable = 1;
          break;
        case TERRAIN_CLOSED_DOOR:
        case TERRAIN_PILLAR:
          m.passable = 0;
          break;
        case TERRAIN_ROCK:
          m.passable = m.scenery == SCENERY_SECRET_HIDDEN ? 2 : 0;
          break;
        default:
          break;
      }
    }
  }
}

void generate_5x5_map(int z) {
  if (z < 0 || z >= LEVELS) return;
  LEVEL_TYPE = choose_level_kind(z);
  generate_ground(z);
  check_doors(z);
  map_movecost(z);
  place_ladders(z);
  wall_and_chests(z);
  doors_and_passages(z);
  pillars_and_passability(z);
}

// ---------------------------------------------------------------------------
// The whole world
// ---------------------------------------------------------------------------

static void populate_level(int z) {
  bool cavern = LEVEL_TYPE == LEVEL_CAVERN;
  if (cavern && z != 0) generate_mushrooms(z);
  if (z > 7) generate_herbs(z);
  if (!cavern) generate_barrels(z);
  if (!cavern) generate_food(z);
  if (cavern && z != 0) generate_crystals(z);
  generate_pools(z);
  generate_torches(z);
  if (z > 0) generate_oilpatchs(z);
  if (z > 0) generate_weapons(z);
  if (z > 0) generate_armour(z);
}

void generate_world() {
  ladder_log.clear();
  feature_log.clear();
  QUEST_NO = 1 + std::rand() % 4;
  MAZE_LEVEL = 2 + std::rand() % 3;
  // From the top down, so each level's ladders can look at the level above.
  for (int z = LEVELS - 1; z >= 0; z--) {
    generate_5x5_map(z);
    if (z == 0) start_room(MAX_LAND_SIZE_X / 2 - 2, START_ROOM_Y, 0);
    environment[z][0][0].gas = LEVEL_TYPE;
    populate_level(z);
    generate_track(z);
    map_movecost(z);
    seal_outer_wall(z);
  }
  generate_traps();
  generate_monsters();
  if (DEBUG_MODE > 0) {
    for (int z = LEVELS - 1; z >= 0; z--) {
      std::printf("\nLvl %d ", z);
      ascii_level(z);
    }
  }
}
