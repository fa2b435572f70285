// Plays random keys and clicks over fresh games at every difficulty and
// checks the world after every input and every end of turn; every game's own
// replay is played back and must end in the state the game ended in.
//
//   soak [--seeds N] [--turns T] [--first-seed S] [--difficulty D] [--inputs I] [--no-shrink]
//        [--no-replays]
//
// Prints soak_actions_per_s:, the actions, turns and games played, and the
// first broken rule with its seed and the inputs that lead there, shrunk to a
// short reproduction.  Exits 1 when a rule was broken.
#include "tools/support/soak.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static void print_break(const soak_break& b) {
  if (!b.found) {
    std::printf("first_break: none\n");
    return;
  }
  std::printf("first_break: seed %u difficulty %d, %s", b.seed, b.difficulty, b.when.c_str());
  if (b.input_index >= 0) std::printf(" (input %d)", b.input_index + 1);
  std::printf(": [%s] %s\n", world_break_name(b.fault.kind), b.fault.text.c_str());
  std::printf("reproduction: seed %u difficulty %d, %zu inputs%s\n", b.seed, b.difficulty,
              b.inputs.size(), b.inputs.empty() ? " (the world is built broken)" : "");
  for (size_t i = 0; i < b.inputs.size(); i++)
    std::printf("  %zu. %s\n", i + 1, describe_input(b.inputs[i]).c_str());
}

int main(int argc, char** argv) {
  soak_config cfg;
  cfg.seeds = 10;
  cfg.turns = 50;
  for (int i = 1; i < argc; i++) {
    bool more = i + 1 < argc;
    if (!std::strcmp(argv[i], "--seeds") && more)
      cfg.seeds = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--turns") && more)
      cfg.turns = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--first-seed") && more)
      cfg.first_seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    else if (!std::strcmp(argv[i], "--difficulty") && more)
      cfg.first_difficulty = cfg.last_difficulty = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--inputs") && more)
      cfg.inputs = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--no-shrink"))
      cfg.shrink = false;
    else if (!std::strcmp(argv[i], "--no-replays"))
      cfg.replays = false;
    else {
      std::fprintf(stderr,
                   "usage: soak [--seeds N] [--turns T] [--first-seed S] [--difficulty D] "
                   "[--inputs I] [--no-shrink] [--no-replays]\n");
      return 2;
    }
  }
  if (cfg.seeds < 1 || cfg.turns < 1 || cfg.first_difficulty < 1 || cfg.last_difficulty > 3) {
    std::fprintf(stderr, "soak: seeds and turns must be at least 1, difficulty 1..3\n");
    return 2;
  }
  soak_report r = run_soak(cfg);
  std::printf("soak_actions_per_s: %.1f\n", r.seconds > 0 ? r.actions / r.seconds : 0.0);
  std::printf("actions: %ld\nturns: %ld\ngames: %ld\nreplays_matched: %ld\n", r.actions, r.turns,
              r.games, r.replays);
  print_break(r.first);
  return r.first.found ? 1 : 0;
}
