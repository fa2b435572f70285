// The inventory panels' decisions.
#include "ui/inventory_panels.h"

#include <algorithm>

#include "core/facing.h"
#include "core/world.h"
#include "items/actions.h"
#include "items/inventory.h"
#include "items/look.h"
#include "items/use.h"

bool panel_keeps_open(const panel_box& b, int mouse_x, int mouse_y) {
  return mouse_x >= b.left - PANEL_MARGIN && mouse_x <= b.left + PANEL_WIDTH + PANEL_MARGIN + 1 &&
         mouse_y >= b.top - PANEL_MARGIN && mouse_y <= b.top + b.height + PANEL_MARGIN;
}

int panel_line_at(const panel_box& b, int mouse_y, int lines) {
  const int dy = mouse_y - b.top;
  if (dy < PANEL_LINE) return 0;
  const int line = dy / PANEL_LINE;
  return line <= lines ? line : 0;
}

const action_row INVENTORY_MENU_ROWS[ACTION_ROWS] = {
    {"DROP", 2}, {"WEAR", 3}, {"REMOVE", 4}, {"EXAMINE", 5}, {"EQUIP", 7},
    {"USE", 6},  {"PACK", 8}, {"UNPACK", 9}, {"UNEQUIP", 0}, {"STORE", 12},
};

bool store_row_shown() {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return false;
  const unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  if (me.facing < NORTH || me.facing > NORTHWEST) return false;
  const int x = me.x + DIRECTION_DX[me.facing], y = me.y + DIRECTION_DY[me.facing];
  return on_grid(me.z, x, y) && map[me.z][x][y].scenery == SCENERY_CONTAINER;
}

namespace {

int scan_end() { return std::min(MAX_OBJECTS, OBJECT_SLOTS); }

bool owned_by(int k, int player, int u) {
  const object_record& o = object[k];
  return o.status != OBJECT_FREE && o.owner_player == player && o.owner_unit == u;
}

bool passes(list_kind kind, int status) {
  switch (kind) {
    case ITEM_LIST:
      return status != OBJECT_PACKED;
    case BACKPACK_LIST:
      return status == OBJECT_PACKED;
    case GIVE_LIST:
      return status != OBJECT_WORN && status != OBJECT_WIELDED && status != OBJECT_PACKED &&
             status != OBJECT_LIT;
  }
  return false;
}

}  // namespace

std::string list_line_text(list_kind kind, int k) {
  if (k < 1 || k >= OBJECT_SLOTS) return "";
  const object_record& o = object[k];
  std::string text = o.name;
  if (kind != ITEM_LIST) return text;
  if (o.status == OBJECT_WORN) text += " (worn)";
  if (o.status == OBJECT_WIELDED) text += "(used)";
  if (o.status == OBJECT_LIT) text += " (lit)";
  return text;
}

std::vector<list_entry> list_entries(list_kind kind, int player, int u) {
  std::vector<list_entry> entries;
  for (int k = 1; k < scan_end(); k++)
    if (owned_by(k, player, u) && passes(kind, object[k].status))
      entries.push_back({k, list_line_text(kind, k)});
  return entries;
}

int owned_count(int player, int u) {
  int n = 0;
  for (int k = 1; k < scan_end(); k++)
    if (owned_by(k, player, u)) n++;
  return n;
}

bool give_receiver(int x, int y, int z, int& player, int& u) {
  player = u = 0;
  if (!on_grid(z, x, y)) return false;
  const int p = map[z][x][y].occupant_player, n = map[z][x][y].occupant_unit;
  if (p < 1 || n < 1 || !unit_slot_valid(p, n) || unit[p][n].status == UNIT_FREE) return false;
  if (p == CURRENT_PLAYER && n == CURRENT_UNIT) return false;
  player = p;
  u = n;
  return true;
}

list_page make_list_page(const std::vector<list_entry>& entries, int page, int owned) {
  list_page p;
  const int n = static_cast<int>(entries.size());
  if (n <= LIST_LINES) {
    p.lines = entries;
  } else {
    p.paged = true;
    p.pages = (n + PAGE_ITEMS - 1) / PAGE_ITEMS;
    p.page = ((page % p.pages) + p.pages) % p.pages;
    const int first = p.page * PAGE_ITEMS;
    const int last = std::min(n, first + PAGE_ITEMS);
    p.lines.assign(entries.begin() + first, entries.begin() + last);
  }
  const int shown = static_cast<int>(p.lines.size()) + (p.paged ? 1 : 0);
  const int rows = std::max(shown, std::min(std::max(owned, 0), LIST_LINES + 1));
  p.height = PANEL_LINE * rows + 20;
  return p;
}

