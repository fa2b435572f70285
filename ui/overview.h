// The map of a whole level as the party remembers it, drawn over the view:
// what each square shows and where the squares lie on the screen.
#pragma once

enum overview_mark {
  OVERVIEW_DARK,  // never seen
  OVERVIEW_FLOOR,
  OVERVIEW_WALL,
  OVERVIEW_DOOR,
  OVERVIEW_WATER,
  OVERVIEW_LAVA,
  OVERVIEW_WAY_UP,
  OVERVIEW_WAY_DOWN,
  OVERVIEW_PARTY,
  OVERVIEW_CREATURE  // of another player, in sight now
};

struct overview_square {
  overview_mark mark = OVERVIEW_DARK;
  bool in_view = false;  // seen now rather than remembered
};

// What square (x, y) of level z shows on the map of the party of player.
overview_square overview_at(int player, int z, int x, int y);

// The squares' size and the top left corner of the map for a screen of w by
// h, with room above for a title and below for a line of help.
struct overview_layout {
  int cell, left, top;
};
overview_layout lay_out_overview(int w, int h);
// The square under pixel (px, py); false off the map.
bool overview_square_at(const overview_layout& lay, int px, int py, int& x, int& y);
