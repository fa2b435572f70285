// The mine-cart ride.  The rider sits in the cart and rolls along the track
// one square at a time, through crossings, round corners, down the branch a
// junction sends it and through closed doors, until a buffer end, another
// cart or something in the way stops it.  Every square ridden is an
// ordinary step of the rider.
#include "core/actions/cart.h"

#include <cstdlib>

#include "core/actions/doors.h"
#include "core/actions/movement.h"
#include "core/actions/wounds.h"
#include "core/frontend.h"
#include "core/world.h"

// Travel directions along the track.
constexpr int GO_NORTH = 0;
constexpr int GO_EAST = 1;
constexpr int GO_SOUTH = 2;
constexpr int GO_WEST = 3;
constexpr int GO_NONE = -1;

constexpr int TRAVEL_DX[4] = {0, 1, 0, -1};
constexpr int TRAVEL_DY[4] = {-1, 0, 1, 0};
constexpr int TRAVEL_FACING[4] = {NORTH, EAST, SOUTH, WEST};

// Track pieces by name.
constexpr int PIECE_NS = 1;
constexpr int PIECE_EW = 2;
constexpr int CORNER_NW = 3;
constexpr int CORNER_NE = 4;
constexpr int CORNER_SW = 5;
constexpr int CORNER_SE = 6;
constexpr int BUFFER_POINTS_NORTH = 7;  // a buffer end whose track lies north of it
constexpr int BUFFER_POINTS_SOUTH = 8;
constexpr int BUFFER_POINTS_WEST = 10;
constexpr int BUFFER_LAST = 10;
constexpr int CROSSING = 11;
constexpr int JUNCTION_FIRST = 12;
constexpr int JUNCTION_LAST = 15;

constexpr int RIDE_PASSES = 202;  // a ride round a loop of track ends in time
constexpr int RIDE_PAUSE_MS = 103;
constexpr int BIG_SPLAT = 11;

// Where a junction sends a cart, by the direction it arrives in (north,
// east, south, west).
constexpr int JUNCTION_TURN[4][4] = {
    {GO_SOUTH, GO_NORTH, GO_EAST, GO_WEST},  // 12
    {GO_EAST, GO_EAST, GO_SOUTH, GO_NORTH},  // 13
    {GO_EAST, GO_SOUTH, GO_SOUTH, GO_WEST},  // 14
    {GO_WEST, GO_NORTH, GO_SOUTH, GO_WEST},  // 15
};

static int piece_at(int z, int x, int y) {
  return on_grid(z, x, y) ? environment[z][x][y].track : TRACK_NONE;
}

static bool is_buffer(int piece) { return piece >= TRACK_BUFFER_FIRST && piece <= BUFFER_LAST; }

// The way out along the piece is shut by the given buffer end or a cart
// (the edge of the level shuts it too).
static bool shut(int z, int x, int y, int buffer) {
  if (!on_grid(z, x, y)) return true;
  return environment[z][x][y].track == buffer || map[z][x][y].scenery == SCENERY_MINE_CART;
}

// The way the cart sets off: the first way out of its piece unless that is
// shut, then the second.  A piece with no set way (a buffer end, a junction,
// bare ground) does not ride.
static int boarding_direction(int z, int x, int y) {
  switch (piece_at(z, x, y)) {
    case PIECE_NS:
    case CROSSING:
      return shut(z, x, y + 1, BUFFER_POINTS_NORTH) ? GO_NORTH : GO_SOUTH;
    case PIECE_EW:
      return shut(z, x + 1, y, BUFFER_POINTS_WEST) ? GO_WEST : GO_EAST;
    case CORNER_SE:
      return shut(z, x, y + 1, BUFFER_POINTS_NORTH) ? GO_EAST : GO_SOUTH;
    case CORNER_SW:
      return shut(z, x, y + 1, BUFFER_POINTS_NORTH) ? GO_WEST : GO_SOUTH;
    case CORNER_NE:
      return shut(z, x, y - 1, BUFFER_POINTS_SOUTH) ? GO_EAST : GO_NORTH;
    case CORNER_NW:
      return shut(z, x, y - 1, BUFFER_POINTS_SOUTH) ? GO_WEST : GO_NORTH;
    default:
      return GO_NONE;
  }
}

static int after_junction(int piece, int t) {
  if (piece < JUNCTION_FIRST || piece > JUNCTION_LAST) return t;
  return JUNCTION_TURN[piece - JUNCTION_FIRST][t];
}

