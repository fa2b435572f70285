// The map view and the panels drawn over it: the layers of one frame, the
// message panel, the gauges and the effects.  Only *_allegro.cpp files
// include this.
#pragma once

#include <allegro.h>

#include <map>
#include <string>
#include <vector>

#include "ui/alfont.h"
#include "ui/text_stack.h"

// ---------------------------------------------------------------------------
// The frame (map_allegro.cpp)
// ---------------------------------------------------------------------------

// Composes the whole window onto page (the screen, or a screen-sized memory
// bitmap when there is no window): map view, banner, frame bars, pointer.
// With draw_pointer false the pointer is left out (pictures for review).
void compose_frame(BITMAP* page, bool draw_pointer);
// Takes the pointer the last frame drew out of a copy of the screen.
void remove_frame_pointer(BITMAP* copy);
// The map view in TEMP_SCREEN, layer by layer.
void layered_map();
void background_map();
void midground_map();
void draw_selectedcharacter();
void foreground_map();
void shadow_map();
void sight_map();
// While on, every layered_map records the milliseconds of each layer.
void profile_layers(bool on);
const std::map<std::string, std::vector<double>>& layer_times();
// Softens TEMP_SCREEN: mode 1 per pixel, mode 2 blended.
void blur_screen(int mode);
// The same for any picture (the smoothing check runs it on odd sizes).
void blur_bitmap(BITMAP* b, int mode);
// With plain on, every frame is drawn by Allegro's own calls alone, with no
// shortcut and no kept layer: slow, but the picture the fast drawing must
// give pixel for pixel (tests and benchmarks compare the two).
void set_plain_drawing(bool plain);

// Draws src rotated by angle (256 a full turn, multiples of 32) with its top
// left corner at (x, y), through a cache of turned copies: rotate_sprite is
// far too slow to run for every tile of every frame.
void draw_rotated(BITMAP* dst, BITMAP* src, int x, int y, int angle);
void forget_all_rotations();
// The map view as the last frame composed it, before the pointer was drawn
// on it, copied into out (the view's size).
void last_view_without_pointer(BITMAP* out);
// Drops the kept background and darkness mask of the map view; the next
// frame draws them anew.  Done with every picture released.
void forget_kept_layers();

// ---------------------------------------------------------------------------
// Panels and effects (hud_allegro.cpp)
// ---------------------------------------------------------------------------
void draw_icons();
void diagnostics_text();
void display_item_stack(int x, int y, int z, int px, int py, int light);
// Redraws MESSAGE_SCREEN from the message history.
void redraw_message_panel();
// The measures of the game's font, for laying text out.
text_metrics font_metrics(ALFONT_FONT* f);
// Front-end entries of the panels and effects.
void message_box_allegro(const char* text);
void allegro_warning_message(const char* l1, const char* l2, const char* l3, const char* l4,
                             const char* l5, const char* l6, int size);
void draw_splat_allegro(int dx, int dy, int size, int angle);
void draw_explosion_allegro(int dx, int dy, int kind);
void draw_zapline_allegro(int dx1, int dy1, int dx2, int dy2);
void highcolor_fade_out_allegro(int speed);
void creature_turn_banner_allegro();
void show_fps_allegro(int fps);
void drawmap_allegro();
// True when the last frame drew fire or water, whose pictures step with ticks.
bool picture_animated_allegro();

// ---------------------------------------------------------------------------
// The frame loop's rest (frontend_allegro.cpp)
// ---------------------------------------------------------------------------
// Wakes the frame loop: at each tick of the clock (from the timer thread) and
// whenever the player touches the keyboard or the mouse (by_player).
void wake_frame_loop(bool by_player);
// Rests until woken; true when the player touched something, or holds a key
// or button down.
bool wait_tick_allegro();

// ---------------------------------------------------------------------------
// Input (input_allegro.cpp)
// ---------------------------------------------------------------------------
void getinput_allegro();
void allegro_enter_name();
void screen_grab_allegro();
// The map of the squares the party has seen (overview_allegro.cpp).
void show_overview_allegro();
