// Saved games: round trips, the files on the disk, names, the lock, and the
// loads that must change nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <tuple>

#include "core/actions/movement.h"
#include "core/game/loop.h"
#include "core/game/newgame.h"
#include "core/game/turn.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "tests/persistence/save_fixture.h"

namespace {

namespace fs = std::filesystem;

bool in_set(int v, std::initializer_list<int> set) {
  return std::find(set.begin(), set.end(), v) != set.end();
}
const std::initializer_list<int> TERRAINS = {1,  2,  3,  4,  5,  6,  7,  8, 9,
                                             10, 12, 14, 15, 16, 17, 18, 22};
const std::initializer_list<int> SCENERIES = {
    0,  6,  15, 16, 17, 19, 21, 23, 24, 26, 27, 28, 29, 33, 34, 35, 43, 44, 63, 75,
    76, 78, 79, 80, 81, 83, 85, 86, 87, 88, 89, 90, 91, 93, 94, 96, 97, 98, 99, 101};

// Every saved field of the live world against the world that was saved,
// allowing only the losses the format has.
void expect_loaded(const world_copy& s) {
  // The party's sight is laid down again after a load, on the acting unit's
  // level and around each party member: there what was seen stays seen.
  bool sighted[LEVELS] = {};
  for (int u = 0; u <= 450; u++)
    if (unit[CURRENT_PLAYER][u].status != UNIT_FREE && on_grid(unit[CURRENT_PLAYER][u].z, 0, 0))
      sighted[unit[CURRENT_PLAYER][u].z] = true;
  if (on_grid(unit[CURRENT_PLAYER][CURRENT_UNIT].z, 0, 0))
    sighted[unit[CURRENT_PLAYER][CURRENT_UNIT].z] = true;
  for (int z = 0; z < LEVELS; z++) {
    int prev_terrain = TERRAIN_ROCK, prev_revealed = 0;
    for (int y = 0; y < 50; y++)
      for (int x = 0; x < 50; x++) {
        const map_cell& a = s.map[z][x][y];
        const map_cell& b = map[z][x][y];
        int terrain = in_set(a.terrain, TERRAINS) ? a.terrain : prev_terrain;
        int revealed = a.revealed >= 0 && a.revealed <= 3 ? a.revealed : prev_revealed;
        prev_terrain = terrain, prev_revealed = revealed;
        ASSERT_EQ(b.terrain, terrain) << z << " " << x << " " << y;
        if (!sighted[z]) {
          ASSERT_EQ(b.revealed, revealed) << z << " " << x << " " << y;
        } else if (revealed != 0) {
          ASSERT_TRUE(b.revealed == 1 || b.revealed == 2) << z << " " << x << " " << y;
        }
        int scenery = in_set(a.scenery, SCENERIES) ? a.scenery : 0;
        if (which_container(z, x, y)) scenery = SCENERY_CONTAINER;
        // Water puts out a fire when the move costs are rebuilt.
        if (scenery == SCENERY_FIRE && s.environment[z][x][y].water) scenery = 0;
        ASSERT_EQ(b.scenery, scenery) << z << " " << x << " " << y;

        const environment_cell& e = s.environment[z][x][y];
        const environment_cell& f = environment[z][x][y];
        bool track = e.track >= 1 && e.track <= 15;
        ASSERT_EQ(f.track, track ? e.track : 0);
        ASSERT_EQ(f.water, !track && e.water ? 1 : 0);
        ASSERT_EQ(f.lava, !track && !e.water && e.lava ? 1 : 0);
        ASSERT_EQ(f.gas, 0);
        ASSERT_EQ(f.zone, 0);
      }
    // The rim that is not stored comes back as the outer wall.
    for (int i = 0; i < LAND_SIZE; i++) {
      ASSERT_EQ(map[z][50][i].terrain, TERRAIN_BUILT_WALL);
      ASSERT_EQ(map[z][i][50].terrain, TERRAIN_BUILT_WALL);
    }
  }

  // The fields each record keeps, to be compared at once.
  auto unit_fields = [](const unit_record& r) {
    return std::tie(r.race, r.z, r.x, r.y, r.facing, r.health, r.movement, r.moves, r.damage,
                    r.strength, r.defence, r.ranged, r.sight, r.level, r.intelligence, r.order);
  };
  auto object_fields = [](const object_record& o) {
    return std::tie(o.type, o.x, o.y, o.z, o.owner_unit, o.range, o.var1, o.weight, o.worth);
  };
  auto container_fields = [](const container_record& c) {
    return std::tie(c.type, c.x, c.y, c.z, c.size, c.capacity, c.weight, c.strength, c.health,
                    c.init_health, c.locked, c.trapped);
  };
  for (int p = 0; p < 4; p++)
    for (int u = 0; u <= 450; u++) {
      const unit_record& a = s.unit[p][u];
      const unit_record& b = unit[p][u];
      SCOPED_TRACE(testing::Message() << "unit " << p << " " << u);
      ASSERT_EQ(b.status, a.status == 0 ? UNIT_FREE : a.status);
      if (a.status == 0 || a.status == UNIT_FREE) continue;
      ASSERT_STREQ(b.name, a.name);
      ASSERT_EQ(unit_fields(b), unit_fields(a));
      if (a.order == ORDER_ATTACK) {
        ASSERT_EQ(b.waypoint_index, a.waypoint_index);
        ASSERT_EQ(b.waypoint_x[9], a.waypoint_x[9]);
        ASSERT_EQ(b.waypoint_y[9], a.waypoint_y[9]);
        const unit_record& t = s.unit[a.waypoint_x[9]][a.waypoint_y[9]];
        ASSERT_EQ(b.waypoint_x[8], t.x);
        ASSERT_EQ(b.waypoint_y[8], t.y);
      }
      if (a.order == ORDER_ROUTE || a.order == ORDER_SEEK)
        for (int i = 0; i < WAYPOINTS; i++) {
          ASSERT_EQ(b.waypoint_x[i], a.waypoint_x[i]);
          ASSERT_EQ(b.waypoint_y[i], a.waypoint_y[i]);
        }
    }
  for (int n = 0; n < 2999; n++) {
    const object_record& a = s.object[n];
    const object_record& b = object[n];
    SCOPED_TRACE(testing::Message() << "object " << n);
    ASSERT_EQ(b.status, a.status);
    if (a.status == 0) continue;
    ASSERT_STREQ(b.name, a.name);
    ASSERT_STREQ(b.description, a.description);
    ASSERT_EQ(object_fields(b), object_fields(a));
    ASSERT_EQ(b.owner_player, a.owner_player == 4 ? 0 : a.owner_player);
  }
  for (int n = 0; n < CONTAINER_SLOTS; n++) {
    const container_record& a = s.container[n];
    const container_record& b = container[n];
    SCOPED_TRACE(testing::Message() << "container " << n);
    ASSERT_EQ(b.state, a.state);
    if (a.state == 0) continue;
    ASSERT_STREQ(b.name, a.name);
    ASSERT_EQ(container_fields(b), container_fields(a));
  }
  ASSERT_EQ(CURRENT_PLAYER, s.current_player);
  ASSERT_EQ(CURRENT_UNIT, s.current_unit);
  ASSERT_EQ(DIFFICULTY, s.difficulty);
  ASSERT_EQ(QUEST_NO, s.quest);
}

// The fields a load does not read are rebuilt from those it does.
void expect_derived_rebuilt() {
  static int count[LEVELS][LAND_SIZE][LAND_SIZE];
  std::memset(count, 0, sizeof count);
  for (int n = 1; n < 2999; n++) {
    const object_record& o = object[n];
    if (o.status == OBJECT_ON_GROUND) count[o.z][o.x][o.y]++;
  }
  std::set<long> standing;
  // Player 0 on a square means nobody, so its units mark none.
  for (int p = 1; p < 4; p++)
    for (int u = 0; u <= 450; u++) {
      const unit_record& r = unit[p][u];
      if (r.status == UNIT_FREE || r.status == UNIT_GONE) continue;
      standing.insert((r.z * 100L + r.x) * 100 + r.y);
    }
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        const map_cell& m = map[z][x][y];
        ASSERT_EQ(m.object_count, count[z][x][y]);
        bool someone = standing.count((z * 100L + x) * 100 + y) > 0;
        ASSERT_EQ(m.occupant_player != 0, someone) << z << " " << x << " " << y;
        if (someone) {
          const unit_record& r = unit[m.occupant_player][m.occupant_unit];
          ASSERT_TRUE(r.z == z && r.x == x && r.y == y);
        }
        ASSERT_EQ(m.wall_variant, 0);
      }
  // The move costs are those a fresh pass gives.
  auto before = copy_world();
  for (int z = 0; z < LEVELS; z++) map_movecost(z);
  ASSERT_TRUE(world_is(*before));
}

