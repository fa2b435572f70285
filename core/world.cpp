// The world tables, the game-wide settings, and the routines that clear the
// world and keep the derived fields of the grid in step.
#include "core/world.h"

#include <algorithm>
#include <cstdio>
#include <cstring>


map_cell map[LEVELS][LAND_SIZE][LAND_SIZE];
environment_cell environment[LEVELS][LAND_SIZE][LAND_SIZE];
unit_record unit[4][UNIT_SLOTS];
object_record object[OBJECT_SLOTS];
container_record container[CONTAINER_SLOTS];
camera_record camera;

char M_line[MESSAGE_LINES][MESSAGE_LINE_SIZE];

int MAX_LAND_SIZE_X = 50;
int MAX_LAND_SIZE_Y = 50;
int MAX_PLAYERS = 4;
int UNIT_MAX = 450;
int MAX_OBJECTS = 2999;
int WIDTH = 800;
int HEIGHT = 600;
int CURRENT_PLAYER = 1;
int CURRENT_UNIT = 1;
int DIFFICULTY = 1;
int GAME_SPEED = 2;
int MAZE_LEVEL = 5;
int DEBUG_MODE = 1;
int END_TURN = 2;
int MESSAGE_LINE = 1;

int gameover;
int FOUND_EXIT;
int QUEST_NO;
int LEVEL_TYPE;
int UPDATE_MAP;
int BARREL_EXPLODE;
int BOUNCED;
volatile int ticker;
int ticks;
int GFX_ENGINE;
int CANT_SAVE;
int IS_GLOBAL_LIGHTING_ON;
int IS_EVENTCARDS_ON;
int AGX;
int AGY;

void reset_globals() {
  MAX_LAND_SIZE_X = 50;
  MAX_LAND_SIZE_Y = 50;
  MAX_PLAYERS = 4;
  UNIT_MAX = 450;
  MAX_OBJECTS = 2999;
  WIDTH = 800;
  HEIGHT = 600;
  CURRENT_PLAYER = 1;
  CURRENT_UNIT = 1;
  DIFFICULTY = 1;
  GAME_SPEED = 2;
  MAZE_LEVEL = 5;
  DEBUG_MODE = 1;
  END_TURN = 2;
  MESSAGE_LINE = 1;
  gameover = FOUND_EXIT = QUEST_NO = LEVEL_TYPE = UPDATE_MAP = 0;
  BARREL_EXPLODE = BOUNCED = 0;
  ticker = 0;
  ticks = GFX_ENGINE = CANT_SAVE = IS_GLOBAL_LIGHTING_ON = IS_EVENTCARDS_ON = 0;
  AGX = AGY = 0;
  std::memset(M_line, 0, sizeof M_line);
  camera = camera_record{};
}

void copy_text(char* dest, std::size_t size, const char* text) {
  if (size == 0) return;
  if (!text) text = "";
  std::snprintf(dest, size, "%s", text);
}

void append_text(char* dest, std::size_t size, const char* text) {
  if (size == 0) return;
  std::size_t used = strnlen(dest, size);
  if (used >= size) {
    dest[size - 1] = '\0';
    return;
  }
  copy_text(dest + used, size - used, text);
}

int mapextra_in_range(int code, int z, int x, int y, int radius) {
  if (z < 0 || z >= LEVELS) return 0;
  // Ladder placement asks this of every candidate over a wide square, so
  // the square is cut to the grid once instead of tested a square at a time.
  const bool ladder = code == SCENERY_LADDER_DOWN || code == SCENERY_LADDER_UP;
  const int i0 = std::max(x - radius, 0), i1 = std::min(x + radius, LAND_SIZE - 1);
  const int j0 = std::max(y - radius, 0), j1 = std::min(y + radius, LAND_SIZE - 1);
  for (int i = i0; i <= i1; i++) {
    const map_cell* column = map[z][i];
    for (int j = j0; j <= j1; j++) {
      int s = column[j].scenery;
      if (s == code || (ladder && (s == SCENERY_LADDER_DOWN || s == SCENERY_LADDER_UP))) return 1;
    }
  }
  return 0;
}

void map_object(int z) {
  for (int i = 1; i < MAX_OBJECTS; i++) {
    const object_record& o = object[i];
    if (o.status == OBJECT_ON_GROUND && o.z == z && on_grid(o.z, o.x, o.y))
      map[z][o.x][o.y].object_count++;
  }
}

int next_free_unit(int player) {
  if (player >= 0 && player < 4) {
    for (int u = 1; u < UNIT_MAX; u++)
      if (unit[player][u].status == UNIT_FREE) return u;
  }
  if (DEBUG_MODE > 0) std::printf("WARNING NO UNITS LEFT!\n");
  return UNIT_MAX;
}

int next_free_container() {
  for (int c = 1; c < CONTAINER_SLOTS; c++)
    if (container[c].state == CONTAINER_FREE) return c;
  if (DEBUG_MODE > 0) std::printf("WARNING NO containers LEFT!\n");
  return CONTAINER_SLOTS;
}

static void clear_square(int z, int x, int y) {
  map[z][x][y] = map_cell{};
  map[z][x][y].terrain = TERRAIN_STONE_FLOOR;
  map[z][x][y].passable = 1;
  environment[z][x][y] = environment_cell{};
}

void nuke_variables() {
  // The whole grid, row 50 and column 50 included: a square left over from
  // the last game would otherwise show through the outer ring of the next.
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) clear_square(z, x, y);

  for (int i = 0; i < OBJECT_SLOTS; i++) {
    object_record& o = object[i];
    o.x = o.y = o.z = o.status = o.weight = o.worth = 0;
    o.owner_player = o.owner_unit = 0;
    copy_text(o.name, " ");
  }
  for (int c = 0; c < CONTAINER_SLOTS; c++) {
    container_record& k = container[c];
    k.x = k.y = k.z = k.size = k.capacity = k.weight = k.state = k.type = 0;
    k.strength = k.health = k.init_health = 0;
  }
  for (int p = 0; p < 4; p++) {
    for (int u = 0; u <= UNIT_MAX; u++) {
      unit_record& r = unit[p][u];
      r.status = UNIT_FREE;
      r.order = r.x = r.y = r.z = r.health = r.movement = r.moves = r.intelligence = 0;
    }
  }
}

int which_container(int z, int x, int y) {
  for (int c = 1; c < CONTAINER_SLOTS; c++) {
    const container_record& k = container[c];
    if (k.state != CONTAINER_FREE && k.z == z && k.x == x && k.y == y) return c;
  }
  if (DEBUG_MODE > 0) std::printf("\n No container match");
  return 0;
}
