// The questions asked on the console before the window opens.
#pragma once

#include <cstdio>

// Asks until one of the characters of valid (upper case) is answered and
// returns it.  At the end of the input it answers on_eof, so a game started
// with no console never waits forever.
char ask_console_choice(std::FILE* in, const char* question, const char* valid, char on_eof);

// The diagnostics, debug-mode and resolution questions; sets DEBUG_MODE,
// WIDTH and HEIGHT.
void console_questions(std::FILE* in);
