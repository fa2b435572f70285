// The soak: fresh games played with random keys and clicks through the same
// decisions the window uses (dispatch_input), with the world checked after
// every input and every end of turn, and each game's own replay played back
// to the state the game ended in.  A break is replayed and shrunk to a
// short list of inputs that still shows it.
//
// New commands join by adding a row to soak_action_table(): a name, a weight,
// and how to make one such input from the soak's own random numbers (never
// rand(), which belongs to the game).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/check.h"
#include "ui/input.h"

// The soak's own numbers, so that a game's rand() draws depend only on its
// seed and the inputs it was given.
struct soak_random {
  uint64_t state;
  explicit soak_random(uint64_t seed) : state(seed) {}
  uint64_t next();
  int below(int n);             // 0..n-1, 0 when n < 1
  int between(int lo, int hi);  // lo..hi
};

// One input of a game: what was held and where the pointer was, and the row
// any menu it opens is answered with (0 closes the menu).
struct soak_input {
  int action = 0;  // row of soak_action_table()
  input_state in;
  int row = 0;
};

struct soak_action {
  const char* name;
  int weight;
  void (*make)(soak_random& r, soak_input& in);
  // Plays the input; null plays it through the window's dispatch.
  void (*play)(const soak_input& in) = nullptr;
};

// The kinds of input the soak chooses from, by weight.  Tests may add rows.
std::vector<soak_action>& soak_action_table();

// An input in words, e.g. "key UP", "left click (250, 300)".
std::string describe_input(const soak_input& in);

struct soak_break {
  bool found = false;
  unsigned seed = 0;
  int difficulty = 0;
  int input_index = -1;  // inputs given before it showed; -1 when built broken
  std::string when;      // "after input", "after the end of a turn", ...
  world_fault fault;
  std::vector<soak_input> inputs;  // the inputs that led there, in order
};

struct soak_config {
  unsigned first_seed = 1;
  int seeds = 1;
  int first_difficulty = 1, last_difficulty = 3;
  int turns = 20;  // ends of turn per game before it is left
  int inputs = 0;  // inputs per game before it is left; 0: 200 a turn
  bool shrink = true;
  bool replays = true;       // play every game's replay back and compare digests
  int shrink_replays = 300;  // replays the shrinking may spend
};

struct soak_report {
  long actions = 0;
  long turns = 0;
  long games = 0;
  long replays = 0;  // games whose replay was played back to the same digest
  double seconds = 0;
  soak_break first;
};

// Plays one game: from script when given (then nothing is chosen at random),
// otherwise random inputs, stopping at the first break.
soak_break soak_game(unsigned seed, int difficulty, const soak_config& cfg,
                     const std::vector<soak_input>* script, soak_report* totals = nullptr);
// Every game of the configuration, stopping at the first break, which is
// then shrunk when asked.
soak_report run_soak(const soak_config& cfg);
// The shortest list of inputs found, within the replays allowed, that still
// shows a break of the same kind.
soak_break shrink_break(const soak_break& b, const soak_config& cfg);
