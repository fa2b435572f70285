// The world checker: walks the tables once per kind of rule and answers the
// first rule it finds broken.  It never writes a table, so the soak may ask it
// after every action without changing the game it watches.
#include "core/check.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "core/movecost.h"
#include "core/world.h"

namespace {

constexpr int PLAYERS = 4;

world_fault fault(world_break kind, const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return {kind, text};
}

bool unit_live(const unit_record& r) { return r.status != UNIT_FREE && r.status != UNIT_GONE; }

bool facing_valid(int d) { return d >= NORTH && d <= NORTHWEST; }

const char* terrain_name(int terrain) {
  switch (terrain) {
    case TERRAIN_ROCK:
      return "rock";
    case TERRAIN_BUILT_WALL:
      return "a built wall";
    case TERRAIN_EARTH:
      return "an earth wall";
    case TERRAIN_PILLAR:
      return "a pillar";
    case TERRAIN_WINDOW:
      return "a window";
    case TERRAIN_CLOSED_DOOR:
      return "a closed door";
    case TERRAIN_METAL_DOOR_CLOSED:
      return "a closed metal door";
    default:
      return "blocked ground";
  }
}

bool closed_door(int terrain) {
  return terrain == TERRAIN_CLOSED_DOOR || terrain == TERRAIN_METAL_DOOR_CLOSED;
}

bool secret_passage(int scenery) {
  return scenery == SCENERY_SECRET_FOUND || scenery == SCENERY_SECRET_HIDDEN;
}

// ---------------------------------------------------------------------------
// Units and the squares that name them
// ---------------------------------------------------------------------------

// Slots past UNIT_MAX are never cleared, so only a status that some rule
// gives a living unit counts there.
bool made_by_a_rule(int status) {
  return status == UNIT_NORMAL || status == UNIT_POISONED || status == UNIT_UNCONSCIOUS;
}

world_fault check_unit(int p, int u) {
  const unit_record& r = unit[p][u];
  if (!on_grid(r.z, r.x, r.y))
    return fault(BREAK_UNIT_OFF_GRID, "unit %d/%d (%s) is off the grid at (%d, %d) on level %d", p,
                 u, r.name, r.x, r.y, r.z);
  const map_cell& c = map[r.z][r.x][r.y];
  if (c.occupant_player != p || c.occupant_unit != u) {
    int q = c.occupant_player, v = c.occupant_unit;
    if (q >= 1 && q < PLAYERS && v >= 1 && v < UNIT_SLOTS && unit_live(unit[q][v]) &&
        unit[q][v].z == r.z && unit[q][v].x == r.x && unit[q][v].y == r.y)
      return fault(BREAK_UNITS_SHARE, "units %d/%d (%s) and %d/%d (%s) share (%d, %d) on level %d",
                   p, u, r.name, q, v, unit[q][v].name, r.x, r.y, r.z);
    return fault(BREAK_UNIT_NOT_NAMED,
                 "unit %d/%d (%s) stands at (%d, %d) on level %d but the square names %d/%d", p, u,
                 r.name, r.x, r.y, r.z, q, v);
  }
  if (terrain_blocks(c.terrain) && !secret_passage(c.scenery))
    return fault(BREAK_UNIT_IN_WALL, "unit %d/%d (%s) stands in %s at (%d, %d) on level %d", p, u,
                 r.name, terrain_name(c.terrain), r.x, r.y, r.z);
  if (!facing_valid(r.facing))
    return fault(BREAK_UNIT_FACING, "unit %d/%d (%s) faces %d", p, u, r.name, r.facing);
  if (r.moves > r.movement)
    return fault(BREAK_UNIT_MOVES, "unit %d/%d (%s) has %d moves left of a movement of %d", p, u,
                 r.name, r.moves, r.movement);
  if (r.damage < 1)
    return fault(BREAK_UNIT_DAMAGE, "unit %d/%d (%s) has a damage of %d", p, u, r.name, r.damage);
  if (r.health < DEATH_HEALTH)
    return fault(BREAK_UNIT_HEALTH, "unit %d/%d (%s) is alive (status %d) at health %d", p, u,
                 r.name, r.status, r.health);
  return {};
}

world_fault check_units() {
  for (int p = 0; p < PLAYERS; p++) {
    for (int u = 0; u < UNIT_SLOTS; u++) {
      const unit_record& r = unit[p][u];
      bool unused_slot = p == 0 || u == 0 || u > UNIT_MAX;
      if (unused_slot && made_by_a_rule(r.status))
        return fault(BREAK_UNIT_SLOT, "unit %d/%d is alive (status %d) in a slot no unit may use",
                     p, u, r.status);
      if (unused_slot || !unit_live(r)) continue;
      world_fault f = check_unit(p, u);
      if (f.kind != BREAK_NONE) return f;
    }
  }
  return {};
}

world_fault check_square_names(int z, int x, int y) {
  const map_cell& c = map[z][x][y];
  int p = c.occupant_player, u = c.occupant_unit;
  if (p == 0 && u == 0) return {};
  if (p < 1 || p >= PLAYERS || u < 1 || u > UNIT_MAX)
    return fault(BREAK_SQUARE_NAMES, "square (%d, %d) on level %d names unit %d/%d, out of range",
                 x, y, z, p, u);
  const unit_record& r = unit[p][u];
  if (!unit_live(r))
    return fault(BREAK_SQUARE_NAMES,
                 "square (%d, %d) on level %d names unit %d/%d, which stands nowhere (status %d)",
                 x, y, z, p, u, r.status);
  if (r.z != z || r.x != x || r.y != y)
    return fault(BREAK_SQUARE_NAMES,
                 "square (%d, %d) on level %d names unit %d/%d (%s), which stands at (%d, %d) on "
                 "level %d",
                 x, y, z, p, u, r.name, r.x, r.y, r.z);
  return {};
}

world_fault check_squares() {
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        world_fault f = check_square_names(z, x, y);
        if (f.kind != BREAK_NONE) return f;
      }
  return {};
}

