// The ground generators.  Each lays out the rock and floor of one level,
// stamps rooms into it, opens doors in the rooms' walls and hands every room
// to the templates.  Marks live in the passable field while this runs.
#include "generation/caverns.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "core/world.h"
#include "generation/rooms.h"

bool cavern_ground_rejected;
int maze_dx[4];
int maze_dy[4];

// A room that finds no free place after this many draws is left out.
constexpr int ROOM_PLACE_LIMIT = 2000;
// A track head that finds no floor after this many draws is left out.
constexpr int TRACK_HEAD_LIMIT = 20000;
// Picks in a row that carve nothing before the maze is called done.
constexpr int MAZE_STALL_LIMIT = 200000;

static int terrain_at(int z, int x, int y) {
  return on_grid(z, x, y) ? map[z][x][y].terrain : TERRAIN_ROCK;
}

static int mark_at(int z, int x, int y) {
  return on_grid(z, x, y) ? map[z][x][y].passable : MARK_NONE;
}

// A room corner may go only where nothing is marked yet, on the part of the
// level the generators work on (0..49); a room spilling past it would be
// written beyond the grid.
static bool corner_taken(int z, int x, int y) {
  if (x < 0 || y < 0 || x >= MAX_LAND_SIZE_X || y >= MAX_LAND_SIZE_Y) return true;
  return map[z][x][y].passable != MARK_NONE;
}

static bool room_corners_taken(int z, int x0, int y0, int w, int h) {
  return corner_taken(z, x0, y0) || corner_taken(z, x0 + w, y0) || corner_taken(z, x0, y0 + h) ||
         corner_taken(z, x0 + w, y0 + h);
}

static int border_mark(int i, int j, int w, int h) {
  int mark = MARK_ROOM_WALL;
  if ((i == 0 && j == 0) || (i == 0 && j == h) || (i == w && j == 0)) mark = MARK_ROOM_CORNER;
  bool across = j == 0 || j == h;  // north or south wall
  bool upright = i == 0 || i == w;
  if (across && (i == w / 2 - 1 || i == w / 2 + 1)) mark = MARK_DOOR_SPOT;
  if (upright && (j == h / 2 - 1 || j == h / 2 + 1)) mark = MARK_DOOR_SPOT;
  if (i == w / 2 || j == h / 2) mark = MARK_WALL_MIDDLE;
  if (i == 0 && j == 0) mark = MARK_ROOM_ANCHOR;
  return mark;
}

static int stamp_room(int z, int x0, int y0, int w, int h) {
  int stamped = 0;
  for (int i = 0; i <= w; i++) {
    for (int j = 0; j <= h; j++) {
      map_cell& m = map[z][x0 + i][y0 + j];
      stamped++;
      bool border = i == 0 || j == 0 || i == w || j == h;
      if (!border) {
        m.passable = MARK_ROOM_INSIDE;
        m.terrain = TERRAIN_ROOM_FLOOR;
      } else {
        m.terrain = TERRAIN_ROCK;
        m.passable = border_mark(i, j, w, h);
      }
    }
  }
  return stamped;
}

int splatter_rooms(int z, int count, int size) {
  const int W = MAX_LAND_SIZE_X, H = MAX_LAND_SIZE_Y;
  int x0 = ((std::rand() % (W - 8)) | 1) + 3;
  int y0 = ((std::rand() % (H - 8)) | 1) + 3;
  int stamped = 0;
  for (int k = 0; k <= count; k++) {
    int w, h;
    if (size != 0) {
      w = size + std::rand() % size;
      h = size + std::rand() % size;
    } else {
      w = W / 10 + std::rand() % (W / 10);
      h = H / 10 + std::rand() % (W / 10);
    }
    int tries = 0;
    while (room_corners_taken(z, x0, y0, w, h) && tries < ROOM_PLACE_LIMIT) {
      x0 = w / 2 + ((std::rand() % (W - w - 8)) / 2) * 2 + 4;
      y0 = h / 2 + ((std::rand() % (H - h - 8)) / 2) * 2 + 4;
      tries++;
    }
    if (room_corners_taken(z, x0, y0, w, h)) continue;
    stamped += stamp_room(z, x0, y0, w, h);
  }
  return stamped;
}

