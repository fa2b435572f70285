// Recording replays, reading them back, and the digest that says two worlds
// are the same.
#include "core/replay.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "core/files.h"
#include "core/world.h"

int REPLAY_TURN = 0;

static std::FILE* replay_file = nullptr;
static int input_depth = 0;    // inside the front end's reading of an input
static int command_depth = 0;  // rules routines entered within that input
static bool input_fresh = false;  // no command written yet for this input

// ---------------------------------------------------------------------------
// Recording
// ---------------------------------------------------------------------------

// Names are free text to the player; a replay line keeps to one line.
static std::string one_line(const char* text) {
  std::string s;
  for (const char* p = text; p && *p && s.size() < 64; p++) s += (*p == '\n' || *p == '\r') ? ' ' : *p;
  return s;
}

bool replay_begin(const char* path, unsigned seed, int difficulty, const char* name,
                  const char* version) {
  replay_stop();
  REPLAY_TURN = 0;
  replay_file = std::fopen(path, "w");
  if (!replay_file) return false;
  std::fprintf(replay_file, "%s %d\nversion %s\nseed %u\ndifficulty %d\nname %s\n", REPLAY_MAGIC,
               REPLAY_FORMAT, version, seed, difficulty, one_line(name).c_str());
  std::fflush(replay_file);
  return true;
}

void replay_end() {
  if (!replay_file) return;
  std::fprintf(replay_file, "end %s\n", world_digest().c_str());
  replay_stop();
}

void replay_stop() {
  if (replay_file) std::fclose(replay_file);
  replay_file = nullptr;
}

bool replay_recording() { return replay_file != nullptr; }

player_input_scope::player_input_scope() {
  if (input_depth++ == 0) input_fresh = true;
}
player_input_scope::~player_input_scope() { input_depth--; }

recorded_command::recorded_command(const char* routine, std::initializer_list<int> args) {
  if (replay_file && input_depth > 0 && command_depth == 0) {
    std::fprintf(replay_file, "%s%d %s", input_fresh ? "" : "+ ", REPLAY_TURN, routine);
    input_fresh = false;
    for (int a : args) std::fprintf(replay_file, " %d", a);
    std::fputc('\n', replay_file);
    // Written as it goes: a crash keeps every command up to the last.
    std::fflush(replay_file);
  }
  command_depth++;
}

recorded_command::~recorded_command() { command_depth--; }

// ---------------------------------------------------------------------------
// The digest: FNV-1a, 64 bits, over every field (texts up to their end, so
// what lies after a name's terminator plays no part).
// ---------------------------------------------------------------------------

namespace {
struct digest {
  uint64_t h = 1469598103934665603ull;
  void byte(unsigned char b) {
    h ^= b;
    h *= 1099511628211ull;
  }
  void num(int32_t v) {
    for (int i = 0; i < 4; i++) byte(static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * i)));
  }
  template <std::size_t N>
  void text(const char (&t)[N]) {
    for (std::size_t i = 0; i < N && t[i]; i++) byte(static_cast<unsigned char>(t[i]));
    byte(0);
  }
};
}  // namespace

static void add_cell(digest& d, const map_cell& c) {
  for (int32_t v : {c.revealed, c.terrain, c.occupant_player, c.wall_variant, c.passable,
                    c.occupant_unit, c.object_count, c.scenery})
    d.num(v);
}

static void add_environment(digest& d, const environment_cell& e) {
  for (int32_t v : {e.gas, e.lava, e.water, e.zone, e.track}) d.num(v);
}

static void add_unit(digest& d, const unit_record& u) {
  for (int32_t v : {u.x, u.y, u.z, u.facing, u.order, u.race, u.strength, u.health, u.damage,
                    u.defence, u.level, u.movement, u.ranged, u.moves, u.intelligence, u.status,
                    u.sight, u.waypoint_index})
    d.num(v);
  for (int i = 0; i < WAYPOINTS; i++) d.num(u.waypoint_x[i]), d.num(u.waypoint_y[i]);
  d.text(u.name);
}

static void add_object(digest& d, const object_record& o) {
  for (int32_t v : {o.x, o.y, o.z, o.status, o.type, o.weight, o.worth, o.range, o.var1,
                    o.owner_player, o.owner_unit})
    d.num(v);
  d.text(o.name);
  d.text(o.description);
}

static void add_container(digest& d, const container_record& c) {
  for (int32_t v : {c.x, c.y, c.z, c.facing, c.size, c.capacity, c.weight, c.state, c.type,
                    c.strength, c.health, c.init_health, c.locked, c.trapped})
    d.num(v);
  d.text(c.name);
}

std::string world_digest() {
  digest d;
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        add_cell(d, map[z][x][y]);
        add_environment(d, environment[z][x][y]);
      }
  for (int p = 0; p < 4; p++)
    for (int u = 0; u < UNIT_SLOTS; u++) add_unit(d, unit[p][u]);
  for (int k = 0; k < OBJECT_SLOTS; k++) add_object(d, object[k]);
  for (int c = 0; c < CONTAINER_SLOTS; c++) add_container(d, container[c]);
  for (int32_t v : {CURRENT_PLAYER, CURRENT_UNIT, DIFFICULTY, MAZE_LEVEL, gameover, FOUND_EXIT,
                    QUEST_NO, CANT_SAVE, IS_GLOBAL_LIGHTING_ON, AGX, AGY})
    d.num(v);
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(d.h));
  return hex;
}

