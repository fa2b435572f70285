// The player's hold on a replay shown in the window: pause, step, speed and
// quit. Plain decisions over the keys pressed and the time gone by.
#pragma once

enum replay_key { REPLAY_KEY_NONE, REPLAY_PAUSE, REPLAY_STEP, REPLAY_FASTER, REPLAY_SLOWER, REPLAY_QUIT };

constexpr int REPLAY_DELAY_START = 400;  // ms between commands
constexpr int REPLAY_DELAY_MIN = 25;
constexpr int REPLAY_DELAY_MAX = 3200;

struct replay_control {
  bool paused = false;
  bool quit = false;
  int delay_ms = REPLAY_DELAY_START;
  int steps = 0;  // single commands asked for while paused
};

void replay_key_pressed(replay_control& c, replay_key k);
// True when the next command runs now, elapsed_ms after the last one; a
// step asked for while paused is used up by it.
bool replay_next_due(replay_control& c, int elapsed_ms);
