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
