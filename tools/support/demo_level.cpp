// A small hand-made level for looking at the drawing without the dungeon
// generator: a room, a passage, doors, water, lava, a chest, items and a
// goblin, with the leader holding a lit torch.
#include "core/frontend.h"
#include "core/occupancy.h"
#include "core/world.h"
#include "creatures/sight.h"
#include "tools/support/demo_level.h"

namespace {

void carve(int z, int x0, int y0, int x1, int y1, int terrain) {
  for (int x = x0; x <= x1; x++)
    for (int y = y0; y <= y1; y++) {
      map[z][x][y].terrain = terrain;
      map[z][x][y].passable = 1;
    }
}

int place_object(int n, int type, const char* name, int x, int y, int z, int status, int owner) {
  object_record& o = object[n];
  o.type = type;
  copy_text(o.name, name);
  o.x = x, o.y = y, o.z = z;
  o.status = status;
  o.owner_player = owner ? 1 : 0;
  o.owner_unit = owner ? 1 : 0;
  o.var1 = 50;
  o.range = 1;
  if (status == OBJECT_ON_GROUND) map[z][x][y].object_count++;
  assign_icon(0, 0, n, 0);
  return n;
}

void put_demo_unit(int player, int u, int race, int x, int y, int z, int facing) {
  unit_record& r = unit[player][u];
  r.status = UNIT_NORMAL;
  r.race = race;
  r.x = x, r.y = y, r.z = z;
  r.facing = facing;
  r.health = 40;
  r.movement = r.moves = 120;
  r.sight = 10;
  place_unit(player, u, z, x, y);
  map[z][x][y].passable = 0;
  assign_icon(1, player, u, 0);
}

}  // namespace

void demo_level_offscreen() {
  nuke_variables();
  const int z = 0;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) map[z][x][y].terrain = TERRAIN_ROCK;
  carve(z, 10, 10, 22, 18, TERRAIN_ROOM_FLOOR);     // the room
  carve(z, 23, 14, 34, 14, TERRAIN_PASSAGE_FLOOR);  // a passage east
  carve(z, 16, 19, 16, 26, TERRAIN_STONE_FLOOR);    // and one south
  carve(z, 12, 20, 14, 22, TERRAIN_WOODEN_FLOOR);
  map[z][13][19].terrain = TERRAIN_OPEN_DOOR;
  map[z][23][14].terrain = TERRAIN_CLOSED_DOOR;
  map[z][16][19].terrain = TERRAIN_OPEN_DOOR;
  for (int x = 18; x <= 21; x++)
    for (int y = 16; y <= 17; y++) environment[z][x][y].water = 1;
  for (int x = 26; x <= 28; x++) environment[z][x][14].lava = 1;
  map[z][11][11].scenery = SCENERY_LADDER_UP;
  map[z][21][11].scenery = SCENERY_FIRE;
  map[z][12][17].scenery = SCENERY_WEB;
  map[z][20][12].scenery = SCENERY_CRYPT;
  map[z][11][15].scenery = SCENERY_WELL;
  for (int y = 20; y <= 26; y++) environment[z][16][y].track = TRACK_NS;
  map[z][16][24].scenery = SCENERY_MINE_CART;
  container_record& chest = container[1];
  chest.x = 14, chest.y = 11, chest.z = z;
  chest.type = CONTAINER_SMALL_CHEST;
  chest.state = CONTAINER_CLOSED;
  chest.locked = 2;
  copy_text(chest.name, "small chest");
  map[z][14][11].scenery = SCENERY_CONTAINER;

  put_demo_unit(1, 1, 0, 15, 14, z, EAST);
  copy_text(unit[1][1].name, "REVIEWER");
  put_demo_unit(2, 1, 2, 20, 13, z, WEST);
  place_object(1, ITEM_TORCH, "torch", 0, 0, z, OBJECT_LIT, 1);
  place_object(2, ITEM_WEAPON, "short sword", 0, 0, z, OBJECT_WIELDED, 1);
  place_object(3, ITEM_GEM, "ruby", 17, 12, z, OBJECT_ON_GROUND, 0);
  place_object(4, ITEM_POTION, "potion", 12, 13, z, OBJECT_ON_GROUND, 0);
  place_object(5, ITEM_KEY, "key", 0, 0, z, OBJECT_CARRIED, 1);
  CURRENT_PLAYER = 1;
  CURRENT_UNIT = 1;
  reveal_tiles();
  // Everything in view counts as seen, so every picture can be looked at.
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) map[z][x][y].revealed = 1;
  message_box("You stand in a dusty hall.");
  message_box("A goblin watches you from the water's edge.");
  UPDATE_MAP = 1;
}
