// Measures of a built world: whether the party can walk from where it
// arrives on a level to a way up, doors and secret passages counted as open.
#pragma once

// True when a unit could walk onto the square, ignoring other units and
// taking closed doors and secret passages as open.
bool walkable_for_reach(int z, int x, int y);
// Number of squares where the party arrives on level z: the start square on
// level 0, the ladders down elsewhere.
int arrival_count(int z);
// 1 when every arrival square of level z can walk to a ladder up (on level
// 10 the way out), 0 when some cannot or the level has no arrival at all.
int level_reachable(int z);
// 1 when some arrival square of level z can walk to a ladder up.
int level_reachable_from_any(int z);
// 1 when the party can climb from the start square to the way out, taking
// only ladders it can walk to.
int world_completable();
