#include <gtest/gtest.h>

#include <algorithm>

#include "tests/scratch_folder.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "creatures/combat.h"
#include "creatures/monsters.h"
#include "tests/core/hand_made_level.h"
#include "tests/seeded_draws.h"

namespace {

constexpr int Z = 2;
constexpr int HERO = 1;     // player 1, unit 1: the acting party member
constexpr int MONSTER = 1;  // player 2, unit 1

using draws = std::vector<int>;

int roll(const draws& d, int i) { return d[i] % 100 + 1; }

// Seeds the generator with the first seed whose draws suit the attack.
void seed_where(const std::function<bool(const draws&)>& wanted, int n = 8) {
  for (unsigned s = 1; s < 5000000; s++) {
    if (wanted(draws_for(s, n))) return;  // draws_for leaves s seeded
  }
  FAIL() << "no seed gives the draws wanted";
}

// The draws of a tired attacker's blow, which draws nothing for freshness:
// hit, effect, blow, location, critical.
struct tired_blow {
  int hit = -1, effect = -1, blow_over = -1, location = -1, critical_below = 100;
  int low_location = -1, high_location = -1;
  int damage = 1;  // the attacker's damage field, for the blow draw
  bool operator()(const draws& d) const {
    if (hit != -1 && roll(d, 0) != hit) return false;
    if (hit == -1 && roll(d, 0) < 50) return false;
    if (effect != -1 && roll(d, 1) != effect) return false;
    if (blow_over != -1 && d[2] % damage != blow_over) return false;
    if (location != -1 && roll(d, 3) != location) return false;
    if (low_location != -1 && (roll(d, 3) < low_location || roll(d, 3) > high_location))
      return false;
    return roll(d, 4) < critical_below;
  }
};

class CombatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    CURRENT_PLAYER = 1;
    CURRENT_UNIT = HERO;
    hero().race = RACE_HUMAN;
  }

  // The hero at (10, 10) and a goblin on the square east of it, facing away
  // from each other so no blow counts as from behind.
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
  void hero_strikes() { combat(2, MONSTER, 1, HERO); }
  void goblin_strikes() { combat(1, HERO, 2, MONSTER); }

  // A blow of 9 from the hero (damage 5, blow draw 4, no defence) on the
  // goblin facing north-west (not from behind), with the location given.
  int damage_at(int low, int high) {
    SetUp();
    unit_record& g = goblin(11, 10, NORTHWEST);
    g.health = 40;
    seed_where(tired_blow{.blow_over = 4,
                          .critical_below = 90,
                          .low_location = low,
                          .high_location = high,
                          .damage = 5});
    hero_strikes();
    return 40 - g.health;
  }
};

// Turning to the defender, the defender turning on its attacker

TEST_F(CombatTest, TheAttackerTurnsToANeighbourAndKeepsItsFacingAtRange) {
  for (int d = NORTH; d <= NORTHWEST; d++) {
    SetUp();
    hero().facing = (d + 3) % 8;
    goblin(10 + DIRECTION_DX[d], 10 + DIRECTION_DY[d]);
    EXPECT_EQ(turn_to_defender(1, HERO, 2, MONSTER), d);
  }
  SetUp();
  hero().facing = SOUTHWEST;
  goblin(13, 10);
  EXPECT_EQ(turn_to_defender(1, HERO, 2, MONSTER), SOUTHWEST);
  hero_strikes();
  EXPECT_EQ(hero().facing, SOUTHWEST);
}

