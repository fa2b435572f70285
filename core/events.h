// Move events (what a square does to a unit entering it) and level events.
#pragma once

void move_event(int forward_flag, int player, int u);
int novel_event(int player, int u);
