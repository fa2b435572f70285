#include "ui/hud.h"

#include <algorithm>

#include "core/seed.h"
#include "items/inventory.h"
#include "ui/view_settings.h"

namespace {
constexpr int NEWEST_FIRST_LINE = 21;
int clamp_colour(int c) { return std::clamp(c, 0, 255); }
void set4(int (&r)[4], int a, int b, int c, int d) { r[0] = a, r[1] = b, r[2] = c, r[3] = d; }
}  // namespace

std::string screen_text(const char* text) {
  std::string shown;
  if (!text) return shown;
  while (*text == '\n' || *text == '\r') text++;
  for (; *text; text++) {
    unsigned char c = static_cast<unsigned char>(*text);
    if (c == '\t')
      shown += ' ';
    else if (c >= 32 && c != 127)
      shown += static_cast<char>(c);
  }
  return shown;
}

message_line_place message_line_at(int row, int span, int arrow_w) {
  // A few pixels between the arrows and the first letter.
  return {arrow_w + 5, row * 15, row == span ? 20 : 16};
}

bool scroll_message_panel(int step) {
  int next = M_box[0] + step;
  if (next > NEWEST_FIRST_LINE) {
    M_box[0] = NEWEST_FIRST_LINE;
    return false;
  }
  if (next < 0) {
    M_box[0] = 0;
    return false;
  }
  M_box[0] = next;
  return true;
}

gauge_layout status_gauges(unit_record& u, int w, int h) {
  gauge_layout g{};
  int d = h / 100, o = 20;
  int m = std::max(u.movement, 100);
  if (u.moves < 0) u.moves = 0;
  int mv = u.moves;
  set4(g.move_fill, w / 2 - m / 2 - 1, d + o + 1, w / 2 + m / 2 + 1, 4 * d + o - 1);
  set4(g.move_frame, w / 2 - m / 2 - 2, d + o, w / 2 + m / 2 + 2, 4 * d + o);
  set4(g.move_bar, w / 2 - mv / 2, d + o + 2, w / 2 + mv / 2, 4 * d + o - 2);
  g.move_colour[0] = clamp_colour(m - mv + 50);
  g.move_colour[1] = clamp_colour(mv - m + 255);
  g.move_colour[2] = 100;
  g.poisoned = u.status == UNIT_POISONED;
  int hp = u.health;
  set4(g.health_frame, w / 2 - 78, 5 * d + o + 1, w / 2 + 78, 8 * d + o);
  set4(g.health_fill, w / 2 - 77, 5 * d + o + 2, w / 2 + 77, 8 * d + o - 1);
  set4(g.health_bar, w / 2 - hp / 2 - 1, 5 * d + o + 3, w / 2 + hp / 2 + 1, 8 * d + o - 2);
  g.health_colour[0] = clamp_colour(150 - hp);
  g.health_colour[1] = clamp_colour(hp + 150);
  g.health_colour[2] = 100;
  return g;
}

int carried_icon_column(int player, int u, int out[12]) {
  int (*const queries[])(int, int) = {carry_weapon, carry_armour, carry_shield,   carry_head,
                                      carry_feet,   carry_key,    carry_backpack, carry_lit_torch,
                                      carry_fairy,  carry_arms,   carry_legs};
  int n = 0;
  for (auto q : queries) {
    int o = q(player, u);
    if (o > 0) out[n++] = o;
  }
  return n;
}

namespace {
constexpr int READOUT_GAP = 12;

std::string ladder_mark(const unit_record& u) {
  if (!on_grid(u.z, u.x, u.y)) return "";
  switch (map[u.z][u.x][u.y].scenery) {
    case SCENERY_LADDER_UP:
      return "LADDER UP";
    case SCENERY_LADDER_DOWN:
    case SCENERY_TRAPDOOR:
      return "LADDER DOWN";
    case SCENERY_STAIRS_BOTH_WAYS:
      return "LADDER UP/DOWN";
    default:
      return "";
  }
}
}  // namespace

status_readout status_readout_for(const unit_record& u, const gauge_layout& g) {
  status_readout r;
  r.level = "LEVEL " + std::to_string(u.z);
  r.ladder = ladder_mark(u);
  r.moves = std::to_string(std::max(u.moves, 0)) + " / " + std::to_string(u.movement);
  r.health = std::to_string(u.health);
  int left = std::min(g.move_frame[0], g.health_frame[0]);
  int right = std::max(g.move_frame[2], g.health_frame[2]);
  r.left_x = left - READOUT_GAP;
  r.right_x = right + READOUT_GAP;
  r.move_y = g.move_frame[1];
  r.health_y = g.health_frame[1];
  return r;
}

bool DIAGNOSTICS_LINE = false;

std::string fps_line(int fps) {
  std::string line = "FPS: " + std::to_string(fps) + " ";
  std::string seed = seed_label();
  if (!seed.empty()) line += " " + seed;
  return line;
}

bool gauge_label_light(const int (&bar)[4], int middle_x, int half_width) {
  return bar[0] > middle_x - half_width || bar[2] < middle_x + half_width;
}
