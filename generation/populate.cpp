// Population of the levels: scenery, items, traps and monsters scattered over
// them, the containers made from placed chests, and freed prisoners.
#include "generation/populate.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "core/movecost.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "generation/rooms.h"
#include "items/catalogue.h"

bool pick_square(int z, int terrain, int& x, int& y) {
  for (int tries = 0; tries < SQUARE_SEARCH_LIMIT; tries++) {
    x = std::rand() % MAX_LAND_SIZE_X;
    y = std::rand() % MAX_LAND_SIZE_Y;
    if (map[z][x][y].terrain == terrain) return true;
  }
  return false;
}

// Makes n - 1 placements of a scenery code on free squares of one terrain.  A
// square already holding scenery costs a further try; a level that runs out
// of free squares simply gets fewer.
static void scatter_scenery(int z, int n, int terrain, int code) {
  int refused = 0;
  for (int i = 1; i < n; i++) {
    int x, y;
    if (!pick_square(z, terrain, x, y)) return;
    if (map[z][x][y].scenery != SCENERY_NONE) {
      if (++refused > SQUARE_SEARCH_LIMIT) return;
      n++;
      continue;
    }
    map[z][x][y].scenery = code;
  }
}

static void scatter_items(int z, int n, int terrain, int (*create)(int, int, int, int)) {
  for (int i = 1; i < n; i++) {
    int x, y;
    if (!pick_square(z, terrain, x, y)) return;
    create(0, z, x, y);
  }
}

void generate_mushrooms(int z) {
  scatter_scenery(z, std::max(10 / (z + 1) - DIFFICULTY, 1), TERRAIN_STONE_FLOOR,
                  SCENERY_MUSHROOMS);
}

void generate_herbs(int z) { scatter_scenery(z, 2, TERRAIN_STONE_FLOOR, SCENERY_HERBS); }

void generate_pools(int z) {
  int n = 9 - z;
  if (LEVEL_TYPE == 45) n -= 3;
  if (LEVEL_TYPE == 0) n *= 2;
  scatter_scenery(z, n, TERRAIN_STONE_FLOOR, SCENERY_POOL);
}

void generate_barrels(int z) {
  int n = z / 2;
  if (LEVEL_TYPE == 45) n -= 3;
  if (LEVEL_TYPE == 0) n *= 2;
  scatter_scenery(z, n, TERRAIN_PASSAGE_FLOOR, SCENERY_BARREL);
}

void generate_oilpatchs(int z) {
  int n = z + 6;
  if (LEVEL_TYPE == 45) n *= 2;
  if (LEVEL_TYPE == 0) n -= 3;
  scatter_scenery(z, n, TERRAIN_STONE_FLOOR, SCENERY_OIL);
}

void generate_crystals(int z) {
  scatter_scenery(z, (z / 2) * 3 + 3, TERRAIN_PASSAGE_FLOOR, SCENERY_CRYSTAL);
}

void generate_food(int z) {
  scatter_items(z, std::max(10 / DIFFICULTY - z / 2, 1), TERRAIN_STONE_FLOOR, create_food);
}

void generate_weapons(int z) {
  scatter_items(z, std::max(z, 1), TERRAIN_ROOM_FLOOR, create_weapon);
}

void generate_armour(int z) { scatter_items(z, std::max(z, 1), TERRAIN_ROOM_FLOOR, create_armour); }

void generate_torches(int z) {
  int n = std::max(8 / DIFFICULTY - z / 2, 1);
  int refused = 0;
  for (int i = 1; i < n; i++) {
    int x, y;
    if (!pick_square(z, TERRAIN_PASSAGE_FLOOR, x, y)) break;
    if (map[z][x][y].scenery != SCENERY_NONE) {
      if (++refused > SQUARE_SEARCH_LIMIT) break;
      n++;
      continue;
    }
    create_torch(0, z, x, y);
  }
  // The fires take as many placements as the torches ended up wanting.
  scatter_scenery(z, n, TERRAIN_PASSAGE_FLOOR, SCENERY_FIRE);
}

void generate_traps() {
  for (int z = 0; z < LEVELS; z++) {
    int tries = 0;
    for (int i = 1; i < 7 * z && tries < SQUARE_SEARCH_LIMIT; tries++) {
      int x = std::rand() % MAX_LAND_SIZE_X;
      int y = std::rand() % MAX_LAND_SIZE_Y;
      map_cell& m = map[z][x][y];
      if (m.passable <= 0 || m.passable == 3 || m.scenery != SCENERY_NONE) continue;
      i++;
      if (m.terrain == TERRAIN_STONE_FLOOR || m.terrain == TERRAIN_ROOM_FLOOR ||
          m.terrain == TERRAIN_PASSAGE_FLOOR)
        m.scenery = SCENERY_HIDDEN_TRAP;
    }
  }
}