TEST_F(CombatTest, EveryAttackSpendsTheAttackersMovesAndTurnsTheVictimOnIt) {
  unit_record& g = goblin(11, 11);
  g.order = ORDER_GUARD;
  g.health = 100;
  hero().moves = 10;
  seed_where([](const draws&) { return true; });
  hero_strikes();
  EXPECT_EQ(hero().moves, 0);
  EXPECT_EQ(hero().facing, SOUTHEAST);
  EXPECT_EQ(g.order, ORDER_ATTACK);
  EXPECT_EQ(g.waypoint_index, WAYPOINT_POSITION);
  EXPECT_EQ(g.waypoint_x[WAYPOINT_POSITION], 10);
  EXPECT_EQ(g.waypoint_y[WAYPOINT_POSITION], 10);
  EXPECT_EQ(g.waypoint_x[WAYPOINT_TARGET], 1);
  EXPECT_EQ(g.waypoint_y[WAYPOINT_TARGET], HERO);
  EXPECT_EQ(CURRENT_PLAYER, 1);  // the drawing borrowed the current unit only
  EXPECT_EQ(CURRENT_UNIT, HERO);
}

TEST_F(CombatTest, TheAttackLineIsDrawnOnlyWhenThePartyFights) {
  hero();
  goblin();
  unit_record& rat = put_unit(3, 1, Z, 20, 20, NORTH);
  rat.race = RACE_RAT;
  put_unit(2, 2, Z, 20, 21, NORTH);
  // The line runs from attacker to target, in squares from the party's unit.
  static std::vector<std::vector<int>> lines;
  lines.clear();
  front_end recording = headless_front_end;
  recording.draw_zapline = [](int x1, int y1, int x2, int y2) {
    lines.push_back({x1, y1, x2, y2});
  };
  select_frontend(&recording);
  seed_where(tired_blow{.hit = 50});
  combat(3, 1, 2, 2);
  EXPECT_TRUE(lines.empty());
  seed_where(tired_blow{.hit = 50});
  hero_strikes();
  seed_where(tired_blow{.hit = 50});
  goblin_strikes();
  select_frontend(&headless_front_end);
  EXPECT_EQ(lines, (std::vector<std::vector<int>>{{0, 0, 1, 0}, {1, 0, 0, 0}}));
}

// Miss chances: 33, less for a fresh attacker, more at range

TEST_F(CombatTest, TheMissChanceFollowsFreshnessAndRange) {
  struct {
    int moves, target_x, hit;
    bool misses;
  } cases[] = {
      {10, 11, 7, true},  {10, 11, 8, false},   // rested, at a neighbour: 8
      {6, 11, 22, true},  {6, 11, 23, false},   // more than half its moves: 23
      {5, 11, 32, true},  {5, 11, 33, false},   // half or less: 33
      {5, 14, 42, true},  {5, 14, 43, false},   // tired, at range: 43
      {10, 14, 17, true}, {10, 14, 18, false},  // rested, at range: 18
  };
  for (const auto& c : cases) {
    SetUp();
    unit_record& g = goblin(c.target_x, 10);
    g.health = 40;
    hero().moves = c.moves;
    seed_where([&c](const draws& d) { return roll(d, 0) == c.hit; });
    hero_strikes();
    EXPECT_EQ(headless_said("Hero misses!"), c.misses)
        << c.moves << " " << c.target_x << " " << c.hit;
    if (c.misses) {
      EXPECT_EQ(g.health, 40);
    }
    EXPECT_EQ(hero().moves, 0);
  }
}

// Fumbles: a hit roll of 1..4, whatever the miss chance

TEST_F(CombatTest, HitRollsOneToFourAlwaysFumble) {
  for (int hit = 1; hit <= 5; hit++) {
    SetUp();
    unit_record& g = goblin();
    g.health = 20;
    hero().moves = 10;  // miss chance 8: a 5 misses, it does not fumble
    seed_where([hit](const draws& d) { return roll(d, 0) == hit && roll(d, 1) > 90; });
    hero_strikes();
    EXPECT_EQ(headless_said("Hero fumbles"), hit <= 4) << hit;
    EXPECT_EQ(headless_said("Hero misses!"), hit == 5) << hit;
    EXPECT_EQ(g.health, 20);
  }
}

