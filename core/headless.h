// The front end of tests and tools: records what the game says, answers its
// questions from a script, and neither draws nor waits.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/frontend.h"

struct headless_warning {
  std::string lines[6];
  int size;
  int screen_clears_before;  // how many times the screen was blanked before it
  bool over_creature_turn;   // drawn while the creatures' banner was up
};

struct headless_state {
  std::vector<std::string> messages;  // every message_box text, empty ones too
  std::vector<headless_warning> warnings;
  std::vector<std::string> icons;  // every picture path load_icon was given
  std::vector<int> splat_angles;   // the angle of every splat, in order
  std::deque<int> menu_choices;    // answers to option_select
  std::deque<std::string> files;   // answers to select_file
  std::deque<std::string> names;   // answers to enter_name
  // Each getinput pops one action and runs it; with none left the game is
  // left (gameover 2) so a scripted game can never spin forever.
  std::deque<std::function<void()>> inputs;
  int drawmap_calls = 0;
  bool animated = false;  // what picture_animated answers
  int getinput_calls = 0;
  int banner_calls = 0;
  int clear_calls = 0;
  int screen_clears = 0;
  int fade_calls = 0;
  int splash_calls = 0;
  int effects = 0;
};

extern headless_state headless;
extern const front_end headless_front_end;

// Selects the headless front end and forgets everything it recorded.
void use_headless();
// True when some recorded message equals text.
bool headless_said(const std::string& text);