// Puts into a generated world what generation alone never makes: every unit
// status, long and awkward names, routes, a followed unit, odd codes.
void add_oddities() {
  unit_record& leader = unit[1][1];
  int z = leader.z;
  // Each on open ground of the leader's level, as a load insists.
  auto put = [&](int p, int u, int status, const char* name) -> unit_record& {
    unit_record& r = unit[p][u];
    r = leader;
    r.status = status;
    copy_text(r.name, name);
    int x = leader.x, y = leader.y;
    EXPECT_TRUE(nearest_open_square(z, x, y, 20));
    place_unit(p, u, z, x, y);
    return r;
  };
  put(1, 2, UNIT_POISONED, "~PLAYER CPU").health = 7;
  put(1, 3, UNIT_UNCONSCIOUS, "OBJECT").health = -4;
  put(1, 4, UNIT_GONE, "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXY");
  put(1, 5, UNIT_NORMAL, "");
  unit_record& follower = put(2, 440, UNIT_NORMAL, "CPU");
  follower.order = ORDER_ATTACK;
  follower.waypoint_index = 3;
  follower.waypoint_x[9] = 3, follower.waypoint_y[9] = 450;  // the walker below: the last slot
  unit_record& walker = put(3, 450, UNIT_NORMAL, "GLOBALS");
  walker.order = ORDER_ROUTE;
  for (int i = 0; i < WAYPOINTS; i++) walker.waypoint_x[i] = i * 3 - 2, walker.waypoint_y[i] = 999;
  walker.facing = 7;
  put(1, 6, 2, "STATUS");

  object[2990] = object_record{};
  object[2990].status = OBJECT_CARRIED;
  object[2990].owner_player = 3;
  object[2990].owner_unit = 450;
  object[2990].type = 999;
  copy_text(object[2990].name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234567");
  copy_text(object[2990].description, "~");
  object[2990].x = -1, object[2990].y = 99;  // carried, so on no square
  object[2991] = object[2990];
  object[2991].owner_player = 17;
  int box = next_free_container();
  object[2991].owner_unit = box;
  container[box].state = 1;
  container[box].z = z, container[box].x = 1, container[box].y = 49;
  map[z][1][49].scenery = SCENERY_CONTAINER;
  copy_text(object[2991].description, "OBJECT 2992 STATUS");

  // A track over lava and water, water over lava, codes outside the tables.
  environment[z][10][10] = {0, 1, 1, 0, 5};
  environment[z][11][10] = {0, 1, 1, 0, 0};
  environment[z][12][10] = {3, 0, 0, 99, 16};
  map[z][13][10].terrain = 77;
  map[z][0][11].terrain = 11;  // the square before it ends the row above
  map[z][14][10].scenery = 200;
  int far = (z + 5) % LEVELS;  // a level the party's sight leaves alone
  map[far][15][10].revealed = 3;
  map[far][16][10].revealed = 9;
  map[far][17][10].revealed = 1;
  map[z][17][10].wall_variant = 1;
  // Every terrain and track code the grid files know, on free squares there.
  int x = 0, y = 30;
  auto next_free = [&] {
    do x = (x + 1) % 50, y += x == 0;
    while (map[far][x][y].occupant_player || map[far][x][y].object_count || map[far][x][y].scenery);
  };
  for (int t : TERRAINS) next_free(), map[far][x][y].terrain = t;
  for (int t = 1; t <= 15; t++) next_free(), environment[far][x][y] = {}, environment[far][x][y].track = t;
  CURRENT_PLAYER = 1, CURRENT_UNIT = 5;
}

void roundtrip(const char* label) {
  SCOPED_TRACE(label);
  save_texts first;
  write_save_texts(first);
  auto saved = copy_world();
  // Load over a different world, so nothing can pass by being left over.
  std::srand(4242);
  build_new_world();
  std::string error;
  ASSERT_TRUE(load_save_texts(first, error)) << error;
  expect_loaded(*saved);
  expect_derived_rebuilt();
  // A second round changes nothing more: the format keeps what it loads.
  save_texts second, third;
  write_save_texts(second);
  ASSERT_TRUE(load_save_texts(second, error)) << error;
  write_save_texts(third);
  for (int i = 0; i < SAVE_DATA_FILES; i++) ASSERT_EQ(second[i], third[i]) << SAVE_SUFFIXES[i];
}

class SaveTest : public SaveFolder {};

TEST_F(SaveTest, GeneratedWorldsComeBackWholeAfterPlayedTurns) {
  for (unsigned seed = 1; seed <= 6; seed++) {
    DIFFICULTY = 1 + static_cast<int>(seed % 3);
    std::srand(seed);
    build_new_world();
    ASSERT_NO_FATAL_FAILURE(roundtrip("new world"));
    // Some turns played: the leader walks, turns and the world ages.
    for (int t = 0; t < 4; t++) {
      forward(1, 1);
      turnright(1, 1);
      forward(1, 1);
      end_turn();
    }
    CANT_SAVE = 0;
    ASSERT_NO_FATAL_FAILURE(roundtrip("played"));
    add_oddities();
    ASSERT_NO_FATAL_FAILURE(roundtrip("oddities"));
  }
}

TEST_F(SaveTest, GridFilesHaveTheirFixedSizeAndTheNameFileHoldsTheName) {
  std::srand(3);
  build_new_world();
  headless.files = {"KEEP-1_a b"};  // dash, underscore and space are allowed
  ASSERT_EQ(text_save_map(2), 0);
  EXPECT_TRUE(headless_said("SAVED GAME STAUS..."));
  for (const char* s : {"maptype.sav", "maprevealed.sav", "mapenv.sav", "mapextra.sav"})
    EXPECT_EQ(fs::file_size(std::string("save/KEEP-1_a b") + s), 28061u) << s;
  EXPECT_EQ(read_text("save/KEEP-1_a b.nam"), "KEEP-1_a b\n");
  std::string units = read_text("save/KEEP-1_a bunits.sav");
  EXPECT_EQ(units.substr(0, 30), "PLAYER\n0\nUNIT\n0\nSTATUS\n213\n\nPL");
  EXPECT_NE(units.find("\n\n.\n\nCPU\n1\n1\nGLOBALS\n"), std::string::npos);
  std::string grid = read_text("save/KEEP-1_a bmaptype.sav");
  EXPECT_EQ(grid[50], '\n');
  EXPECT_EQ(grid[50 * 51], '~');
  EXPECT_EQ(grid.back(), '~');
  // Nothing but the eight files and the list of the set is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator("save"), fs::directory_iterator()), 9);
}

TEST_F(SaveTest, ShortNamesAndNamesThatCouldLeaveTheFolderAreRefused) {
  std::srand(5);
  build_new_world();
  fs::create_directory("save/sub");
  auto before = copy_world();
  for (const char* bad : {"AB", " ", "../escape", "sub/inside", "/tmp/abs", "dot.name", "tab\tname",
                          "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN"}) {
    bool short_name = std::strlen(bad) < 3;
    headless.files = {bad, bad};
    EXPECT_EQ(text_save_map(2), FAIL) << bad;
    std::string said = headless.messages.back();
    EXPECT_EQ(text_load_map(0), FAIL) << bad;
    if (short_name) {
      EXPECT_EQ(said + "|" + headless.messages.back(),
                "Name not long enough!|LOAD FILE DOESN'T EXIST!");
    }
  }
  EXPECT_TRUE(world_is(*before));
  EXPECT_TRUE(fs::is_empty("save/sub"));
  // The save folder and its empty sub alone.
  EXPECT_EQ(std::distance(fs::recursive_directory_iterator("."), {}), 2);
  headless.files = {"ABC"};
  EXPECT_EQ(text_save_map(2), 0);
  EXPECT_TRUE(fs::exists("save/ABC.nam"));
}

TEST_F(SaveTest, ALoadAtDifficultyThreeLocksSavingForTenTurns) {
  std::srand(8);
  DIFFICULTY = 3;
  build_new_world();
  headless.files = {"HARD", "HARD"};
  ASSERT_EQ(text_save_map(2), 0);
  ASSERT_EQ(text_load_map(0), 0);
  EXPECT_EQ(CANT_SAVE, 10);
  headless.messages.clear();
  headless.files = {"HARD"};
  EXPECT_EQ(text_save_map(2), FAIL);
  EXPECT_EQ(text_load_map(0), FAIL);
  EXPECT_EQ(headless.messages,
            (std::vector<std::string>{"Can't save game yet!!!", "Can't load game yet!!!"}));
  EXPECT_EQ(headless.files.size(), 1u);  // not even asked for a name
  // Nor from the main menu, which comes back instead of a game.
  headless.menu_choices = {2};
  init_loop();
  EXPECT_EQ(gameover, GAME_LOAD);
  EXPECT_EQ(headless.getinput_calls, 0);
  // Below difficulty three a load locks nothing.
  DIFFICULTY = 2;
  CANT_SAVE = 0;
  headless.files = {"EASY", "EASY", "EASY"};
  ASSERT_EQ(text_save_map(2), 0);
  ASSERT_EQ(text_load_map(0), 0);
  EXPECT_EQ(CANT_SAVE, 0);
  EXPECT_EQ(text_save_map(2), 0);
}

TEST_F(SaveTest, DamagedSavesAreRefusedWithTheWorldUntouched) {
  std::srand(12);
  build_new_world();
  save_texts good;
  write_save_texts(good);
  std::srand(13);
  build_new_world();
  CANT_SAVE = 0;
  auto before = copy_world();

  auto replaced = [&](int file, const std::string& from, const std::string& to) {
    save_texts t = good;
    std::string& s = t[static_cast<std::size_t>(file)];
    std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return t;
  };
  auto edited = [&](int file, void (*edit)(std::string&)) {
    save_texts t = good;
    return edit(t[static_cast<std::size_t>(file)]), t;
  };
  std::vector<std::pair<std::string, save_texts>> cases = {
      {"units cut in half", edited(SAVE_UNITS, [](std::string& s) { s.resize(s.size() / 2); })},
      {"objects without the end mark",
       edited(SAVE_OBJECTS, [](std::string& s) { s.resize(s.size() - 2); })},
      {"short grid", edited(SAVE_MAPENV, [](std::string& s) { s.pop_back(); })},
      {"unknown scenery mark", edited(SAVE_MAPEXTRA, [](std::string& s) { s[100] = '!'; })},
      {"row without its line end", edited(SAVE_MAPTYPE, [](std::string& s) { s[50] = '#'; })},
      {"empty containers", edited(SAVE_CONTAINERS, [](std::string& s) { s.clear(); })}};
  const struct {
    int file;
    const char *from, *to;
  } replacements[] = {
      {SAVE_UNITS, "UZ:\n0\n", "UZ:\n11\n"},  // level 11
      {SAVE_UNITS, "UX:\n", "UX:\n-"},        // off the grid
      {SAVE_UNITS, "DIR\n", "DIR\n8"},
      {SAVE_UNITS, "CPU\n1\n", "CPU\n5\n"},  // player 5 acting
      {SAVE_UNITS, "GLOBALS\n", "GLOBALS\n4\n"},  // difficulty 4
      {SAVE_UNITS, "UNIT\n7\n", "UNIT\n8\n"},  // slot out of order
      {SAVE_UNITS, "UNIT\n450\n", "UNIT\n451\n"},
      {SAVE_UNITS, "HEALTH\n", "HEALTH\nx"},
      {SAVE_UNITS, "MOVES\n", "MOVES\n99999999999"},
      {SAVE_OBJECTS, "WORTH\n0\n", "WORTH\n1000001\n"},  // just past the largest number kept
      {SAVE_OBJECTS, "OZ\n0\n", "OZ\n-1\n"},
      {SAVE_OBJECTS, "OWNED BY\n1\n", "OWNED BY\n5\n"},
      {SAVE_OBJECTS, "OWNED BY\n1\n1\n", "OWNED BY\n1\n9999\n"},
      {SAVE_OBJECTS, "OBJECT\n2998\n", "OBJECT\n3000\n"},
      {SAVE_CONTAINERS, "CONTAINER\n999\n", "CONTAINER\n1000\n"},
      {SAVE_CONTAINERS, "CX:\n", "CX:\n51\n"},
      {SAVE_CONTAINERS, "LOCKED\n", ""}};  // a missing key
  for (const auto& r : replacements)
    cases.push_back({std::string(r.from) + "->" + r.to, replaced(r.file, r.from, r.to)});

  for (const auto& [label, texts] : cases) {
    std::string error;
    EXPECT_FALSE(load_save_texts(texts, error)) << label;
    EXPECT_FALSE(error.empty()) << label;
    EXPECT_TRUE(world_is(*before)) << label;
  }
  std::string error;
  // A file that stops right after a whole record is called cut short.
  EXPECT_FALSE(load_save_texts(cases[1].second, error));
  EXPECT_NE(error.find("cut short"), std::string::npos) << error;
  EXPECT_TRUE(load_save_texts(replaced(SAVE_OBJECTS, "WORTH\n0\n", "WORTH\n1000000\n"), error))
      << error;
  EXPECT_TRUE(load_save_texts(good, error)) << error;
  // Line ends after the last level, CR ones too, are forgiven.
  EXPECT_TRUE(load_save_texts(edited(SAVE_MAPTYPE, [](std::string& s) { s += "\r\n"; }), error))
      << error;
}

// A load from the main menu that fails shows the menu again with the world
// as it was; one that works starts play in the loaded world.
TEST_F(SaveTest, MainMenuLoadFailsBackToTheMenuOrPlaysTheLoadedWorld) {
  std::srand(31);
  build_new_world();
  headless.files = {"MENU", "CUT"};
  ASSERT_EQ(text_save_map(2), 0);
  ASSERT_EQ(text_save_map(2), 0);
  auto saved = copy_world();
  write_text("save/CUTunits.sav", read_text("save/CUTunits.sav").substr(0, 500));
  std::srand(30);
  build_new_world();
  auto before = copy_world();
  headless.menu_choices = {2};
  headless.files = {"CUT"};
  init_loop();
  EXPECT_EQ(gameover, GAME_LOAD);
  EXPECT_EQ(headless.getinput_calls, 0);
  EXPECT_TRUE(world_is(*before));
  headless.menu_choices = {2};
  headless.files = {"MENU"};
  init_loop();
  EXPECT_GT(headless.getinput_calls, 0);
  EXPECT_STREQ(unit[1][1].name, saved->unit[1][1].name);
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < 50; x++)
      for (int y = 0; y < 50; y++) ASSERT_EQ(map[z][x][y].terrain, saved->map[z][x][y].terrain);
}