// ---------------------------------------------------------------------------
// Objects
// ---------------------------------------------------------------------------

bool held(int status) {
  switch (status) {
    case OBJECT_CARRIED:
    case OBJECT_WORN:
    case OBJECT_WIELDED:
    case OBJECT_CURRENT_WEAPON:
    case OBJECT_PACKED:
    case OBJECT_LIT:
      return true;
    default:
      return false;
  }
}

world_fault check_owner(int k) {
  const object_record& o = object[k];
  if (o.owner_player == OWNER_CONTAINER) {
    int c = o.owner_unit;
    if (c < 1 || c >= CONTAINER_SLOTS)
      return fault(BREAK_OBJECT_OWNER, "object %d (%s) is inside container %d, out of range", k,
                   o.name, c);
    if (container[c].state == CONTAINER_FREE)
      return fault(BREAK_OBJECT_OWNER, "object %d (%s) is inside container %d, which is free", k,
                   o.name, c);
    return {};
  }
  int p = o.owner_player, u = o.owner_unit;
  if (p < 1 || p >= PLAYERS || u < 1 || u > UNIT_MAX)
    return fault(BREAK_OBJECT_OWNER, "object %d (%s, status %d) is held by %d/%d, out of range", k,
                 o.name, o.status, p, u);
  // A unit that climbed out keeps what it carried.
  if (unit[p][u].status == UNIT_FREE)
    return fault(BREAK_OBJECT_OWNER, "object %d (%s, status %d) is held by %d/%d, a free slot", k,
                 o.name, o.status, p, u);
  return {};
}

