// The menus outside the map: the three-choice box, the file selector, the
// pop-up menus of the button bar and the line entry.  Each is a modal loop
// over a still copy of the screen with the pointer drawn on it.
#include <allegro.h>
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/frontend.h"
#include "core/game/loop.h"
#include "core/world.h"
#include "persistence/save.h"
#include "ui/assets_allegro.h"
#include "ui/menus.h"
#include "ui/screens.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

int option_select_allegro(const char* l1, const char* l2, const char* l3, const char* title);
std::string select_file_allegro();

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

owned_bitmap screen_copy() {
  owned_bitmap copy(create_bitmap(SCREEN_W, SCREEN_H));
  if (copy) blit(screen, copy.get(), 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  remove_frame_pointer(copy.get());
  return copy;
}

// A bar laid translucently over a box row.
void highlight_bar(BITMAP* box, int x, int y, int w, int h, int colour, int r, int g, int b,
                   int a) {
  set_trans_blender(r, g, b, a);
  drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
  rectfill(box, x, y, x + w - 1, y + h - 1, colour);
  solid_mode();
}

// Waits until the click or key that opened a menu is let go, so that it
// cannot choose in the menu as well.
void wait_release(bool keys) {
  while (mouse_b || (keys && (key[KEY_1] || key[KEY_2] || key[KEY_3]))) rest(1);
}

// The pointer's last drawn place, so a still screen is not drawn again.
struct pointer_watch {
  int x = -1, y = -1, state = -1;
  bool moved(int s) {
    bool changed = mouse_x != x || mouse_y != y || s != state;
    x = mouse_x;
    y = mouse_y;
    state = s;
    return changed;
  }
};

void show_box(BITMAP* backdrop, BITMAP* page, BITMAP* box, int bx, int by) {
  blit(backdrop, page, 0, 0, 0, 0, backdrop->w, backdrop->h);
  blit(box, page, 0, 0, bx, by, box->w, box->h);
  draw_mouse_over(page);
}

}  // namespace

// ---------------------------------------------------------------------------
// Three-choice box
// ---------------------------------------------------------------------------

int option_select_allegro(const char* l1, const char* l2, const char* l3, const char* title) {
  if (!screen) return 3;
  int w = SCREEN_W, h = SCREEN_H;
  ALFONT_FONT* f = font1.get();
  int black = makecol(0, 0, 0);
  rest(0);

  option_box lay = lay_out_option_box(l1, l2, l3, title, w, h, font_metrics(f));
  const int bw = lay.width, bh = lay.height, bx = lay.left, by = lay.top;
  owned_bitmap backdrop = screen_copy();
  owned_bitmap page(create_bitmap(w, h));
  owned_bitmap clean(create_bitmap(bw, bh));
  owned_bitmap box(create_bitmap(bw, bh));
  if (!backdrop || !page || !clean || !box) return 3;
  blit(screen, clean.get(), bx, by, 0, 0, bw, bh);
  // The parchment grows with the lines it holds.
  if (BITMAP* scroll = scroll_bmp.get()) {
    owned_bitmap grown(create_bitmap(bw, bh));
    if (grown) {
      stretch_blit(scroll, grown.get(), 0, 0, scroll->w, scroll->h, 0, 0, bw, bh);
      set_trans_blender(100, 88, 188, 255);
      draw_trans_sprite(clean.get(), grown.get(), 0, 0);
    }
  }
  for (const stacked_line& l : lay.lines) {
    alfont_set_font_size(f, l.size);
    alfont_textout_centre_ex(clean.get(), f, l.text.c_str(), bw / 2, l.y, black, -1);
  }
  alfont_set_font_size(f, 12);

  wait_release(true);
  int lit = 0;
  pointer_watch watch;
  for (;;) {
    if (key[KEY_1]) return 1;
    if (key[KEY_2]) return 2;
    if (key[KEY_3]) return 3;
    lit = option_highlight(lit, mouse_y, lay);
    if ((mouse_b & 1) && lit != 0) return lit;
    if (watch.moved(lit)) {
      blit(clean.get(), box.get(), 0, 0, 0, 0, bw, bh);
      if (lit)
        highlight_bar(box.get(), 30, option_bar_y(lay, lit), 540, option_bar_h(lay, lit),
                      makecol(50, 50, 200), 100, 88, 188, 95);
      show_box(backdrop.get(), page.get(), box.get(), bx, by);
    }
    // The main menu is where a player sits longest: it rests as play does,
    // until the next tick.
    wait_tick_allegro();
  }
}

// ---------------------------------------------------------------------------
// File selector
// ---------------------------------------------------------------------------

