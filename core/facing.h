// The square in front of a unit.
#pragma once

// Codes extra_facing answers besides a square's scenery.
constexpr int AHEAD_LAVA = 45;
constexpr int AHEAD_UNIT = 250;

// Queries about the square ahead of a unit (in the direction it faces; the
// direction argument of facing and extra_facing is not used for the look).
int facing(int direction, int player, int u);
int object_facing(int direction);
int extra_facing(int direction, int player, int u);
int is_infront_passable(int range, int player, int u);
