#include "ui/help.h"

#include <algorithm>
#include <iterator>

#include "ui/input.h"

namespace {

constexpr int HELP_MARGIN = 20;
constexpr int NAME_GAP = 12;
constexpr int HELP_INDENT = 16;
constexpr int LARGEST_HELP_SIZE = 20;

struct section {
  const char* heading;
  std::vector<help_entry> entries;
};
using column = std::vector<section>;

placed_text measured(const std::string& text, help_role role, int size, int x, int y,
                     const text_metrics& m) {
  return {text, role, size, x, y, m.width(text, size), m.height(size)};
}

// Lays one column out from top at size; false when a text runs past the
// column's right edge or the column past bottom.
bool lay_out_column(const column& c, int left, int width, int top, int bottom, int size,
                    const text_metrics& m, std::vector<placed_text>& out) {
  int line = m.height(size);
  int y = top;
  int name_w = 0;
  for (const section& s : c)
    for (const help_entry& e : s.entries) name_w = std::max(name_w, m.width(e.name, size));
  // Beside the names when every one fits there, else each under its name,
  // indented: a column read one way throughout.
  bool beside = true;
  for (const section& s : c)
    for (const help_entry& e : s.entries)
      beside &= left + name_w + NAME_GAP + m.width(e.what, size) <= left + width;
  bool fits = true;
  for (const section& s : c) {
    if (y != top) y += line / 2;
    out.push_back(measured(s.heading, HELP_ROLE_HEADING, size + 2, left, y, m));
    y += m.height(size + 2) + line / 3;
    for (const help_entry& e : s.entries) {
      out.push_back(measured(e.name, HELP_ROLE_NAME, size, left, y, m));
      int what_x = left + name_w + NAME_GAP;
      if (!beside) {
        y += line;
        what_x = left + HELP_INDENT;
      }
      out.push_back(measured(e.what, HELP_ROLE_WHAT, size, what_x, y, m));
      if (what_x + m.width(e.what, size) > left + width) fits = false;
      y += line;
    }
  }
  return fits && y <= bottom;
}

// The first `first` keys in the first column; the rest run on into the
// second, above the clicks.
void split_keys(const std::vector<help_entry>& keys, const std::vector<help_entry>& clicks,
                std::size_t first, column (&columns)[2]) {
  columns[0] = {{"KEYS", {keys.begin(), keys.begin() + static_cast<long>(first)}}};
  columns[1].clear();
  if (first < keys.size())
    columns[1].push_back({"MORE KEYS", {keys.begin() + static_cast<long>(first), keys.end()}});
  columns[1].push_back({"MOUSE", clicks});
}

}  // namespace

std::vector<help_entry> help_key_entries() {
  std::vector<help_entry> list;
  // Keys that do the same (F1 and ?, a keypad key and its alias) share a line:
  // "F1 / ?".
  for (int i = 0; i < KEY_COMMAND_COUNT; i++) {
    const key_command& c = KEY_COMMANDS[i];
    if (!list.empty() && list.back().what == c.what)
      list.back().name += std::string(" / ") + c.name;
    else
      list.push_back({c.name, c.what});
  }
  return list;
}

std::vector<help_entry> help_mouse_entries() {
  std::vector<help_entry> list;
  for (int i = 0; i < MOUSE_COMMAND_COUNT; i++)
    list.push_back({MOUSE_COMMANDS[i].name, MOUSE_COMMANDS[i].what});
  return list;
}

std::string help_text() {
  std::string text;
  for (const auto& list : {help_key_entries(), help_mouse_entries()})
    for (const help_entry& e : list) text += e.name + "  " + e.what + "\n";
  return text;
}

// The frame both pages share: the title above, the prompt below, and the
// rows between them the page's text may use.
struct page_frame {
  int top, bottom, prompt_y;
};
constexpr int TITLE_SIZE = 28, PROMPT_SIZE = 16;

static page_frame frame_of(int screen_h, const text_metrics& m) {
  const int prompt_y = screen_h - HELP_MARGIN - m.height(PROMPT_SIZE);
  return {HELP_MARGIN + m.height(TITLE_SIZE) + HELP_MARGIN / 2, prompt_y - HELP_MARGIN / 2,
          prompt_y};
}

static void add_title_and_prompt(help_layout& lay, const std::string& title_text,
                                 const std::string& prompt_text, int screen_w, const page_frame& f,
                                 const text_metrics& m) {
  placed_text title = measured(title_text, HELP_ROLE_TITLE, TITLE_SIZE, 0, HELP_MARGIN, m);
  title.x = screen_w / 2 - title.w / 2;
  placed_text prompt = measured(prompt_text, HELP_ROLE_PROMPT, PROMPT_SIZE, 0, f.prompt_y, m);
  prompt.x = screen_w / 2 - prompt.w / 2;
  lay.texts.push_back(title);
  lay.texts.push_back(prompt);
}

