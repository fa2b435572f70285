// Furnishing the stamped rooms: six templates chosen at random, the prisoner
// cell one of them holds, and the fixed starting room of level 0.
#include "generation/rooms.h"

#include <cstdio>
#include <cstdlib>

#include "core/occupancy.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "generation/caverns.h"

// Kinds of the residents the templates put in their rooms.
constexpr int KIND_GOBLIN = 2;
constexpr int KIND_GUARD = 6;
constexpr int KIND_WATER_TERROR = 14;
constexpr int KIND_LAVA_DWELLER = 45;
constexpr int KIND_TREASURE_KEEPER = 87;

// Template numbers of decorate_room.
constexpr int ROOM_LAVA = 0;
constexpr int ROOM_FLOODED = 1;
constexpr int ROOM_TREASURE = 2;
constexpr int ROOM_PRISON = 3;
constexpr int ROOM_CRYPT = 4;
constexpr int ROOM_WOODEN = 5;

bool in_start_room(int z, int x, int y) {
  return z == 0 && x >= START_ROOM_X && x < START_ROOM_X + START_ROOM_SIZE && y >= START_ROOM_Y &&
         y < START_ROOM_Y + START_ROOM_SIZE;
}

int place_monster(int z, int x, int y, int kind) {
  // A template's square may fall in its room's wall, or on the door or the
  // resident of a room stamped over it: the creature takes the nearest open
  // square instead, found without a draw so that the creature's own draws
  // stay the ones it always made, and stays unmade when there is none.
  if (!on_grid(z, x, y)) return 0;
  if (!unit_may_stand(z, x, y) && !nearest_open_square(z, x, y)) return 0;
  int u = next_free_unit(2);
  if (u >= UNIT_MAX) return 0;
  create_monster(2, u, z, x, y, kind);
  return u;
}

static void set_scenery(int z, int x, int y, int code) {
  if (on_grid(z, x, y)) map[z][x][y].scenery = code;
}

// Distance from the anchor to the first corner mark along one axis, 0 when
// none lies within reach.
static int room_extent(int z, int x, int y, int dx, int dy) {
  for (int k = 1; k <= 14; k++) {
    int cx = x + k * dx, cy = y + k * dy;
    if (on_grid(z, cx, cy) && map[z][cx][cy].passable == MARK_ROOM_CORNER) return k;
  }
  return 0;
}

void goblin_lair(int z, int x, int y, int w, int h) {
  set_scenery(z, x + 2, y + 2, SCENERY_FIRE);
  place_monster(z, x + 2, y + 1, KIND_GOBLIN);
  set_scenery(z, x + w - 2, y + 2, SCENERY_FIRE);
  place_monster(z, x + w - 2, y + 1, KIND_GOBLIN);
  set_scenery(z, x + w - 2, y + h - 2, SCENERY_FIRE);
  place_monster(z, x + w - 2, y + h - 1, KIND_GOBLIN);
  set_scenery(z, x + 2, y + h - 2, SCENERY_FIRE);
  place_monster(z, x + 2, y + h - 1, KIND_GOBLIN);
  place_monster(z, x + w / 2, y + h, KIND_GOBLIN);
}

void crypt_room2(int z, int x, int y, int w, int h) {
  set_scenery(z, x + 2, y + 2, SCENERY_CRYPT);
  set_scenery(z, x + w - 2, y + 2, SCENERY_CRYPT);
  set_scenery(z, x + w - 2, y + h - 2, SCENERY_CRYPT);
  set_scenery(z, x + 2, y + h - 2, SCENERY_CRYPT);
  place_monster(z, x + w / 2, y + h / 2, KIND_TREASURE_KEEPER);
}

