// One attack, step by step.  The draws come in a fixed order (hit roll,
// effect roll, freshness, blow, location, critical, then whatever the outcome
// needs), so a seeded game replays the same fight.
#include "creatures/combat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/frontend.h"
#include "core/game_end.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/turn_order.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "creatures/score.h"
#include "items/actions.h"
#include "items/catalogue.h"
#include "items/destroy.h"
#include "items/inventory.h"
#include "core/replay.h"

namespace {

constexpr int BASE_MISS_CHANCE = 33;
constexpr int FRESH_MISS_BONUS = 10;
constexpr int RESTED_MISS_BONUS = 15;
constexpr int RANGE_MISS_PENALTY = 10;
constexpr int LAST_FUMBLE_ROLL = 4;
constexpr int TORCH_DAMAGE_VERMIN = 6;  // rats, spiders and blobs fear fire
constexpr int TORCH_DAMAGE = 3;
constexpr int FLEEING_HEALTH = 10;
constexpr int HENCHMAN_QUEST_POINTS = 10;

// The eight squares round an attacker, in the order a defender is looked for.
constexpr int DEFENDER_SEARCH[8] = {SOUTHEAST, SOUTHWEST, NORTHWEST, NORTHEAST,
                                    SOUTH,     NORTH,     EAST,      WEST};

struct attack {
  int ap, au, tp, tu;
  int hit_roll = 0, effect_roll = 0;
  int miss_chance = BASE_MISS_CHANCE;
  int damage = 0;
  unit_record& a() const { return unit[ap][au]; }
  unit_record& t() const { return unit[tp][tu]; }
};

std::string name_of(const unit_record& r) {
  return std::string(r.name, strnlen(r.name, sizeof r.name));
}

void say(const std::string& text) { message_box(text.c_str()); }

bool in_band(int roll, int low, int high) { return roll >= low && roll <= high; }

bool name_has(int k, const char* word) {
  const char* name = object[k].name;
  return std::string_view(name, strnlen(name, sizeof object[k].name)).find(word) !=
         std::string_view::npos;
}

bool is_current(int player, int u) { return player == CURRENT_PLAYER && u == CURRENT_UNIT; }

bool side_by_side(const unit_record& a, const unit_record& t) {
  return std::abs(a.x - t.x) <= 1 && std::abs(a.y - t.y) <= 1;
}

// A wielded weapon that leaves the hand for good (thrown, or a rock lost)
// takes its bonus and its weight with it, as dropping it would.
void let_go_of_weapon(int k, unit_record& a) {
  object_record& o = object[k];
  if (o.status == OBJECT_WIELDED) {
    a.damage = lowered_damage(a.damage, o.var1);
    a.ranged = 0;
  }
  a.movement += o.weight;
  o.owner_player = o.owner_unit = 0;
}

// A worn shield knocked from the arm is no longer worn: it gives back what
// wearing it gave, as taking it off would, so that it can fall like any item
// in hand.
void knock_loose(int k, int player, int u) {
  object_record& o = object[k];
  unit_record& r = unit[player][u];
  if (o.status == OBJECT_WORN) {
    if (o.var1 > 0) r.defence -= o.var1;
    r.movement -= o.weight / 2;
    o.status = OBJECT_CARRIED;
  }
  drop_item(k, player, u);
}

// The attacker faces its target, the target turns on the attacker, and the
// attack line is drawn when the party is involved.
void open_attack(attack& at) {
  unit_record& a = at.a();
  unit_record& t = at.t();
  const int saved_player = CURRENT_PLAYER, saved_unit = CURRENT_UNIT;

  a.facing = turn_to_defender(at.ap, at.au, at.tp, at.tu);
  UPDATE_MAP = 1;
  if (at.ap == 1)
    CURRENT_PLAYER = at.ap, CURRENT_UNIT = at.au;
  else
    CURRENT_PLAYER = at.tp, CURRENT_UNIT = at.tu;
  drawmap();

  // A fresh attacker strikes truer and harder; any attack ends its turn.
  if (a.moves > a.movement / 2) {
    at.miss_chance -= FRESH_MISS_BONUS;
    at.damage += std::rand() % 2 + 1;
    if (a.moves >= a.movement) {
      at.miss_chance -= RESTED_MISS_BONUS;
      at.damage += std::rand() % 2 + 1;
    }
  }
  a.moves = 0;

  t.order = ORDER_ATTACK;
  t.waypoint_index = WAYPOINT_POSITION;
  t.waypoint_x[WAYPOINT_POSITION] = a.x;
  t.waypoint_y[WAYPOINT_POSITION] = a.y;
  t.waypoint_x[WAYPOINT_TARGET] = at.ap;
  t.waypoint_y[WAYPOINT_TARGET] = at.au;

  if (at.ap == 1 || at.tp == 1) {
    const unit_record& seen_from = at.ap == 1 ? a : t;
    draw_zapline(a.x - seen_from.x, a.y - seen_from.y, t.x - seen_from.x, t.y - seen_from.y);
  }
  CURRENT_PLAYER = saved_player, CURRENT_UNIT = saved_unit;

  if (!side_by_side(a, t)) {
    at.miss_chance += RANGE_MISS_PENALTY;
    if (DEBUG_MODE > 0)
      std::printf("\nMiss Chance increased to %d for ranged combat\n", at.miss_chance);
  }
}

bool fall_down(const attack& at);

void fumble(const attack& at) {
  unit_record& a = at.a();
  const std::string who = name_of(a);
  say(who + " fumbles");
  const int weapon = carry_weapon(at.ap, at.au);
  const int shield = carry_shield(at.ap, at.au);
  const int e = at.effect_roll;
  if (in_band(e, 81, 90) && weapon) {
    say(who + " weapon dropped!");
    drop_item(weapon, at.ap, at.au);
  } else if (in_band(e, 71, 80) && shield) {
    say(who + " shield dropped!");
    knock_loose(shield, at.ap, at.au);
  } else if (in_band(e, 61, 70) && shield) {
    say(who + " spun around!");
    a.facing = std::rand() % 8;
  } else if (in_band(e, 1, 60)) {
    say(who + " hits self!");
    a.health -= std::rand() % 6 + 1;
    // A blow of its own fells it as another's would.
    if (a.health <= 0) fall_down(attack{at.ap, at.au, at.ap, at.au});
  }
}

void miss(const attack& at) {
  unit_record& a = at.a();
  say(name_of(a) + " misses!");
  if (at.ap != CURRENT_PLAYER) return;
  const int weapon = carry_weapon(at.ap, at.au);
  if (weapon && name_has(weapon, "rock")) {
    std::rand();
    let_go_of_weapon(weapon, a);
    destroy_object(weapon);
  }
}

void base_damage(attack& at) {
  unit_record& a = at.a();
  const unit_record& t = at.t();
  if (!carry_weapon(at.ap, at.au) && carry_lit_torch(at.ap, at.au)) {
    bool vermin = t.race == RACE_RAT || t.race == RACE_SPIDER || t.race == RACE_BLOB;
    a.damage = vermin ? TORCH_DAMAGE_VERMIN : TORCH_DAMAGE;
  }
  // A damage below 1 never comes from the catalogue; it must not divide.
  int blow = a.damage + std::rand() % std::max(1, a.damage);
  at.damage += blow - t.defence;
}

// A blob's goo eats into the armour on the part it hits.
void goo(attack& at, int item, const char* text) {
  if (at.a().race != RACE_BLOB || !item) return;
  say(text);
  at.damage += object[item].var1;
}

void location(attack& at, int roll) {
  const std::string who = name_of(at.t());
  if (roll >= 91) {
    goo(at, carry_head(at.tp, at.tu), "Your helmet is gooed.");
    say(who + " hit in head!");
    at.damage += at.damage / 2;
  } else if (roll >= 81) {
    say(who + " hit in right arm!");
    at.damage -= 1;
  } else if (roll >= 71) {
    goo(at, carry_shield(at.tp, at.tu), "Your shield is gooed.");
    say(who + " hit in left arm!");
    at.damage -= 1;
  } else if (roll >= 31) {
    goo(at, carry_armour(at.tp, at.tu), "Your armour is gooed.");
    say(who + " hit in body!");
  } else if (roll >= 16) {
    say(who + " hit in right leg!");
    at.damage = at.damage / 2 + 1;
  } else if (roll >= 2) {
    say(who + " hit in left leg!");
    at.damage = at.damage / 2 + 1;
  }
}

void critical(attack& at, int roll) {
  unit_record& a = at.a();
  unit_record& t = at.t();
  if (roll <= 99 - a.level) return;
  const std::string who = name_of(t);
  if ((a.race == RACE_GHOUL || a.race == RACE_SPIDER) && t.status != UNIT_POISONED) {
    say(name_of(a) + " poisons " + who);
    t.status = UNIT_POISONED;
    at.effect_roll = 0;
  }
  const int e = at.effect_roll;
  if (e > 90) {
    say(who + " knocked out!");
    t.status = UNIT_UNCONSCIOUS;
  } else if (int weapon = carry_weapon(at.tp, at.tu); in_band(e, 81, 90) && weapon) {
    say(who + "'s weapon dropped");
    drop_item(weapon, at.tp, at.tu);
  } else if (int shield = carry_shield(at.tp, at.tu); in_band(e, 71, 80) && shield) {
    say(who + "'s shield dropped");
    knock_loose(shield, at.tp, at.tu);
  } else if (int armour = carry_armour(at.tp, at.tu); in_band(e, 61, 70) && armour) {
    say(who + "'s armour damaged");
    // The wearer's defence holds the armour's worth: keep the two together.
    if (object[armour].var1 > 0) {
      object[armour].var1--;
      t.defence--;
    }
  } else if (in_band(e, 1, 60)) {
    say("CRITICAL HIT x2 damage");
    at.damage *= 2;
  }
}

void position(attack& at) {
  const int diff = at.a().facing - at.t().facing;
  if (diff == 0) {
    if (DEBUG_MODE > 0) std::printf("Unit hit from behind.");
    at.damage += at.damage / 2;
  } else if (diff == 1 || diff == -1) {
    if (DEBUG_MODE > 0) std::printf("Unit hit from near rear.");
    at.damage += at.damage / 3;
  }
}

// A throwing weapon flies on to the target's square; a rock may break.
void throw_weapon(const attack& at) {
  unit_record& a = at.a();
  const unit_record& t = at.t();
  if (at.ap != CURRENT_PLAYER || side_by_side(a, t)) return;
  const int weapon = carry_weapon(at.ap, at.au);
  if (!weapon) return;
  const bool lands_always = name_has(weapon, "spear") || name_has(weapon, "throwing");
  if (!lands_always && !name_has(weapon, "rock")) return;
  let_go_of_weapon(weapon, a);
  if (!lands_always && std::rand() % 3 != 0) {
    destroy_object(weapon);
    return;
  }
  object_record& o = object[weapon];
  o.status = OBJECT_ON_GROUND;
  o.x = t.x, o.y = t.y, o.z = t.z;
  map[t.z][t.x][t.y].object_count++;
}

// The dead leave their square free for the living.
void vacate_square(int player, int u) {
  const unit_record& r = unit[player][u];
  const map_cell& before = map[r.z][r.x][r.y];
  if (before.occupant_player != player || before.occupant_unit != u) return;
  remove_unit(player, u);
  // Open again as the ground gives it: a secret door stays a secret door.
  map[r.z][r.x][r.y].passable = square_passable(r.z, r.x, r.y);
}

void kill(const attack& at) {
  unit_record& t = at.t();
  say(name_of(t) + " killed by " + name_of(at.a()));
  // Its belongings fall while it still stands there.
  drop_all(at.tp, at.tu);
  t.status = UNIT_FREE;
  if (t.race == RACE_HENCHMAN) QUEST_NO += HENCHMAN_QUEST_POINTS;
  t.movement = t.moves = 0;
  vacate_square(at.tp, at.tu);
  create_corpse(0, t.z, t.x, t.y);
}

// False when the game is over.
bool fall_down(const attack& at) {
  unit_record& t = at.t();
  const bool dies = t.health <= DEATH_HEALTH;
  if (dies) {
    kill(at);
  } else {
    if (t.status != UNIT_UNCONSCIOUS) say(name_of(t) + " knocked out by " + name_of(at.a()));
    t.status = UNIT_UNCONSCIOUS;
    t.moves = 0;
  }
  const bool current = is_current(at.tp, at.tu);
  const bool game_ends = current && dies && (at.tp == 1 || at.tu == 1);
  // The game ends in whoever's turn it is; its last pictures show the map as
  // the party leaves it, without the creatures' banner.
  if (game_ends) END_TURN = 0;
  if (current) drawmap();
  UPDATE_MAP = 1;
  if (!current || !dies) return true;
  if (game_ends) {
    note_game_end(ENDING_KILLED, name_of(at.a()), t.z);
    warning_message("YOU ARE DEAD!", "", "GAME OVER", "", "", "", 20);
    rest_ms(500);
    final_score();
    gameover = GAME_OVER;
    return false;
  }
  next_unit();
  // The hand-over marks the old acting unit's square again; it is dead.
  vacate_square(at.tp, at.tu);
  return true;
}

void splash(const attack& at) {
  const bool show = GFX_ENGINE == 1 && at.damage > 0;
  if (is_current(at.tp, at.tu)) {
    drawmap();
    if (show) draw_splat(0, 0, at.damage);
  }
  if (is_current(at.ap, at.au)) {
    drawmap();
    const unit_record& a = at.a();
    const unit_record& t = at.t();
    if (show) draw_splat(t.x - a.x, t.y - a.y, at.damage);
  }
}

bool can_fight(int player, int u) {
  if (!unit_slot_valid(player, u) || u == 0) return false;
  const unit_record& r = unit[player][u];
  return r.status != UNIT_FREE && on_grid(r.z, r.x, r.y);
}

}  // namespace

