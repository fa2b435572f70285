#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../core/hand_made_level.h"
#include "creatures/ai/mouse_moves.h"
#include "replay_round_trip.h"
#include "ui/mouse.h"
#include "ui/view_settings.h"

namespace {

constexpr int Z = 2;
constexpr int UX = 10, UY = 10;

using Strings = std::vector<std::string>;
using P = std::pair<int, int>;
using T3 = std::tuple<int, int, int>;

std::vector<std::string> opened;

mouse_screens recorders() {
  mouse_screens s;
  s.box_choice = [](int mode) { opened.push_back("box" + std::to_string(mode)); };
  s.give_item = [](int x, int y, int z) { opened.push_back(testing::PrintToString(T3(x, y, z))); };
  return s;
}

// An open, seen hall 2..20 x 2..20 on level Z and the one above, the leader
// in its middle facing north.
class MouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    reset_view_settings();
    opened.clear();
    for (int z = Z; z <= Z + 1; z++)
      for (int x = 2; x <= 20; x++)
        for (int y = 2; y <= 20; y++) {
          put_terrain(z, x, y, TERRAIN_ROOM_FLOOR, 1);
          map[z][x][y].revealed = 1;
        }
    put_unit(1, 1, Z, UX, UY, NORTH, 200);
    CURRENT_PLAYER = CURRENT_UNIT = 1;
  }

  unit_record& me() { return unit[1][1]; }
  P at() { return {me().x, me().y}; }

  container_record& put_container(int c, int x, int y, int type, int state, const char* name) {
    container_record& k = container[c];
    k = container_record{};
    k.x = x, k.y = y, k.z = Z, k.type = type, k.state = state;
    copy_text(k.name, name);
    map[Z][x][y].scenery = SCENERY_CONTAINER;
    map[Z][x][y].passable = 0;
    return k;
  }
  object_record& lay_item(int k, int x, int y) {
    object_record& o = give_item(k, 0, 0, ITEM_GEM, OBJECT_ON_GROUND);
    o.x = x, o.y = y, o.z = Z;
    std::snprintf(o.name, sizeof o.name, "gem%d", k);
    map[Z][x][y].object_count++;
    return o;
  }
  void wield(int k, const char* name, int range) {
    object_record& w = give_item(k, 1, 1, ITEM_WEAPON, OBJECT_WIELDED);
    copy_text(w.name, name);
    w.range = range;
  }

  static Strings labels(const std::vector<map_row>& rows) {
    Strings out;
    for (const map_row& r : rows) out.push_back(r.label);
    return out;
  }
  static bool offers(const std::vector<map_row>& rows, map_row_kind kind) {
    return std::ranges::any_of(rows, [kind](const map_row& r) { return r.kind == kind; });
  }
  // The menu as the game opens it: the unit turns first.
  std::vector<map_row> menu(int x, int y) {
    face_square(x, y);
    return map_rows(x, y);
  }
};

TEST(MouseMenu, RowsPastTheNinthAreNeverChosenAndItClosesJustPastItsArea) {
  // {lit, rows, pointer below the top, lit after}: rows 10 and 11 clear the
  // highlight (a click there chooses nothing, not the ninth row passed over),
  // as do the title and a missing row; the gap and below the rows keep it.
  const int cases[][4] = {{0, 11, 15, 1}, {0, 11, 95, 9}, {9, 11, 105, 0}, {9, 11, 115, 0},
                          {3, 11, 5, 0},  {3, 11, 40, 3}, {3, 11, 135, 3}, {0, 2, 35, 0}};
  for (const auto& c : cases) EXPECT_EQ(menu_highlight(c[0], 100, c[1], 100 + c[2]), c[3]) << c[2];
  const int reach = 10 * 4 + 23;  // at (50, 100)
  const int around[][3] = {{-3, -3, 1},  {204, reach, 1}, {-4, 10, 0},
                           {205, 10, 0}, {10, -4, 0},     {10, reach + 1, 0}};
  for (const auto& c : around)
    EXPECT_EQ(menu_keeps_open(50, 100, reach, 50 + c[0], 100 + c[1]), c[2] == 1) << c[0] << c[1];
  int left, top;
  menu_origin(300, 200, 200, 130, 800, 600, left, top);
  EXPECT_EQ(P(left, top), P(300, 200));
  menu_origin(750, 560, 200, 130, 800, 600, left, top);
  EXPECT_EQ(P(left, top), P(600, 470));
  EXPECT_TRUE(menu_keeps_open(left, top, 10 * 11 + 23, 750, 560));
}

