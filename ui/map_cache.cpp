#include "ui/map_cache.h"

#include "core/world.h"

namespace {

bool inside(int z, int x, int y) {
  return on_grid(z, x, y) && x <= MAX_LAND_SIZE_X && y <= MAX_LAND_SIZE_Y;
}

// Calls fn(x, y) for the squares of the view grown by ring on every side.
template <typename F>
void each_square(const view_place& p, int ring, F fn) {
  for (int y = p.origin_y - ring; y < p.origin_y + p.rows + ring; y++)
    for (int x = p.origin_x - ring; x < p.origin_x + p.cols + ring; x++) fn(x, y);
}

}  // namespace

std::vector<int32_t> background_inputs(const view_place& place) {
  std::vector<int32_t> in;
  in.reserve(static_cast<std::size_t>((place.cols + 2) * (place.rows + 2) * 6));
  // Neighbours one square away shape a square's picture (wall sides, edges,
  // shades), so the ring around the view counts too.
  each_square(place, 1, [&](int x, int y) {
    if (!inside(place.z, x, y)) {
      in.insert(in.end(), {-1, TERRAIN_ROCK, 0, 0, 0, 0});
      return;
    }
    const map_cell& m = map[place.z][x][y];
    const environment_cell& e = environment[place.z][x][y];
    in.insert(in.end(), {m.revealed, m.terrain, m.scenery, m.wall_variant, e.lava, e.track});
  });
  return in;
}

std::vector<int32_t> sight_inputs(const view_place& place, int player, bool lit_everywhere) {
  std::vector<int32_t> in;
  in.reserve(static_cast<std::size_t>(place.cols * place.rows * 4));
  each_square(place, 0, [&](int x, int y) {
    if (!inside(place.z, x, y)) {
      in.insert(in.end(), {-1, 0, 0, 0});
      return;
    }
    const map_cell& m = map[place.z][x][y];
    bool lit = lit_everywhere || environment[place.z][x][y].zone == ZONE_METAL_ROOM;
    in.insert(in.end(), {m.revealed, m.terrain, m.occupant_player == player ? 1 : 0, lit ? 1 : 0});
  });
  return in;
}

bool kept_layer::stale(const view_place& place, std::vector<int32_t>&& inputs) {
  bool same = valid && place == drawn_for && inputs == drawn_from;
  drawn_for = place;
  drawn_from = std::move(inputs);
  valid = true;
  return !same;
}
