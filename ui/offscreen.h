// Frames without a window: Allegro with no system driver, every picture
// loaded, and the first frame of a new game composed into memory.  Used by
// the review and benchmark tools.
#pragma once

struct BITMAP;

// Starts Allegro with no display at a window size of w by h, from the build
// folder (the parent of the tool's own folder); false when it cannot.
bool start_offscreen(int w, int h);
void stop_offscreen();
// Starts a new game the way the main menu does, with every prompt answered
// and nothing waiting for a key.  False when no party leader was placed.
bool new_game_offscreen(unsigned seed, int difficulty);
// The screen-sized page frames are composed into.
BITMAP* offscreen_page();
// Composes one whole frame into the page.
void compose_offscreen_frame();
// Writes the page to a BMP file; false on failure.
bool save_offscreen_page(const char* path);
