#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "creatures/combat.h"
#include "creatures/monsters.h"
#include "tests/core/hand_made_level.h"
#include "tests/scratch_folder.h"
#include "tests/seeded_draws.h"

namespace {

constexpr int Z = 2;
constexpr int HERO = 1;     // player 1, unit 1: the acting party member
constexpr int MONSTER = 1;  // player 2, unit 1

using draws = std::vector<int>;

int roll(const draws& d, int i) { return d[i] % 100 + 1; }
bool in(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Seeds the generator with the first seed whose draws suit the attack, and
// answers those draws.
draws seed_where(const std::function<bool(const draws&)>& wanted, int n = 8) {
  for (unsigned s = 1; s < 5000000; s++) {
    draws d = draws_for(s, n);  // leaves s seeded
    if (wanted(d)) return d;
  }
  ADD_FAILURE() << "no seed gives the draws wanted";
  return draws(n, 0);
}

// The draws of a tired attacker's blow, which draws nothing for freshness:
// hit (0: any hit of 50 or more), effect, blow, location, critical.
struct blow {
  int hit = 0, effect_lo = 1, effect_hi = 100;
  int blow_over = -1, damage = 1;  // damage: the attacker's, for the blow draw
  int location_lo = 1, location_hi = 100, critical_lo = 1, critical_hi = 99;
  bool operator()(const draws& d) const {
    if (hit ? roll(d, 0) != hit : roll(d, 0) < 50) return false;
    if (blow_over != -1 && d[2] % damage != blow_over) return false;
    return in(roll(d, 1), effect_lo, effect_hi) && in(roll(d, 3), location_lo, location_hi) &&
           in(roll(d, 4), critical_lo, critical_hi);
  }
};
// A plain blow on the body, no critical; of 9 from the hero's damage 5 when
// the blow draw is pinned.
constexpr blow body{.location_lo = 31, .location_hi = 70, .critical_hi = 89};
constexpr blow body_9{
    .blow_over = 4, .damage = 5, .location_lo = 31, .location_hi = 70, .critical_hi = 89};
// A blow of 9, as that one, with no fumble and landing where asked.
constexpr blow blow_9(int location_lo, int location_hi, int critical_lo, int critical_hi) {
  blow b = body_9;
  b.effect_hi = 60;
  b.location_lo = location_lo, b.location_hi = location_hi;
  b.critical_lo = critical_lo, b.critical_hi = critical_hi;
  return b;
}

class CombatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    CURRENT_PLAYER = 1;
    CURRENT_UNIT = HERO;
    hero().race = RACE_HUMAN;
  }

  // The hero at (10, 10), damage 5, and a goblin on the square east of it,
  // facing away from each other so no blow counts as from behind.
  unit_record& hero() {
    if (unit[1][HERO].status == UNIT_FREE) {
      unit_record& h = put_unit(1, HERO, Z, 10, 10, NORTH, 10);
      copy_text(h.name, "Hero");
      h.damage = 5;
      h.moves = 0;
    }
    return unit[1][HERO];
  }
  unit_record& goblin(int x = 11, int y = 10, int facing = EAST) {
    unit_record& g = put_unit(2, MONSTER, Z, x, y, facing, 10);
    copy_text(g.name, "Goblin");
    g.race = RACE_GOBLIN;
    g.damage = 5;
    g.moves = 0;
    return g;
  }
  // The goblin beside the hero facing north-west (not from behind), health 40.
  unit_record& target(int x = 11) {
    unit_record& g = goblin(x, 10, NORTHWEST);
    g.health = 40;
    return g;
  }
  void hero_strikes() { combat(2, MONSTER, 1, HERO); }
  void goblin_strikes() { combat(1, HERO, 2, MONSTER); }
};

