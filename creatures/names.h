// The personal names of the party's recruits.
#pragma once

#include <string>

// Gives unit u of player a first name and an epithet ("Rolf the Elder").
void create_name(int player, int u);
