// Room templates, the prisoner cell and the starting room.
#pragma once

void decorate_room(int z, int x, int y);
void goblin_lair(int z, int x, int y, int w, int h);
void crypt_room2(int z, int x, int y, int w, int h);
void treasure_room2(int z, int x, int y, int w, int h);
void wooden_room2(int z, int x, int y, int w, int h);
void lava_room2(int z, int x, int y, int w, int h);
void generate_prisoner_cell(int z, int x, int y);
void start_room(int x, int y, int z);

// Makes a monster of player 2 in its first free slot.  A square that is taken
// or that no unit can stand on gives way to the nearest open, free square
// (nearest_open_square); a square off the level, no such square near, or no
// slot left makes nothing.  Answers the slot, 0 for none.
int place_monster(int z, int x, int y, int kind);

// A square just built shut (a wall, a door) gives up what stood on it: the
// unit and, unless keep_items, the items lying there move to the nearest
// open square, without a draw; a unit with nowhere to go is not there at all.
void clear_built_square(int z, int x, int y, bool keep_items);

// The starting room of level 0: columns 23..27, rows 1..5.
constexpr int START_ROOM_X = 23;
constexpr int START_ROOM_Y = 1;
constexpr int START_ROOM_SIZE = 5;
bool in_start_room(int z, int x, int y);
