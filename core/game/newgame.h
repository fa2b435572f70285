// A new game: the one sequence that the game, the tools, the benchmarks and
// the tests all build a world with.
#pragma once

// Clears the world and builds every level.
void initializevariables();
// initializevariables, then the leader with the starting kit and the
// containers: a whole new world at DIFFICULTY, ready to play.
void build_new_world();

// Everything of a new game once the leader's name (unit 1 of player 1) and
// DIFFICULTY are chosen: seeds the game, clears every table, builds the world,
// runs the leader's first square events and sight, and tells the backstory.
// The game and replays both start a game through here, so a replay starts
// from exactly the world the game did.
void open_new_game();
