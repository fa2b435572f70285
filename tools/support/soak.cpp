// The soak.  A game is started as the window starts one (the main menu and
// the difficulty answered by the headless front end, the world built after
// the seed asked for), then the frame loop asks for input as it always does; each
// request is answered with the next input, and the world is checked before
// it (the passes since the last input) and after it.
#include "tools/support/soak.h"
#include "ui/view_settings.h"

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/frontend.h"
#include "core/game/loop.h"
#include "core/game/replay_play.h"
#include "core/headless.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/world.h"
#include "items/look.h"
#include "items/actions.h"
#include "persistence/save.h"
#include "ui/inventory_panels.h"
#include "ui/menus.h"
#include "ui/mouse.h"
#include "ui/travel.h"

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------

uint64_t soak_random::next() {
  // splitmix64: the same sequence on every machine.
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int soak_random::below(int n) { return n < 1 ? 0 : static_cast<int>(next() % uint64_t(n)); }

int soak_random::between(int lo, int hi) { return lo + below(hi - lo + 1); }

// ---------------------------------------------------------------------------
// The inputs
// ---------------------------------------------------------------------------

namespace {

const char* const KEY_NAMES[INPUT_KEYS] = {"ESC",  "S",    "U", "D", "O", "UP", "RIGHT",
                                           "DOWN", "LEFT", "N", "E", "L", "P",  "J"};

// The keys of play by how often a player presses them; the escape key, which
// leaves the game, has a row of its own.
struct weighted_key {
  input_key key;
  int weight;
};
const weighted_key KEYS[] = {{IN_UP, 30}, {IN_DOWN, 8}, {IN_LEFT, 10}, {IN_RIGHT, 10}, {IN_O, 6},
                             {IN_U, 5},   {IN_D, 5},    {IN_J, 4},     {IN_N, 3},      {IN_E, 3},
                             {IN_P, 1},   {IN_S, 1},    {IN_L, 1}};

input_key some_key(soak_random& r) {
  int total = 0;
  for (const weighted_key& k : KEYS) total += k.weight;
  int pick = r.below(total);
  for (const weighted_key& k : KEYS) {
    if (pick < k.weight) return k.key;
    pick -= k.weight;
  }
  return IN_UP;
}

int some_button(soak_random& r) { return r.below(2) == 0 ? MOUSE_LEFT : MOUSE_RIGHT; }

void point_at(soak_input& in, int x, int y, int button) {
  in.in.mouse_x = x;
  in.in.mouse_y = y;
  in.in.mouse_b = button;
}

// A pixel inside the map tile dx, dy squares from the acting unit.
void point_at_tile(soak_random& r, soak_input& in, int dx, int dy, int button) {
  int x = 10 + (MAPTILES_X / 2 + dx) * TILE_SIZE + r.between(1, TILE_SIZE - 2);
  int y = 10 + (MAPTILES_Y / 2 + dy) * TILE_SIZE + r.between(1, TILE_SIZE - 2);
  point_at(in, x, y, button);
}

void make_key(soak_random& r, soak_input& in) { in.in.key[some_key(r)] = true; }

void make_keys(soak_random& r, soak_input& in) {
  int n = r.between(2, 3);
  for (int i = 0; i < n; i++) in.in.key[some_key(r)] = true;
}

void make_escape(soak_random&, soak_input& in) { in.in.key[IN_ESC] = true; }

void make_turn_button(soak_random& r, soak_input& in) {
  point_at(in, r.between(11, 59), r.between(201, 249), some_button(r));
}

// Anywhere on the button bar and the portrait; a menu that opens is closed
// most times, its rows taken otherwise.
void make_panel_click(soak_random& r, soak_input& in) {
  if (r.below(6) == 0)
    point_at(in, r.between(11, 149), r.between(11, 99), some_button(r));
  else
    point_at(in, r.between(11, 59), r.between(101, 449), some_button(r));
  in.row = r.below(4) == 0 ? r.between(1, 3) : 0;
  // Leaving the game from the quit menu is kept rare.
  if (button_at(in.in.mouse_x, in.in.mouse_y) == BUTTON_QUIT && r.below(10) != 0) in.row = 0;
}

void make_map_click(soak_random& r, soak_input& in) {
  point_at_tile(r, in, r.between(-3, 3), r.between(-3, 3), MOUSE_LEFT);
}

// A right click opens the action menu of a seen square; the row is its answer.
void make_right_click(soak_random& r, soak_input& in) {
  point_at_tile(r, in, r.between(-4, 4), r.between(-4, 4), MOUSE_RIGHT);
  in.row = r.between(0, 8);
}

void make_edge_click(soak_random& r, soak_input& in) {
  int w = in.in.screen_w, h = in.in.screen_h;
  switch (r.below(4)) {
    case 0:
      point_at(in, r.between(0, 9), r.between(1, h - 1), some_button(r));
      break;
    case 1:
      point_at(in, r.between(w - 9, w - 1), r.between(1, h - 1), some_button(r));
      break;
    case 2:
      point_at(in, r.between(11, w - 11), r.between(h - 9, h - 1), some_button(r));
      break;
    default:
      point_at(in, r.between(11, w - 11), r.between(0, 9), some_button(r));
      break;
  }
}

void make_scroll(soak_random& r, soak_input& in) {
  int h = in.in.screen_h;
  int y = r.below(2) == 0 ? r.between(h - 29, h - 11) : r.between(h - 130, h - 60);
  point_at(in, r.between(11, 29), y, MOUSE_LEFT);
}

void make_anywhere(soak_random& r, soak_input& in) {
  point_at(in, r.below(in.in.screen_w), r.below(in.in.screen_h), r.below(3));
  if (r.below(3) == 0) in.in.key[some_key(r)] = true;
}

}  // namespace

std::vector<soak_action>& soak_action_table() {
  static std::vector<soak_action> table = {
      // Leaving by the escape key comes about once in ten thousand inputs,
      // so most games last their turns.
      {"key", 5000, make_key},
      {"keys", 600, make_keys},
      {"escape", 1, make_escape},
      {"turn button", 300, make_turn_button},
      {"panel click", 600, make_panel_click},
      {"map click", 1000, make_map_click},
      {"right click", 800, make_right_click},
      {"edge click", 200, make_edge_click},
      {"scroll", 200, make_scroll},
      {"anywhere", 500, make_anywhere},
  };
  return table;
}

std::string describe_input(const soak_input& in) {
  const auto& table = soak_action_table();
  std::string text =
      in.action >= 0 && in.action < int(table.size()) ? table[in.action].name : "input";
  std::string keys;
  for (int k = 0; k < INPUT_KEYS; k++)
    if (in.in.key[k]) keys += (keys.empty() ? "" : "+") + std::string(KEY_NAMES[k]);
  if (!keys.empty()) text += " " + keys;
  if (in.in.mouse_b == MOUSE_LEFT || in.in.mouse_b == MOUSE_RIGHT) {
    char at[64];
    std::snprintf(at, sizeof at, " %s click (%d, %d)",
                  in.in.mouse_b == MOUSE_LEFT ? "left" : "right", in.in.mouse_x, in.in.mouse_y);
    text += at;
  } else if (in.in.mouse_x >= 0) {
    char at[48];
    std::snprintf(at, sizeof at, " pointer (%d, %d)", in.in.mouse_x, in.in.mouse_y);
    text += at;
  }
  if (in.row != 0) text += " row " + std::to_string(in.row);
  return text;
}

// ---------------------------------------------------------------------------
// One game
// ---------------------------------------------------------------------------

namespace {

// A folder of its own for whatever a game saves, emptied before each game,
// so that loading finds only what the same game saved.
class sandbox {
 public:
  sandbox() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "grim_soak_XXXXXX").string();
    if (ec) pattern = "/tmp/grim_soak_XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~sandbox() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  // Empties the folder and goes into it; false when there is none.
  bool enter() {
    if (path_.empty()) return false;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(path_, ec)) fs::remove_all(entry.path(), ec);
    fs::create_directory(fs::path(path_) / "save", ec);
    back_ = fs::current_path(ec);
    return !ec && chdir(path_.c_str()) == 0;
  }
  void leave() {
    if (!back_.empty() && chdir(back_.c_str()) != 0) std::perror("soak: going back");
  }

 private:
  std::string path_;
  fs::path back_;
};