// A corner on the new square turns the ride; the rider leans into it.
static int after_corner(int piece, int t, int& facing) {
  switch (t) {
    case GO_EAST:
      if (piece == CORNER_SW) return facing = SOUTHEAST, GO_SOUTH;
      if (piece == CORNER_NW) return facing = NORTHEAST, GO_NORTH;
      break;
    case GO_NORTH:
      if (piece == CORNER_SE) return facing = NORTHEAST, GO_EAST;
      if (piece == CORNER_SW) return facing = NORTHWEST, GO_WEST;
      break;
    case GO_SOUTH:
      if (piece == CORNER_NE) return facing = SOUTHEAST, GO_EAST;
      if (piece == CORNER_NW) return facing = SOUTHWEST, GO_WEST;
      break;
    case GO_WEST:
      if (piece == CORNER_NE) return facing = NORTHWEST, GO_NORTH;
      if (piece == CORNER_SE) return facing = SOUTHWEST, GO_SOUTH;
      break;
  }
  return t;
}

// The cart runs into whatever stopped it: a unit in the way is hurt by the
// speed the cart had gathered, and so is the rider when something stands
// on the square.
static void crash(int player, int u, int z, int ax, int ay, int steps) {
  unit_record& me = unit[player][u];
  const map_cell& ahead = map[z][ax][ay];
  if (ahead.occupant_player != 0 && steps > 0) {
    int vp = ahead.occupant_player, vu = ahead.occupant_unit;
    int d = std::rand() % steps + 1;
    if (unit_slot_valid(vp, vu)) {
      unit[vp][vu].health -= d;
      draw_splat(ax - me.x, ay - me.y, d < BIG_SPLAT ? 1 : 0);
      settle_wounds(vp, vu);
    }
  }
  if (ahead.scenery != SCENERY_NONE) {
    me.health -= steps;
    draw_splat(0, 0, steps < BIG_SPLAT ? 1 : 0);
  }
}

// Ladders, stairs, the way out and bridges lie on the track but a cart may
// not stand on them: its mark would take their place on the square, and a
// level would lose a way up or a bridge over lava.  The cart stops short of
// them as at a buffer end.
static bool cart_may_not_stand(int z, int x, int y) {
  switch (map[z][x][y].scenery) {
    case SCENERY_LADDER_DOWN:
    case SCENERY_LADDER_UP:
    case SCENERY_TRAPDOOR:
    case SCENERY_BRIDGE_EW:
    case SCENERY_BRIDGE_NS:
      return true;
    default:
      return false;
  }
}

void traverse_track(int player, int u) {
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  const int z = me.z, sx = me.x, sy = me.y;
  if (!on_grid(z, sx, sy)) return;
  int t = boarding_direction(z, sx, sy);
  if (t == GO_NONE) return;
  message_box("You get in the minecart.");

  int dx = 0, dy = 0, steps = 0;
  for (int pass = 0; pass < RIDE_PASSES; pass++) {
    t = after_junction(piece_at(z, sx + dx, sy + dy), t);
    dx += TRAVEL_DX[t];
    dy += TRAVEL_DY[t];
    me.facing = TRAVEL_FACING[t];
    int ax = sx + dx, ay = sy + dy;
    if (!on_grid(z, ax, ay)) break;
    if (is_buffer(piece_at(z, ax, ay)) || map[z][ax][ay].scenery == SCENERY_MINE_CART) break;
    if (cart_may_not_stand(z, ax, ay)) break;

    if (map[z][me.x][me.y].scenery == SCENERY_MINE_CART) map[z][me.x][me.y].scenery = SCENERY_NONE;
    if (map[z][ax][ay].terrain == TERRAIN_CLOSED_DOOR) smash_door(z, ax, ay);
    forward(player, u);
    steps++;
    if (BOUNCED == 1) {
      map[z][me.x][me.y].scenery = SCENERY_MINE_CART;
      crash(player, u, z, ax, ay, steps);
      me.facing = TRAVEL_FACING[t];
      break;
    }
    // Something on the square may have taken the rider out of the cart: a
    // hole, a trap, lava sending it back.  The cart stays behind.
    if (me.z != z || me.x != ax || me.y != ay || me.status == UNIT_FREE) {
      if (on_grid(z, ax, ay) && map[z][ax][ay].scenery == SCENERY_NONE)
        map[z][ax][ay].scenery = SCENERY_MINE_CART;
      break;
    }
    map[z][ax][ay].scenery = SCENERY_MINE_CART;
    int facing = me.facing;
    t = after_corner(piece_at(z, ax, ay), t, facing);
    me.facing = facing;
    UPDATE_MAP = 1;
    drawmap();
    rest_ms(RIDE_PAUSE_MS);
  }
  settle_wounds(player, u);
  me.moves = 0;
}
