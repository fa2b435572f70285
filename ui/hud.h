// What the panels over the map show, worked out without drawing: the message
// history, the gauges of the status bar and the column of carried items.
#pragma once

#include <string>

#include "core/world.h"

// Moves the first shown line of the panel by step (-1 older, +1 newer) within
// 0..21; false when it was already at that end (nothing to redraw).
bool scroll_message_panel(int step);

// A text as the screen shows it: leading line breaks dropped (they are for
// the console), every other control character drawn as nothing, tabs as a
// space.
std::string screen_text(const char* text);

// Where a shown line of the message panel is written: row is 0 for the first
// shown line; the text starts clear of the scroll arrows (arrow_w wide, at
// the panel's left edge), and the newest line is the larger.
struct message_line_place {
  int x, y, size;
};
message_line_place message_line_at(int row, int span, int arrow_w);

// The rectangles (x0, y0, x1, y1) and colours of the two gauges for a unit on
// a screen w by h.  Building it clamps a negative moves to 0, as the status
// bar always has.
struct gauge_layout {
  int move_fill[4], move_frame[4], move_bar[4], move_colour[3];
  int health_frame[4], health_fill[4], health_bar[4], health_colour[3];
  bool poisoned;
};
gauge_layout status_gauges(unit_record& u, int w, int h);

// The objects whose icons make the carried-item column, top to bottom:
// weapon, armour, shield, head, feet, key, backpack, lit torch, fairy, arms,
// legs; items not carried leave no gap.  Returns how many were written.
int carried_icon_column(int player, int u, int out[12]);

// What the status panel says in words beside the gauges: the level on the
// left, the numbers on the right, and a mark when the unit stands on a way up
// or down, each placed clear of the gauges' frames.
struct status_readout {
  std::string level;   // "LEVEL n"
  std::string ladder;  // "LADDER UP", "LADDER DOWN", "LADDER UP/DOWN" or ""
  std::string moves;   // movement left of the whole
  std::string health;
  int left_x;   // right edge of the level and ladder texts
  int right_x;  // left edge of the numbers
  int move_y, health_y;
};
status_readout status_readout_for(const unit_record& u, const gauge_layout& g);

// The diagnostics line: the frame rate and the seed of the game in play,
// shown on the status bar when the player asked for diagnostics at start.
std::string fps_line(int fps);
extern bool DIAGNOSTICS_LINE;

// A gauge's label is drawn light on the dark fill and dark on the bright bar:
// light whenever the bar does not reach under the whole label, which is
// half_width either side of the middle x.
bool gauge_label_light(const int (&bar)[4], int middle_x, int half_width);