static std::vector<std::string> list_save_folder() {
  std::vector<std::string> entries;
  DIR* dir = opendir("save/");
  if (!dir) {
    std::printf("Error!\n");
    return entries;
  }
  while (dirent* e = readdir(dir)) entries.push_back(e->d_name);
  closedir(dir);
  // The folder's own order differs from disk to disk; sorted, the list is
  // the same on every machine.
  std::sort(entries.begin(), entries.end());
  return entries;
}

void parchment_prompt(const char* text) {
  int w = SCREEN_W, h = SCREEN_H;
  int sw = scroll_bmp ? scroll_bmp.get()->w : w, sh = scroll_bmp ? scroll_bmp.get()->h : 0;
  if (scroll_bmp) draw_sprite(screen, scroll_bmp, w / 2 - sw / 2, h / 2 - sh / 2 - 10);
  ALFONT_FONT* f = font1.get();
  alfont_set_font_size(f, parchment_prompt_size(text, 26, sw, font_metrics(f)));
  alfont_textout_centre_ex(screen, f, text, w / 2, h / 2 - sh / 2, makecol(0, 0, 0), -1);
}

static std::string typed_file_name() {
  parchment_prompt("TYPE IN THE FILE NAME");
  return grab_input(SCREEN_H / 2, 2, true);
}

std::string select_file_allegro() {
  if (!screen) return " ";
  rest(0);
  std::vector<std::string> names = save_names_from_listing(list_save_folder(), read_save_name);
  int n = static_cast<int>(names.size()) + 1;
  int w = SCREEN_W, h = SCREEN_H;
  int bx = w / 2 - 300, by = h / 2 - 70;
  int panel_h = file_panel_height(n);
  // The box grows with the panel so the exit mark is never cut off.
  int box_h = std::max(MESSAGE_PANEL_H, panel_h);
  ALFONT_FONT* f = font1.get();
  int black = makecol(0, 0, 0);

  owned_bitmap backdrop = screen_copy();
  owned_bitmap page(create_bitmap(w, h));
  owned_bitmap clean(create_bitmap(MESSAGE_PANEL_W, box_h));
  owned_bitmap box(create_bitmap(MESSAGE_PANEL_W, box_h));
  if (!backdrop || !page || !clean || !box) return " ";
  blit(screen, clean.get(), bx, by, 0, 0, MESSAGE_PANEL_W, box_h);
  rectfill(clean.get(), 0, 0, MESSAGE_PANEL_W - 1, panel_h - 1, makecol(240, 250, 250));
  rect(clean.get(), 0, 0, MESSAGE_PANEL_W - 1, panel_h - 1, black);
  int mark_w = nomouse_bmp ? nomouse_bmp.get()->w : 32;
  int mark_h = nomouse_bmp ? nomouse_bmp.get()->h : 32;
  set_trans_blender(100, 88, 188, 255);
  draw_trans_sprite_safe(clean.get(), nomouse_bmp, MESSAGE_PANEL_W - mark_w, panel_h - mark_h);
  alfont_set_font_size(f, 26);
  alfont_textout_centre_ex(clean.get(), f, "TYPE FILE NAME", 300, 6, black, -1);
  for (int i = 1; i <= static_cast<int>(names.size()); i++)
    alfont_textout_centre_ex(clean.get(), f, names[static_cast<size_t>(i - 1)].c_str(), 300,
                             20 * i + 15, black, -1);
  alfont_set_font_size(f, 20);
  alfont_textout_centre_ex(clean.get(), f, "SELECT FILE", 300, file_caption_y(n), black, -1);

  wait_release(false);
  int lit = FILE_ROW_NONE;
  pointer_watch watch;
  for (;;) {
    lit = file_highlight(lit, mouse_y, h, n);
    if (mouse_b & 1) {
      if (file_exit_hit(mouse_x, mouse_y, w, h, n, mark_w, mark_h)) {
        std::printf("\n EXIT SELECT");
        return " ";
      }
      if (lit == FILE_ROW_TYPE) return typed_file_name().substr(0, FILE_RESULT_SIZE - 1);
      if (lit != FILE_ROW_NONE) return file_row_result(lit, names);
    }
    if (watch.moved(lit)) {
      blit(clean.get(), box.get(), 0, 0, 0, 0, MESSAGE_PANEL_W, box_h);
      if (lit != FILE_ROW_NONE)
        highlight_bar(box.get(), 30, file_bar_y(lit), 540, 20, makecol(50, 50, 200), 100, 88, 188,
                      95);
      show_box(backdrop.get(), page.get(), box.get(), bx, by);
    }
    rest(1);
  }
}

// ---------------------------------------------------------------------------
// Pop-up menus of the button bar
// ---------------------------------------------------------------------------

