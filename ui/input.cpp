#include "ui/input.h"

#include <cstdio>
#include <iterator>

#include "core/actions/climb.h"
#include "core/actions/doors.h"
#include "core/actions/jump.h"
#include "core/actions/movement.h"
#include "core/facing.h"
#include "core/frontend.h"
#include "core/game/loop.h"
#include "core/game/turn.h"
#include "core/turn_order.h"
#include "core/world.h"
#include "creatures/sight.h"
#include "persistence/save.h"
#include "ui/hud.h"
#include "ui/travel.h"
#include "ui/view_settings.h"

namespace {

unit_record& acting_unit() { return unit[CURRENT_PLAYER][CURRENT_UNIT]; }

bool left(const input_state& in) { return in.mouse_b == MOUSE_LEFT; }
bool right(const input_state& in) { return in.mouse_b == MOUSE_RIGHT; }
bool any_button(const input_state& in) { return left(in) || right(in); }

template <typename F, typename... A>
void call(F* fn, A... args) {
  if (fn) fn(args...);
}

void pause_command(const input_actions& act) { call(act.pause); }

// ---------------------------------------------------------------------------
// The mouse
// ---------------------------------------------------------------------------

// Returns true when the pass ends here.
bool panel_buttons(const input_state& in, const input_actions& act) {
  // Only a pressed button counts: a pointer merely resting on the bar would
  // otherwise open screens on its own and swallow every key.
  if (BUTTON_BAR != -1 || !any_button(in)) return false;
  switch (button_at(in.mouse_x, in.mouse_y)) {
    case BUTTON_PORTRAIT:
      if (left(in)) call(act.look);
      if (right(in)) call(act.mouse_box_choice, 1);
      rest_ms(5);
      return true;
    case BUTTON_QUIT:
      call(act.mouse_quit);
      return false;
    case BUTTON_PAUSE:
      pause_command(act);
      return true;
    case BUTTON_TURN:
      if (right(in)) {
        end_turn();
        refresh_movement(CURRENT_PLAYER);
      } else {
        pass_to_next_unit();
      }
      return true;
    case BUTTON_OPTIONS:
      call(act.mouse_gameoptions);
      reveal_tiles();
      UPDATE_MAP = 1;
      return true;
    case BUTTON_LOADSAVE:
      call(act.mouse_loadsave);
      return true;
    case BUTTON_INVENTORY:
      if (right(in))
        call(act.mouse_inventory);
      else
        call(act.mouse_inventory2);
      return true;
    case BUTTON_HELP:
      call(act.help);
      return true;
    case BUTTON_NONE:
      break;
  }
  return false;
}

void toggle(int& bar) {
  bar = bar == -1 ? 0 : -1;
  UPDATE_MAP = 1;
}

// True when the click toggled a panel: it was meant for the panel, and the
// map under the edge must not take it as a step or a turn as well.
bool screen_edges(const input_state& in) {
  if (!any_button(in)) return false;
  int x = in.mouse_x, y = in.mouse_y;
  bool toggled = false;
  auto edge = [&](bool hit, int& bar) {
    if (!hit) return;
    toggle(bar);
    toggled = true;
  };
  edge(x <= 9 && y > 0 && y < HEIGHT, BUTTON_BAR);
  edge(x > WIDTH - 10 && y > 0 && y < HEIGHT, INVENTORY_BAR);
  edge(y > HEIGHT - 10 && x > 10 && x < WIDTH - 10, MESSAGE_BAR);
  edge(y <= 9 && x > 10 && x < WIDTH - 10, STATUS_BAR);
  return toggled;
}

void right_click_on_map(const input_state& in, const input_actions& act) {
  int dx = pointer_dx(in.mouse_x), dy = pointer_dy(in.mouse_y);
  if (DEBUG_MODE == -1) std::printf("This square is tile X: %d Y: %d \n", dx, dy);
  const unit_record& u = acting_unit();
  int tx = u.x + dx, ty = u.y + dy;
  bool own = dx == 0 && dy == 0;
  if (on_grid(u.z, tx, ty) && single_ray(u.x, u.y, u.z, tx, ty) != RAY_BLOCKED &&
      map[u.z][tx][ty].revealed != 0 &&
      (in_los(CURRENT_PLAYER, CURRENT_UNIT, u.z, tx, ty) == 1 || own)) {
    call(act.mouse_maprightclick, tx, ty);
    call(act.position_mouse, (MAPTILES_X / 2) * TILE_SIZE + TILE_SIZE / 2,
         (MAPTILES_Y / 2) * TILE_SIZE + TILE_SIZE / 2);
  }
  reveal_tiles();
}

// ---------------------------------------------------------------------------
// The keyboard
// ---------------------------------------------------------------------------
void step_command(void (*move)(int, int)) {
  move(CURRENT_PLAYER, CURRENT_UNIT);
  reveal_tiles();
  UPDATE_MAP = 1;
}

bool open_help(const input_actions& act) {
  // Nothing else acts in the pass the help opens in: the keys held with F1
  // were not meant for the game.
  call(act.help);
  return true;
}
bool open_history(const input_actions& act) {
  call(act.history);
  return true;
}
bool quit_key(const input_actions& act) {
  // One key must not throw a game away unasked.
  if (!act.ask_leave || act.ask_leave()) leave_game();
  return false;
}
bool screenshot_key(const input_actions& act) {
  call(act.screenshot);
  return false;
}
bool climb_up_key(const input_actions&) {
  climb_up(CURRENT_PLAYER, CURRENT_UNIT);
  return true;
}
bool climb_down_key(const input_actions&) {
  climb_down(CURRENT_PLAYER, CURRENT_UNIT);
  return true;
}
bool door_key(const input_actions&) {
  work_door_ahead(CURRENT_PLAYER, CURRENT_UNIT);
  return true;
}
bool forward_key(const input_actions&) {
  step_command(forward);
  return false;
}
bool turn_right_key(const input_actions&) {
  step_command(turnright);
  return false;
}
bool backward_key(const input_actions&) {
  step_command(backward);
  return false;
}
bool turn_left_key(const input_actions&) {
  step_command(turnleft);
  return false;
}
bool next_unit_key(const input_actions&) {
  pass_to_next_unit();
  return false;
}
bool end_turn_key(const input_actions&) {
  end_turn();
  refresh_movement(CURRENT_PLAYER);
  return false;
}
bool load_key(const input_actions&) {
  text_load_map(0);
  reveal_tiles();
  UPDATE_MAP = 1;
  return false;
}
bool pause_key(const input_actions& act) {
  pause_command(act);
  return false;
}
bool jump_key(const input_actions&) {
  jump(CURRENT_PLAYER, CURRENT_UNIT, keyboard_jump_distance());
  reveal_tiles();
  UPDATE_MAP = 1;
  rest_ms(25);
  return false;
}

bool overview_key(const input_actions& act) {
  call(act.overview);
  return true;
}
bool travel_up_key(const input_actions&) {
  travel_to_ladder(true);
  return true;
}
bool travel_down_key(const input_actions&) {
  travel_to_ladder(false);
  return true;
}
// The keypad as the map lies: 8 is north, then clockwise.
template <int direction>
bool eight_way_key(const input_actions&) {
  face_and_step(direction);
  return true;
}

void keyboard(const input_state& in, const input_actions& act) {
  for (int i = 0; i < KEY_COMMAND_COUNT; i++) {
    // A step that ran out the points hands the turn to the creatures, who
    // may kill the unit: the keys held with it have nobody left to move.
    if (unit[CURRENT_PLAYER][CURRENT_UNIT].status == UNIT_FREE) return;
    const key_command& c = KEY_COMMANDS[i];
    if (in.key[c.key] && c.run(act)) return;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// The commands
// ---------------------------------------------------------------------------
// In the order dispatch tries them: the help first, then Escape and the
// screenshot, one of the climbs and the door (each ends the pass), then the
// keys that may act together.
const key_command KEY_COMMANDS[] = {
    {IN_F1, "F1", "How to play, then this list", open_help},
    {IN_QUESTION, "?", "How to play, then this list", open_help},
    {IN_H, "H", "Every message of this game", open_history},
    {IN_ESC, "ESC", "Leave the game (asks first)", quit_key},
    {IN_S, "S", "Screenshot", screenshot_key},
    {IN_U, "U", "Climb up a ladder or stairs", climb_up_key},
    {IN_D, "D", "Climb down a ladder or stairs", climb_down_key},
    {IN_O, "O", "Open, unlock or close the door ahead", door_key},
    {IN_UP, "UP", "Step forward", forward_key},
    {IN_RIGHT, "RIGHT", "Turn right", turn_right_key},
    {IN_DOWN, "DOWN", "Step back", backward_key},
    {IN_LEFT, "LEFT", "Turn left", turn_left_key},
    {IN_N, "N", "Next party member", next_unit_key},
    {IN_E, "E", "End the turn", end_turn_key},
    {IN_L, "L", "Load a saved game", load_key},
    {IN_P, "P", "Pause (SPACE goes on)", pause_key},
    {IN_J, "J", "Jump ahead", jump_key},
    {IN_M, "M", "Map of the squares seen", overview_key},
    {IN_LESS, "<", "Walk to a known way up", travel_up_key},
    {IN_GREATER, ">", "Walk to a known way down", travel_down_key},
    {IN_PAD_8, "KEYPAD 8", "Step north", eight_way_key<NORTH>},
    {IN_PAD_9, "KEYPAD 9", "Step north-east", eight_way_key<NORTHEAST>},
    {IN_PGUP, "PGUP", "Step north-east", eight_way_key<NORTHEAST>},
    {IN_PAD_6, "KEYPAD 6", "Step east", eight_way_key<EAST>},
    {IN_PAD_3, "KEYPAD 3", "Step south-east", eight_way_key<SOUTHEAST>},
    {IN_PGDN, "PGDN", "Step south-east", eight_way_key<SOUTHEAST>},
    {IN_PAD_2, "KEYPAD 2", "Step south", eight_way_key<SOUTH>},
    {IN_PAD_1, "KEYPAD 1", "Step south-west", eight_way_key<SOUTHWEST>},
    {IN_END, "END", "Step south-west", eight_way_key<SOUTHWEST>},
    {IN_PAD_4, "KEYPAD 4", "Step west", eight_way_key<WEST>},
    {IN_PAD_7, "KEYPAD 7", "Step north-west", eight_way_key<NORTHWEST>},
    {IN_HOME, "HOME", "Step north-west", eight_way_key<NORTHWEST>},
    {IN_PAD_5, "KEYPAD 5", "Wait (next party member)", next_unit_key},
};
const int KEY_COMMAND_COUNT = static_cast<int>(std::size(KEY_COMMANDS));

// The clicks; their handlers are in dispatch_input and the screens it opens.
const mouse_command MOUSE_COMMANDS[] = {
    {"MAP, LEFT CLICK", "Step or turn that way", BUTTON_NONE},
    {"DRAG FROM UNIT", "Walk the route drawn", BUTTON_NONE},
    {"MAP, RIGHT CLICK", "Actions on the square", BUTTON_NONE},
    {"CLICK ON THE M MAP", "Walk to that square", BUTTON_NONE},
    {"PORTRAIT, LEFT", "Look around", BUTTON_PORTRAIT},
    {"PORTRAIT, RIGHT", "Take an object", BUTTON_PORTRAIT},
    {"INVENTORY, LEFT", "Carried items", BUTTON_INVENTORY},
    {"INVENTORY, RIGHT", "Item actions", BUTTON_INVENTORY},
    {"TURN, LEFT", "Next party member", BUTTON_TURN},
    {"TURN, RIGHT", "End the turn", BUTTON_TURN},
    {"OPTIONS", "Speed, anti-aliasing", BUTTON_OPTIONS},
    {"PAUSE", "Pause; click to go on", BUTTON_PAUSE},
    {"LOAD / SAVE", "Load or save a game", BUTTON_LOADSAVE},
    {"QUIT", "Back to the main menu", BUTTON_QUIT},
    {"HELP (?)", "This list of commands", BUTTON_HELP},
    {"MESSAGE ARROWS", "Scroll the messages", BUTTON_NONE},
    {"SCREEN EDGE", "Hide or show its panel", BUTTON_NONE},
};
const int MOUSE_COMMAND_COUNT = static_cast<int>(std::size(MOUSE_COMMANDS));

// ---------------------------------------------------------------------------
// Regions
// ---------------------------------------------------------------------------
bool on_scroll_newer(const input_state& in) {
  return in.mouse_x > 10 && in.mouse_x <= 29 && in.mouse_y > in.screen_h - 30 &&
         in.mouse_y < in.screen_h - 10;
}
bool on_scroll_older(const input_state& in) {
  int top = in.screen_h - (M_box[2] + 10);
  return in.mouse_x > 10 && in.mouse_x <= 29 && in.mouse_y > top && in.mouse_y < top + 20;
}

panel_button button_at(int x, int y) {
  if (x > 10 && x <= 149 && y > 10 && y <= 99) return BUTTON_PORTRAIT;
  if (x <= 10 || x > 59) return BUTTON_NONE;
  if (y > 400 && y <= 449) return BUTTON_QUIT;
  if (y > 300 && y <= 349) return BUTTON_PAUSE;
  if (y > 200 && y <= 249) return BUTTON_TURN;
  if (y > 250 && y <= 299) return BUTTON_OPTIONS;
  if (y > 350 && y <= 399) return BUTTON_LOADSAVE;
  if (y > 100 && y <= 149) return BUTTON_INVENTORY;
  if (y > 150 && y <= 199) return BUTTON_HELP;
  return BUTTON_NONE;
}

bool on_map_area(int x, int y) {
  int t = TILE_SIZE;
  return x > (MAPTILES_X / 2 - 2) * t - 192 && x < (MAPTILES_X / 2 + 2) * t + 192 &&
         y > (MAPTILES_Y / 2 - 2) * t - 192 && y < (MAPTILES_Y / 2 + 2) * t + 192;
}
bool on_own_tile(int x, int y) {
  int t = TILE_SIZE;
  return x > (MAPTILES_X / 2) * t + 10 && x < (MAPTILES_X / 2 + 1) * t + 10 &&
         y > (MAPTILES_Y / 2) * t + 10 && y < (MAPTILES_Y / 2 + 1) * t + 10;
}
int pointer_dx(int mouse_x) { return (mouse_x - 10) / TILE_SIZE - MAPTILES_X / 2; }
int pointer_dy(int mouse_y) { return (mouse_y - 10) / TILE_SIZE - MAPTILES_Y / 2; }

// ---------------------------------------------------------------------------
// The pass
// ---------------------------------------------------------------------------
void dispatch_input(const input_state& in, const input_actions& act) {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  if (travel_walking()) {
    // The key or click that stops a walk does nothing else: it was meant
    // as a halt, not as the next command.
    bool pressed = any_button(in);
    for (bool k : in.key) pressed = pressed || k;
    if (pressed)
      travel_interrupt();
    else
      travel_step();
    return;
  }
  if (left(in) && MESSAGE_BAR == -1 && on_scroll_newer(in)) {
    if (scroll_message_panel(+1)) call(act.redraw_messages);
    UPDATE_MAP = 1;
    rest_ms(100);
    return;
  }
  if (left(in) && MESSAGE_BAR == -1 && on_scroll_older(in)) {
    if (scroll_message_panel(-1)) call(act.redraw_messages);
    UPDATE_MAP = 1;
    rest_ms(100);
    return;
  }
  if (panel_buttons(in, act)) return;
  if (screen_edges(in)) return;
  if (left(in) && on_map_area(in.mouse_x, in.mouse_y)) {
    if (on_own_tile(in.mouse_x, in.mouse_y)) {
      if (DEBUG_MODE > 0) std::printf("\n!YOU left click! XY: %d %d", in.mouse_x, in.mouse_y);
      call(act.mouse_dragmove);
    } else {
      call(act.mouse_mainbox);
    }
    reveal_tiles();
    return;
  }
  if (right(in)) {
    right_click_on_map(in, act);
    return;
  }
  keyboard(in, act);
}

leave_answer answer_to_leave(bool yes_or_enter, bool no_or_escape, bool clicked) {
  if (yes_or_enter) return LEAVE_YES;
  if (no_or_escape || clicked) return LEAVE_NO;
  return LEAVE_UNANSWERED;
}

// ---------------------------------------------------------------------------
// The jump
// ---------------------------------------------------------------------------
int keyboard_jump_distance() {
  return is_infront_passable(3, CURRENT_PLAYER, CURRENT_UNIT) != FAIL ? 2 : 1;
}
