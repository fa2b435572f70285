// How the game in play ended, noted by the rules where it ends, for the
// record written afterwards.  Nothing here is part of the world: it is only
// written, never read, by the rules, so it cannot change a game or a replay.
#pragma once

#include <ctime>
#include <string>

enum game_ending { ENDING_NONE, ENDING_KILLED, ENDING_CLIMBED_OUT, ENDING_LEFT };

struct game_end_note {
  game_ending how = ENDING_NONE;
  std::string cause;      // what killed the leader, for ENDING_KILLED
  int level = 0;          // where the leader was when it ended
  std::string struck_by;  // the last creature to hit the leader
  int first_turn = 0;     // the turn count when this game began
  std::time_t began = 0;
  bool recorded = false;  // played from a new game, so a replay exists
  std::string leader;     // the leader's name before any title is added
};
extern game_end_note GAME_END;

// A game begins: forget the last one's ending.
void note_game_begins(int turn, bool recorded, const char* leader);
// The first ending noted stands (a death while climbing out is still a death).
void note_game_end(game_ending how, const std::string& cause, int level);
void note_leader_struck(const std::string& by);
