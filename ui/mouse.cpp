#include "ui/mouse.h"

#include <cstdlib>
#include <cstring>

#include "core/actions/barrels.h"
#include "core/actions/doors.h"
#include "core/actions/jump.h"
#include "core/actions/movement.h"
#include "core/actions/push.h"
#include "core/actions/rope.h"
#include "core/actions/scenery.h"
#include "core/actions/traps.h"
#include "core/facing.h"
#include "core/frontend.h"
#include "core/world.h"
#include "creatures/ai/mouse_moves.h"
#include "creatures/combat.h"
#include "creatures/neighbours.h"
#include "creatures/sight.h"
#include "items/actions.h"
#include "items/inventory.h"
#include "items/look.h"
#include "items/use.h"
#include "ui/input.h"
#include "ui/view_settings.h"

namespace {

unit_record& acting() { return unit[CURRENT_PLAYER][CURRENT_UNIT]; }

bool acting_valid() {
  return unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT) &&
         on_grid(acting().z, acting().x, acting().y);
}

bool object_valid(int k) { return k > 0 && k < OBJECT_SLOTS && k <= MAX_OBJECTS; }

bool owned(const object_record& o) {
  return o.owner_player == CURRENT_PLAYER && o.owner_unit == CURRENT_UNIT;
}

// The square next to the acting unit in the way it faces.
bool front_square(int& x, int& y) {
  const unit_record& me = acting();
  if (me.facing < NORTH || me.facing > NORTHWEST) return false;
  x = me.x + DIRECTION_DX[me.facing];
  y = me.y + DIRECTION_DY[me.facing];
  return on_grid(me.z, x, y);
}

}  // namespace

// ---------------------------------------------------------------------------
// Pop-up geometry
// ---------------------------------------------------------------------------
bool menu_keeps_open(int left, int top, int reach, int mouse_x, int mouse_y) {
  return mouse_x >= left - 3 && mouse_x <= left + 204 && mouse_y >= top - 3 &&
         mouse_y <= top + reach;
}

int menu_highlight(int current, int top, int rows, int mouse_y) {
  if (mouse_y > top && mouse_y < top + 10) return 0;
  for (int k = 1; k <= rows && k <= MENU_MAX_ROWS; k++)
    if (mouse_y > top + 10 * k && mouse_y < top + 10 * k + 10)
      return k <= MENU_CHOOSABLE_ROWS ? k : 0;
  return current;
}

void menu_origin(int mouse_x, int mouse_y, int w, int h, int screen_w, int screen_h, int& left,
                 int& top) {
  left = mouse_x;
  top = mouse_y;
  if (left + w > screen_w) left = screen_w - w;
  if (top + h > screen_h) top = screen_h - h;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
}

// ---------------------------------------------------------------------------
// Step or turn
// ---------------------------------------------------------------------------
namespace {

// One row of the click table: the facing a click asks for, and the facings
// from which the unit turns left towards it (it turns right from the rest).
struct click_turn {
  int wanted;
  unsigned left_from;  // bit f set: from facing f turn left
};
constexpr unsigned bits(std::initializer_list<int> fs) {
  unsigned b = 0;
  for (int f : fs) b |= 1u << f;
  return b;
}
constexpr click_turn CLICK_TURNS[8] = {
    {NORTH, bits({1, 2, 3, 4})},  {NORTHEAST, bits({2, 3, 4, 5})}, {EAST, bits({3, 4, 5, 6})},
    {SOUTHEAST, bits({4, 5, 6})}, {SOUTH, bits({5, 6, 7})},        {SOUTHWEST, bits({6, 7, 0})},
    {WEST, bits({7, 0, 1, 2})},   {NORTHWEST, bits({0, 1, 2, 3})},
};

}  // namespace