// A wall square opens when it has room floor on one side and no rock on the
// other.
static bool door_fits(int z, int x, int y) {
  int e = terrain_at(z, x + 1, y), w = terrain_at(z, x - 1, y);
  int s = terrain_at(z, x, y + 1), n = terrain_at(z, x, y - 1);
  return (e == TERRAIN_ROOM_FLOOR && w != TERRAIN_ROCK) ||
         (w == TERRAIN_ROOM_FLOOR && e != TERRAIN_ROCK) ||
         (s == TERRAIN_ROOM_FLOOR && n != TERRAIN_ROCK) ||
         (n == TERRAIN_ROOM_FLOOR && s != TERRAIN_ROCK);
}

// The maze knows its rooms and corridors by their marks, not their terrain.
static bool maze_door_fits(int z, int x, int y) {
  int e = mark_at(z, x + 1, y), w = mark_at(z, x - 1, y);
  int s = mark_at(z, x, y + 1), n = mark_at(z, x, y - 1);
  return (e == MARK_ROOM_INSIDE && w != MARK_NONE) || (w == MARK_ROOM_INSIDE && e != MARK_NONE) ||
         (s == MARK_ROOM_INSIDE && n != MARK_NONE) || (n == MARK_ROOM_INSIDE && s != MARK_NONE);
}

static void open_wall(int z, int x, int y, bool door) {
  map[z][x][y].terrain = TERRAIN_ROCK;
  if (door)
    map[z][x][y].terrain = TERRAIN_CLOSED_DOOR;
  else
    map[z][x][y].scenery = SCENERY_SECRET_HIDDEN;
}

static void decorate_every_room(int z) {
  for (int y = 0; y < MAX_LAND_SIZE_Y; y++)
    for (int x = 0; x < MAX_LAND_SIZE_X; x++)
      if (map[z][x][y].passable == MARK_ROOM_ANCHOR) decorate_room(z, x, y);
}

// ---------------------------------------------------------------------------
// Rock and rooms
// ---------------------------------------------------------------------------

static int rock_neighbours(int z, int x, int y) {
  int count = 0;
  if (x >= 1 && y >= 1 && x < LAND_SIZE - 1 && y < LAND_SIZE - 1) {
    for (int i = -1; i <= 1; i++) {
      const map_cell* column = &map[z][x + i][y - 1];
      count += (column[0].terrain == TERRAIN_ROCK) + (i != 0 && column[1].terrain == TERRAIN_ROCK) +
               (column[2].terrain == TERRAIN_ROCK);
    }
    return count;
  }
  for (int d = 0; d < 8; d++)
    if (terrain_at(z, x + DIRECTION_DX[d], y + DIRECTION_DY[d]) == TERRAIN_ROCK) count++;
  return count;
}

