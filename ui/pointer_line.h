// The line that tells what is on the square under the pointer: the terrain or
// scenery, the items lying there and the creature standing there, each told
// only as far as the party sees it now or remembers it.
#pragma once

#include <string>

// "unhurt", "hurt", "badly hurt" or "near death" for health against the
// health the unit started with.
const char* wounded_word(int health, int start);

// What the acting unit's party knows of square (x, y) of level z, as far as
// the map shows it: "" for a square never seen or left dark (no light to see
// it by and no party member beside it); for one seen before but out of sight
// now only its terrain and scenery, as remembered; for one in sight also the
// items lying there and the creature on it.
std::string pointer_line(int z, int x, int y);

// The square under the pointer at (mouse_x, mouse_y) on the map view, or
// false when the pointer is not over the map.
bool pointer_square(int mouse_x, int mouse_y, int& x, int& y, int& z);
