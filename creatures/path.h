// Finding a way across one level.
//
// Both searches are a greedy walk over a grid of scored squares: from the
// current square they step to the best-scored neighbour not yet walked and back
// up to the parent square when stuck.  The answer is the direction (NORTH ..
// NORTHWEST) of the first step, with that square left in AGX, AGY; FAIL (99)
// when the walk ran off into square (0, 0), could not be traced back or was
// longer than a route list holds; NO_PATH (100) when there is no way, or start
// and goal are the same square.
#pragma once

constexpr int NO_PATH = 100;
// Squares a route list holds; slot 0 is never used, so a route has at most
// ROUTE_SQUARES - 1 steps.
constexpr int ROUTE_SQUARES = 100;
// The last waypoint slot a party route may fill before its end mark.
constexpr int ROUTE_WAYPOINTS = 39;
constexpr int ROUTE_END_MARK = 999;

// The party's search.  When the unit on the start square belongs to the acting
// player, its waypoints become the route, goal first (slot 1), ending with
// (999, 999), and its waypoint_index 1.
int a_star_path_finding(int x, int y, int tx, int ty, int z);
// The creatures' search.  It also succeeds one square short of a goal on which
// a unit stands, so a hunter closes in on its victim.
int npc_a_star_path_finding(int x, int y, int tx, int ty, int z);
// The distance estimate: ten per square along each axis.
int heuristic_distance(int x1, int y1, int x2, int y2);
