// Building a new dungeon and placing the party in it.
#pragma once

#include <vector>

// The world build that follows the reset of initializevariables: every
// level, bottom to top, with its ladders.
void generate_world();

// Builds level z completely and leaves LEVEL_TYPE set to its kind.
void generate_5x5_map(int z);
// Turns doors walled in on three or four sides into floor.
void check_doors(int z);
// Squares of the 3 by 3 block around (x, y), itself included, that may be
// entered.
int no_of_exits(int x, int y, int z);

// Level kinds (LEVEL_TYPE and the gas field of each level's corner square).
constexpr int LEVEL_CAVERN = 55;
constexpr int LEVEL_MAZE = 33;
constexpr int LEVEL_ROOMS = 45;
constexpr int LEVEL_ROOMS_B = 83;
constexpr int LEVEL_TOP_ROOMS = 0;
constexpr int LEVEL_DENSE_ROOMS = 11;

// How each ladder up of the last world build came to be.
enum ladder_rule {
  LADDER_CAREFUL,  // spaced out, with a ladder down above it
  LADDER_RELAXED,  // the spacing given up, still with a ladder down above it
  LADDER_ALONE,    // a last resort: no way down from the level above
  LADDER_EXIT,     // the single way out on the top level
  LADDER_FORCED,   // the random search ran out; the first fitting square
};

struct ladder_record {
  int z, x, y;
  ladder_rule rule;
};

extern std::vector<ladder_record> ladder_log;

// The chests, doors and secret passages the level pass put in the passages of
// the last world build (those of the room templates are not listed).
enum passage_feature { FEATURE_CHEST, FEATURE_DOOR, FEATURE_PASSAGE };

struct feature_record {
  int z, x, y;
  passage_feature kind;
};

extern std::vector<feature_record> feature_log;

// Cavern levels generated again before one is taken as it stands.
constexpr int CAVERN_RETRY_LIMIT = 500;
// Squares drawn by the ladder search of one level before it gives up drawing.
constexpr int LADDER_PICK_LIMIT = 400000;
