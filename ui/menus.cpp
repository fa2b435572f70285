#include "ui/menus.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "persistence/save.h"

// ---------------------------------------------------------------------------
// Three-choice box
// ---------------------------------------------------------------------------

namespace {
constexpr int OPTION_MARGIN = 24;
constexpr int OPTION_BOTTOM_GAP = 10;
// How far above the first line and below the last the highlight holds.
constexpr int OPTION_SLACK = 4;
}  // namespace

option_box lay_out_option_box(const char* l1, const char* l2, const char* l3, const char* title,
                              int screen_w, int screen_h, const text_metrics& m) {
  option_box box{};
  box.lines = {{title ? title : "", 26, 6},
               {l1 ? l1 : "", 16, 31},
               {l2 ? l2 : "", 16, 43},
               {l3 ? l3 : "", 16, 55},
               {"SELECT OPTION", 20, 70}};
  int bottom = stack_lines(box.lines, OPTION_BOX_W, OPTION_MARGIN, m);
  box.width = OPTION_BOX_W;
  box.height = std::max(OPTION_BOX_MIN_H, bottom + OPTION_BOTTOM_GAP);
  box.left = screen_w / 2 - box.width / 2;
  box.top = std::max(0, screen_h / 2 - box.height / 2);
  for (int i = 1; i <= 3; i++) {
    const stacked_line& l = box.lines[static_cast<size_t>(i)];
    box.row_top[i] = l.y;
    // A row reaches down to the next line, so no pointer height between
    // two lines is left without one.
    box.row_bottom[i] = box.lines[static_cast<size_t>(i + 1)].y;
    if (i == 3) box.row_bottom[i] = std::min(box.row_bottom[i], l.y + m.height(l.size));
  }
  return box;
}

int option_highlight(int current, int mouse_y, const option_box& box) {
  int y = mouse_y - box.top;
  if (y < box.row_top[1] - OPTION_SLACK || y >= box.row_bottom[3] + OPTION_SLACK) return 0;
  for (int i = 1; i <= 3; i++)
    if (y >= box.row_top[i] && y < box.row_bottom[i]) return i;
  return current;
}

int option_bar_y(const option_box& box, int line) { return box.row_top[line]; }
int option_bar_h(const option_box& box, int line) {
  return box.row_bottom[line] - box.row_top[line];
}

// ---------------------------------------------------------------------------
// File selector
// ---------------------------------------------------------------------------

int file_highlight(int current, int mouse_y, int screen_h, int n) {
  int mid = screen_h / 2;
  if (mouse_y < mid - 40 || mouse_y > mid - 10) current = FILE_ROW_NONE;
  if (mouse_y > mid - 56 && mouse_y < mid - 46) current = FILE_ROW_TYPE;
  if (mouse_y > mid - 36 && mouse_y < mid - 16) current = FILE_ROW_NAME1;
  if (n > 2 && mouse_y > mid - 15 && mouse_y < mid + 5) current = FILE_ROW_NAME1 + 1;
  if (n > 3 && mouse_y > mid + 6 && mouse_y < mid + 26) current = FILE_ROW_NAME1 + 2;
  if (n > 4 && mouse_y > mid + 26 && mouse_y < mid + 46) current = FILE_ROW_NAME1 + 3;
  return current;
}

int file_bar_y(int row) {
  if (row == FILE_ROW_TYPE) return 10;
  return 38 + 20 * (row - FILE_ROW_NAME1);
}

// Room under the names for the caption, which once hung below the panel.
int file_panel_height(int n) { return 20 * n + 100; }
int file_caption_y(int n) { return 20 * n + 50; }

int parchment_prompt_size(const std::string& text, int asked, int parchment_w,
                          const text_metrics& m) {
  std::vector<stacked_line> line = {{text, asked, 0}};
  stack_lines(line, parchment_w, PARCHMENT_ROD_MARGIN, m);
  return line[0].size;
}

bool file_exit_hit(int mouse_x, int mouse_y, int screen_w, int screen_h, int n, int mark_w,
                   int mark_h) {
  // The click area is the picture itself, wherever the panel's growth puts it.
  int right = screen_w / 2 + 300;
  int bottom = screen_h / 2 - 70 + file_panel_height(n);
  return mouse_x > right - mark_w && mouse_x < right && mouse_y > bottom - mark_h &&
         mouse_y < bottom;
}

