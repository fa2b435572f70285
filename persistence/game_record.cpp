#include "persistence/game_record.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "core/files.h"
#include "core/game_end.h"
#include "core/message_log.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/start_health.h"
#include "core/version.h"
#include "core/world.h"
#include "creatures/score.h"
#include "items/look.h"

namespace {

const char* difficulty_name(int d) {
  switch (d) {
    case 1:
      return "normal";
    case 2:
      return "hard";
    case 3:
      return "extreme";
    default:
      return "unknown";
  }
}

std::string local_time(std::time_t when, const char* format) {
  std::tm t{};
  localtime_r(&when, &t);
  char text[40];
  std::strftime(text, sizeof text, format, &t);
  return text;
}

std::string text_of(const char* field, std::size_t size) {
  return std::string(field, strnlen(field, size));
}

// The highest level the party has seen a square of: the party starts at the
// bottom and climbs, and sight marks only the level a unit stands on.
int deepest_level_reached() {
  for (int z = LEVELS - 1; z > 0; z--)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++)
        if (map[z][x][y].revealed != 0) return z;
  return 0;
}

std::string how_it_ended() {
  const game_end_note& e = GAME_END;
  std::string where = " on level " + std::to_string(e.level);
  switch (e.how) {
    case ENDING_KILLED:
      return "killed by " + e.cause + where;
    case ENDING_CLIMBED_OUT:
      return "climbed out";
    case ENDING_LEFT:
    case ENDING_NONE:
      break;
  }
  return "left" + where;
}

bool carried(const object_record& o) {
  return o.status == OBJECT_CARRIED || o.status == OBJECT_WORN || o.status == OBJECT_WIELDED ||
         o.status == OBJECT_CURRENT_WEAPON || o.status == OBJECT_PACKED || o.status == OBJECT_LIT;
}

std::string party_lines() {
  std::string text;
  for (int u = 1; u < UNIT_SLOTS; u++) {
    const unit_record& m = unit[1][u];
    // A dead leader's slot is freed, but the leader is still the party's
    // first line; other freed slots cannot be told from empty ones.
    bool dead = m.status == UNIT_FREE || m.status == 0;
    if (dead && u != 1) continue;
    std::string name =
        u == 1 && !GAME_END.leader.empty() ? GAME_END.leader : text_of(m.name, sizeof m.name);
    std::string where = dead                    ? ", dead"
                        : m.status == UNIT_GONE ? ", climbed out"
                                                : ", on level " + std::to_string(m.z);
    text += "  " + name + ": health " + std::to_string(m.health) + " of " +
            std::to_string(start_health(1, u)) + ", level " + std::to_string(m.level) + where +
            "\n";
    int items = 0;
    for (int k = 1; !dead && k < std::min(MAX_OBJECTS, OBJECT_SLOTS); k++) {
      const object_record& o = object[k];
      if (o.owner_player != 1 || o.owner_unit != u || !carried(o)) continue;
      std::string mark = status_mark(o.status);
      text += "    " + text_of(o.name, sizeof o.name) + (mark.empty() ? "" : " " + mark) + "\n";
      items++;
    }
    if (items == 0) text += "    (nothing carried)\n";
  }
  return text;
}

// A record is read only as a regular file of its own: a link would list
// another game twice.
bool read_record(const std::string& path, std::string& text, std::string& reason) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    reason = "not a regular file";
    return false;
  }
  file_read_result r = read_file_limited(path, RECORD_SIZE_LIMIT, text);
  if (r != FILE_READ) reason = file_read_problem(r, RECORD_SIZE_LIMIT);
  return r == FILE_READ;
}

// The last game's replay under a name of its own, so the next game's
// recording does not overwrite it.
std::string keep_replay(const std::string& folder, const std::string& stem) {
  std::string text;
  if (!GAME_END.recorded || read_file_limited(LAST_REPLAY, REPLAY_FILE_LIMIT, text) != FILE_READ)
    return "";
  std::string name = stem + ".replay";
  return write_file_replacing(folder + "/" + name, text) ? name : "";
}

}  // namespace

std::string record_stem(std::time_t when) { return local_time(when, "game-%Y%m%d-%H%M%S"); }

