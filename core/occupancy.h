// Who stands where. A unit's square is kept in two places, the unit's own
// x, y, z and the square's occupant fields; these are the only routines that
// write the occupant fields, so the two can never drift apart by hand.
#pragma once

// Puts unit u of player on (z, x, y): its position becomes the square and the
// square names it. A square off the grid is refused and changes nothing.
void place_unit(int player, int u, int z, int x, int y);
// Takes unit u of player off its square: the square stops naming it (a
// square that names someone else is left alone). The unit keeps its position.
void remove_unit(int player, int u);
// remove_unit, then place_unit on the new square.
void move_unit(int player, int u, int z, int x, int y);
// Empties a square of whoever it names, without touching any unit record.
void clear_occupant(int z, int x, int y);
// Writes every standing unit of level z into its square, as each redraw does.
void map_occupied(int z);
