#include "ui/input_repeat.h"

void note_press(press_tracker& t, int now_ms) {
  t.presses++;
  t.last_press_ms = now_ms;
}

bool press_fires(press_tracker& t, bool held, int now_ms) {
  // A button that chose in a screen stays quiet until it is let go.
  if (t.spent && t.presses == 0 && held) return false;
  t.spent = false;
  if (t.presses > 0) {
    // Quick presses between two polls are given one a pass, none lost.
    t.presses--;
    t.held = held;
    t.next_repeat_ms = t.last_press_ms + REPEAT_DELAY_MS;
    return true;
  }
  bool was_held = t.held;
  t.held = held;
  if (!held) return false;
  if (!was_held) {
    t.next_repeat_ms = now_ms + REPEAT_DELAY_MS;
    return true;
  }
  if (now_ms < t.next_repeat_ms) return false;
  // A slow pass must not store up repeats to fire in a burst afterwards.
  t.next_repeat_ms += REPEAT_INTERVAL_MS;
  if (t.next_repeat_ms <= now_ms) t.next_repeat_ms = now_ms + REPEAT_INTERVAL_MS;
  return true;
}

void forget_presses(press_tracker& t) {
  bool spent = t.spent;
  t = press_tracker{};
  t.spent = spent;
}

void end_pass(press_tracker& t, bool pressed_during_pass, bool held_now) {
  if (!pressed_during_pass || !held_now) return;
  t.presses = 0;
  t.spent = true;
}

input_state paced_input(input_pacing& p, const input_state& held, int now_ms) {
  input_state in = held;
  for (int i = 0; i < INPUT_KEYS; i++) in.key[i] = press_fires(p.key[i], held.key[i], now_ms);
  bool left = press_fires(p.left, held.mouse_b == MOUSE_LEFT, now_ms);
  bool right = press_fires(p.right, held.mouse_b == MOUSE_RIGHT, now_ms);
  in.mouse_b = left ? MOUSE_LEFT : right ? MOUSE_RIGHT : 0;
  return in;
}

void forget_presses(input_pacing& p) {
  for (press_tracker& t : p.key) forget_presses(t);
  forget_presses(p.left);
  forget_presses(p.right);
}
