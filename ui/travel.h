// Getting about without turning the hero by hand: a step in any of the eight
// map directions, and a walk along the squares the party remembers to a
// known ladder or a square picked on the map.  Every step is one of the
// rules' own turns or forward steps, one per pass of play, so it costs what
// it would by hand and a replay plays it back command for command.  The
// route search is the player's aid and knows only what the party has seen.
#pragma once

// Why the last walk ended.
enum travel_end {
  TRAVEL_WALKING,  // still under way
  TRAVEL_ARRIVED,
  TRAVEL_NO_ROUTE,       // nothing remembered leads there (any more)
  TRAVEL_ENEMY,          // a creature of another player came into sight
  TRAVEL_MESSAGE,        // a step told the player something
  TRAVEL_OUT_OF_POINTS,  // the unit's go is over
  TRAVEL_REFUSED,        // the step did not stand
  TRAVEL_INTERRUPTED     // a key or click, or play moved elsewhere
};

// True when the party's memory says the square of level z can be walked on:
// seen, not solid, no known hazard, nobody seen standing there now.
bool travel_square_open(int z, int x, int y);
// The first direction (0..7) of a shortest route over open remembered
// squares from (fx, fy) to (tx, ty) on level z, or -1 when there is none or
// the two are the same square.  The search visits each square at most once.
int route_first_step(int z, int fx, int fy, int tx, int ty);
// The remembered square of level z nearest by route from (fx, fy) where one
// climbs up (or down): false when none is reachable.
bool nearest_ladder(int z, int fx, int fy, bool up, int& x, int& y);

// The eighth to turn from facing to face target the short way: -1 left, +1
// right, 0 when already facing it.  A half turn goes the way the rules' own
// turn towards a square goes.
int short_turn(int facing, int target);
// Turns the acting unit to the map direction, one paid eighth at a time,
// then steps forward, while it has points left.
void face_and_step(int direction);

// Starts a walk of the acting unit to the nearest remembered ladder up (or
// down); with none it says so.  True when a walk started.
bool travel_to_ladder(bool up);
// Starts a walk of the acting unit to (x, y) of its level.
bool travel_to(int x, int y);
bool travel_walking();
// One turn or step of the walk under way, then the stops.
void travel_step();
// Ends the walk under way, as a key or click does.
void travel_interrupt();
travel_end travel_last_end();
