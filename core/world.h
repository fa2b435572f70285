// The whole state of a running game: the level grids, the unit, object and
// container tables, the view, and every game-wide setting and flag.  Every
// module reads and writes these directly; there is no other copy of the world.
#pragma once

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Sizes
// ---------------------------------------------------------------------------
constexpr int LEVELS = 11;     // levels 0 (bottom) .. 10 (top, the way out)
constexpr int LAND_SIZE = 51;  // squares 0..50 on each axis
constexpr int UNIT_SLOTS = 501;
constexpr int OBJECT_SLOTS = 3000;
constexpr int CONTAINER_SLOTS = 1000;

constexpr int UNIT_NAME_SIZE = 52;
constexpr int OBJECT_NAME_SIZE = 35;
constexpr int OBJECT_DESCRIPTION_SIZE = 53;
constexpr int CONTAINER_NAME_SIZE = 200;
constexpr int WAYPOINTS = 50;

constexpr int MESSAGE_LINES = 30;
constexpr int MESSAGE_LINE_SIZE = 200;

// ---------------------------------------------------------------------------
// Common results
// ---------------------------------------------------------------------------
constexpr int FAIL = 99;

// ---------------------------------------------------------------------------
// Directions: clockwise from north, times 32 is an Allegro rotation
// ---------------------------------------------------------------------------
constexpr int NORTH = 0;
constexpr int NORTHEAST = 1;
constexpr int EAST = 2;
constexpr int SOUTHEAST = 3;
constexpr int SOUTH = 4;
constexpr int SOUTHWEST = 5;
constexpr int WEST = 6;
constexpr int NORTHWEST = 7;

// Square offsets of the eight directions, indexed by direction code.
constexpr int DIRECTION_DX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int DIRECTION_DY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

inline int opposite_direction(int d) {
  int o = d - 4;
  if (o < 0) o += 8;
  return o;
}

// ---------------------------------------------------------------------------
// Terrain codes (map_cell.terrain)
// ---------------------------------------------------------------------------
constexpr int TERRAIN_STONE_FLOOR = 1;
constexpr int TERRAIN_BUILT_WALL = 2;
constexpr int TERRAIN_WOODEN_FLOOR = 3;
constexpr int TERRAIN_WINDOW = 4;
constexpr int TERRAIN_ROOM_FLOOR = 5;
constexpr int TERRAIN_PASSAGE_FLOOR = 6;
constexpr int TERRAIN_CLOSED_DOOR = 7;
constexpr int TERRAIN_OPEN_DOOR = 8;
constexpr int TERRAIN_ROCK = 9;
constexpr int TERRAIN_EARTH = 10;
constexpr int TERRAIN_PILLAR = 12;
constexpr int TERRAIN_STAIRS_NS = 14;
constexpr int TERRAIN_STAIRS_EW = 15;
constexpr int TERRAIN_METAL_DOOR_CLOSED = 16;
constexpr int TERRAIN_METAL_DOOR_OPEN = 17;
constexpr int TERRAIN_PRESSURE_PAD = 18;
constexpr int TERRAIN_SMASHED_DOOR = 22;

// ---------------------------------------------------------------------------
// Scenery codes (map_cell.scenery)
// ---------------------------------------------------------------------------
constexpr int SCENERY_NONE = 0;
constexpr int SCENERY_STAIRS_BOTH_WAYS = 3;  // leads up and down
constexpr int SCENERY_CELL_DOOR = 6;
constexpr int SCENERY_CRYPT = 15;
constexpr int SCENERY_OPEN_CRYPT = 16;
constexpr int SCENERY_CONTAINER = 17;
constexpr int SCENERY_WEB = 19;
constexpr int SCENERY_MUSHROOMS = 21;
constexpr int SCENERY_SEARCHED_CRYPT = 23;
constexpr int SCENERY_HERBS = 24;
constexpr int SCENERY_PIT = 26;
constexpr int SCENERY_BOULDER = 27;
constexpr int SCENERY_FILLED_PIT = 28;
constexpr int SCENERY_WELL = 29;
constexpr int SCENERY_LADDER_DOWN = 33;
constexpr int SCENERY_LADDER_UP = 34;
constexpr int SCENERY_FIRE = 35;
constexpr int SCENERY_NEST = 43;
constexpr int SCENERY_QUICKSAND = 44;
constexpr int SCENERY_TRAPDOOR = 62;
constexpr int SCENERY_SPRUNG_SPIKES = 63;
constexpr int SCENERY_SECRET_FOUND = 75;
constexpr int SCENERY_SECRET_HIDDEN = 76;
constexpr int SCENERY_HIDDEN_TRAP = 78;
constexpr int SCENERY_KNOWN_TRAP = 79;
constexpr int SCENERY_BRIDGE_EW = 80;
constexpr int SCENERY_BRIDGE_NS = 81;
constexpr int SCENERY_MINE_CART = 83;
constexpr int SCENERY_STATUE = 85;
constexpr int SCENERY_CRYSTAL = 86;
constexpr int SCENERY_LARGE_CHEST = 87;
constexpr int SCENERY_HOLE = 89;
constexpr int SCENERY_RUBBLE = 90;
constexpr int SCENERY_POOL = 91;
constexpr int SCENERY_SWITCH_A = 93;
constexpr int SCENERY_SWITCH_B = 94;
constexpr int SCENERY_BARREL = 96;
constexpr int SCENERY_OIL = 101;
constexpr int SCENERY_BARREL_DUE = 102;
constexpr int SCENERY_PRISONER = 110;
constexpr int SCENERY_WARDROBE = 112;

