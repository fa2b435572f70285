// Lines of text in a box laid out so that none overlaps the next and none
// runs past the box's sides, whatever the font makes of the sizes asked for.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct stacked_line {
  std::string text;
  int size;  // font size asked for; made smaller when the text is too wide
  int y;     // top of the line: the place asked for, moved down when the line
             // above would overlap it
};

struct text_metrics {
  std::function<int(const std::string& text, int size)> width;
  std::function<int(int size)> height;
};

constexpr int SMALLEST_TEXT_SIZE = 8;

// Lays out lines top to bottom within a box width wide with margin on each
// side.  A blank line keeps its room like any other.  Returns the bottom of
// the last line.
int stack_lines(std::vector<stacked_line>& lines, int width, int margin, const text_metrics& m);

// The warning box: six lines asked at size (12 when 0) 10 pixels apart from
// y 10, the prompt at size 14 at y 75 and, when there is one, the footnote in
// small print under it, in a parchment width wide that grows from min_height
// to hold them.
constexpr int FOOTNOTE_SIZE = 10;
struct warning_box_layout {
  std::vector<stacked_line> lines;  // the six lines, the prompt, the footnote
  int height;
};
warning_box_layout lay_out_warning_box(const std::string (&lines)[6], int size, int width,
                                       int min_height, const text_metrics& m,
                                       const std::string& footnote = "");