// At 800 x 600 the centre tile's corner is (384, 288) in the view; its
// bounds themselves are the centre band.
TEST(MouseMainbox, ClicksAreClassedAgainstTheCentreTileAndTurnTheShortWay) {
  reset_view_settings();
  const int cases[][3] = {{300, 200, NORTHWEST}, {500, 200, NORTHEAST}, {300, 400, SOUTHWEST},
                          {500, 400, SOUTHEAST}, {420, 200, NORTH},     {420, 400, SOUTH},
                          {300, 320, WEST},      {500, 320, EAST},      {420, 320, -1},
                          {404, 308, -1},        {444, 348, -1}};
  for (const auto& c : cases) EXPECT_EQ(mainbox_wanted_facing(c[0], c[1]), c[2]) << c[0] << c[1];
  const int turns[][3] = {
      {NORTH, NORTHEAST, +1}, {NORTHEAST, NORTHEAST, 0},  {SOUTH, NORTH, -1},
      {NORTH, SOUTH, +1},     {NORTHEAST, SOUTHWEST, +1}, {SOUTHWEST, NORTHEAST, -1},
      {WEST, NORTHWEST, +1},  {NORTH, NORTHWEST, -1},     {NORTHWEST, NORTH, +1}};
  for (const auto& c : turns) EXPECT_EQ(mainbox_turn(c[0], c[1]), c[2]) << c[0] << "->" << c[1];
}

TEST_F(MouseTest, AClickUpRightTurnsFirstAndThenStepsAndALeftClickTurnsLeft) {
  mainbox_click(500, 200);
  EXPECT_EQ(T3(me().facing, me().moves, UPDATE_MAP), T3(NORTHEAST, 195, 1));
  mainbox_click(500, 200);  // the step and the click's own 3
  EXPECT_EQ(T3(me().facing, me().order, me().moves), T3(NORTHEAST, ORDER_ROUTE, 195 - 10 - 3));
  EXPECT_EQ(P(me().waypoint_x[1], me().waypoint_y[1]), P(UX + 1, UY - 1));
  EXPECT_EQ(T3(me().x, me().y, me().waypoint_index), T3(UX + 1, UY - 1, 1));

  mainbox_click(420, 320);  // the centre band
  EXPECT_EQ(me().moves, 195 - 10 - 3);
  me().facing = NORTH;
  mainbox_click(300, 320);  // west: from north it turns left
  EXPECT_EQ(me().facing, NORTHWEST);
}

class DragTest : public MouseTest {
 protected:
  // The route the path finder leaves: entry 1 the goal, back to the first
  // step, then the end mark.
  void route_east(int steps) {
    unit_record& u = me();
    for (int i = 0; i < WAYPOINTS; i++) u.waypoint_x[i] = u.waypoint_y[i] = 0;
    for (int i = 1; i <= steps; i++) u.waypoint_x[i] = UX + steps + 1 - i, u.waypoint_y[i] = UY;
    u.waypoint_x[steps + 1] = u.waypoint_y[steps + 1] = 999;
    u.waypoint_index = 1;
  }
  // Walks the route whose first step goes in direction d to its end.
  void walk(int d) {
    int end = begin_route_walk(1, 1, d);
    ASSERT_GT(end, 0);
    EXPECT_EQ(me().order, ORDER_ROUTE);
    for (int steps = 0; d != FAIL && steps < 100; steps++) d = route_walk_step(1, 1, d, end);
  }
};

