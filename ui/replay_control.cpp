// Pause, step, speed and quit for the window's replay.
#include "ui/replay_control.h"

void replay_key_pressed(replay_control& c, replay_key k) {
  switch (k) {
    case REPLAY_PAUSE:
      c.paused = !c.paused;
      c.steps = 0;
      break;
    case REPLAY_STEP:
      // A step only means something while paused; playing, it pauses first.
      if (c.paused)
        c.steps++;
      else
        c.paused = true;
      break;
    case REPLAY_FASTER:
      if (c.delay_ms / 2 >= REPLAY_DELAY_MIN) c.delay_ms /= 2;
      break;
    case REPLAY_SLOWER:
      if (c.delay_ms * 2 <= REPLAY_DELAY_MAX) c.delay_ms *= 2;
      break;
    case REPLAY_QUIT:
      c.quit = true;
      break;
    case REPLAY_KEY_NONE:
      break;
  }
}

bool replay_next_due(replay_control& c, int elapsed_ms) {
  if (c.quit) return false;
  if (c.paused) {
    if (c.steps == 0) return false;
    c.steps--;
    return true;
  }
  return elapsed_ms >= c.delay_ms;
}