int mainbox_wanted_facing(int mouse_x, int mouse_y) {
  int cx = (MAPTILES_X / 2) * TILE_SIZE, cy = (MAPTILES_Y / 2) * TILE_SIZE;
  bool left = mouse_x<cx + 20, right = mouse_x> cx + 60;
  bool up = mouse_y<cy + 20, down = mouse_y> cy + 60;
  if (up && left) return NORTHWEST;
  if (up && right) return NORTHEAST;
  if (down && left) return SOUTHWEST;
  if (down && right) return SOUTHEAST;
  if (up) return NORTH;
  if (down) return SOUTH;
  if (left) return WEST;
  if (right) return EAST;
  return -1;
}

int mainbox_turn(int facing, int wanted) {
  if (facing == wanted) return 0;
  if (wanted < NORTH || wanted > NORTHWEST || facing < NORTH || facing > NORTHWEST) return 0;
  return (CLICK_TURNS[wanted].left_from >> facing) & 1u ? -1 : +1;
}

void mainbox_click(int mouse_x, int mouse_y) {
  if (!acting_valid()) return;
  int wanted = mainbox_wanted_facing(mouse_x, mouse_y);
  if (wanted < 0) return;
  unit_record& me = acting();
  int turn = mainbox_turn(me.facing, wanted);
  if (turn != 0) {
    // One eighth towards the neighbour facing: turn_to's cost, this way round.
    turn_to(CURRENT_PLAYER, CURRENT_UNIT, (me.facing + turn + 8) % 8);
    UPDATE_MAP = 1;
    return;
  }
  mouse_step(CURRENT_PLAYER, CURRENT_UNIT, wanted);
}

// ---------------------------------------------------------------------------
// Route by dragging
// ---------------------------------------------------------------------------
void drag_square(int mouse_x, int mouse_y, int& x, int& y) {
  x = acting().x + pointer_dx(mouse_x);
  y = acting().y + pointer_dy(mouse_y);
}

bool drag_target_usable(int z, int x, int y) {
  return on_grid(z, x, y) && map[z][x][y].passable != 0 && map[z][x][y].revealed != 0;
}

bool route_square_safe(int z, int x, int y) {
  if (!on_grid(z, x, y)) return false;
  const map_cell& c = map[z][x][y];
  return c.revealed == 1 && c.scenery != SCENERY_FIRE && c.scenery != SCENERY_HOLE &&
         c.scenery != SCENERY_QUICKSAND && c.object_count == 0;
}

namespace {
constexpr int ROUTE_END = 999;

bool route_entry_ends(const unit_record& me, int i) {
  return me.waypoint_x[i] == 0 || me.waypoint_x[i] == ROUTE_END;
}
}  // namespace

std::vector<route_mark> route_marks() {
  std::vector<route_mark> marks;
  if (!acting_valid()) return marks;
  const unit_record& me = acting();
  for (int i = 1; i < WAYPOINTS && !route_entry_ends(me, i); i++) {
    int x = me.waypoint_x[i], y = me.waypoint_y[i];
    marks.push_back({x, y, route_square_safe(me.z, x, y)});
  }
  return marks;
}

