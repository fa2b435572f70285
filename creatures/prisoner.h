// The prisoner a party unit frees from a cell.
#pragma once

// Makes the freed prisoner as unit u of player at (z, x, y).
void create_freeprisoner(int player, int u, int z, int x, int y);
