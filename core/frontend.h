// The one door between the game's rules and the screen, keyboard and clock.
// The rules call the dispatchers below; each goes to the front end chosen at
// start: the Allegro one in the game, the headless one in tests and tools.
#pragma once

#include <string>

struct front_end {
  const char* name;
  void (*message_box)(const char* text);
  void (*warning_message)(const char* l1, const char* l2, const char* l3, const char* l4,
                          const char* l5, const char* l6, int size);
  void (*drawmap)();
  void (*getinput)();
  void (*enter_name)();
  // angle in 256ths of a turn, drawn by the rules so every front end keeps
  // the same course of random numbers.
  void (*draw_splat)(int dx, int dy, int size, int angle);
  void (*draw_explosion)(int dx, int dy, int kind);
  void (*draw_zapline)(int dx1, int dy1, int dx2, int dy2);
  void (*highcolor_fade_out)(int speed);
  void (*clear_message_box)();
  void (*splash_screen2)();
  int (*option_select)(const char* l1, const char* l2, const char* l3, const char* title);
  std::string (*select_file)();
  // Loads a picture into the unit (kind 1) or object (kind 0) picture table;
  // overlay, when not null, is drawn lit over it (the gem chip).
  void (*load_icon)(int kind, int player, int number, const char* path, const char* overlay);
  void (*creature_turn_banner)();
  void (*show_fps)(int fps);
  void (*rest)(int milliseconds);
  void (*wait_clock)(int milliseconds);  // the busy pause of usleep
  void (*clear_screen)();                // a blank screen for a box of its own
  // Rests until the clock ticks or the player touches the keyboard or the
  // mouse; true when the player did (or holds a key or button down).
  bool (*wait_tick)();
  // True when the picture drawn last shows something that moves with ticks.
  bool (*picture_animated)();
};

// The front end in use; set once at start.
extern const front_end* frontend;
void select_frontend(const front_end* fe);

// ---------------------------------------------------------------------------
// Dispatchers the rules call
// ---------------------------------------------------------------------------
void message_box(const char* text);
void warning_message(const char* l1, const char* l2, const char* l3, const char* l4, const char* l5,
                     const char* l6, int size);
// Small print at the foot of the next warning box (the seed under the
// backstory), drawn when not empty; warning_message clears it once that box
// has been shown, so it never reaches a later one.
extern std::string WARNING_FOOTNOTE;
void drawmap();
void getinput();
void enter_name();
void usleep(int delay);
void rest_ms(int milliseconds);
// The frame loop's rest between passes: until the next tick of the clock or
// the player's next touch; true for a touch.
bool wait_tick();
bool picture_animated();
// The blood splat: draws its angle (one rand()) and hands it to the front end.
void draw_splat(int dx, int dy, int size);
// The angle the splat is drawn at, from one draw.
int splat_angle();
void draw_explosion(int dx, int dy, int kind);
void draw_zapline(int dx1, int dy1, int dx2, int dy2);
void highcolor_fade_out(int speed);
void clear_message_box();
// Blanks the whole screen (a front end without one may leave it out).
void clear_screen();
void splash_screen2();
int option_select(const char* l1, const char* l2, const char* l3, const char* title);
std::string select_file();
void creature_turn_banner();
void show_fps(int fps);
// Chooses the picture of a unit (kind 1) or object (kind 0) by its race or
// type and name, and has the front end load it.  The choice draws rand() for
// potions and food, in the game and headless alike.
void assign_icon(int kind, int player, int number, int weapon_picture);
// The picture file (and overlay, "" for none) assign_icon picks; draws the
// same rand() calls.  Returns false when the kind is neither 0 nor 1.
bool icon_file(int kind, int player, int number, int weapon_picture, std::string& path,
               std::string& overlay);