std::string game_record_text(std::time_t ended, const std::string& replay_file) {
  const unit_record& leader = unit[1][1];
  std::string name =
      GAME_END.leader.empty() ? text_of(leader.name, sizeof leader.name) : GAME_END.leader;
  std::string seed = seed_label();
  int score = compute_score();
  std::string t = std::string(RECORD_MAGIC) + "\n";
  t += "ended: " + local_time(ended, "%Y-%m-%d %H:%M") + "\n";
  t += "name: " + name + "\n";
  t += "difficulty: " + std::string(difficulty_name(DIFFICULTY)) + "\n";
  t += "seed: " + (seed.empty() ? std::string("none (a loaded game)") : std::to_string(GAME_SEED)) +
       "\n";
  t += "version: " + std::string(GAME_VERSION) + "\n";
  t += "turns played: " + std::to_string(std::max(0, REPLAY_TURN - GAME_END.first_turn)) + "\n";
  t += "deepest level: " + std::to_string(deepest_level_reached()) + "\n";
  t += "how it ended: " + how_it_ended() + "\n";
  t += "score: " + std::to_string(score) +
       (GAME_END.how == ENDING_KILLED || GAME_END.how == ENDING_CLIMBED_OUT
            ? ""
            : " (as it stood; a game left is not scored)") +
       "\n";
  t += "replay: " + (replay_file.empty() ? std::string("none") : replay_file) + "\n";
  t += "party:\n" + party_lines();
  t += "last messages:\n";
  for (const std::string& m : message_log_last(RECORD_MESSAGES)) t += "  " + m + "\n";
  return t;
}

std::string write_game_record(const std::string& folder, std::string& reason) {
  make_folder(folder);
  std::time_t now = std::time(nullptr);
  // Two games ended in one second still get a file each, in order.
  std::string stem;
  for (int i = 1; i < 100; i++) {
    char seq[8];
    std::snprintf(seq, sizeof seq, "-%02d", i);
    stem = record_stem(now) + seq;
    if (!file_exists(folder + "/" + stem + ".record")) break;
  }
  std::string path = folder + "/" + stem + ".record";
  if (file_exists(path)) {
    reason = "no free name for the record";
    return "";
  }
  std::string replay = keep_replay(folder, stem);
  if (!write_file_replacing(path, game_record_text(now, replay))) {
    reason = "cannot write " + path + ": " + std::strerror(errno);
    if (!replay.empty()) remove_file(folder + "/" + replay);
    return "";
  }
  return path;
}

std::string record_summary_line(const record_summary& r) {
  return r.ended + "  " + r.name + "  " + r.difficulty + "  level " + std::to_string(r.deepest) +
         "  " + r.how;
}

bool parse_game_record(const std::string& text, record_summary& out, std::string& reason) {
  std::map<std::string, std::string> fields;
  std::size_t at = 0;
  bool first = true;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (first) {
      if (line != RECORD_MAGIC) {
        reason = "not a game record";
        return false;
      }
      first = false;
      continue;
    }
    if (line.empty() || line[0] == ' ') continue;
    std::size_t colon = line.find(": ");
    if (colon != std::string::npos) fields.emplace(line.substr(0, colon), line.substr(colon + 2));
  }
  if (first) {
    reason = "empty";
    return false;
  }
  for (const char* key : {"ended", "name", "difficulty", "deepest level", "how it ended"}) {
    if (!fields.count(key)) {
      reason = std::string("no '") + key + "' line";
      return false;
    }
  }
  const std::string& deep = fields["deepest level"];
  if (deep.empty() || deep.size() > 2 ||
      deep.find_first_not_of("0123456789") != std::string::npos || std::stoi(deep) >= LEVELS) {
    reason = "a deepest level that is no level";
    return false;
  }
  out.ended = fields["ended"];
  out.name = fields["name"];
  out.difficulty = fields["difficulty"];
  out.deepest = std::stoi(deep);
  out.how = fields["how it ended"];
  return true;
}

std::vector<record_summary> list_game_records(const std::string& folder,
                                              std::vector<std::string>& skipped) {
  std::vector<std::string> names;
  if (DIR* d = opendir(folder.c_str())) {
    // A folder flooded with files is read no further than this.
    constexpr int ENTRY_LIMIT = 100000;
    int seen = 0;
    while (dirent* e = readdir(d)) {
      if (++seen > ENTRY_LIMIT) break;
      std::string n = e->d_name;
      if (n.rfind("game-", 0) == 0 && n.size() > 7 && n.size() < 80 &&
          n.compare(n.size() - 7, 7, ".record") == 0)
        names.push_back(n);
    }
    closedir(d);
  }
  // The names hold the time the game ended, so the newest sorts last.
  std::sort(names.rbegin(), names.rend());
  std::vector<record_summary> list;
  for (const std::string& n : names) {
    if (static_cast<int>(list.size()) >= RECORD_LIST_LIMIT) break;
    std::string path = folder + "/" + n, text, reason;
    record_summary r;
    if (!read_record(path, text, reason) || !parse_game_record(text, r, reason)) {
      skipped.push_back(path + " skipped: " + reason);
      continue;
    }
    r.file = path;
    list.push_back(r);
  }
  return list;
}