TEST_F(CombatTest, TheEffectRollChoosesWhatAFumbleDoes) {
  struct {
    int low, high;
    bool weapon, shield;
    const char* said;  // after "Hero fumbles"; null for nothing more
  } cases[] = {
      {81, 90, true, false, "Hero weapon dropped!"}, {81, 90, false, true, nullptr},
      {71, 80, false, true, "Hero shield dropped!"}, {71, 80, true, false, nullptr},
      {61, 70, false, true, "Hero spun around!"},    {61, 70, true, false, nullptr},
      {1, 60, false, false, "Hero hits self!"},      {91, 100, true, true, nullptr},
  };
  for (const auto& c : cases) {
    SetUp();
    goblin();
    unit_record& h = hero();
    h.health = 20;
    // Things in hand lie nowhere on the map.
    if (c.weapon) {
      object_record& weapon = give_item(5, 1, HERO, ITEM_WEAPON, OBJECT_WIELDED);
      weapon.x = weapon.y = 0;
    }
    if (c.shield) {
      object_record& shield = give_item(6, 1, HERO, ITEM_WEARABLE, OBJECT_WORN);
      shield.x = shield.y = 0;
      shield.range = SLOT_SHIELD;
      shield.var1 = 2;
      h.defence = 2;
    }
    std::vector<int> d;
    seed_where([&](const draws& v) {
      d = v;
      // A spin that ends facing elsewhere, so the test sees it.
      return roll(v, 0) <= 4 && roll(v, 1) >= c.low && roll(v, 1) <= c.high && v[2] % 8 != EAST;
    });
    hero_strikes();
    ASSERT_GE(headless.messages.size(), 1u);
    // What the dropping itself says follows the fumble's own words.
    auto fumbled = std::find(headless.messages.begin(), headless.messages.end(), "Hero fumbles");
    ASSERT_NE(fumbled, headless.messages.end()) << c.low;
    if (c.said) {
      ASSERT_NE(fumbled + 1, headless.messages.end());
      EXPECT_EQ(*(fumbled + 1), c.said);
    } else {
      EXPECT_EQ(fumbled + 1, headless.messages.end()) << c.low;
    }
    const std::string words = c.said ? c.said : "";
    if (words == "Hero weapon dropped!") {
      EXPECT_EQ(object[5].status, OBJECT_ON_GROUND) << "the weapon falls";
    }
    if (words == "Hero shield dropped!") {
      EXPECT_EQ(object[6].status, OBJECT_ON_GROUND) << "the shield falls";
    }
    bool spun = c.said && std::string(c.said) == "Hero spun around!";
    EXPECT_EQ(h.facing, spun ? d[2] % 8 : EAST) << c.low;
    bool hurt = c.said && std::string(c.said) == "Hero hits self!";
    EXPECT_EQ(h.health, hurt ? 20 - (d[2] % 6 + 1) : 20) << c.low;
    // A shield knocked loose is no longer worn and no longer guards.
    bool lost_shield = c.said && std::string(c.said) == "Hero shield dropped!";
    if (c.shield) {
      EXPECT_EQ(object[6].status == OBJECT_WORN, !lost_shield) << c.low;
      EXPECT_EQ(h.defence, lost_shield ? 0 : 2) << c.low;
    }
  }
}

// Damage: the blow, freshness, the torch, the location

