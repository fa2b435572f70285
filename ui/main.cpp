// The program: console questions, the window, the outer loop, shutdown.
#include <allegro.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/frontend.h"
#include "core/game/loop.h"
#include "core/game/replay_play.h"
#include "core/game_end.h"
#include "core/headless.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/world.h"
#include "persistence/game_record.h"
#include "ui/command_line.h"
#include "ui/graphics.h"
#include "ui/hud.h"
#include "ui/list_window.h"
#include "ui/past_games.h"
#include "ui/replay_allegro.h"
#include "ui/run_folder.h"

// The executable's own folder, from wherever it was started.
static std::string executable_folder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  path[n] = '\0';
  std::string folder(path);
  std::string::size_type slash = folder.rfind('/');
  if (slash == std::string::npos) return ".";
  folder.resize(slash == 0 ? 1 : slash);
  return folder;
}

static bool has_pictures(const std::string& folder) {
  struct stat st;
  return stat((folder + "/data").c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         stat((folder + "/fonts").c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The game works in its run folder: pictures, font, saves and screenshots are
// all found there by their plain relative names.
static void enter_run_folder() {
  run_folder where = choose_run_folder(executable_folder(), std::getenv("XDG_DATA_HOME"),
                                       std::getenv("HOME"), has_pictures);
  std::string reason;
  if (!prepare_run_folder(where, reason)) std::fprintf(stderr, "grimhollow: %s\n", reason.c_str());
  if (chdir(where.dir.c_str()) != 0) std::perror("chdir");
}

// Answers --help and --version, refuses a bad line; false when the program
// should stop here with *status.
static bool follow_command_line(int argc, char** argv, command_line& line, int* status) {
  line = read_command_line(std::vector<std::string>(argv + 1, argv + argc));
  if (!line.error.empty()) {
    std::fprintf(stderr, "grimhollow: %s\n%s", line.error.c_str(), command_line_usage().c_str());
    *status = BAD_COMMAND_LINE;
    return false;
  }
  if (line.help || line.version) {
    if (line.help) std::fputs(command_line_usage().c_str(), stdout);
    if (line.version) std::printf("grimhollow %s\n", GAME_VERSION);
    *status = 0;
    return false;
  }
  if (line.has_seed) ask_for_seed(line.seed);
  return true;
}

// --history: the past games on standard output, newest first.
static int print_past_games() {
  for (const std::string& row : past_game_rows(RECORD_FOLDER)) std::printf("%s\n", row.c_str());
  return 0;
}

// After the high-score table of a game that ended with one, the past games.
static void show_past_games_after_game() {
  if (LAST_RECORD.empty() || !past_games_follow(GAME_END.how)) return;
  LAST_RECORD.clear();
  show_text_list_allegro(PAST_GAMES_TITLE, past_game_rows(RECORD_FOLDER));
}

// --replay FILE --headless: the recorded game played without a window; the
// digest of the state it ends in is printed. Status 1 when the replay could
// not be followed to its end or ends elsewhere than the game did.
static int replay_headless(const replay_record& r) {
  use_headless();
  DEBUG_MODE = 0;
  replay_outcome out = play_replay_headless(r);
  std::printf("replay: %d of %zu commands\ndigest: %s\n", out.commands_run, r.commands.size(),
              out.digest.c_str());
  if (!out.followed) {
    std::printf("stopped: %s\n", out.reason.c_str());
    return 1;
  }
  if (!r.has_digest) {
    std::printf("the recording has no end (the game was not finished)\n");
    return 0;
  }
  std::printf(out.matches ? "the same state as the recorded game\n"
                          : "NOT the state the recorded game ended in\n");
  if (!out.matches && !r.marks_inputs())
    std::printf(
        "(a replay of the first format: it does not keep where one input ended and the "
        "next began)\n");
  return out.matches ? 0 : 1;
}

int main(int argc, char** argv) {
  // Trace lines reach a console that is a file or a pipe as they are written.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  int status = 0;
  command_line line;
  if (!follow_command_line(argc, argv, line, &status)) return status;
  replay_record replay;
  if (!line.replay.empty()) {
    std::string reason;
    if (!read_replay(line.replay, replay, reason)) {
      std::fprintf(stderr, "grimhollow: %s: %s\n", line.replay.c_str(), reason.c_str());
      return 1;
    }
    if (line.headless) return replay_headless(replay);
  }
  enter_run_folder();
  if (line.history) return print_past_games();
  set_window_scale(line.scale);
  console_questions(stdin);
  // Start-up settles the answer into DEBUG_MODE 0 either way; ask it now.
  DIAGNOSTICS_LINE = DEBUG_MODE != FAIL;
  GFX_ENGINE = 1;
  select_allegro_front_end();
  if (DEBUG_MODE > 0) std::printf("\nInitialising GFX ENGINE:\n");
  if (graphics_loop() == GRAPHICS_NO_WINDOW) {
    shutdown_graphics();
    return 1;
  }
  if (!line.replay.empty()) {
    status = play_replay_in_window(replay);
  } else {
    while (gameover != GAME_QUIT) {
      init_loop();
      show_past_games_after_game();
    }
  }
  if (DEBUG_MODE >= 1) std::printf("BYE BYE!! COME BACK AGAIN  gameover=3");
  highcolor_fade_out(32);
  shutdown_graphics();
  return status;
}
END_OF_MAIN()