sandbox& game_folder() {
  static sandbox box;
  return box;
}

// What the game being played needs between the front end's calls.
struct game_state {
  unsigned seed;
  int difficulty;
  const soak_config* cfg;
  const std::vector<soak_input>* script;
  soak_random rng{0};
  std::vector<soak_input> played;
  int input_limit = 0;
  long turns = 0;
  long turns_since_check = 0;
  bool in_input = false;
  soak_input current;
  soak_break found;
};

game_state* game = nullptr;

void check(const char* when) {
  if (!game || game->found.found) return;
  // A game that ended in the creatures' turn never reached the recount of
  // the end of turn: a creature left on a secret door keeps the blocked mark
  // its step gave the square.
  bool recounted = game->turns_since_check > 0 && gameover != GAME_OVER;
  check_moment moment = recounted ? CHECK_AFTER_END_OF_TURN : CHECK_DURING_TURN;
  game->turns_since_check = 0;
  world_fault f = find_world_fault(moment);
  if (f.kind == BREAK_NONE) return;
  soak_break& b = game->found;
  b.found = true;
  b.seed = game->seed;
  b.difficulty = game->difficulty;
  b.input_index = static_cast<int>(game->played.size()) - 1;
  b.when = when;
  b.fault = f;
  b.inputs = game->played;
  gameover = GAME_OVER;
}

