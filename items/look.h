// Looking around: what lies under and ahead of the acting unit, on a square,
// and what an item is.
#pragma once

#include <string>

void look();
// Lists the items lying on (x, y, z).
void look_at_object(int x, int y, int z);
// Shows an item's description.
void display_item_desc(int k);

// The mark an item's place adds to its name in the inventory report.
const char* status_mark(int status);

// Item lists longer than a message line are shown in pieces of at most this
// many characters; each later piece starts with two spaces.
constexpr int LIST_PIECE_WIDTH = 70;
// Shows head followed by the names, each with ", ", then tail.
void show_item_names(const std::string& head, const std::string names[], int count,
                     const std::string& tail);