// ---------------------------------------------------------------------------
// The action menu of a square
// ---------------------------------------------------------------------------
namespace {

struct square_view {
  int x, y, z;
  const map_cell* cell;
  const environment_cell* env;
  int container;  // 0 none
  bool own, adjacent;
};

square_view look_at(int x, int y) {
  const unit_record& me = acting();
  square_view s{x, y, me.z, &map[me.z][x][y], &environment[me.z][x][y], 0, false, false};
  s.container = which_container(me.z, x, y);
  s.own = x == me.x && y == me.y;
  s.adjacent = std::abs(x - me.x) <= 1 && std::abs(y - me.y) <= 1;
  return s;
}

const container_record* container_of(const square_view& s) {
  return s.container > 0 && s.container < CONTAINER_SLOTS ? &container[s.container] : nullptr;
}

bool container_open(const square_view& s) {
  const container_record* k = container_of(s);
  return k && k->state == CONTAINER_OPEN;
}

std::string container_name(const square_view& s) {
  const container_record* k = container_of(s);
  return k ? k->name : "";
}

int wielded() { return carry_weapon(CURRENT_PLAYER, CURRENT_UNIT); }
int weapon_range() {
  int w = wielded();
  return object_valid(w) ? object[w].range : 0;
}
bool weapon_digs() {
  int w = wielded();
  if (!object_valid(w)) return false;
  return std::strstr(object[w].name, "pickaxe") || std::strstr(object[w].name, "shovel");
}
bool lit_torch() { return carry_lit_torch(CURRENT_PLAYER, CURRENT_UNIT) > 0; }
bool torch() { return carry_torch(CURRENT_PLAYER, CURRENT_UNIT) > 0; }
int ahead_code() { return extra_facing(acting().facing, CURRENT_PLAYER, CURRENT_UNIT); }
int ahead_terrain() { return facing(acting().facing, CURRENT_PLAYER, CURRENT_UNIT); }
bool rock_ahead() { return ahead_code() == SCENERY_RUBBLE || ahead_terrain() == TERRAIN_EARTH; }

bool enemy_on(const square_view& s) {
  return s.cell->occupant_unit >= 1 && s.cell->occupant_player >= 1 &&
         s.cell->occupant_player != CURRENT_PLAYER;
}
bool friend_on(const square_view& s) {
  return s.cell->occupant_unit >= 1 && s.cell->occupant_player == CURRENT_PLAYER &&
         s.cell->occupant_unit != CURRENT_UNIT;
}

bool hidden(const square_view& s) { return s.cell->scenery == SCENERY_HIDDEN_TRAP; }

bool offers_interaction(const square_view& s) {
  if (!s.adjacent || hidden(s)) return false;
  const map_cell& c = *s.cell;
  return c.scenery >= 1 || c.terrain == TERRAIN_CLOSED_DOOR || c.terrain == TERRAIN_OPEN_DOOR ||
         s.env->water != 0 || (s.env->lava != 0 && torch());
}

bool offers_melee(const square_view& s) {
  // The blow goes to the square ahead, so it is never the unit's own.
  if (!s.adjacent || s.own) return false;
  int range = weapon_range();
  if (range != 1 && !lit_torch()) return false;
  if (enemy_on(s)) return true;
  if (ahead_code() == SCENERY_CRYSTAL && range > 0) return true;
  if (rock_ahead() && weapon_digs()) return true;
  return range >= 1 && (ahead_terrain() == TERRAIN_CLOSED_DOOR || s.container > 0);
}

bool offers_hit(const square_view& s) {
  bool shot = enemy_on(s) && weapon_range() > 1 && acting().moves > 15;
  return shot || offers_melee(s);
}

std::string take_label(const square_view& s) {
  if (s.cell->scenery == SCENERY_CONTAINER && container_of(s))
    return "TAKE FROM " + container_name(s);
  return "TAKE OBJECT";
}

bool offers_rope_climb(const square_view& s) {
  const unit_record& me = acting();
  return s.own && me.z < LEVELS - 1 && me.moves >= me.movement - 20 &&
         carry_rope(CURRENT_PLAYER, CURRENT_UNIT) > 0 &&
         map[me.z + 1][me.x][me.y].scenery == SCENERY_HOLE;
}

bool offers_take_all(const square_view& s) {
  int n = s.cell->object_count;
  return s.own && n > 1 && acting().moves > 25 * n &&
         carried_objects(CURRENT_PLAYER, CURRENT_UNIT) < 8 - n;
}

}  // namespace

void face_square(int x, int y) {
  if (!acting_valid()) return;
  const unit_record& me = acting();
  bool next_to = std::abs(x - me.x) <= 1 && std::abs(y - me.y) <= 1;
  // A square further off has no direction to face, and turning north for it
  // would only cost moves.
  if (next_to) turn_to_square(CURRENT_PLAYER, CURRENT_UNIT, x, y);
}

