// The final score and the high-score table kept in save/hiscore.tab.
#include "creatures/score.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/files.h"
#include "core/frontend.h"
#include "core/seed.h"
#include "core/world.h"

int SCORE;

namespace {

constexpr const char* SCORE_FILE = "save/hiscore.tab";
constexpr int RACE_BELOVED = 99;

int quest_bonus(int quest) {
  switch (quest) {
    case 14:
      return 200;
    case 13:
      return 300;
    case 23:
      return 500;
    case 33:
      return 800;
    case 43:
      return 1200;
    default:
      return 0;
  }
}

// A table is a few hundred bytes; anything far larger is not one.
constexpr std::size_t SCORE_FILE_LIMIT = 64 * 1024;

// The lines of a table file, line ends removed, each cut so a hostile line
// cannot grow without end.
std::vector<std::string> table_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, std::min<std::size_t>(end - at, 256));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    at = end + 1;
  }
  return lines;
}

bool parse_score(const std::string& s, int& v) {
  if (s.empty() || s.size() > 10) return false;
  long long n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n > SCORE_MAX) return false;
  v = static_cast<int>(n);
  return true;
}

std::string table_name(const std::string& name) { return name.substr(0, SCORE_NAME_MAX); }

const char* const PLACES[SCORE_ENTRIES] = {
    "1st Place: ", "2nd Place: ", "3rd Place: ", "4th Place: ", "5th Place: "};
const char* const CONSOLE_PLACES[SCORE_ENTRIES] = {"1st", "2nd", "3rd", "4th", "5th"};

}  // namespace

int compute_score() {
  const unit_record& leader = unit[1][1];
  // Single precision, as the table has always been scored; clamped so that
  // no leader, however odd, overflows the integer.
  float base = static_cast<float>(900 + leader.health) * static_cast<float>(leader.level);
  long long score = 0;
  if (base >= static_cast<float>(INT_MAX))
    score = INT_MAX;
  else if (base <= static_cast<float>(INT_MIN))
    score = INT_MIN;
  else
    score = static_cast<long long>(base);

  for (int u = 2; u <= UNIT_MAX && u < UNIT_SLOTS; u++) {
    const unit_record& r = unit[1][u];
    if (r.status == UNIT_GONE) score += r.race == RACE_BELOVED ? 1000 : 200;
  }
  for (int n = 1; n < MAX_OBJECTS && n < OBJECT_SLOTS; n++) {
    const object_record& o = object[n];
    if (o.status == OBJECT_FREE || o.owner_player != 1) continue;
    score += o.worth;
    if (QUEST_NO == 1 && o.type == ITEM_HERBS) score += 400;
  }
  score += quest_bonus(QUEST_NO);
  if (leader.health < 1) score = 0;
  if (score > SCORE_MAX) score = SCORE_MAX;
  if (score < INT_MIN) score = INT_MIN;
  return static_cast<int>(score);
}

const char* score_title(int score) {
  if (score <= 0) return " the DEAD!";
  if (score < 1000) return " the ADVENTURER!";
  if (score > 1000 && score < 2000) return " the HERO!";
  if (score > 2000) return " the MIGHTY!";
  return "";
}

score_table read_score_table(const char* path, std::string* problem) {
  score_table table{};
  std::string text;
  file_read_result r = read_file_limited(path, SCORE_FILE_LIMIT, text);
  if (r != FILE_READ) {
    if (problem && r != FILE_MISSING)
      *problem = std::string(path) + " " + file_read_problem(r, SCORE_FILE_LIMIT);
    return table;
  }
  std::vector<std::string> lines = table_lines(text);
  int entries = 0;
  std::size_t i = 0;
  while (entries < SCORE_ENTRIES && i < lines.size()) {
    const std::string& line = lines[i];
    if (!line.empty() && line.front() == '~') break;
    if (line.find("SCORE:") == std::string::npos) {
      i++;
      continue;
    }
    // An entry whose name or score is cut off by the end of the file is lost.
    if (i + 2 >= lines.size()) break;
    const std::string& number = lines[i + 2];
    int score = 0;
    if (parse_score(number, score)) {
      table[static_cast<std::size_t>(entries++)] = {table_name(lines[i + 1]), score};
      i += 3;
    } else {
      // A damaged entry costs only itself: when its score line is missing,
      // the line in its place may already start the next entry.
      i += number.find("SCORE:") != std::string::npos ? 2 : 3;
    }
  }
  // Best first, whatever order a damaged file left them in.
  std::stable_sort(table.begin(), table.begin() + entries,
                   [](const score_entry& a, const score_entry& b) { return a.score > b.score; });
  return table;
}

bool write_score_table(const char* path, const score_table& table) {
  std::string text;
  for (const score_entry& e : table)
    text += "SCORE:\n" + table_name(e.name) + "\n" + std::to_string(e.score) + "\n";
  text += "~";
  std::string folder = path;
  std::size_t slash = folder.rfind('/');
  if (slash != std::string::npos) make_folder(folder.substr(0, slash));
  return write_file_replacing(path, text);
}

bool enter_score(score_table& table, const std::string& name, int score) {
  if (score < 0 || score <= table[SCORE_ENTRIES - 1].score) return false;
  int at = 0;
  while (at < SCORE_ENTRIES && score <= table[static_cast<std::size_t>(at)].score) at++;
  for (int i = SCORE_ENTRIES - 1; i > at; i--)
    table[static_cast<std::size_t>(i)] = table[static_cast<std::size_t>(i - 1)];
  table[static_cast<std::size_t>(at)] = {table_name(name), score};
  return true;
}

void final_score() {
  SCORE = compute_score();
  highcolor_fade_out(8);

  std::string problem;
  score_table table = read_score_table(SCORE_FILE, &problem);
  // A table that cannot be read is left as it stands, for the player to
  // look at: the score is shown but not kept.
  if (!problem.empty()) message_box(("The high-score table is not kept: " + problem).c_str());
  bool entered = enter_score(table, unit[1][1].name, SCORE);
  if (entered) message_box("CONGRATS YOU HAVE A NEW HIGH SCORE!");
  append_text(unit[1][1].name, score_title(SCORE));

  std::string said = "Your final SCORE is " + std::to_string(SCORE);
  warning_message(
      unit[1][1].name, "", said.c_str(), "",
      entered ? "CONGRATS YOU HAVE A NEW HIGH SCORE!" : "You didn't get a HIGH SCORE this time...",
      seed_label().c_str(), 20);
  rest_ms(500);

  std::string lines[SCORE_ENTRIES];
  for (int i = 0; i < SCORE_ENTRIES; i++) {
    const score_entry& e = table[static_cast<std::size_t>(i)];
    lines[i] = PLACES[i] + std::to_string(e.score) + " " + e.name;
    if (DEBUG_MODE > 0)
      std::printf("\n%s PLACE: %d   %s   \n", CONSOLE_PLACES[i], e.score, e.name.c_str());
  }
  warning_message("HI SCORE TABLE", lines[0].c_str(), lines[1].c_str(), lines[2].c_str(),
                  lines[3].c_str(), lines[4].c_str(), 14);
  if (entered && problem.empty() && !write_score_table(SCORE_FILE, table) && DEBUG_MODE > 0)
    std::printf("\nthe high-score table could not be written\n");
  rest_ms(1);
  SCORE = 0;
}
