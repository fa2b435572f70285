// Line of sight: what the party sees and what a unit can see.
#pragma once

// What single_ray answers.
constexpr int RAY_BLOCKED = 0;
constexpr int RAY_CLEAR = 1;
constexpr int RAY_BLOCKED_BESIDE = 2;  // stopped right next to the acting unit
constexpr int RAY_SEES_PARTY = 5;      // plus the party member's unit number

// Lays down what the party sees now on the acting unit's level.
void reveal_tiles();
// The acting unit's cone of sight (run by reveal_tiles).
void los_unit(int player, int u);
// 1 when (tx, ty) lies in the unit's forward view; level is not used.
int in_los(int player, int u, int level, int tx, int ty);
// A short straight ray between two squares of level z (see RAY_*).
int single_ray(int x1, int y1, int z, int x2, int y2);
// The sight range of the unit's kind.
int unit_sight(int player, int u);
