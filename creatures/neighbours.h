// What stands next to a unit: the probes the movement rules and the
// computer players use to notice an adjacent enemy or something to eat.
#pragma once

// The direction of the first neighbouring square, clockwise from north, that
// holds a unit of another player; FAIL when there is none.
int next_to_enemy(int player, int u);
// The direction of the first neighbouring square, clockwise from north, with
// herbs, mushrooms or items on it; FAIL when there is none.
int next_to_health(int player, int u);