// A record is taken by its place in the file, so a name that reads like a key
// or runs past its field never moves the reader off its lines.
TEST_F(SaveTest, NamesAreDataWhateverTheyHoldAndHowLongTheyAre) {
  std::srand(41);
  build_new_world();
  save_texts t;
  write_save_texts(t);
  std::string leader = std::string("\n") + unit[1][1].name + "\nRACE\n";
  std::size_t at = t[SAVE_UNITS].find(leader);
  ASSERT_NE(at, std::string::npos);
  std::string long_name(300, 'Q');
  t[SAVE_UNITS].replace(at, leader.size(), "\n~PLAYER CPU GLOBALS STATUS" + long_name + "\nRACE\n");
  std::string error;
  ASSERT_TRUE(load_save_texts(t, error)) << error;
  EXPECT_EQ(std::string(unit[1][1].name),
            ("~PLAYER CPU GLOBALS STATUS" + long_name).substr(0, UNIT_NAME_SIZE - 1));
  EXPECT_EQ(unit[1][1].status, UNIT_NORMAL);
}

TEST_F(SaveTest, AnUnfinishedSaveLeavesThePreviousSaveLoadable) {
  std::srand(51);
  build_new_world();
  headless.files = {"TWICE"};
  ASSERT_EQ(text_save_map(2), 0);
  auto first = copy_world();
  std::string units = read_text("save/TWICEunits.sav");

  std::srand(52);
  build_new_world();
  // The units file cannot be written: a folder stands where it would go.
  fs::create_directory("save/TWICE.4.tmp");
  headless.files = {"TWICE"};
  EXPECT_EQ(text_save_map(2), FAIL);
  EXPECT_EQ(headless.messages.back(), "SAVE FAILED!");
  EXPECT_EQ(read_text("save/TWICEunits.sav"), units);
  for (int i = 0; i < 4; i++) EXPECT_FALSE(fs::exists("save/TWICE." + std::to_string(i) + ".tmp"));

  headless.files = {"TWICE"};
  END_TURN = BARREL_EXPLODE = BOUNCED = 1;  // left by the game played before
  ASSERT_EQ(text_load_map(0), 0);
  expect_loaded(*first);
  EXPECT_EQ(END_TURN + BARREL_EXPLODE + BOUNCED, 0);
  EXPECT_TRUE(headless_said("LOADED GAME..."));
}

