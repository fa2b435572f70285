// The inventory panels drawn at the pointer: each runs its own little loop
// over a still copy of the screen until a line is clicked or the pointer
// leaves it.  What the panels list and what a click means is decided in
// inventory_panels.cpp.
#include <allegro.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/facing.h"
#include "core/frontend.h"
#include "core/world.h"
#include "items/actions.h"
#include "items/look.h"
#include "items/use.h"
#include "ui/assets_allegro.h"
#include "ui/inventory_panels.h"
#include "ui/screens.h"
#include "ui/view_allegro.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

owned_bitmap screen_copy() {
  owned_bitmap copy(create_bitmap(SCREEN_W, SCREEN_H));
  if (copy) blit(screen, copy.get(), 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  remove_frame_pointer(copy.get());
  return copy;
}

// Waits until the click that opened a panel is let go, so that it cannot
// choose in the panel as well.
void wait_release() {
  while (mouse_b) rest(1);
}

struct panel_text {
  const char* title;
  int title_x;
  std::vector<std::string> lines;
  int height;
  int answering;  // lines that take a click
  int buttons;    // mouse_b bits that choose
};

// Runs one panel with its top-left corner at (left, top): the line chosen
// (1..answering), or 0 when the pointer left the panel.
int run_panel(const panel_text& p, int left, int top) {
  if (!screen || p.height < 1) return 0;
  owned_bitmap backdrop = screen_copy();
  owned_bitmap page(create_bitmap(SCREEN_W, SCREEN_H));
  owned_bitmap clean(create_bitmap(PANEL_WIDTH, p.height));
  owned_bitmap box(create_bitmap(PANEL_WIDTH, p.height));
  if (!backdrop || !page || !clean || !box) return 0;
  const int black = makecol(0, 0, 0);
  clear_to_color(clean.get(), makecol(255, 255, 255));
  rect(clean.get(), 0, 0, PANEL_WIDTH - 1, p.height - 1, makecol(0, 5, 55));
  textout_ex(clean.get(), font, p.title, p.title_x, 2, black, -1);
  for (size_t i = 0; i < p.lines.size(); i++)
    textout_ex(clean.get(), font, p.lines[i].c_str(), 5, PANEL_LINE * static_cast<int>(i + 1) + 2,
               black, -1);

  wait_release();
  const panel_box b{left, top, p.height};
  int chosen = 0;
  int last_x = -1, last_y = -1, last_lit = -1;
  for (;;) {
    const int mx = mouse_x, my = mouse_y;
    if (!panel_keeps_open(b, mx, my)) break;
    const int lit = panel_line_at(b, my, p.answering);
    if ((mouse_b & p.buttons) && lit != 0) {
      chosen = lit;
      break;
    }
    if (mx != last_x || my != last_y || lit != last_lit) {
      blit(clean.get(), box.get(), 0, 0, 0, 0, PANEL_WIDTH, p.height);
      if (lit) {
        set_trans_blender(0, 0, 255, 100);
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        rectfill(box.get(), 0, PANEL_LINE * lit, PANEL_WIDTH - 1, PANEL_LINE * lit + PANEL_LINE - 1,
                 makecol(0, 0, 255));
        solid_mode();
      }
      blit(backdrop.get(), page.get(), 0, 0, 0, 0, SCREEN_W, SCREEN_H);
      blit(box.get(), page.get(), 0, 0, left, top, PANEL_WIDTH, p.height);
      draw_mouse_over(page.get());
      last_x = mx, last_y = my, last_lit = lit;
    }
    rest(1);
  }
  // Put back what the panel covered.
  blit(backdrop.get(), screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  wait_release();
  UPDATE_MAP = 1;
  return chosen;
}

void trace_choice(const char* panel, const std::string& text) {
  if (DEBUG_MODE > 0) std::printf("\n%s: %s\n", panel, text.c_str());
}

void trace_object(int k) {
  if (DEBUG_MODE > 0 && k >= 1 && k < OBJECT_SLOTS)
    std::printf("\nobject %d %s status %d\n", k, object[k].name, object[k].status);
}

// Runs one of the item lists, page by page, at the pointer; the item chosen,
// or 0.
int run_list(list_kind kind, const char* title) {
  const int left = mouse_x, top = mouse_y;
  const std::vector<list_entry> entries = list_entries(kind, CURRENT_PLAYER, CURRENT_UNIT);
  const int owned = owned_count(CURRENT_PLAYER, CURRENT_UNIT);
  for (int page = 0;;) {
    const list_page p = make_list_page(entries, page, owned);
    panel_text sheet{title, 50, {}, p.height, LIST_LINES, 1 | 2};
    for (const list_entry& e : p.lines) sheet.lines.push_back(e.text);
    if (p.paged) sheet.lines.push_back(page_line_text(p));
    int k = 0;
    switch (list_click_at(p, run_panel(sheet, left, top), k)) {
      case list_click::item:
        trace_choice(title, object[k].name);
        return k;
      case list_click::next_page:
        page = p.page + 1;
        continue;
      case list_click::nothing:
        return 0;
    }
  }
}

}  // namespace

void mouse_inventory() {
  panel_text sheet{"INVENTORY MENU", 20, {}, ACTION_MENU_HEIGHT, ACTION_ROWS, 1};
  const bool store = store_row_shown();
  for (const action_row& r : INVENTORY_MENU_ROWS)
    sheet.lines.push_back(r.code != 12 || store ? r.text : "");
  const int line = run_panel(sheet, mouse_x, mouse_y);
  if (line < 1 || line > ACTION_ROWS) return;
  trace_choice("INVENTORY MENU", INVENTORY_MENU_ROWS[line - 1].text);
  mouse_box_choice(INVENTORY_MENU_ROWS[line - 1].code);
  UPDATE_MAP = 1;
}

void mouse_inventory2() {
  const int k = run_list(ITEM_LIST, "INVENTORY");
  if (k) mouse_object(k);
  UPDATE_MAP = 1;
}

void mouse_backpack() {
  const int k = run_list(BACKPACK_LIST, "ITEMS IN BACKPACK");
  if (k) {
    unpack_item(k);
    trace_object(k);
  }
  UPDATE_MAP = 1;
}

void mouse_give_item(int x, int y, int z) {
  int p = 0, u = 0;
  if (!give_receiver(x, y, z, p, u)) return;
  const int k = run_list(GIVE_LIST, "INVENTORY");
  if (k) {
    give_item(k, CURRENT_PLAYER, CURRENT_UNIT, p, u);
    trace_object(k);
  }
  UPDATE_MAP = 1;
}

void mouse_object(int k) {
  const std::vector<object_row> rows = object_menu_rows(k);
  if (rows.empty()) return;
  panel_text sheet{object[k].name,
                   50,
                   {},
                   object_menu_height(static_cast<int>(rows.size())),
                   static_cast<int>(rows.size()),
                   1};
  for (const object_row& r : rows) sheet.lines.push_back(r.text);
  const int line = run_panel(sheet, mouse_x, mouse_y);
  if (line < 1 || line > static_cast<int>(rows.size())) return;
  trace_choice(object[k].name, rows[line - 1].text);
  if (rows[line - 1].action == object_action::backpack)
    mouse_backpack();
  else
    do_object_action(rows[line - 1].action, k);
  trace_object(k);
  UPDATE_MAP = 1;
}