TEST_F(CombatTest, TheBlowIsDamagePlusADrawLessDefenceAndFreshnessAdds) {
  unit_record& g = goblin(11, 10, NORTHWEST);
  g.health = 40;
  g.defence = 2;
  std::vector<int> d;
  seed_where([&d](const draws& v) {
    d = v;
    return roll(v, 0) >= 50 && roll(v, 3) >= 31 && roll(v, 3) <= 70 && roll(v, 4) < 90;
  });
  hero_strikes();
  EXPECT_EQ(40 - g.health, 5 + d[2] % 5 - 2);
  // Armour above the blow turns it aside: no harm, and never healing.
  g.health = 40;
  g.defence = 20;
  seed_where([](const draws& v) {
    return roll(v, 0) >= 50 && roll(v, 3) >= 31 && roll(v, 3) <= 70 && roll(v, 4) < 90;
  });
  hero_strikes();
  EXPECT_EQ(g.health, 40);

  // Rested: two more draws, each adding 1 or 2, come before the blow.
  SetUp();
  unit_record& g2 = goblin(11, 10, NORTHWEST);
  g2.health = 40;
  hero().moves = 10;
  seed_where([&d](const draws& v) {
    d = v;
    return roll(v, 0) >= 50 && roll(v, 5) >= 31 && roll(v, 5) <= 70 && roll(v, 6) < 90;
  });
  hero_strikes();
  EXPECT_EQ(40 - g2.health, (d[2] % 2 + 1) + (d[3] % 2 + 1) + 5 + d[4] % 5);
}

TEST_F(CombatTest, TheLocationShapesTheDamage) {
  EXPECT_EQ(damage_at(31, 70), 9);    // body
  EXPECT_EQ(damage_at(91, 100), 13);  // head: half as much again
  EXPECT_EQ(damage_at(81, 90), 8);    // right arm
  EXPECT_EQ(damage_at(71, 80), 8);    // left arm
  EXPECT_EQ(damage_at(16, 30), 5);    // right leg: 9 / 2 + 1
  EXPECT_EQ(damage_at(2, 15), 5);     // left leg
  EXPECT_TRUE(headless_said("Goblin hit in left leg!"));
  EXPECT_EQ(damage_at(1, 1), 9);  // a glancing blow: no word of it
  EXPECT_EQ(headless.messages.size(), 0u);
}

TEST_F(CombatTest, ATorchInAnEmptyHandBurnsVerminHarder) {
  unit_record& g = goblin(11, 10, NORTHWEST);
  g.health = 40;
  give_item(7, 1, HERO, ITEM_TORCH, OBJECT_LIT);
  seed_where(tired_blow{.critical_below = 90, .low_location = 31, .high_location = 70});
  hero_strikes();
  EXPECT_EQ(hero().damage, 3);

  SetUp();
  unit_record& rat = goblin(11, 10, NORTHWEST);
  rat.race = RACE_RAT;
  rat.health = 40;
  give_item(7, 1, HERO, ITEM_TORCH, OBJECT_LIT);
  std::vector<int> d;
  seed_where([&d](const draws& v) {
    d = v;
    return roll(v, 0) >= 50 && roll(v, 3) >= 31 && roll(v, 3) <= 70 && roll(v, 4) < 90;
  });
  hero_strikes();
  EXPECT_EQ(hero().damage, 6);  // and it stays so
  EXPECT_EQ(40 - rat.health, 6 + d[2] % 6);

  // A weapon in hand: the torch plays no part.
  SetUp();
  goblin(11, 10, NORTHWEST);
  give_item(7, 1, HERO, ITEM_TORCH, OBJECT_LIT);
  give_item(8, 1, HERO, ITEM_WEAPON, OBJECT_WIELDED);
  seed_where(tired_blow{});
  hero_strikes();
  EXPECT_EQ(hero().damage, 5);
}

TEST_F(CombatTest, ABlobsGooEatsThroughTheArmourItHits) {
  unit_record& g = goblin(11, 10, NORTHWEST);
  g.health = 40;
  hero().race = RACE_BLOB;
  object_record& helmet = give_item(9, 2, MONSTER, ITEM_WEARABLE, OBJECT_WORN);
  helmet.range = SLOT_HEAD;
  helmet.var1 = 2;
  seed_where(tired_blow{
      .blow_over = 4, .critical_below = 90, .low_location = 91, .high_location = 100, .damage = 5});
  hero_strikes();
  EXPECT_TRUE(headless_said("Your helmet is gooed."));
  EXPECT_EQ(40 - g.health, 11 + 11 / 2);

  // Goo on a body without armour: nothing to eat.
  SetUp();
  unit_record& g2 = goblin(11, 10, NORTHWEST);
  g2.health = 40;
  hero().race = RACE_BLOB;
  seed_where(tired_blow{
      .blow_over = 4, .critical_below = 90, .low_location = 31, .high_location = 70, .damage = 5});
  hero_strikes();
  EXPECT_FALSE(headless_said("Your armour is gooed."));
  EXPECT_EQ(40 - g2.health, 9);
}

