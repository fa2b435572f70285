// The program: console questions, the window, the outer loop, shutdown.
#include <allegro.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "core/console.h"
#include "core/frontend.h"
#include "core/game/loop.h"
#include "core/world.h"
#include "ui/graphics.h"

// The pictures, the font and the save folder lie beside the executable; the
// game finds them from wherever it was started.
static void enter_program_folder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return;
  path[n] = '\0';
  std::string folder(path);
  std::string::size_type slash = folder.rfind('/');
  if (slash == std::string::npos) return;
  folder.resize(slash == 0 ? 1 : slash);
  if (chdir(folder.c_str()) != 0) std::perror("chdir");
}

int main(int, char**) {
  // Trace lines reach a console that is a file or a pipe as they are written.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  enter_program_folder();
  console_questions(stdin);
  GFX_ENGINE = 1;
  select_allegro_front_end();
  if (DEBUG_MODE > 0) std::printf("\nInitialising GFX ENGINE:\n");
  if (graphics_loop() == GRAPHICS_NO_WINDOW) {
    shutdown_graphics();
    return 1;
  }
  while (gameover != GAME_QUIT) init_loop();
  if (DEBUG_MODE >= 1) std::printf("BYE BYE!! COME BACK AGAIN  gameover=3");
  highcolor_fade_out(32);
  shutdown_graphics();
  return 0;
}
END_OF_MAIN()
