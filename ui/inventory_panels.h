// The inventory panels as plain decisions: what each lists, how a list too
// long for one panel is paged, where a panel reaches and which line lies
// under the pointer.  The drawing loops in inventory_allegro.cpp ask these.
#pragma once

#include <string>
#include <vector>

// Every panel is this wide, with 10-pixel lines starting 10 pixels below its
// top; it stays open while the pointer is within a small margin around it.
constexpr int PANEL_WIDTH = 200;
constexpr int PANEL_LINE = 10;
constexpr int PANEL_MARGIN = 3;
constexpr int ACTION_MENU_HEIGHT = 120;
// A list answers on this many lines.  A longer list is shown in pages: the
// items of a page take all but the last of those lines, which turns the page.
constexpr int LIST_LINES = 9;
constexpr int PAGE_ITEMS = LIST_LINES - 1;

struct panel_box {
  int left, top, height;
};

// True while the pointer is still on the panel or within its margin.
bool panel_keeps_open(const panel_box& b, int mouse_x, int mouse_y);
// The line (1..lines) under the pointer, 0 on the title or past the lines.
int panel_line_at(const panel_box& b, int mouse_y, int lines);

// ---------------------------------------------------------------------------
// The action menu of the inventory button
// ---------------------------------------------------------------------------
struct action_row {
  const char* text;
  int code;  // the mode handed to mouse_box_choice
};
constexpr int ACTION_ROWS = 10;
extern const action_row INVENTORY_MENU_ROWS[ACTION_ROWS];
// The "STORE" line is written only when the acting unit faces a container;
// it answers clicks either way.
bool store_row_shown();

// ---------------------------------------------------------------------------
// The lists
// ---------------------------------------------------------------------------
enum list_kind { ITEM_LIST, BACKPACK_LIST, GIVE_LIST };

struct list_entry {
  int object;
  std::string text;
};

// The items of unit (player, u) that the list shows, in index order.
std::vector<list_entry> list_entries(list_kind kind, int player, int u);
// The text of one item's line in the list.
std::string list_line_text(list_kind kind, int k);
// Every item the unit owns, whatever its place.
int owned_count(int player, int u);

// The unit standing on (x, y, z) that the give list hands items to; false
// when nobody, or only the acting unit itself, stands there.
bool give_receiver(int x, int y, int z, int& player, int& u);

// One page of a list as the panel shows it.
struct list_page {
  std::vector<list_entry> lines;  // the items on this page
  bool paged = false;             // the last line turns the page
  int page = 0, pages = 1;
  int height = 20;  // of the panel
};
// Page page (wrapped into range) of entries; owned is the number of items the
// unit owns, which sets the panel's height as it always has (at most ten
// lines), though never below the lines shown.
list_page make_list_page(const std::vector<list_entry>& entries, int page, int owned);
// The text of the page-turning line.
std::string page_line_text(const list_page& p);

// What a click on a line of a page means.
enum class list_click { nothing, item, next_page };
list_click list_click_at(const list_page& p, int line, int& object);

// ---------------------------------------------------------------------------
// The object menu of one carried item
// ---------------------------------------------------------------------------
enum class object_action {
  drop,
  wear,
  equip,
  remove,
  unequip,
  use,
  pack,
  backpack,
  examine,
  store
};
struct object_row {
  std::string text;
  object_action action;
};
// The rows offered for item k of the acting unit.
std::vector<object_row> object_menu_rows(int k);
// What a chosen row does to item k of the acting unit; the backpack row opens
// a panel, which is the caller's to draw.
void do_object_action(object_action action, int k);
int object_menu_height(int rows);
