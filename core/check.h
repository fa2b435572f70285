// The world's own rules, checked: who stands where, what lies where, who owns
// what and what may be entered.  Only reads the tables, so it may be asked at
// any moment between two actions.
#pragma once

#include <string>

// The kinds of break, in the order they are looked for.
enum world_break {
  BREAK_NONE,
  BREAK_UNIT_SLOT,         // a live unit in a slot no unit may use
  BREAK_UNIT_OFF_GRID,     // a live unit off the grid
  BREAK_UNIT_NOT_NAMED,    // a live unit whose square names nobody or someone else
  BREAK_UNITS_SHARE,       // two live units on one square
  BREAK_SQUARE_NAMES,      // a square names a free unit, a unit elsewhere or no player
  BREAK_UNIT_IN_WALL,      // a unit in rock, wall, pillar, window or closed door
  BREAK_UNIT_FACING,       // a facing outside 0..7
  BREAK_UNIT_MOVES,        // more moves left than the unit's movement
  BREAK_UNIT_DAMAGE,       // a damage below 1, which the blow divides by
  BREAK_UNIT_HEALTH,       // alive with health below -10
  BREAK_OBJECT_PLACE,      // an object lying off the grid or on a closed door
  BREAK_OBJECT_COUNT,      // a square's object count differs from what lies there
  BREAK_OBJECT_OWNER,      // a held object whose owner is out of range or not alive
  BREAK_CONTAINER_MARKER,  // a marker without its record, or a record without its marker
  BREAK_CONTAINER_FACING,  // a container facing outside 0..7
  BREAK_DOOR_ON_CHEST,     // a door closed over a container
  BREAK_LADDER_PAIR,       // a ladder whose other end is missing
  BREAK_WALL_PASSABLE,     // a wall, rock, pillar or closed door marked enterable
  BREAK_PASSABLE,          // passable differs from what map_movecost gives
  BREAK_REPLAY,            // a game's own replay ends elsewhere (found by playing it back)
};

struct world_fault {
  world_break kind = BREAK_NONE;
  std::string text;  // the break in words, empty when the world is sound
};

// When the passable field is expected to agree with map_movecost: right after
// the end of a turn (every level was recounted); during a turn the steps keep
// it only for the squares they touch.
enum check_moment { CHECK_DURING_TURN, CHECK_AFTER_END_OF_TURN };

// The first broken rule of the world, or a fault of kind BREAK_NONE.
world_fault find_world_fault(check_moment when = CHECK_DURING_TURN);
// The first broken rule in words, or "" when the world is sound.
std::string check_world(check_moment when = CHECK_DURING_TURN);
// A short name for a kind of break ("unit in wall"), for reports.
const char* world_break_name(world_break kind);
