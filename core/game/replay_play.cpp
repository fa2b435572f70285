// The table of commands a replay can run, and the headless playback.
#include "core/game/replay_play.h"

#include <functional>
#include <memory>

#include "core/actions/barrels.h"
#include "core/actions/climb.h"
#include "core/actions/doors.h"
#include "core/actions/events.h"
#include "core/actions/jump.h"
#include "core/actions/movement.h"
#include "core/actions/push.h"
#include "core/actions/rope.h"
#include "core/actions/scenery.h"
#include "core/frontend.h"
#include "core/game/loop.h"
#include "core/game/newgame.h"
#include "core/game/turn.h"
#include "core/headless.h"
#include "core/seed.h"
#include "core/turn_order.h"
#include "core/world.h"
#include "creatures/ai/mouse_moves.h"
#include "creatures/combat.h"
#include "creatures/path.h"
#include "creatures/sight.h"
#include "items/actions.h"
#include "items/use.h"

namespace {

// What an argument may hold; a replay is read from a file, so every value is
// checked before a routine sees it.
enum arg_kind { PLAYER, UNIT, LEVEL, SQUARE, DIRECTION, OBJECT, CONTAINER, ANY };

struct command_entry {
  const char* routine;
  std::vector<arg_kind> kinds;
  std::function<void(const std::vector<int>&)> run;
};

bool in_range(arg_kind k, int v) {
  switch (k) {
    case PLAYER: return v >= 0 && v < 4;
    case UNIT: return v >= 0 && v < UNIT_SLOTS;
    case LEVEL: return v >= 0 && v < LEVELS;
    case SQUARE: return v >= 0 && v < LAND_SIZE;
    case DIRECTION: return v >= 0 && v <= 7;
    case OBJECT: return v >= 0 && v < OBJECT_SLOTS;
    case CONTAINER: return v >= 0 && v < CONTAINER_SLOTS;
    case ANY: return true;
  }
  return false;
}

const std::vector<command_entry>& command_table() {
  using a = const std::vector<int>&;
  static const std::vector<command_entry> table = {
      {"forward", {PLAYER, UNIT}, [](a v) { forward(v[0], v[1]); }},
      {"backward", {PLAYER, UNIT}, [](a v) { backward(v[0], v[1]); }},
      {"turnleft", {PLAYER, UNIT}, [](a v) { turnleft(v[0], v[1]); }},
      {"turnright", {PLAYER, UNIT}, [](a v) { turnright(v[0], v[1]); }},
      {"turn_to", {PLAYER, UNIT, DIRECTION}, [](a v) { turn_to(v[0], v[1], v[2]); }},
      {"turn_to_square", {PLAYER, UNIT, SQUARE, SQUARE},
       [](a v) { turn_to_square(v[0], v[1], v[2], v[3]); }},
      {"next_unit", {}, [](a) { next_unit(); }},
      {"refresh_movement", {PLAYER}, [](a v) { refresh_movement(v[0]); }},
      {"novel_event", {PLAYER, UNIT}, [](a v) { novel_event(v[0], v[1]); }},
      {"end_turn", {}, [](a) { end_turn(); }},
      {"reveal_tiles", {}, [](a) { reveal_tiles(); }},
      {"open_door", {DIRECTION, PLAYER, UNIT}, [](a v) { open_door(v[0], v[1], v[2]); }},
      {"close_door", {DIRECTION, PLAYER, UNIT}, [](a v) { close_door(v[0], v[1], v[2]); }},
      {"interact_door", {SQUARE, SQUARE, LEVEL}, [](a v) { interact_door(v[0], v[1], v[2]); }},
      {"bash_door", {LEVEL, SQUARE, SQUARE, PLAYER, UNIT},
       [](a v) { bash_door(v[0], v[1], v[2], v[3], v[4]); }},
      {"interact_scenery", {SQUARE, SQUARE, LEVEL},
       [](a v) { interact_scenery(v[0], v[1], v[2]); }},
      {"touch_statue", {LEVEL, SQUARE, SQUARE}, [](a v) { touch_statue(v[0], v[1], v[2]); }},
      {"move_switch", {LEVEL, SQUARE, SQUARE}, [](a v) { move_switch(v[0], v[1], v[2]); }},
      {"smash_crystal", {LEVEL, SQUARE, SQUARE, PLAYER, UNIT},
       [](a v) { smash_crystal(v[0], v[1], v[2], v[3], v[4]); }},
      {"clear_rubble", {LEVEL, SQUARE, SQUARE, PLAYER, UNIT},
       [](a v) { clear_rubble(v[0], v[1], v[2], v[3], v[4]); }},
      {"examine_scenery", {SQUARE, SQUARE, LEVEL},
       [](a v) { examine_scenery(v[0], v[1], v[2]); }},
      {"search_traps", {PLAYER, UNIT}, [](a v) { search_traps(v[0], v[1]); }},
      {"jump", {PLAYER, UNIT, ANY}, [](a v) { jump(v[0], v[1], v[2]); }},
      {"push_container", {PLAYER, UNIT}, [](a v) { push_container(v[0], v[1]); }},
      {"drag_container", {PLAYER, UNIT}, [](a v) { drag_container(v[0], v[1]); }},
      {"climb_up", {PLAYER, UNIT}, [](a v) { climb_up(v[0], v[1]); }},
      {"climb_down", {PLAYER, UNIT}, [](a v) { climb_down(v[0], v[1]); }},
      {"pass_to_next_unit", {}, [](a) { pass_to_next_unit(); }},
      {"work_door_ahead", {PLAYER, UNIT}, [](a v) { work_door_ahead(v[0], v[1]); }},
      {"get_item", {OBJECT, PLAYER, UNIT}, [](a v) { get_item(v[0], v[1], v[2]); }},
      {"get_all", {PLAYER, UNIT, LEVEL, SQUARE, SQUARE}, [](a v) { get_all(v[0], v[1], v[2], v[3], v[4]); }},
      {"drop_item", {OBJECT, PLAYER, UNIT}, [](a v) { drop_item(v[0], v[1], v[2]); }},
      {"give_item", {OBJECT, PLAYER, UNIT, PLAYER, UNIT}, [](a v) { give_item(v[0], v[1], v[2], v[3], v[4]); }},
      {"store_item", {OBJECT, LEVEL, SQUARE, SQUARE}, [](a v) { store_item(v[0], v[1], v[2], v[3]); }},
      {"pack_item", {OBJECT}, [](a v) { pack_item(v[0]); }},
      {"unpack_item", {OBJECT}, [](a v) { unpack_item(v[0]); }},
      {"wear_item", {OBJECT, PLAYER, UNIT}, [](a v) { wear_item(v[0], v[1], v[2]); }},
      {"remove_item", {OBJECT, PLAYER, UNIT}, [](a v) { remove_item(v[0], v[1], v[2]); }},
      {"equip_weapon", {OBJECT, PLAYER, UNIT}, [](a v) { equip_weapon(v[0], v[1], v[2]); }},
      {"unequip_item", {OBJECT}, [](a v) { unequip_item(v[0]); }},
      {"use_object", {OBJECT, PLAYER, UNIT}, [](a v) { use_object(v[0], v[1], v[2]); }},
      {"merge_bag", {OBJECT}, [](a v) { merge_bag(v[0]); }},
      {"bash_container", {LEVEL, SQUARE, SQUARE, PLAYER, UNIT}, [](a v) { bash_container(v[0], v[1], v[2], v[3], v[4]); }},
      {"close_container", {CONTAINER}, [](a v) { close_container(v[0]); }},
      {"search_object", {ANY, SQUARE, SQUARE, LEVEL}, [](a v) { search_object(v[0], v[1], v[2], v[3]); }},
      {"combat", {PLAYER, UNIT, PLAYER, UNIT}, [](a v) { combat(v[0], v[1], v[2], v[3]); }},
      {"turn_to_defender", {PLAYER, UNIT, PLAYER, UNIT}, [](a v) { turn_to_defender(v[0], v[1], v[2], v[3]); }},
      {"a_star_path_finding", {SQUARE, SQUARE, ANY, ANY, LEVEL}, [](a v) { a_star_path_finding(v[0], v[1], v[2], v[3], v[4]); }},
      {"climb_rope_up", {PLAYER, UNIT}, [](a v) { climb_rope_up(v[0], v[1]); }},
      // The mouse's steps and routes.
      {"plan_route", {PLAYER, UNIT, SQUARE, SQUARE},
       [](a v) { plan_route(v[0], v[1], v[2], v[3]); }},
      {"mouse_step", {PLAYER, UNIT, DIRECTION}, [](a v) { mouse_step(v[0], v[1], v[2]); }},
      {"begin_route_walk", {PLAYER, UNIT, DIRECTION},
       [](a v) { begin_route_walk(v[0], v[1], v[2]); }},
      {"route_walk_step", {PLAYER, UNIT, DIRECTION, ANY},
       [](a v) { route_walk_step(v[0], v[1], v[2], v[3]); }},
      {"end_route_walk", {PLAYER, UNIT}, [](a v) { end_route_walk(v[0], v[1]); }},
      // The player leaving the game from the keyboard or the quit menu.
      {"leave_game", {}, [](a) { leave_game(); }},
  };
  return table;
}

const command_entry* find_command(const std::string& routine) {
  for (const command_entry& e : command_table())
    if (routine == e.routine) return &e;
  return nullptr;
}

}  // namespace