std::string interaction_label(int x, int y) {
  if (!acting_valid() || !on_grid(acting().z, x, y)) return NO_INTERACTION;
  square_view s = look_at(x, y);
  const map_cell& c = *s.cell;
  std::string label = NO_INTERACTION;
  if (s.env->lava != 0 && torch()) label = "LIGHT TORCH";
  if (s.env->water != 0) label = "DRINK FROM WATER";
  if (c.terrain == TERRAIN_CLOSED_DOOR) {
    if (c.scenery != SCENERY_CELL_DOOR)
      label = "OPEN DOOR";
    else if (carry_key(CURRENT_PLAYER, CURRENT_UNIT) > 0 && ahead_code() == SCENERY_CELL_DOOR)
      label = "UNLOCK DOOR";
  }
  if (c.terrain == TERRAIN_OPEN_DOOR) label = "CLOSE DOOR";
  switch (c.scenery) {
    case SCENERY_CRYPT:
      label = "OPEN CRYPT";
      break;
    case SCENERY_OPEN_CRYPT:
    case SCENERY_SEARCHED_CRYPT:
      label = "SEARCH CRYPT";
      break;
    case SCENERY_CONTAINER:
      if (const container_record* k = container_of(s)) {
        if (k->state == CONTAINER_CLOSED)
          label = "OPEN " + std::string(k->name);
        else if (k->state == CONTAINER_OPEN)
          label = "SEARCH " + std::string(k->name);
        else if (k->type == CONTAINER_BARREL && lit_torch())
          label = "LIGHT BARREL";
      }
      break;
    case SCENERY_WEB:
      if (lit_torch() && ahead_code() == SCENERY_WEB) label = "BURN WEB";
      break;
    case SCENERY_MUSHROOMS:
      label = "PICK MUSHROOMS";
      break;
    case SCENERY_HERBS:
      label = "PICK HERBS";
      break;
    case SCENERY_LADDER_DOWN:
    case SCENERY_TRAPDOOR:
      label = "CLIMB DOWN";
      break;
    case SCENERY_LADDER_UP:
      label = "CLIMB UP";
      break;
    case SCENERY_FIRE:
      if (torch()) label = "LIGHT TORCH";
      break;
    case SCENERY_NEST:
      if (lit_torch() && ahead_code() == SCENERY_NEST) label = "BURN NEST";
      break;
    case SCENERY_STATUE:
      label = "TOUCH STATUE";
      break;
    case SCENERY_POOL:
      label = "DRINK FROM POOL";
      break;
    case SCENERY_SWITCH_A:
      label = "PULL SWITCH";
      break;
    case SCENERY_SWITCH_B:
      label = "PUSH SWITCH";
      break;
    case SCENERY_OIL:
      if (lit_torch() && ahead_code() == SCENERY_OIL) label = "LIGHT OIL PATCH";
      break;
  }
  return label;
}

