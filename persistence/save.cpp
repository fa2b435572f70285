// Saved games.  Writing turns the live tables into eight text files; reading
// parses all seven data files into a staging copy of the world and checks
// every value the game will later index with, so that a missing, cut or
// hostile file is refused before the live world is touched.
#include "persistence/save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/frontend.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/world.h"
#include "creatures/sight.h"

const char* const SAVE_SUFFIXES[SAVE_DATA_FILES] = {
    "maptype.sav", "maprevealed.sav", "mapenv.sav",    "mapextra.sav",
    "units.sav",   "objects.sav",     "containers.sav"};

namespace {

constexpr int GRID_ROWS = 50;  // rows and columns 0..49 are stored
constexpr int UNIT_LAST = 450;
constexpr int OBJECT_COUNT = 2999;
constexpr int CONTAINER_COUNT = 1000;
// No number the game keeps comes near this; anything beyond is a damaged
// file, and refusing it keeps the rules' arithmetic far from overflow.
constexpr long NUMBER_LIMIT = 1000000;
// A generous ceiling on a data file, so a hostile one cannot eat memory.
constexpr long FILE_LIMIT = 16L * 1024 * 1024;

// ---------------------------------------------------------------------------
// Character tables of the grid files
// ---------------------------------------------------------------------------
struct code_char {
  int code;
  char c;
};

constexpr code_char TERRAIN_CHARS[] = {
    {9, '#'},  {10, 'E'}, {4, '*'},  {3, 'F'}, {2, '%'},  {12, 'P'}, {1, ' '},  {14, 'V'}, {6, ','},
    {15, 'H'}, {5, '.'},  {22, '='}, {7, 'D'}, {18, '+'}, {8, 'O'},  {16, '('}, {17, ')'}};
constexpr code_char REVEALED_CHARS[] = {{0, '0'}, {1, '1'}, {2, '2'}, {3, '3'}};
constexpr code_char TRACK_CHARS[] = {{1, '|'},  {2, '-'},  {3, '1'},  {4, '4'},  {5, '2'},
                                     {6, '3'},  {7, 'N'},  {8, 'S'},  {9, 'E'},  {10, 'T'},
                                     {11, '+'}, {12, 'n'}, {13, 'e'}, {14, 's'}, {15, 'w'}};
constexpr code_char SCENERY_CHARS[] = {
    {6, 'X'},  {15, 'Y'},  {16, 'Z'},  {17, 'C'}, {19, '*'}, {21, 'M'}, {23, 'y'}, {24, 'H'},
    {44, 'Q'}, {101, 'o'}, {26, 'P'},  {27, 'B'}, {28, '0'}, {29, 'W'}, {33, 'D'}, {34, 'U'},
    {35, 'F'}, {43, 'N'},  {63, 'T'},  {75, 'S'}, {76, 's'}, {78, 't'}, {79, 'r'}, {80, '-'},
    {81, '|'}, {83, '^'},  {85, '&'},  {86, '+'}, {87, 'L'}, {88, 'l'}, {89, 'h'}, {90, 'R'},
    {91, 'O'}, {93, '/'},  {94, '\\'}, {96, 'A'}, {97, '1'}, {98, '2'}, {99, '3'}, {0, ' '}};

template <std::size_t N>
bool char_for(const code_char (&table)[N], int code, char& c) {
  for (const code_char& e : table)
    if (e.code == code) {
      c = e.c;
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------
// The staging copy
// ---------------------------------------------------------------------------
struct staged_world {
  map_cell map[LEVELS][LAND_SIZE][LAND_SIZE];
  environment_cell environment[LEVELS][LAND_SIZE][LAND_SIZE];
  unit_record unit[4][UNIT_SLOTS];
  object_record object[OBJECT_SLOTS];
  container_record container[CONTAINER_SLOTS];
  bool unit_has_record[4][UNIT_SLOTS];
  int current_player, current_unit, difficulty, quest;
};

// What a cleared world holds; fields a save does not keep come back so.
void clear_staging(staged_world& w) {
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        map_cell& m = w.map[z][x][y];
        m = map_cell{};
        m.passable = 1;
        // Row and column 50 are not stored; the generators keep them as the
        // outer wall, and so does a loaded level, so none is left open.
        bool rim = x == LAND_SIZE - 1 || y == LAND_SIZE - 1;
        m.terrain = rim ? TERRAIN_BUILT_WALL : TERRAIN_STONE_FLOOR;
        w.environment[z][x][y] = environment_cell{};
      }
  for (auto& player : w.unit)
    for (unit_record& r : player) {
      r = unit_record{};
      r.status = UNIT_FREE;
    }
  for (object_record& o : w.object) {
    o = object_record{};
    copy_text(o.name, " ");
  }
  for (container_record& k : w.container) k = container_record{};
}

// ---------------------------------------------------------------------------
// Reading lines
// ---------------------------------------------------------------------------
std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

bool parse_number(std::string_view s, int& value) {
  s = trimmed(s);
  bool negative = !s.empty() && s.front() == '-';
  if (negative) s.remove_prefix(1);
  if (s.empty()) return false;
  long v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > NUMBER_LIMIT) return false;
  }
  value = static_cast<int>(negative ? -v : v);
  return true;
}

