// Playing a replay back: the recorded game is started again from its seed and
// every recorded command is run in turn through the same rules, headless or
// in the window.
#pragma once

#include <string>
#include <vector>

#include "core/replay.h"

// The routines a replay can run, by name; every routine that records itself
// as a command has its entry here.
std::vector<std::string> replay_routines();

// Starts the recorded game: the leader's name, the difficulty and the seed,
// then the same new-game sequence the game ran.
void replay_open_game(const replay_record& r);

// Runs one recorded command, with its arguments checked against what the
// routine takes; false with a reason when it cannot be followed (an unknown
// routine, a wrong number of arguments, a value out of range).
bool replay_run_command(const replay_command& c, std::string& reason);

// Runs the commands of the one input that starts at index next and moves next
// past those run; false with a reason at the first that cannot be followed.
bool replay_run_input(const replay_record& r, std::size_t& next, std::string& reason);

struct replay_outcome {
  bool followed = true;     // every command could be run
  std::string reason;       // the first command that could not, when not
  int commands_run = 0;
  std::string digest;       // of the final state
  bool matches = false;     // the digest equals the one recorded at the end
};

// Plays a replay without a window (the headless front end must be selected)
// and works out the digest of the state it ends in.
replay_outcome play_replay_headless(const replay_record& r);
