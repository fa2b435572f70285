// Random names and words.
#include "creatures/names.h"

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
