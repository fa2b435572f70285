#include "ui/past_games.h"

#include "persistence/game_record.h"

std::vector<std::string> past_game_rows(const std::string& folder) {
  std::vector<std::string> skipped, rows;
  for (const record_summary& r : list_game_records(folder, skipped))
    rows.push_back(record_summary_line(r));
  if (rows.empty()) rows.push_back("(no finished games are recorded yet)");
  for (const std::string& s : skipped) rows.push_back("(" + s + ")");
  return rows;
}

bool past_games_follow(game_ending how) {
  return how == ENDING_KILLED || how == ENDING_CLIMBED_OUT;
}
