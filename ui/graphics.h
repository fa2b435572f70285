// The Allegro front end: start-up and shutdown of the window, pictures and font.
#pragma once

constexpr int GRAPHICS_OK = 0;
constexpr int GRAPHICS_NO_WINDOW = 2;

// Colour-depth question, Allegro start, timer, window, pictures and font.
// GRAPHICS_NO_WINDOW when the window could not be opened (the game cannot go
// on); otherwise GRAPHICS_OK.
int graphics_loop();
// Frees every picture and shuts the font and graphics libraries down.
void shutdown_graphics();
// Makes the Allegro front end the one the dispatchers use.
void select_allegro_front_end();
// The Allegro front end's table, for tools that swap a few of its entries.
struct front_end;
const front_end& allegro_front_end_table();
