// What the game was asked to do on its command line. Read before any window
// opens, so a mistyped option costs the player nothing but a message.
#pragma once

#include <string>
#include <vector>

#include "core/version.h"

struct command_line {
  bool help = false;
  bool version = false;
  bool has_seed = false;
  unsigned seed = 0;
  std::string replay;     // a replay file to play back, empty for a game
  bool headless = false;  // the replay without a window
  bool history = false;   // list the past games and stop
  int scale = 1;          // window pixels across and down to each of the game's
  std::string error;      // non-empty when the line cannot be followed
};

// Reads the arguments after the program name.
command_line read_command_line(const std::vector<std::string>& args);
// The text --help prints.
std::string command_line_usage();
constexpr int LARGEST_SCALE = 4;
// The exit status for a line that cannot be followed.
constexpr int BAD_COMMAND_LINE = 2;

// What the console says when no window can be opened: on a line of its own,
// that the game needs a graphical display and what the display variable
// held (display is null when it is not set), then the library's own reason
// when it gave one.
std::string no_window_message(const char* display, const char* library_error);
