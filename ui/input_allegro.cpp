// Play input from Allegro's held-key array and mouse, handed to the plain
// dispatch; the name prompt and the screenshot.
#include <allegro.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "core/frontend.h"
#include "core/world.h"
#include "ui/view_settings.h"
#include "creatures/sight.h"
#include "items/look.h"
#include "ui/alfont.h"
#include "ui/assets_allegro.h"
#include "ui/input.h"
#include "ui/screens.h"
#include "ui/view_allegro.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

constexpr int KEY_OF[INPUT_KEYS] = {KEY_ESC,  KEY_S,    KEY_U, KEY_D, KEY_O, KEY_UP, KEY_RIGHT,
                                    KEY_DOWN, KEY_LEFT, KEY_N, KEY_E, KEY_L, KEY_P,  KEY_J};

input_state read_input() {
  input_state in;
  for (int i = 0; i < INPUT_KEYS; i++) in.key[i] = key[KEY_OF[i]] != 0;
  in.mouse_x = mouse_x;
  in.mouse_y = mouse_y;
  in.mouse_b = mouse_b;
  in.screen_w = screen ? SCREEN_W : WIDTH;
  in.screen_h = screen ? SCREEN_H : HEIGHT;
  return in;
}

bool on_pause_button() {
  return BUTTON_BAR == -1 && (mouse_b == MOUSE_LEFT || mouse_b == MOUSE_RIGHT) &&
         button_at(mouse_x, mouse_y) == BUTTON_PAUSE;
}

void pause_game() {
  message_box("GAME PAUSED!");
  message_box("PRESS <SPACE> TO RESTART");
  drawmap();
  // The click or key that paused must be let go before a new one can restart.
  while (mouse_b || key[KEY_P]) rest(1);
  while (!key[KEY_SPACE] && !on_pause_button()) rest(1);
  while (mouse_b) rest(1);
  message_box("GAME RESTARTED.....");
  reveal_tiles();
  UPDATE_MAP = 1;
}

void put_mouse(int x, int y) { position_mouse(x, y); }

const input_actions ALLEGRO_ACTIONS = [] {
  input_actions a;
  a.look = look;
  a.mouse_box_choice = mouse_box_choice;
  a.mouse_quit = mouse_quit;
  a.pause = pause_game;
  a.mouse_gameoptions = mouse_gameoptions;
  a.mouse_loadsave = mouse_loadsave;
  a.mouse_inventory = mouse_inventory;
  a.mouse_inventory2 = mouse_inventory2;
  a.mouse_dragmove = mouse_dragmove;
  a.mouse_mainbox = mouse_mainbox;
  a.mouse_maprightclick = mouse_maprightclick;
  a.position_mouse = put_mouse;
  a.screenshot = screen_grab_allegro;
  a.redraw_messages = redraw_message_panel;
  return a;
}();

}  // namespace

void getinput_allegro() { dispatch_input(read_input(), ALLEGRO_ACTIONS); }

void screen_grab_allegro() {
  if (!screen) return;
  owned_bitmap shot(create_bitmap(WIDTH, HEIGHT));
  if (!shot) return;
  blit(screen, shot.get(), 0, 0, 0, 0, WIDTH, HEIGHT);
  // A fresh install has no folder for it yet.
  mkdir("screenshots", 0755);
  save_bitmap("screenshots/screenshot.bmp", shot.get(), nullptr);
  message_box("SCREEN SHOT TAKEN");
  rest(250);
}

void allegro_enter_name() {
  if (!screen) return;
  clear_bitmap(screen);
  int w = SCREEN_W, h = SCREEN_H;
  int scroll_h = scroll_bmp ? scroll_bmp.get()->h : 0;
  if (scroll_bmp)
    draw_sprite(screen, scroll_bmp.get(), w / 2 - scroll_bmp.get()->w / 2,
                h / 2 - scroll_h / 2 - 10);
  alfont_set_font_size(font1.get(), 26);
  alfont_textprintf_centre_ex(screen, font1.get(), w / 2, h / 2 - scroll_h / 2, makecol(0, 0, 0),
                              -1, "%s", "TYPE IN THE NAME OF YOUR CHARACTER");
  std::string name = grab_input(h / 2, 2);
  copy_text(unit[1][1].name, name.c_str());
  clear_bitmap(screen);
}
