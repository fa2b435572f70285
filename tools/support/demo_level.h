// A small hand-made level with most kinds of square, the leader in it, for
// looking at the drawing without the dungeon generator.
#pragma once

void demo_level_offscreen();
