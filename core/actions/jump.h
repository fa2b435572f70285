// The jump over a hazard in front of the acting unit.
#pragma once

// distance is 1 or 2 squares.
void jump(int player, int u, int distance);