TEST_F(CombatTest, TheAttackLineIsDrawnOnlyWhenThePartyFights) {
  hero();
  goblin();
  put_unit(3, 1, Z, 20, 20, NORTH).race = RACE_RAT;
  put_unit(2, 2, Z, 20, 21, NORTH);
  static std::vector<std::vector<int>> lines;
  lines.clear();
  front_end recording = headless_front_end;
  recording.draw_zapline = [](int x1, int y1, int x2, int y2) {
    lines.push_back({x1, y1, x2, y2});
  };
  select_frontend(&recording);
  seed_where(blow{.hit = 50});
  combat(3, 1, 2, 2);
  EXPECT_TRUE(lines.empty());
  seed_where(blow{.hit = 50});
  hero_strikes();
  seed_where(blow{.hit = 50});
  goblin_strikes();
  select_frontend(&headless_front_end);
  // From attacker to target, in squares from the party's unit.
  EXPECT_EQ(lines, (std::vector<std::vector<int>>{{0, 0, 1, 0}, {1, 0, 0, 0}}));
}

TEST_F(CombatTest, TheEffectRollChoosesWhatAFumbleDoes) {
  struct {
    int low, high;
    bool weapon, shield;
    std::string said;  // after "Hero fumbles"; empty for nothing more
  } cases[] = {
      {81, 90, true, false, "Hero weapon dropped!"}, {81, 90, false, true, ""},
      {71, 80, false, true, "Hero shield dropped!"}, {71, 80, true, false, ""},
      {61, 70, false, true, "Hero spun around!"},    {61, 70, true, false, ""},
      {1, 60, false, false, "Hero hits self!"},      {91, 100, true, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.low);
    SetUp();
    goblin();
    unit_record& h = hero();
    h.health = 20;
    if (c.weapon) give_item(5, 1, HERO, ITEM_WEAPON, OBJECT_WIELDED);
    if (c.shield) {
      object_record& shield = give_item(6, 1, HERO, ITEM_WEARABLE, OBJECT_WORN);
      shield.range = SLOT_SHIELD;
      shield.var1 = h.defence = 2;
    }
    // Things in hand lie nowhere on the map.
    object[5].x = object[5].y = object[6].x = object[6].y = 0;
    // A spin that ends facing elsewhere, so the test sees it.
    const draws d = seed_where([&](const draws& v) {
      return roll(v, 0) <= 4 && in(roll(v, 1), c.low, c.high) && v[2] % 8 != EAST;
    });
    hero_strikes();
    const auto& said = headless.messages;
    auto fumbled = std::find(said.begin(), said.end(), "Hero fumbles");
    ASSERT_NE(fumbled, said.end());
    EXPECT_EQ(fumbled + 1 == said.end() ? "" : *(fumbled + 1), c.said);
    const bool lost_weapon = c.said == "Hero weapon dropped!";
    const bool lost_shield = c.said == "Hero shield dropped!";
    EXPECT_EQ(object[5].status, !c.weapon     ? OBJECT_FREE
                                : lost_weapon ? OBJECT_ON_GROUND
                                              : OBJECT_WIELDED);
    // A shield knocked loose is no longer worn and no longer guards.
    EXPECT_EQ(object[6].status, !c.shield     ? OBJECT_FREE
                                : lost_shield ? OBJECT_ON_GROUND
                                              : OBJECT_WORN);
    EXPECT_EQ(h.defence, c.shield && !lost_shield ? 2 : 0);
    EXPECT_EQ(h.facing, c.said == "Hero spun around!" ? d[2] % 8 : EAST);
    EXPECT_EQ(h.health, c.said == "Hero hits self!" ? 20 - (d[2] % 6 + 1) : 20);
  }
}

// A lit torch in an empty hand strikes for 3, or 6 on vermin, and keeps
// that damage; with a weapon in hand the torch plays no part.
TEST_F(CombatTest, ATorchInAnEmptyHandBurnsVerminHarder) {
  const struct {
    int race;
    bool weapon;
    int damage;
  } cases[] = {{RACE_GOBLIN, false, 3}, {RACE_RAT, false, 6}, {RACE_RAT, true, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.race << " " << c.weapon);
    SetUp();
    unit_record& g = target();
    g.race = c.race;
    give_item(7, 1, HERO, ITEM_TORCH, OBJECT_LIT);
    if (c.weapon) give_item(8, 1, HERO, ITEM_WEAPON, OBJECT_WIELDED);
    const draws d = seed_where(body);
    hero_strikes();
    EXPECT_EQ(hero().damage, c.damage);
    EXPECT_EQ(40 - g.health, c.damage + d[2] % c.damage);
  }
}