std::string page_line_text(const list_page& p) {
  return "MORE... (" + std::to_string(p.page + 1) + " OF " + std::to_string(p.pages) + ")";
}

list_click list_click_at(const list_page& p, int line, int& object) {
  object = 0;
  const int items = static_cast<int>(p.lines.size());
  if (line >= 1 && line <= items && line <= LIST_LINES) {
    object = p.lines[line - 1].object;
    return list_click::item;
  }
  if (p.paged && line == LIST_LINES) return list_click::next_page;
  return list_click::nothing;
}

std::vector<object_row> object_menu_rows(int k) {
  std::vector<object_row> rows;
  if (k < 1 || k >= OBJECT_SLOTS || object[k].status == OBJECT_FREE) return rows;
  const object_record& o = object[k];
  const int player = CURRENT_PLAYER, u = CURRENT_UNIT;
  rows.push_back({"DROP", object_action::drop});
  if (o.type == ITEM_WEARABLE && o.status != OBJECT_WORN)
    rows.push_back({"WEAR", object_action::wear});
  if (o.type == ITEM_WEAPON && o.status != OBJECT_WIELDED)
    rows.push_back({"EQUIP", object_action::equip});
  if (o.status == OBJECT_WORN) rows.push_back({"REMOVE", object_action::remove});
  if (o.status == OBJECT_WIELDED) rows.push_back({"UNEQUIP", object_action::unequip});
  switch (o.type) {
    case ITEM_POTION:
      rows.push_back({"DRINK POTION", object_action::use});
      break;
    case ITEM_TORCH:
      rows.push_back(
          {o.status == OBJECT_LIT ? "EXTINGUISH TORCH" : "LIGHT TORCH", object_action::use});
      break;
    case ITEM_MUSHROOMS:
      rows.push_back({"EAT MUSHROOMS", object_action::use});
      break;
    case ITEM_FOOD:
      rows.push_back({"EAT FOOD", object_action::use});
      break;
    case ITEM_GOLD:
      rows.push_back({"POOL FLORINS", object_action::use});
      break;
    case ITEM_HERBS:
      rows.push_back({"", object_action::use});
      break;
    default:
      break;
  }
  if (o.status == OBJECT_CARRIED && carry_backpack(player, u) != 0)
    rows.push_back({"PACK", object_action::pack});
  if (o.type == ITEM_WEARABLE && o.range == SLOT_BACK && o.status == OBJECT_WORN)
    rows.push_back({"REMOVE FROM BACKPACK", object_action::backpack});
  rows.push_back({"EXAMINE", object_action::examine});
  if (o.status == OBJECT_CARRIED && extra_facing(0, player, u) == SCENERY_CONTAINER)
    rows.push_back({"STORE", object_action::store});
  return rows;
}

int object_menu_height(int rows) { return PANEL_LINE * rows + 30; }

void do_object_action(object_action action, int k) {
  const int player = CURRENT_PLAYER, u = CURRENT_UNIT;
  if (!unit_slot_valid(player, u) || k < 1 || k >= OBJECT_SLOTS) return;
  switch (action) {
    case object_action::drop:
      drop_item(k, player, u);
      break;
    case object_action::wear:
      wear_item(k, player, u);
      break;
    case object_action::equip:
      equip_weapon(k, player, u);
      break;
    case object_action::remove:
      remove_item(k, player, u);
      break;
    case object_action::unequip:
      unequip_item(k);
      break;
    case object_action::use:
      use_object(k, player, u);
      break;
    case object_action::pack:
      pack_item(k);
      break;
    case object_action::backpack:
      break;
    case object_action::examine:
      display_item_desc(k);
      break;
    case object_action::store: {
      const unit_record& me = unit[player][u];
      store_item(k, me.z, me.x + DIRECTION_DX[me.facing & 7], me.y + DIRECTION_DY[me.facing & 7]);
      break;
    }
  }
}
