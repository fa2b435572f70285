// Play input from Allegro's held-key array and mouse, handed to the plain
// dispatch; the name prompt and the screenshot.
#include <allegro.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "core/frontend.h"
#include "core/world.h"
#include "creatures/sight.h"
#include "items/look.h"
#include "ui/alfont.h"
#include "ui/assets_allegro.h"
#include "ui/graphics.h"
#include "ui/help.h"
#include "ui/input.h"
#include "ui/input_repeat.h"
#include "ui/list_window.h"
#include "ui/screens.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

// '?', '<' and '>' are characters rather than keys: each layout puts them
// somewhere else, so they are counted from the characters typed
// (BY_CHARACTER) and never held.
constexpr int BY_CHARACTER = -1;
constexpr int KEY_OF[INPUT_KEYS] = {
    KEY_ESC,   KEY_S,        KEY_U,     KEY_D,     KEY_O,        KEY_UP,       KEY_RIGHT,
    KEY_DOWN,  KEY_LEFT,     KEY_N,     KEY_E,     KEY_L,        KEY_P,        KEY_J,
    KEY_F1,    BY_CHARACTER, KEY_H,     KEY_M,     BY_CHARACTER, BY_CHARACTER, KEY_1_PAD,
    KEY_2_PAD, KEY_3_PAD,    KEY_4_PAD, KEY_5_PAD, KEY_6_PAD,    KEY_7_PAD,    KEY_8_PAD,
    KEY_9_PAD, KEY_HOME,     KEY_END,   KEY_PGUP,  KEY_PGDN};
constexpr char CHARACTERS[] = {'?', '<', '>'};
constexpr input_key CHARACTER_KEYS[] = {IN_QUESTION, IN_LESS, IN_GREATER};

input_state read_held_input() {
  input_state in;
  for (int i = 0; i < INPUT_KEYS; i++) in.key[i] = KEY_OF[i] != BY_CHARACTER && key[KEY_OF[i]];
  in.mouse_x = mouse_x;
  in.mouse_y = mouse_y;
  in.mouse_b = mouse_b;
  in.screen_w = screen ? SCREEN_W : WIDTH;
  in.screen_h = screen ? SCREEN_H : HEIGHT;
  return in;
}

// ---------------------------------------------------------------------------
// Presses between polls
// ---------------------------------------------------------------------------
// Allegro tells of each key and button going down from its own thread; the
// counts wait there until the next poll takes them.
int clock_ms() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  return static_cast<int>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

constexpr int SCANCODES = 128;
constexpr int LEFT_SLOT = SCANCODES, RIGHT_SLOT = SCANCODES + 1, CHARACTER_SLOT = SCANCODES + 2;
constexpr int SLOTS = CHARACTER_SLOT + static_cast<int>(sizeof CHARACTERS);
std::atomic<int> press_count[SLOTS];
std::atomic<int> press_ms[SLOTS];
std::atomic<int> release_ms[SCANCODES];
// The X server's own key repeat sends a release and a press at once; a hand
// cannot press again that fast.
constexpr int AUTOREPEAT_GAP_MS = 3;

void count_press(int slot) {
  press_ms[slot] = clock_ms();
  press_count[slot]++;
}

void key_event(int scancode) {
  wake_frame_loop(true);
  int sc = scancode & 0x7f;
  if (scancode & 0x80) {
    release_ms[sc] = clock_ms();
    return;
  }
  if (clock_ms() - release_ms[sc] <= AUTOREPEAT_GAP_MS && key[sc]) return;
  count_press(sc);
}

// Characters pass on unchanged to whoever reads the keyboard buffer.
int character_event(int typed) {
  for (int c = 0; c < static_cast<int>(sizeof CHARACTERS); c++)
    if ((typed & 0xff) == CHARACTERS[c]) count_press(CHARACTER_SLOT + c);
  return typed;
}

static_assert(KEY_OF[INPUT_KEYS - 1] != 0, "a key of play without its Allegro key");
int press_slot(int i) {
  for (int c = 0; c < static_cast<int>(sizeof CHARACTERS); c++)
    if (CHARACTER_KEYS[c] == i) return CHARACTER_SLOT + c;
  return KEY_OF[i];
}

void mouse_event(int flags) {
  wake_frame_loop(true);  // the pointer is drawn in the picture: a move counts
  pointer_to_game();
  if (flags & MOUSE_FLAG_LEFT_DOWN) count_press(LEFT_SLOT);
  if (flags & MOUSE_FLAG_RIGHT_DOWN) count_press(RIGHT_SLOT);
}

input_pacing pacing;
int last_pass_end_ms = -1;

// Gives the presses counted since the last pass to the trackers; presses
// older than the end of the last pass went to a menu or prompt in between.
void take_presses(int slot, press_tracker& t, int cutoff_ms) {
  int n = press_count[slot].exchange(0);
  int when = press_ms[slot];
  if (when < cutoff_ms) return;
  for (int i = 0; i < n; i++) note_press(t, when);
}

input_state read_input() {
  if (last_pass_end_ms < 0) {
    keyboard_lowlevel_callback = key_event;
    keyboard_callback = character_event;
    mouse_callback = mouse_event;
    for (auto& c : press_count) c = 0;
  }
  // A gap far longer than a pass means play was away (a menu, another game):
  // whatever was held then starts afresh.
  int now = clock_ms(), cutoff = last_pass_end_ms;
  if (last_pass_end_ms < 0 || now - last_pass_end_ms > 1000) {
    forget_presses(pacing);
    cutoff = now - REPEAT_INTERVAL_MS;
  }
  for (int i = 0; i < INPUT_KEYS; i++) take_presses(press_slot(i), pacing.key[i], cutoff);
  take_presses(LEFT_SLOT, pacing.left, cutoff);
  take_presses(RIGHT_SLOT, pacing.right, cutoff);
  return paced_input(pacing, read_held_input(), now);
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

void put_mouse(int x, int y) { place_pointer(x, y); }

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
  a.help = show_help_allegro;
  a.ask_leave = ask_leave_allegro;
  a.history = show_message_history_allegro;
  a.overview = show_overview_allegro;
  return a;
}();

}  // namespace

void getinput_allegro() {
  dispatch_input(read_input(), ALLEGRO_ACTIONS);
  // Only the buttons: a key held down through a creature turn still walks
  // on afterwards, as it always has.
  input_state held = read_held_input();
  end_pass(pacing.left, press_count[LEFT_SLOT] > 0, (held.mouse_b & MOUSE_LEFT) != 0);
  end_pass(pacing.right, press_count[RIGHT_SLOT] > 0, (held.mouse_b & MOUSE_RIGHT) != 0);
  last_pass_end_ms = clock_ms();
}

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
  parchment_prompt("TYPE IN THE NAME OF YOUR CHARACTER");
  std::string name = grab_input(SCREEN_H / 2, 2);
  copy_text(unit[1][1].name, name.c_str());
  clear_bitmap(screen);
}