// Blows from behind, and the 0/7 facing pair that does not count as near

TEST_F(CombatTest, BlowsFromBehindAndNearBehindHurtMore) {
  struct {
    int tx, ty, target_facing, expected;
  } cases[] = {
      {11, 10, EAST, 9 + 4},       // hero faces east, goblin faces east: from behind
      {11, 10, SOUTHEAST, 9 + 3},  // one step round: near behind
      {11, 10, NORTHEAST, 9 + 3}, {11, 10, WEST, 9},  // face to face
      {10, 9, NORTH, 9 + 4},                          // hero faces north (0)
      {10, 9, NORTHWEST, 9},                          // 7 against 0: not treated as near
      {9, 9, NORTH, 9},                               // hero faces north-west (7), goblin north (0)
      {9, 9, WEST, 9 + 3},
  };
  for (const auto& c : cases) {
    SetUp();
    unit_record& g = goblin(c.tx, c.ty, c.target_facing);
    g.health = 40;
    seed_where(tired_blow{.blow_over = 4,
                          .critical_below = 90,
                          .low_location = 31,
                          .high_location = 70,
                          .damage = 5});
    hero_strikes();
    EXPECT_EQ(40 - g.health, c.expected) << c.tx << "," << c.ty << " facing " << c.target_facing;
  }
}

// Criticals and poison

TEST_F(CombatTest, AGhoulsCriticalPoisonsInsteadOfDoubling) {
  unit_record& g = goblin(11, 10, NORTHWEST);
  g.race = RACE_GHOUL;
  g.level = 10;
  unit_record& h = hero();
  h.facing = NORTH;
  h.health = 40;
  // A critical for level 10: above 89.
  seed_where([](const draws& v) {
    return roll(v, 0) >= 50 && roll(v, 1) <= 60 && v[2] % 5 == 4 && roll(v, 3) >= 31 &&
           roll(v, 3) <= 70 && roll(v, 4) > 89;
  });
  goblin_strikes();
  EXPECT_TRUE(headless_said("Goblin poisons Hero"));
  EXPECT_FALSE(headless_said("CRITICAL HIT x2 damage"));
  EXPECT_EQ(h.status, UNIT_POISONED);
  EXPECT_EQ(40 - h.health, 9);

  // Already poisoned: the same rolls double the damage.
  SetUp();
  unit_record& g2 = goblin(11, 10, NORTHWEST);
  g2.race = RACE_GHOUL;
  g2.level = 10;
  unit_record& h2 = hero();
  h2.facing = NORTH;
  h2.health = 40;
  h2.status = UNIT_POISONED;
  seed_where([](const draws& v) {
    return roll(v, 0) >= 50 && roll(v, 1) <= 60 && v[2] % 5 == 4 && roll(v, 3) >= 31 &&
           roll(v, 3) <= 70 && roll(v, 4) > 89;
  });
  goblin_strikes();
  EXPECT_FALSE(headless_said("Goblin poisons Hero"));
  EXPECT_TRUE(headless_said("CRITICAL HIT x2 damage"));
  EXPECT_EQ(40 - h2.health, 18);
}

