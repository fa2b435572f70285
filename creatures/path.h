// Finding a way across one level.
#pragma once

// The party's search: fills the mover's waypoints.
int a_star_path_finding(int x, int y, int tx, int ty, int z);
// The creatures' search.
int npc_a_star_path_finding(int x, int y, int tx, int ty, int z);
int heuristic_distance(int x1, int y1, int x2, int y2);