// Blows of 9 from the hero (damage 5, blow draw 4) on a goblin with 40
// health: where they land, from behind, critical, or from a blob's goo.
TEST_F(CombatTest, WhereAndHowABlowLandsShapesItsHarm) {
  struct hit_case {
    int x = 11, y = 10, facing = NORTHWEST;  // the goblin's
    int location_lo = 31, location_hi = 70, critical = 0, level = 0;
    bool blob = false, helmet = false;
    int harm = 9;
    const char* said = nullptr;  // "": nothing at all is said
  };
  const hit_case cases[] = {
      {},                                                   // body
      {.location_lo = 91, .location_hi = 100, .harm = 13},  // head: half as much again
      {.location_lo = 81, .location_hi = 90, .harm = 8},    // right arm
      {.location_lo = 71, .location_hi = 80, .harm = 8},    // left arm
      {.location_lo = 16, .location_hi = 30, .harm = 5},    // right leg: 9 / 2 + 1
      {.location_lo = 2, .location_hi = 15, .harm = 5, .said = "Goblin hit in left leg!"},
      {.location_lo = 1, .location_hi = 1, .said = ""},  // a glancing blow: no word of it
      // The hero faces east or, from (10, 9), north (0), or from (9, 9) north-west (7).
      {.facing = EAST, .harm = 9 + 4},       // from behind
      {.facing = SOUTHEAST, .harm = 9 + 3},  // one step round: near behind
      {.facing = NORTHEAST, .harm = 9 + 3},
      {.facing = WEST},  // face to face
      {.x = 10, .y = 9, .facing = NORTH, .harm = 9 + 4},
      {.x = 10, .y = 9, .facing = NORTHWEST},  // 7 against 0: not treated as near
      {.x = 9, .y = 9, .facing = NORTH},
      {.x = 9, .y = 9, .facing = WEST, .harm = 9 + 3},
      // A critical needs a roll above 99 less the attacker's level.
      {.critical = 99},
      {.critical = 100, .harm = 18},
      {.critical = 94, .level = 5},
      {.critical = 95, .level = 5, .harm = 18},
      // Goo on the head eats the helmet; on a body without armour, nothing.
      {.location_lo = 91, .location_hi = 100, .blob = true, .helmet = true, .harm = 11 + 11 / 2},
      {.blob = true},
  };
  for (const hit_case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " facing " << c.facing << " at "
                                    << c.location_lo << " critical " << c.critical);
    SetUp();
    unit_record& g = goblin(c.x, c.y, c.facing);
    g.health = 40;
    hero().level = c.level;
    if (c.blob) hero().race = RACE_BLOB;
    if (c.helmet) {
      object_record& helmet = give_item(9, 2, MONSTER, ITEM_WEARABLE, OBJECT_WORN);
      helmet.range = SLOT_HEAD;
      helmet.var1 = 2;
    }
    seed_where(blow_9(c.location_lo, c.location_hi, c.critical ? c.critical : 1,
                      c.critical ? c.critical : 89));
    hero_strikes();
    EXPECT_EQ(40 - g.health, c.harm);
    EXPECT_EQ(headless_said("Your helmet is gooed."), c.helmet);
    EXPECT_FALSE(headless_said("Your armour is gooed."));
    if (c.said) {
      EXPECT_TRUE(*c.said ? headless_said(c.said) : headless.messages.empty()) << c.said;
    }
  }
}

TEST_F(CombatTest, AGhoulsCriticalPoisonsInsteadOfDoubling) {
  for (bool poisoned : {false, true}) {
    SetUp();
    unit_record& g = target();
    g.race = RACE_GHOUL;
    g.level = 10;
    unit_record& h = hero();
    h.facing = NORTH;
    h.health = 40;
    if (poisoned) h.status = UNIT_POISONED;
    // A critical for level 10: above 89.  Already poisoned, it doubles.
    seed_where(blow_9(31, 70, 90, 100));
    goblin_strikes();
    EXPECT_EQ(headless_said("Goblin poisons Hero"), !poisoned);
    EXPECT_EQ(headless_said("CRITICAL HIT x2 damage"), poisoned);
    EXPECT_EQ(h.status, UNIT_POISONED);
    EXPECT_EQ(40 - h.health, poisoned ? 18 : 9);
  }
}