// The screens an input may open, answered with the input's row the way the
// window's screens act on a chosen row.
void answer_quit() {
  if (game->current.row != 1) return;
  highcolor_fade_out(16);
  gameover = GAME_OVER;
}

void answer_loadsave() {
  if (game->current.row == 1) text_load_map(0);
  if (game->current.row == 2) text_save_map(2);
}

void answer_options() {
  const char* said = nullptr;
  if (game->current.row == 1) GAME_SPEED = next_game_speed(GAME_SPEED, &said);
  if (game->current.row == 2) ANTI_ALIAS = next_anti_alias(ANTI_ALIAS, &said);
  if (said) message_box(said);
}

// The map's mouse commands and the inventory screens answer rows here once
// their decisions live outside the Allegro files.
void answer_box_choice(int mode) { mouse_list_answer(mode, game->current.row); }
// The inventory button's action menu: a row opens its object list.
void answer_inventory() {
  int row = game->current.row;
  if (row >= 1 && row <= ACTION_ROWS) answer_box_choice(INVENTORY_MENU_ROWS[row - 1].code);
}
// The item list and the chosen item's own menu: the row picks the item, and
// the same row, spread over the item's rows, picks what is done with it.
void answer_item_list() {
  const std::vector<list_entry> items = list_entries(ITEM_LIST, CURRENT_PLAYER, CURRENT_UNIT);
  int row = game->current.row;
  if (items.empty() || row < 1) return;
  int k = items[(row - 1) % items.size()].object;
  const std::vector<object_row> rows = object_menu_rows(k);
  if (rows.empty()) return;
  object_action act = rows[(row * 7) % rows.size()].action;
  if (act == object_action::backpack) {
    const std::vector<list_entry> packed =
        list_entries(BACKPACK_LIST, CURRENT_PLAYER, CURRENT_UNIT);
    if (!packed.empty()) unpack_item(packed[row % packed.size()].object);
    return;
  }
  do_object_action(act, k);
}
void answer_dragmove() { mouse_drag_answer(game->current.row); }
void answer_mainbox() { mainbox_click(game->current.in.mouse_x, game->current.in.mouse_y); }
void answer_rightclick(int x, int y) {
  mouse_screens screens;
  screens.box_choice = answer_box_choice;
  mouse_menu_answer(x, y, game->current.row, screens);
}

const input_actions SOAK_ACTIONS = [] {
  input_actions a;
  a.look = look;
  a.mouse_box_choice = answer_box_choice;
  a.mouse_quit = answer_quit;
  a.mouse_gameoptions = answer_options;
  a.mouse_loadsave = answer_loadsave;
  a.mouse_inventory = answer_inventory;
  a.mouse_inventory2 = answer_item_list;
  a.mouse_dragmove = answer_dragmove;
  a.mouse_mainbox = answer_mainbox;
  a.mouse_maprightclick = answer_rightclick;
  // A pause is over at once; pictures and the pointer are not the soak's.
  return a;
}();

bool next_input(soak_input& in) {
  size_t n = game->played.size();
  if (game->script) {
    if (n >= game->script->size()) return false;
    in = (*game->script)[n];
    return true;
  }
  if (game->turns >= game->cfg->turns || int(n) >= game->input_limit) return false;
  const auto& table = soak_action_table();
  int total = 0;
  for (const soak_action& a : table) total += a.weight;
  int pick = game->rng.below(total);
  in = soak_input{};
  in.in.screen_w = WIDTH;
  in.in.screen_h = HEIGHT;
  for (size_t i = 0; i < table.size(); i++) {
    if (pick < table[i].weight) {
      in.action = static_cast<int>(i);
      break;
    }
    pick -= table[i].weight;
  }
  table[in.action].make(game->rng, in);
  return true;
}

void soak_getinput() {
  headless.getinput_calls++;
  check(game->played.empty() ? "before the first input" : "after the passes since the last input");
  if (game->found.found) return;
  soak_input in;
  if (!next_input(in)) {
    gameover = GAME_OVER;
    return;
  }
  game->played.push_back(in);
  game->current = in;
  game->in_input = true;
  const auto& table = soak_action_table();
  if (in.action >= 0 && in.action < int(table.size()) && table[in.action].play)
    table[in.action].play(in);
  else
    dispatch_input(in.in, SOAK_ACTIONS);
  game->in_input = false;
  check("after the input");
}

// The banner opens every end of turn: one that follows another with no input
// between is the moment to check the turn before it.
void soak_banner() {
  headless.banner_calls++;
  if (!game->in_input && game->turns_since_check > 0) check("after the end of a turn");
  game->turns++;
  game->turns_since_check++;
}