void procedural_map_generation(int z, int fill, int mode, int steps, int threshold) {
  for (int y = 0; y < MAX_LAND_SIZE_Y; y++) {
    for (int x = 0; x < MAX_LAND_SIZE_X; x++) {
      map_cell& m = map[z][x][y];
      m.passable = 0;
      m.scenery = SCENERY_NONE;
      m.terrain = TERRAIN_STONE_FLOOR;
      environment[z][x][y].water = environment[z][x][y].lava = 0;
      if (std::rand() % 100 > fill) m.terrain = TERRAIN_ROCK;
    }
  }
  for (int s = 0; s < steps; s++) {
    int x = 2 + std::rand() % (MAX_LAND_SIZE_X - 2);
    int y = 2 + std::rand() % (MAX_LAND_SIZE_Y - 2);
    int rock = rock_neighbours(z, x, y);
    bool floor = mode == -1 ? rock <= threshold : rock > threshold;
    map[z][x][y].terrain = floor ? TERRAIN_STONE_FLOOR : TERRAIN_ROCK;
  }
  for (int y = 0; y < MAX_LAND_SIZE_Y; y++) {
    for (int x = 0; x < MAX_LAND_SIZE_X; x++) {
      map_cell& m = map[z][x][y];
      if (m.terrain != TERRAIN_STONE_FLOOR) continue;
      int look = std::rand() % 3;
      if (look == 0) m.terrain = TERRAIN_ROOM_FLOOR;
      if (look == 1) m.terrain = TERRAIN_PASSAGE_FLOOR;
    }
  }
  // Row and column 50 become the outer wall; left as the floor of the reset
  // they would pass for open ground, and a room wall beside them would get a
  // door opening onto the wall.
  for (int i = 0; i < LAND_SIZE; i++) {
    for (map_cell* m : {&map[z][i][LAND_SIZE - 1], &map[z][LAND_SIZE - 1][i]}) {
      m->terrain = TERRAIN_ROCK;
      m->scenery = SCENERY_NONE;
      m->passable = 0;
    }
  }
  splatter_rooms(z, 1 + std::rand() % 3, 0);
  for (int y = 0; y < MAX_LAND_SIZE_Y; y++)
    for (int x = 0; x < MAX_LAND_SIZE_X; x++)
      if (map[z][x][y].passable == MARK_DOOR_SPOT && door_fits(z, x, y))
        open_wall(z, x, y, std::rand() % 7 != 0);
  decorate_every_room(z);
}

// ---------------------------------------------------------------------------
// Caverns
// ---------------------------------------------------------------------------

// The smoothing works on a grid of rock flags framed by two squares of rock,
// so the 3 by 3 and 5 by 5 counts around every square come from sums along
// the rows with no bounds test.  Most caverns are turned down and built
// again, so these sweeps run hundreds of times a world: the rows are laid
// out so that the inner loops cover the 48 smoothed squares exactly, a
// length the compiler widens without a remainder.
constexpr int CAVE_PAD = 2;
constexpr int CAVE_SPAN = LAND_SIZE + 2 * CAVE_PAD;
constexpr int CAVE_FIRST = 1 + CAVE_PAD, CAVE_LAST = 48 + CAVE_PAD;  // squares 1..48
// [y][x], padded: the smoothing is the same along both, and rows make the
// reading order of the floor's draws.
using cave_rows = uint8_t[CAVE_SPAN][CAVE_SPAN];

// A cavern's ground is tried on these scratch grids alone: most tries are
// turned down, and the level is written only for one that is taken or for
// the last one.  Squares beyond the level count as rock.
static cave_rows cave_rock[2];
static cave_rows* cave_now = &cave_rock[0];
// The laid floor, one word a row, bit x + CAVE_PAD for column x: all floor,
// floor beside rock (room floor), floor drawn as passage.
static uint64_t cave_floor[LAND_SIZE], cave_by_rock[LAND_SIZE], cave_passage[LAND_SIZE];

static void seed_cave() {
  cave_rows& rock = cave_rock[0];
  std::memset(rock, 1, sizeof rock);
  for (int y = 0; y < LAND_SIZE; y++) {
    for (int x = 0; x < LAND_SIZE; x++) {
      // Row and column 50 lie beyond the cave.  Left as the floor the reset
      // gave them, the connectivity check would start its spread there and
      // turn every cavern down.  The edge squares draw all the same.
      bool edge = x == 0 || y == 0 || x >= 49 || y >= 49;
      bool floor = std::rand() % 100 > 44 && !edge;
      rock[y + CAVE_PAD][x + CAVE_PAD] = !floor;
    }
  }
  std::memcpy(cave_rock[1], rock, sizeof rock);  // the frame and the edge never change
  cave_now = &cave_rock[0];
}

