#include "ui/text_stack.h"

#include <algorithm>

constexpr const char* WARNING_PROMPT = "PRESS <SPACE> TO CONTINUE";
constexpr int WARNING_MARGIN = 24;
constexpr int WARNING_BOTTOM_GAP = 12;

int stack_lines(std::vector<stacked_line>& lines, int width, int margin, const text_metrics& m) {
  int bottom = 0;
  const int room = std::max(1, width - 2 * margin);
  for (stacked_line& l : lines) {
    while (l.size > SMALLEST_TEXT_SIZE && m.width(l.text, l.size) > room) l.size--;
    l.y = std::max(l.y, bottom);
    bottom = l.y + m.height(l.size);
  }
  return bottom;
}

warning_box_layout lay_out_warning_box(const std::string (&lines)[6], int size, int width,
                                       int min_height, const text_metrics& m,
                                       const std::string& footnote) {
  warning_box_layout box;
  const int asked = size == 0 ? 12 : size;
  for (int i = 0; i < 6; i++) box.lines.push_back({lines[i], asked, 10 * (i + 1)});
  box.lines.push_back({WARNING_PROMPT, 14, 75});
  if (!footnote.empty()) box.lines.push_back({footnote, FOOTNOTE_SIZE, 92});
  int bottom = stack_lines(box.lines, width, WARNING_MARGIN, m);
  box.height = std::max(min_height, bottom + WARNING_BOTTOM_GAP);
  return box;
}
