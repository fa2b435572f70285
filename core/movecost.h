// What may be entered: the passable field derived from the grid.
#pragma once

// Recomputes passable for every square of level z.
void map_movecost(int z);
// The move cost recounts only the squares inside the level's far edge; the
// outer wall is marked shut once a level is built or loaded, so that nothing
// ever takes it for open ground.
void seal_outer_wall(int z);
// True for the scenery that no unit may enter, whatever the ground.
bool scenery_blocks(int scenery);
// True for the ground that no unit may enter or stand on: rock, walls,
// pillars, windows and closed doors.
bool terrain_blocks(int terrain);
// The passable value map_movecost gives the square now (1, 0, or 2 for a
// blocked secret passage); it reads the square and changes nothing.
int square_passable(int z, int x, int y);