// Sixteen squares of a row at a time (the compiler's vector types, which
// fall back to plain code where the machine has none).
using cave_bytes = uint8_t __attribute__((vector_size(16)));
static cave_bytes load16(const uint8_t* p) {
  cave_bytes v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
static void store16(uint8_t* p, cave_bytes v) { std::memcpy(p, &v, sizeof v); }
static_assert((CAVE_LAST - CAVE_FIRST + 1) % 16 == 0, "the smoothed squares fill whole vectors");

static void smooth_rock(const cave_rows& rock, cave_rows& out) {
  // Rock in the three and five squares along the row around each square.
  static cave_rows run3, run5;
  for (int i = CAVE_FIRST - 2; i <= CAVE_LAST + 2; i++) {
    const uint8_t* r = rock[i];
    for (int j = CAVE_FIRST; j <= CAVE_LAST; j += 16) {
      cave_bytes three = load16(r + j - 1) + load16(r + j) + load16(r + j + 1);
      store16(run3[i] + j, three);
      store16(run5[i] + j, three + load16(r + j - 2) + load16(r + j + 2));
    }
  }
  for (int i = CAVE_FIRST; i <= CAVE_LAST; i++) {
    for (int j = CAVE_FIRST; j <= CAVE_LAST; j += 16) {
      cave_bytes near = load16(run3[i - 1] + j) + load16(run3[i] + j) + load16(run3[i + 1] + j);
      cave_bytes wide = load16(run5[i - 2] + j) + load16(run5[i - 1] + j) + load16(run5[i] + j) +
                        load16(run5[i + 1] + j) + load16(run5[i + 2] + j);
      // Crowded ground turns to rock; wide open ground grows a rock in its
      // middle.
      cave_bytes rock_here = (near >= 5) | ((near < 3) & (near + wide < 3));
      store16(out[i] + j, rock_here & 1);
    }
  }
}

static void smooth_cave(int iterations) {
  for (int k = 0; k < iterations; k++) {
    cave_rows& next = cave_rock[cave_now == &cave_rock[0] ? 1 : 0];
    smooth_rock(*cave_now, next);
    cave_now = &next;
  }
}

// The open ground as the connectivity spread reads it: one word a row, bit
// x + 1 for column x, framed by a ring of rock.
constexpr int GROUND_ROWS = LAND_SIZE + 2;
static_assert(GROUND_ROWS <= 64, "a row of the level must fit in one word");
struct ground_rows {
  uint64_t rows[GROUND_ROWS] = {};
  // Open squares of the 50 by 50 the cave is made on; row and column 50 are
  // rock and no part of it.
  int open = MAX_LAND_SIZE_X * MAX_LAND_SIZE_Y;
  // The first plain floor square in reading order (rows first), where the
  // spread starts.
  int seed_x = -1, seed_y = LAND_SIZE;
};

// The flags of a padded row as the bits of one word, eight at a time: each
// flag byte (0 or 1), multiplied, lands on its own bit of the top byte with
// no carries between them.
static uint64_t rock_word(const uint8_t* row) {
  uint64_t w = 0;
  for (int k = 0; k < CAVE_SPAN; k += 8) {
    uint64_t eight = 0;
    std::memcpy(&eight, row + k, static_cast<std::size_t>(std::min(8, CAVE_SPAN - k)));
    w |= ((eight * 0x0102040810204080u) >> 56) << k;
  }
  return w;
}

// Floor beside rock becomes room floor, a quarter of the rest passage floor,
// drawn in reading order; the ground is gathered for the check on the way.
static void lay_cave_floor(ground_rows& g) {
  static_assert(CAVE_SPAN <= 64, "a padded row must fit in one word");
  const cave_rows& rock = *cave_now;
  constexpr uint64_t level = ((uint64_t{1} << LAND_SIZE) - 1) << CAVE_PAD;
  const uint64_t inside = ((uint64_t{1} << MAX_LAND_SIZE_X) - 1) << CAVE_PAD;
  uint64_t above = rock_word(rock[CAVE_PAD - 1]), here = rock_word(rock[CAVE_PAD]);
  for (int y = 0; y < LAND_SIZE; y++) {
    uint64_t below = rock_word(rock[y + CAVE_PAD + 1]);
    uint64_t floor = ~here & level;
    uint64_t by_rock = floor & (here << 1 | here >> 1 | above | below);
    uint64_t passage = 0;
    for (uint64_t drawn = floor & ~by_rock; drawn; drawn &= drawn - 1)
      if (std::rand() % 4 == 0) passage |= drawn & -drawn;
    cave_floor[y] = floor;
    cave_by_rock[y] = by_rock;
    cave_passage[y] = passage;
    g.rows[y + 1] = floor >> (CAVE_PAD - 1);
    if (y < MAX_LAND_SIZE_Y) g.open -= MAX_LAND_SIZE_X - std::popcount(floor & inside);
    uint64_t stone = floor & ~by_rock & ~passage;
    if (stone && g.seed_x < 0) g.seed_x = std::countr_zero(stone) - CAVE_PAD, g.seed_y = y;
    above = here;
    here = below;
  }
}

// The level as the scratch grids' try leaves it: everything a try writes,
// so a try laid over another leaves nothing of the first.
void lay_cave_try(int z) {
  for (int x = 0; x < LAND_SIZE; x++) {
    const uint64_t bit = uint64_t{1} << (x + CAVE_PAD);
    for (int y = 0; y < LAND_SIZE; y++) {
      map_cell& m = map[z][x][y];
      environment[z][x][y].water = environment[z][x][y].lava = 0;
      if (x >= 1 && x <= 48 && y >= 1 && y <= 48) {
        m.passable = 0;
        m.scenery = SCENERY_NONE;
      }
      m.terrain = !(cave_floor[y] & bit)  ? TERRAIN_ROCK
                  : cave_by_rock[y] & bit ? TERRAIN_ROOM_FLOOR
                  : cave_passage[y] & bit ? TERRAIN_PASSAGE_FLOOR
                                          : TERRAIN_STONE_FLOOR;
      m.revealed = 0;
    }
  }
}

static void drop_track_heads(int z) {
  int n = std::rand() % 3;
  int tries = 0;
  while (n > 0 && tries < TRACK_HEAD_LIMIT) {
    tries++;
    int x = 5 + std::rand() % (MAX_LAND_SIZE_X - 10);
    int y = 5 + std::rand() % (MAX_LAND_SIZE_Y - 10);
    int t = map[z][x][y].terrain;
    if (t != TERRAIN_STONE_FLOOR && t != TERRAIN_PASSAGE_FLOOR) continue;
    environment[z][x][y].track = TRACK_BUFFER_FIRST + std::rand() % 4;
    n--;
  }
}

// Whether enough of the open ground hangs together.
static bool ground_accepted(const ground_rows& g) {
  const uint64_t* ground = g.rows;
  uint64_t marked[GROUND_ROWS] = {};
  if (g.seed_x >= 0) marked[g.seed_y + 1] |= uint64_t{1} << (g.seed_x + 1);
  // Each sweep goes over the rows top to bottom and each row left to right,
  // marking the ground around every marked square as it passes: a mark made
  // ahead (to the right, or on the row below) is passed over again in the
  // same sweep, one made behind waits for the next.  A sweep that marks
  // nothing new leaves the count as every later one would.
  int reached = 0;
  bool spreading = true;
  for (int pass = 0; pass < 10 && spreading; pass++) {
    reached = 0;
    spreading = false;
    for (int y = 1; y <= LAND_SIZE; y++) {
      uint64_t start = marked[y];
      if (!start) continue;
      uint64_t g_row = ground[y];
      // Every marked square passes its mark on to the right along the ground:
      // the carries of g + start run exactly through those squares.
      uint64_t passed = start | (g_row & ((g_row + start) ^ g_row ^ start));
      reached += std::popcount(passed);
      uint64_t around = passed | passed << 1 | passed >> 1;
      uint64_t row = marked[y] | passed | (passed >> 1 & g_row);
      uint64_t above = marked[y - 1] | (around & ground[y - 1]);
      uint64_t below = marked[y + 1] | (around & ground[y + 1]);
      if (row != marked[y] || above != marked[y - 1] || below != marked[y + 1]) spreading = true;
      marked[y] = row;
      marked[y - 1] = above;
      marked[y + 1] = below;
    }
  }
  bool rejected = g.open - 15 > reached;
  if (DEBUG_MODE == 2) std::printf(rejected ? "\n Map rejected!" : "\n Map accepted!");
  return !rejected;
}

int check_cavern(int z) {
  ground_rows g;
  for (int x = 0; x < LAND_SIZE; x++) {
    const uint64_t bit = uint64_t{1} << (x + 1);
    for (int y = 0; y < LAND_SIZE; y++) {
      map_cell& m = map[z][x][y];
      m.revealed = 0;
      const int t = m.terrain;
      const bool rock = t == TERRAIN_ROCK;
      g.open -= (x < MAX_LAND_SIZE_X) & (y < MAX_LAND_SIZE_Y) & (rock | (t == TERRAIN_BUILT_WALL));
      g.rows[y + 1] |= rock ? 0 : bit;
      if (t == TERRAIN_STONE_FLOOR && y < g.seed_y) g.seed_x = x, g.seed_y = y;
    }
  }
  return ground_accepted(g) ? 2 : 0;
}

void cellular_try(int z, int iterations, int rooms) {
  seed_cave();
  smooth_cave(iterations);
  ground_rows ground;
  lay_cave_floor(ground);
  cavern_ground_rejected = !ground_accepted(ground);
  if (cavern_ground_rejected) return;
  lay_cave_try(z);
  if (rooms > 0) splatter_rooms(z, 2 + std::rand() % 3, 5);
  for (int y = 0; y < MAX_LAND_SIZE_Y; y++) {
    for (int x = 0; x < MAX_LAND_SIZE_X; x++) {
      map_cell& m = map[z][x][y];
      if (m.passable != MARK_DOOR_SPOT) continue;
      m.passable = MARK_NONE;
      if (!door_fits(z, x, y)) continue;
      open_wall(z, x, y, (std::rand() & 7) != 0);
      m.passable = 1;
    }
  }
  decorate_every_room(z);
  drop_track_heads(z);
}

void cellular_map(int z, int iterations, int rooms) {
  cellular_try(z, iterations, rooms);
  if (cavern_ground_rejected) lay_cave_try(z);
}

// ---------------------------------------------------------------------------
// Mazes
// ---------------------------------------------------------------------------

void random_directions() {
  static const int orders[4][4][2] = {{{-1, 0}, {1, 0}, {0, -1}, {0, 1}},
                                      {{0, 1}, {0, -1}, {1, 0}, {-1, 0}},
                                      {{0, -1}, {0, 1}, {-1, 0}, {1, 0}},
                                      {{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
  int r = std::rand() % 4;
  for (int d = 0; d < 4; d++) {
    maze_dx[d] = orders[r][d][0];
    maze_dy[d] = orders[r][d][1];
  }
}

static bool touches_room_inside(int z, int x, int y) {
  return mark_at(z, x + 1, y) == MARK_ROOM_INSIDE || mark_at(z, x - 1, y) == MARK_ROOM_INSIDE ||
         mark_at(z, x, y + 1) == MARK_ROOM_INSIDE || mark_at(z, x, y - 1) == MARK_ROOM_INSIDE;
}

// Walks from a carved cell, two squares a step, until it runs into its own
// corridors or a room.  Answers the number of steps carved.
static int carve_walk(int z, int x, int y, int redraw, int W, int H) {
  int carved = 0;
  int failures = 0;
  bool into_rock = false;
  random_directions();
  do {
    if (std::rand() % (redraw + 1) == 0) random_directions();
    into_rock = false;
    for (int d = 0; d < 4; d++) {
      int tx = x + 2 * maze_dx[d], ty = y + 2 * maze_dy[d];
      if (tx < 2 || tx > W - 1 || ty < 2 || ty > H - 1) {
        failures++;
        continue;
      }
      int mark = map[z][tx][ty].passable;
      if (mark != MARK_NONE && mark != MARK_WALL_MIDDLE) {
        failures++;
        continue;
      }
      map[z][tx][ty].passable = MARK_CORRIDOR;
      map[z][x + maze_dx[d]][y + maze_dy[d]].passable = MARK_CORRIDOR;
      x = tx, y = ty;
      carved++;
      into_rock = mark == MARK_NONE;
      if (mark == MARK_WALL_MIDDLE || touches_room_inside(z, tx, ty)) failures = 4;
      break;
    }
  } while (into_rock || failures < 2);
  return carved;
}

static void maze_marks_to_terrain(int z) {
  for (int y = 0; y < LAND_SIZE; y++) {
    for (int x = 0; x < LAND_SIZE; x++) {
      map_cell& m = map[z][x][y];
      if (m.passable == MARK_DOOR_SPOT) {
        m.passable = MARK_NONE;
        if (maze_door_fits(z, x, y)) {
          open_wall(z, x, y, (std::rand() & 3) != 0);
          m.passable = MARK_MAZE_DOOR;
        }
      }
      if (m.passable == MARK_ROOM_INSIDE)
        m.terrain = TERRAIN_ROOM_FLOOR;
      else if (m.passable == MARK_CORRIDOR)
        m.terrain = std::rand() % 4 == 1 ? TERRAIN_PASSAGE_FLOOR : TERRAIN_STONE_FLOOR;
      else if (m.passable == MARK_NONE)
        m.terrain = TERRAIN_ROCK;
    }
  }
}

void maze_map(int z, int redraw, int rooms) {
  const int W = MAX_LAND_SIZE_X % 2 == 0 ? MAX_LAND_SIZE_X - 1 : MAX_LAND_SIZE_X;
  const int H = MAX_LAND_SIZE_Y % 2 == 0 ? MAX_LAND_SIZE_Y - 1 : MAX_LAND_SIZE_Y;
  for (int y = 0; y < LAND_SIZE; y++) {
    for (int x = 0; x < LAND_SIZE; x++) {
      map[z][x][y].passable = MARK_NONE;
      map[z][x][y].scenery = SCENERY_NONE;
      environment[z][x][y].water = environment[z][x][y].lava = 0;
    }
  }
  const int stamped = splatter_rooms(z, rooms, 5);
  const int wanted = ((W - 1) * (H - 1)) / 4 - stamped / 2;
  int n = 0;
  int stall = 0;
  // Cells shut in by rooms can leave the quota out of reach: after a long run
  // of picks that carve nothing the maze is as done as it will get.
  while (n + 1 < wanted && stall < MAZE_STALL_LIMIT) {
    int x = ((std::rand() % (W - 1)) | 1) + 1;
    int y = ((std::rand() % (H - 1)) | 1) + 1;
    if (n == 0) {
      while (map[z][x][y].passable != MARK_NONE && stall < MAZE_STALL_LIMIT) {
        x = ((std::rand() % (W - 1)) | 1) + 1;
        y = ((std::rand() % (H - 1)) | 1) + 1;
        stall++;
      }
      if (map[z][x][y].passable != MARK_NONE) break;
      map[z][x][y].passable = MARK_CORRIDOR;
    } else if (map[z][x][y].passable != MARK_CORRIDOR) {
      stall++;
      continue;
    }
    int carved = carve_walk(z, x, y, redraw, W, H);
    n += carved;
    stall = carved > 0 ? 0 : stall + 1;
  }
  maze_marks_to_terrain(z);
  decorate_every_room(z);
}
