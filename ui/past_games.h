// The list of past games: after a game that ended with a score, and from the
// command line.
#pragma once

#include <string>
#include <vector>

#include "core/game_end.h"

// The rows of the list for the records in folder, newest first, then a row
// for each file that was skipped and why; a row saying so when there are none.
std::vector<std::string> past_game_rows(const std::string& folder);
// The list follows the high-score table, which only a death or a climb out
// shows.
bool past_games_follow(game_ending how);
