// What is drawn over the map: the message panel and its history, the warning
// box, the button bar, the gauges, the carried-item column, the stack of
// objects on a square, and the short effects of combat.
#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "core/frontend.h"
#include "core/world.h"
#include "items/inventory.h"
#include "ui/alfont.h"
#include "ui/assets_allegro.h"
#include "ui/graphics.h"
#include "ui/hud.h"
#include "ui/input.h"
#include "ui/pointer_line.h"
#include "ui/screens.h"
#include "ui/text_stack.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

// The scroll arrow of the panel, loaded once rather than on every message.
owned_bitmap scroll_arrow;
int shown_fps = 0;
bool scroll_arrow_tried = false;

BITMAP* panel_arrow() {
  if (!scroll_arrow_tried) {
    scroll_arrow.reset(load_picture("data/scrollmouse.bmp"));
    scroll_arrow_tried = true;
  }
  return scroll_arrow.get();
}

}  // namespace

// ---------------------------------------------------------------------------
// Message panel
// ---------------------------------------------------------------------------
text_metrics font_metrics(ALFONT_FONT* f) {
  text_metrics m;
  m.width = [f](const std::string& text, int size) {
    alfont_set_font_size(f, size);
    return alfont_text_length(f, text.c_str());
  };
  m.height = [f](int size) {
    alfont_set_font_size(f, size);
    return alfont_get_font_height(f);
  };
  return m;
}

void redraw_message_panel() {
  BITMAP* panel = MESSAGE_SCREEN.get();
  if (!panel) return;
  clear_to_color(panel, mask_colour());
  ALFONT_FONT* f = font1.get();
  int first = M_box[0], span = M_box[3];
  BITMAP* arrow = panel_arrow();
  int arrow_w = arrow ? arrow->w : 20;
  for (int i = first; i <= first + span && i < MESSAGE_LINES; i++) {
    if (i < 0) continue;
    message_line_place at = message_line_at(i - first, span, arrow_w);
    std::string text = screen_text(M_line[i]);
    if (text.empty()) continue;
    alfont_set_font_size(f, at.size);
    // A dark ground under the letters, so no tile of the map reads as part
    // of them.
    int len = alfont_text_length(f, text.c_str());
    int top = at.y + 1, bottom = std::min(at.y + alfont_get_font_height(f), M_box[2] - 1);
    rectfill(panel, at.x - 3, top, std::min(at.x + len + 3, panel->w - 1), bottom,
             makecol(12, 20, 12));
    alfont_textprintf_ex(panel, f, at.x, at.y, makecol(0, (i - first) * 15 + 100, 0), -1, "%s",
                         text.c_str());
  }
  if (arrow) {
    draw_sprite(panel, arrow, 0, 0);
    rotate_sprite(panel, arrow, 0, M_box[2] - arrow->h, itofix(128));
  }
}

// The dispatcher has already put the text into the history.
void message_box_allegro(const char*) { redraw_message_panel(); }

namespace {

// A warning box on the screen, and what lay under it to put back.
struct shown_box {
  owned_bitmap under;
  int x = 0, y = 0, w = 0, h = 0;
};

// Draws the parchment box of the warnings with its lines; with no prompt
// the "PRESS <SPACE>" line is left out (the box asks its own question).
shown_box show_warning_box(const char* const (&given)[6], int size, bool prompt) {
  shown_box shown;
  ALFONT_FONT* f = font1.get();
  std::string lines[6];
  for (int i = 0; i < 6; i++) lines[i] = screen_text(given[i]);
  warning_box_layout lay = lay_out_warning_box(lines, size, MESSAGE_PANEL_W, MESSAGE_PANEL_H,
                                               font_metrics(f), prompt ? WARNING_FOOTNOTE : "");
  const int w = MESSAGE_PANEL_W, h = lay.height;
  int bx = SCREEN_W / 2 - w / 2, by = SCREEN_H / 2 - h / 2;
  int ink = makecol(0, 25, 25);
  owned_bitmap under(create_bitmap(w, h)), box(create_bitmap(w, h));
  if (!box) return shown;
  if (under) blit(screen, under.get(), bx, by, 0, 0, w, h);
  blit(screen, box.get(), bx, by, 0, 0, w, h);
  // The parchment grows with the lines it holds.
  if (BITMAP* scroll = scroll_bmp.get()) {
    owned_bitmap grown(create_bitmap(w, h));
    if (grown) {
      stretch_blit(scroll, grown.get(), 0, 0, scroll->w, scroll->h, 0, 0, w, h);
      set_trans_blender(188, 188, 188, 210);
      draw_trans_sprite(box.get(), grown.get(), 0, 0);
    }
  }
  for (std::size_t i = 0; i < lay.lines.size(); i++) {
    const stacked_line& l = lay.lines[i];
    if (l.text.size() <= 1 || (!prompt && i == 6)) continue;
    alfont_set_font_size(f, l.size);
    alfont_textprintf_centre_ex(box.get(), f, w / 2, l.y, ink, -1, "%s", l.text.c_str());
  }
  blit(box.get(), screen, 0, 0, bx, by, w, h);
  shown.under = std::move(under);
  shown.x = bx, shown.y = by, shown.w = w, shown.h = h;
  return shown;
}

void close_box(const shown_box& shown) {
  if (shown.under) blit(shown.under.get(), screen, 0, 0, shown.x, shown.y, shown.w, shown.h);
}

}  // namespace