TEST_F(DragTest, OnlyASeenSquareThatCanBeEnteredTakesARouteAndAnAnswerWalksThere) {
  EXPECT_TRUE(drag_target_usable(Z, 12, 12));
  put_terrain(Z, 12, 12, TERRAIN_BUILT_WALL, 0);
  map[Z][13][13].revealed = 0;
  for (P sq : {P(12, 12), P(13, 13), P(-1, 13), P(13, LAND_SIZE)})
    EXPECT_FALSE(drag_target_usable(Z, sq.first, sq.second)) << sq.first << "," << sq.second;
  // The pointer picks the square as the map click does.
  int x, y;
  drag_square(10 + 9 * 48 + 5, 10 + 6 * 48 + 47, x, y);
  EXPECT_EQ(P(x, y), P(UX + 1, UY));
  // An answer walks to its square; a press alone goes nowhere.
  mouse_drag_answer(0);
  EXPECT_EQ(me().x, UX);
  mouse_drag_answer(7 * 3 + 7);  // the fourth row's last square: three east
  EXPECT_EQ(at(), P(UX + 3, UY));
  put_terrain(Z, UX + 3 - 3, UY - 3, TERRAIN_BUILT_WALL, 0);
  mouse_drag_answer(1);  // onto a wall
  EXPECT_EQ(me().x, UX + 3);
}

TEST_F(DragTest, MarksAreRedWhereTheRouteMeetsDangerOrClutter) {
  route_east(5);
  map[Z][12][10].scenery = SCENERY_FIRE;
  lay_item(30, 13, 10);
  map[Z][14][10].revealed = 2;  // seen before, not in sight now
  auto safety = [] {
    std::vector<bool> safe;
    for (const route_mark& m : route_marks()) safe.push_back(m.safe);
    return safe;
  };
  EXPECT_EQ(route_marks()[0].x, 15);
  EXPECT_EQ(safety(), (std::vector<bool>{true, false, false, false, true}));  // no end mark
  map[Z][11][10].scenery = SCENERY_HOLE;
  map[Z][15][10].scenery = SCENERY_QUICKSAND;
  EXPECT_EQ(safety(), (std::vector<bool>{false, false, false, false, false}));
}

TEST_F(DragTest, NoRouteMeansNoWalkAndARouteTurnsThenStepsToTheGoal) {
  route_east(3);
  EXPECT_EQ(begin_route_walk(1, 1, FAIL), 0);
  EXPECT_EQ(begin_route_walk(1, 1, 100), 0);
  route_east(0);  // only the end mark
  EXPECT_EQ(begin_route_walk(1, 1, EAST), 0);
  EXPECT_EQ(P(me().x, me().order), P(UX, 0));
  route_east(3);
  EXPECT_EQ(begin_route_walk(1, 1, EAST), 5);  // the entry after the end mark
  EXPECT_EQ(me().waypoint_index, 3);
  walk(EAST);
  EXPECT_EQ(T3(me().x, me().y, map[Z][UX + 3][UY].occupant_unit), T3(UX + 3, UY, 1));
  EXPECT_EQ(T3(me().facing, me().waypoint_index, me().moves), T3(EAST, 0, 200 - 2 * 5 - 3 * 10));
}

TEST_F(DragTest, TheWalkStopsForAnEnemyPastItsFirstStepsForWantOfMovesOrForAWall) {
  // {what, route length, scene, where the walk stops}
  const std::tuple<const char*, int, void (*)(), int> cases[] = {
      {"enemies beside the first steps and the fourth square", 8,
       [] {
         put_unit(2, 1, Z, UX + 1, UY - 1, SOUTH);
         put_unit(2, 2, Z, UX + 4, UY - 1, SOUTH);
       },
       UX + 3},
      {"moves run out", 5, [] { unit[1][1].moves = 20; }, UX + 2},
      {"a wall raised after the route was planned", 5,
       [] { put_terrain(Z, UX + 4, UY, TERRAIN_BUILT_WALL, 0); }, UX + 3}};
  for (const auto& [what, steps, lay, stop_x] : cases) {
    SCOPED_TRACE(what);
    SetUp();
    route_east(steps);
    me().facing = EAST;
    lay();
    walk(EAST);
    EXPECT_EQ(T3(me().x, me().waypoint_index, map[Z][stop_x][UY].occupant_unit), T3(stop_x, 0, 1));
  }
}

