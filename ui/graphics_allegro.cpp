#include "ui/graphics.h"

#include "core/headless.h"

void graphics_loop() {
  // stand-in until built
}

void shutdown_graphics() {
  // stand-in until built
}

void select_allegro_front_end() {
  select_frontend(&headless_front_end);  // stand-in until built
}
