// What wounds leave of a unit hurt by the map: a trap, a blast, a cart.
#pragma once

// A unit below 1 health falls unconscious; at -10 or lower it dies, as in
// combat: its square is freed, its items and a corpse are left there.
void settle_wounds(int player, int u);