void allegro_warning_message(const char* l1, const char* l2, const char* l3, const char* l4,
                             const char* l5, const char* l6, int size) {
  BITMAP* panel = MESSAGE_SCREEN.get();
  if (!screen || !panel) return;
  const char* lines[6] = {l1, l2, l3, l4, l5, l6};
  shown_box shown = show_warning_box(lines, size, true);
  while (!key[KEY_SPACE]) rest(1);
  close_box(shown);
  clear_to_color(panel, mask_colour());
  rest(5);
}

bool ask_leave_allegro() {
  if (!screen) return true;
  const char* lines[6] = {"", "", "Leave this game? Y / N", "", "", ""};
  shown_box shown = show_warning_box(lines, 26, false);
  // The Escape or click that asked is still down: it is not the answer.
  while (key[KEY_ESC] || mouse_b) rest(1);
  clear_keybuf();
  leave_answer answer = LEAVE_UNANSWERED;
  while (answer == LEAVE_UNANSWERED) {
    rest(1);
    answer = answer_to_leave(key[KEY_Y] || key[KEY_ENTER] || key[KEY_ENTER_PAD],
                             key[KEY_N] || key[KEY_ESC], mouse_b != 0);
  }
  // Nothing of the answer reaches the game behind it.
  while (key[KEY_ESC] || key[KEY_N] || mouse_b) rest(1);
  clear_keybuf();
  close_box(shown);
  UPDATE_MAP = 1;
  return answer == LEAVE_YES;
}

// ---------------------------------------------------------------------------
// Side panels
// ---------------------------------------------------------------------------
namespace {

// Dark on the bright bar, light on the dark fill, with a rim of the other so
// the part over the bar's end still reads.
void gauge_label(BITMAP* v, ALFONT_FONT* f, const int (&bar)[4], int x, int y, const char* text) {
  int dark = makecol(5, 0, 20), light = makecol(255, 250, 250);
  bool on_fill = gauge_label_light(bar, x, alfont_text_length(f, text) / 2 + 2);
  int ink = on_fill ? light : dark, rim = on_fill ? dark : light;
  if (on_fill) alfont_textprintf_centre_ex(v, f, x + 1, y + 1, rim, -1, "%s", text);
  alfont_textprintf_centre_ex(v, f, x, y, ink, -1, "%s", text);
}

void status_words(BITMAP* v, ALFONT_FONT* f, const unit_record& u, const gauge_layout& g) {
  status_readout r = status_readout_for(u, g);
  int light = makecol(255, 250, 250), gold = makecol(250, 210, 90), shade = makecol(0, 0, 0);
  auto put = [&](const std::string& s, int x, int y, int ink, bool right_aligned) {
    if (s.empty()) return;
    if (right_aligned) x -= alfont_text_length(f, s.c_str());
    alfont_textprintf_ex(v, f, x + 1, y + 1, shade, -1, "%s", s.c_str());
    alfont_textprintf_ex(v, f, x, y, ink, -1, "%s", s.c_str());
  };
  put(r.level, r.left_x, r.move_y, light, true);
  put(r.ladder, r.left_x, r.health_y, gold, true);
  put(r.moves, r.right_x, r.move_y, light, false);
  put(r.health, r.right_x, r.health_y, light, false);
}

}  // namespace

