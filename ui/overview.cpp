#include "ui/overview.h"

#include <algorithm>

#include "core/movecost.h"
#include "core/world.h"

namespace {

constexpr int TITLE_ROOM = 34, HELP_ROOM = 30, SIDE_ROOM = 10;

bool is_door(int terrain) {
  switch (terrain) {
    case TERRAIN_CLOSED_DOOR:
    case TERRAIN_OPEN_DOOR:
    case TERRAIN_METAL_DOOR_CLOSED:
    case TERRAIN_METAL_DOOR_OPEN:
    case TERRAIN_SMASHED_DOOR:
      return true;
    default:
      return false;
  }
}

}  // namespace

overview_square overview_at(int player, int z, int x, int y) {
  overview_square s;
  if (!on_grid(z, x, y)) return s;
  const map_cell& c = map[z][x][y];
  // The party always knows where its own members stand.
  if (c.occupant_player == player && c.occupant_unit > 0) {
    s.mark = OVERVIEW_PARTY;
    s.in_view = c.revealed == 1;
    return s;
  }
  if (c.revealed == 0) return s;
  s.in_view = c.revealed == 1;
  if (s.in_view && c.occupant_player > 0 && c.occupant_unit > 0)
    s.mark = OVERVIEW_CREATURE;
  else if (c.scenery == SCENERY_LADDER_UP || c.scenery == SCENERY_STAIRS_BOTH_WAYS)
    s.mark = OVERVIEW_WAY_UP;
  else if (c.scenery == SCENERY_LADDER_DOWN || c.scenery == SCENERY_TRAPDOOR)
    s.mark = OVERVIEW_WAY_DOWN;
  else if (is_door(c.terrain))
    s.mark = OVERVIEW_DOOR;
  else if (environment[z][x][y].lava != 0)
    s.mark = OVERVIEW_LAVA;
  else if (environment[z][x][y].water != 0)
    s.mark = OVERVIEW_WATER;
  else if (terrain_blocks(c.terrain))
    s.mark = OVERVIEW_WALL;
  else
    s.mark = OVERVIEW_FLOOR;
  return s;
}

overview_layout lay_out_overview(int w, int h) {
  overview_layout lay;
  int across = (w - 2 * SIDE_ROOM) / LAND_SIZE, down = (h - TITLE_ROOM - HELP_ROOM) / LAND_SIZE;
  lay.cell = std::max(1, std::min(across, down));
  lay.left = (w - lay.cell * LAND_SIZE) / 2;
  lay.top = TITLE_ROOM + (h - TITLE_ROOM - HELP_ROOM - lay.cell * LAND_SIZE) / 2;
  return lay;
}

bool overview_square_at(const overview_layout& lay, int px, int py, int& x, int& y) {
  if (px < lay.left || py < lay.top) return false;
  x = (px - lay.left) / lay.cell;
  y = (py - lay.top) / lay.cell;
  return x < LAND_SIZE && y < LAND_SIZE;
}
