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
// For a save name, keys a save name may not hold are ignored.
std::string grab_input(int y, int style, bool save_name = false);
// Asks "Leave this game? Y / N" in a warning box: true to leave.
bool ask_leave_allegro();
// Clears nothing: draws the parchment in the middle of the screen with a
// prompt across its top, set small enough to fit between its rolled ends.
void parchment_prompt(const char* text);
// Shows TEMP_SCREEN with the pointer on it.
void draw_mouse();
// The mouse commands on the map (step or turn, drag a route, the action menu
// of a square) and the object list.
void mouse_box_choice(int mode);
void mouse_dragmove();
void mouse_mainbox();
void mouse_maprightclick(int x, int y);

// The inventory panels, opened at the pointer (inventory_allegro.cpp): the
// action menu of the inventory button, the list of what the acting unit
// carries, the list of its backpack, the list of what it can give to the
// unit on square (x, y, z), and the menu of one carried item.
void mouse_inventory();
void mouse_inventory2();
void mouse_backpack();
void mouse_give_item(int x, int y, int z);
void mouse_object(int k);
