// Random names and words.
#include "generation/names.h"

#include <cstdlib>
#include <cstring>

#include "core/world.h"

static const char* const first_names[5] = {"Hagar ", "Edmund ", "Rolf ", "Tarquin ", "Kurt "};
static const char* const epithets[5] = {"the Adventurous", "the Brave", "the Foolish", "the Elder",
                                        "the Younger"};

void create_name(int player, int u) {
  if (!unit_slot_valid(player, u)) return;
  std::rand();  // one roll is thrown away before the name is picked
  std::string name = first_names[std::rand() % 5];
  name += epithets[std::rand() % 5];
  copy_text(unit[player][u].name, name.c_str());
}

std::string scramble_word(const char* text) {
  std::size_t length = text ? std::strlen(text) : 0;
  std::string word;
  word += static_cast<char>('A' + std::rand() % 26);
  for (std::size_t i = 0; i < length; i++) word += static_cast<char>('a' + std::rand() % 26);
  return word;
}
