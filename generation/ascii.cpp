// The console picture of a level: one character per square, for tracing
// generation and for the dump tool.
#include "generation/ascii.h"

#include <cstdio>

#include "core/world.h"

static char scenery_char(int s) {
  switch (s) {
    case SCENERY_LADDER_UP:
      return '<';
    case SCENERY_LADDER_DOWN:
      return '>';
    case SCENERY_SECRET_HIDDEN:
    case SCENERY_SECRET_FOUND:
      return 'S';
    case SCENERY_CONTAINER:
    case SCENERY_LARGE_CHEST:
      return 'C';
    case SCENERY_WARDROBE:
      return 'W';
    case SCENERY_BARREL:
      return 'b';
    case SCENERY_BOULDER:
      return 'B';
    case SCENERY_FIRE:
      return 'f';
    case SCENERY_NEST:
      return 'n';
    case SCENERY_HIDDEN_TRAP:
      return 't';
    case SCENERY_CRYSTAL:
      return '*';
    case SCENERY_POOL:
      return 'p';
    case SCENERY_OIL:
      return 'o';
    case SCENERY_MUSHROOMS:
      return 'm';
    case SCENERY_HERBS:
      return 'h';
    case SCENERY_STATUE:
      return 's';
    case SCENERY_CRYPT:
      return 'T';
    case SCENERY_PRISONER:
      return 'P';
    case SCENERY_MINE_CART:
      return 'x';
    case SCENERY_BRIDGE_EW:
    case SCENERY_BRIDGE_NS:
      return '=';
    default:
      return '?';
  }
}

static char terrain_char(int t) {
  switch (t) {
    case TERRAIN_STONE_FLOOR:
    case TERRAIN_ROOM_FLOOR:
    case TERRAIN_PASSAGE_FLOOR:
      return '.';
    case TERRAIN_WOODEN_FLOOR:
      return ',';
    case TERRAIN_BUILT_WALL:
      return '%';
    case TERRAIN_ROCK:
      return '#';
    case TERRAIN_CLOSED_DOOR:
      return '+';
    case TERRAIN_OPEN_DOOR:
      return '\'';
    case TERRAIN_METAL_DOOR_CLOSED:
      return 'M';
    case TERRAIN_PILLAR:
      return 'O';
    case TERRAIN_EARTH:
      return 'e';
    default:
      return '?';
  }
}

char ascii_square(int z, int x, int y) {
  if (!on_grid(z, x, y)) return ' ';
  const map_cell& m = map[z][x][y];
  const environment_cell& e = environment[z][x][y];
  if (m.occupant_player == 1) return '@';
  if (m.occupant_player > 1) return '&';
  if (m.scenery != SCENERY_NONE && m.scenery != SCENERY_CELL_DOOR) return scenery_char(m.scenery);
  if (e.lava) return '~';
  if (e.water) return 'w';
  if (e.track) return '-';
  return terrain_char(m.terrain);
}

const char* ascii_legend() {
  return "legend: . floor  , floorboards  # rock  % built wall  + closed door  ' open door\n"
         "        M metal door  O pillar  e earth  ~ lava  w water  - mine track\n"
         "        < ladder up (exit on level 10)  > ladder down  S secret passage\n"
         "        C chest  W wardrobe  b barrel  B boulder  f fire  n nest  t hidden trap\n"
         "        * crystal  p pool  o oil  m mushrooms  h herbs  s statue  T crypt\n"
         "        P prisoner  x mine cart  = bridge  @ party  & monster  ? other\n";
}

void ascii_level(int z) {
  if (z < 0 || z >= LEVELS) return;
  for (int y = 0; y < LAND_SIZE; y++) {
    std::printf("\n");
    for (int x = 0; x < LAND_SIZE; x++) std::putchar(ascii_square(z, x, y));
  }
  std::printf("\n");
}
