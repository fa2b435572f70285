// What only the front end reads: the size of the map view in tiles, the
// panels shown over it, the smoothing mode and the message panel's
// geometry.  The rules never look at these.
#pragma once

extern int TILE_SIZE;   // pixels of one square on screen
extern int MAPTILES_X;  // squares across the view, beside the centre one
extern int MAPTILES_Y;
// Each panel is shown at -1 and hidden at 0.
extern int BUTTON_BAR;
extern int MESSAGE_BAR;
extern int STATUS_BAR;
extern int INVENTORY_BAR;
// Smoothing of the map: 0 off, 1 and 2 the two blur modes.
extern int ANTI_ALIAS;
// The message panel: first shown line, width, height, shown-line span.
extern int M_box[4];

// Puts every setting above back to its starting value (tests and tools
// start each case from here).
void reset_view_settings();
