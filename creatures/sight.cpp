// Line of sight.  Sight is directional: a unit sees a fan of rays in front of
// it and the squares around it except the three behind.  Rays step in equal
// fractions of the way to their end and round each point to a square, so what
// a ray can see depends on those exact steps.
#include "creatures/sight.h"

#include <cstdio>
#include <vector>

#include "core/frontend.h"
#include "core/replay.h"
#include "core/world.h"
#include "items/inventory.h"

constexpr int EXIT_LEVEL = 10;
constexpr int IN_LOS_STEPS = 11;
constexpr int SINGLE_RAY_STEPS = 6;
constexpr int BIG_CONTAINER = 15;  // larger containers hide what is behind them

// ---------------------------------------------------------------------------
// Ray stepping
// ---------------------------------------------------------------------------

// Truncates towards zero, then rounds a dropped half or more up.
static int round_coordinate(float v) {
  int t = static_cast<int>(v);
  if (v - static_cast<float>(t) >= 0.5f) t++;
  return t;
}

// Point s of a ray of n steps from (ox, oy) to (ex, ey).
static void ray_point(int ox, int oy, int ex, int ey, int n, int s, int& px, int& py) {
  float step_x = static_cast<float>(ex - ox) / static_cast<float>(n);
  float step_y = static_cast<float>(ey - oy) / static_cast<float>(n);
  float fx = static_cast<float>(ox) + static_cast<float>(s) * step_x;
  float fy = static_cast<float>(oy) + static_cast<float>(s) * step_y;
  px = round_coordinate(fx);
  py = round_coordinate(fy);
}

struct point {
  int x, y;
};

// End point k = i + h of a cone of n steps.  The near cone of in_los reaches
// less far north and south than east and west.
static point cone_end(int facing, int x, int y, int i, int h, int n, bool near_cone) {
  int ahead_ns = near_cone ? h - 1 : h + 2;
  int ahead_ew = near_cone ? h + 1 : h + 2;
  switch (facing) {
    case NORTH:
      return {x + i, y - ahead_ns};
    case NORTHEAST:
      return {x + i + h + 1, y + i - h - 1};
    case EAST:
      return {x + ahead_ew, y + i};
    case SOUTHEAST:
      return {x + i + h + 1, y - i + h + 1};
    case SOUTH:
      return {x + i, y + ahead_ns};
    case SOUTHWEST:
      return {x + i - h - 1, y + i + h + 1};
    case WEST:
      return {x - ahead_ew, y + i};
    case NORTHWEST:
      return {x + i - h - 1, y - i - h - 1};
    default:
      return {x + i, y + n};
  }
}

// The rays of a cone of n steps: end points 0..n-1.
static std::vector<point> cone(int facing, int x, int y, int n, bool near_cone) {
  std::vector<point> ends;
  int h = n / 2;
  for (int i = -h; i <= h && static_cast<int>(ends.size()) < n; i++)
    ends.push_back(cone_end(facing, x, y, i, h, n, near_cone));
  return ends;
}

// ---------------------------------------------------------------------------
// What stops a ray
// ---------------------------------------------------------------------------

static bool big_container(int z, int x, int y) {
  // Only a container standing on its marker hides anything: a boulder rolled
  // into a pit keeps its record there, but it now fills the pit and is
  // walked over, so it must not wall off the view for the rest of the game.
  if (map[z][x][y].scenery != SCENERY_CONTAINER) return false;
  int c = which_container(z, x, y);
  return c > 0 && c < CONTAINER_SLOTS && container[c].size > BIG_CONTAINER;
}

static bool solid_terrain(int t) {
  return t == TERRAIN_BUILT_WALL || t == TERRAIN_CLOSED_DOOR || t == TERRAIN_ROCK ||
         t == TERRAIN_EARTH || t == TERRAIN_PILLAR;
}

// The party's own sight: windows, metal doors and rubble stop it.
static bool stops_party_ray(int z, int x, int y, bool through_window) {
  const map_cell& c = map[z][x][y];
  if (solid_terrain(c.terrain) || c.terrain == TERRAIN_METAL_DOOR_CLOSED) return true;
  if (c.terrain == TERRAIN_WINDOW && !through_window) return true;
  if (c.scenery == SCENERY_BOULDER || c.scenery == SCENERY_RUBBLE) return true;
  return big_container(z, x, y);
}

static bool stops_in_los(int z, int x, int y) {
  const map_cell& c = map[z][x][y];
  if (solid_terrain(c.terrain) || c.scenery == SCENERY_BOULDER) return true;
  return big_container(z, x, y);
}