std::vector<std::string> save_names_from_listing(const std::vector<std::string>& entries,
                                                 bool (*read_first_line)(const std::string& path,
                                                                         std::string& line)) {
  std::vector<std::string> names;
  for (const std::string& e : entries) {
    if (names.size() >= FILE_MAX_NAMES) break;
    if (e.find(".nam") == std::string::npos) continue;
    std::string line;
    if (read_first_line("save/" + e, line)) names.push_back(line);
  }
  return names;
}

bool read_save_name(const std::string& path, std::string& line) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return false;
  char buf[SAVE_NAME_SIZE] = "";
  if (!std::fgets(buf, sizeof buf, f)) buf[0] = '\0';
  std::fclose(f);
  buf[std::strcspn(buf, "\r\n")] = '\0';
  line = buf;
  return true;
}

std::string file_row_result(int row, const std::vector<std::string>& names) {
  int i = row - FILE_ROW_NAME1;
  if (i >= 0 && i < static_cast<int>(names.size())) return names[static_cast<size_t>(i)];
  return "";
}

// ---------------------------------------------------------------------------
// Pop-up menus
// ---------------------------------------------------------------------------
const popup_menu QUIT_MENU = {"QUIT MENU", 1, 30, 33};
const popup_menu LOADSAVE_MENU = {"LOAD SAVE MENU", 2, 40, 43};
const popup_menu OPTIONS_MENU = {"GAME OPTIONS", 3, 50, 43};

bool popup_keeps_open(const popup_menu& m, int left, int top, int mouse_x, int mouse_y) {
  return mouse_x >= left - 3 && mouse_x <= left + 204 && mouse_y >= top - 3 &&
         mouse_y <= top + m.reach;
}

int popup_highlight(const popup_menu& m, int current, int top, int mouse_y) {
  if (mouse_y > top && mouse_y < top + 10) return 0;
  for (int k = 1; k <= m.rows; k++)
    if (mouse_y > top + 10 * k && mouse_y < top + 10 * k + 10) return k;
  return current;
}

const char* game_speed_label(int speed) {
  if (speed == 1) return ": SLOW";
  if (speed == 3) return ": FAST";
  return ": NORMAL";
}

const char* anti_alias_label(int anti_alias) {
  if (anti_alias == 0) return ": OFF";
  if (anti_alias == 1) return ": PIXEL";
  return ": SCREEN";
}

int next_game_speed(int speed, const char** message) {
  speed++;
  if (speed > 3) speed = 1;
  static const char* const messages[] = {"GAME SPEED SLOW", "GAME SPEED MEDIUM", "GAME SPEED FAST"};
  // A speed outside 1..3 (never set by the game) steps to slow like 3 does.
  if (speed < 1) speed = 1;
  if (message) *message = messages[speed - 1];
  return speed;
}

int next_anti_alias(int anti_alias, const char** message) {
  const char* text;
  int next;
  if (anti_alias == 1) {
    next = 2;
    text = "ANTI_ALIASING TRANSPARENCY";
  } else if (anti_alias == 2) {
    next = 0;
    text = "ANTI_ALIASING OFF";
  } else {
    next = 1;
    text = "ANTI_ALIASING PIXEL";
  }
  if (message) *message = text;
  return next;
}

// ---------------------------------------------------------------------------
// Line entry
// ---------------------------------------------------------------------------

bool edit_entry(std::string& text, int character, int scancode, int backspace_scancode) {
  if (character > 31 && character != 127) {
    if (static_cast<int>(text.size()) < ENTRY_MAX)
      text.push_back(static_cast<char>(std::toupper(character & 0xff)));
    return true;
  }
  if (scancode == backspace_scancode && !text.empty()) text.pop_back();
  return scancode == backspace_scancode;
}

bool edit_file_name_entry(std::string& text, int character, int scancode, int backspace_scancode) {
  if (character > 31 && character != 127 && !save_name_char_allowed(character)) return false;
  return edit_entry(text, character, scancode, backspace_scancode);
}

std::string finished_entry(const std::string& text) { return text.empty() ? "Somebody" : text; }

// ---------------------------------------------------------------------------
// Start-up arithmetic
// ---------------------------------------------------------------------------

int view_tiles(int pixels, int tile_size) {
  if (tile_size < 1) return 0;
  int n = pixels / tile_size;
  return n - n % 2;
}

int colour_depth_for_choice(char choice, int desktop_depth) {
  switch (choice) {
    case '1':
      return 16;
    case '2':
      return 24;
    case '4':
      return desktop_depth < 15 ? 32 : desktop_depth;
    default:
      return 32;
  }
}
