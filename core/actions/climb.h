// Climbing the ladders, stairs and trapdoors between levels, and climbing
// out of the top level into the open.
#pragma once

// Unit u of player climbs to the level above: refused with a message when
// the square holds no way up or the square above is taken. From the top
// level the unit leaves the dungeon; the leader leaving wins the game.
void climb_up(int player, int u);
// Unit u of player climbs to the level below, refused the same way; the
// bottom level has no way down.
void climb_down(int player, int u);
// Play passes to the next party member that may act, which then sees and
// meets its square.
void pass_to_next_unit();

// The pieces the ladders of the action menu share with the keys.
// True when someone stands on (z, x, y), or the square is off the grid.
bool square_taken(int z, int x, int y);
// Unit u of player steps off its square onto the same square of level z.
void climb_to(int player, int u, int z);
// Unit u of player climbs out of the top level.
void leave_the_dungeon(int player, int u);
// One level up for unit u of player, the way a key or a menu climb goes: from
// the top level the unit leaves the dungeon; a taken square above refuses
// it; cost is paid; a square above with no ladder down gets made_above.
void climb_a_level_up(int player, int u, int cost, int made_above);
// One level down the same way, saying text; the bottom level has no way down.
void climb_a_level_down(int player, int u, int cost, const char* text);
