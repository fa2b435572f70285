// Looking: the reports of what is underfoot, ahead and on a square.
#include "items/look.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/facing.h"
#include "core/frontend.h"
#include "core/world.h"

namespace {

int scan_end() { return std::min(MAX_OBJECTS, OBJECT_SLOTS); }

std::vector<std::string> names_on_square(int z, int x, int y) {
  std::vector<std::string> names;
  for (int i = 1; i < scan_end(); i++) {
    const object_record& o = object[i];
    if (o.status == OBJECT_ON_GROUND && o.z == z && o.x == x && o.y == y)
      names.emplace_back(o.name);
  }
  return names;
}

const char* underfoot_text(int z, int x, int y) {
  if (environment[z][x][y].water != 0) return "You are standing in water.";
  if (environment[z][x][y].lava != 0) return "You are standing on lava.";
  switch (map[z][x][y].terrain) {
    case TERRAIN_STONE_FLOOR:
    case TERRAIN_ROOM_FLOOR:
    case TERRAIN_PASSAGE_FLOOR:
      return "You are standing on a stonefloor.";
    case TERRAIN_WOODEN_FLOOR:
      return "You are standing on wooden floorboards.";
    case TERRAIN_OPEN_DOOR:
      return "You are standing in a doorway.";
    case TERRAIN_ROCK:
      return "You are standing in a secret passage.";
    default:
      return "You are somewhere.";
  }
}

const char* terrain_ahead_text(int terrain) {
  switch (terrain) {
    case TERRAIN_BUILT_WALL:
      return "Directly infront of you is a stonewall.";
    case TERRAIN_CLOSED_DOOR:
      return "Directly infront of you is a closed door.";
    case TERRAIN_OPEN_DOOR:
      return "Directly infront of you is an open door.";
    case TERRAIN_ROCK:
      return "Directly infront of you is a wall.";
    default:
      return nullptr;
  }
}

std::string scenery_ahead_text(int scenery, int z, int x, int y) {
  switch (scenery) {
    case SCENERY_CRYPT:
      return "Directly infront of you is a closed crypt. ";
    case SCENERY_OPEN_CRYPT:
    case SCENERY_SEARCHED_CRYPT:
      return "Directly infront of you is an open crypt. ";
    case SCENERY_CONTAINER: {
      const int c = which_container(z, x, y);
      const char* name = c > 0 && c < CONTAINER_SLOTS ? container[c].name : "";
      return std::string("Directly infront of you is a ") + name + ".";
    }
    case SCENERY_WEB:
      return "Directly infront of you is a web. ";
    case SCENERY_MUSHROOMS:
      return "Directly infront of you is a patch of mushrooms. ";
    case SCENERY_HERBS:
      return "Directly infront of you are some exotic herbs. ";
    case SCENERY_BOULDER:
      return "Directly infront of you is a boulder. ";
    case SCENERY_LADDER_DOWN:
      return "Directly infront of you are some stairs going down.";
    case SCENERY_LADDER_UP:
      return "Directly infront of you are some stairs going up.";
    case SCENERY_FIRE:
      return "Directly infront of you is a fire. ";
    case SCENERY_KNOWN_TRAP:
      return "Directly infront of you is a trap. ";
    case SCENERY_MINE_CART:
      return "Directly infront of you is a minecart.";
    case SCENERY_STATUE:
      return "Directly infront of you is a stone statue. ";
    case SCENERY_LARGE_CHEST:
      return "Directly infront of you is a large chest. ";
    case SCENERY_POOL:
      return "Directly infront of you is a pool of murky water.";
    case SCENERY_OIL:
      return "Directly infront of you is a pool of black tar. ";
    default:
      return "There is something ahead of you.";
  }
}

}  // namespace

const char* status_mark(int status) {
  switch (status) {
    case OBJECT_WORN:
      return "(worn)";
    case OBJECT_PACKED:
      return "(packed)";
    case OBJECT_WIELDED:
      return "(*)";
    case OBJECT_CURRENT_WEAPON:
      return "(current weapon)";
    default:
      return "";
  }
}

void show_item_names(const std::string& head, const std::string names[], int count,
                     const std::string& tail) {
  std::string text = head;
  bool named = false;  // the piece holds at least one name
  for (int i = 0; i < count; i++) {
    const std::string item = names[i] + ", ";
    if (named && text.size() + item.size() > static_cast<std::size_t>(LIST_PIECE_WIDTH)) {
      message_box(text.c_str());
      text = "  ";
    }
    text += item;
    named = true;
  }
  text += tail;
  message_box(text.c_str());
}

void look() {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  const unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  if (!on_grid(me.z, me.x, me.y)) return;
  message_box(underfoot_text(me.z, me.x, me.y));

  if (map[me.z][me.x][me.y].object_count != 0) {
    const std::vector<std::string> names = names_on_square(me.z, me.x, me.y);
    show_item_names("You can see ", names.data(), static_cast<int>(names.size()), "here.");
  }

  if (me.facing < NORTH || me.facing > NORTHWEST) return;
  const int ax = me.x + DIRECTION_DX[me.facing], ay = me.y + DIRECTION_DY[me.facing];
  if (!on_grid(me.z, ax, ay)) return;  // the edge of the level: nothing to tell
  if (const char* t = terrain_ahead_text(map[me.z][ax][ay].terrain)) message_box(t);
  const int scenery = map[me.z][ax][ay].scenery;
  if (scenery != SCENERY_NONE && scenery != SCENERY_HIDDEN_TRAP)
    message_box(scenery_ahead_text(scenery, me.z, ax, ay).c_str());
}

void look_at_object(int x, int y, int z) {
  if (!on_grid(z, x, y)) return;
  const std::vector<std::string> names = names_on_square(z, x, y);
  show_item_names("There appears to be ", names.data(), static_cast<int>(names.size()), ".");
}

void display_item_desc(int k) {
  if (k < 1 || k >= OBJECT_SLOTS || object[k].status == OBJECT_FREE) return;
  message_box(object[k].description);
}
