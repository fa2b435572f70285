// The modal screens of the Allegro front end that the rest of the front end
// calls: the pop-up menus of the button bar, the line entry and the pointer.
#pragma once

#include <string>

// Pop-up menus opened at the pointer by the quit, load-and-save and options
// buttons.
void mouse_quit();
void mouse_loadsave();
void mouse_gameoptions();
// Reads one line of typed text (upper case, at most 29 characters) above
// screen row y; style 1 plain with a cursor, style 2 large and centred.
std::string grab_input(int y, int style);
// Shows TEMP_SCREEN with the pointer on it.
void draw_mouse();
// The mouse commands on the map (step or turn, drag a route, the action menu
// of a square) and the object list and inventory screens.
void mouse_box_choice(int mode);
void mouse_inventory();
void mouse_inventory2();
void mouse_dragmove();
void mouse_mainbox();
void mouse_maprightclick(int x, int y);
// The menu of one carried object, opened from the inventory list.
void mouse_object(int number);
