// The map of the acting unit's level over the view: drawn once, then a wait
// for any key or click.  A click on a square the party could walk to starts
// a walk there.  The game waits meanwhile and nothing of the world changes.
#include <allegro.h>

#include <memory>
#include <string>

#include "core/world.h"
#include "ui/alfont.h"
#include "ui/assets_allegro.h"
#include "ui/overview.h"
#include "ui/travel.h"
#include "ui/view_allegro.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

int colour_of(overview_mark m, bool in_view) {
  // Remembered squares are drawn in the same hue, darker.
  auto shade = [in_view](int r, int g, int b) {
    return in_view ? makecol(r, g, b) : makecol(r * 3 / 5, g * 3 / 5, b * 3 / 5);
  };
  switch (m) {
    case OVERVIEW_FLOOR:
      return shade(120, 108, 92);
    case OVERVIEW_WALL:
      return shade(170, 170, 185);
    case OVERVIEW_DOOR:
      return shade(200, 130, 40);
    case OVERVIEW_WATER:
      return shade(50, 100, 230);
    case OVERVIEW_LAVA:
      return shade(255, 90, 20);
    case OVERVIEW_WAY_UP:
    case OVERVIEW_WAY_DOWN:
    case OVERVIEW_PARTY:
    case OVERVIEW_CREATURE:
      return shade(120, 108, 92);  // the floor under the mark
    case OVERVIEW_DARK:
      break;
  }
  return makecol(0, 0, 0);
}

void draw_mark(BITMAP* page, overview_mark m, int px, int py, int c, bool acting) {
  int r = c / 2, cx = px + r, cy = py + r;
  switch (m) {
    case OVERVIEW_WAY_UP:
      triangle(page, cx, py, px, py + c - 1, px + c - 1, py + c - 1, makecol(80, 255, 80));
      break;
    case OVERVIEW_WAY_DOWN:
      triangle(page, px, py, px + c - 1, py, cx, py + c - 1, makecol(80, 230, 255));
      break;
    case OVERVIEW_PARTY:
      circlefill(page, cx, cy, r, acting ? makecol(255, 255, 60) : makecol(255, 255, 255));
      break;
    case OVERVIEW_CREATURE:
      circlefill(page, cx, cy, r, makecol(255, 40, 40));
      break;
    default:
      break;
  }
}

void draw_overview(BITMAP* page, const overview_layout& lay, int z) {
  set_trans_blender(0, 0, 0, 240);
  drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
  rectfill(page, 0, 0, page->w - 1, page->h - 1, makecol(4, 4, 10));
  solid_mode();
  const unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  int c = lay.cell;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) {
      overview_square s = overview_at(CURRENT_PLAYER, z, x, y);
      if (s.mark == OVERVIEW_DARK) continue;
      int px = lay.left + x * c, py = lay.top + y * c;
      rectfill(page, px, py, px + c - 1, py + c - 1, colour_of(s.mark, s.in_view));
      draw_mark(page, s.mark, px, py, c, x == me.x && y == me.y);
    }
  rect(page, lay.left - 1, lay.top - 1, lay.left + c * LAND_SIZE, lay.top + c * LAND_SIZE,
       makecol(90, 80, 60));
  if (ALFONT_FONT* f = font1.get()) {
    alfont_set_font_size(f, 22);
    std::string title = "MAP OF LEVEL " + std::to_string(z);
    alfont_textprintf_centre_ex(page, f, page->w / 2, 6, makecol(250, 210, 90), -1, "%s",
                                title.c_str());
    alfont_set_font_size(f, 12);
    alfont_textprintf_centre_ex(page, f, page->w / 2, page->h - 28, makecol(205, 205, 205), -1,
                                "%s", "GREEN: WAY UP    BLUE: WAY DOWN    RED: CREATURE IN SIGHT");
    alfont_textprintf_centre_ex(page, f, page->w / 2, page->h - 15, makecol(205, 205, 205), -1,
                                "%s", "CLICK A KNOWN SQUARE TO WALK THERE, ANY KEY TO GO BACK");
  }
}

bool key_down() {
  for (int k = 1; k < KEY_MAX; k++) {
    // The lock keys stay down on some keyboards for as long as the lock is on.
    if (k == KEY_NUMLOCK || k == KEY_CAPSLOCK || k == KEY_SCRLOCK) continue;
    if (key[k]) return true;
  }
  return false;
}

void wait_all_up() {
  while (mouse_b || key_down()) rest(5);
}

}  // namespace

void show_overview_allegro() {
  if (!screen || !unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  const int w = SCREEN_W, h = SCREEN_H;
  const int z = unit[CURRENT_PLAYER][CURRENT_UNIT].z;
  owned_bitmap under(create_bitmap(w, h)), map_page(create_bitmap(w, h));
  if (!under || !map_page) return;
  blit(screen, under.get(), 0, 0, 0, 0, w, h);
  blit(screen, map_page.get(), 0, 0, 0, 0, w, h);
  overview_layout lay = lay_out_overview(w, h);
  draw_overview(map_page.get(), lay, z);

  // The key that opened the map must be let go before another closes it.
  wait_all_up();
  clear_keybuf();
  int shown_x = -1, shown_y = -1;
  for (;;) {
    if (mouse_x != shown_x || mouse_y != shown_y) {
      shown_x = mouse_x, shown_y = mouse_y;
      draw_mouse_over(map_page.get());
    }
    if (key_down()) break;
    if (mouse_b & 1) {
      int x = 0, y = 0;
      if (overview_square_at(lay, mouse_x, mouse_y, x, y) && travel_square_open(z, x, y))
        travel_to(x, y);
      break;
    }
    if (mouse_b) break;
    rest(1);
  }
  // Neither the closing key nor the click is meant for the game as well.
  wait_all_up();
  clear_keybuf();
  blit(under.get(), screen, 0, 0, 0, 0, w, h);
  UPDATE_MAP = 1;
}
