// The hero's backstory: six lines drawn from small tables, each choice
// nudging the hero's numbers.
#include "generation/character.h"

#include <cstdlib>
#include <string>

#include "core/frontend.h"
#include "core/seed.h"
#include "core/world.h"

namespace {

struct story_choice {
  const char* text;
  int strength, health, defence, movement;
};

using story_table = story_choice[4];

const story_table BIRTH = {{" 1st son of a", 0, 0, 0, 0},
                           {" 2nd son of a", 0, 0, 0, 0},
                           {" 3rd son of a", 0, 0, 0, 0},
                           {" 4th son of a", 0, 0, 0, 0}};
const story_table FAMILY = {{" poor", 0, -5, 0, 0},
                            {" hardworking", 1, 0, 0, 0},
                            {" wealthy", 0, 5, 0, 0},
                            {"n itinerant", 0, 0, -1, 0}};
const story_table TRADE = {{" craftsman.", 1, 0, 0, 0},
                           {" peasant.", 0, -5, 0, 0},
                           {" merchant.", 0, 0, 1, 0},
                           {" lord.", 0, 5, 0, 0}};
const story_table OMEN = {{" there was a huge storm,", 0, 0, 0, 0},
                          {" it was a holyday,", 0, 0, 0, 0},
                          {" the fairies blessed you,", 0, 5, 0, 0},
                          {" it was a fullmoon,", 0, 0, 0, 0}};
const story_table EVENT = {{" but sadly your mother died giving birth to you.", 0, 0, 0, 0},
                           {" and there was a solar eclipse.", 0, 0, 0, 0},
                           {" whilst a plague swept the land.", 0, -5, 0, 0},
                           {" and an evil witch cursed you.", 0, 0, -1, 0}};
const story_table YOUTH = {{" your village was raided by barbarians,", 0, 0, 0, 0},
                           {" your father was murdered,", 0, 0, 0, 0},
                           {" you were raised by your grandparents,", 0, 0, 0, 0},
                           {" you were a sickly child,", -1, 0, 0, 0}};
const story_table UPBRINGING = {{" and you learnt to read and write", 0, 0, 0, 0},
                                {" and you were sold into slavery.", 0, 0, 1, 0},
                                {" and you worked hard.", 1, 0, 0, 0},
                                {" and you went into the priesthood.", 0, 0, 1, 0}};
const story_table CALLING = {{" you trained to be a fighter,", 1, 5, 0, 0},
                             {" you studied in priestly ways,", 0, 0, 1, 0},
                             {" you worked as an apprentice,", 0, 5, 0, 0},
                             {" you learnt how to steal and rob,", 0, 0, 0, 10}};
const story_table ENDING = {{" for many moons.", 0, 5, 0, 0},
                            {" until you ran-away.", 0, 0, 0, 0},
                            {" but sickness forced you to stop.", 0, -5, 0, 0},
                            {" but gave it all up for love.", 0, 0, 0, 0}};

const char* const QUESTS[4] = {" to obtain the magic herbs to heal your dying sister,",
                               " to find fame and fortune,", " to avenge your brother's murder,",
                               " to rescue your beloved,"};

// Draws one choice of a table, applies its effect and adds its text.
void tell(std::string& line, const story_table& table) {
  const story_choice& c = table[std::rand() % 4];
  unit_record& hero = unit[1][1];
  hero.strength += c.strength;
  hero.health += c.health;
  hero.defence += c.defence;
  hero.movement += c.movement;
  line += c.text;
}

}  // namespace

void generate_character() {
  std::string lines[6] = {"You are the",           "When you were born",
                          "As you grew up",        "As a young man",
                          "After many adventures", "you find yourself standing at the Grimhollow."};
  tell(lines[0], BIRTH);
  tell(lines[0], FAMILY);
  tell(lines[0], TRADE);
  tell(lines[1], OMEN);
  tell(lines[1], EVENT);
  tell(lines[2], YOUTH);
  tell(lines[2], UPBRINGING);
  tell(lines[3], CALLING);
  tell(lines[3], ENDING);
  // The quest line takes its draw like the others, but the quest itself was
  // settled when the world was built.
  std::rand();
  if (QUEST_NO >= 1 && QUEST_NO <= 4) lines[4] += QUESTS[QUEST_NO - 1];
  clear_screen();
  WARNING_FOOTNOTE = seed_label();
  warning_message(lines[0].c_str(), lines[1].c_str(), lines[2].c_str(), lines[3].c_str(),
                  lines[4].c_str(), lines[5].c_str(), 15);
}
