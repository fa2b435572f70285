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

// The window: scale window pixels across and down for each pixel of the
// game (1 to 4), set before graphics_loop opens it.
void set_window_scale(int n);
int window_scale();
// Opens the window for a game of w by h pixels; false with allegro_error
// set when it cannot, or when it would not fit the screen.
bool open_window(int w, int h);
// Gives the window back to Allegro before it shuts down.
void close_window();
// Brings the pointer Allegro reports in the window's pixels back to the
// game's; any mouse callback of the front end calls it first.
void pointer_to_game();
// Puts the pointer on pixel (x, y) of the game.
void place_pointer(int x, int y);
// Copies the game's page to a scaled window when it changed and a 60th of a
// second has passed since the last look; the busy pause calls it.
void present_window();
// The same at once, for a picture shown before work that does not wait.
void present_window_now();
// What a look at the page does: when the page
// differs from shown (the copy last put up), copies it there and onto window,
// scale by scale.  True when it did.
struct BITMAP;
bool present_if_changed(BITMAP* page, BITMAP* shown, BITMAP* window, int scale);
