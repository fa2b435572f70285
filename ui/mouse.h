// What the pointer means on the map: a click beside the acting unit, a route
// dragged from its square, the action menu of a square and the list of
// objects for one item action.  Plain decisions
// and the calls they make into the rules; mouse_allegro.cpp draws the menus
// and waits for the pointer.
#pragma once

#include <string>
#include <vector>

// The screens a menu row may open; each may be left null.  The game hands in
// its own pop-ups, tests hand in recorders.
struct mouse_screens {
  void (*box_choice)(int mode) = nullptr;
  void (*give_item)(int x, int y, int z) = nullptr;
};

// ---------------------------------------------------------------------------
// Pop-up geometry shared by the menus of the map
// ---------------------------------------------------------------------------
constexpr int MENU_WIDTH = 200;
// Only the first nine rows answer to the pointer; later rows are shown only.
constexpr int MENU_CHOOSABLE_ROWS = 9;
// At most this many rows are drawn.
constexpr int MENU_MAX_ROWS = 20;

// True while the pointer stays within the menu opened at (left, top): from
// three pixels left of and above it to 204 right of its left edge and reach
// below its top.
bool menu_keeps_open(int left, int top, int reach, int mouse_x, int mouse_y);
// The highlighted row (0 none, 1..9) after the pointer moves to mouse_y over
// a menu of rows entries: the title clears it, a row past the ninth clears it
// (so a click there chooses nothing), and the one-pixel gaps keep it.
int menu_highlight(int current, int top, int rows, int mouse_y);
// Where a menu of w by h opened at the pointer goes: at the pointer, moved up
// and left as far as needed to stay on a screen_w by screen_h screen.
void menu_origin(int mouse_x, int mouse_y, int w, int h, int screen_w, int screen_h, int& left,
                 int& top);

// ---------------------------------------------------------------------------
// Step or turn: a left click beside the acting unit
// ---------------------------------------------------------------------------

// The facing the click asks for, or -1 for the centre band.
int mainbox_wanted_facing(int mouse_x, int mouse_y);
// What a unit facing `facing` does for a click asking for `wanted`: -1 turn
// left, +1 turn right, 0 step that way.
int mainbox_turn(int facing, int wanted);
// Turns the acting unit one eighth or steps it one square, as the click asks.
void mainbox_click(int mouse_x, int mouse_y);

// ---------------------------------------------------------------------------
// Route by dragging from the acting unit's square
// ---------------------------------------------------------------------------

// The square under the pointer on the acting unit's level.
void drag_square(int mouse_x, int mouse_y, int& x, int& y);
// A square a route may be dragged to: on the level, passable and seen.
bool drag_target_usable(int z, int x, int y);

struct route_mark {
  int x, y;
  bool safe;  // in sight, no fire, hole or quicksand, nothing lying there
};
// The marks of the acting unit's route, entry 1 (the goal) first, up to the
// end of the route.
std::vector<route_mark> route_marks();
bool route_square_safe(int z, int x, int y);

// ---------------------------------------------------------------------------
// The action menu of a square (right click)
// ---------------------------------------------------------------------------
enum map_row_kind {
  ROW_NOTHING,  // a row shown without action
  ROW_TAKE,
  ROW_EXAMINE_OBJECT,
  ROW_EXAMINE_TILE,
  ROW_INTERACT,
  ROW_HIT,
  ROW_GIVE,
  ROW_JUMP,
  ROW_SEARCH_TRAPS,
  ROW_CLIMB_ROPE,
  ROW_TAKE_ALL,
  ROW_CLOSE,
  ROW_DRAG,
  ROW_PUSH
};

struct map_row {
  map_row_kind kind;
  std::string label;
  bool plural = false;  // "S" is written after the label
};

constexpr const char* NO_INTERACTION = "------------------";

// Turns the acting unit to face a square next to it (not its own square,
// and not a square further off).
void face_square(int x, int y);
// The rows square (x, y) of the acting unit's level offers, in order, as the
// unit now faces.
std::vector<map_row> map_rows(int x, int y);
// The interaction row's label for a square next to the unit.
std::string interaction_label(int x, int y);

// What a blow from the hit row strikes.
enum hit_target { HIT_NOTHING, HIT_CONTAINER, HIT_DOOR, HIT_RUBBLE, HIT_CRYSTAL, HIT_UNIT };
hit_target hit_meaning(int x, int y);
// The object list the take row opens: 1 the unit's square, 11 the container.
int take_mode(int x, int y);

// Carries out a chosen row for square (x, y).
void choose_map_row(const map_row& row, int x, int y, const mouse_screens& screens);

// ---------------------------------------------------------------------------
// The object list of one item action
// ---------------------------------------------------------------------------
const char* box_title(int mode);
// The objects listed for a mode, in table order.
std::vector<int> box_candidates(int mode);
// The number the list counts before it opens: 1 acts at once.
int box_count(int mode);
// Applies the mode's action to object k.
void box_act(int mode, int k);

// ---------------------------------------------------------------------------
// Answers given without a window (the soak, scripted games): what choosing
// row `row` (0 none) of each mouse menu does, the way the window's menus act.
// ---------------------------------------------------------------------------
void mouse_menu_answer(int x, int y, int row, const mouse_screens& screens);
void mouse_list_answer(int mode, int row);
// A drag to the square numbered row (1..49: seven by seven around the unit,
// row by row from the north-west) walked to its end; row 0 is a press let go
// on the unit's own square, which walks nowhere.
void mouse_drag_answer(int row);