void treasure_room2(int z, int x, int y, int w, int h) {
  set_scenery(z, x + 1, y + 1, SCENERY_CONTAINER);
  set_scenery(z, x + w - 1, y + 1, SCENERY_CONTAINER);
  set_scenery(z, x + w - 1, y + h - 1, SCENERY_CONTAINER);
  set_scenery(z, x + 1, y + h - 1, SCENERY_CONTAINER);
  place_monster(z, x + w / 2, y + h / 2, KIND_TREASURE_KEEPER);
}

void wooden_room2(int z, int x, int y, int w, int h) {
  for (int j = y + 1; j <= y + h - 1; j++)
    for (int i = x + 1; i <= x + w - 1; i++)
      if (on_grid(z, i, j)) map[z][i][j].terrain = TERRAIN_WOODEN_FLOOR;
  place_monster(z, x + w / 2 + 1, y + h / 2, KIND_GUARD);
}

static bool door_or_passage(int z, int x, int y) {
  if (!on_grid(z, x, y)) return false;
  int t = map[z][x][y].terrain;
  return t == TERRAIN_CLOSED_DOOR || t == TERRAIN_OPEN_DOOR ||
         map[z][x][y].scenery == SCENERY_SECRET_HIDDEN;
}

void lava_room2(int z, int x, int y, int w, int h) {
  for (int j = y + 1; j <= y + h - 1; j++) {
    for (int i = x + 1; i <= x + w - 1; i++) {
      if (!on_grid(z, i, j)) continue;
      if (i == x + 1 || i == x + w - 1 || j == y + 1 || j == y + h - 1)
        environment[z][i][j].lava = 1;
      // Every way in gets a bridge over the lava, most of the time.
      if (door_or_passage(z, i - 1, j) && (std::rand() & 3) != 0)
        map[z][i][j].scenery = SCENERY_BRIDGE_NS;
      if (door_or_passage(z, i + 1, j) && (std::rand() & 3) != 0)
        map[z][i][j].scenery = SCENERY_BRIDGE_NS;
      if (door_or_passage(z, i, j - 1) && (std::rand() & 3) != 0)
        map[z][i][j].scenery = SCENERY_BRIDGE_EW;
      if (door_or_passage(z, i, j + 1) && (std::rand() & 3) != 0)
        map[z][i][j].scenery = SCENERY_BRIDGE_EW;
    }
  }
  set_scenery(z, x + w / 2, y + h / 2, SCENERY_LARGE_CHEST);
  place_monster(z, x + w / 2 + 1, y + h / 2, KIND_LAVA_DWELLER);
}

static void flooded_room(int z, int x, int y, int w, int h) {
  for (int j = y + 1; j <= y + h - 1; j++)
    for (int i = x + 1; i <= x + w - 1; i++)
      if (on_grid(z, i, j)) environment[z][i][j].water = 1;
  place_monster(z, x + w / 2 + 1, y + h / 2, KIND_WATER_TERROR);
}

// A cell stamped over a room decorated before it would wall in that room's
// resident and its belongings.
void clear_built_square(int z, int x, int y, bool keep_items) {
  map_cell& c = map[z][x][y];
  int nx = x, ny = y;
  bool room = nearest_open_square(z, nx, ny);
  if (room && !keep_items && c.object_count > 0) {
    for (int k = 1; k < OBJECT_SLOTS; k++) {
      object_record& o = object[k];
      if (o.status != OBJECT_ON_GROUND || o.z != z || o.x != x || o.y != y) continue;
      o.x = nx, o.y = ny;
      c.object_count--;
      map[z][nx][ny].object_count++;
    }
  }
  if (c.occupant_player == 0) return;
  int p = c.occupant_player, u = c.occupant_unit;
  if (room) {
    move_unit(p, u, z, nx, ny);
  } else {
    remove_unit(p, u);
    if (unit_slot_valid(p, u)) unit[p][u].status = UNIT_FREE;
  }
}