front_end soak_front_end() {
  front_end fe = headless_front_end;
  fe.name = "soak";
  fe.getinput = soak_getinput;
  fe.creature_turn_banner = soak_banner;
  return fe;
}

// The game's own replay, played back from its seed, must end in the state the
// game ended in.  A game loaded part way is not recorded to its end and is
// not compared.
void check_replay(game_state& g, soak_report* totals) {
  if (!std::filesystem::exists(LAST_REPLAY)) return;
  replay_record r;
  std::string why;
  bool read = read_replay(LAST_REPLAY, r, why);
  if (read && !r.has_digest) return;
  replay_outcome out;
  if (read) {
    use_headless();
    out = play_replay_headless(r);
    if (out.matches) {
      if (totals) totals->replays++;
      return;
    }
  }
  soak_break& b = g.found;
  b.found = true;
  b.seed = g.seed;
  b.difficulty = g.difficulty;
  b.input_index = static_cast<int>(g.played.size()) - 1;
  b.when = "when its replay was played back";
  b.fault.kind = BREAK_REPLAY;
  b.fault.text = !read ? "the game's replay cannot be read: " + why
                 : !out.followed
                     ? "the game's replay stops: " + out.reason
                     : "the game's replay ends in " + out.digest + ", the game in " + r.digest;
  b.inputs = g.played;
}

uint64_t input_seed(unsigned seed, int difficulty) {
  return (uint64_t(seed) << 8) ^ uint64_t(difficulty) ^ 0x5EEDF00Dull;
}

}  // namespace

soak_break soak_game(unsigned seed, int difficulty, const soak_config& cfg,
                     const std::vector<soak_input>* script, soak_report* totals) {
  static const front_end fe = soak_front_end();
  game_state g;
  g.seed = seed;
  g.difficulty = difficulty;
  g.cfg = &cfg;
  g.script = script;
  g.rng = soak_random(input_seed(seed, difficulty));
  g.input_limit = cfg.inputs > 0 ? cfg.inputs : 200 * (cfg.turns + 1);
  game = &g;

  bool inside = game_folder().enter();
  // What the window keeps between games (bars hidden by a click, a walk
  // under way) starts afresh too, so that a break found after other games
  // shows again when its seed is played alone.
  reset_view_settings();
  travel_interrupt();
  reset_globals();
  use_headless();
  select_frontend(&fe);
  DEBUG_MODE = 0;
  gameover = GAME_PLAYING;
  headless.menu_choices = {1, difficulty};
  // The new game takes this seed, not the clock's, so that a break found
  // under it is found again.
  ask_for_seed(seed);
  init_loop();
  // A game that ended in the creatures' turn never reached the recount of
  // the end of turn.
  g.turns_since_check = 0;
  check("when the game ended");
  game = nullptr;
  if (inside && cfg.replays && !g.found.found) check_replay(g, totals);
  if (inside) game_folder().leave();
  select_frontend(&headless_front_end);

  if (totals) {
    totals->actions += static_cast<long>(g.played.size());
    totals->turns += g.turns;
    totals->games++;
  }
  return g.found;
}

soak_break shrink_break(const soak_break& b, const soak_config& cfg) {
  if (!b.found || b.inputs.empty()) return b;
  soak_break best = b;
  int replays = 0;
  auto still_breaks = [&](const std::vector<soak_input>& inputs) {
    replays++;
    soak_break r = soak_game(b.seed, b.difficulty, cfg, &inputs);
    if (!r.found || r.fault.kind != b.fault.kind) return false;
    best = r;
    return true;
  };
  for (size_t chunk = best.inputs.size() / 2; chunk >= 1 && replays < cfg.shrink_replays;
       chunk /= 2) {
    size_t i = 0;
    while (i < best.inputs.size() && replays < cfg.shrink_replays) {
      std::vector<soak_input> candidate;
      for (size_t k = 0; k < best.inputs.size(); k++)
        if (k < i || k >= i + chunk) candidate.push_back(best.inputs[k]);
      if (!still_breaks(candidate)) i += chunk;
    }
  }
  return best;
}

soak_report run_soak(const soak_config& cfg) {
  soak_report report;
  auto start = std::chrono::steady_clock::now();
  for (int s = 0; s < cfg.seeds && !report.first.found; s++) {
    for (int d = cfg.first_difficulty; d <= cfg.last_difficulty && !report.first.found; d++) {
      soak_break b = soak_game(cfg.first_seed + s, d, cfg, nullptr, &report);
      if (b.found) report.first = b;
    }
  }
  report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (report.first.found && cfg.shrink) report.first = shrink_break(report.first, cfg);
  return report;
}