TEST_F(CombatTest, CriticalEffectsKnockOutDisarmAndDentArmour) {
  // A critical body blow whose effect roll falls from lo to hi.
  auto critical_with = [&](int lo, int hi) {
    blow b = blow_9(31, 70, 100, 100);
    b.effect_lo = lo, b.effect_hi = hi;
    seed_where(b);
    hero_strikes();
  };
  unit_record& g = target();
  critical_with(91, 91);  // the foot of the knock-out band
  EXPECT_TRUE(headless_said("Goblin knocked out!"));
  EXPECT_EQ(g.status, UNIT_UNCONSCIOUS);

  SetUp();
  target().defence = 3;
  object_record& armour = give_item(9, 2, MONSTER, ITEM_WEARABLE, OBJECT_WORN);
  armour.range = SLOT_BODY;
  armour.var1 = 1;
  critical_with(61, 70);
  EXPECT_TRUE(headless_said("Goblin's armour damaged"));
  EXPECT_EQ(armour.var1, 0);
  EXPECT_EQ(unit[2][MONSTER].defence, 2);  // the worn armour's worth goes with it
  critical_with(61, 70);
  EXPECT_EQ(armour.var1, 0);  // never below 0
  EXPECT_EQ(unit[2][MONSTER].defence, 2);

  SetUp();
  target();
  give_item(9, 2, MONSTER, ITEM_WEAPON, OBJECT_WIELDED);
  critical_with(90, 90);  // the top of the disarming band
  EXPECT_TRUE(headless_said("Goblin's weapon dropped"));
}

class FallTest : public CombatTest {
 protected:
  // A blow of exactly 9 on the goblin, which starts with the health given.
  unit_record& struck_with(int health, int race = RACE_GOBLIN, int status = UNIT_NORMAL) {
    unit_record& g = goblin(11, 10, NORTHWEST);
    g.health = health;
    g.race = race;
    g.status = status;
    g.order = ORDER_GUARD;
    seed_where(body_9);
    hero_strikes();
    return g;
  }
};

TEST_F(FallTest, TheHealthLeftDecidesFleeingFallingAndDeath) {
  struct {
    int health, status_before, order, status;
    std::string said;
  } cases[] = {
      {20, UNIT_NORMAL, ORDER_ATTACK, UNIT_NORMAL, ""},
      {19, UNIT_NORMAL, ORDER_FLEE, UNIT_NORMAL, ""},
      {9, UNIT_NORMAL, ORDER_FLEE, UNIT_UNCONSCIOUS, "Goblin knocked out by Hero"},
      {0, UNIT_NORMAL, ORDER_FLEE, UNIT_UNCONSCIOUS, "Goblin knocked out by Hero"},
      {2, UNIT_UNCONSCIOUS, ORDER_FLEE, UNIT_UNCONSCIOUS, ""},  // not said twice
      {-1, UNIT_NORMAL, -1, UNIT_FREE, "Goblin killed by Hero"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.health);
    SetUp();
    unit_record& g = struck_with(c.health, RACE_GOBLIN, c.status_before);
    EXPECT_EQ(g.status, c.status);
    EXPECT_TRUE(c.order == -1 || g.order == c.order) << g.order;  // -1: a freed slot
    EXPECT_EQ(g.health, c.health - 9);
    EXPECT_EQ(g.moves, 0);
    EXPECT_EQ(map[Z][11][10].occupant_player, c.status == UNIT_FREE ? 0 : 2);
    for (const char* fall : {"Goblin knocked out by Hero", "Goblin killed by Hero"})
      EXPECT_EQ(headless_said(fall), c.said == fall) << fall;
  }
}

TEST_F(FallTest, TheDeadLeaveACorpseOnAFreeSquare) {
  unit_record& g = struck_with(-1);
  EXPECT_EQ(g.movement, 0);
  const map_cell& m = map[Z][11][10];
  EXPECT_EQ(m.occupant_unit, 0);
  EXPECT_EQ(m.passable, 1);
  EXPECT_EQ(m.object_count, 1);
  int corpses = 0;
  for (const object_record& o : object)
    corpses += o.status == OBJECT_ON_GROUND && o.type == ITEM_CORPSE && o.x * 100 + o.y == 1110 &&
               o.z == Z;
  EXPECT_EQ(corpses, 1);
  EXPECT_EQ(QUEST_NO, 0);
  EXPECT_EQ(gameover, GAME_PLAYING);

  SetUp();
  struck_with(-1, RACE_HENCHMAN);
  EXPECT_EQ(QUEST_NO, 10);
}

