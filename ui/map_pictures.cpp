#include "ui/map_pictures.h"

#include "core/world.h"

int stored_level_kind(int z) { return on_grid(z, 0, 0) ? environment[z][0][0].gas : 0; }

int wall_top_edge_picture(int z) {
  return stored_level_kind(z) == LEVEL_TYPE_CAVERN ? PICTURE_CAVE_WALL_EDGE : PICTURE_WALL_EDGE;
}