// ---------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------

static bool read_int(const std::string& word, long long lo, long long hi, long long& v) {
  if (word.empty() || word.size() > 11) return false;
  std::size_t i = word[0] == '-' ? 1 : 0;
  if (i == word.size()) return false;
  for (std::size_t k = i; k < word.size(); k++)
    if (word[k] < '0' || word[k] > '9') return false;
  v = std::stoll(word);
  return v >= lo && v <= hi;
}

static std::string at_line(int n, const std::string& what) {
  return "line " + std::to_string(n) + ": " + what;
}

// One header line "key value"; the value is the rest of the line.
static bool header(std::istringstream& in, int& n, const char* key, std::string& value,
                   std::string& reason) {
  std::string line;
  n++;
  if (!std::getline(in, line)) {
    reason = at_line(n, std::string("the file ends before its ") + key);
    return false;
  }
  std::string k = std::string(key) + " ";
  if (line.compare(0, k.size(), k) != 0) {
    reason = at_line(n, std::string("expected '") + key + "'");
    return false;
  }
  value = line.substr(k.size());
  return true;
}

static bool parse_command(const std::string& line, int n, int last_turn, replay_command& c,
                          std::string& reason) {
  std::istringstream words(line);
  std::string turn, routine, w;
  words >> turn;
  if (turn == "+") {
    c.same_input = true;
    words >> turn;
  }
  words >> routine;
  long long v;
  if (!read_int(turn, 0, 100000000, v)) {
    reason = at_line(n, "a command must start with its turn");
    return false;
  }
  c.turn = static_cast<int>(v);
  if (c.turn < last_turn) {
    reason = at_line(n, "the turns go backwards");
    return false;
  }
  if (routine.empty() || routine.size() > 40) {
    reason = at_line(n, "a command without a routine");
    return false;
  }
  for (char ch : routine)
    if (!(ch == '_' || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9'))) {
      reason = at_line(n, "a routine name with stray characters");
      return false;
    }
  c.routine = routine;
  while (words >> w) {
    if (c.args.size() >= REPLAY_MAX_ARGS || !read_int(w, -1000000, 1000000, v)) {
      reason = at_line(n, "the arguments of " + routine + " are not numbers");
      return false;
    }
    c.args.push_back(static_cast<int>(v));
  }
  return true;
}

bool parse_replay(const std::string& text, replay_record& out, std::string& reason) {
  replay_record r;
  std::istringstream in(text);
  std::string line, value;
  int n = 1;
  if (!std::getline(in, line) || line.compare(0, std::strlen(REPLAY_MAGIC), REPLAY_MAGIC) != 0) {
    reason = at_line(1, "this is not a replay of Grimhollow");
    return false;
  }
  long long v;
  if (!read_int(line.substr(std::min(line.size(), std::strlen(REPLAY_MAGIC) + 1)), 1, 1000, v) ||
      v < REPLAY_FIRST_FORMAT || v > REPLAY_FORMAT) {
    reason = at_line(1, "a replay of another version of the game");
    return false;
  }
  r.format = static_cast<int>(v);
  if (!header(in, n, "version", r.version, reason)) return false;
  if (!header(in, n, "seed", value, reason)) return false;
  if (!read_int(value, 0, 4294967295ll, v)) return reason = at_line(n, "a bad seed"), false;
  r.seed = static_cast<unsigned>(v);
  if (!header(in, n, "difficulty", value, reason)) return false;
  if (!read_int(value, 1, 3, v)) return reason = at_line(n, "the difficulty must be 1, 2 or 3"), false;
  r.difficulty = static_cast<int>(v);
  if (!header(in, n, "name", r.name, reason)) return false;
  int last_turn = 0;
  while (std::getline(in, line)) {
    n++;
    if (line.empty()) continue;
    if (r.has_digest) return reason = at_line(n, "commands after the end of the game"), false;
    if (line.compare(0, 4, "end ") == 0) {
      r.digest = line.substr(4);
      if (r.digest.size() != 16) return reason = at_line(n, "a damaged final digest"), false;
      r.has_digest = true;
      continue;
    }
    replay_command c;
    if (!parse_command(line, n, last_turn, c, reason)) return false;
    if (c.same_input && (!r.marks_inputs() || r.commands.empty()))
      return reason = at_line(n, "a '+' with no input to carry on"), false;
    last_turn = c.turn;
    r.commands.push_back(std::move(c));
  }
  out = std::move(r);
  return true;
}

std::size_t replay_input_length(const replay_record& r, std::size_t first) {
  if (first >= r.commands.size()) return 0;
  std::size_t n = 1;
  while (first + n < r.commands.size() && r.commands[first + n].same_input) n++;
  return n;
}

bool read_replay(const std::string& path, replay_record& out, std::string& reason) {
  std::string text;
  file_read_result r = read_file_limited(path, REPLAY_FILE_LIMIT, text);
  if (r == FILE_MISSING || r == FILE_UNREADABLE) {
    reason = "cannot open " + path;
    return false;
  }
  if (r != FILE_READ) {
    reason = path + " " + file_read_problem(r, REPLAY_FILE_LIMIT);
    return false;
  }
  return parse_replay(text, out, reason);
}