void diagnostics_text() {
  BITMAP* v = TEMP_SCREEN.get();
  if (!v) return;
  unit_record& u = unit[CURRENT_PLAYER][CURRENT_UNIT];
  int W = WIDTH, H = HEIGHT;
  ALFONT_FONT* f = font1.get();
  if (DEBUG_MODE > 0) {
    int red = makecol(255, 0, 0);
    textprintf_ex(v, font, 600, 0, red, -1, "%s", u.name);
    textprintf_ex(v, font, 600, 10, red, -1, "MOVEMENT LEFT : %d ", u.moves);
    textprintf_ex(v, font, 600, 20, red, -1, "PLAYER : %d UNIT : %d ", CURRENT_PLAYER,
                  CURRENT_UNIT);
    textprintf_ex(v, font, 600, 30, red, -1, "You are at : %d : %d :%d", u.z, u.x, u.y);
    textprintf_ex(v, font, 600, 40, red, -1, "HEALTH: %d", u.health);
    draw_sprite_safe(v, unit_bmp[CURRENT_PLAYER][CURRENT_UNIT].get(), 700, 50);
    textprintf_ex(v, font, 600, 110, red, -1, "Attack Range : %d .", u.ranged);
    textprintf_ex(v, font, 600, 120, red, -1, "Damage : %d .", u.damage);
    textprintf_ex(v, font, 600, 130, red, -1, "Defense : %d .", u.defence);
    textprintf_ex(v, font, 600, 140, red, -1, "Strength : %d .", u.strength);
    textprintf_ex(v, font, 600, 150, red, -1, "Level : %d .", u.level);
    int lx = 999, ly = 999;
    if (on_grid(u.z, 0, 0))
      for (int x = 0; x < LAND_SIZE; x++)
        for (int y = 0; y < LAND_SIZE; y++)
          if (map[u.z][x][y].scenery == SCENERY_LADDER_UP) lx = x, ly = y;
    textprintf_ex(v, font, view_width() - 230, view_height() - 30, red, -1,
                  "Ladders UP at : %d : %d :%d", u.z, lx, ly);
  }
  gauge_layout g = status_gauges(u, W, H);
  // movement
  rectfill(v, g.move_fill[0], g.move_fill[1], g.move_fill[2], g.move_fill[3], makecol(50, 0, 0));
  rect(v, g.move_frame[0], g.move_frame[1], g.move_frame[2], g.move_frame[3],
       makecol(155, 150, 150));
  rectfill(v, g.move_bar[0], g.move_bar[1], g.move_bar[2], g.move_bar[3],
           makecol(g.move_colour[0], g.move_colour[1], g.move_colour[2]));
  // health
  rect(v, g.health_frame[0], g.health_frame[1], g.health_frame[2], g.health_frame[3],
       g.poisoned ? makecol(15, 250, 50) : makecol(155, 150, 150));
  rectfill(v, g.health_fill[0], g.health_fill[1], g.health_fill[2], g.health_fill[3],
           makecol(50, 0, 0));
  if (g.health_bar[2] >= g.health_bar[0])
    rectfill(v, g.health_bar[0], g.health_bar[1], g.health_bar[2], g.health_bar[3],
             makecol(g.health_colour[0], g.health_colour[1], g.health_colour[2]));
  // labels
  int d = H / 100, o = 20;
  alfont_set_font_size(f, 16);
  const char* health_label = g.poisoned ? "POISON" : "HEALTH";
  gauge_label(v, f, g.move_bar, W / 2, d + o + 2, "MOVEMENT");
  gauge_label(v, f, g.health_bar, W / 2, 5 * d + o + 3, health_label);
  alfont_textprintf_centre_ex(v, f, W / 2, d, makecol(255, 250, 250), -1, "%s", u.name);
  status_words(v, f, u, g);
  // The diagnostics line, in the top right corner clear of the gauges and the
  // carried items, where the seed can be read off and typed back.
  if (!DIAGNOSTICS_LINE) return;
  std::string fps = fps_line(shown_fps);
  textprintf_ex(v, font, W - 40 - text_length(font, fps.c_str()), d + 4, makecol(150, 150, 150), -1,
                "%s", fps.c_str());
}

