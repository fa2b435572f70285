// The outer loop (menus, new or loaded game) and the frame loop of one game.
#pragma once

void init_loop();
void main_loop();