// single_ray sees past things; only walls and doors (and a passage not yet
// found, which looks like wall) stop it.
static bool stops_single_ray(const map_cell& c) {
  return solid_terrain(c.terrain) || c.scenery == SCENERY_SECRET_HIDDEN;
}

// ---------------------------------------------------------------------------
// The party's view
// ---------------------------------------------------------------------------

static void light_block(int z, int x, int y) {
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++)
      if (on_grid(z, x + dx, y + dy)) map[z][x + dx][y + dy].revealed = 1;
}

static void raise_exit_alarm() {
  FOUND_EXIT = 1;
  message_box("You have found the exit!!!");
  warning_message("You see the exit out of this accursed place!",
                  "You also hear in the distant a bell ringing,",
                  "Quick you don't have long before the GUARDS", "Will get here. GET OUT NOW!!", "",
                  "", 0);
}

// The edges of the cone are only glimpsed.
static void trace_outer_ray(int z, int ox, int oy, point end, int n, int sight) {
  for (int s = 1; s <= sight - 1; s++) {
    int x, y;
    ray_point(ox, oy, end.x, end.y, n, s, x, y);
    if (!on_grid(z, x, y)) return;
    map_cell& c = map[z][x][y];
    if (c.revealed != 1) c.revealed = 2;
    if (c.scenery == SCENERY_FIRE) light_block(z, x, y);
    if (stops_party_ray(z, x, y, false)) return;
  }
}

static void trace_inner_ray(int player, int z, int ox, int oy, point end, int n, int sight, int ray,
                            bool middle) {
  for (int s = 1; s <= sight - 1; s++) {
    int x, y;
    ray_point(ox, oy, end.x, end.y, n, s, x, y);
    if (!on_grid(z, x, y)) return;
    map_cell& c = map[z][x][y];
    c.revealed = 1;
    if (c.terrain == TERRAIN_WINDOW && !middle && DEBUG_MODE > 0)
      std::printf("\nRay %d stopped by window!", ray);
    if (c.scenery == SCENERY_FIRE) light_block(z, x, y);
    if (FOUND_EXIT == 0 && player == CURRENT_PLAYER && c.scenery == SCENERY_LADDER_UP &&
        z == EXIT_LEVEL)
      raise_exit_alarm();
    if (stops_party_ray(z, x, y, middle)) return;
  }
}

void los_unit(int player, int u) {
  if (!unit_slot_valid(player, u)) return;
  const unit_record& me = unit[player][u];
  if (!on_grid(me.z, me.x, me.y) || me.sight < 1) return;
  int n = me.sight + 1, h = n / 2;
  std::vector<point> ends = cone(me.facing, me.x, me.y, n, false);

  trace_outer_ray(me.z, me.x, me.y, ends[0], n, me.sight);
  trace_outer_ray(me.z, me.x, me.y, ends[n - 1], n, me.sight);
  for (int k = 1; k <= n - 2; k++) {
    bool middle = k >= h - 1 && k <= h + 1;
    trace_inner_ray(player, me.z, me.x, me.y, ends[k], n, me.sight, k, middle);
  }
}

// Squares behind a unit facing each direction, as offsets.
static const int BEHIND[8][3][2] = {
    {{-1, 1}, {0, 1}, {1, 1}},    {{-1, 0}, {-1, 1}, {0, 1}},   {{-1, -1}, {-1, 0}, {-1, 1}},
    {{-1, 0}, {-1, -1}, {0, -1}}, {{-1, -1}, {0, -1}, {1, -1}}, {{1, 0}, {1, -1}, {0, -1}},
    {{1, -1}, {1, 0}, {1, 1}},    {{1, 0}, {1, 1}, {0, 1}},
};

static void reveal_around(const unit_record& r) {
  if (r.z < 0 || r.z >= LEVELS) return;
  light_block(r.z, r.x, r.y);
  if (r.facing < NORTH || r.facing > NORTHWEST) return;
  for (const auto& b : BEHIND[r.facing]) {
    int x = r.x + b[0], y = r.y + b[1];
    if (on_grid(r.z, x, y)) map[r.z][x][y].revealed = 2;
  }
}