// The fuzzer's stored saves: the sound ones load, the broken ones are refused.
TEST_F(SaveTest, StoredCorpusSavesLoadOrAreRefusedAsNamed) {
  fs::path corpus = fs::path(GRIM_SOURCE_DIR) / "tests/persistence/corpus";
  ASSERT_TRUE(fs::exists(corpus));
  std::srand(7);  // the world the fuzzer's sound saves come from
  build_new_world();
  save_texts base;
  write_save_texts(base);
  int checked = 0;
  for (const auto& e : fs::directory_iterator(corpus)) {
    std::string text = read_text(e.path().string());
    std::string first = text.substr(0, text.find('\n'));
    int file = -1;
    for (int i = 0; i < SAVE_DATA_FILES; i++)
      if (first == SAVE_SUFFIXES[i]) file = i;
    if (file < 0) continue;
    save_texts t = base;
    t[static_cast<std::size_t>(file)] = text.substr(first.size() + 1);
    std::string error;
    bool sound = e.path().filename().string().rfind("valid_", 0) == 0;
    EXPECT_EQ(load_save_texts(t, error), sound) << e.path().filename() << " " << error;
    checked++;
  }
  EXPECT_GE(checked, 20);
}

TEST_F(SaveTest, ASaveNeverWritesThroughALinkInItsWay) {
  std::srand(71);
  build_new_world();
  write_text("outside.txt", "keep me");
  fs::create_symlink(fs::absolute("outside.txt"), "save/LINK.4.tmp");
  headless.files = {"LINK"};
  ASSERT_EQ(text_save_map(2), 0);
  EXPECT_EQ(read_text("outside.txt"), "keep me");
  EXPECT_FALSE(fs::exists("save/LINK.4.tmp"));
  EXPECT_FALSE(fs::is_symlink("save/LINKunits.sav"));
}

