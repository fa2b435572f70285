// Placing the leader in the starting room with the kit and furniture of the
// chosen difficulty.
#include "generation/start.h"

#include <cstdlib>

#include "core/frontend.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/world.h"

namespace {

struct kit_item {
  int difficulty;
  const char* name;
  const char* description;
  int type, status, weight, range, var1, picture;
};

const kit_item STARTING_KIT[] = {
    {1, "A backpack", "Good for storing things.", ITEM_WEARABLE, OBJECT_WORN, 10, SLOT_BACK, 5, 1},
    {1, "a short sword", "A basic sword.", ITEM_WEAPON, OBJECT_WIELDED, 15, 1, 6, 4},
    {1, "A key", "A rusty door key", ITEM_KEY, OBJECT_CARRIED, 1, 0, 0, 0},
    {2, "a throwing axe", "Good for killing with.", ITEM_WEAPON, OBJECT_WIELDED, 10, 5, 3, 1},
    {3, "pickaxe", "weapon", ITEM_WEAPON, OBJECT_WIELDED, 25, 1, 5, 0},
};

int first_free_object() {
  for (int i = 1; i < MAX_OBJECTS && i < OBJECT_SLOTS; i++)
    if (object[i].status == OBJECT_FREE && object[i].z == 0) return i;
  return 0;
}

void give_kit_item(const kit_item& k) {
  int slot = first_free_object();
  if (slot == 0) return;
  object_record& o = object[slot];
  o.x = o.y = o.z = 0;
  o.owner_player = CURRENT_PLAYER;
  o.owner_unit = CURRENT_UNIT;
  o.worth = 0;
  o.type = k.type;
  o.status = k.status;
  o.weight = k.weight;
  o.range = k.range;
  o.var1 = k.var1;
  copy_text(o.name, k.name);
  copy_text(o.description, k.description);
  assign_icon(0, 0, slot, k.picture);
}

void place_leader() {
  unit_record& u = unit[CURRENT_PLAYER][CURRENT_UNIT];
  u.x = MAX_LAND_SIZE_X / 2;
  u.y = 2;
  u.z = 0;
  u.facing = SOUTH;
  u.order = u.race = u.defence = u.ranged = 0;
  u.status = UNIT_NORMAL;
  u.strength = 10 / DIFFICULTY;
  u.health = 100 / DIFFICULTY;
  u.damage = u.level = 1;
  u.intelligence = 100;
  u.movement = 150 - 10 * DIFFICULTY + std::rand() % 30;
  u.sight = 10 - DIFFICULTY;
  place_unit(CURRENT_PLAYER, CURRENT_UNIT, 0, u.x, u.y);
  assign_icon(1, CURRENT_PLAYER, CURRENT_UNIT, 0);
  AGX = u.x;
  AGY = u.y;
}

void set_scenery(int x, int y, int code) {
  if (on_grid(0, x, y)) map[0][x][y].scenery = code;
}

}  // namespace

void test_map_init() {
  CURRENT_PLAYER = 1;
  CURRENT_UNIT = 1;
  place_leader();
  for (const kit_item& k : STARTING_KIT)
    if (k.difficulty == DIFFICULTY) give_kit_item(k);
  const int cx = MAX_LAND_SIZE_X / 2;
  if (DIFFICULTY == 1 || DIFFICULTY == 2) {
    int chest = DIFFICULTY == 1 ? SCENERY_LARGE_CHEST : SCENERY_CONTAINER;
    set_scenery(cx - 1, 2, chest);
    set_scenery(cx + 1, 2, chest);
  }
  set_scenery(cx, 3, SCENERY_WARDROBE);
  set_scenery(cx, 4, SCENERY_FIRE);
  FOUND_EXIT = 0;
  IS_EVENTCARDS_ON = 0;
  map_movecost(0);
}
