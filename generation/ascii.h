// The levels as text, one character per square, for the console and the
// dump tool.
#pragma once

// Prints level z on the console, one character per square.
void ascii_level(int z);
// The character ascii_level shows for one square, and the key to them all.
char ascii_square(int z, int x, int y);
const char* ascii_legend();
