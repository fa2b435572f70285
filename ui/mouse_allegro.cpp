// The mouse commands on the map and the object list, which the input dispatch
// opens: the pop-up menus drawn at the pointer, the route drawn
// while the button is held and the walk along it.  What each row offers and
// does is decided in mouse.cpp.
#include <allegro.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/frontend.h"
#include "core/world.h"
#include "creatures/ai/mouse_moves.h"
#include "creatures/sight.h"
#include "ui/assets_allegro.h"
#include "ui/mouse.h"
#include "ui/screens.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

const mouse_screens SCREENS = [] {
  mouse_screens s;
  s.box_choice = mouse_box_choice;
  s.give_item = mouse_give_item;
  return s;
}();

// ---------------------------------------------------------------------------
// Pop-up menus at the pointer
// ---------------------------------------------------------------------------
struct menu_look {
  const char* title;
  int title_x;
  int row_x;
  int height;  // of the white box
  int reach;   // the pointer may go this far below the top before it closes
};

struct menu_line {
  std::string text;
  bool plural = false;
};

void wait_release() {
  while (mouse_b) rest(1);
}

owned_bitmap screen_copy() {
  owned_bitmap copy(create_bitmap(SCREEN_W, SCREEN_H));
  if (copy) blit(screen, copy.get(), 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  remove_frame_pointer(copy.get());
  return copy;
}

void draw_menu_box(BITMAP* box, const menu_look& look, const std::vector<menu_line>& lines) {
  int black = makecol(0, 0, 0);
  clear_to_color(box, makecol(255, 255, 255));
  rect(box, 0, 0, MENU_WIDTH - 1, look.height - 1, makecol(0, 5, 55));
  textout_ex(box, font, look.title, look.title_x, 2, black, -1);
  int shown = std::min(static_cast<int>(lines.size()), MENU_MAX_ROWS);
  for (int k = 1; k <= shown; k++) {
    const menu_line& l = lines[static_cast<size_t>(k - 1)];
    textout_ex(box, font, l.text.c_str(), look.row_x, 10 * k + 2, black, -1);
    if (l.plural) textout_ex(box, font, "S", 121, 10 * k + 2, black, -1);
  }
}

// Runs one menu at the pointer; the row chosen with the left button (1..9),
// or 0 when the pointer left the menu.
int run_menu(const menu_look& look, const std::vector<menu_line>& lines) {
  if (!screen) return 0;
  int left, top;
  menu_origin(mouse_x, mouse_y, MENU_WIDTH, look.height, SCREEN_W, SCREEN_H, left, top);
  owned_bitmap backdrop = screen_copy();
  owned_bitmap page(create_bitmap(SCREEN_W, SCREEN_H));
  owned_bitmap clean(create_bitmap(MENU_WIDTH, look.height));
  owned_bitmap box(create_bitmap(MENU_WIDTH, look.height));
  if (!backdrop || !page || !clean || !box) return 0;
  draw_menu_box(clean.get(), look, lines);
  int rows = static_cast<int>(lines.size());

  wait_release();
  int lit = 0, chosen = 0;
  int seen_x = -1, seen_y = -1, seen_lit = -1;
  for (;;) {
    if (!menu_keeps_open(left, top, look.reach, mouse_x, mouse_y)) break;
    lit = menu_highlight(lit, top, rows, mouse_y);
    if ((mouse_b & 1) && lit != 0) {
      chosen = lit;
      break;
    }
    if (mouse_x != seen_x || mouse_y != seen_y || lit != seen_lit) {
      seen_x = mouse_x, seen_y = mouse_y, seen_lit = lit;
      blit(clean.get(), box.get(), 0, 0, 0, 0, MENU_WIDTH, look.height);
      if (lit) {
        set_trans_blender(0, 0, 255, 100);
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        rectfill(box.get(), 0, 10 * lit, MENU_WIDTH - 1, 10 * lit + 9, makecol(0, 0, 255));
        solid_mode();
      }
      blit(backdrop.get(), page.get(), 0, 0, 0, 0, SCREEN_W, SCREEN_H);
      blit(box.get(), page.get(), 0, 0, left, top, MENU_WIDTH, look.height);
      draw_mouse_over(page.get());
    }
    rest(1);
  }
  // Put back what the menu covered, and let the choosing click go so that
  // it does not act again on the map.
  blit(backdrop.get(), screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  wait_release();
  UPDATE_MAP = 1;
  return chosen;
}

// ---------------------------------------------------------------------------
// Route marks
// ---------------------------------------------------------------------------

// Marks the route onto dst, whose top left corner shows view pixel
// (offset - 10, offset - 10): the view itself takes 10, the screen 20.
void draw_route_marks(BITMAP* dst, int offset, int last_entry) {
  if (!dst || !gomouse_bmp) return;
  const unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  int cx = (MAPTILES_X / 2) * TILE_SIZE, cy = (MAPTILES_Y / 2) * TILE_SIZE;
  std::vector<route_mark> marks = route_marks();
  int n = std::min(static_cast<int>(marks.size()), last_entry);
  for (int i = 0; i < n; i++) {
    const route_mark& m = marks[static_cast<size_t>(i)];
    if (m.safe)
      set_trans_blender(0, 50, 0, 55);
    else
      set_add_blender(255, 0, 0, 255);
    draw_lit_sprite(dst, gomouse_bmp, cx + (m.x - me.x) * TILE_SIZE + offset,
                    cy + (m.y - me.y) * TILE_SIZE + offset, 120);
  }
}

// Shows the view (with its marks) at (10, 10) and the pointer over it.
void show_view(BITMAP* view) {
  if (fingermouse_bmp)
    masked_blit(fingermouse_bmp, view, 0, 0, mouse_x - 10 - 10, mouse_y - 2 - 10,
                fingermouse_bmp.get()->w, fingermouse_bmp.get()->h);
  blit(view, screen, 0, 0, 10, 10, view->w, view->h);
}

// The walk along the planned route; any button stops it.
void walk_route(int d, int route_end) {
  const int P = CURRENT_PLAYER, U = CURRENT_UNIT;
  for (;;) {
    if (mouse_b) {
      end_route_walk(P, U);
      wait_release();
      return;
    }
    d = route_walk_step(P, U, d, route_end);
    drawmap();
    draw_route_marks(screen, 20, unit[P][U].waypoint_index);
    if (d == FAIL) return;
    rest(150);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Object list of one item action
// ---------------------------------------------------------------------------
void mouse_box_choice(int mode) {
  std::vector<int> list = box_candidates(mode);
  int n = box_count(mode);
  UPDATE_MAP = 1;
  if (list.empty()) return;
  if (n == 1) {
    box_act(mode, list.front());
    return;
  }
  std::vector<menu_line> lines;
  for (size_t i = 0; i < list.size() && i < static_cast<size_t>(MENU_MAX_ROWS); i++)
    lines.push_back({object[list[i]].name});
  int shown = std::min(std::max(n, static_cast<int>(lines.size())), MENU_MAX_ROWS);
  int row = run_menu({box_title(mode), 50, 5, 10 * shown + 20, 10 * shown + 23}, lines);
  if (row >= 1 && row <= static_cast<int>(lines.size()))
    box_act(mode, list[static_cast<size_t>(row - 1)]);
}

// ---------------------------------------------------------------------------
// Route by dragging
// ---------------------------------------------------------------------------
void mouse_dragmove() {
  if (!screen || !TEMP_SCREEN || !unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  const unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  BITMAP* last = TEMP_SCREEN.get();
  owned_bitmap clean(create_bitmap(last->w, last->h));
  owned_bitmap view(create_bitmap(last->w, last->h));
  if (!clean || !view) return;
  last_view_without_pointer(clean.get());

  const int P = CURRENT_PLAYER, U = CURRENT_UNIT;
  int d = FAIL;
  int tx = -1, ty = -1, planned_x = -1, planned_y = -1;
  while (mouse_b & 1) {
    drag_square(mouse_x, mouse_y, tx, ty);
    blit(clean.get(), view.get(), 0, 0, 0, 0, last->w, last->h);
    if (drag_target_usable(me.z, tx, ty)) {
      // The search is slow beside a frame: only a new square asks again.
      if (tx != planned_x || ty != planned_y) {
        d = plan_route(P, U, tx, ty);
        planned_x = tx, planned_y = ty;
      }
      if (d <= NORTHWEST) draw_route_marks(view.get(), 10, WAYPOINTS);
    }
    show_view(view.get());
    rest(1);
  }
  UPDATE_MAP = 1;
  // Released over a wall or an unseen square, or with no way there: no walk.
  if (!drag_target_usable(me.z, tx, ty) || tx != planned_x || ty != planned_y) return;
  int route_end = d <= NORTHWEST ? begin_route_walk(P, U, d) : 0;
  if (route_end == 0) return;
  walk_route(d, route_end);
  reveal_tiles();
  rest(100);
}

// ---------------------------------------------------------------------------
// Step or turn
// ---------------------------------------------------------------------------
// The dispatch calls this for a left press, which may be let go already.
void mouse_mainbox() { mainbox_click(mouse_x, mouse_y); }

// ---------------------------------------------------------------------------
// Action menu of a square
// ---------------------------------------------------------------------------
void mouse_maprightclick(int x, int y) {
  face_square(x, y);
  std::vector<map_row> rows = map_rows(x, y);
  UPDATE_MAP = 1;
  if (rows.empty()) return;
  std::vector<menu_line> lines;
  for (const map_row& r : rows) lines.push_back({r.label, r.plural});
  int n = static_cast<int>(rows.size());
  int row = run_menu({"ACTION MENU", 20, 10, 10 * (n + 2), 10 * n + 23}, lines);
  if (row >= 1 && row <= n) choose_map_row(rows[static_cast<size_t>(row - 1)], x, y, SCREENS);
}