TEST_F(DragTest, ADraggedRouteGoesRoundAWall) {
  for (int y = UY - 1; y <= UY + 1; y++) put_terrain(Z, UX + 2, y, TERRAIN_BUILT_WALL, 0);
  EXPECT_GT(plan_route(1, 1, UX + 2, UY), NORTHWEST);  // onto the wall: no route
  int d = plan_route(1, 1, UX + 4, UY);
  ASSERT_LE(d, NORTHWEST);
  walk(d);
  EXPECT_EQ(at(), P(UX + 4, UY));
}

TEST_F(MouseTest, ADoorNextToTheUnitOffersItsInteractionAndAFarOneOnlyALookThatDescribesIt) {
  put_terrain(Z, UX + 1, UY, TERRAIN_CLOSED_DOOR, 0);
  put_terrain(Z, UX + 2, UY + 2, TERRAIN_CLOSED_DOOR, 0);
  EXPECT_EQ(labels(menu(UX + 1, UY)), (Strings{"EXAMINE TILE", "OPEN DOOR"}));
  EXPECT_EQ(me().facing, EAST);
  int moves = me().moves;
  std::vector<map_row> rows = menu(UX + 2, UY + 2);
  EXPECT_EQ(labels(rows), (Strings{"EXAMINE TILE"}));
  // A square further off has no facing to turn to.
  EXPECT_EQ(P(me().facing, me().moves), P(EAST, moves));
  choose_map_row(rows[0], UX + 2, UY + 2, recorders());
  EXPECT_TRUE(headless_said("This appears to be a closed wooden door."));

  mouse_menu_answer(UX + 1, UY, 3, recorders());  // there are two rows
  EXPECT_EQ(map[Z][UX + 1][UY].terrain, TERRAIN_CLOSED_DOOR);
  mouse_menu_answer(UX + 1, UY, 2, recorders());
  EXPECT_EQ(P(map[Z][UX + 1][UY].terrain, UPDATE_MAP), P(TERRAIN_OPEN_DOOR, 1));
  EXPECT_EQ(labels(menu(UX + 1, UY)), (Strings{"EXAMINE TILE", "CLOSE DOOR"}));
}

TEST_F(MouseTest, ADoorAheadIsStruckFromBesideItAndALockedOneUnlockedOnlyWithAKey) {
  wield(8, "sword", 1);
  put_terrain(Z, UX, UY - 1, TERRAIN_CLOSED_DOOR, 0);
  EXPECT_FALSE(offers(menu(UX, UY), ROW_HIT));
  EXPECT_TRUE(offers(menu(UX, UY - 1), ROW_HIT));
  EXPECT_EQ(hit_meaning(UX, UY - 1), HIT_DOOR);
  object[8] = object_record{};
  map[Z][UX][UY - 1].scenery = SCENERY_CELL_DOOR;
  std::vector<map_row> rows = menu(UX, UY - 1);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(std::pair(rows[1].label, rows[1].kind),
            std::pair(std::string(NO_INTERACTION), ROW_NOTHING));
  give_item(5, 1, 1, ITEM_KEY, OBJECT_CARRIED);
  rows = menu(UX, UY - 1);
  EXPECT_EQ(std::pair(rows[1].label, rows[1].kind),
            std::pair(std::string("UNLOCK DOOR"), ROW_INTERACT));
}

TEST_F(MouseTest, AChestNextToTheUnitOffersOpeningMovingAndBashingAndMovesOnWhenPushed) {
  put_container(3, UX + 1, UY + 1, CONTAINER_SMALL_CHEST, CONTAINER_CLOSED, "small chest").weight =
      20;
  EXPECT_EQ(labels(menu(UX + 1, UY + 1)),
            (Strings{"EXAMINE TILE", "OPEN small chest", "DRAG small chest", "PUSH small chest"}));
  EXPECT_EQ(me().facing, SOUTHEAST);
  wield(8, "sword", 1);
  EXPECT_EQ(labels(menu(UX + 1, UY + 1)),
            (Strings{"EXAMINE TILE", "OPEN small chest", "HIT WITH WEAPON", "DRAG small chest",
                     "PUSH small chest"}));
  EXPECT_EQ(hit_meaning(UX + 1, UY + 1), HIT_CONTAINER);
  // Pushed, it moves on and the unit follows.
  choose_map_row(menu(UX + 1, UY + 1).back(), UX + 1, UY + 1, recorders());
  EXPECT_EQ(T3(container[3].x, container[3].y, me().y), T3(UX + 2, UY + 2, UY + 1));
}