void generate_prisoner_cell(int z, int x, int y) {
  for (int i = -1; i <= 1; i++) {
    for (int j = -1; j <= 1; j++) {
      if ((i == 0 && j == 0) || !on_grid(z, x + i, y + j)) continue;
      map[z][x + i][y + j].terrain = TERRAIN_BUILT_WALL;
    }
  }
  if (on_grid(z, x, y + 1)) {
    map[z][x][y + 1].terrain = TERRAIN_CLOSED_DOOR;
    map[z][x][y + 1].scenery = SCENERY_CELL_DOOR;
  }
  if (on_grid(z, x, y)) {
    map[z][x][y].terrain = TERRAIN_ROOM_FLOOR;
    map[z][x][y].scenery = SCENERY_PRISONER;
  }
  for (int i = -1; i <= 1; i++)
    for (int j = -1; j <= 1; j++)
      if (on_grid(z, x + i, y + j)) clear_built_square(z, x + i, y + j, i == 0 && j == 0);
}

void decorate_room(int z, int x, int y) {
  int t = std::rand() % 6;
  int w = room_extent(z, x, y, 1, 0);
  int h = room_extent(z, x, y, 0, 1);
  if (w < 4 || h < 4) {
    if (DEBUG_MODE > 0) std::printf("\n TOO Small room generated, function exited LEVEL: %d", z);
    return;
  }
  // The beloved of the fourth quest is held on the top level.
  if (z == 10 && QUEST_NO == 4) t = ROOM_PRISON;
  switch (t) {
    case ROOM_LAVA:
      lava_room2(z, x, y, w, h);
      break;
    case ROOM_FLOODED:
      flooded_room(z, x, y, w, h);
      break;
    case ROOM_TREASURE:
      treasure_room2(z, x, y, w, h);
      break;
    case ROOM_PRISON:
      if (w >= 7 && h >= 7) {
        generate_prisoner_cell(z, x + w / 2, y + h / 2);
        place_monster(z, x + w / 2, y + h / 2 + 2, KIND_GUARD);
      } else {
        goblin_lair(z, x, y, w, h);
      }
      break;
    case ROOM_CRYPT:
      crypt_room2(z, x, y, w, h);
      break;
    case ROOM_WOODEN:
      wooden_room2(z, x, y, w, h);
      break;
  }
}

void start_room(int x, int y, int z) {
  std::rand();  // drawn and never used; later draws depend on it
  y += 2;
  for (int i = 0; i < 5; i++) {
    for (int j = -2; j <= 2; j++) {
      int sx = x + i, sy = y + j;
      if (!on_grid(z, sx, sy)) continue;
      map_cell& m = map[z][sx][sy];
      if (m.occupant_player > 1) {
        if (unit_slot_valid(m.occupant_player, m.occupant_unit))
          unit[m.occupant_player][m.occupant_unit].status = UNIT_FREE;
        clear_occupant(z, sx, sy);
      }
      bool ring = i == 0 || i == 4 || j == -2 || j == 2;
      // A lava room under the start would burn the leader on the first turn
      // and bar the one way out.
      environment[z][sx][sy].lava = 0;
      // A track head under the room would be laid from after the room stands
      // and knock a hole in its wall.
      environment[z][sx][sy].track = 0;
      if (!ring) {
        m.terrain = TERRAIN_ROOM_FLOOR;
        environment[z][sx][sy].water = 0;
      } else if (!((i == 0 || i == 4) && j == 0)) {
        m.terrain = TERRAIN_ROCK;
      }
      m.scenery = SCENERY_NONE;
    }
  }
  if (on_grid(z, x + 2, y - 2)) map[z][x + 2][y - 2].terrain = TERRAIN_METAL_DOOR_CLOSED;
  if (on_grid(z, x + 2, y + 2)) map[z][x + 2][y + 2].terrain = TERRAIN_OPEN_DOOR;
  for (int k = 3; k <= 5; k++) {
    if (!on_grid(z, x + 2, y + k)) continue;
    map[z][x + 2][y + k].terrain = TERRAIN_PASSAGE_FLOOR;
    environment[z][x + 2][y + k].lava = 0;
  }
}