help_layout lay_out_help(int screen_w, int screen_h, const text_metrics& m) {
  const std::vector<help_entry> keys = help_key_entries(), clicks = help_mouse_entries();
  const int col_w = (screen_w - 3 * HELP_MARGIN) / 2;
  const page_frame f = frame_of(screen_h, m);
  help_layout lay{};
  column columns[2];
  // The largest size at which some run of keys into the second column fits.
  for (int size = LARGEST_HELP_SIZE; size >= SMALLEST_TEXT_SIZE; size--) {
    for (std::size_t first = keys.size(); first >= 1; first--) {
      split_keys(keys, clicks, first, columns);
      lay.texts.clear();
      lay.size = size;
      lay.fits = true;
      for (int i = 0; i < 2; i++)
        lay.fits &= lay_out_column(columns[i], HELP_MARGIN + i * (col_w + HELP_MARGIN), col_w,
                                   f.top, f.bottom, size, m, lay.texts);
      if (lay.fits) break;
    }
    if (lay.fits) break;
  }
  add_title_and_prompt(lay, HELP_TITLE, HELP_PROMPT, screen_w, f, m);
  return lay;
}

// Exact to the rules: every figure here is one the rules use.
const help_topic HOW_TO_PLAY[] = {
    {"THE GOAL",
     "Lead your party from level 0, deep underground, up the ladders to the way out on level "
     "10. U climbs up, D climbs down. The game is lost when the leader falls to -10 health."},
    {"TURNS",
     "Every action costs movement points (the MOVEMENT gauge). A member with none left hands "
     "play to the next (N does it at once); when nobody has any the turn ends (E ends it now) "
     "and then the creatures move."},
    {"FACING AND SIGHT",
     "A unit sees a cone in front of it and the squares beside it, but not behind. Turn with "
     "LEFT and RIGHT to look around: what is behind you may be unseen. Squares seen before stay "
     "dim, and no creature is shown on them."},
    {"WHAT COSTS MORE",
     "A step forward costs 10 points, a step back 15, a turn 3; a step into water costs twice "
     "as much. A step forward that ends beside an enemy first halves the points left. Nobody "
     "carrying more than 50 can cross quicksand."},
    {"FIGHTS",
     "Right-click an enemy beside you and choose HIT WITH WEAPON to attack it; right-click any "
     "square for every action on it. An attack ends the attacker's turn. Point at a square to read "
     "what is there and how hurt a creature looks."},
    {"LIGHT",
     "A lit torch widens what a unit sees. Carry a torch and use a fire (right-click it) or "
     "lava to light it; it burns down as the turns pass."},
    {"SAVING AND LOADING",
     "The LOAD / SAVE button saves the game or loads one; L loads. H shows every message of "
     "the game. Each finished game leaves a record beside the saves."},
};
const int HOW_TO_PLAY_COUNT = static_cast<int>(std::size(HOW_TO_PLAY));

std::vector<std::string> wrap_words(const std::string& text, int width, int size,
                                    const text_metrics& m) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && m.width(longer, size) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

help_layout lay_out_how_to_play(int screen_w, int screen_h, const text_metrics& m) {
  const page_frame f = frame_of(screen_h, m);
  const int text_w = screen_w - 2 * HELP_MARGIN - HELP_INDENT;
  help_layout lay{};
  for (int size = LARGEST_HELP_SIZE; size >= SMALLEST_TEXT_SIZE; size--) {
    lay.texts.clear();
    lay.size = size;
    int y = f.top, line = m.height(size);
    for (int i = 0; i < HOW_TO_PLAY_COUNT; i++) {
      lay.texts.push_back(
          measured(HOW_TO_PLAY[i].heading, HELP_ROLE_HEADING, size, HELP_MARGIN, y, m));
      y += line;
      for (const std::string& l : wrap_words(HOW_TO_PLAY[i].text, text_w, size, m)) {
        lay.texts.push_back(measured(l, HELP_ROLE_WHAT, size, HELP_MARGIN + HELP_INDENT, y, m));
        y += line;
      }
      y += line / 3;
    }
    lay.fits = y <= f.bottom;
    for (const placed_text& t : lay.texts) lay.fits &= t.x + t.w <= screen_w - HELP_MARGIN;
    if (lay.fits) break;
  }
  add_title_and_prompt(lay, HOW_TO_PLAY_TITLE, HOW_TO_PLAY_PROMPT, screen_w, f, m);
  return lay;
}

int wait_out_help(const std::function<bool()>& anything_down) {
  int asked = 0;
  auto ask = [&] {
    asked++;
    return anything_down();
  };
  while (ask()) {
  }
  while (!ask()) {
  }
  while (ask()) {
  }
  return asked;
}