// Runs one pop-up at the pointer; the row chosen (1..rows) or 0 when the
// pointer left it.
static int run_popup(const popup_menu& m, const std::vector<std::string>& rows) {
  if (!screen) return 0;
  int left = mouse_x, top = mouse_y;
  owned_bitmap backdrop = screen_copy();
  owned_bitmap page(create_bitmap(SCREEN_W, SCREEN_H));
  owned_bitmap clean(create_bitmap(200, m.height));
  owned_bitmap box(create_bitmap(200, m.height));
  if (!backdrop || !page || !clean || !box) return 0;
  int black = makecol(0, 0, 0);
  clear_to_color(clean.get(), makecol(255, 255, 255));
  rect(clean.get(), 0, 0, 199, m.height - 1, makecol(0, 5, 55));
  textout_ex(clean.get(), font, m.title, 20, 2, black, -1);
  for (size_t k = 0; k < rows.size(); k++)
    textout_ex(clean.get(), font, rows[k].c_str(), 10, 12 + 10 * static_cast<int>(k), black, -1);

  wait_release(false);
  int lit = 0;
  pointer_watch watch;
  int chosen = 0;
  for (;;) {
    if (!popup_keeps_open(m, left, top, mouse_x, mouse_y)) break;
    lit = popup_highlight(m, lit, top, mouse_y);
    if ((mouse_b & 1) && lit != 0) {
      chosen = lit;
      break;
    }
    if (watch.moved(lit)) {
      blit(clean.get(), box.get(), 0, 0, 0, 0, 200, m.height);
      if (lit) highlight_bar(box.get(), 0, 10 * lit, 200, 10, makecol(0, 0, 255), 0, 0, 255, 100);
      show_box(backdrop.get(), page.get(), box.get(), left, top);
    }
    rest(1);
  }
  // Put back what the menu covered.
  blit(backdrop.get(), screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  UPDATE_MAP = 1;
  return chosen;
}

void mouse_quit() {
  if (run_popup(QUIT_MENU, {"RETURN TO MAIN MENU"}) == 1) {
    highcolor_fade_out(16);
    leave_game();
  }
}

void mouse_loadsave() {
  int row = run_popup(LOADSAVE_MENU, {"LOAD GAME", "SAVE GAME"});
  if (row == 1) text_load_map(0);
  if (row == 2) text_save_map(2);
}

void mouse_gameoptions() {
  std::string speed = std::string("GAME SPEED") + game_speed_label(GAME_SPEED);
  std::string alias = std::string("ANTIALIAS") + anti_alias_label(ANTI_ALIAS);
  int row = run_popup(OPTIONS_MENU, {speed, alias, "SOUND OFF"});
  const char* said = nullptr;
  if (row == 1) GAME_SPEED = next_game_speed(GAME_SPEED, &said);
  if (row == 2) ANTI_ALIAS = next_anti_alias(ANTI_ALIAS, &said);
  if (said) message_box(said);
}

// ---------------------------------------------------------------------------
// Line entry
// ---------------------------------------------------------------------------

std::string grab_input(int y, int style, bool save_name) {
  if (!screen) return finished_entry("");
  int w = SCREEN_W, h = SCREEN_H;
  owned_bitmap strip(create_bitmap(w, 30));
  owned_bitmap under(create_bitmap(w, 30));
  if (!strip || !under) return finished_entry("");
  blit(screen, under.get(), 0, y - 30, 0, 0, w, 30);
  clear_keybuf();
  rest(100);

  std::string text;
  bool changed = true;
  int white = makecol(255, 255, 255);
  while (!key[KEY_ENTER]) {
    if (keypressed()) {
      int k = readkey();
      bool edited = save_name ? edit_file_name_entry(text, k & 0xff, k >> 8, KEY_BACKSPACE)
                              : edit_entry(text, k & 0xff, k >> 8, KEY_BACKSPACE);
      if (edited) changed = true;
    }
    int len = static_cast<int>(text.size());
    if (style == 1) {
      clear_bitmap(strip.get());
      textout_ex(strip.get(), font, text.c_str(), 0, 0, white, -1);
      vline(strip.get(), 8 * len, 0, 10, white);
      blit(strip.get(), screen, 0, 0, 10, y - 15, 400, 10);
    } else if (style == 2 && changed) {
      clear_to_color(strip.get(), mask_colour());
      alfont_set_font_size(font1.get(), 26);
      alfont_textout_ex(strip.get(), font1.get(), text.c_str(), 0, 0, makecol(0, 0, 0), -1);
      // The cursor, where the next letter goes.
      int end = alfont_text_length(font1.get(), text.c_str()) + 2;
      rectfill(strip.get(), end, 3, end + 1, 26, makecol(0, 0, 0));
      blit(under.get(), screen, 0, 0, 0, y - 30, w, 30);
      draw_sprite(screen, strip.get(), w / 2 - 9 * len, y - 30);
    }
    changed = false;
    rest(1);
  }
  rectfill(screen, 2, h - 20, 400, h, 0);
  return finished_entry(text);
}
