#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "creatures/ai/ai.h"
#include "creatures/neighbours.h"
#include "creatures/sight.h"
#include "tests/core/hand_made_level.h"

namespace {

constexpr int Z = 1;

class ComputerTurnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    put_unit(1, 1, Z, 40, 40, NORTH);  // the party leader, the acting unit
  }

  static unit_record& creature(int u, int x, int y, int facing, int order, int movement = 60) {
    unit_record& c = put_unit(2, u, Z, x, y, facing, movement);
    c.moves = 0;  // the turn hands out the moves
    c.order = order;
    c.level = 1;
    c.sight = 8;
    c.waypoint_x[WAYPOINT_TARGET] = 1;
    c.waypoint_y[WAYPOINT_TARGET] = 1;
    c.waypoint_index = WAYPOINT_POSITION;
    c.waypoint_x[WAYPOINT_POSITION] = x;
    c.waypoint_y[WAYPOINT_POSITION] = y;
    return c;
  }

  // A creature walking its route from (x, y) to (tx, ty) and back.
  static unit_record& walker(int u, int x, int y, int tx, int ty, int movement = 60) {
    unit_record& c = creature(u, x, y, EAST, ORDER_ROUTE, movement);
    c.waypoint_index = 1;
    c.waypoint_x[1] = tx, c.waypoint_y[1] = ty;
    c.waypoint_x[2] = 999;
    return c;
  }

  static void leader_to(int z, int x, int y) { move_unit(1, 1, z, x, y); }
};

bool somebody_hit() {
  for (const std::string& m : headless.messages)
    if (m.find(" hits ") != std::string::npos) return true;
  return false;
}

TEST_F(ComputerTurnTest, AGuardSeesOnlyAtTheInnerPointsOfItsRays) {
  // Rows 19, 17, 16, 15 and 13 are looked at on the middle ray of sight 8,
  // never its end.  Once awake it attacks (and seeks when it loses sight
  // again); else it holds its ground.
  for (auto [row, seen] : {std::pair{17, true}, {18, false}, {12, false}}) {
    fresh_world();
    put_unit(1, 1, Z, 20, row, SOUTH);
    unit_record& g = creature(1, 20, 20, NORTH, ORDER_GUARD);
    EXPECT_EQ(single_ray(20, 20, Z, 20, 12), seen ? 5 + 1 : RAY_CLEAR) << row;  // 5 + the unit seen
    EXPECT_EQ(sees_party(2, 1), seen ? 1 : 0) << row;
    otherplayermove();
    EXPECT_EQ(g.order != ORDER_GUARD, seen) << row;
    EXPECT_EQ(g.y < 20, seen) << row;
    EXPECT_EQ(g.x, 20) << row;
  }
}

TEST_F(ComputerTurnTest, AGuardBesideThePartyWakesButStrikesOnlyNextTurn) {
  leader_to(Z, 10, 9);
  unit_record& g = creature(1, 10, 10, NORTH, ORDER_GUARD);
  unit_record& w = walker(2, 30, 30, 35, 30);
  otherplayermove();
  EXPECT_EQ(g.order, ORDER_ATTACK);
  EXPECT_FALSE(somebody_hit());
  EXPECT_EQ(w.x, 30);  // no further unit of its player acted
  EXPECT_EQ(w.moves, 0);

  otherplayermove();
  EXPECT_TRUE(headless_said("Unit1 hits Unit1"));
  EXPECT_EQ((std::vector<int>{g.facing, g.moves, g.waypoint_x[WAYPOINT_TARGET],
                              g.waypoint_y[WAYPOINT_TARGET]}),
            (std::vector<int>{NORTH, 0, 1, 1}));
  EXPECT_GT(w.x, 30);  // this time the rest of the player moved
}

// A target cleared by seeking or fleeing, or naming a free slot, one of the
// creature's own side or a party member who has left, is as good as none.
TEST_F(ComputerTurnTest, AnAttackerWithoutALiveTargetHuntsTheActingUnit) {
  for (auto [tp, tu] : {std::pair{999, 1}, {1, 37}, {2, 3}, {1, 4}}) {
    SCOPED_TRACE(testing::Message() << tp << "," << tu);
    SetUp();
    leader_to(Z, 10, 5);
    put_unit(1, 4, Z, 30, 30, NORTH).status = UNIT_GONE;
    creature(3, 30, 40, NORTH, ORDER_IDLE);
    unit_record& a = creature(2, 10, 10, NORTH, ORDER_ATTACK, 120);
    a.waypoint_x[WAYPOINT_TARGET] = tp, a.waypoint_y[WAYPOINT_TARGET] = tu;
    otherplayermove();
    // Closed in beside the leader, whom it now hunts.
    EXPECT_EQ(
        (std::vector<int>{a.waypoint_x[WAYPOINT_TARGET], a.waypoint_y[WAYPOINT_TARGET], a.x, a.y}),
        (std::vector<int>{1, 1, 10, 6}));
    EXPECT_FALSE(somebody_hit());
    otherplayermove();
    EXPECT_TRUE(somebody_hit());
  }
  // A live target is kept though another party member is the one acting.
  SetUp();
  leader_to(Z, 10, 5);
  put_unit(1, 2, Z, 14, 10, NORTH);
  CURRENT_UNIT = 2;
  unit_record& a = creature(2, 10, 10, NORTH, ORDER_ATTACK, 120);
  otherplayermove();
  EXPECT_EQ((std::vector<int>{a.waypoint_y[WAYPOINT_TARGET], a.x, a.y}),
            (std::vector<int>{1, 10, 6}));
}

