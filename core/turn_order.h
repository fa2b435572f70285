// Who acts next within the party's turn.
#pragma once

// Hands play to the next unit of the acting player that may act; keeps the
// old one when there is none.
void next_unit();
// Gives every unit of player its movement points back; unconscious units
// heal by one and may wake.
void refresh_movement(int player);
// Forgets where the last game was in its turn: the creature turn's banner,
// a pending barrel blast, a bounce, the save lock and the exit count.  A new
// or loaded game starts in the party's turn with none of them.
void clear_turn_state();
