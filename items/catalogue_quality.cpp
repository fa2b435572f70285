// Quality steps.  The roll is one draw shifted by depth: shallow levels pull
// it down (and off the table, into the worst row), deep levels push it up.
#include <cstdlib>

#include "core/world.h"
#include "items/catalogue_quality.h"

int item_depth() {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return 0;
  return unit[CURRENT_PLAYER][CURRENT_UNIT].z;
}

static bool step_target(int k) { return k >= 1 && k < OBJECT_SLOTS; }

void item_metal(int k) {
  if (!step_target(k)) return;
  int d = item_depth();
  int roll = std::rand() % 4 - (d < 4) + (d >= 6) + (d >= 9);
  object_record& o = object[k];
  const char* word = "stone ";
  switch (roll) {
    case 1:
      word = "copper ";
      o.var1 -= 1;
      break;
    case 2:
      word = "bronze ";
      break;
    case 3:
      word = "iron ";
      o.var1 += 2;
      break;
    case 4:
      word = "steel ";
      o.var1 += 4;
      break;
    case 5:
      word = "tempered ";
      o.var1 *= 2;
      break;
    default:
      o.var1 /= 2;
      break;
  }
  append_text(o.description, word);
}

void item_condition(int k) {
  if (!step_target(k)) return;
  int d = item_depth();
  int roll = std::rand() % 3 - (d < 4) + (d >= 5) + (d >= 9);
  object_record& o = object[k];
  const char* word = "broken ";
  switch (roll) {
    case 1:
      word = "average ";
      break;
    case 2:
      word = "nice ";
      o.var1 += 1;
      break;
    case 3:
      word = "fine ";
      o.var1 += 2;
      break;
    case 4:
      word = "excellent ";
      o.var1 += 4;
      break;
    default:
      o.var1 /= 2;
      break;
  }
  append_text(o.description, word);
}

void item_age(int k) {
  if (!step_target(k)) return;
  int d = item_depth();
  int roll = std::rand() % 3 - (d < 4) + (d >= 8);
  object_record& o = object[k];
  const char* word = "ancient ";
  switch (roll) {
    case 1:
      word = "used ";
      break;
    case 2:
      word = "fine ";
      o.var1 += o.var1 / 2;
      break;
    case 3:
      word = "master ";
      o.var1 = 2 * o.var1 + 3;
      break;
    default:
      o.var1 /= 2;
      break;
  }
  append_text(o.description, word);
}

void food_state(int k) {
  if (!step_target(k)) return;
  int d = item_depth();
  int roll = std::rand() % 3 - (d < 4) + (d >= 8);
  object_record& o = object[k];
  const char* word = " rotten";
  switch (roll) {
    case 1:
      word = " stale";
      o.var1 -= 2;
      break;
    case 2:
      word = " edible";
      o.var1 *= 2;
      break;
    case 3:
      word = " strange";
      o.var1 = 2 * o.var1 + 2;
      break;
    default:
      o.var1 /= 2;
      break;
  }
  append_text(o.description, word);
}

void gem_quality(int k) {
  if (!step_target(k)) return;
  int d = item_depth();
  int roll = std::rand() % 4 - (d < 4) + (d >= 8);
  object_record& o = object[k];
  const char* word = "chipped ";
  switch (roll) {
    case 1:
      word = "rough ";
      break;
    case 2:
      word = "";
      o.worth = o.worth * 3 / 2;
      break;
    case 3:
      word = "cut ";
      o.worth *= 3;
      break;
    case 4:
      word = "flawless ";
      o.worth *= 5;
      break;
    default:
      o.worth /= 3;
      break;
  }
  append_text(o.name, word);
}

void stone_type(int k) {
  if (!step_target(k)) return;
  int d = item_depth();
  int roll = std::rand() % 5 - (d < 4) + (d >= 8);
  object_record& o = object[k];
  const char* word = "crystal ";
  switch (roll) {
    case 1:
      word = "emerald ";
      break;
    case 2:
      word = "sapphire ";
      o.worth *= 2;
      break;
    case 3:
      word = "ruby ";
      o.worth *= 3;
      break;
    case 4:
      word = "amethyst ";
      o.worth *= 5;
      break;
    case 5:
      word = "diamond ";
      o.worth *= 8;
      break;
    default:
      o.worth /= 5;
      break;
  }
  append_text(o.name, word);
}

void coin_type(int k) {
  if (!step_target(k)) return;
  int d = item_depth();
  int roll = std::rand() % 5 - (d < 4) + (d >= 8);
  object_record& o = object[k];
  const char* word = " common ";
  switch (roll) {
    case 1:
      word = " bronze ";
      break;
    case 2:
      word = " silver ";
      o.worth *= 3;
      break;
    case 3:
      word = " gold ";
      o.worth *= 10;
      break;
    case 4:
      word = " platinum ";
      o.worth *= 25;
      break;
    case 5:
      word = " royal ";
      o.worth *= 100;
      break;
    default:
      o.worth /= 2;
      break;
  }
  append_text(o.description, word);
}