// A world whose every value is in range but that contradicts itself is
// refused with the rule it breaks, and the live world stays as it was; the
// fuzzer's staged trial of a single file agrees with the whole load.
TEST_F(SaveTest, SavesOfWorldsThatBreakTheRulesAreRefused) {
  std::srand(12);
  build_new_world();
  auto generated = copy_world();
  const unit_record& leader = unit[1][1];
  int monster = 1;
  while (unit[2][monster].status == UNIT_FREE) monster++;
  // An empty container, so its marker is all that names it.
  auto holds_nothing = [](int c) {
    for (const object_record& o : object)
      if (o.status != OBJECT_FREE && o.owner_player == OWNER_CONTAINER && o.owner_unit == c)
        return false;
    return true;
  };
  int box = 1;
  while (container[box].state == CONTAINER_FREE || !holds_nothing(box)) box++;
  struct contradiction {
    const char* label;
    std::function<void()> edit;
    const char* rule;
  };
  const contradiction cases[] = {
      {"two units on one square",
       [&] { unit[2][monster].z = leader.z, unit[2][monster].x = leader.x,
             unit[2][monster].y = leader.y; },
       "share"},
      {"the leader in rock", [&] { map[leader.z][leader.x][leader.y].terrain = TERRAIN_ROCK; },
       "stands in rock"},
      {"an object held by a free slot",
       [&] { object[1] = object[2], object[1].status = OBJECT_CARRIED,
             object[1].owner_player = 2, object[1].owner_unit = 449, unit[2][449].status = UNIT_FREE; },
       "a free slot"},
      {"a container marker without its record",
       [&] { container[box].state = CONTAINER_FREE; }, "has no record"},
  };
  save_texts sound;
  write_save_texts(sound);
  std::string error;
  ASSERT_TRUE(stage_sound_save(sound, error)) << error;
  for (const contradiction& c : cases) {
    restore_world(*generated);
    c.edit();
    save_texts broken;
    write_save_texts(broken);
    std::srand(13);
    build_new_world();
    auto before = copy_world();
    error.clear();
    EXPECT_FALSE(load_save_texts(broken, error)) << c.label;
    EXPECT_NE(error.find(c.rule), std::string::npos) << c.label << ": " << error;
    EXPECT_TRUE(world_is(*before)) << c.label;
    for (int i = 0; i < SAVE_DATA_FILES; i++) {
      if (broken[i] == sound[i]) continue;
      EXPECT_FALSE(try_staged_file(i, broken[i], error)) << c.label;
    }
  }
  for (int i = 0; i < SAVE_DATA_FILES; i++) EXPECT_TRUE(try_staged_file(i, sound[i], error)) << i;
}