// Walks a record file line by line.  Any failure records the first fault;
// later reads then fail too, so a parser can check once at a boundary.
class line_reader {
 public:
  line_reader(const std::string& text, const char* file) : text_(text), file_(file) {}

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  // The next line whole, its line feed removed; false at the end.
  bool next(std::string_view& line) {
    if (!ok()) return false;
    if (pos_ >= text_.size()) return fail("cut short");
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string::npos) end = text_.size();
    line = std::string_view(text_).substr(pos_, end - pos_);
    pos_ = end + 1;
    line_no_++;
    return true;
  }

  // Empty lines and the "." between players stand between records.
  void skip_separators() {
    while (ok() && pos_ < text_.size()) {
      std::size_t end = text_.find('\n', pos_);
      if (end == std::string::npos) end = text_.size();
      std::string_view t = trimmed(std::string_view(text_).substr(pos_, end - pos_));
      if (!t.empty() && t != ".") return;
      pos_ = end + 1;
      line_no_++;
    }
  }

  void key(const char* want) {
    std::string_view line;
    if (next(line) && trimmed(line) != want) fail(std::string("expected ") + want);
  }

  int number() {
    std::string_view line;
    int v = 0;
    if (next(line) && !parse_number(line, v)) fail("bad number");
    return v;
  }

  int keyed(const char* want) {
    key(want);
    return number();
  }

  // A number that must lie in lo..hi.
  int ranged(int lo, int hi, const char* what) {
    int v = number();
    if (ok() && (v < lo || v > hi)) fail(std::string(what) + " out of range");
    return v;
  }

  int keyed_ranged(const char* want, int lo, int hi) {
    key(want);
    return ranged(lo, hi, want);
  }

  // A name or description: the line is data whatever it holds, cut to fit.
  template <std::size_t N>
  void text(char (&field)[N]) {
    std::string_view line;
    if (!next(line)) return;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string s(line.substr(0, N - 1));
    copy_text(field, s.c_str());
  }

  void end_mark() {
    skip_separators();
    std::string_view line;
    if (next(line) && (line.empty() || line.front() != '~')) fail("expected ~");
  }

  bool fail(const std::string& why) {
    if (ok()) error_ = std::string(file_) + " line " + std::to_string(line_no_) + ": " + why;
    return false;
  }

 private:
  const std::string& text_;
  const char* file_;
  std::size_t pos_ = 0;
  int line_no_ = 0;
  std::string error_;
};

// ---------------------------------------------------------------------------
// Grid files
// ---------------------------------------------------------------------------
enum grid_kind { GRID_TERRAIN, GRID_REVEALED, GRID_ENVIRONMENT, GRID_SCENERY };

