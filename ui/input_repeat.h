// Key and button presses turned into commands: every press gives its command
// once, even one that goes down and up between two polls of the input, and a
// key or button held down gives it again after a first delay, then at a
// steady rate, like a desktop's key repeat.
#pragma once

#include "ui/input.h"

// The first repeat comes a third of a second after the press, then ten a
// second, which is as often as play polls its input.
constexpr int REPEAT_DELAY_MS = 330;
constexpr int REPEAT_INTERVAL_MS = 100;

// One key or button between polls.
struct press_tracker {
  int presses = 0;        // presses not yet given as commands
  int last_press_ms = 0;  // when the latest of them went down
  bool held = false;      // down at the last poll
  int next_repeat_ms = 0;
  bool spent = false;  // its press went to a screen; nothing until let go
};

// A press went down at now_ms (the front end's key or button event).
void note_press(press_tracker& t, int now_ms);
// At a poll: true when the key or button gives its command on this pass.
// held is whether it is down now.  A press seen by note_press counts even
// when it is already up again; a key found down with no press noted counts
// as pressed now.
bool press_fires(press_tracker& t, bool held, int now_ms);
// Forgets every press not yet given and starts the repeat over, as when the
// keys went to a menu in between.
void forget_presses(press_tracker& t);
// At the end of a pass: a key or button that went down while the pass ran
// chose in a screen the pass opened (a menu, the file list, a question).
// Still held, it gives no command, not even a repeat, until it is let go.
void end_pass(press_tracker& t, bool pressed_during_pass, bool held_now);

// The trackers of play: one per key of input_key, and the two buttons.
struct input_pacing {
  press_tracker key[INPUT_KEYS];
  press_tracker left, right;
};
// The snapshot dispatch_input should see this pass: held is the keyboard and
// mouse as they are now; keys and buttons are set only where they fire.  The
// pointer position passes through.  Only one button acts per pass, the left
// first.
input_state paced_input(input_pacing& p, const input_state& held, int now_ms);
// Drops all unspent presses of play.
void forget_presses(input_pacing& p);