TEST_F(ComputerTurnTest, AnAttackerThatLosesSightOfItsTargetStartsSeeking) {
  leader_to(Z, 40, 40);
  unit_record& a = creature(2, 10, 10, NORTH, ORDER_ATTACK);
  otherplayermove();
  EXPECT_EQ((std::vector<int>{a.order, a.waypoint_index, a.waypoint_x[WAYPOINT_POSITION],
                              a.waypoint_y[WAYPOINT_POSITION]}),
            (std::vector<int>{ORDER_SEEK, WAYPOINT_POSITION, 40, 40}));
}

// A seeker on another level makes for the ladder towards the party and
// climbs it when clever enough; else, or with no such ladder, it wanders.
TEST_F(ComputerTurnTest, ACleverSeekerOnAnotherLevelMakesForTheLadderAndClimbsIt) {
  for (auto [wits, ladder] : {std::pair{25, true}, {24, true}, {30, false}}) {
    SCOPED_TRACE(testing::Message() << wits << " " << ladder);
    SetUp();
    unit_record& s = creature(2, 10, 10, EAST, ORDER_SEEK, 100);
    move_unit(2, 2, Z + 1, 10, 10);
    s.intelligence = wits;
    if (ladder) map[Z + 1][14][10].scenery = SCENERY_LADDER_DOWN;
    map[Z + 1][30][30].scenery = SCENERY_LADDER_UP;  // leads away from the party
    otherplayermove();
    const bool climbs = wits >= 25 && ladder;
    EXPECT_EQ((std::vector<int>{s.z, s.x, s.y}),
              (climbs ? std::vector<int>{Z, 14, 10} : std::vector<int>{Z + 1, s.x, s.y}));
    EXPECT_EQ(map[Z][14][10].occupant_unit, climbs ? 2 : 0);
    EXPECT_EQ(map[Z + 1][14][10].occupant_player, 0);
    EXPECT_LT(s.moves, 1);
  }
}

// A fugitive runs straight from the acting unit (south-east of it along the
// diagonal, due east of it due east) while the leader is within half as far
// again as it sees; with the leader far behind or on another level it
// wanders, and on another level its player stops there.
TEST_F(ComputerTurnTest, AFugitiveRunsFromTheActingUnitUntilItIsFarBehind) {
  const struct {
    int leader_x, leader_y, z, x, health, movement, order;  // z, x: the fugitive's
  } cases[] = {{18, 18, Z, 20, 5, 60, ORDER_FLEE},
               {18, 20, Z, 20, 5, 60, ORDER_FLEE},
               {20, 20, Z, 22, 10, 40, ORDER_FLEE},
               {2, 2, Z, 30, 10, 60, ORDER_WANDER},
               {20, 20, Z + 1, 20, 20, 60, ORDER_WANDER}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.leader_x << "," << c.leader_y << " " << c.z);
    SetUp();
    leader_to(Z, c.leader_x, c.leader_y);
    unit_record& f = creature(2, c.x, c.x, NORTH, ORDER_FLEE, c.movement);
    move_unit(2, 2, c.z, c.x, c.x);
    f.health = c.health;
    unit_record& w = walker(3, 30, 40, 35, 40);
    otherplayermove();
    EXPECT_EQ(f.order, c.order);
    EXPECT_EQ(w.x == 30, c.z != Z);
    if (c.order == ORDER_FLEE) {
      EXPECT_GT(f.x, c.x + 1);
      EXPECT_LE(f.x - c.leader_x, 12);
      EXPECT_EQ(f.y - c.x, (c.x - c.leader_y) / 2 * (f.x - c.x));
    }
  }
}

TEST_F(ComputerTurnTest, ARouteIsWalkedInTurnAndStartsAgain) {
  unit_record& r = walker(2, 10, 10, 13, 10, 30);
  r.waypoint_x[2] = 13, r.waypoint_y[2] = 13;
  r.waypoint_x[3] = 999;
  // Turning costs nothing: three steps south on the second turn; the third
  // starts the list again after its last slot.
  for (const std::vector<int>& want : {std::vector{13, 10, 2}, {13, 13, 1}, {13, 10, 2}}) {
    otherplayermove();
    EXPECT_EQ((std::vector<int>{r.x, r.y, r.waypoint_index}), want);
  }
}

