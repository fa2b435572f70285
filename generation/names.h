// Random words: the personal names of the party's recruits and the gibberish
// on potion labels.
#pragma once

#include <string>

// Gives unit u of player a first name and an epithet ("Rolf the Elder").
void create_name(int player, int u);
// A capitalised random word one letter longer than text; the letters of text
// play no part, only its length.
std::string scramble_word(const char* text);
