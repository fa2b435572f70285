// The outer loop (menus, new or loaded game) and the frame loop of one game.
#pragma once

#include <string>

void init_loop();
void main_loop();
// The player leaves the game for the main menu, from the keyboard or the
// quit menu: no score.
void leave_game();
// The record of the last game that ended in this run, "" when none was
// written.
extern std::string LAST_RECORD;