void reveal_tiles() {
  recorded_command command("reveal_tiles", {});
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  int z = unit[CURRENT_PLAYER][CURRENT_UNIT].z;
  if (z < 0 || z >= LEVELS) return;

  for (int x = 0; x < MAX_LAND_SIZE_X && x < LAND_SIZE; x++)
    for (int y = 0; y < MAX_LAND_SIZE_Y && y < LAND_SIZE; y++)
      if (map[z][x][y].revealed != 0) map[z][x][y].revealed = 2;

  for (int i = 1; i <= UNIT_MAX && i < UNIT_SLOTS; i++) {
    const unit_record& r = unit[CURRENT_PLAYER][i];
    if (r.status != UNIT_FREE) reveal_around(r);
  }

  // A metal-door room, once seen, is watched whole.
  for (int x = 0; x < MAX_LAND_SIZE_X && x < LAND_SIZE; x++)
    for (int y = 0; y < MAX_LAND_SIZE_Y && y < LAND_SIZE; y++)
      if (environment[z][x][y].zone == ZONE_METAL_ROOM && map[z][x][y].revealed != 0)
        light_block(z, x, y);

  los_unit(CURRENT_PLAYER, CURRENT_UNIT);
}

// ---------------------------------------------------------------------------
// Ray tests for other rules
// ---------------------------------------------------------------------------

static point square_in_front(const unit_record& me) {
  if (me.facing < NORTH || me.facing > NORTHWEST) return {me.x - 1, me.y - 1};
  return {me.x + DIRECTION_DX[me.facing], me.y + DIRECTION_DY[me.facing]};
}

int in_los(int player, int u, int level, int tx, int ty) {
  (void)level;  // a unit only ever looks about its own level
  if (!unit_slot_valid(player, u)) return 0;
  const unit_record& me = unit[player][u];
  if (!on_grid(me.z, me.x, me.y)) return 0;
  std::vector<point> ends = cone(me.facing, me.x, me.y, IN_LOS_STEPS, true);
  bool target_beside = tx - me.x >= -1 && tx - me.x <= 1 && ty - me.y >= -1 && ty - me.y <= 1;
  bool target_seen = on_grid(me.z, tx, ty) && map[me.z][tx][ty].revealed == 1;
  point front = square_in_front(me);

  for (int k = 1; k <= 9; k++) {
    for (int s = 1; s <= 5; s++) {
      int x, y;
      ray_point(me.x, me.y, ends[k].x, ends[k].y, IN_LOS_STEPS, s, x, y);
      if (!on_grid(me.z, x, y)) break;
      if (stops_in_los(me.z, x, y)) {
        // Facing a wall, the unit still reaches what it sees beside it.
        if (target_beside && target_seen && x == front.x && y == front.y) return 1;
        break;
      }
      if (x == tx && y == ty) return 1;
    }
  }
  return 0;
}

int single_ray(int x1, int y1, int z, int x2, int y2) {
  if (!on_grid(z, x1, y1)) return RAY_BLOCKED;
  bool from_party = map[z][x1][y1].occupant_player == 1;
  const unit_record* acting =
      unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT) ? &unit[CURRENT_PLAYER][CURRENT_UNIT] : nullptr;
  bool from_acting = acting && acting->x == x1 && acting->y == y1 && acting->z == z;

  for (int s = 1; s <= SINGLE_RAY_STEPS - 1; s++) {
    int x, y;
    ray_point(x1, y1, x2, y2, SINGLE_RAY_STEPS, s, x, y);
    if (!on_grid(z, x, y)) return RAY_BLOCKED;  // off the level is rock
    const map_cell& c = map[z][x][y];
    if (!from_party && c.occupant_player == 1 && c.occupant_unit > 0)
      return c.occupant_unit + RAY_SEES_PARTY;
    if (stops_single_ray(c) && c.revealed != 0) {
      bool beside = from_acting && x - x1 >= -1 && x - x1 <= 1 && y - y1 >= -1 && y - y1 <= 1;
      return beside ? RAY_BLOCKED_BESIDE : RAY_BLOCKED;
    }
  }
  return RAY_CLEAR;
}

int unit_sight(int player, int u) {
  if (!unit_slot_valid(player, u)) return 10 - DIFFICULTY;
  switch (unit[player][u].race) {
    case 1:
      return DIFFICULTY + 8;
    case 2:
    case 4:
    case 5:
      return DIFFICULTY + 10;
    case 3:
      return 12 - DIFFICULTY;
    case 6:
      return 2;
    case 7:
    case 9:
    case 10:
      return 12;
    case 8:
      return 6;
    case 11:
    case 77:
      return 14;
    case 12:
      return 8;
    case 13:
      return DIFFICULTY + 6;
    case 14:
      return 3;
    default:
      return 10 - DIFFICULTY;
  }
}
