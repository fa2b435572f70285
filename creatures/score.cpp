// The final score and the high-score table kept in save/hiscore.tab.
#include "creatures/score.h"

#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstring>

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

// The next line of a table file, line end removed; false at the end.
bool next_line(std::FILE* f, std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(f)) != EOF) {
    any = true;
    if (c == '\n') break;
    // A hostile file cannot make a line grow without end.
    if (line.size() < 256) line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

bool parse_score(const std::string& s, int& v) {
  if (s.empty() || s.size() > 9) return false;
  long n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
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
  if (score > INT_MAX) score = INT_MAX;
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

score_table read_score_table(const char* path) {
  score_table table{};
  std::FILE* f = std::fopen(path, "r");
  if (!f) return table;
  score_table read{};
  int entries = 0;
  bool sound = true;
  std::string line;
  while (entries < SCORE_ENTRIES && next_line(f, line)) {
    if (!line.empty() && line.front() == '~') break;
    if (line.find("SCORE:") == std::string::npos) continue;
    std::string name, number;
    int score = 0;
    if (!next_line(f, name) || !next_line(f, number) || !parse_score(number, score)) {
      sound = false;
      break;
    }
    read[static_cast<std::size_t>(entries)] = {table_name(name), score};
    entries++;
  }
  std::fclose(f);
  if (sound && entries == SCORE_ENTRIES) table = read;
  return table;
}

bool write_score_table(const char* path, const score_table& table) {
  ::mkdir("save", 0755);
  std::string temp = std::string(path) + ".tmp";
  std::remove(temp.c_str());
  std::FILE* f = std::fopen(temp.c_str(), "wx");
  if (!f) return false;
  for (const score_entry& e : table)
    std::fprintf(f, "SCORE:\n%s\n%d\n", table_name(e.name).c_str(), e.score);
  std::fputs("~", f);
  bool ok = std::fflush(f) == 0 && !std::ferror(f);
  ok = std::fclose(f) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), path) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

bool enter_score(score_table& table, const std::string& name, int score) {
  if (score <= table[SCORE_ENTRIES - 1].score) return false;
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

  score_table table = read_score_table(SCORE_FILE);
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
  if (entered && !write_score_table(SCORE_FILE, table) && DEBUG_MODE > 0)
    std::printf("\nthe high-score table could not be written\n");
  rest_ms(1);
  SCORE = 0;
}
