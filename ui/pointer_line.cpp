#include "ui/pointer_line.h"

#include <algorithm>
#include <cstring>

#include "core/actions/scenery.h"
#include "core/start_health.h"
#include "core/world.h"
#include "items/inventory.h"
#include "ui/input.h"
#include "ui/view_settings.h"

namespace {

std::string text_of(const char* field, std::size_t size) {
  return std::string(field, strnlen(field, size));
}

// Words for the scenery the map draws that examining leaves unnamed.  Hidden
// traps, secret doors and quicksand are never named: the map does not draw
// them either.  A prisoner is drawn as a statue and told as one; the trapdoor
// a climb leaves is the way back down, as the map draws it.
const char* scenery_words(int scenery) {
  switch (scenery) {
    case SCENERY_WEB:
      return "A spider's web.";
    case SCENERY_KNOWN_TRAP:
      return "A trap.";
    case SCENERY_SPRUNG_SPIKES:
      return "Sprung spikes.";
    case SCENERY_WELL:
      return "A well.";
    case SCENERY_FIRE:
      return "A fire.";
    case SCENERY_NEST:
      return "A nest.";
    case SCENERY_BRIDGE_EW:
    case SCENERY_BRIDGE_NS:
      return "A bridge.";
    case SCENERY_PRISONER:
      return scenery_description(SCENERY_STATUE);
    case SCENERY_TRAPDOOR:
      return scenery_description(SCENERY_LADDER_DOWN);
    case SCENERY_SECRET_HIDDEN:
    case SCENERY_HIDDEN_TRAP:
    case SCENERY_QUICKSAND:
      return nullptr;
    default:
      return scenery_description(scenery);
  }
}

const char* terrain_words(int terrain) {
  switch (terrain) {
    case TERRAIN_WINDOW:
      return "A window.";
    case TERRAIN_STAIRS_NS:
    case TERRAIN_STAIRS_EW:
      return "Stairs.";
    case TERRAIN_METAL_DOOR_CLOSED:
      return "A closed metal door.";
    case TERRAIN_METAL_DOOR_OPEN:
      return "An open metal door.";
    case TERRAIN_SMASHED_DOOR:
      return "A smashed door.";
    default:
      return "Floor.";
  }
}

std::string square_words(int z, int x, int y) {
  std::string words = examine_words(x, y, z);
  if (words.empty()) {
    const char* s = scenery_words(map[z][x][y].scenery);
    words = s ? s : terrain_words(map[z][x][y].terrain);
  }
  const environment_cell& e = environment[z][x][y];
  if (e.lava > 0) words += " Lava.";
  if (e.water > 0) words += " Water.";
  if (e.track != TRACK_NONE) words += " Mine track.";
  return words;
}

std::string items_words(int z, int x, int y) {
  int count = 0, top = 0;
  for (int k = 1; k < std::min(MAX_OBJECTS, OBJECT_SLOTS); k++) {
    const object_record& o = object[k];
    if (o.status != OBJECT_ON_GROUND || o.x != x || o.y != y || o.z != z) continue;
    count++;
    top = k;  // the map draws the highest-numbered on top
  }
  if (count == 0) return "";
  std::string words = " Lying here: " + text_of(object[top].name, sizeof object[top].name);
  if (count > 1)
    words += " and " + std::to_string(count - 1) + " more item" + (count > 2 ? "s" : "");
  return words + ".";
}

std::string creature_words(int z, int x, int y) {
  const map_cell& c = map[z][x][y];
  int p = c.occupant_player, u = c.occupant_unit;
  if (p < 1 || u < 1 || !unit_slot_valid(p, u)) return "";
  const unit_record& m = unit[p][u];
  if (m.status == UNIT_FREE || m.x != x || m.y != y || m.z != z) return "";
  std::string name = text_of(m.name, sizeof m.name);
  if (name.find_first_not_of(' ') == std::string::npos) name = "Someone";
  return name + " (" + (p == 1 ? "party" : "enemy") + ", " +
         wounded_word(m.health, start_health(p, u)) + "). ";
}

// The map shows a seen square only where there is light to see it by (a
// light carried by the acting unit, the whole level lit, a metal room) or
// beside a party member; elsewhere the screen is dark and so is this line.
bool shown_on_map(int z, int x, int y) {
  if (carry_light(CURRENT_PLAYER, CURRENT_UNIT) > 0 || IS_GLOBAL_LIGHTING_ON == 1 ||
      environment[z][x][y].zone == ZONE_METAL_ROOM)
    return true;
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++)
      if (on_grid(z, x + dx, y + dy) && map[z][x + dx][y + dy].occupant_player == CURRENT_PLAYER)
        return true;
  return false;
}

}  // namespace

const char* wounded_word(int health, int start) {
  if (start < 1) start = 1;
  if (health >= start) return "unhurt";
  if (health * 100 >= start * 60) return "hurt";
  if (health * 100 >= start * 25) return "badly hurt";
  return "near death";
}

std::string pointer_line(int z, int x, int y) {
  if (!on_grid(z, x, y) || !shown_on_map(z, x, y)) return "";
  int seen = map[z][x][y].revealed;
  if (seen == 2) return "Remembered: " + square_words(z, x, y);
  if (seen != 1) return "";
  return creature_words(z, x, y) + square_words(z, x, y) + items_words(z, x, y);
}

bool pointer_square(int mouse_x, int mouse_y, int& x, int& y, int& z) {
  if (mouse_x < 10 || mouse_y < 10 || mouse_x >= WIDTH || mouse_y >= HEIGHT) return false;
  if (BUTTON_BAR == -1 && button_at(mouse_x, mouse_y) != BUTTON_NONE) return false;
  if (MESSAGE_BAR == -1 && mouse_y >= HEIGHT - (M_box[2] + 20) && mouse_x < M_box[1]) return false;
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return false;
  const unit_record& a = unit[CURRENT_PLAYER][CURRENT_UNIT];
  x = a.x + pointer_dx(mouse_x);
  y = a.y + pointer_dy(mouse_y);
  z = a.z;
  return on_grid(z, x, y);
}
