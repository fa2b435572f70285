// The health each unit had when it came into the game, so that how hurt a
// creature looks can be told against it.  Kept beside the world, never in
// it: a loaded game takes the health its units have at the load.
#pragma once

// Notes unit u of player's health as its starting health.
void note_start_health(int player, int u);
// Every unit of every player, as after a load.
void note_every_start_health();
// The starting health noted, or the unit's present health when none was.
int start_health(int player, int u);
