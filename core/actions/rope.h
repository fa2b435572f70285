// Climbing a rope back up through a hole the unit fell down.
#pragma once

// The unit climbs to the square above it, if nobody stands there and it can
// be entered.
void climb_rope_up(int player, int u);
