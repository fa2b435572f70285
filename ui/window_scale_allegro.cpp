// A window N times the game's size.  The game keeps drawing at its own size,
// on a memory page that stands in for Allegro's screen; whenever the game
// waits (Allegro's rest, the busy pause) and the page has changed, it is
// copied to the window, each pixel N by N.  The pointer comes back in the
// game's own pixels, so every coordinate of the drawing and of the clicks
// stays as it is at scale 1.  All of it runs on the game's own thread:
// Allegro's drawing keeps state of its own that two threads would share.
#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

#include "ui/assets_allegro.h"
#include "ui/graphics.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

int SCALE = 1;
BITMAP* window_bitmap = nullptr;  // Allegro's own screen, the window's size
owned_bitmap page;                // what the game draws on, as `screen`
owned_bitmap shown;               // the page as last copied to the window
std::thread::id game_thread;

// A 60th of a second: the eye sees no lag, and comparing a page that often
// costs a fraction of a percent of one core.
constexpr auto PRESENT_PERIOD = std::chrono::milliseconds(16);
std::chrono::steady_clock::time_point last_look;

TIMER_DRIVER* allegro_timer = nullptr;
TIMER_DRIVER presenting_timer;

void present_when_due(bool at_once = false) {
  if (!window_bitmap || std::this_thread::get_id() != game_thread) return;
  auto now = std::chrono::steady_clock::now();
  if (!at_once && now - last_look < PRESENT_PERIOD) return;
  last_look = now;
  present_if_changed(page.get(), shown.get(), window_bitmap, SCALE);
}

// Allegro's rest, with a look at the page first: every wait of the game,
// in play and in every menu, goes through it.
void rest_and_present(unsigned int ms, void (*callback)()) {
  present_when_due();
  if (allegro_timer && allegro_timer->rest)
    allegro_timer->rest(ms, callback);
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

void present_window() { present_when_due(); }
void present_window_now() { present_when_due(true); }

bool present_if_changed(BITMAP* from, BITMAP* shown_copy, BITMAP* window, int scale) {
  bool changed = false;
  for (int y = 0; y < from->h && !changed; y++)
    changed =
        std::memcmp(from->line[y], shown_copy->line[y], static_cast<std::size_t>(from->w) * 4) != 0;
  if (!changed) return false;
  blit(from, shown_copy, 0, 0, 0, 0, from->w, from->h);
  stretch_blit(shown_copy, window, 0, 0, from->w, from->h, 0, 0, from->w * scale, from->h * scale);
  return true;
}

void set_window_scale(int n) { SCALE = n < 1 ? 1 : n; }
int window_scale() { return SCALE; }

bool open_window(int w, int h) {
  if (SCALE > 1) {
    int desk_w = 0, desk_h = 0;
    if (get_desktop_resolution(&desk_w, &desk_h) == 0 &&
        (w * SCALE > desk_w || h * SCALE > desk_h)) {
      // Said on the console, not in a box of its own: the player has only
      // to start again with a smaller scale.
      std::fprintf(
          stderr,
          "grimhollow: a %dx%d window at scale %d is %dx%d, larger than the screen (%dx%d)\n", w, h,
          SCALE, w * SCALE, h * SCALE, desk_w, desk_h);
      allegro_error[0] = '\0';
      return false;
    }
  }
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, w * SCALE, h * SCALE, 0, 0) != 0) return false;
  if (SCALE == 1) return true;
  page.reset(create_bitmap(w, h));
  shown.reset(create_bitmap(w, h));
  if (!page || !shown) return false;
  clear_bitmap(page.get());
  clear_bitmap(shown.get());
  window_bitmap = screen;
  screen = page.get();
  // SCREEN_W and SCREEN_H are read from the driver: they must name the
  // game's size, which everything is laid out by.  The mouse keeps the
  // window's range, and pointer_to_game brings it back.
  gfx_driver->w = w;
  gfx_driver->h = h;
  mouse_callback = [](int) { pointer_to_game(); };
  game_thread = std::this_thread::get_id();
  allegro_timer = timer_driver;
  if (allegro_timer) {
    presenting_timer = *allegro_timer;
    presenting_timer.rest = rest_and_present;
    timer_driver = &presenting_timer;
  }
  return true;
}

void close_window() {
  if (!window_bitmap) return;
  if (allegro_timer) timer_driver = allegro_timer;
  allegro_timer = nullptr;
  mouse_callback = nullptr;
  screen = window_bitmap;
  window_bitmap = nullptr;
  if (gfx_driver) {
    gfx_driver->w = screen->w;
    gfx_driver->h = screen->h;
  }
  page.reset();
  shown.reset();
}

void pointer_to_game() {
  if (SCALE == 1) return;
  // Called from Allegro's mouse handler right after it has written the
  // window's position; until the next motion or button it stays the game's.
  mouse_x = mouse_x / SCALE;
  mouse_y = mouse_y / SCALE;
}

void place_pointer(int x, int y) {
  position_mouse(x * SCALE, y * SCALE);
  if (SCALE == 1) return;
  mouse_x = x;
  mouse_y = y;
}
