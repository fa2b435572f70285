// The Allegro front end's table: what each dispatcher of the rules does in
// the window.  Also the title screen, the pointer and the pauses.
#include <allegro.h>
// Allegro's background thread, which reads the window's input: the game
// holds it still while it rests (below).
#include <allegro/platform/aintunix.h>
#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "core/frontend.h"
#include "core/world.h"
#include "ui/assets_allegro.h"
#include "ui/graphics.h"
#include "ui/screens.h"
#include "ui/view_allegro.h"

// From the menu module.
int option_select_allegro(const char* l1, const char* l2, const char* l3, const char* title);
std::string select_file_allegro();

namespace {

void clear_message_box_allegro() { redraw_message_panel(); }

// ---------------------------------------------------------------------------
// Pauses
// ---------------------------------------------------------------------------
void clear_screen_allegro() {
  if (screen) clear_bitmap(screen);
}

void rest_allegro(int milliseconds) { rest(static_cast<unsigned>(milliseconds)); }

// The pause of usleep: as long as ever, but asleep rather than spinning on
// the clock.
void wait_clock_allegro(int milliseconds) {
  using clock = std::chrono::steady_clock;
  const auto until = clock::now() + std::chrono::milliseconds(milliseconds);
  // A scaled window is copied out while the game waits; short naps keep it
  // current without spinning.
  for (auto now = clock::now(); now < until; now = clock::now()) {
    present_window();
    std::this_thread::sleep_until(std::min(until, now + std::chrono::milliseconds(2)));
  }
}

// ---------------------------------------------------------------------------
// Unit and object pictures
// ---------------------------------------------------------------------------

// Potions, ropes and corpses have always been quiet about a missing picture.
bool quiet_object(int number) {
  int type = object[number].type;
  return type == ITEM_POTION || type == ITEM_ROPE || type == ITEM_CORPSE;
}

void load_icon_allegro(int kind, int player, int number, const char* path, const char* overlay) {
  bitmap_slot* slot = nullptr;
  if (kind == 1 && unit_slot_valid(player, number))
    slot = &unit_bmp[player][number];
  else if (kind == 0 && number >= 0 && number < OBJECT_SLOTS)
    slot = &object_bmp[number];
  if (!slot) return;

  *slot = icon_picture(path, overlay);
  if (!*slot) {
    if (kind == 1)
      std::printf("Couldn't load image  MONSTER BMP!\n");
    else if (!quiet_object(number))
      std::printf("Couldn't load image  OBJECT BMP! OBNo: %d\n", number);
  }
}

// ---------------------------------------------------------------------------
// Title screen
// ---------------------------------------------------------------------------
constexpr const char* STUDIO_LINE = "GRIMHOLLOW WORKS PRESENTS";
constexpr const char* WEB_LINE = "www.grimhollowworks.net";
constexpr const char* TITLE_LINE = "GRIMHOLLOW v1.0";
constexpr const char* CREDITS_LINE = "Made by the Grimhollow Works team";

void splash_screen2_allegro() {
  if (!screen) return;
  int w = SCREEN_W, h = SCREEN_H;
  // Composed off screen and shown in one copy, so the text never flickers in.
  std::unique_ptr<BITMAP, bitmap_deleter> page(create_bitmap(w, h));
  if (!page) return;
  clear_bitmap(page.get());
  // A failed reload keeps the face already loaded: every panel writes with it.
  if (ALFONT_FONT* again = alfont_load_font("fonts/timesbd.TTF")) font1.reset(again);
  ALFONT_FONT* f = font1.get();
  alfont_set_font_size(f, 36);
  int white = makecol(255, 255, 255);
  alfont_textout_centre_aa(page.get(), f, STUDIO_LINE, w / 2, h / 2 - 250, white);
  alfont_textout_centre_aa(page.get(), f, WEB_LINE, w / 2, h / 2 - 200, white);
  alfont_textprintf_centre_ex(page.get(), f, w / 2, h / 2 - 150, makecol(160, 250, 160), 5, "%s",
                              TITLE_LINE);
  alfont_set_font_size(f, 32);
  alfont_textprintf_centre_ex(page.get(), f, w / 2, h / 2 + 150, makecol(205, 205, 205), -1, "%s",
                              CREDITS_LINE);
  alfont_set_font_size(f, 36);
  blit(page.get(), screen, 0, 0, 0, 0, w, h);
}

// ---------------------------------------------------------------------------
// The table
// ---------------------------------------------------------------------------
std::string select_file_entry() { return select_file_allegro(); }

const front_end allegro_front_end = {
    "allegro",
    message_box_allegro,
    allegro_warning_message,
    drawmap_allegro,
    getinput_allegro,
    allegro_enter_name,
    draw_splat_allegro,
    draw_explosion_allegro,
    draw_zapline_allegro,
    highcolor_fade_out_allegro,
    clear_message_box_allegro,
    splash_screen2_allegro,
    option_select_allegro,
    select_file_entry,
    load_icon_allegro,
    creature_turn_banner_allegro,
    show_fps_allegro,
    rest_allegro,
    wait_clock_allegro,
    clear_screen_allegro,
    wait_tick_allegro,
    picture_animated_allegro,
};

}  // namespace

