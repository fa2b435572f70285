// Which layers of the map view can be kept from one frame to the next.  The
// background (floors, walls, doors, tracks) and the darkness mask change only
// when the view moves or a square they are drawn from changes; a kept layer
// records what it was drawn from and is redrawn when any of that differs.
#pragma once

#include <cstdint>
#include <vector>

// The window onto the level a layer was drawn for.
struct view_place {
  int z = 0;
  int origin_x = 0, origin_y = 0;  // square shown in the top left tile
  int cols = 0, rows = 0;          // tiles drawn each way
  int tile = 0;                    // pixels of one tile
  int extra = 0;                   // whatever else the whole layer depends on
  bool operator==(const view_place&) const = default;
};

// What the background reads of every square in the view and of the ring
// around it: ground, scenery, sight, wall kind, lava and track.  A square off
// the level gives fixed values, as it is drawn as rock.
std::vector<int32_t> background_inputs(const view_place& place);
// What the darkness mask reads of every square in the view: sight, ground,
// whether a party member (of player) stands there, whether the square is
// lit.  lit_everywhere: the acting unit carries a light or the level is lit.
std::vector<int32_t> sight_inputs(const view_place& place, int player, bool lit_everywhere);

// One kept layer: stale until drawn, and again whenever its place or inputs
// differ from those it was drawn from.
class kept_layer {
 public:
  // True when the layer must be drawn anew for place and inputs; records
  // them as the ones it will have been drawn from.
  bool stale(const view_place& place, std::vector<int32_t>&& inputs);
  // Forget what it was drawn from (its picture is gone or no longer trusted).
  void forget() { valid = false; }

 private:
  bool valid = false;
  view_place drawn_for;
  std::vector<int32_t> drawn_from;
};
