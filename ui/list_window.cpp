#include "ui/list_window.h"

#include <algorithm>

#include "core/message_log.h"
#include "ui/help.h"

int list_scroll(int top, int rows, int page, list_move move) {
  page = std::max(1, page);
  const int last = std::max(0, rows - page);
  switch (move) {
    case LIST_LINE_UP:
      top--;
      break;
    case LIST_LINE_DOWN:
      top++;
      break;
    case LIST_PAGE_UP:
      top -= page;
      break;
    case LIST_PAGE_DOWN:
      top += page;
      break;
    case LIST_HOME:
      top = 0;
      break;
    case LIST_END:
      top = last;
      break;
    case LIST_STAY:
    case LIST_CLOSE:
      break;
  }
  return std::clamp(top, 0, last);
}

std::vector<std::string> message_history_rows(int width, int size, const text_metrics& m) {
  std::vector<std::string> rows;
  if (int dropped = message_log_dropped(); dropped > 0)
    rows.push_back("(" + std::to_string(dropped) + " older lines are no longer kept)");
  for (int i = 0; i < message_log_size(); i++)
    for (std::string& r : wrap_words(message_log_text(message_log_line(i)), width, size, m))
      rows.push_back(std::move(r));
  if (rows.empty()) rows.push_back("(nothing has been said yet)");
  return rows;
}

list_geometry lay_out_list(int w, int h, const text_metrics& m) {
  constexpr int MARGIN = 20, TITLE_SIZE = 24, PROMPT_SIZE = 12;
  list_geometry g{};
  g.size = h >= 700 ? 18 : 16;
  g.line_h = m.height(g.size);
  g.title_y = MARGIN;
  g.rows_y = g.title_y + m.height(TITLE_SIZE) + MARGIN / 2;
  g.prompt_y = h - MARGIN - m.height(PROMPT_SIZE);
  g.text_x = MARGIN + 10;
  g.text_w = w - 2 * g.text_x;
  g.page = std::max(1, (g.prompt_y - MARGIN / 2 - g.rows_y) / std::max(1, g.line_h));
  return g;
}
