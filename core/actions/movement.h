// Movement, facing and move cost of units on the map.
#pragma once

// Move costs in movement points.
constexpr int COST_FORWARD = 10;
constexpr int COST_BACKWARD = 15;
constexpr int COST_TURN = 3;
constexpr int COST_TURN_TOWARDS = 5;

// Single-square steps: they move the unit if the square may be entered and
// set BOUNCED, but leave occupancy and movement points to the caller.
void north(int player, int u);
void northeast(int player, int u);
void east(int player, int u);
void southeast(int player, int u);
void south(int player, int u);
void southwest(int player, int u);
void west(int player, int u);
void northwest(int player, int u);
// The single-square step for a direction code 0..7 (others do nothing).
void step_towards(int direction, int player, int u);

void forward(int player, int u);
void backward(int player, int u);
void turnleft(int player, int u);
void turnright(int player, int u);
void turn_to_square(int player, int u, int x, int y);
void turn_to(int player, int u, int direction);