std::vector<map_row> map_rows(int x, int y) {
  std::vector<map_row> rows;
  if (!acting_valid() || !on_grid(acting().z, x, y)) return rows;
  square_view s = look_at(x, y);
  const map_cell& c = *s.cell;
  const unit_record& me = acting();
  bool objects = c.object_count > 0;

  if (objects && s.own) rows.push_back({ROW_TAKE, take_label(s)});
  // An open container next to the unit offers its spilled contents again;
  // the row above then stays empty.  Only next to it: the list takes from
  // the square in front.
  if (objects && container_open(s) && s.adjacent && !s.own) {
    if (!rows.empty() && rows.back().kind == ROW_TAKE) rows.back() = {ROW_NOTHING, ""};
    rows.push_back({ROW_TAKE, take_label(s)});
  }
  if (objects && c.revealed == 1 && std::abs(x - me.x) <= me.sight &&
      std::abs(y - me.y) <= me.sight)
    rows.push_back({ROW_EXAMINE_OBJECT, "EXAMINE OBJECT", c.object_count > 1});
  if ((c.scenery >= 1 || c.terrain == TERRAIN_CLOSED_DOOR || c.terrain == TERRAIN_OPEN_DOOR ||
       c.terrain == 13) &&
      !hidden(s))
    rows.push_back({ROW_EXAMINE_TILE, "EXAMINE TILE"});
  if (offers_interaction(s)) {
    std::string label = interaction_label(x, y);
    rows.push_back({label == NO_INTERACTION ? ROW_NOTHING : ROW_INTERACT, label});
  }
  if (offers_hit(s))
    rows.push_back({ROW_HIT, rock_ahead() && weapon_digs() && s.adjacent && !s.own
                                 ? "MINE ROCKFACE"
                                 : "HIT WITH WEAPON"});
  if (s.adjacent && friend_on(s)) rows.push_back({ROW_GIVE, "GIVE ITEM TO"});
  if (s.own && is_infront_passable(2, CURRENT_PLAYER, CURRENT_UNIT) != FAIL)
    rows.push_back({ROW_JUMP, "JUMP"});
  if (s.own && me.moves > 20) rows.push_back({ROW_SEARCH_TRAPS, "SEARCH FOR TRAPS"});
  if (offers_rope_climb(s)) rows.push_back({ROW_CLIMB_ROPE, "CLIMB BACK UP HOLE"});
  if (offers_take_all(s)) rows.push_back({ROW_TAKE_ALL, "TAKE ALL"});
  // The container rows act on the container ahead, so only one next to the
  // unit is offered.
  bool reachable = s.container > 0 && s.adjacent && !s.own;
  if (reachable && container_open(s)) rows.push_back({ROW_CLOSE, "CLOSE " + container_name(s)});
  if (reachable) rows.push_back({ROW_DRAG, "DRAG " + container_name(s)});
  if (reachable) rows.push_back({ROW_PUSH, "PUSH " + container_name(s)});
  return rows;
}

hit_target hit_meaning(int x, int y) {
  if (!acting_valid() || !on_grid(acting().z, x, y)) return HIT_NOTHING;
  square_view s = look_at(x, y);
  const map_cell& c = *s.cell;
  if (s.container > 0) return HIT_CONTAINER;
  if (c.terrain == TERRAIN_CLOSED_DOOR) return HIT_DOOR;
  // Earth is what a pickaxe or shovel mines, as well as rubble.
  if (c.scenery == SCENERY_RUBBLE || c.scenery == TERRAIN_EARTH || c.terrain == TERRAIN_EARTH)
    return HIT_RUBBLE;
  if (c.scenery == SCENERY_CRYSTAL) return HIT_CRYSTAL;
  if (enemy_on(s)) return HIT_UNIT;
  return HIT_NOTHING;
}

int take_mode(int x, int y) {
  if (!acting_valid() || !on_grid(acting().z, x, y)) return 1;
  return which_container(acting().z, x, y) > 0 ? 11 : 1;
}