// Only the acting party member's death ends the game: its panel, then the
// score and its table, none under the creatures' banner.
TEST_F(FallTest, OnlyTheActingPartyMemberKilledEndsTheGame) {
  for (int victim : {HERO, 2}) {
    SCOPED_TRACE(victim);
    SetUp();
    unit_record& v = victim == HERO ? hero() : put_unit(1, 2, Z, 12, 10, NORTH);
    v.facing = NORTH;
    v.health = -1;
    goblin(11, 10, NORTHWEST);
    seed_where(body_9);
    END_TURN = 1;  // struck in the creatures' turn
    {
      scratch_folder away;
      combat(1, victim, 2, MONSTER);
    }
    EXPECT_EQ(v.status, UNIT_FREE);
    EXPECT_EQ(map[Z][victim == HERO ? 10 : 12][10].occupant_player, 0);
    EXPECT_EQ(gameover, victim == HERO ? GAME_OVER : GAME_PLAYING);
    ASSERT_EQ(headless.warnings.size(), victim == HERO ? 3u : 0u);
    for (const headless_warning& w : headless.warnings) EXPECT_FALSE(w.over_creature_turn);
    if (victim == HERO) {
      EXPECT_EQ(headless.warnings[0].lines[0], "YOU ARE DEAD!");
    }
  }
}

// Thrown weapons: spears land on the target, rocks may break, misses keep
// spears and lose rocks, a neighbour is stabbed, not thrown at, and only the
// acting player throws.
TEST_F(CombatTest, WhatIsThrownLandsBreaksOrStaysInHand) {
  struct {
    const char* name;
    int weight, bonus, x;
    bool hits, lands;
    int status, on_square, movement, damage;
    bool acting = true;
  } cases[] = {
      {"spear", 7, 3, 14, true, true, OBJECT_ON_GROUND, 1, 17, 5},  // the bonus left with it
      {"spear", 7, 3, 14, false, false, OBJECT_WIELDED, 0, 10, 8},
      {"throwing axe", 7, 3, 11, true, true, OBJECT_WIELDED, 0, 10, 8},
      {"rock", 5, 1, 14, true, true, OBJECT_ON_GROUND, 1, 15, 5},  // one time in three
      {"rock", 5, 1, 14, true, false, OBJECT_FREE, 0, 15, 5},      // else it breaks
      {"rock", 5, 1, 14, false, false, OBJECT_FREE, 0, 15, 5},     // a missed rock is lost
      {"spear", 7, 3, 14, true, true, OBJECT_WIELDED, 0, 10, 8, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " at " << c.x << " hits " << c.hits);
    SetUp();
    object_record& w = give_item(20, 1, HERO, ITEM_WEAPON, OBJECT_WIELDED);
    copy_text(w.name, c.name);
    w.weight = c.weight;
    w.var1 = c.bonus;
    hero().damage = 5 + c.bonus;
    hero().movement = 10;
    target(c.x);
    CURRENT_PLAYER = c.acting ? 1 : 2;
    seed_where([&c](const draws& v) {
      if (!c.hits) return roll(v, 0) >= 5 && roll(v, 0) < 43;
      return roll(v, 0) >= 50 && roll(v, 4) < 90 && (v[5] % 3 == 0) == c.lands;
    });
    hero_strikes();
    EXPECT_EQ(headless_said("Hero misses!"), !c.hits);
    EXPECT_EQ(w.status, c.status);
    EXPECT_EQ(w.owner_player * 10 + w.owner_unit, c.status == OBJECT_WIELDED ? 10 + HERO : 0);
    if (c.status == OBJECT_ON_GROUND) {
      EXPECT_EQ(w.x * 100 + w.y, c.x * 100 + 10);
      EXPECT_EQ(w.z, Z);
    }
    EXPECT_EQ(map[Z][c.x][10].object_count, c.on_square);
    EXPECT_EQ(hero().movement, c.movement);
    EXPECT_EQ(hero().damage, c.damage);
  }
}

}  // namespace
