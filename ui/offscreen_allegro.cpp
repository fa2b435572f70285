#include <allegro.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/actions/events.h"
#include "core/frontend.h"
#include "core/game/newgame.h"
#include "core/world.h"
#include "creatures/sight.h"
#include "generation/character.h"
#include "ui/assets_allegro.h"
#include "ui/graphics.h"
#include "ui/menus.h"
#include "ui/offscreen.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

namespace {

std::unique_ptr<BITMAP, bitmap_deleter> page;

void enter_build_folder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return;
  path[n] = '\0';
  std::string folder(path);
  for (int up = 0; up < 2; up++) {
    auto slash = folder.rfind('/');
    if (slash == std::string::npos || slash == 0) return;
    folder.resize(slash);
  }
  if (chdir(folder.c_str()) != 0) std::perror("chdir");
}

// Nothing here can be answered by a player: warnings are kept in the
// message history and the name is fixed.
void quiet_warning(const char* l1, const char*, const char*, const char*, const char*, const char*,
                   int) {
  message_box(l1);
}
void fixed_name() { copy_text(unit[1][1].name, "REVIEWER"); }
void no_input() { gameover = GAME_OVER; }
void no_rest(int) {}

front_end offscreen_front_end;

}  // namespace

bool start_offscreen(int w, int h) {
  enter_build_folder();
  reset_globals();
  reset_view_settings();
  DEBUG_MODE = 0;
  WIDTH = w;
  HEIGHT = h;
  MAPTILES_X = view_tiles(WIDTH, TILE_SIZE);
  MAPTILES_Y = view_tiles(HEIGHT, TILE_SIZE);
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return false;
  set_color_depth(32);
  load_all_assets();
  page.reset(create_bitmap(w, h));
  if (!page) return false;
  clear_bitmap(page.get());
  offscreen_front_end = allegro_front_end_table();
  offscreen_front_end.warning_message = quiet_warning;
  offscreen_front_end.enter_name = fixed_name;
  offscreen_front_end.getinput = no_input;
  offscreen_front_end.rest = no_rest;
  offscreen_front_end.wait_clock = no_rest;
  select_frontend(&offscreen_front_end);
  GFX_ENGINE = 1;
  return true;
}

void stop_offscreen() {
  page.reset();
  // The release trace of the pictures is for the game's console, not for the
  // figures a tool prints.
  std::fflush(stdout);
  int kept = dup(STDOUT_FILENO);
  int null_fd = open("/dev/null", O_WRONLY);
  if (kept >= 0 && null_fd >= 0) dup2(null_fd, STDOUT_FILENO);
  shutdown_graphics();
  std::fflush(stdout);
  if (kept >= 0) {
    dup2(kept, STDOUT_FILENO);
    close(kept);
  }
  if (null_fd >= 0) close(null_fd);
}

bool new_game_offscreen(unsigned seed, int difficulty) {
  std::srand(seed);
  CURRENT_PLAYER = 1;
  CURRENT_UNIT = 1;
  IS_GLOBAL_LIGHTING_ON = 0;
  enter_name();
  DIFFICULTY = difficulty;
  build_new_world();
  clear_message_box();
  novel_event(CURRENT_PLAYER, CURRENT_UNIT);
  reveal_tiles();
  generate_character();
  for (int i = 0; i < 8; i++) message_box("");
  unit_record& leader = unit[1][1];
  leader.moves = leader.movement;
  UPDATE_MAP = 1;
  return leader.status != UNIT_FREE && on_grid(leader.z, leader.x, leader.y);
}

BITMAP* offscreen_page() { return page.get(); }

void compose_offscreen_frame() {
  UPDATE_MAP = 1;
  compose_frame(page.get(), false);
}

bool save_offscreen_page(const char* path) {
  return page && save_bitmap(path, page.get(), nullptr) == 0;
}