void choose_map_row(const map_row& row, int x, int y, const mouse_screens& screens) {
  if (!acting_valid() || !on_grid(acting().z, x, y)) return;
  const int P = CURRENT_PLAYER, U = CURRENT_UNIT, z = acting().z;
  switch (row.kind) {
    case ROW_NOTHING:
      break;
    case ROW_TAKE:
      if (screens.box_choice) screens.box_choice(take_mode(x, y));
      break;
    case ROW_EXAMINE_OBJECT:
      look_at_object(x, y, z);
      break;
    case ROW_EXAMINE_TILE:
      examine_scenery(x, y, z);
      break;
    case ROW_INTERACT:
      interact_scenery(x, y, z);
      break;
    case ROW_HIT:
      switch (hit_meaning(x, y)) {
        case HIT_CONTAINER:
          bash_container(z, x, y, P, U);
          break;
        case HIT_DOOR:
          bash_door(z, x, y, P, U);
          break;
        case HIT_RUBBLE:
          clear_rubble(z, x, y, P, U);
          break;
        case HIT_CRYSTAL:
          smash_crystal(z, x, y, P, U);
          break;
        case HIT_UNIT:
          combat(map[z][x][y].occupant_player, map[z][x][y].occupant_unit, P, U);
          break;
        case HIT_NOTHING:
          break;
      }
      break;
    case ROW_GIVE:
      if (screens.give_item) screens.give_item(x, y, z);
      break;
    case ROW_JUMP:
      jump(P, U, keyboard_jump_distance());
      break;
    case ROW_SEARCH_TRAPS:
      search_traps(P, U);
      break;
    case ROW_CLIMB_ROPE:
      climb_rope_up(P, U);
      break;
    case ROW_TAKE_ALL:
      get_all(P, U, z, x, y);
      break;
    case ROW_CLOSE:
      close_container(which_container(z, x, y));
      break;
    case ROW_DRAG:
      drag_container(P, U);
      break;
    case ROW_PUSH:
      push_container(P, U);
      break;
  }
  UPDATE_MAP = 1;
}

// ---------------------------------------------------------------------------
// The object list of one item action
// ---------------------------------------------------------------------------
const char* box_title(int mode) {
  switch (mode) {
    case 0:
      return "UNEQUIP OBJECT";
    case 1:
      return "TAKE OBJECT";
    case 2:
      return "DROP OBJECT";
    case 3:
      return "WEAR OBJECT";
    case 4:
      return "REMOVE OBJECT";
    case 5:
      return "EXAMINE OBJECT";
    case 6:
      return "USE OBJECT";
    case 7:
      return "EQUIP OBJECT";
    case 8:
      return "PACK OBJECT";
    case 9:
      return "UNPACK OBJECT";
    case 11:
      return "TAKE FROM CHEST";
    case 12:
      return "STORE OBJECT";
  }
  return "";
}

namespace {

bool lies_on(const object_record& o, int z, int x, int y) {
  return o.status == OBJECT_ON_GROUND && o.z == z && o.x == x && o.y == y;
}

bool usable_kind(int type) {
  return type == ITEM_POTION || type == ITEM_TORCH || type == ITEM_MUSHROOMS ||
         type == ITEM_HERBS || type == ITEM_FOOD || type == ITEM_GOLD;
}

bool listed(int mode, const object_record& o) {
  const unit_record& me = acting();
  int s = o.status;
  switch (mode) {
    case 0:
      return owned(o) && o.type == ITEM_WEAPON && s == OBJECT_WIELDED;
    case 1:
    case 5:
      return lies_on(o, me.z, me.x, me.y);
    case 2:
      return owned(o) && s != OBJECT_WORN && s != OBJECT_PACKED;
    case 3:
      return owned(o) && o.type == ITEM_WEARABLE && s != OBJECT_WORN && s != OBJECT_PACKED;
    case 4:
      return owned(o) && s == OBJECT_WORN;
    case 6:
      return owned(o) && s != OBJECT_PACKED && usable_kind(o.type);
    case 7:
      return owned(o) && o.type == ITEM_WEAPON && s != OBJECT_WIELDED && s != OBJECT_PACKED;
    case 8:
      return owned(o) && s == OBJECT_CARRIED && carry_backpack(CURRENT_PLAYER, CURRENT_UNIT) > 0;
    case 9:
      return owned(o) && s == OBJECT_PACKED;
    case 11: {
      int x, y;
      return front_square(x, y) && lies_on(o, me.z, x, y);
    }
    case 12:
      return owned(o) && s == OBJECT_CARRIED;
  }
  return false;
}

// Slots 16 and 17 have never been offered for removal.
bool kept_slot(int k) { return k == 16 || k == 17; }

}  // namespace