char grid_char(grid_kind kind, int z, int x, int y, char previous) {
  const map_cell& m = map[z][x][y];
  const environment_cell& e = environment[z][x][y];
  char c = ' ';
  switch (kind) {
    case GRID_TERRAIN:
      return char_for(TERRAIN_CHARS, m.terrain, c) ? c : previous;
    case GRID_REVEALED:
      return char_for(REVEALED_CHARS, m.revealed, c) ? c : previous;
    case GRID_ENVIRONMENT:
      if (char_for(TRACK_CHARS, e.track, c)) return c;
      if (e.water) return 'W';
      return e.lava ? 'L' : ' ';
    case GRID_SCENERY:
      return char_for(SCENERY_CHARS, m.scenery, c) ? c : ' ';
  }
  return ' ';
}

std::string write_grid(grid_kind kind) {
  std::string out;
  out.reserve(GRID_FILE_SIZE);
  // A value outside its table repeats the square before it; before the very
  // first square stands the rock of the level's corner, or "never seen".
  char previous = kind == GRID_REVEALED ? '0' : '#';
  for (int z = 0; z < LEVELS; z++) {
    for (int y = 0; y < GRID_ROWS; y++) {
      for (int x = 0; x < GRID_ROWS; x++) {
        previous = grid_char(kind, z, x, y, previous);
        out.push_back(previous);
      }
      out.push_back('\n');
    }
    out.push_back('~');
  }
  return out;
}

// Character to code for one table; -1 for a character the table lacks.
struct decode_table {
  int code[256];
  template <std::size_t N>
  explicit decode_table(const code_char (&table)[N]) {
    for (int& c : code) c = -1;
    for (const code_char& e : table) code[static_cast<unsigned char>(e.c)] = e.code;
  }
  int operator[](char c) const { return code[static_cast<unsigned char>(c)]; }
};

bool set_square(staged_world& w, grid_kind kind, int z, int x, int y, char c) {
  static const decode_table terrain(TERRAIN_CHARS), revealed(REVEALED_CHARS), track(TRACK_CHARS),
      scenery(SCENERY_CHARS);
  map_cell& m = w.map[z][x][y];
  environment_cell& e = w.environment[z][x][y];
  int code = -1;
  switch (kind) {
    case GRID_TERRAIN:
      code = terrain[c];
      if (code >= 0) m.terrain = code;
      break;
    case GRID_REVEALED:
      code = revealed[c];
      if (code >= 0) m.revealed = code;
      break;
    case GRID_ENVIRONMENT:
      code = c == 'W' || c == 'L' || c == ' ' ? 0 : track[c];
      if (c == 'W') e.water = 1;
      if (c == 'L') e.lava = 1;
      if (code > 0) e.track = code;
      break;
    case GRID_SCENERY:
      code = scenery[c];
      if (code >= 0) m.scenery = code;
      break;
  }
  return code >= 0;
}

