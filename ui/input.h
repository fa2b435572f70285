// What the player's keys and clicks mean during play, as plain decisions
// over a snapshot of the keyboard and mouse.  The Allegro front end fills
// the snapshot and supplies the screens a command opens; tests supply
// recorders and ask the decisions directly.
#pragma once

// The keys play reads.
enum input_key {
  IN_ESC,
  IN_S,
  IN_U,
  IN_D,
  IN_O,
  IN_UP,
  IN_RIGHT,
  IN_DOWN,
  IN_LEFT,
  IN_N,
  IN_E,
  IN_L,
  IN_P,
  IN_J,
  IN_F1,
  IN_QUESTION,  // the '?' character, wherever the keyboard puts it
  IN_H,
  IN_M,
  IN_LESS,  // '<' and '>', characters like '?'
  IN_GREATER,
  IN_PAD_1,  // the numeric keypad, 1 to 9
  IN_PAD_2,
  IN_PAD_3,
  IN_PAD_4,
  IN_PAD_5,
  IN_PAD_6,
  IN_PAD_7,
  IN_PAD_8,
  IN_PAD_9,
  IN_HOME,
  IN_END,
  IN_PGUP,
  IN_PGDN,
  INPUT_KEYS
};

constexpr int MOUSE_LEFT = 1;
constexpr int MOUSE_RIGHT = 2;

struct input_state {
  bool key[INPUT_KEYS] = {};
  int mouse_x = -1, mouse_y = -1;
  int mouse_b = 0;  // 1 left, 2 right, anything else no button
  int screen_w = 800, screen_h = 600;
};

// The screens and waits a command may open; each may be left null.
struct input_actions {
  void (*look)() = nullptr;
  void (*mouse_box_choice)(int mode) = nullptr;
  void (*mouse_quit)() = nullptr;
  void (*pause)() = nullptr;
  void (*mouse_gameoptions)() = nullptr;
  void (*mouse_loadsave)() = nullptr;
  void (*mouse_inventory)() = nullptr;
  void (*mouse_inventory2)() = nullptr;
  void (*mouse_dragmove)() = nullptr;
  void (*mouse_mainbox)() = nullptr;
  void (*mouse_maprightclick)(int x, int y) = nullptr;
  void (*position_mouse)(int x, int y) = nullptr;
  void (*screenshot)() = nullptr;
  void (*redraw_messages)() = nullptr;
  void (*help)() = nullptr;  // the list of commands; the game waits while it is shown
  // Asks "Leave this game? Y / N" and waits: true to leave.  Null leaves
  // without asking.
  bool (*ask_leave)() = nullptr;
  void (*history)() = nullptr;   // every message of the game; the game waits meanwhile
  void (*overview)() = nullptr;  // the map of the level; the game waits while it is shown
};

// The reply to the leave question read from one poll: Y or Enter leave; N,
// Escape or a click go back to the game; nothing else answers.
enum leave_answer { LEAVE_UNANSWERED, LEAVE_YES, LEAVE_NO };
leave_answer answer_to_leave(bool yes_or_enter, bool no_or_escape, bool clicked);

// One keyboard command.  Dispatch walks KEY_COMMANDS in order and the help
// screen lists it, so a key cannot act without being listed.  run returns
// true when the pass ends with it.
struct key_command {
  input_key key;
  const char* name;  // as the help screen shows it
  const char* what;
  bool (*run)(const input_actions& act);
};
extern const key_command KEY_COMMANDS[];
extern const int KEY_COMMAND_COUNT;

// One mouse command, for the help screen.  The panel buttons name their
// button so that none can be left out of the list.
struct mouse_command {
  const char* name;
  const char* what;
  int button;  // a panel_button, or BUTTON_NONE off the panel
};
extern const mouse_command MOUSE_COMMANDS[];
extern const int MOUSE_COMMAND_COUNT;

// One pass of play input: at most one panel or map command, or the keyboard
// commands (several of which may act together).  While a walk is under way
// the pass is its next step, or any key or click ends it.
void dispatch_input(const input_state& in, const input_actions& act);

// The regions of the screen (exclusive lower, inclusive upper bounds where
// the game has always used them).
bool on_scroll_newer(const input_state& in);
bool on_scroll_older(const input_state& in);
// The button under the pointer while the bar is shown, or BUTTON_NONE.
enum panel_button {
  BUTTON_NONE,
  BUTTON_PORTRAIT,
  BUTTON_QUIT,
  BUTTON_PAUSE,
  BUTTON_TURN,
  BUTTON_OPTIONS,
  BUTTON_LOADSAVE,
  BUTTON_INVENTORY,
  BUTTON_HELP
};
panel_button button_at(int mouse_x, int mouse_y);
// True when the pointer is on the map area that takes left clicks, and on the
// acting unit's own tile.
bool on_map_area(int mouse_x, int mouse_y);
bool on_own_tile(int mouse_x, int mouse_y);
// The square offset under the pointer from the acting unit.
int pointer_dx(int mouse_x);
int pointer_dy(int mouse_y);

// The distance of a jump from the keyboard: 2 when the three squares ahead
// are clear, else 1.
int keyboard_jump_distance();