TEST_F(MouseTest, AnOpenChestWithItsContentsOutOffersTakingAndClosing) {
  put_container(3, UX + 1, UY, CONTAINER_LARGE_CHEST, CONTAINER_OPEN, "large chest");
  lay_item(40, UX + 1, UY);
  lay_item(41, UX + 1, UY);
  std::vector<map_row> rows = menu(UX + 1, UY);
  EXPECT_EQ(labels(rows), (Strings{"TAKE FROM large chest", "EXAMINE OBJECT", "EXAMINE TILE",
                                   "SEARCH large chest", "CLOSE large chest", "DRAG large chest",
                                   "PUSH large chest"}));
  EXPECT_TRUE(rows[1].plural);
  EXPECT_EQ(take_mode(UX + 1, UY), 11);
  choose_map_row(rows[0], UX + 1, UY, recorders());
  EXPECT_EQ(opened, Strings{"box11"});
  // The list takes from the chest ahead, never from underfoot.
  lay_item(42, UX, UY);
  ASSERT_EQ(box_candidates(11), (std::vector<int>{40, 41}));
  box_act(11, 40);
  EXPECT_EQ(T3(object[40].owner_unit, object[40].status, object[42].status),
            T3(1, OBJECT_CARRIED, OBJECT_ON_GROUND));
}

TEST_F(MouseTest, AChestAcrossTheRoomIsOnlyLookedAtAndABarrelLitOnlyWithALitTorch) {
  put_container(3, UX + 4, UY, CONTAINER_SMALL_CHEST, CONTAINER_OPEN, "small chest");
  lay_item(40, UX + 4, UY);
  wield(8, "sword", 1);
  // Taking, closing, pushing and dragging all act on the square in front.
  std::vector<map_row> rows = menu(UX + 4, UY);
  EXPECT_EQ(labels(rows), (Strings{"EXAMINE OBJECT", "EXAMINE TILE"}));
  choose_map_row(rows[0], UX + 4, UY, recorders());
  EXPECT_TRUE(headless_said("There appears to be gem40, ."));
  put_container(3, UX - 1, UY, CONTAINER_BARREL, CONTAINER_POWDER, "gunpowder barrel");
  EXPECT_EQ(interaction_label(UX - 1, UY), NO_INTERACTION);
  give_item(6, 1, 1, ITEM_TORCH, OBJECT_LIT);
  EXPECT_EQ(interaction_label(UX - 1, UY), "LIGHT BARREL");
}

TEST_F(MouseTest, AnEnemyIsStruckCloseUpWithAHandWeaponAndFromAfarWithARangedOne) {
  put_unit(2, 4, Z, UX, UY - 1, SOUTH);
  put_unit(3, 5, Z, UX + 5, UY + 5, SOUTH);
  EXPECT_FALSE(offers(menu(UX, UY - 1), ROW_HIT));  // bare hands, no light
  wield(8, "sword", 1);
  EXPECT_EQ(labels(menu(UX, UY - 1)), (Strings{"HIT WITH WEAPON"}));
  EXPECT_EQ(hit_meaning(UX, UY - 1), HIT_UNIT);
  EXPECT_FALSE(offers(menu(UX + 5, UY + 5), ROW_HIT));

  wield(8, "longbow", 6);
  EXPECT_TRUE(offers(menu(UX, UY - 1), ROW_HIT));  // a shot at any distance
  EXPECT_TRUE(offers(menu(UX + 5, UY + 5), ROW_HIT));
  EXPECT_EQ(hit_meaning(UX + 5, UY + 5), HIT_UNIT);
  me().moves = 15;
  EXPECT_FALSE(offers(menu(UX + 5, UY + 5), ROW_HIT));
}