TEST_F(CombatTest, ACriticalNeedsARollAboveNinetyNineLessTheLevel) {
  for (int level : {0, 5}) {
    for (int critical : {95, 99, 100}) {
      SetUp();
      unit_record& g = goblin(11, 10, NORTHWEST);
      g.health = 40;
      hero().level = level;
      seed_where([critical](const draws& v) {
        return roll(v, 0) >= 50 && roll(v, 1) <= 60 && v[2] % 5 == 4 && roll(v, 3) >= 31 &&
               roll(v, 3) <= 70 && roll(v, 4) == critical;
      });
      hero_strikes();
      bool doubled = critical > 99 - level;
      EXPECT_EQ(40 - g.health, doubled ? 18 : 9) << level << " " << critical;
    }
  }
}

TEST_F(CombatTest, CriticalEffectsKnockOutDisarmAndDentArmour) {
  auto critical_with = [&](int effect) {
    seed_where([effect](const draws& v) {
      int e = roll(v, 1);
      return roll(v, 0) >= 50 && e >= effect && e <= effect + 9 && roll(v, 3) >= 31 &&
             roll(v, 3) <= 70 && roll(v, 4) == 100;
    });
    hero_strikes();
  };  // effect rolls in the band from effect to effect + 9
  unit_record& g = goblin(11, 10, NORTHWEST);
  g.health = 40;
  critical_with(91);
  EXPECT_TRUE(headless_said("Goblin knocked out!"));
  EXPECT_EQ(g.status, UNIT_UNCONSCIOUS);

  SetUp();
  unit_record& g2 = goblin(11, 10, NORTHWEST);
  g2.health = 40;
  g2.defence = 3;
  object_record& armour = give_item(9, 2, MONSTER, ITEM_WEARABLE, OBJECT_WORN);
  armour.range = SLOT_BODY;
  armour.var1 = 1;
  critical_with(61);
  EXPECT_TRUE(headless_said("Goblin's armour damaged"));
  EXPECT_EQ(armour.var1, 0);
  EXPECT_EQ(g2.defence, 2);  // the worn armour's worth goes with it
  critical_with(61);
  EXPECT_EQ(armour.var1, 0);  // never below 0
  EXPECT_EQ(g2.defence, 2);

  SetUp();
  goblin(11, 10, NORTHWEST).health = 40;
  give_item(9, 2, MONSTER, ITEM_WEAPON, OBJECT_WIELDED);
  critical_with(81);
  EXPECT_TRUE(headless_said("Goblin's weapon dropped"));
}

// Falling: fleeing at 10, knocked out at 0, dead at -10

class FallTest : public CombatTest {
 protected:
  // A blow of exactly 9 on the goblin, which starts with the health given.
  unit_record& struck_with(int health, int race = RACE_GOBLIN) {
    unit_record& g = goblin(11, 10, NORTHWEST);
    g.health = health;
    g.race = race;
    g.order = ORDER_GUARD;
    seed_where(tired_blow{.blow_over = 4,
                          .critical_below = 90,
                          .low_location = 31,
                          .high_location = 70,
                          .damage = 5});
    hero_strikes();
    return g;
  }
};

TEST_F(FallTest, AVictimLeftWithTenOrLessFlees) {
  EXPECT_EQ(struck_with(19).order, ORDER_FLEE);
  SetUp();
  EXPECT_EQ(struck_with(20).order, ORDER_ATTACK);
}

TEST_F(FallTest, ZeroHealthKnocksOut) {
  unit_record& g = struck_with(9);
  EXPECT_EQ(g.health, 0);
  EXPECT_EQ(g.status, UNIT_UNCONSCIOUS);
  EXPECT_EQ(g.moves, 0);
  EXPECT_TRUE(headless_said("Goblin knocked out by Hero"));
  EXPECT_EQ(map[Z][11][10].occupant_player, 2);

  SetUp();
  unit_record& g2 = struck_with(0);
  EXPECT_EQ(g2.health, -9);
  EXPECT_EQ(g2.status, UNIT_UNCONSCIOUS);
}