namespace {

// Under the gauges, centred, in the largest size that fits the width left
// between the button strip and the carried items; cut short past that.
void draw_pointer_line(BITMAP* v) {
  int x = 0, y = 0, z = 0;
  if (!pointer_square(mouse_x, mouse_y, x, y, z)) return;
  std::string line = pointer_line(z, x, y);
  if (line.empty()) return;
  ALFONT_FONT* f = font1.get();
  const int room = WIDTH - 2 * 90;
  int size = 16;
  for (; size > 11; size--) {
    alfont_set_font_size(f, size);
    if (alfont_text_length(f, line.c_str()) <= room) break;
  }
  alfont_set_font_size(f, size);
  if (alfont_text_length(f, line.c_str()) > room) {
    while (line.size() > 4 && alfont_text_length(f, (line + "...").c_str()) > room) line.pop_back();
    line += "...";
  }
  int d = HEIGHT / 100, top = 8 * d + 20 + 6;
  alfont_textprintf_centre_ex(v, f, WIDTH / 2 + 1, top + 1, makecol(0, 0, 0), -1, "%s",
                              line.c_str());
  alfont_textprintf_centre_ex(v, f, WIDTH / 2, top, makecol(250, 230, 160), -1, "%s", line.c_str());
}

}  // namespace

void draw_icons() {
  BITMAP* v = TEMP_SCREEN.get();
  if (!v) return;
  if (BUTTON_BAR == -1) {
    draw_sprite_safe(v, buttons_bmp.get(), 0, 90);
    set_add_blender(255, 255, 255, 255);
    draw_trans_sprite_safe(v, eye_bmp.get(), 0, 0);
    set_trans_blender(255, 255, 255, 255);
  }
  if (STATUS_BAR == -1) {
    diagnostics_text();
    draw_pointer_line(v);
  }
  if (MESSAGE_BAR == -1) draw_sprite_safe(v, MESSAGE_SCREEN.get(), 0, HEIGHT - (M_box[2] + 20));
  if (INVENTORY_BAR == -1) {
    int column[12];
    int n = carried_icon_column(CURRENT_PLAYER, CURRENT_UNIT, column);
    for (int i = 0; i < n; i++)
      if (column[i] > 0 && column[i] < OBJECT_SLOTS)
        draw_sprite_safe(v, object_bmp[column[i]].get(), WIDTH - 75, 100 + 50 * i);
  }
}

void display_item_stack(int x, int y, int z, int px, int py, int light) {
  if (!on_grid(z, x, y)) return;
  int n = map[z][x][y].object_count;
  if (n < 1) return;
  int drawn = 0;
  for (int i = 0; i <= MAX_OBJECTS && i < OBJECT_SLOTS && drawn < n; i++) {
    const object_record& o = object[i];
    if (o.status != OBJECT_ON_GROUND || o.x != x || o.y != y || o.z != z) continue;
    if (BITMAP* pic = object_bmp[i].get()) {
      if (light == 0)
        draw_sprite(TEMP_SCREEN, pic, px, py);  // lit at 0 shows the picture as it is
      else
        draw_lit_sprite(TEMP_SCREEN, pic, px, py, light);
    }
    drawn++;
  }
  if (drawn < n) {
    std::printf("\n Error IR:%d  Obj No Here %d exceeds MAX_OBJECTS %d at %d %d %d\n", drawn, n,
                MAX_OBJECTS, x, y, z);
    rest(250);
  }
}

// ---------------------------------------------------------------------------
// Effects
// ---------------------------------------------------------------------------
namespace {
int effect_px(int dx) { return (MAPTILES_X / 2 + dx) * TILE_SIZE; }
int effect_py(int dy) { return (MAPTILES_Y / 2 + dy) * TILE_SIZE; }
}  // namespace

void draw_splat_allegro(int dx, int dy, int size, int angle) {
  UPDATE_MAP = 1;
  if (!screen || !splat_bmp) return;
  int px = effect_px(dx), py = effect_py(dy);
  if (size < 1)
    rotate_sprite(screen, splat_bmp.get(), px + 10, py + 10, itofix(angle));
  else
    rotate_scaled_sprite(screen, splat_bmp.get(), px + 22, py + 22, itofix(angle), ftofix(0.6));
  rest(100);
}

