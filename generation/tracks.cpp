// Mine-cart tracks.  From every buffer end that leads nowhere a walk lays a
// track of random length, turning where the rock stops it; a repair pass then
// joins ends that meet other tracks.
#include "generation/tracks.h"

#include <cstdio>
#include <cstdlib>

#include "core/world.h"

namespace {

// Squares beyond the level are rock without track.
int piece_at(int z, int x, int y) { return on_grid(z, x, y) ? environment[z][x][y].track : 0; }
int terrain_at(int z, int x, int y) {
  return on_grid(z, x, y) ? map[z][x][y].terrain : TERRAIN_ROCK;
}
int scenery_at(int z, int x, int y) { return on_grid(z, x, y) ? map[z][x][y].scenery : 0; }
void set_piece(int z, int x, int y, int piece) {
  if (on_grid(z, x, y)) environment[z][x][y].track = piece;
}

enum travel { GO_NORTH, GO_SOUTH, GO_EAST, GO_WEST };
const int STEP_X[4] = {0, 0, 1, -1};
const int STEP_Y[4] = {-1, 1, 0, 0};
// The buffer end that points back along the way a walk came.
const int END_BEHIND[4] = {TRACK_END_S, TRACK_END_N, TRACK_END_W, TRACK_END_E};

bool north_south(int dir) { return dir == GO_NORTH || dir == GO_SOUTH; }
int straight_for(int dir) { return north_south(dir) ? TRACK_N_S : TRACK_W_E; }
int crossing_straight(int dir) { return north_south(dir) ? TRACK_W_E : TRACK_N_S; }

int corner_for(int from, int to) {
  switch (from) {
    case GO_EAST:
      return to == GO_NORTH ? TRACK_N_W : TRACK_S_W;
    case GO_WEST:
      return to == GO_NORTH ? TRACK_N_E : TRACK_S_E;
    case GO_NORTH:
      return to == GO_WEST ? TRACK_S_W : TRACK_S_E;
    default:  // south
      return to == GO_WEST ? TRACK_N_W : TRACK_N_E;
  }
}

bool keeps_scenery(int s) {
  return s == SCENERY_LADDER_DOWN || s == SCENERY_LADDER_UP || s == SCENERY_BRIDGE_EW ||
         s == SCENERY_BRIDGE_NS;
}

bool open_ground(int z, int x, int y) {
  int t = terrain_at(z, x, y);
  return t == TERRAIN_STONE_FLOOR || t == TERRAIN_WOODEN_FLOOR || t == TERRAIN_ROOM_FLOOR ||
         t == TERRAIN_PASSAGE_FLOOR || t == TERRAIN_CLOSED_DOOR;
}

bool layable(int z, int x, int y, int n, int length) {
  if (!on_grid(z, x, y)) return false;
  int t = map[z][x][y].terrain, s = map[z][x][y].scenery;
  if (t == TERRAIN_STONE_FLOOR || t == TERRAIN_ROOM_FLOOR || t == TERRAIN_PASSAGE_FLOOR)
    return true;
  if (t == TERRAIN_CLOSED_DOOR) return s != SCENERY_CELL_DOOR && s != SCENERY_RUBBLE;
  if (s == SCENERY_SECRET_HIDDEN) return true;
  return t == TERRAIN_WOODEN_FLOOR && n + 1 < length && s != SCENERY_LADDER_UP &&
         s != SCENERY_LADDER_DOWN;
}

bool on_ring(int x, int y) { return x <= 0 || y <= 0 || x >= LAND_SIZE - 1 || y >= LAND_SIZE - 1; }

// Where a walk that ran its full length stops: a buffer end joined to the
// track beside it.  The outer wall is left alone.
void close_end(int z, int x, int y) {
  if (!on_grid(z, x, y) || on_ring(x, y)) return;
  map[z][x][y].terrain = TERRAIN_ROOM_FLOOR;
  int piece = piece_at(z, x, y);
  if (piece_at(z, x - 1, y)) piece = TRACK_END_W;
  if (piece_at(z, x + 1, y)) piece = TRACK_END_E;
  if (piece_at(z, x, y - 1)) piece = TRACK_END_N;
  if (piece_at(z, x, y + 1)) piece = TRACK_END_S;
  set_piece(z, x, y, piece);
}

// The two sides a walk looks to when blocked, in the order it tries them.
void sides_of(int dir, int& first, int& second) {
  if (north_south(dir)) {
    first = GO_WEST, second = GO_EAST;
  } else {
    first = GO_NORTH, second = GO_SOUTH;
  }
}

void lay_from_head(int z, int hx, int hy, int dir) {
  int px = hx + STEP_X[dir], py = hy + STEP_Y[dir];
  int s = map[z][hx][hy].scenery;
  if (!keeps_scenery(s)) map[z][hx][hy].scenery = SCENERY_NONE;
  int length = 20 + 20 * (std::rand() % 3);
  if (LEVEL_TYPE == LEVEL_TYPE_CAVERN) length *= 2;
  if (on_grid(z, px, py) && piece_at(z, px, py) == 0 && scenery_at(z, px, py) != SCENERY_LADDER_UP)
    map[z][px][py].scenery = SCENERY_MINE_CART;
  map[z][hx][hy].terrain = TERRAIN_STONE_FLOOR;
  int t = terrain_at(z, px, py);
  if (t == TERRAIN_ROCK || t == TERRAIN_PILLAR || scenery_at(z, px, py) == SCENERY_LADDER_UP ||
      piece_at(z, px, py) != 0) {
    set_piece(z, hx, hy, 0);
    return;
  }

  int n = 0;
  while (n < length) {
    int bx = px - STEP_X[dir], by = py - STEP_Y[dir];  // the square behind
    if (layable(z, px, py, n, length)) {
      map_cell& m = map[z][px][py];
      if (m.scenery != SCENERY_BRIDGE_EW && m.scenery != SCENERY_BRIDGE_NS)
        environment[z][px][py].lava = 0;
      if (m.scenery == SCENERY_SECRET_HIDDEN) m.terrain = TERRAIN_PASSAGE_FLOOR;
      if (!keeps_scenery(m.scenery) && m.scenery != SCENERY_MINE_CART) m.scenery = SCENERY_NONE;
      n++;
      int here = piece_at(z, px, py);
      if (here == 0) {
        set_piece(z, px, py, straight_for(dir));
      } else if (here == crossing_straight(dir)) {
        set_piece(z, px, py, TRACK_CROSS);
      } else if (here == straight_for(dir)) {
        set_piece(z, bx, by, TRACK_CROSS);
        return;
      } else {
        set_piece(z, bx, by, END_BEHIND[dir]);
        return;
      }
      px += STEP_X[dir], py += STEP_Y[dir];
      continue;
    }
    // Blocked: back to the last square laid, and turn there.
    px = bx, py = by;
    bx = px - STEP_X[dir], by = py - STEP_Y[dir];
    n += 2;
    int first, second;
    sides_of(dir, first, second);
    int fx = px + STEP_X[first], fy = py + STEP_Y[first];
    int sx = px + STEP_X[second], sy = py + STEP_Y[second];
    if (open_ground(z, fx, fy)) {
      if (piece_at(z, fx, fy) && piece_at(z, sx, sy)) {
        set_piece(z, px, py, straight_for(first));
        set_piece(z, bx, by, END_BEHIND[dir]);
        return;
      }
      set_piece(z, px, py, corner_for(dir, first));
      dir = first;
    } else if (!open_ground(z, sx, sy) || piece_at(z, sx, sy)) {
      set_piece(z, px, py, END_BEHIND[dir]);
      return;
    } else {
      set_piece(z, px, py, corner_for(dir, second));
      dir = second;
    }
    px += STEP_X[dir], py += STEP_Y[dir];
  }
  close_end(z, px, py);
}

int head_direction(int z, int x, int y) {
  switch (piece_at(z, x, y)) {
    case TRACK_END_N:
      return piece_at(z, x, y - 1) != TRACK_N_S ? GO_NORTH : -1;
    case TRACK_END_S:
      return piece_at(z, x, y + 1) != TRACK_N_S ? GO_SOUTH : -1;
    case TRACK_END_E:
      return piece_at(z, x + 1, y) != TRACK_W_E ? GO_EAST : -1;
    case TRACK_END_W:
      return piece_at(z, x - 1, y) != TRACK_W_E ? GO_WEST : -1;
    default:
      return -1;
  }
}

void clear_scenery_unless_exit(int z, int x, int y) {
  if (on_grid(z, x, y) && map[z][x][y].scenery != SCENERY_LADDER_UP)
    map[z][x][y].scenery = SCENERY_NONE;
}

// Two ends that meet, or an end that runs into the side of a straight.
void join_ends(int z, int x, int y) {
  int p = piece_at(z, x, y);
  if (p == TRACK_END_N) {
    int s = piece_at(z, x, y + 1);
    if (s == TRACK_W_E) {
      set_piece(z, x, y, TRACK_N_S), set_piece(z, x, y + 1, TRACK_JOIN_WEN);
    } else if (s == TRACK_END_S) {
      set_piece(z, x, y, TRACK_N_S), set_piece(z, x, y + 1, TRACK_N_S);
      clear_scenery_unless_exit(z, x, y - 1);
    }
  } else if (p == TRACK_END_S) {
    int n = piece_at(z, x, y - 1);
    if (n == TRACK_W_E) {
      set_piece(z, x, y, TRACK_N_S), set_piece(z, x, y - 1, TRACK_JOIN_WES);
    } else if (n == TRACK_END_N) {
      set_piece(z, x, y, TRACK_N_S), set_piece(z, x, y - 1, TRACK_N_S);
      clear_scenery_unless_exit(z, x, y + 1);
    }
  } else if (p == TRACK_END_W) {
    int e = piece_at(z, x + 1, y);
    if (e == TRACK_N_S) {
      set_piece(z, x, y, TRACK_W_E), set_piece(z, x + 1, y, TRACK_JOIN_NSW);
    } else if (e == TRACK_END_E) {
      set_piece(z, x, y, TRACK_W_E), set_piece(z, x + 1, y, TRACK_W_E);
      clear_scenery_unless_exit(z, x - 1, y);
    }
  } else if (p == TRACK_END_E) {
    int w = piece_at(z, x - 1, y);
    if (w == TRACK_N_S) {
      set_piece(z, x, y, TRACK_W_E), set_piece(z, x - 1, y, TRACK_JOIN_NSE);
    } else if (w == TRACK_END_W) {
      set_piece(z, x, y, TRACK_W_E), set_piece(z, x - 1, y, TRACK_W_E);
      clear_scenery_unless_exit(z, x + 1, y);
    }
  }
}

bool loose_vertical(int p) { return p == TRACK_END_E || p == TRACK_END_W || p == 0; }
bool loose_horizontal(int p) { return p == TRACK_END_N || p == TRACK_END_S || p == 0; }

// A straight that leads into nothing gets an end, or a junction when the
// square beyond already carries a track across.
void cap_straight(int z, int x, int y) {
  if (piece_at(z, x, y) == TRACK_N_S) {
    if (on_grid(z, x, y - 1) && loose_vertical(piece_at(z, x, y - 1))) {
      bool across =
          piece_at(z, x - 1, y - 1) == TRACK_W_E && piece_at(z, x + 1, y - 1) == TRACK_W_E;
      set_piece(z, x, y - 1, across ? TRACK_JOIN_WES : TRACK_END_S);
      if (DEBUG_MODE > 0) std::printf("track V end error %d %d!\n", x, y - 1);
    }
    if (on_grid(z, x, y + 1) && loose_vertical(piece_at(z, x, y + 1))) {
      bool across =
          piece_at(z, x - 1, y + 1) == TRACK_W_E && piece_at(z, x + 1, y + 1) == TRACK_W_E;
      set_piece(z, x, y + 1, across ? TRACK_JOIN_WEN : TRACK_END_N);
      if (DEBUG_MODE > 0) std::printf("track V end error %d %d!\n", x, y + 1);
    }
  }
  if (piece_at(z, x, y) == TRACK_W_E) {
    if (on_grid(z, x - 1, y) && loose_horizontal(piece_at(z, x - 1, y))) {
      bool across =
          piece_at(z, x - 1, y - 1) == TRACK_N_S && piece_at(z, x - 1, y + 1) == TRACK_N_S;
      set_piece(z, x - 1, y, across ? TRACK_JOIN_NSE : TRACK_END_E);
      if (DEBUG_MODE > 0) std::printf("track H end error %d %d!\n", x - 1, y);
    }
    if (on_grid(z, x + 1, y) && loose_horizontal(piece_at(z, x + 1, y))) {
      bool across =
          piece_at(z, x + 1, y - 1) == TRACK_N_S && piece_at(z, x + 1, y + 1) == TRACK_N_S;
      set_piece(z, x + 1, y, across ? TRACK_JOIN_NSW : TRACK_END_W);
      if (DEBUG_MODE > 0) std::printf("track H end error %d %d!\n", x + 1, y);
    }
  }
}

}  // namespace

void generate_track(int z) {
  if (z < 0 || z >= LEVELS) return;
  for (int y = 0; y < MAX_LAND_SIZE_Y; y++) {
    for (int x = 0; x < MAX_LAND_SIZE_X; x++) {
      int dir = head_direction(z, x, y);
      if (dir >= 0) lay_from_head(z, x, y, dir);
    }
  }
  check_track(z);
}

void check_track(int z) {
  if (z < 0 || z >= LEVELS) return;
  for (int y = 0; y < MAX_LAND_SIZE_Y; y++) {
    for (int x = 0; x < MAX_LAND_SIZE_X; x++) {
      join_ends(z, x, y);
      cap_straight(z, x, y);
    }
  }
}