std::vector<std::string> replay_routines() {
  std::vector<std::string> names;
  for (const command_entry& e : command_table()) names.push_back(e.routine);
  return names;
}

void replay_open_game(const replay_record& r) {
  replay_stop();  // a replay never overwrites the record of the last game
  copy_text(unit[1][1].name, r.name.c_str());
  DIFFICULTY = r.difficulty;
  CURRENT_PLAYER = 1;
  CURRENT_UNIT = 1;
  UPDATE_MAP = 1;
  BOUNCED = 0;
  MESSAGE_LINE = 1;
  IS_GLOBAL_LIGHTING_ON = 0;
  ask_for_seed(r.seed);
  open_new_game();
  REPLAY_TURN = 0;
  gameover = GAME_PLAYING;
}

bool replay_run_command(const replay_command& c, std::string& reason) {
  const command_entry* e = find_command(c.routine);
  if (!e) {
    reason = "turn " + std::to_string(c.turn) + ": no command '" + c.routine + "' in this game";
    return false;
  }
  if (c.args.size() != e->kinds.size()) {
    reason = "turn " + std::to_string(c.turn) + ": " + c.routine + " takes " +
             std::to_string(e->kinds.size()) + " arguments, not " + std::to_string(c.args.size());
    return false;
  }
  for (std::size_t i = 0; i < c.args.size(); i++)
    if (!in_range(e->kinds[i], c.args[i])) {
      reason = "turn " + std::to_string(c.turn) + ": argument " + std::to_string(i + 1) + " of " +
               c.routine + " is out of range";
      return false;
    }
  e->run(c.args);
  return true;
}

bool replay_run_input(const replay_record& r, std::size_t& next, std::string& reason) {
  std::size_t end = next + replay_input_length(r, next);
  while (next < end) {
    if (!replay_run_command(r.commands[next], reason)) return false;
    next++;
  }
  return true;
}

replay_outcome play_replay_headless(const replay_record& r) {
  replay_outcome out;
  replay_open_game(r);
  // One input of the game is one input of the playback, so the frame loop
  // hands play on between the same commands it did in the game.
  auto next = std::make_shared<std::size_t>(0);
  for (std::size_t i = 0; i < r.commands.size(); i += replay_input_length(r, i)) {
    headless.inputs.push_back([&out, &r, next] {
      if (!out.followed) return;
      std::size_t before = *next;
      if (!replay_run_input(r, *next, out.reason)) {
        out.followed = false;
        gameover = GAME_OVER;
      }
      out.commands_run += static_cast<int>(*next - before);
    });
  }
  main_loop();
  out.digest = world_digest();
  out.matches = r.has_digest && out.followed && out.digest == r.digest;
  return out;
}
