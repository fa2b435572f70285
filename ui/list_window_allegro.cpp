// The full-screen list windows: drawn over the game, scrolled until the
// player goes back, and the game's picture put back as it was.
#include <allegro.h>

#include <memory>

#include "core/world.h"
#include "ui/alfont.h"
#include "ui/assets_allegro.h"
#include "ui/list_window.h"
#include "ui/view_allegro.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

// Lines the wheel moves a notch.
constexpr int WHEEL_ROWS = 3;

// The lock keys report themselves down on some keyboards while the lock is
// on; they would hold the window for ever.
bool any_key_down() {
  for (int k = 1; k < KEY_MAX; k++) {
    if (k == KEY_NUMLOCK || k == KEY_CAPSLOCK || k == KEY_SCRLOCK) continue;
    if (key[k]) return true;
  }
  return false;
}

void wait_keys_up() {
  while (any_key_down()) rest(5);
  clear_keybuf();
}

list_move move_of(int scancode) {
  switch (scancode) {
    case KEY_UP:
    case KEY_8_PAD:
      return LIST_LINE_UP;
    case KEY_DOWN:
    case KEY_2_PAD:
      return LIST_LINE_DOWN;
    case KEY_PGUP:
    case KEY_9_PAD:
      return LIST_PAGE_UP;
    case KEY_PGDN:
    case KEY_3_PAD:
      return LIST_PAGE_DOWN;
    case KEY_HOME:
    case KEY_7_PAD:
      return LIST_HOME;
    case KEY_END:
    case KEY_1_PAD:
      return LIST_END;
    case KEY_ESC:
    case KEY_SPACE:
    case KEY_ENTER:
    case KEY_H:
      return LIST_CLOSE;
    default:
      return LIST_STAY;
  }
}

void draw_list(BITMAP* page, const std::string& title, const std::vector<std::string>& rows,
               int top, const list_geometry& g) {
  ALFONT_FONT* f = font1.get();
  const int w = page->w;
  clear_to_color(page, makecol(12, 10, 22));
  rect(page, 6, 6, w - 7, page->h - 7, makecol(90, 80, 60));
  alfont_set_font_size(f, 24);
  alfont_textprintf_centre_ex(page, f, w / 2, g.title_y, makecol(250, 210, 90), -1, "%s",
                              title.c_str());
  alfont_set_font_size(f, g.size);
  const int n = static_cast<int>(rows.size());
  for (int i = 0; i < g.page && top + i < n; i++)
    alfont_textprintf_ex(page, f, g.text_x, g.rows_y + i * g.line_h, makecol(225, 230, 215), -1,
                         "%s", rows[static_cast<std::size_t>(top + i)].c_str());
  alfont_set_font_size(f, 12);
  alfont_textprintf_ex(page, f, g.text_x, g.prompt_y, makecol(170, 170, 170), -1, "%s",
                       LIST_PROMPT);
  std::string where = std::to_string(n == 0 ? 0 : top + 1) + "-" +
                      std::to_string(std::min(n, top + g.page)) + " of " + std::to_string(n);
  alfont_textprintf_ex(page, f, w - g.text_x - alfont_text_length(f, where.c_str()), g.prompt_y,
                       makecol(170, 170, 170), -1, "%s", where.c_str());
}

void run_list(const std::string& title, const std::vector<std::string>& rows, int top,
              const list_geometry& g) {
  const int w = SCREEN_W, h = SCREEN_H;
  owned_bitmap under(create_bitmap(w, h)), page(create_bitmap(w, h));
  if (!under || !page) return;
  blit(screen, under.get(), 0, 0, 0, 0, w, h);
  wait_keys_up();
  const int n = static_cast<int>(rows.size());
  top = list_scroll(top, n, g.page, LIST_STAY);
  int wheel = mouse_z;
  bool redraw = true;
  for (;;) {
    if (redraw) {
      draw_list(page.get(), title, rows, top, g);
      blit(page.get(), screen, 0, 0, 0, 0, w, h);
      redraw = false;
    }
    list_move move = LIST_STAY;
    if (keypressed()) move = move_of(readkey() >> 8);
    if (move == LIST_CLOSE) break;
    int turned = mouse_z - wheel;
    wheel = mouse_z;
    int next = list_scroll(top, n, g.page, move);
    // The wheel turned away from the player scrolls towards older rows.
    for (int i = 0; i < WHEEL_ROWS * (turned < 0 ? -turned : turned); i++)
      next = list_scroll(next, n, g.page, turned > 0 ? LIST_LINE_UP : LIST_LINE_DOWN);
    redraw = next != top;
    top = next;
    rest(10);
  }
  wait_keys_up();
  blit(under.get(), screen, 0, 0, 0, 0, w, h);
  UPDATE_MAP = 1;
}

}  // namespace

void show_message_history_allegro() {
  if (!screen || !font1) return;
  text_metrics m = font_metrics(font1.get());
  list_geometry g = lay_out_list(SCREEN_W, SCREEN_H, m);
  std::vector<std::string> rows = message_history_rows(g.text_w, g.size, m);
  // Newest at the bottom, and the view starts there.
  run_list(HISTORY_TITLE, rows, static_cast<int>(rows.size()), g);
}

void show_text_list_allegro(const std::string& title, const std::vector<std::string>& rows) {
  if (!screen || !font1) return;
  text_metrics m = font_metrics(font1.get());
  run_list(title, rows, 0, lay_out_list(SCREEN_W, SCREEN_H, m));
}
