// The ground generators: rock-and-rooms maps, caverns and mazes, and the room
// stamp they share.  While a level is generated, the passable field of its
// squares carries the marks below instead of passability; map_movecost gives
// it back its meaning once the level is done.
#pragma once

constexpr int MARK_NONE = 0;         // untouched rock (maze: not carved)
constexpr int MARK_CORRIDOR = 1;     // maze corridor
constexpr int MARK_ROOM_INSIDE = 2;  // inside of a stamped room
constexpr int MARK_ROOM_WALL = 5;
constexpr int MARK_WALL_MIDDLE = 6;
constexpr int MARK_ROOM_CORNER = 7;  // north-east and south-west corners
constexpr int MARK_ROOM_ANCHOR = 8;  // north-west corner: one per room
constexpr int MARK_DOOR_SPOT = 9;    // wall square beside a middle
constexpr int MARK_MAZE_DOOR = 10;

// Stamps count + 1 rooms; answers the number of squares stamped.
int splatter_rooms(int z, int count, int size);
void procedural_map_generation(int z, int fill, int mode, int steps, int threshold);
void cellular_map(int z, int iterations, int rooms);
// cellular_map, except that ground turned down is not laid on the level (the
// next try covers all it would write); lay_cave_try lays the last try's
// ground, for when no try follows.
void cellular_try(int z, int iterations, int rooms);
void lay_cave_try(int z);
// 0 when the open ground of the level is too broken up, 2 when accepted.
int check_cavern(int z);
// Set by cellular_map when its own check turned the ground down, so the
// caller knows without checking again.
extern bool cavern_ground_rejected;
void maze_map(int z, int redraw, int rooms);
void random_directions();

// The maze's four steps, in the order random_directions last chose.
extern int maze_dx[4];
extern int maze_dy[4];