void draw_explosion_allegro(int dx, int dy, int kind) {
  UPDATE_MAP = 1;
  if (!screen) return;
  int ex = effect_px(dx) - TILE_SIZE / 2, ey = effect_py(dy) - TILE_SIZE / 2;
  if (DEBUG_MODE == -1) std::printf("Start Draw Boom\n");
  int frames = kind == 2 ? GLOWRING_FRAMES : EFFECT_FRAMES;
  owned_bitmap scratch;
  if (kind == 1 || kind == 3) scratch.reset(create_bitmap(view_width(), view_height()));
  for (int i = 0; i < frames; i++) {
    if (DEBUG_MODE == -1) std::printf("*boom*\n");
    if (kind == 2) {
      draw_sprite_safe(screen, glowring_bmp[i].get(), ex - TILE_SIZE / 2 + 10,
                       ey - TILE_SIZE / 2 + 10);
      rest(100);
    } else if ((kind == 1 || kind == 3) && scratch && TEMP_SCREEN) {
      blit(TEMP_SCREEN.get(), scratch.get(), 0, 0, 0, 0, view_width(), view_height());
      set_add_blender(255, 255, 255, 255);
      if (kind == 1) {
        draw_trans_sprite_safe(scratch.get(), explode_bmp[i].get(), ex, ey);
        blit(scratch.get(), screen, 0, 0, 10, 10, view_width(), view_height());
      } else {
        draw_trans_sprite_safe(scratch.get(), sparkles_bmp[i].get(), ex + 10, ey + 10);
        blit(scratch.get(), screen, 0, 0, 0, 0, view_width(), view_height());
      }
      rest(35);
    }
  }
  set_trans_blender(255, 255, 255, 255);
}

void draw_zapline_allegro(int dx1, int dy1, int dx2, int dy2) {
  UPDATE_MAP = 1;
  if (!screen) return;
  int x1 = effect_px(dx1) + TILE_SIZE / 2, y1 = effect_py(dy1) + TILE_SIZE / 2;
  int x2 = effect_px(dx2) + TILE_SIZE / 2, y2 = effect_py(dy2) + TILE_SIZE / 2;
  line(screen, x1 + 10, y1 + 10, x2 + 10, y2 + 10, makecol(255, 0, 0));
  line(screen, x1 + 11, y1 + 11, x2 + 10, y2 + 11, makecol(255, 50, 0));
  line(screen, x1 + 9, y1 + 9, x2 + 9, y2 + 10, makecol(255, 50, 0));
  line(screen, x1 + 12, y1 + 12, x2 + 10, y2 + 12, makecol(255, 150, 0));
  line(screen, x1 + 8, y1 + 8, x2 + 8, y2 + 10, makecol(255, 150, 0));
  rest(100);
}

void highcolor_fade_out_allegro(int speed) {
  if (!screen) return;
  if (speed < 1) speed = 16;
  owned_bitmap copy(create_bitmap(SCREEN_W, SCREEN_H));
  owned_bitmap page(create_bitmap(SCREEN_W, SCREEN_H));
  if (!copy || !page) return;
  blit(screen, copy.get(), 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  for (int alpha = 255 - speed; alpha > 0; alpha -= speed) {
    clear_bitmap(page.get());
    set_trans_blender(0, 0, 0, alpha);
    draw_trans_sprite(page.get(), copy.get(), 0, 0);
    blit(page.get(), screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  }
  if (DEBUG_MODE == 1) clear_bitmap(screen);
}

// Drawn straight on the screen by the end of the turn, before the creatures
// move.
void creature_turn_banner_allegro() {
  if (!screen || !font1) return;
  alfont_set_font_size(font1.get(), 64);
  alfont_textprintf_centre_ex(screen, font1.get(), SCREEN_W / 2 + 10, SCREEN_H / 2 - 50,
                              makecol(255, 250, 250), -1, "%s", "CREATURE TURN");
  // The creatures' moves that follow may not wait before the next frame.
  present_window_now();
}

// The frame loop hands the rate over before the frame is drawn; the status
// bar shows it, where the map does not paint over it at once.
void show_fps_allegro(int fps) { shown_fps = fps; }
