// The Allegro front end: start-up and shutdown of the window, pictures and font.
#pragma once

// Colour-depth question, Allegro start, timer, window, pictures and font.
void graphics_loop();
// Frees every picture and shuts the font and graphics libraries down.
void shutdown_graphics();
// Makes the Allegro front end the one the dispatchers use.
void select_allegro_front_end();
