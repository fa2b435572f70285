// The message history: the last lines told to the player, oldest first.
// The rules write it through message_box and clear_message_box; each front
// end only draws it.
#pragma once

// Adds a message to the history (texts of 0 or 1 character add nothing; the
// oldest line is dropped).  True when a line was added.
bool add_message_line(const char* text);
// How many lines have been added since the program started; a walk that
// should stop when the player is told something compares it.
unsigned message_lines_told();
// Blanks every line of the history but the oldest.
void clear_message_history();