// ---------------------------------------------------------------------------
// Mine-track pieces (environment_cell.track)
// ---------------------------------------------------------------------------
constexpr int TRACK_NONE = 0;
constexpr int TRACK_NS = 1;
constexpr int TRACK_EW = 2;
constexpr int TRACK_CURVE_FIRST = 3;   // 3..6 the four curves
constexpr int TRACK_BUFFER_FIRST = 7;  // 7..10 the four buffer ends
constexpr int TRACK_CROSSING = 11;
constexpr int TRACK_SWITCH_FIRST = 12;  // 12..15 the four switches

constexpr int ZONE_METAL_ROOM = 99;
constexpr int LEVEL_TYPE_CAVERN = 55;

// ---------------------------------------------------------------------------
// Unit status codes
// ---------------------------------------------------------------------------
constexpr int UNIT_FREE = 213;
// At this health or below a unit is dead, however it was hurt.
constexpr int DEATH_HEALTH = -10;
constexpr int UNIT_NORMAL = 1;
constexpr int UNIT_POISONED = 23;
constexpr int UNIT_UNCONSCIOUS = 33;
constexpr int UNIT_GONE = 69;

// Standing orders of the computer players' units
constexpr int ORDER_IDLE = 0;
constexpr int ORDER_ROUTE = 1;
constexpr int ORDER_SEEK = 2;
constexpr int ORDER_WANDER = 3;
constexpr int ORDER_FLEE = 4;
constexpr int ORDER_ATTACK = 5;
constexpr int ORDER_GUARD = 6;

// Waypoint slots with a fixed meaning
constexpr int WAYPOINT_POSITION = 8;
constexpr int WAYPOINT_TARGET = 9;

// ---------------------------------------------------------------------------
// Object status codes
// ---------------------------------------------------------------------------
constexpr int OBJECT_FREE = 0;
constexpr int OBJECT_ON_GROUND = 1;
constexpr int OBJECT_CARRIED = 2;
constexpr int OBJECT_WORN = 3;
constexpr int OBJECT_WIELDED = 5;
constexpr int OBJECT_CURRENT_WEAPON = 6;
constexpr int OBJECT_PACKED = 10;
constexpr int OBJECT_LIT = 99;

// An object whose owner_player is this lies inside the container owner_unit.
constexpr int OWNER_CONTAINER = 17;

// ---------------------------------------------------------------------------
// Item kind codes (object.type)
// ---------------------------------------------------------------------------
constexpr int ITEM_WEARABLE = 1;
constexpr int ITEM_WEAPON = 4;
constexpr int ITEM_MUSHROOMS = 21;
constexpr int ITEM_HERBS = 24;
constexpr int ITEM_FAIRY = 45;
constexpr int ITEM_KEY = 69;
constexpr int ITEM_GOLD = 70;
constexpr int ITEM_GEM = 71;
constexpr int ITEM_MAGIC = 73;
constexpr int ITEM_FOOD = 95;
constexpr int ITEM_POTION = 140;
constexpr int ITEM_ROPE = 143;
constexpr int ITEM_CORPSE = 147;
constexpr int ITEM_TORCH = 150;

// Wear slots (object.range of a wearable)
constexpr int SLOT_BACK = 129;
constexpr int SLOT_HEAD = 130;
constexpr int SLOT_BODY = 131;
constexpr int SLOT_SHIELD = 132;
constexpr int SLOT_LEGS = 133;
constexpr int SLOT_ARMS = 134;
constexpr int SLOT_FEET = 135;

// ---------------------------------------------------------------------------
// Container states and kinds
// ---------------------------------------------------------------------------
constexpr int CONTAINER_FREE = 0;
constexpr int CONTAINER_CLOSED = 1;
constexpr int CONTAINER_OPEN = 2;
constexpr int CONTAINER_POWDER = 4;
constexpr int CONTAINER_BOULDER_STATE = 5;
constexpr int CONTAINER_IN_PIT = 28;
constexpr int CONTAINER_ALIGHT = 97;

constexpr int CONTAINER_SMALL_CHEST = 17;
constexpr int CONTAINER_BOULDER = 27;
constexpr int CONTAINER_LARGE_CHEST = 87;
constexpr int CONTAINER_BARREL = 96;
constexpr int CONTAINER_WARDROBE = 112;

// ---------------------------------------------------------------------------
// gameover values
// ---------------------------------------------------------------------------
constexpr int GAME_PLAYING = 0;
constexpr int GAME_OVER = 2;
constexpr int GAME_QUIT = 3;
constexpr int GAME_LOAD = 68;
constexpr int GAME_NEW = 69;

