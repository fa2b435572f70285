// The hero's backstory at the start of a new game.
#pragma once

// Draws the six lines of the backstory, each choice nudging the hero's
// numbers, and tells it.
void generate_character();
