// Searching a crypt or a container.  Declared with the other item actions in
// items/use.h; built here because a search turns the unit to face the square
// and an open crypt may hold a ghoul, and both live above the items.
#include <cstdlib>
#include <string>

#include "core/actions/movement.h"
#include "core/frontend.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "items/catalogue.h"
#include "items/inventory.h"
#include "items/use.h"
#include "core/replay.h"

namespace {

constexpr int SEARCH_COST = 10;
constexpr int CRYPT_PLAYER = 2;  // the dead belong to the monsters
constexpr int SPARKLES = 3;

void sparkle_at(const unit_record& me, int x, int y) {
  draw_explosion(x - me.x, y - me.y, SPARKLES);
}

void search_crypt(unit_record& me, int s, int x, int y, int z, int lx, int ly) {
  if (s <= 2) {
    message_box("Amongst the bones you find something");
    drawmap();
    sparkle_at(me, x, y);
    switch (std::rand() % 3) {
      case 0:
        create_weapon(0, z, lx, ly);
        break;
      case 1:
        create_gem(0, z, lx, ly);
        break;
      default:
        create_armour(0, z, lx, ly);
        break;
    }
    me.moves = 0;
  } else if (s <= 7) {
    message_box("You find nothing.");
    me.moves -= SEARCH_COST;
  } else {
    // A ghoul needs a free slot and an empty crypt square; without them the
    // dead stay where they lie.
    const int g = next_free_unit(CRYPT_PLAYER);
    if (map[z][x][y].occupant_unit < 1 && g >= 1 && g < UNIT_SLOTS) {
      create_monster(CRYPT_PLAYER, g, z, x, y, RACE_GHOUL);
      if (unit[CRYPT_PLAYER][g].status != UNIT_FREE && unit[CRYPT_PLAYER][g].status != 0) {
        UPDATE_MAP = 1;
        message_box("A Ghoul leaps out!");
      }
    }
    me.moves = 0;
  }
  map[z][x][y].scenery = SCENERY_SEARCHED_CRYPT;
}

void search_container(unit_record& me, int x, int y, int z) {
  const int c = which_container(z, x, y);
  if (c < 1 || c >= CONTAINER_SLOTS) return;
  container[c].facing = opposite_direction(me.facing);
  if (container_held(c) == 0) {
    message_box((std::string("The ") + container[c].name + " is empty.").c_str());
    return;
  }
  sparkle_at(me, x, y);
  list_items_in_containter(c);
  me.moves -= SEARCH_COST;
}

}  // namespace

void search_object(int code, int x, int y, int z) {
  recorded_command command("search_object", {code, x, y, z});
  const int player = CURRENT_PLAYER, u = CURRENT_UNIT;
  if (!unit_slot_valid(player, u) || !on_grid(z, x, y)) return;
  unit_record& me = unit[player][u];
  turn_to_square(player, u, x, y);
  const int s = std::rand() % 10;
  if (me.moves <= 0) return;
  // Finds land on the searcher's side of the square.
  int lx = x, ly = y;
  if (me.facing >= NORTH && me.facing <= NORTHWEST) {
    lx -= DIRECTION_DX[me.facing];
    ly -= DIRECTION_DY[me.facing];
  }
  if (!on_grid(z, lx, ly)) lx = x, ly = y;
  switch (code) {
    case SCENERY_SEARCHED_CRYPT:
      message_box("You find nothing.");
      break;
    case SCENERY_OPEN_CRYPT:
      search_crypt(me, s, x, y, z, lx, ly);
      break;
    case SCENERY_CONTAINER:
      search_container(me, x, y, z);
      break;
    default:
      break;
  }
}