TEST_F(MouseTest, AFriendNextToTheUnitIsGivenToAndNeverStruck) {
  put_unit(1, 2, Z, UX - 1, UY - 1, SOUTH);
  wield(8, "sword", 1);
  std::vector<map_row> rows = menu(UX - 1, UY - 1);
  EXPECT_EQ(labels(rows), (Strings{"GIVE ITEM TO"}));
  EXPECT_EQ(hit_meaning(UX - 1, UY - 1), HIT_NOTHING);
  choose_map_row(rows[0], UX - 1, UY - 1, recorders());
  EXPECT_EQ(opened, Strings{testing::PrintToString(T3(UX - 1, UY - 1, Z))});
  put_unit(1, 3, Z, UX + 3, UY, SOUTH);
  EXPECT_TRUE(menu(UX + 3, UY).empty());
}

TEST_F(MouseTest, RockIsMinedOnlyWithAPickaxeOrShovel) {
  put_terrain(Z, UX, UY - 1, TERRAIN_EARTH, 0);
  wield(8, "sword", 1);
  EXPECT_FALSE(offers(menu(UX, UY - 1), ROW_HIT));
  wield(8, "rusty pickaxe", 1);
  std::vector<map_row> rows = menu(UX, UY - 1);
  ASSERT_TRUE(offers(rows, ROW_HIT));
  EXPECT_EQ(rows.back().label, "MINE ROCKFACE");
  // Mining earth digs it: the blow is never a fight with nobody.
  EXPECT_EQ(hit_meaning(UX, UY - 1), HIT_RUBBLE);
  me().strength = 60;
  wield(8, "shovel", 1);
  choose_map_row(menu(UX, UY - 1).back(), UX, UY - 1, recorders());
  EXPECT_EQ(T3(map[Z][UX][UY - 1].terrain, map[Z][UX][UY - 1].passable, me().moves),
            T3(TERRAIN_PASSAGE_FLOOR, 1, 0));

  put_terrain(Z, UX, UY - 1, TERRAIN_ROOM_FLOOR, 1);
  map[Z][UX][UY - 1].scenery = SCENERY_CRYSTAL;
  wield(8, "sword", 1);
  EXPECT_EQ(menu(UX, UY - 1).back().label, "HIT WITH WEAPON");
  EXPECT_EQ(hit_meaning(UX, UY - 1), HIT_CRYSTAL);
}

TEST_F(MouseTest, TheOwnSquareOffersTakingJumpingAndSearching) {
  lay_item(40, UX, UY);
  lay_item(41, UX, UY);
  std::vector<map_row> rows = menu(UX, UY);
  EXPECT_EQ(labels(rows),
            (Strings{"TAKE OBJECT", "EXAMINE OBJECT", "JUMP", "SEARCH FOR TRAPS", "TAKE ALL"}));
  EXPECT_EQ(me().facing, NORTH);
  choose_map_row(rows[0], UX, UY, recorders());
  EXPECT_EQ(opened, Strings{"box1"});

  // Taking all needs room in the hands and 25 moves an item.
  for (int k = 50; k < 56; k++) give_item(k, 1, 1, ITEM_GEM, OBJECT_CARRIED);
  EXPECT_FALSE(offers(menu(UX, UY), ROW_TAKE_ALL));
  for (int k = 50; k < 56; k++) object[k] = object_record{};
  me().moves = 50;
  EXPECT_FALSE(offers(menu(UX, UY), ROW_TAKE_ALL));
  me().moves = 20;
  EXPECT_FALSE(offers(menu(UX, UY), ROW_SEARCH_TRAPS));
  // A wall two squares ahead leaves no room to jump.
  put_terrain(Z, UX, UY - 2, TERRAIN_BUILT_WALL, 0);
  EXPECT_FALSE(offers(menu(UX, UY), ROW_JUMP));
  me().moves = 200;
  rows = menu(UX, UY);
  ASSERT_EQ(rows.back().kind, ROW_TAKE_ALL);
  choose_map_row(rows.back(), UX, UY, recorders());
  EXPECT_EQ(P(object[40].owner_unit, object[41].owner_unit), P(1, 1));
  EXPECT_EQ(map[Z][UX][UY].object_count, 0);
}

