// A replay shown in the window: the recorded game runs through the frame loop
// as it was played, one command at a time at a pace the player sets.
#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "core/frontend.h"
#include "core/game/loop.h"
#include "core/game/replay_play.h"
#include "core/world.h"
#include "ui/graphics.h"
#include "ui/replay_allegro.h"
#include "ui/replay_control.h"

namespace {

using replay_clock = std::chrono::steady_clock;

struct window_replay {
  const replay_record* record = nullptr;
  std::size_t next = 0;
  replay_control control;
  replay_clock::time_point last = replay_clock::now();
  bool stopped = false;  // a command could not be followed
  bool told_end = false;
  std::string reason;
};

window_replay playing;
front_end replay_front_end;

replay_key key_of(int scancode) {
  switch (scancode) {
    case KEY_SPACE:
    case KEY_P: return REPLAY_PAUSE;
    case KEY_RIGHT:
    case KEY_S: return REPLAY_STEP;
    case KEY_PLUS_PAD:
    case KEY_EQUALS:
    case KEY_UP: return REPLAY_FASTER;
    case KEY_MINUS:
    case KEY_MINUS_PAD:
    case KEY_DOWN: return REPLAY_SLOWER;
    case KEY_ESC:
    case KEY_Q: return REPLAY_QUIT;
    default: return REPLAY_KEY_NONE;
  }
}

void tell_end() {
  if (playing.told_end) return;
  playing.told_end = true;
  message_box(playing.stopped ? "THE REPLAY CANNOT GO ON" : "END OF THE REPLAY");
  if (playing.stopped) message_box(playing.reason.c_str());
  message_box("PRESS ESC TO LEAVE");
}

void replay_getinput_allegro() {
  while (keypressed()) replay_key_pressed(playing.control, key_of(readkey() >> 8));
  if (playing.control.quit) {
    gameover = GAME_OVER;
    return;
  }
  if (playing.stopped || playing.next >= playing.record->commands.size()) {
    tell_end();
    return;
  }
  auto now = replay_clock::now();
  int elapsed = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now - playing.last).count());
  if (!replay_next_due(playing.control, elapsed)) return;
  playing.last = now;
  // A step is one input of the game, however many commands it gave.
  if (!replay_run_input(*playing.record, playing.next, playing.reason)) {
    playing.stopped = true;
    std::printf("replay stopped: %s\n", playing.reason.c_str());
    return;
  }
  UPDATE_MAP = 1;
}

}  // namespace

int play_replay_in_window(const replay_record& r) {
  playing = window_replay{};
  playing.record = &r;
  replay_front_end = allegro_front_end_table();
  replay_front_end.getinput = replay_getinput_allegro;
  select_frontend(&replay_front_end);
  clear_keybuf();
  replay_open_game(r);
  message_box("REPLAY: SPACE PAUSE, RIGHT STEP, UP/DOWN SPEED, ESC LEAVE");
  gameover = GAME_PLAYING;
  main_loop();
  std::string digest = world_digest();
  bool whole = !playing.stopped && playing.next == r.commands.size();
  std::printf("replay: %zu of %zu commands, digest %s%s\n", playing.next, r.commands.size(),
              digest.c_str(),
              !whole || !r.has_digest ? "" : digest == r.digest ? " (as recorded)" : " (NOT as recorded)");
  select_allegro_front_end();
  return playing.stopped ? 1 : 0;
}