// A missing data file, or a pipe, a device or a huge file in its place, is
// refused at once with a message naming it; the world is untouched.
TEST_F(SaveTest, DataFilesThatAreNoRegularFilesAreRefusedWithoutWaiting) {
  std::srand(14);
  build_new_world();
  headless.files = {"HOSTILE"};
  ASSERT_EQ(text_save_map(2), 0);
  auto before = copy_world();
  struct hostile {
    const char* file;
    std::function<void(const std::string&)> plant;
    const char* said;
  };
  const hostile cases[] = {
      {"objects.sav", [](const std::string&) {}, "LOAD FAILED: objects.sav is missing"},
      {"units.sav", [](const std::string& p) { mkfifo(p.c_str(), 0644); },
       "LOAD FAILED: units.sav is not a regular file"},
      {"mapenv.sav", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
       "LOAD FAILED: mapenv.sav is not a regular file"},
      {"objects.sav",
       [](const std::string& p) {
         write_text(p, "x");
         fs::resize_file(p, 1ull << 32);  // sparse: costs no disk
       },
       "LOAD FAILED: objects.sav is larger than 16777216 bytes"},
  };
  for (const hostile& h : cases) {
    std::string path = std::string("save/HOSTILE") + h.file;
    std::string kept = read_text(path);
    fs::remove(path);
    h.plant(path);
    headless.files = {"HOSTILE"};
    EXPECT_EQ(text_load_map(0), FAIL) << h.file;
    EXPECT_EQ(headless.messages.back(), h.said);
    EXPECT_TRUE(world_is(*before)) << h.file;
    fs::remove(path);
    write_text(path, kept);
  }
}

}  // namespace