TEST_F(MouseTest, AHiddenTrapBesideTheUnitOffersNothing) {
  map[Z][UX + 1][UY].scenery = SCENERY_HIDDEN_TRAP;
  EXPECT_TRUE(menu(UX + 1, UY).empty());
  map[Z][UX + 1][UY].scenery = SCENERY_KNOWN_TRAP;
  EXPECT_EQ(labels(menu(UX + 1, UY)), (Strings{"EXAMINE TILE", NO_INTERACTION}));
}

TEST_F(MouseTest, TheRopeClimbsBackUpAHoleOntoTheSquareAbove) {
  map[Z + 1][UX][UY].scenery = SCENERY_HOLE;
  EXPECT_FALSE(offers(menu(UX, UY), ROW_CLIMB_ROPE));
  give_item(7, 1, 1, ITEM_ROPE, OBJECT_CARRIED);
  me().moves = me().movement - 21;
  EXPECT_FALSE(offers(menu(UX, UY), ROW_CLIMB_ROPE));
  me().moves = me().movement - 20;
  std::vector<map_row> rows = menu(UX, UY);
  ASSERT_TRUE(offers(rows, ROW_CLIMB_ROPE));

  put_unit(2, 9, Z + 1, UX, UY, SOUTH);
  choose_map_row(rows.back(), UX, UY, recorders());
  EXPECT_TRUE(headless_said("Someone or thing is blocking the way back up!"));
  EXPECT_EQ(me().z, Z);

  remove_unit(2, 9);
  map[Z + 1][UX][UY].passable = 1;
  choose_map_row(rows.back(), UX, UY, recorders());
  EXPECT_TRUE(headless_said("You use your rope to climb back up the hole..."));
  EXPECT_EQ(T3(me().z, map[Z][UX][UY].occupant_unit, map[Z][UX][UY].passable), T3(Z + 1, 0, 1));
  // Standing above, where others can see it is in the way.
  const map_cell& above = map[Z + 1][UX][UY];
  EXPECT_EQ(T3(above.occupant_player, above.occupant_unit, above.passable), T3(1, 1, 0));
}

TEST_F(MouseTest, EachFeatureNamesItsInteraction) {
  const int x = UX + 1, y = UY - 1;
  // With nothing in hand, with an unlit torch and with a lit one.
  auto names = [&](int scenery, const char* bare, const char* torch, const char* lit) {
    SCOPED_TRACE(scenery);
    map[Z][x][y].scenery = scenery;
    object[6] = object_record{};
    face_square(x, y);
    EXPECT_EQ(interaction_label(x, y), bare);
    give_item(6, 1, 1, ITEM_TORCH, OBJECT_CARRIED);
    EXPECT_EQ(interaction_label(x, y), torch);
    object[6].status = OBJECT_LIT;
    EXPECT_EQ(interaction_label(x, y), lit);
  };
  const std::pair<int, const char*> whatever_the_light[] = {
      {SCENERY_CRYPT, "OPEN CRYPT"},
      {SCENERY_OPEN_CRYPT, "SEARCH CRYPT"},
      {SCENERY_SEARCHED_CRYPT, "SEARCH CRYPT"},
      {SCENERY_MUSHROOMS, "PICK MUSHROOMS"},
      {SCENERY_HERBS, "PICK HERBS"},
      {SCENERY_LADDER_DOWN, "CLIMB DOWN"},
      {SCENERY_TRAPDOOR, "CLIMB DOWN"},
      {SCENERY_LADDER_UP, "CLIMB UP"},
      {SCENERY_STATUE, "TOUCH STATUE"},
      {SCENERY_POOL, "DRINK FROM POOL"},
      {SCENERY_SWITCH_A, "PULL SWITCH"},
      {SCENERY_SWITCH_B, "PUSH SWITCH"},
      {SCENERY_WELL, NO_INTERACTION}};
  for (const auto& [scenery, label] : whatever_the_light) names(scenery, label, label, label);
  names(SCENERY_WEB, NO_INTERACTION, NO_INTERACTION, "BURN WEB");
  names(SCENERY_FIRE, NO_INTERACTION, "LIGHT TORCH", NO_INTERACTION);
  names(SCENERY_NEST, NO_INTERACTION, NO_INTERACTION, "BURN NEST");
  names(SCENERY_OIL, NO_INTERACTION, NO_INTERACTION, "LIGHT OIL PATCH");
  // Burning needs the web to be the square ahead.
  map[Z][x][y].scenery = SCENERY_WEB;
  me().facing = SOUTH;
  EXPECT_EQ(interaction_label(x, y), NO_INTERACTION);
}

