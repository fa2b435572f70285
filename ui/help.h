// The help screen: every key and click of play with what it does, taken from
// the tables the input dispatch reads, laid out to fit the screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/text_stack.h"

struct help_entry {
  std::string name;
  std::string what;
};
// The keys in the order dispatch tries them, then the clicks.
std::vector<help_entry> help_key_entries();
std::vector<help_entry> help_mouse_entries();
// Every entry as "NAME  what", one a line.
std::string help_text();

constexpr const char* HELP_TITLE = "COMMANDS";
constexpr const char* HELP_PROMPT = "PRESS ANY KEY TO GO BACK";

enum help_role {
  HELP_ROLE_TITLE,
  HELP_ROLE_HEADING,
  HELP_ROLE_NAME,
  HELP_ROLE_WHAT,
  HELP_ROLE_PROMPT
};
// A text placed on the screen: its box is x..x+w, y..y+h.
struct placed_text {
  std::string text;
  help_role role;
  int size;
  int x, y, w, h;
};
struct help_layout {
  std::vector<placed_text> texts;
  int size;   // of the entries
  bool fits;  // false when even the smallest size overflows the screen
};
// Two columns, keys on the left and clicks on the right, each name followed
// by what it does on the same line or, when there is no room, indented on
// the next; the title above, the prompt below.  The entries take the largest
// size that fits the screen.
help_layout lay_out_help(int screen_w, int screen_h, const text_metrics& m);

// The first page: what the game is and how its turns, sight, costs, fights,
// light and saves work, one topic a paragraph.
struct help_topic {
  const char* heading;
  const char* text;
};
extern const help_topic HOW_TO_PLAY[];
extern const int HOW_TO_PLAY_COUNT;
constexpr const char* HOW_TO_PLAY_TITLE = "HOW TO PLAY";
constexpr const char* HOW_TO_PLAY_PROMPT = "PRESS ANY KEY FOR THE COMMANDS";

// Splits text at spaces into lines no wider than width at size; a word wider
// than width gets a line of its own.
std::vector<std::string> wrap_words(const std::string& text, int width, int size,
                                    const text_metrics& m);
// Each topic's heading with its text wrapped under it, indented, across the
// screen; the title above, the prompt below, the largest size that fits.
help_layout lay_out_how_to_play(int screen_w, int screen_h, const text_metrics& m);

// The wait while the help is shown: first until whatever opened it is let
// go, then until any key or button goes down, then until that is let go too,
// so the closing key does nothing in the game.  anything_down is asked once
// a wait of the front end and says whether any key or button is down.
// Returns how many times it asked.
int wait_out_help(const std::function<bool()>& anything_down);

// The help screen in the window (help_allegro.cpp): the how-to-play page,
// then the commands, each until a key; drawn over the game, which it hands
// back unchanged.
void show_help_allegro();