world_fault check_objects() {
  if (object[0].status != OBJECT_FREE)
    return fault(BREAK_OBJECT_OWNER, "object slot 0 is in use (status %d)", object[0].status);
  static int lying[LEVELS][LAND_SIZE][LAND_SIZE];
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) lying[z][x][y] = 0;

  for (int k = 1; k < OBJECT_SLOTS; k++) {
    const object_record& o = object[k];
    if (o.status == OBJECT_ON_GROUND) {
      if (!on_grid(o.z, o.x, o.y))
        return fault(BREAK_OBJECT_PLACE, "object %d (%s) lies off the grid at (%d, %d) on level %d",
                     k, o.name, o.x, o.y, o.z);
      if (closed_door(map[o.z][o.x][o.y].terrain))
        return fault(BREAK_OBJECT_PLACE,
                     "object %d (%s) lies on a closed door at (%d, %d) on level %d", k, o.name, o.x,
                     o.y, o.z);
      lying[o.z][o.x][o.y]++;
    } else if (held(o.status)) {
      world_fault f = check_owner(k);
      if (f.kind != BREAK_NONE) return f;
    }
  }
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++)
        if (map[z][x][y].object_count != lying[z][x][y])
          return fault(BREAK_OBJECT_COUNT,
                       "square (%d, %d) on level %d counts %d objects but %d lie there", x, y, z,
                       map[z][x][y].object_count, lying[z][x][y]);
  return {};
}

// ---------------------------------------------------------------------------
// Containers
// ---------------------------------------------------------------------------

// A container that has rolled into a pit lies there unmarked for good.
bool needs_marker(const container_record& k) {
  return k.state != CONTAINER_FREE && k.state != CONTAINER_IN_PIT;
}

// A barrel pushed into fire is marked where it burns until the next frame
// sets it off, wherever its record still stands.
bool barrel_due(const container_record& k) {
  if (k.type != CONTAINER_BARREL) return false;
  return BARREL_EXPLODE != 0 || map[k.z][k.x][k.y].scenery == SCENERY_BARREL_DUE;
}

world_fault check_containers() {
  if (container[0].state != CONTAINER_FREE)
    return fault(BREAK_CONTAINER_MARKER, "container slot 0 is in use (state %d)",
                 container[0].state);
  static int records[LEVELS][LAND_SIZE][LAND_SIZE];
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) records[z][x][y] = 0;

  for (int c = 1; c < CONTAINER_SLOTS; c++) {
    const container_record& k = container[c];
    if (k.state == CONTAINER_FREE) continue;
    if (!on_grid(k.z, k.x, k.y))
      return fault(BREAK_CONTAINER_MARKER,
                   "container %d (%s) is off the grid at (%d, %d) on level %d", c, k.name, k.x, k.y,
                   k.z);
    if (!facing_valid(k.facing))
      return fault(BREAK_CONTAINER_FACING, "container %d (%s) faces %d", c, k.name, k.facing);
    if (!needs_marker(k)) continue;
    if (closed_door(map[k.z][k.x][k.y].terrain))
      return fault(BREAK_DOOR_ON_CHEST,
                   "a door is closed over container %d (%s) at (%d, %d) on level %d", c, k.name,
                   k.x, k.y, k.z);
    records[k.z][k.x][k.y]++;
    if (map[k.z][k.x][k.y].scenery != SCENERY_CONTAINER && !barrel_due(k))
      return fault(BREAK_CONTAINER_MARKER,
                   "container %d (%s) at (%d, %d) on level %d has no marker (scenery %d)", c,
                   k.name, k.x, k.y, k.z, map[k.z][k.x][k.y].scenery);
  }
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        int n = records[z][x][y];
        if (map[z][x][y].scenery == SCENERY_CONTAINER && n == 0)
          return fault(BREAK_CONTAINER_MARKER,
                       "container marker at (%d, %d) on level %d has no record", x, y, z);
        if (n > 1)
          return fault(BREAK_CONTAINER_MARKER, "%d containers stand at (%d, %d) on level %d", n, x,
                       y, z);
      }
  return {};
}