TEST_F(FallTest, KnockedOutIsNotSaidTwice) {
  unit_record& g = goblin(11, 10, NORTHWEST);
  g.health = 2;
  g.status = UNIT_UNCONSCIOUS;
  seed_where(tired_blow{
      .blow_over = 4, .critical_below = 90, .low_location = 31, .high_location = 70, .damage = 5});
  hero_strikes();
  EXPECT_EQ(g.status, UNIT_UNCONSCIOUS);
  EXPECT_FALSE(headless_said("Goblin knocked out by Hero"));
}

TEST_F(FallTest, MinusTenKillsAndLeavesACorpseOnAFreeSquare) {
  unit_record& g = struck_with(-1);
  EXPECT_EQ(g.status, UNIT_FREE);
  EXPECT_EQ(g.moves, 0);
  EXPECT_EQ(g.movement, 0);
  EXPECT_TRUE(headless_said("Goblin killed by Hero"));
  const map_cell& m = map[Z][11][10];
  EXPECT_EQ(m.occupant_player, 0);
  EXPECT_EQ(m.occupant_unit, 0);
  EXPECT_EQ(m.passable, 1);
  EXPECT_EQ(m.object_count, 1);
  int corpses = 0;
  for (int k = 1; k < OBJECT_SLOTS; k++) {
    const object_record& o = object[k];
    if (o.status == OBJECT_ON_GROUND && o.type == ITEM_CORPSE && o.x == 11 && o.y == 10 && o.z == Z)
      corpses++;
  }
  EXPECT_EQ(corpses, 1);
  EXPECT_EQ(QUEST_NO, 0);
  EXPECT_EQ(gameover, GAME_PLAYING);

  SetUp();
  struck_with(-1, RACE_HENCHMAN);
  EXPECT_EQ(QUEST_NO, 10);
}

TEST_F(FallTest, TheActingPartyMemberKilledEndsTheGame) {
  unit_record& g = goblin(11, 10, NORTHWEST);
  g.damage = 5;
  unit_record& h = hero();
  h.facing = NORTH;
  h.health = -1;
  seed_where(tired_blow{
      .blow_over = 4, .critical_below = 90, .low_location = 31, .high_location = 70, .damage = 5});
  END_TURN = 1;  // struck in the creatures' turn
  {
    scratch_folder away;
    goblin_strikes();
  }
  EXPECT_EQ(h.status, UNIT_FREE);
  EXPECT_EQ(gameover, GAME_OVER);
  // The death, then the score and its table, none under the creatures' banner.
  ASSERT_EQ(headless.warnings.size(), 3u);
  for (const headless_warning& w : headless.warnings) EXPECT_FALSE(w.over_creature_turn);
  EXPECT_EQ(headless.warnings[0].lines[0], "YOU ARE DEAD!");
  EXPECT_EQ(headless.warnings[0].lines[2], "GAME OVER");
  EXPECT_EQ(headless.warnings[0].size, 20);
}

TEST_F(FallTest, AnotherPartyMemberKilledDoesNotEndTheGame) {
  hero();
  unit_record& other = put_unit(1, 2, Z, 20, 20, NORTH);
  copy_text(other.name, "Squire");
  other.health = -1;
  unit_record& g = put_unit(2, MONSTER, Z, 21, 20, NORTHWEST);
  copy_text(g.name, "Goblin");
  g.damage = 5;
  g.moves = 0;
  seed_where(tired_blow{
      .blow_over = 4, .critical_below = 90, .low_location = 31, .high_location = 70, .damage = 5});
  combat(1, 2, 2, MONSTER);
  EXPECT_EQ(other.status, UNIT_FREE);
  EXPECT_EQ(gameover, GAME_PLAYING);
  EXPECT_TRUE(headless.warnings.empty());
  EXPECT_EQ(map[Z][20][20].occupant_player, 0);
}

// Thrown weapons: spears land on the target, rocks may break, misses keep them

