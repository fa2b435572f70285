// The seed of the running game. Each new game starts the random numbers from
// its own seed, so a player can read it, pass it back with --seed and get the
// same dungeon again, and a replay can rebuild the game it recorded.
#pragma once

#include <string>

// The seed the current game was built from.
extern unsigned GAME_SEED;

// A seed asked for on the command line: the next new game is built from it.
void ask_for_seed(unsigned seed);
// Seeds rand() for a new game and records the seed in GAME_SEED: the asked
// seed if one is waiting, otherwise one taken from the clock.
void seed_new_game();
// A game loaded from a save was not built from a seed this run knows.
void forget_game_seed();
// "SEED n" for the player to read and pass back with --seed; "" when the
// game in play was loaded.
std::string seed_label();