// ---------------------------------------------------------------------------
// Ladders and the passable field
// ---------------------------------------------------------------------------

world_fault check_ladders() {
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        int s = map[z][x][y].scenery;
        // On the top level the ladder up is the way out.
        if (s == SCENERY_LADDER_UP && z < LEVELS - 1) {
          int above = map[z + 1][x][y].scenery;
          if (above != SCENERY_LADDER_DOWN && above != SCENERY_TRAPDOOR)
            return fault(BREAK_LADDER_PAIR,
                         "ladder up at (%d, %d) on level %d has no way down above it (scenery %d)",
                         x, y, z, above);
        }
        if (s == SCENERY_LADDER_DOWN || s == SCENERY_TRAPDOOR) {
          int below = z > 0 ? map[z - 1][x][y].scenery : -1;
          if (below != SCENERY_LADDER_UP)
            return fault(BREAK_LADDER_PAIR,
                         "way down at (%d, %d) on level %d has no ladder up below it (scenery %d)",
                         x, y, z, below);
        }
      }
  return {};
}

// Whatever the moment, nothing walks into a wall: only a secret door in one
// may be marked enterable.
world_fault check_walls() {
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        const map_cell& c = map[z][x][y];
        if (terrain_blocks(c.terrain) && !secret_passage(c.scenery) && c.passable != 0)
          return fault(BREAK_WALL_PASSABLE,
                       "%s at (%d, %d) on level %d is marked enterable (passable %d)",
                       terrain_name(c.terrain), x, y, z, c.passable);
      }
  return {};
}

world_fault check_passable() {
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        int want = square_passable(z, x, y);
        if (map[z][x][y].passable != want)
          return fault(BREAK_PASSABLE,
                       "square (%d, %d) on level %d has passable %d where the move cost gives %d",
                       x, y, z, map[z][x][y].passable, want);
      }
  return {};
}

}  // namespace

world_fault find_world_fault(check_moment when) {
  world_fault (*const checks[])() = {check_units,      check_squares, check_objects,
                                     check_containers, check_ladders, check_walls};
  for (auto check : checks) {
    world_fault f = check();
    if (f.kind != BREAK_NONE) return f;
  }
  if (when == CHECK_AFTER_END_OF_TURN) return check_passable();
  return {};
}

std::string check_world(check_moment when) { return find_world_fault(when).text; }

const char* world_break_name(world_break kind) {
  switch (kind) {
    case BREAK_NONE:
      return "none";
    case BREAK_UNIT_SLOT:
      return "unit slot";
    case BREAK_UNIT_OFF_GRID:
      return "unit off grid";
    case BREAK_UNIT_NOT_NAMED:
      return "unit not named";
    case BREAK_UNITS_SHARE:
      return "units share";
    case BREAK_SQUARE_NAMES:
      return "square names";
    case BREAK_UNIT_IN_WALL:
      return "unit in wall";
    case BREAK_UNIT_FACING:
      return "unit facing";
    case BREAK_UNIT_MOVES:
      return "unit moves";
    case BREAK_OBJECT_PLACE:
      return "object place";
    case BREAK_OBJECT_COUNT:
      return "object count";
    case BREAK_OBJECT_OWNER:
      return "object owner";
    case BREAK_CONTAINER_MARKER:
      return "container marker";
    case BREAK_CONTAINER_FACING:
      return "container facing";
    case BREAK_LADDER_PAIR:
      return "ladder pair";
    case BREAK_UNIT_DAMAGE:
      return "unit damage";
    case BREAK_UNIT_HEALTH:
      return "unit health";
    case BREAK_DOOR_ON_CHEST:
      return "door on container";
    case BREAK_WALL_PASSABLE:
      return "wall passable";
    case BREAK_PASSABLE:
      return "passable";
    case BREAK_REPLAY:
      return "replay diverges";
  }
  return "unknown";
}
