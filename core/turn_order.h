// Who acts next within the party's turn.
#pragma once

// Hands play to the next unit of the acting player that may act; keeps the
// old one when there is none.
void next_unit();
// Gives every unit of player its movement points back; unconscious units
// heal by one and may wake.
void refresh_movement(int player);