class ThrowTest : public CombatTest {
 protected:
  object_record& wield(const char* name, int weight = 7, int bonus = 3) {
    object_record& w = give_item(20, 1, HERO, ITEM_WEAPON, OBJECT_WIELDED);
    copy_text(w.name, name);
    w.weight = weight;
    w.var1 = bonus;
    hero().damage = 5 + bonus;
    hero().movement = 10;
    return w;
  }
  void throw_at(int x, int y, bool hits, int landing = 0) {
    goblin(x, y, NORTHWEST).health = 40;
    seed_where([hits, landing](const draws& v) {
      if (!hits) return roll(v, 0) >= 5 && roll(v, 0) < 43;
      return roll(v, 0) >= 50 && roll(v, 4) < 90 && (v[5] % 3 == 0) == (landing != 0);
    });
    hero_strikes();
  }
};

TEST_F(ThrowTest, ASpearThrownAtRangeLandsOnTheTargetsSquare) {
  object_record& spear = wield("spear");
  throw_at(14, 10, true, 1);
  EXPECT_EQ(spear.status, OBJECT_ON_GROUND);
  EXPECT_EQ(spear.owner_player, 0);
  EXPECT_EQ(spear.owner_unit, 0);
  EXPECT_EQ(spear.x, 14);
  EXPECT_EQ(spear.y, 10);
  EXPECT_EQ(spear.z, Z);
  EXPECT_EQ(map[Z][14][10].object_count, 1);
  EXPECT_EQ(hero().movement, 17);
  EXPECT_EQ(hero().damage, 5);  // the spear's bonus left with it
}

TEST_F(ThrowTest, AMissedSpearStaysInHandAndANeighbourIsStabbed) {
  object_record& spear = wield("spear");
  throw_at(14, 10, false);
  EXPECT_TRUE(headless_said("Hero misses!"));
  EXPECT_EQ(spear.status, OBJECT_WIELDED);
  EXPECT_EQ(spear.owner_player, 1);

  SetUp();
  object_record& spear2 = wield("throwing axe");
  throw_at(11, 10, true, 1);
  EXPECT_EQ(spear2.status, OBJECT_WIELDED);
  EXPECT_EQ(map[Z][11][10].object_count, 0);
}

TEST_F(ThrowTest, AThrownRockLandsOneTimeInThreeElseBreaks) {
  object_record& rock = wield("rock", 5, 1);
  throw_at(14, 10, true, 1);
  EXPECT_EQ(rock.status, OBJECT_ON_GROUND);
  EXPECT_EQ(map[Z][14][10].object_count, 1);

  SetUp();
  object_record& rock2 = wield("rock", 5, 1);
  throw_at(14, 10, true, 0);
  EXPECT_EQ(rock2.status, OBJECT_FREE);
  EXPECT_EQ(map[Z][14][10].object_count, 0);
  EXPECT_EQ(hero().movement, 15);
}

TEST_F(ThrowTest, AMissedRockIsLost) {
  object_record& rock = wield("rock", 5, 1);
  throw_at(14, 10, false);
  EXPECT_TRUE(headless_said("Hero misses!"));
  EXPECT_EQ(rock.status, OBJECT_FREE);
  EXPECT_EQ(hero().damage, 5);
}

TEST_F(ThrowTest, OnlyTheActingPlayerThrows) {
  // A goblin striking in the party's turn keeps its spear in hand.
  unit_record& g = goblin(14, 10, NORTHWEST);
  g.health = 40;
  object_record& spear = give_item(21, 2, MONSTER, ITEM_WEAPON, OBJECT_WIELDED);
  copy_text(spear.name, "spear");
  hero().health = 40;
  seed_where(tired_blow{});
  goblin_strikes();
  EXPECT_EQ(spear.status, OBJECT_WIELDED);
  EXPECT_EQ(spear.owner_player, 2);
}

}  // namespace