// ---------------------------------------------------------------------------
// The frame loop's rest
// ---------------------------------------------------------------------------
namespace {
std::mutex wake_mutex;
std::condition_variable wake_signal;
bool woken = false;           // guarded by wake_mutex
bool player_touched = false;  // guarded by wake_mutex

bool key_or_button_held() {
  if (mouse_b) return true;
  for (int k = 1; k < KEY_MAX; k++)
    if (key[k]) return true;
  return false;
}
}  // namespace

void wake_frame_loop(bool by_player) {
  {
    std::lock_guard<std::mutex> hold(wake_mutex);
    woken = true;
    player_touched = player_touched || by_player;
  }
  wake_signal.notify_one();
}

// Allegro's background thread wakes every millisecond and reads the window
// every tenth: in a resting game most of its processor time.  While the
// frame loop waits for its tick the thread is held; the loop reads the
// window itself on either side of the wait, which also sends what the pass
// drew to the screen at once.  A key pressed meanwhile acts at the next tick.
// Allegro's handler of a signal to stop cannot close the window while the
// thread is held and aborts instead, so those signals wait for the tick too.
class background_held {
 public:
  background_held() : held_(in_x_window()) {
    if (!held_) return;
    _xwin_handle_input();
    sigset_t stops;
    sigemptyset(&stops);
    for (int s : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) sigaddset(&stops, s);
    pthread_sigmask(SIG_BLOCK, &stops, &before_);
    _unix_bg_man->disable_interrupts();
  }
  ~background_held() {
    if (!held_) return;
    _unix_bg_man->enable_interrupts();
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    _xwin_handle_input();
  }
  background_held(const background_held&) = delete;
  background_held& operator=(const background_held&) = delete;

 private:
  static bool in_x_window() {
    return system_driver && system_driver->id == SYSTEM_XWINDOWS && _unix_bg_man &&
           _unix_bg_man->multi_threaded;
  }
  bool held_;
  sigset_t before_{};
};

bool wait_tick_allegro() {
  bool touched;
  {
    background_held quiet;
    std::unique_lock<std::mutex> hold(wake_mutex);
    // The timer wakes it thirty times a second; the limit only guards
    // against a timer that never came.
    wake_signal.wait_for(hold, std::chrono::milliseconds(100), [] { return woken; });
    woken = false;
    touched = std::exchange(player_touched, false);
  }
  present_window();  // a scaled window shows the page as the game left it
  return touched || key_or_button_held();
}

void select_allegro_front_end() { select_frontend(&allegro_front_end); }
const front_end& allegro_front_end_table() { return allegro_front_end; }

// ---------------------------------------------------------------------------
// The pointer over a still picture
// ---------------------------------------------------------------------------
// Over a backdrop that covers the whole screen the pointer is drawn on the
// backdrop itself, and the few pixels under it are put back after the copy:
// the screens that show it hold two copies of the screen already.
static bool pointer_on_backdrop(BITMAP* backdrop) {
  BITMAP* finger = fingermouse_bmp.get();
  if (!finger || backdrop == screen || backdrop->w < SCREEN_W || backdrop->h < SCREEN_H)
    return false;
  std::unique_ptr<BITMAP, bitmap_deleter> under(create_bitmap(finger->w, finger->h));
  if (!under) return false;
  const int x = mouse_x - 10, y = mouse_y - 2;
  blit(backdrop, under.get(), x, y, 0, 0, finger->w, finger->h);
  masked_blit(finger, backdrop, 0, 0, x, y, finger->w, finger->h);
  blit(backdrop, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  blit(under.get(), backdrop, 0, 0, x, y, finger->w, finger->h);
  return true;
}

void draw_mouse_over(BITMAP* backdrop) {
  if (!screen || !backdrop) return;
  if (pointer_on_backdrop(backdrop)) {
    rest(1);
    return;
  }
  std::unique_ptr<BITMAP, bitmap_deleter> page(create_bitmap(SCREEN_W, SCREEN_H));
  if (!page) return;
  // A backdrop narrower than the screen (the map view at 1024x768) keeps the
  // screen's own frame beside it.
  blit(screen, page.get(), 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  blit(backdrop, page.get(), 0, 0, 0, 0, backdrop->w, backdrop->h);
  if (fingermouse_bmp)
    masked_blit(fingermouse_bmp, page.get(), 0, 0, mouse_x - 10, mouse_y - 2,
                fingermouse_bmp.get()->w, fingermouse_bmp.get()->h);
  blit(page.get(), screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  rest(1);
}

void draw_mouse() { draw_mouse_over(TEMP_SCREEN); }
