// The record of every finished game: one plain-text file per game beside the
// saves, named so that the files sort by the time the game ended, and the
// list of past games read back from them.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

constexpr const char* RECORD_FOLDER = "save";
constexpr const char* RECORD_MAGIC = "GRIMHOLLOW GAME RECORD 1";
// No record is anywhere near this; anything larger is not one of ours.
constexpr std::size_t RECORD_SIZE_LIMIT = 64 * 1024;
// The last messages a record keeps.
constexpr int RECORD_MESSAGES = 20;
// The past games listed at most, newest first.
constexpr int RECORD_LIST_LIMIT = 500;

// "game-YYYYMMDD-HHMMSS" for a game that ended at when (local time); the
// files add "-NN", the order of games that ended in the same second.
std::string record_stem(std::time_t when);

// Writes the record of the game that just ended (the world as it ended, with
// GAME_END and the message log) into folder, and keeps the game's replay
// beside it when it was recorded.  All or nothing: each file is written under
// a temporary name and renamed into place.  Returns the record's path, or ""
// with a reason.
std::string write_game_record(const std::string& folder, std::string& reason);

// The text of the record, as written.  replay_file is "" when the game had
// no replay.
std::string game_record_text(std::time_t ended, const std::string& replay_file);

struct record_summary {
  std::string file;
  std::string ended;  // "YYYY-MM-DD HH:MM"
  std::string name;
  std::string difficulty;
  int deepest = 0;
  std::string how;  // how it ended
};
// One line of the list of past games.
std::string record_summary_line(const record_summary& r);
// Reads one record's text; false with a reason when it is not a whole record.
bool parse_game_record(const std::string& text, record_summary& out, std::string& reason);
// Every record in folder, newest first, at most RECORD_LIST_LIMIT; a file
// that is not a regular file, too large, damaged or foreign is skipped with a
// note in skipped.
std::vector<record_summary> list_game_records(const std::string& folder,
                                              std::vector<std::string>& skipped);
