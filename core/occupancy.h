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

// How far a rule looks for another square when the one it names will not do.
constexpr int NEAREST_SQUARE_RADIUS = 3;
// True when a unit may stand on the square: on the grid, ground a unit can be
// on (a secret passage in a wall included) and nobody there.
bool unit_may_stand(int z, int x, int y);
// The nearest square to (x, y) on level z, at least one step away, whose
// ground and scenery are open (no captive either) and where nobody stands: nearer squares first,
// ties in a fixed order, and no random draw, so a world is built the same
// whichever square is taken.  Writes it to x, y; false (x, y unchanged) when
// none lies within radius.
bool nearest_open_square(int z, int& x, int& y, int radius = NEAREST_SQUARE_RADIUS);
