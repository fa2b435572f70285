// A new game: the one sequence that the game, the tools, the benchmarks and
// the tests all build a world with.
#pragma once

// Clears the world and builds every level.
void initializevariables();
// initializevariables, then the leader with the starting kit and the
// containers: a whole new world at DIFFICULTY, ready to play.
void build_new_world();