static bool monster_may_stand(int z, int x, int y) {
  const map_cell& m = map[z][x][y];
  return m.passable == 1 && m.occupant_player == 0 && m.scenery == SCENERY_NONE &&
         environment[z][x][y].lava == 0 && m.terrain != TERRAIN_ROCK &&
         m.terrain != TERRAIN_BUILT_WALL && !in_start_room(z, x, y);
}

static int wandering_kind(int z, int x, int y) {
  static const int kinds[7] = {1, 2, 5, 11, 10, 9, 3};
  int kind = kinds[std::rand() % 7];
  if (kind == 5) map[z][x][y].scenery = SCENERY_NEST;  // spiders breed where they sit
  return kind;
}

void generate_monsters() {
  int u = next_free_unit(2);
  for (int z = 0; z < LEVELS; z++) {
    int tries = 0;
    for (int i = 1; i < (z + 2) * DIFFICULTY + 5 && tries < SQUARE_SEARCH_LIMIT; tries++) {
      int x = 2 + std::rand() % (MAX_LAND_SIZE_X - 4);
      int y = 2 + std::rand() % (MAX_LAND_SIZE_Y - 4);
      if (!monster_may_stand(z, x, y)) continue;
      if (u >= UNIT_MAX) return;  // the unit table is full
      create_monster(2, u, z, x, y, wandering_kind(z, x, y));
      unit_record& r = unit[2][u];
      if (z > 4) r.order = ORDER_ATTACK;
      r.waypoint_index = WAYPOINT_POSITION;
      r.waypoint_x[WAYPOINT_POSITION] = x;
      r.waypoint_y[WAYPOINT_POSITION] = y;
      r.waypoint_x[WAYPOINT_TARGET] = CURRENT_PLAYER;
      r.waypoint_y[WAYPOINT_TARGET] = CURRENT_UNIT;
      i++;
      u = next_free_unit(2);
    }
  }
}

struct container_kind {
  int scenery;
  const char* name;
  int state, weight, strength, health, size, capacity;
};

static const container_kind CONTAINER_KINDS[] = {
    {SCENERY_CONTAINER, "small chest", CONTAINER_CLOSED, 100, 7, 50, 10, 3},
    {SCENERY_LARGE_CHEST, "large chest", CONTAINER_CLOSED, 200, 10, 100, 11, 7},
    {SCENERY_WARDROBE, "wardrobe", CONTAINER_CLOSED, 200, 10, 200, 17, 3},
    {SCENERY_BARREL, "gunpowder barrel", CONTAINER_POWDER, 200, 10, 75, 7, 0},
    {SCENERY_BOULDER, "boulder", CONTAINER_BOULDER_STATE, 200, 50, 1000, 20, 0},
};

static const container_kind* container_kind_of(int scenery) {
  for (const container_kind& k : CONTAINER_KINDS)
    if (k.scenery == scenery) return &k;
  return nullptr;
}

static void fill_container(int n, const container_kind& k, int z, int x, int y) {
  container_record& c = container[n];
  c.x = x, c.y = y, c.z = z;
  c.facing = 0;
  c.trapped = 0;
  c.size = k.size;
  c.capacity = k.capacity;
  c.weight = k.weight;
  c.state = k.state;
  c.type = k.scenery;
  c.strength = k.strength;
  c.health = c.init_health = k.health;
  c.locked = 0;
  copy_text(c.name, k.name);
  map[z][x][y].scenery = SCENERY_CONTAINER;
  int items = -1;
  if (k.scenery == SCENERY_CONTAINER || k.scenery == SCENERY_WARDROBE) items = std::rand() % 2;
  if (k.scenery == SCENERY_LARGE_CHEST) {
    c.locked = std::rand() % 2;
    items = 1 + std::rand() % 3;
  }
  if (items >= 0) create_container_contents(items, n);
}

void assign_containers() {
  int n = 1;
  std::vector<std::pair<int, int>> found;  // (y, x)
  for (int z = 0; z < LEVELS; z++) {
    // Looked for in the order the grid lies in memory, then filled row by
    // row as they always were: a square's turn only ever changes itself.
    found.clear();
    for (int x = 0; x < MAX_LAND_SIZE_X && x < LAND_SIZE; x++)
      for (int y = 0; y < MAX_LAND_SIZE_Y && y < LAND_SIZE; y++)
        if (container_kind_of(map[z][x][y].scenery)) found.emplace_back(y, x);
    std::sort(found.begin(), found.end());
    for (auto [y, x] : found) {
      if (n >= CONTAINER_SLOTS) {
        // No record left: the chest is not there rather than a marker that
        // names no container.
        map[z][x][y].scenery = SCENERY_NONE;
        continue;
      }
      fill_container(n, *container_kind_of(map[z][x][y].scenery), z, x, y);
      n++;
    }
    // Chests and wardrobes were walkable until they became containers; the
    // party must not walk into one before the first end of turn recounts.
    map_movecost(z);
  }
}
