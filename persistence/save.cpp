// Saved games.  Writing turns the live tables into eight text files; reading
// parses all seven data files into a staging copy of the world and checks
// every value the game will later index with, so that a missing, cut or
// hostile file is refused before the live world is touched.
#include "persistence/save.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/check.h"
#include "core/frontend.h"
#include "core/game_end.h"
#include "core/message_log.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/start_health.h"
#include "core/turn_order.h"
#include "core/world.h"
#include "core/world_copy.h"
#include "creatures/sight.h"
#include "persistence/save_set.h"

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
// The tables a save holds, as the copy of the live world, and which unit
// slots the file named (their icons are assigned after the load).
struct staged_world : world_copy {
  bool unit_has_record[4][UNIT_SLOTS];
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
  std::memset(w.unit_has_record, 0, sizeof w.unit_has_record);
  w.current_player = w.current_unit = w.quest = w.cant_save = 0;
  w.difficulty = 1;
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

// The files have no mark for a trapdoor, which a climb leaves above a ladder
// up that had no way down over it; such a ladder had one, so it is put back.
void restore_trapdoors(staged_world& w) {
  for (int z = 0; z + 1 < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++)
        if (w.map[z][x][y].scenery == SCENERY_LADDER_UP &&
            w.map[z + 1][x][y].scenery == SCENERY_NONE)
          w.map[z + 1][x][y].scenery = SCENERY_TRAPDOOR;
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
// The staging copy as the live tables, with the fields a load derives
// rebuilt: what the world's rules are checked on.
void install(const staged_world& w) {
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
  // Units first, so the squares they stand on are blocked by the move costs.
  for (int z = 0; z < LEVELS; z++) {
    map_occupied(z);
    map_movecost(z);
    seal_outer_wall(z);
    map_object(z);
  }
  // Games saved before a weapon swap kept damage at 1 or more may hold less;
  // the blow rules divide by it, so such a save comes back at the floor
  // rather than being refused.
  for (int p = 0; p < 4; p++)
    for (int u = 0; u <= UNIT_LAST; u++)
      if (unit[p][u].status != UNIT_FREE && unit[p][u].damage < 1) unit[p][u].damage = 1;
}

// What a load does once the world it brings is known to keep the rules.
void finish_load(const staged_world& w) {
  // The loaded game starts in the party's turn, whatever the last one was in.
  clear_turn_state();
  for (int p = 0; p < 4; p++)
    for (int u = 0; u <= UNIT_LAST; u++)
      if (w.unit_has_record[p][u]) assign_icon(1, p, u, 0);
  for (int n = 0; n < OBJECT_COUNT; n++)
    if (object[n].status != OBJECT_FREE) assign_icon(0, 0, n, 1);

  message_box("STATUS LOAD...");
  if (DIFFICULTY == 3) CANT_SAVE = 10;
  message_box("LOADED GAME...");
  reveal_tiles();
  UPDATE_MAP = 1;
}

// Both copies are large and a load is made often by the fuzzer: one of each
// for the whole run.
staged_world& staging_copy() {
  static const std::unique_ptr<staged_world> w = std::make_unique<staged_world>();
  return *w;
}

world_copy& kept_live() {
  static const std::unique_ptr<world_copy> t = std::make_unique<world_copy>();
  return *t;
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------
const char* const SAVING_MESSAGES[SAVE_DATA_FILES] = {
    "SAVING LEVEL TYPE", "SAVING LEVEL revealed", "SAVING LEVEL TYPE", "SAVING LEVEL EXTRA",
    "SAVING UNIT STATS", "SAVING OBJECTS",        "SAVING CONTAINERS"};

bool write_save_files(const std::string& name) {
  save_texts texts;
  write_save_texts(texts);
  save_set_texts set;
  for (int i = 0; i < SAVE_DATA_FILES; i++) {
    message_box(SAVING_MESSAGES[i]);
    set[static_cast<std::size_t>(i)] = std::move(texts[static_cast<std::size_t>(i)]);
  }
  set[SAVE_NAME_FILE] = name + "\n";
  return write_save_set(name, set);
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

namespace {

const char* const LOADING_MESSAGES[SAVE_DATA_FILES] = {
    "LOADING MAP TYPE",       "LOADING MAP revealed",    "LOADING MAP ENVIRNOMENT",
    "LOADING MAP EXTRA",      "\nLOADING UNIT STATS...", "\nLOADING OBJECTS...",
    "\nLOADING CONTAINERS..."};

bool read_save_file(int file, const std::string& text, staged_world& w, std::string& error) {
  switch (file) {
    case SAVE_MAPTYPE:
      return read_grid(text, GRID_TERRAIN, "maptype.sav", w, error);
    case SAVE_MAPREVEALED:
      return read_grid(text, GRID_REVEALED, "maprevealed.sav", w, error);
    case SAVE_MAPENV:
      return read_grid(text, GRID_ENVIRONMENT, "mapenv.sav", w, error);
    case SAVE_MAPEXTRA:
      return read_grid(text, GRID_SCENERY, "mapextra.sav", w, error);
    case SAVE_UNITS:
      return read_units(text, w, error);
    case SAVE_OBJECTS:
      return read_objects(text, w, error);
    default:
      return read_containers(text, w, error);
  }
}

// The grids first, in the order the game has always read them, then the
// records; the containers mark their squares over the scenery.
constexpr int READING_ORDER[SAVE_DATA_FILES] = {SAVE_MAPTYPE,     SAVE_MAPENV, SAVE_MAPEXTRA,
                                                SAVE_MAPREVEALED, SAVE_UNITS,  SAVE_OBJECTS,
                                                SAVE_CONTAINERS};

bool read_save_files(const save_texts& in, staged_world& w, std::string& error, bool tell) {
  clear_staging(w);
  for (int file : READING_ORDER) {
    if (tell) message_box(LOADING_MESSAGES[file]);
    if (!read_save_file(file, in[static_cast<std::size_t>(file)], w, error)) return false;
    if (file == SAVE_MAPREVEALED) restore_trapdoors(w);
  }
  return true;
}

// Every value is in range; the world as a whole must also keep the rules the
// game relies on, or the first turn would act on a contradiction.  The
// staging copy is tried in the live tables, where the checker reads; on
// false the live tables hold the trial.
bool keeps_the_rules(const staged_world& w, std::string& error) {
  install(w);
  std::string broken = check_world();
  if (broken.empty()) return true;
  error = "the saved world breaks a rule: " + broken;
  return false;
}

}  // namespace

bool load_save_texts(const save_texts& in, std::string& error) {
  staged_world& w = staging_copy();
  if (!read_save_files(in, w, error, true)) return false;
  world_copy& kept = kept_live();
  keep_world(kept);
  if (!keeps_the_rules(w, error)) {
    restore_world(kept);
    return false;
  }
  finish_load(w);
  return true;
}

// ---------------------------------------------------------------------------
// The fuzzer's way in
// ---------------------------------------------------------------------------
namespace {

// One data file's part of a staging copy, copied from another.  The grids
// share the squares, so a grid file's part is all of them.
void copy_part(staged_world& to, const staged_world& from, int file) {
  switch (file) {
    case SAVE_MAPENV:
      std::memcpy(to.environment, from.environment, sizeof to.environment);
      [[fallthrough]];
    case SAVE_MAPTYPE:
    case SAVE_MAPREVEALED:
    case SAVE_MAPEXTRA:
      std::memcpy(to.map, from.map, sizeof to.map);
      break;
    case SAVE_UNITS:
      std::memcpy(to.unit, from.unit, sizeof to.unit);
      std::memcpy(to.unit_has_record, from.unit_has_record, sizeof to.unit_has_record);
      to.current_player = from.current_player;
      to.current_unit = from.current_unit;
      to.difficulty = from.difficulty;
      to.quest = from.quest;
      break;
    case SAVE_OBJECTS:
      std::memcpy(to.object, from.object, sizeof to.object);
      break;
    default:
      std::memcpy(to.container, from.container, sizeof to.container);
      std::memcpy(to.map, from.map, sizeof to.map);
      break;
  }
}

void mark_containers(staged_world& w) {
  for (const container_record& k : w.container)
    if (k.state != CONTAINER_FREE) w.map[k.z][k.x][k.y].scenery = SCENERY_CONTAINER;
}

struct fuzz_staging {
  staged_world sound, cleared, trial;
};

fuzz_staging& fuzz_copies() {
  static const std::unique_ptr<fuzz_staging> f = std::make_unique<fuzz_staging>();
  return *f;
}

}  // namespace

bool stage_sound_save(const save_texts& sound, std::string& error) {
  fuzz_staging& f = fuzz_copies();
  clear_staging(f.cleared);
  if (!read_save_files(sound, f.sound, error, false)) return false;
  std::memcpy(&f.trial, &f.sound, sizeof f.trial);
  return keeps_the_rules(f.trial, error);
}

bool try_staged_file(int file, const std::string& text, std::string& error) {
  fuzz_staging& f = fuzz_copies();
  // The file's part emptied: a grid file that reads whole sets each of its
  // squares, so only mapenv's flags and the records need it; the squares
  // keep the containers' marks, as a whole load leaves them.
  if (file == SAVE_MAPENV)
    std::memcpy(f.trial.environment, f.cleared.environment, sizeof f.trial.environment);
  if (file == SAVE_UNITS || file == SAVE_OBJECTS) copy_part(f.trial, f.cleared, file);
  if (file == SAVE_CONTAINERS)
    std::memcpy(f.trial.container, f.cleared.container, sizeof f.trial.container);
  bool ok = read_save_file(file, text, f.trial, error);
  if (ok && file <= SAVE_MAPEXTRA) {
    restore_trapdoors(f.trial);
    mark_containers(f.trial);
  }
  ok = ok && keeps_the_rules(f.trial, error);
  copy_part(f.trial, f.sound, file);
  return ok;
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
  std::string error;
  switch (read_save_set(name, texts, error)) {
    case SET_MISSING:
      load_refused("LOAD FILE DOESN'T EXIST!");
      return FAIL;
    case SET_REFUSED:
      load_refused("LOAD FAILED: " + error);
      return FAIL;
    case SET_LOADED:
      break;
  }
  if (!load_save_texts(texts, error)) {
    if (DEBUG_MODE > 0) std::printf("\nload refused: %s\n", error.c_str());
    load_refused("LOAD FAILED: " + error);
    return FAIL;
  }
  forget_game_seed();
  // The game now goes on from the files, not from its seed: its replay could
  // not rebuild it.
  replay_stop();
  // A new game for what is kept beside the world: the message history, each
  // unit's starting health and the notes for the game's record.
  message_log_clear();
  note_every_start_health();
  note_game_begins(REPLAY_TURN, false, unit[1][1].name);
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