bool read_grid(const std::string& text, grid_kind kind, const char* file, staged_world& w,
               std::string& error) {
  // Line ends after the last "~" are forgiven; anything else must match.
  std::size_t size = text.size();
  while (size > static_cast<std::size_t>(GRID_FILE_SIZE) &&
         (text[size - 1] == '\n' || text[size - 1] == '\r'))
    size--;
  if (size != static_cast<std::size_t>(GRID_FILE_SIZE)) {
    error = std::string(file) + ": " + std::to_string(text.size()) + " bytes, not " +
            std::to_string(GRID_FILE_SIZE);
    return false;
  }
  std::size_t i = 0;
  for (int z = 0; z < LEVELS; z++) {
    for (int y = 0; y < GRID_ROWS; y++) {
      for (int x = 0; x < GRID_ROWS; x++) {
        if (!set_square(w, kind, z, x, y, text[i++])) {
          error = std::string(file) + ": unknown mark on level " + std::to_string(z);
          return false;
        }
      }
      if (text[i++] != '\n') {
        error = std::string(file) + ": row too long on level " + std::to_string(z);
        return false;
      }
    }
    if (text[i++] != '~') {
      error = std::string(file) + ": level " + std::to_string(z) + " does not end with ~";
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------------------
// Record files: writing
// ---------------------------------------------------------------------------
void put_line(std::string& out, const char* text) {
  // A name is one line; a stray line end inside one would split it.
  for (const char* p = text; *p; p++) out.push_back(*p == '\n' || *p == '\r' ? ' ' : *p);
  out.push_back('\n');
}

void put_number(std::string& out, int v) {
  out += std::to_string(v);
  out.push_back('\n');
}

void put_keyed(std::string& out, const char* key, int v) {
  put_line(out, key);
  put_number(out, v);
}

bool unit_slot_live(int status) { return status != 0 && status != UNIT_FREE; }

std::string write_units() {
  std::string out;
  for (int p = 0; p < 4; p++) {
    for (int u = 0; u <= UNIT_LAST; u++) {
      const unit_record& r = unit[p][u];
      put_keyed(out, "PLAYER", p);
      put_keyed(out, "UNIT", u);
      put_keyed(out, "STATUS", r.status);
      if (unit_slot_live(r.status)) {
        put_line(out, r.name);
        put_keyed(out, "RACE", r.race);
        put_keyed(out, "UZ:", r.z);
        put_keyed(out, "UX:", r.x);
        put_keyed(out, "UY:", r.y);
        put_keyed(out, "DIR", r.facing);
        put_keyed(out, "HEALTH", r.health);
        put_keyed(out, "MOVEMENT", r.movement);
        put_keyed(out, "MOVES", r.moves);
        put_keyed(out, "DAMAGE", r.damage);
        put_keyed(out, "STRENGTH", r.strength);
        put_keyed(out, "DEF", r.defence);
        put_keyed(out, "RANGED", r.ranged);
        put_keyed(out, "SIGHT", r.sight);
        put_keyed(out, "LEVEL", r.level);
        put_keyed(out, "INTELLIGENCE", r.intelligence);
        put_keyed(out, "ORDER", r.order);
        if (r.order == ORDER_ATTACK) {
          put_keyed(out, "TO POS:", r.waypoint_index);
          put_number(out, r.waypoint_x[WAYPOINT_TARGET]);
          put_number(out, r.waypoint_y[WAYPOINT_TARGET]);
        }
        if (r.order == ORDER_ROUTE || r.order == ORDER_SEEK)
          for (int i = 0; i < WAYPOINTS; i++) {
            put_number(out, r.waypoint_x[i]);
            put_number(out, r.waypoint_y[i]);
          }
      }
      out.push_back('\n');
    }
    out += "\n.\n\n";
  }
  put_line(out, "CPU");
  put_number(out, CURRENT_PLAYER);
  put_number(out, CURRENT_UNIT);
  put_line(out, "GLOBALS");
  put_number(out, DIFFICULTY);
  put_number(out, QUEST_NO);
  put_line(out, "~");
  return out;
}

std::string write_objects() {
  std::string out;
  for (int n = 0; n < OBJECT_COUNT; n++) {
    const object_record& o = object[n];
    out.push_back('\n');
    put_keyed(out, "OBJECT", n);
    put_keyed(out, "STATUS", o.status);
    if (o.status == OBJECT_FREE) continue;
    put_line(out, o.name);
    put_line(out, o.description);
    put_keyed(out, "TYPE", o.type);
    put_keyed(out, "OX:", o.x);
    put_keyed(out, "OY", o.y);
    put_keyed(out, "OZ", o.z);
    put_line(out, "OWNED BY");
    put_number(out, o.owner_player);
    put_number(out, o.owner_unit);
    put_keyed(out, "RANGE", o.range);
    put_keyed(out, "VAR1", o.var1);
    put_keyed(out, "WEIGHT", o.weight);
    put_keyed(out, "WORTH", o.worth);
  }
  put_line(out, "~");
  return out;
}

std::string write_containers() {
  std::string out;
  for (int n = 0; n < CONTAINER_COUNT; n++) {
    const container_record& k = container[n];
    out.push_back('\n');
    put_keyed(out, "CONTAINER", n);
    put_keyed(out, "STATE", k.state);
    if (k.state == CONTAINER_FREE) continue;
    put_line(out, k.name);
    put_keyed(out, "TYPE", k.type);
    put_keyed(out, "CX:", k.x);
    put_keyed(out, "CY", k.y);
    put_keyed(out, "CZ", k.z);
    put_keyed(out, "SIZE", k.size);
    put_keyed(out, "CAPACITY", k.capacity);
    put_keyed(out, "WEIGHT", k.weight);
    put_keyed(out, "STRENGTH", k.strength);
    put_keyed(out, "HEALTH", k.health);
    put_keyed(out, "INIT_HEALTH", k.init_health);
    put_keyed(out, "LOCKED", k.locked);
    put_keyed(out, "TRAPPED", k.trapped);
    out.push_back('\n');
  }
  put_line(out, "~");
  return out;
}

// ---------------------------------------------------------------------------
// Record files: reading
// ---------------------------------------------------------------------------
void read_position(line_reader& in, const char* kz, const char* kx, const char* ky, int& z, int& x,
                   int& y) {
  z = in.keyed_ranged(kz, 0, LEVELS - 1);
  x = in.keyed_ranged(kx, 0, LAND_SIZE - 1);
  y = in.keyed_ranged(ky, 0, LAND_SIZE - 1);
}

void read_unit_body(line_reader& in, unit_record& r) {
  in.text(r.name);
  r.race = in.keyed("RACE");
  read_position(in, "UZ:", "UX:", "UY:", r.z, r.x, r.y);
  r.facing = in.keyed_ranged("DIR", 0, 7);
  r.health = in.keyed("HEALTH");
  r.movement = in.keyed("MOVEMENT");
  r.moves = in.keyed("MOVES");
  r.damage = in.keyed("DAMAGE");
  r.strength = in.keyed("STRENGTH");
  r.defence = in.keyed("DEF");
  r.ranged = in.keyed("RANGED");
  // Sight is traced square by square, so it cannot reach past a level.
  r.sight = in.keyed_ranged("SIGHT", -NUMBER_LIMIT, LAND_SIZE);
  r.level = in.keyed("LEVEL");
  r.intelligence = in.keyed("INTELLIGENCE");
  r.order = in.keyed("ORDER");
  if (r.order == ORDER_ATTACK) {
    r.waypoint_index = in.keyed_ranged("TO POS:", 0, WAYPOINTS - 1);
    r.waypoint_x[WAYPOINT_TARGET] = in.ranged(0, 3, "followed player");
    r.waypoint_y[WAYPOINT_TARGET] = in.ranged(0, UNIT_LAST, "followed unit");
  }
  if (r.order == ORDER_ROUTE || r.order == ORDER_SEEK)
    for (int i = 0; i < WAYPOINTS; i++) {
      r.waypoint_x[i] = in.number();
      r.waypoint_y[i] = in.number();
    }
}

bool read_units(const std::string& text, staged_world& w, std::string& error) {
  line_reader in(text, "units.sav");
  for (int p = 0; p < 4 && in.ok(); p++) {
    for (int u = 0; u <= UNIT_LAST && in.ok(); u++) {
      in.skip_separators();
      in.keyed_ranged("PLAYER", p, p);
      in.keyed_ranged("UNIT", u, u);
      int status = in.keyed("STATUS");
      unit_record& r = w.unit[p][u];
      // A slot written with status 0 is as free as one written with 213.
      r.status = status == 0 ? UNIT_FREE : status;
      if (!unit_slot_live(status)) continue;
      read_unit_body(in, r);
      w.unit_has_record[p][u] = true;
    }
  }
  in.skip_separators();
  in.key("CPU");
  w.current_player = in.ranged(0, 3, "CPU player");
  w.current_unit = in.ranged(0, UNIT_LAST, "CPU unit");
  in.skip_separators();
  in.key("GLOBALS");
  w.difficulty = in.ranged(1, 3, "difficulty");
  w.quest = in.number();
  in.end_mark();
  error = in.error();
  if (!in.ok()) return false;

  // A follower's waypoint 8 is where the one it follows stands, wherever in
  // the file that one comes.
  for (auto& player : w.unit)
    for (unit_record& r : player) {
      if (!unit_slot_live(r.status) || r.order != ORDER_ATTACK) continue;
      const unit_record& t = w.unit[r.waypoint_x[WAYPOINT_TARGET]][r.waypoint_y[WAYPOINT_TARGET]];
      r.waypoint_x[WAYPOINT_POSITION] = t.x;
      r.waypoint_y[WAYPOINT_POSITION] = t.y;
    }
  return true;
}

bool read_objects(const std::string& text, staged_world& w, std::string& error) {
  line_reader in(text, "objects.sav");
  for (int n = 0; n < OBJECT_COUNT && in.ok(); n++) {
    in.skip_separators();
    in.keyed_ranged("OBJECT", n, n);
    object_record& o = w.object[n];
    o.status = in.keyed("STATUS");
    if (o.status == OBJECT_FREE) continue;
    in.text(o.name);
    in.text(o.description);
    o.type = in.keyed("TYPE");
    // Only an object lying on the map stands on a square; one that is
    // carried keeps whatever place it was last given.
    bool lying = o.status == OBJECT_ON_GROUND;
    o.x = in.keyed_ranged("OX:", lying ? 0 : -NUMBER_LIMIT, lying ? LAND_SIZE - 1 : NUMBER_LIMIT);
    o.y = in.keyed_ranged("OY", lying ? 0 : -NUMBER_LIMIT, lying ? LAND_SIZE - 1 : NUMBER_LIMIT);
    o.z = in.keyed_ranged("OZ", 0, LEVELS - 1);
    in.key("OWNED BY");
    o.owner_player = in.number();
    bool in_container = o.owner_player == OWNER_CONTAINER;
    if (in.ok() && !in_container && (o.owner_player < 0 || o.owner_player > 4))
      in.fail("owner out of range");
    // Player 4 owns nothing that the game keeps.
    if (o.owner_player == 4) o.owner_player = 0;
    o.owner_unit = in.ranged(0, in_container ? CONTAINER_COUNT - 1 : UNIT_LAST, "owner");
    o.range = in.keyed("RANGE");
    o.var1 = in.keyed("VAR1");
    o.weight = in.keyed("WEIGHT");
    o.worth = in.keyed("WORTH");
  }
  in.end_mark();
  error = in.error();
  return in.ok();
}

bool read_containers(const std::string& text, staged_world& w, std::string& error) {
  line_reader in(text, "containers.sav");
  for (int n = 0; n < CONTAINER_COUNT && in.ok(); n++) {
    in.skip_separators();
    in.keyed_ranged("CONTAINER", n, n);
    container_record& k = w.container[n];
    k.state = in.keyed("STATE");
    if (k.state == CONTAINER_FREE) continue;
    in.text(k.name);
    k.type = in.keyed("TYPE");
    k.x = in.keyed_ranged("CX:", 0, LAND_SIZE - 1);
    k.y = in.keyed_ranged("CY", 0, LAND_SIZE - 1);
    k.z = in.keyed_ranged("CZ", 0, LEVELS - 1);
    k.size = in.keyed("SIZE");
    k.capacity = in.keyed("CAPACITY");
    k.weight = in.keyed("WEIGHT");
    k.strength = in.keyed("STRENGTH");
    k.health = in.keyed("HEALTH");
    k.init_health = in.keyed("INIT_HEALTH");
    k.locked = in.keyed("LOCKED");
    k.trapped = in.keyed("TRAPPED");
    if (in.ok()) {
      map_cell& m = w.map[k.z][k.x][k.y];
      m.scenery = SCENERY_CONTAINER;
      m.passable = 1;
    }
  }
  in.end_mark();
  error = in.error();
  return in.ok();
}

// ---------------------------------------------------------------------------
// Replacing the live world
// ---------------------------------------------------------------------------
void commit(const staged_world& w) {
  nuke_variables();
  std::memcpy(map, w.map, sizeof map);
  std::memcpy(environment, w.environment, sizeof environment);
  for (int p = 0; p < 4; p++)
    for (int u = 0; u <= UNIT_LAST; u++) unit[p][u] = w.unit[p][u];
  for (int n = 0; n < OBJECT_COUNT; n++) object[n] = w.object[n];
  for (int n = 0; n < CONTAINER_COUNT; n++) container[n] = w.container[n];
  CURRENT_PLAYER = w.current_player;
  CURRENT_UNIT = w.current_unit;
  DIFFICULTY = w.difficulty;
  QUEST_NO = w.quest;

  for (int p = 0; p < 4; p++)
    for (int u = 0; u <= UNIT_LAST; u++)
      if (w.unit_has_record[p][u]) assign_icon(1, p, u, 0);
  for (int n = 0; n < OBJECT_COUNT; n++)
    if (object[n].status != OBJECT_FREE) assign_icon(0, 0, n, 1);

  message_box("STATUS LOAD...");
  if (DIFFICULTY == 3) CANT_SAVE = 10;
  // Units first, so the squares they stand on are blocked by the move costs.
  for (int z = 0; z < LEVELS; z++) {
    map_occupied(z);
    map_movecost(z);
    map_object(z);
  }
  message_box("LOADED GAME...");
  reveal_tiles();
  UPDATE_MAP = 1;
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------
std::string save_path(const std::string& name, const char* suffix) {
  return "save/" + name + suffix;
}

// 0 read, 1 missing, 2 unreadable or too big.
int read_file(const std::string& path, std::string& out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 1;
  out.clear();
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    out.append(buf, n);
    if (static_cast<long>(out.size()) > FILE_LIMIT) break;
  }
  bool bad = std::ferror(f) || static_cast<long>(out.size()) > FILE_LIMIT;
  std::fclose(f);
  return bad ? 2 : 0;
}

// Writes text under a temporary name and flushes it to the disk.
bool write_file(const std::string& path, const std::string& text) {
  // A file made afresh: whatever stood under the temporary name, a link
  // planted there included, is never written through.
  ::unlink(path.c_str());
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) return false;
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  bool ok = ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

void sync_save_folder() {
  int fd = ::open("save", O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Temporary names hold no ".nam", so the file selector never lists one.
std::string temp_path(const std::string& name, int index) {
  return "save/" + name + "." + std::to_string(index) + ".tmp";
}

const char* const SAVING_MESSAGES[SAVE_DATA_FILES] = {
    "SAVING LEVEL TYPE", "SAVING LEVEL revealed", "SAVING LEVEL TYPE", "SAVING LEVEL EXTRA",
    "SAVING UNIT STATS", "SAVING OBJECTS",        "SAVING CONTAINERS"};

bool write_save_files(const std::string& name) {
  ::mkdir("save", 0755);
  save_texts texts;
  write_save_texts(texts);
  // Every file goes to a temporary name first; only when all are on the disk
  // are they renamed over the old save, the name file last, so that a save
  // cut off at any moment leaves the save before it loadable.
  bool ok = true;
  for (int i = 0; i < SAVE_DATA_FILES && ok; i++) {
    message_box(SAVING_MESSAGES[i]);
    ok = write_file(temp_path(name, i), texts[static_cast<std::size_t>(i)]);
  }
  ok = ok && write_file(temp_path(name, SAVE_DATA_FILES), name + "\n");
  if (ok) sync_save_folder();
  for (int i = 0; i < SAVE_DATA_FILES && ok; i++)
    ok = std::rename(temp_path(name, i).c_str(), save_path(name, SAVE_SUFFIXES[i]).c_str()) == 0;
  ok = ok &&
       std::rename(temp_path(name, SAVE_DATA_FILES).c_str(), save_path(name, ".nam").c_str()) == 0;
  sync_save_folder();
  if (!ok)
    for (int i = 0; i <= SAVE_DATA_FILES; i++) std::remove(temp_path(name, i).c_str());
  return ok;
}

void load_refused(const std::string& text) {
  message_box(text.c_str());
  rest_ms(1000);
}

}  // namespace

// ---------------------------------------------------------------------------
// Save names
// ---------------------------------------------------------------------------
bool save_name_char_allowed(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
         c == '-' || c == '_';
}

bool save_name_valid(const std::string& name) {
  if (name.size() < static_cast<std::size_t>(SAVE_NAME_MIN) ||
      name.size() > static_cast<std::size_t>(SAVE_NAME_MAX))
    return false;
  for (char c : name)
    if (!save_name_char_allowed(static_cast<unsigned char>(c))) return false;
  return true;
}

// ---------------------------------------------------------------------------
// The world as texts, and back
// ---------------------------------------------------------------------------
void write_save_texts(save_texts& out) {
  out[SAVE_MAPTYPE] = write_grid(GRID_TERRAIN);
  out[SAVE_MAPREVEALED] = write_grid(GRID_REVEALED);
  out[SAVE_MAPENV] = write_grid(GRID_ENVIRONMENT);
  out[SAVE_MAPEXTRA] = write_grid(GRID_SCENERY);
  out[SAVE_UNITS] = write_units();
  out[SAVE_OBJECTS] = write_objects();
  out[SAVE_CONTAINERS] = write_containers();
}

bool load_save_texts(const save_texts& in, std::string& error) {
  auto w = std::make_unique<staged_world>();
  clear_staging(*w);
  message_box("LOADING MAP TYPE");
  if (!read_grid(in[SAVE_MAPTYPE], GRID_TERRAIN, "maptype.sav", *w, error)) return false;
  message_box("LOADING MAP ENVIRNOMENT");
  if (!read_grid(in[SAVE_MAPENV], GRID_ENVIRONMENT, "mapenv.sav", *w, error)) return false;
  message_box("LOADING MAP EXTRA");
  if (!read_grid(in[SAVE_MAPEXTRA], GRID_SCENERY, "mapextra.sav", *w, error)) return false;
  message_box("LOADING MAP revealed");
  if (!read_grid(in[SAVE_MAPREVEALED], GRID_REVEALED, "maprevealed.sav", *w, error)) return false;
  message_box("\nLOADING UNIT STATS...");
  if (!read_units(in[SAVE_UNITS], *w, error)) return false;
  message_box("\nLOADING OBJECTS...");
  if (!read_objects(in[SAVE_OBJECTS], *w, error)) return false;
  message_box("\nLOADING CONTAINERS...");
  if (!read_containers(in[SAVE_CONTAINERS], *w, error)) return false;
  commit(*w);
  return true;
}

// ---------------------------------------------------------------------------
// The game's entry points
// ---------------------------------------------------------------------------
int text_load_map(int mode) {
  (void)mode;
  if (CANT_SAVE > 0) {
    message_box("Can't load game yet!!!");
    return FAIL;
  }
  std::string name = select_file();
  bool listed_chars = true;
  for (char c : name)
    if (!save_name_char_allowed(static_cast<unsigned char>(c))) listed_chars = false;
  if (!listed_chars) {
    load_refused("A save name holds only letters, digits, spaces, - and _");
    return FAIL;
  }
  if (!save_name_valid(name)) {
    load_refused("LOAD FILE DOESN'T EXIST!");
    return FAIL;
  }
  save_texts texts;
  for (int i = 0; i < SAVE_DATA_FILES; i++) {
    int r = read_file(save_path(name, SAVE_SUFFIXES[i]), texts[static_cast<std::size_t>(i)]);
    if (r == 1 && i == SAVE_MAPTYPE) {
      load_refused("LOAD FILE DOESN'T EXIST!");
      return FAIL;
    }
    if (r != 0) {
      load_refused(std::string("LOAD FAILED: ") + SAVE_SUFFIXES[i] +
                   (r == 1 ? " is missing" : " cannot be read"));
      return FAIL;
    }
  }
  std::string error;
  if (!load_save_texts(texts, error)) {
    if (DEBUG_MODE > 0) std::printf("\nload refused: %s\n", error.c_str());
    load_refused("LOAD FAILED: " + error);
    return FAIL;
  }
  forget_game_seed();
  // The game now goes on from the files, not from its seed: its replay could
  // not rebuild it.
  replay_stop();
  return 0;
}

int text_save_map(int movecost_level) {
  if (CANT_SAVE > 0) {
    message_box("Can't save game yet!!!");
    return FAIL;
  }
  std::string name = select_file();
  if (name.size() <= 2) {
    message_box("Name not long enough!");
    return FAIL;
  }
  if (name.size() > static_cast<std::size_t>(SAVE_NAME_MAX)) {
    message_box("Name too long!");
    return FAIL;
  }
  if (!save_name_valid(name)) {
    message_box("A save name holds only letters, digits, spaces, - and _");
    return FAIL;
  }
  if (!write_save_files(name)) {
    message_box("SAVE FAILED!");
    return FAIL;
  }
  message_box("SAVED GAME STAUS...");
  map_movecost(movecost_level);
  return 0;
}