TEST_F(MouseTest, WaterAndLavaOfferDrinkingAndLighting) {
  environment[Z][UX + 1][UY].water = 1;
  EXPECT_EQ(labels(menu(UX + 1, UY)), (Strings{"DRINK FROM WATER"}));
  environment[Z][UX - 1][UY].lava = 1;
  EXPECT_TRUE(menu(UX - 1, UY).empty());
  give_item(6, 1, 1, ITEM_TORCH, OBJECT_CARRIED);
  EXPECT_EQ(labels(menu(UX - 1, UY)), (Strings{"LIGHT TORCH"}));
}

TEST_F(MouseTest, ObjectListsTakeWhatEachActionCanUse) {
  give_item(10, 1, 1, ITEM_WEAPON, OBJECT_WIELDED);
  give_item(11, 1, 1, ITEM_WEAPON, OBJECT_CARRIED);
  give_item(12, 1, 1, ITEM_WEARABLE, OBJECT_WORN);
  give_item(13, 1, 1, ITEM_WEARABLE, OBJECT_CARRIED);
  give_item(14, 1, 1, ITEM_FOOD, OBJECT_PACKED);
  give_item(16, 1, 1, ITEM_WEARABLE, OBJECT_WORN);
  give_item(20, 1, 2, ITEM_WEAPON, OBJECT_CARRIED);  // someone else's
  lay_item(30, UX, UY);
  lay_item(31, UX, UY - 1);
  const std::pair<int, std::vector<int>> cases[] = {{0, {10}}, {1, {30}},  {2, {10, 11, 13}},
                                                    {3, {13}}, {4, {12}},  {6, {}},
                                                    {7, {11}}, {8, {}},  // no backpack
                                                    {9, {14}}, {11, {31}}, {12, {11, 13}}};
  for (const auto& [mode, want] : cases) EXPECT_EQ(box_candidates(mode), want) << mode;
  // Dropping counts the packed and worn items too, so it asks first.
  EXPECT_EQ(P(box_count(2), box_count(1)), P(6, 1));
}

TEST_F(MouseTest, ListAnswersActOnlyOnRowsTheListCouldChoose) {
  for (int k = 40; k < 52; k++) lay_item(k, UX, UY);
  mouse_list_answer(1, 10);  // the tenth row cannot be chosen
  EXPECT_EQ(object[49].status, OBJECT_ON_GROUND);
  mouse_list_answer(1, 9);
  EXPECT_EQ(object[48].status, OBJECT_CARRIED);
}

TEST(MouseReplay, StepsAndWalksByMouseReplayToTheSameWorld) {
  static int d, end, tx, ty;
  d = FAIL, end = 0, tx = ty = -1;
  auto queue = [] {
    // Out of the start's corner south-east, then a route to the first square
    // a few steps off that has one.
    headless.inputs.push_back([] { mainbox_click(500, 400); });
    headless.inputs.push_back([] { mainbox_click(500, 400); });
    headless.inputs.push_back([] {
      const int offsets[][2] = {{3, 0}, {0, 3}, {3, 3}, {-3, 3}, {2, 0}, {0, 2}, {2, 2}, {-2, 2}};
      for (const auto& o : offsets) {
        tx = unit[1][1].x + o[0], ty = unit[1][1].y + o[1];
        d = plan_route(1, 1, tx, ty);
        if (d <= NORTHWEST) break;
      }
      end = d <= NORTHWEST ? begin_route_walk(1, 1, d) : 0;
    });
    for (int i = 0; i < 16; i++)
      headless.inputs.push_back([] {
        if (end > 0 && d != FAIL) d = route_walk_step(1, 1, d, end);
      });
  };
  expect_replay_ends_alike(1, queue, [] {
    EXPECT_GT(end, 0);
    EXPECT_EQ(P(unit[1][1].x, unit[1][1].y), P(tx, ty));
  });
}

}  // namespace
