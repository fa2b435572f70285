// What the panels over the map show, worked out without drawing: the message
// history, the gauges of the status bar and the column of carried items.
#pragma once

#include "core/world.h"

// Moves the first shown line of the panel by step (-1 older, +1 newer) within
// 0..21; false when it was already at that end (nothing to redraw).
bool scroll_message_panel(int step);

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