int turn_to_defender(int attacker_player, int attacker_u, int defender_player, int defender_u) {
  recorded_command command("turn_to_defender", {attacker_player, attacker_u, defender_player, defender_u});
  if (!unit_slot_valid(attacker_player, attacker_u)) return NORTH;
  const unit_record& a = unit[attacker_player][attacker_u];
  for (int d : DEFENDER_SEARCH) {
    int x = a.x + DIRECTION_DX[d], y = a.y + DIRECTION_DY[d];
    if (!on_grid(a.z, x, y)) continue;
    const map_cell& m = map[a.z][x][y];
    if (m.occupant_player == defender_player && m.occupant_unit == defender_u) return d;
  }
  return a.facing;
}

void combat(int defender_player, int defender_u, int attacker_player, int attacker_u) {
  recorded_command command("combat", {defender_player, defender_u, attacker_player, attacker_u});
  if (!can_fight(defender_player, defender_u) || !can_fight(attacker_player, attacker_u)) return;
  if (DEBUG_MODE > 0) std::printf("\nSTART COMBAT FUNCTION");
  attack at{attacker_player, attacker_u, defender_player, defender_u};
  at.hit_roll = std::rand() % 100 + 1;
  at.effect_roll = std::rand() % 100 + 1;

  open_attack(at);
  if (at.hit_roll <= LAST_FUMBLE_ROLL) {
    fumble(at);
    return;
  }
  if (at.hit_roll < at.miss_chance) {
    miss(at);
    return;
  }

  base_damage(at);
  const int location_roll = std::rand() % 100 + 1;
  const int critical_roll = std::rand() % 100 + 1;
  location(at, location_roll);
  critical(at, critical_roll);
  position(at);

  unit_record& t = at.t();
  at.damage = std::max(0, at.damage);
  rest_ms(2);
  t.health -= at.damage;
  if (at.tp == 1 && at.tu == 1) note_leader_struck(name_of(at.a()));
  if (DEBUG_MODE > 0)
    std::printf("%s hit for %d damage by %s\n", name_of(t).c_str(), at.damage,
                name_of(at.a()).c_str());

  throw_weapon(at);
  if (t.health <= FLEEING_HEALTH) t.order = ORDER_FLEE;
  if (t.health <= 0 && !fall_down(at)) return;
  splash(at);
  if (DEBUG_MODE > 0) std::printf("\nEXIT COMBAT attack finished\n\n");
}
