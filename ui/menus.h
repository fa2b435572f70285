// What the pointer and the keys mean in the menus, the file selector and the
// line entry, as plain decisions with no drawing, so that tests can ask them.
#pragma once

#include <string>
#include <vector>

#include "ui/text_stack.h"

// ---------------------------------------------------------------------------
// Three-choice box (main menu, difficulty)
// ---------------------------------------------------------------------------

// The box laid out for the font: the title, the three lines and "SELECT
// OPTION" stacked so that none overlaps the next, in a parchment that grows
// from its usual height to hold them, centred on the screen.  The click
// bands are the rows the lines are drawn on, so a click lands on the line
// under the pointer.
struct option_box {
  std::vector<stacked_line> lines;  // title, lines 1..3, "SELECT OPTION"
  int width, height;
  int left, top;   // on the screen
  int row_top[4];  // rows of lines 1..3 (index 1..3) inside the box
  int row_bottom[4];
};
constexpr int OPTION_BOX_W = 600;
constexpr int OPTION_BOX_MIN_H = 140;
option_box lay_out_option_box(const char* l1, const char* l2, const char* l3, const char* title,
                              int screen_w, int screen_h, const text_metrics& m);
// The highlighted line (0 none, 1..3) after the pointer moves to mouse_y on
// the screen.  The highlight stays where it was in the gaps between lines
// and goes when the pointer is well above the first or below the last.
int option_highlight(int current, int mouse_y, const option_box& box);
// Top and height of the highlight bar of line 1..3 inside the box.
int option_bar_y(const option_box& box, int line);
int option_bar_h(const option_box& box, int line);

// ---------------------------------------------------------------------------
// File selector
// ---------------------------------------------------------------------------
constexpr int FILE_ROW_NONE = 0;
constexpr int FILE_ROW_TYPE = 1;   // "TYPE FILE NAME"
constexpr int FILE_ROW_NAME1 = 2;  // names 1..4 are rows 2..5
constexpr int FILE_MAX_NAMES = 4;
constexpr int SAVE_NAME_SIZE = 40;    // 39 characters and the end
constexpr int FILE_RESULT_SIZE = 50;  // 49 characters and the end

// The highlighted row after the pointer moves to mouse_y; n is the number of
// names listed plus one.  Rows of names that are not listed never light.
int file_highlight(int current, int mouse_y, int screen_h, int n);
// Top of the highlight bar of a row inside the box.
int file_bar_y(int row);
// Height of the selector's panel for n (names + 1).
int file_panel_height(int n);
// The exit mark sits in the panel's bottom right corner; true when the
// pointer is over it.  mark_w and mark_h are the size of its picture.
bool file_exit_hit(int mouse_x, int mouse_y, int screen_w, int screen_h, int n, int mark_w,
                   int mark_h);
// The save names in the files of a folder listing: every entry whose name
// contains ".nam", in listing order, at most four.  read_first_line gives the
// first line of a file (line end removed) or false when it cannot be read.
std::vector<std::string> save_names_from_listing(const std::vector<std::string>& entries,
                                                 bool (*read_first_line)(const std::string& path,
                                                                         std::string& line));
// The first line of a text file, cut to the save name size; false when the
// file cannot be opened.
bool read_save_name(const std::string& path, std::string& line);
// What a click on a highlighted row returns: a listed name, or "" for the
// name-1 row of an empty list.
std::string file_row_result(int row, const std::vector<std::string>& names);

// Where the "SELECT FILE" caption is written in a panel for n (names + 1):
// under the last name, inside the panel.
int file_caption_y(int n);

// The size a prompt written across the parchment takes: the size asked, set
// smaller until the text fits between the parchment's rolled ends.
constexpr int PARCHMENT_ROD_MARGIN = 34;
int parchment_prompt_size(const std::string& text, int asked, int parchment_w,
                          const text_metrics& m);

// ---------------------------------------------------------------------------
// Pop-up menus of the button bar
// ---------------------------------------------------------------------------
struct popup_menu {
  const char* title;
  int rows;    // rows that can be chosen
  int height;  // of the white box
  int reach;   // the pointer may go this far below the top before it closes
};
extern const popup_menu QUIT_MENU;
extern const popup_menu LOADSAVE_MENU;
extern const popup_menu OPTIONS_MENU;

// True while the pointer is still within the menu opened at (left, top).
bool popup_keeps_open(const popup_menu& m, int left, int top, int mouse_x, int mouse_y);
// Highlighted row (0 none, 1..rows) after the pointer moves to mouse_y.
int popup_highlight(const popup_menu& m, int current, int top, int mouse_y);

// Option texts and the cycles of the options menu.
const char* game_speed_label(int speed);       // ": SLOW", ": NORMAL", ": FAST"
const char* anti_alias_label(int anti_alias);  // ": OFF", ": PIXEL", ": SCREEN"
// The next game speed and the message that announces it.
int next_game_speed(int speed, const char** message);
int next_anti_alias(int anti_alias, const char** message);

// ---------------------------------------------------------------------------
// Line entry
// ---------------------------------------------------------------------------
constexpr int ENTRY_MAX = 29;
// Applies one key (character code and scancode) to the text being typed;
// true when the text changed.
bool edit_entry(std::string& text, int character, int scancode, int backspace_scancode);
// edit_entry for a save name: characters a save name may not hold are refused.
bool edit_file_name_entry(std::string& text, int character, int scancode, int backspace_scancode);
// What an entry finished with ENTER gives back.
std::string finished_entry(const std::string& text);

// ---------------------------------------------------------------------------
// Start-up arithmetic
// ---------------------------------------------------------------------------
// Tiles of the map view along a side of pixels: whole tiles, rounded down to
// an even number.
int view_tiles(int pixels, int tile_size);
// The colour depth of the console answer '1'..'4'; '4' takes the desktop's
// depth, or 32 when that is below 15.
int colour_depth_for_choice(char choice, int desktop_depth);