std::vector<int> box_candidates(int mode) {
  std::vector<int> list;
  if (!acting_valid()) return list;
  for (int k = 1; k < OBJECT_SLOTS && k <= MAX_OBJECTS; k++) {
    if (!listed(mode, object[k])) continue;
    if (mode == 4 && kept_slot(k)) continue;
    list.push_back(k);
  }
  return list;
}

int box_count(int mode) {
  if (!acting_valid()) return 0;
  const unit_record& me = acting();
  int x = me.x, y = me.y;
  if (mode == 1 || mode == 11) {
    if (mode == 11 && !front_square(x, y)) return 0;
    return map[me.z][x][y].object_count;
  }
  int n = 0;
  for (int k = 1; k < OBJECT_SLOTS && k <= MAX_OBJECTS; k++) {
    const object_record& o = object[k];
    if (mode == 0)
      n += owned(o) && o.status == OBJECT_WIELDED;
    else if (mode == 2 || mode == 12)
      n += owned(o) && o.status != OBJECT_FREE;
    else
      n += listed(mode, o) && !(mode == 4 && kept_slot(k));
  }
  return n;
}

void box_act(int mode, int k) {
  if (!acting_valid() || !object_valid(k)) return;
  const int P = CURRENT_PLAYER, U = CURRENT_UNIT;
  switch (mode) {
    case 0:
      unequip_item(k);
      break;
    case 1:
    case 11:
      get_item(k, P, U);
      break;
    case 2:
      drop_item(k, P, U);
      break;
    case 3:
      wear_item(k, P, U);
      break;
    case 4:
      remove_item(k, P, U);
      break;
    case 5:
      display_item_desc(k);
      break;
    case 6:
      use_object(k, P, U);
      break;
    case 7:
      equip_weapon(k, P, U);
      break;
    case 8:
      pack_item(k);
      break;
    case 9:
      unpack_item(k);
      break;
    case 12: {
      int x, y;
      if (front_square(x, y)) store_item(k, acting().z, x, y);
      break;
    }
  }
  UPDATE_MAP = 1;
}

// ---------------------------------------------------------------------------
// Answers given without a window
// ---------------------------------------------------------------------------
void mouse_menu_answer(int x, int y, int row, const mouse_screens& screens) {
  face_square(x, y);
  std::vector<map_row> rows = map_rows(x, y);
  UPDATE_MAP = 1;
  if (row >= 1 && row <= MENU_CHOOSABLE_ROWS && row <= static_cast<int>(rows.size()))
    choose_map_row(rows[static_cast<size_t>(row - 1)], x, y, screens);
}

void mouse_list_answer(int mode, int row) {
  std::vector<int> list = box_candidates(mode);
  UPDATE_MAP = 1;
  if (list.empty()) return;
  // A single candidate is acted on without asking.
  if (box_count(mode) == 1) {
    box_act(mode, list.front());
    return;
  }
  if (row >= 1 && row <= MENU_CHOOSABLE_ROWS && row <= static_cast<int>(list.size()))
    box_act(mode, list[static_cast<size_t>(row - 1)]);
}

void mouse_drag_answer(int row) {
  if (!acting_valid() || row < 1 || row > 49) return;
  const unit_record& me = acting();
  int tx = me.x + (row - 1) % 7 - 3, ty = me.y + (row - 1) / 7 - 3;
  if (!drag_target_usable(me.z, tx, ty)) return;
  int d = plan_route(CURRENT_PLAYER, CURRENT_UNIT, tx, ty);
  int end = d <= NORTHWEST ? begin_route_walk(CURRENT_PLAYER, CURRENT_UNIT, d) : 0;
  for (int steps = 0; end > 0 && d != FAIL && steps < 4 * WAYPOINTS; steps++)
    d = route_walk_step(CURRENT_PLAYER, CURRENT_UNIT, d, end);
}
