// A window of text lines over the whole screen, scrolled by keys and the
// wheel: the whole message history of the game, and the list of past games.
// The decisions (the rows, where the view stands) are plain; the window
// itself is list_window_allegro.cpp.
#pragma once

#include <string>
#include <vector>

#include "ui/text_stack.h"

enum list_move {
  LIST_STAY,
  LIST_LINE_UP,
  LIST_LINE_DOWN,
  LIST_PAGE_UP,
  LIST_PAGE_DOWN,
  LIST_HOME,
  LIST_END,
  LIST_CLOSE
};
// The first shown row after move, for rows rows shown page at a time: never
// past the last full page, never before the first row.
int list_scroll(int top, int rows, int page, list_move move);

// Every message of the game, oldest first, each wrapped to width at size; a
// first row says how many older lines the log no longer keeps.
std::vector<std::string> message_history_rows(int width, int size, const text_metrics& m);

// Where things go on a screen w by h: the title, the rows (page of them from
// rows_y, line_h apart, text_w wide from text_x) and the prompt.
struct list_geometry {
  int size, line_h;
  int title_y, rows_y, prompt_y;
  int text_x, text_w;
  int page;
};
list_geometry lay_out_list(int w, int h, const text_metrics& m);

constexpr const char* HISTORY_TITLE = "MESSAGES OF THIS GAME";
constexpr const char* PAST_GAMES_TITLE = "PAST GAMES";
constexpr const char* LIST_PROMPT =
    "UP, DOWN, PAGE UP, PAGE DOWN, HOME, END OR THE WHEEL SCROLL; "
    "ESCAPE OR SPACE GOES BACK";

// The windows (list_window_allegro.cpp); each waits for the player and hands
// the screen back as it was.
void show_message_history_allegro();
// rows as given, the first at the top.
void show_text_list_allegro(const std::string& title, const std::vector<std::string>& rows);