TEST_F(ComputerTurnTest, EveryPassCostsMovesSoARouteGoingNowhereStillEnds) {
  unit_record& r = creature(2, 10, 10, EAST, ORDER_ROUTE, 5000);
  r.waypoint_index = 1;
  for (int i = 1; i <= 4; i++) r.waypoint_x[i] = 10, r.waypoint_y[i] = 10;
  r.waypoint_x[5] = 999;
  otherplayermove();
  EXPECT_LT(r.moves, 1);
  EXPECT_EQ(r.x, 10);

  // A route index past the end of the list is started afresh.
  r.waypoint_index = 77;
  otherplayermove();
  EXPECT_LT(r.moves, 1);
}

// Knocked out or poisoned, a creature still acts, as does one in the last
// slot; with the leader dead none moves.
TEST_F(ComputerTurnTest, WhoActsInTheCreaturesTurn) {
  const struct {
    int u, status;
    bool leader_dead, moves;
  } cases[] = {{2, UNIT_UNCONSCIOUS, false, true},
               {2, UNIT_POISONED, false, true},
               {UNIT_MAX, UNIT_NORMAL, false, true},
               {2, UNIT_NORMAL, true, false}};
  for (const auto& c : cases) {
    SetUp();
    unit_record& r = walker(c.u, 10, 10, 20, 10);
    r.status = c.status;
    if (c.leader_dead) remove_unit(1, 1), unit[1][1].status = UNIT_FREE;
    otherplayermove();
    EXPECT_EQ(r.x > 12, c.moves) << c.u << " " << c.status;
  }
}

TEST_F(ComputerTurnTest, AWandererBumpingIntoThePartyTurnsOnWhoeverItMet) {
  // Walled into a corridor running east to the party member.
  for (int x = 9; x <= 16; x++)
    put_terrain(Z, x, 9, TERRAIN_ROCK), put_terrain(Z, x, 11, TERRAIN_ROCK);
  put_terrain(Z, 9, 10, TERRAIN_ROCK);
  put_unit(1, 4, Z, 14, 10, WEST);
  unit_record& w = creature(2, 10, 10, EAST, ORDER_WANDER);
  otherplayermove();
  EXPECT_EQ(
      (std::vector<int>{w.order, w.waypoint_x[WAYPOINT_TARGET], w.waypoint_y[WAYPOINT_TARGET]}),
      (std::vector<int>{ORDER_ATTACK, 1, 4}));
}

TEST_F(ComputerTurnTest, SpidersSpinWebsOnlyOnOpenFloorInFrontOfAnyWall) {
  int webs = 0;
  for (unsigned seed = 1; seed <= 400; seed++) {
    fresh_world(seed);
    put_unit(1, 1, Z, 40, 40, NORTH);
    unit_record& s = creature(1, 20, 20, NORTH, ORDER_GUARD, 0);
    s.race = 5;
    for (int y = 15; y <= 25; y++) put_terrain(Z, 21, y, TERRAIN_ROCK);  // never seen
    put_terrain(Z, 18, 18, TERRAIN_BUILT_WALL);
    map[Z][19][21].scenery = SCENERY_STATUE;
    otherplayermove();
    for (int x = 15; x <= 25; x++)
      for (int y = 15; y <= 25; y++) {
        if (map[Z][x][y].scenery != SCENERY_WEB) continue;
        webs++;
        EXPECT_LT(x, 21) << "behind or on the wall, seed " << seed;
        EXPECT_EQ(map[Z][x][y].terrain, TERRAIN_STONE_FLOOR) << seed;
        EXPECT_GE(x, 17);
        EXPECT_GE(y, 17);
        EXPECT_LE(y, 22);
      }
    EXPECT_EQ(map[Z][19][21].scenery, SCENERY_STATUE);
  }
  EXPECT_GT(webs, 40);  // about one pass in four, less the refused squares
}

TEST_F(ComputerTurnTest, ACreatureInViewIsRedrawnAsItMoves) {
  walker(2, 38, 40, 38, 44);
  for (int x = 30; x < 50; x++)
    for (int y = 30; y < 50; y++) map[Z][x][y].revealed = 1;
  int draws = headless.drawmap_calls;
  otherplayermove();
  EXPECT_GT(headless.drawmap_calls, draws);
}

TEST_F(ComputerTurnTest, EachFacingLooksAlongItsOwnThreeRays) {
  const int seen[8][3] = {{10, 1, -48}, {13, 57, -53}, {10, 48, 1},  {15, 62, 62},
                          {10, 1, 48},  {13, -53, 57}, {10, -48, 1}, {13, -56, -56}};
  for (int f = NORTH; f <= NORTHWEST; f++) {
    creature(1, 20, 20, f, ORDER_GUARD);
    int n = 0, sum_dx = 0, sum_dy = 0;
    for (int x = 10; x <= 30; x++)
      for (int y = 10; y <= 30; y++) {
        if (map[Z][x][y].occupant_player != 0) continue;
        leader_to(Z, x, y);
        if (sees_party(2, 1)) n++, sum_dx += x - 20, sum_dy += y - 20;
      }
    EXPECT_EQ((std::vector<int>{n, sum_dx, sum_dy}),
              (std::vector<int>{seen[f][0], seen[f][1], seen[f][2]}))
        << "facing " << f;
    remove_unit(2, 1);
  }
}

}  // namespace
