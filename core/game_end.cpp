#include "core/game_end.h"

game_end_note GAME_END;

void note_game_begins(int turn, bool recorded, const char* leader) {
  GAME_END = {};
  GAME_END.first_turn = turn;
  GAME_END.began = std::time(nullptr);
  GAME_END.recorded = recorded;
  GAME_END.leader = leader ? leader : "";
}

void note_game_end(game_ending how, const std::string& cause, int level) {
  if (GAME_END.how != ENDING_NONE) return;
  GAME_END.how = how;
  GAME_END.cause = cause;
  GAME_END.level = level;
}

void note_leader_struck(const std::string& by) { GAME_END.struck_by = by; }
