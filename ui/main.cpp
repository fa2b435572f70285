// The program: console questions, the window, the outer loop, shutdown.
#include <cstdio>

#include "core/console.h"
#include "core/frontend.h"
#include "core/loop.h"
#include "core/world.h"
#include "ui/graphics.h"

int main() {
  console_questions(stdin);
  GFX_ENGINE = 1;
  select_allegro_front_end();
  if (DEBUG_MODE > 0) std::printf("\nInitialising GFX ENGINE:\n");
  graphics_loop();
  while (gameover != GAME_QUIT) init_loop();
  if (DEBUG_MODE >= 1) std::printf("BYE BYE!! COME BACK AGAIN  gameover=3");
  highcolor_fade_out(32);
  shutdown_graphics();
  return 0;
}