// ---------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------
struct map_cell {
  int32_t revealed;
  int32_t terrain;
  int32_t occupant_player;
  int32_t wall_variant;
  int32_t passable;
  int32_t occupant_unit;
  int32_t object_count;
  int32_t scenery;
};

struct environment_cell {
  int32_t gas;
  int32_t lava;
  int32_t water;
  int32_t zone;
  int32_t track;
};

struct unit_record {
  int32_t x;
  int32_t y;
  int32_t z;
  int32_t facing;
  int32_t order;
  int32_t race;
  int32_t strength;
  int32_t health;
  int32_t damage;
  int32_t defence;
  int32_t level;
  int32_t movement;
  int32_t ranged;
  int32_t moves;
  int32_t intelligence;
  int32_t status;
  int32_t sight;
  int32_t waypoint_x[WAYPOINTS];
  int32_t waypoint_y[WAYPOINTS];
  int32_t waypoint_index;
  char name[UNIT_NAME_SIZE];
};

struct object_record {
  int32_t x;
  int32_t y;
  int32_t z;
  int32_t status;
  int32_t type;
  int32_t weight;
  int32_t worth;
  int32_t range;
  int32_t var1;
  int32_t owner_player;
  int32_t owner_unit;
  char name[OBJECT_NAME_SIZE];
  char description[OBJECT_DESCRIPTION_SIZE];
};

struct container_record {
  int32_t x;
  int32_t y;
  int32_t z;
  int32_t facing;
  int32_t size;
  int32_t capacity;
  int32_t weight;
  int32_t state;
  int32_t type;
  int32_t strength;
  int32_t health;
  int32_t init_health;
  int32_t locked;
  int32_t trapped;
  char name[CONTAINER_NAME_SIZE];
};

struct camera_record {
  int32_t x;
  int32_t y;
  int32_t z;
};

// ---------------------------------------------------------------------------
// The tables
// ---------------------------------------------------------------------------
extern map_cell map[LEVELS][LAND_SIZE][LAND_SIZE];
extern environment_cell environment[LEVELS][LAND_SIZE][LAND_SIZE];
extern unit_record unit[4][UNIT_SLOTS];
extern object_record object[OBJECT_SLOTS];
extern container_record container[CONTAINER_SLOTS];
extern camera_record camera;

// The message history of the panel: index 0 oldest, 29 newest.
extern char M_line[MESSAGE_LINES][MESSAGE_LINE_SIZE];

// ---------------------------------------------------------------------------
// Game-wide constants and settings
// ---------------------------------------------------------------------------
extern int MAX_LAND_SIZE_X;
extern int MAX_LAND_SIZE_Y;
extern int MAX_PLAYERS;
extern int UNIT_MAX;
extern int MAX_OBJECTS;
extern int WIDTH;
extern int HEIGHT;
extern int CURRENT_PLAYER;
extern int CURRENT_UNIT;
extern int DIFFICULTY;
extern int GAME_SPEED;
extern int MAZE_LEVEL;
extern int DEBUG_MODE;
extern int END_TURN;
extern int MESSAGE_LINE;

// ---------------------------------------------------------------------------
// Game state flags
// ---------------------------------------------------------------------------
extern int gameover;
extern int FOUND_EXIT;
extern int QUEST_NO;
extern int LEVEL_TYPE;
extern int UPDATE_MAP;
extern int BARREL_EXPLODE;
extern int BOUNCED;
extern volatile int ticker;
extern int ticks;
extern int GFX_ENGINE;
extern int CANT_SAVE;
extern int IS_GLOBAL_LIGHTING_ON;
extern int IS_EVENTCARDS_ON;
extern int AGX;
extern int AGY;

// ---------------------------------------------------------------------------
// Small helpers over the tables
// ---------------------------------------------------------------------------

// True when (z, x, y) names a square of the grid.
inline bool on_grid(int z, int x, int y) {
  return z >= 0 && z < LEVELS && x >= 0 && x < LAND_SIZE && y >= 0 && y < LAND_SIZE;
}

// True for a valid (player, unit) pair of the unit table.
inline bool unit_slot_valid(int player, int u) {
  return player >= 0 && player < 4 && u >= 0 && u < UNIT_SLOTS;
}

// Copies text into a fixed record buffer, cutting it to fit.
void copy_text(char* dest, std::size_t size, const char* text);
template <std::size_t N>
inline void copy_text(char (&dest)[N], const char* text) {
  copy_text(dest, N, text);
}
// Appends text to a fixed record buffer, cutting it to fit.
void append_text(char* dest, std::size_t size, const char* text);
template <std::size_t N>
inline void append_text(char (&dest)[N], const char* text) {
  append_text(dest, N, text);
}

// ---------------------------------------------------------------------------
// World routines
// ---------------------------------------------------------------------------
int mapextra_in_range(int code, int z, int x, int y, int radius);
void map_object(int z);
int next_free_unit(int player);
int next_free_container();
// The live container standing at a square, 0 for none.
int which_container(int z, int x, int y);
void nuke_variables();
// Puts every global setting and flag back to its starting value (tests and
// tools start each case from here).
void reset_globals();
