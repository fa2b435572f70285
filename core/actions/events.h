// Move events (what a square does to a unit entering it) and level events.
#pragma once

// The square a unit has just stepped onto reacts to it; forward_flag is 1
// after forward, 0 after backward.
void move_event(int forward_flag, int player, int u);
// Wells, light, traps, webs and secret passages under the acting unit.
int novel_event(int player, int u);
