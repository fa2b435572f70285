// The final score, the leader's title and the high-score table.
#pragma once

#include <array>
#include <climits>
#include <string>

// The score of the game being ended; 0 outside final_score.
extern int SCORE;

constexpr int SCORE_ENTRIES = 5;
// The highest score: compute_score never gives more, and the table reader
// takes every score from 0 up to it, so whatever is written reads back.
constexpr int SCORE_MAX = INT_MAX;
// A name in the table: a unit name of at most 38 characters.
constexpr int SCORE_NAME_MAX = 38;

struct score_entry {
  std::string name;
  int score = 0;
};
using score_table = std::array<score_entry, SCORE_ENTRIES>;

// The score of the game as it stands: leader, party members out, possessions
// and the quest.
int compute_score();
// " the DEAD!", " the ADVENTURER!", " the HERO!", " the MIGHTY!" or "".
const char* score_title(int score);
// The table in path, best first.  Entries are kept however few there are; a
// damaged entry is skipped and the rest kept; entries past the fifth are
// ignored.  A missing file is an empty table; a file that is not a regular
// file or is far too large to be a table is an empty table too, and problem
// (when given) then says why.
score_table read_score_table(const char* path, std::string* problem = nullptr);
// Writes the table whole under a temporary name and renames it into place.
bool write_score_table(const char* path, const score_table& table);
// Puts a score into the table when it beats the fifth; an equal score goes
// below the one already there.  True when the table changed.
bool enter_score(score_table& table, const std::string& name, int score);

// Ends a game with its score: fades, titles the leader, shows the score and
// the table, and keeps the table in "save/hiscore.tab".
void final_score();
