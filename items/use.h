// Using items, searching containers and crypts, and the inventory report.
#pragma once

void use_object(int k, int player, int u);
// Merges a bag of florins with another of the same coin.
void merge_bag(int k);
// The coin class of a bag: 0 common, 1 bronze, 2 silver, 3 gold, 4 platinum,
// 5 royal.
int florin_ret(int k);
// The acting unit searches (x, y, z), whose scenery is code.  Searching turns
// the unit and may wake a ghoul, so it is built in core/actions/search.cpp,
// above movement and the creatures; nothing in this layer calls it.
void search_object(int code, int x, int y, int z);
void bash_container(int z, int x, int y, int player, int u);
void close_container(int c);
// Lists what the acting unit owns.
void inventory();
