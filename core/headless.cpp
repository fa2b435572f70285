// The headless front end: every call is recorded, every question is answered
// from the script in `headless`, nothing is drawn and nothing waits.
#include "core/headless.h"

#include <utility>

#include "core/world.h"

headless_state headless;

static void hl_message_box(const char* text) { headless.messages.emplace_back(text); }

static void hl_warning(const char* l1, const char* l2, const char* l3, const char* l4,
                       const char* l5, const char* l6, int size) {
  headless_warning w;
  const char* lines[6] = {l1, l2, l3, l4, l5, l6};
  for (int i = 0; i < 6; i++) w.lines[i] = lines[i] ? lines[i] : "";
  w.size = size;
  w.screen_clears_before = headless.screen_clears;
  w.over_creature_turn = END_TURN == 1;
  headless.warnings.push_back(w);
}

static void hl_drawmap() { headless.drawmap_calls++; }

// A scripted input stands for the player touching the keyboard.
static bool hl_touched = false;

static void hl_getinput() {
  headless.getinput_calls++;
  if (headless.inputs.empty()) {
    gameover = GAME_OVER;
    return;
  }
  auto action = std::move(headless.inputs.front());
  headless.inputs.pop_front();
  // An empty input is a poll at which the player touched nothing.
  hl_touched = hl_touched || static_cast<bool>(action);
  if (action) action();
}

static void hl_enter_name() {
  std::string name = "Hero";
  if (!headless.names.empty()) {
    name = headless.names.front();
    headless.names.pop_front();
  }
  copy_text(unit[1][1].name, name.c_str());
}

static void hl_effect3(int, int, int) { headless.effects++; }
static void hl_splat(int, int, int, int angle) {
  headless.effects++;
  headless.splat_angles.push_back(angle);
}
static void hl_zapline(int, int, int, int) { headless.effects++; }
static void hl_fade(int) { headless.fade_calls++; }

static void hl_clear_message_box() { headless.clear_calls++; }

static void hl_clear_screen() { headless.screen_clears++; }
static void hl_splash() { headless.splash_calls++; }

static int hl_option_select(const char*, const char*, const char*, const char*) {
  // An unscripted menu quits, so a test can never wait on a menu forever.
  if (headless.menu_choices.empty()) return 3;
  int c = headless.menu_choices.front();
  headless.menu_choices.pop_front();
  return c;
}

static std::string hl_select_file() {
  if (headless.files.empty()) return " ";
  std::string f = headless.files.front();
  headless.files.pop_front();
  return f;
}

static void hl_load_icon(int, int, int, const char* path, const char*) {
  headless.icons.emplace_back(path ? path : "");
}

static void hl_banner() { headless.banner_calls++; }
static void hl_show_fps(int) {}
static void hl_wait(int) {}
// No timer runs headless: each pause stands for one tick of the clock, so the
// frame loop's input polling still comes round.
static void hl_rest(int) { ticker = ticker + 1; }
static bool hl_wait_tick() {
  hl_rest(1);
  return std::exchange(hl_touched, false);
}
static bool hl_animated() { return headless.animated; }

const front_end headless_front_end = {
    "headless",       hl_message_box,       hl_warning,
    hl_drawmap,       hl_getinput,          hl_enter_name,
    hl_splat,         hl_effect3,           hl_zapline,
    hl_fade,          hl_clear_message_box, hl_splash,
    hl_option_select, hl_select_file,       hl_load_icon,
    hl_banner,        hl_show_fps,          hl_rest,
    hl_wait,          hl_clear_screen,      hl_wait_tick,
    hl_animated,
};

void use_headless() {
  headless = headless_state{};
  hl_touched = false;
  select_frontend(&headless_front_end);
}

bool headless_said(const std::string& text) {
  for (const auto& m : headless.messages)
    if (m == text) return true;
  return false;
}
