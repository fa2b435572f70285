// The party's moves that the mouse asks for: one square beside the unit, and
// the walk along a route dragged on the map.  Routines of the rules, so that
// a replay makes the very same moves.
#pragma once

// The direction 0..7 from one square to a neighbouring one, FAIL otherwise.
int direction_to(int x0, int y0, int x1, int y1);

// Finds the unit's route to (tx, ty) on its level and leaves it in its
// waypoints; the direction of the first step, above 7 when there is none.
int plan_route(int player, int u, int tx, int ty);

// One square in direction d, steered as a one-square route; a click costs 3
// moves more than the step.
void mouse_step(int player, int u, int d);

// Starts the walk along the planned route, whose first step goes in
// direction d: the route's end (the first entry whose x is 0), or 0 when
// there is no route to walk.
int begin_route_walk(int player, int u, int d);
// One step of the walk: a turn towards the next square, or the step onto it.
// The direction of the next step, or FAIL when the walk is over (arrived,
// out of moves, refused, fallen off the level, or next to an enemy once the
// first steps are behind).
int route_walk_step(int player, int u, int d, int route_end);
// Stops the walk where the unit stands.
void end_route_walk(int player, int u);
