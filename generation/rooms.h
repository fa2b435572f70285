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

// Makes a monster of player 2 in its first free slot, unless the square is off
// the level or taken or no slot is left (a second unit on one square would
// leave the square naming only one of them).  Answers the slot, 0 for none.
int place_monster(int z, int x, int y, int kind);

// The starting room of level 0: columns 23..27, rows 1..5.
constexpr int START_ROOM_X = 23;
constexpr int START_ROOM_Y = 1;
constexpr int START_ROOM_SIZE = 5;
bool in_start_room(int z, int x, int y);
