// The playing field: one window of the acting unit's level, composed layer
// by layer into TEMP_SCREEN and copied to the screen with the frame bars and
// the pointer.
//
// Speed: the main loop redraws on every pass, so a frame must be cheap.  The
// darkness mask is worked out first and every layer skips the tiles it will
// cover completely; turned pictures come from a cache instead of
// rotate_sprite; a sprite "lit" at light 0 is drawn as a plain sprite, which
// gives the same pixels at a fraction of the cost.  The background and the
// darkness mask are kept from frame to frame and drawn anew only when the
// view or a square they show changes (ui/map_cache.h says which), and both
// smoothing modes work on whole rows of integers.  Every shortcut gives the
// plain drawing's pixels exactly; set_plain_drawing turns them all off, so
// tests can compare the two.
#include <allegro.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/world.h"
#include "items/inventory.h"
#include "ui/alfont.h"
#include "ui/assets_allegro.h"
#include "ui/map_cache.h"
#include "ui/map_pictures.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

// ---------------------------------------------------------------------------
// Turned pictures
// ---------------------------------------------------------------------------

// The eight turns of a picture, made on first use.  Each copy has a margin on
// every side so that a diagonal turn keeps its corners.
struct turned_set {
  int margin = 0;
  unsigned last_frame = 0;  // the frame that last drew one of them
  std::array<owned_bitmap, 8> turn;
};
std::unordered_map<const BITMAP*, turned_set> rotation_cache;
unsigned frames_composed = 0;

// The cache holds what the view shows, not every creature met: the turns of
// a picture no frame has drawn for some seconds are dropped, and made again
// should it come back into view.
constexpr unsigned UNSEEN_FRAMES = 150;
void drop_unseen_turns() {
  frames_composed++;
  std::erase_if(rotation_cache, [](const auto& entry) {
    return frames_composed - entry.second.last_frame > UNSEEN_FRAMES;
  });
}

int turn_index(int angle) { return ((angle / 32) % 8 + 8) % 8; }

// The turned copy of src for angle, and the margin to subtract from the
// drawing position; null when it cannot be made.
BITMAP* turned_copy(BITMAP* src, int angle, int& margin) {
  turned_set& set = rotation_cache[src];
  set.last_frame = frames_composed;
  set.margin = std::max(src->w, src->h) / 4 + 2;
  margin = set.margin;
  owned_bitmap& slot = set.turn[turn_index(angle)];
  if (!slot) {
    slot.reset(create_bitmap(src->w + 2 * margin, src->h + 2 * margin));
    if (!slot) return nullptr;
    clear_to_color(slot.get(), bitmap_mask_color(slot.get()));
    rotate_sprite(slot.get(), src, margin, margin, itofix(turn_index(angle) * 32));
  }
  return slot.get();
}

enum class draw_kind { masked, translucent };

void draw_turned(BITMAP* dst, BITMAP* src, int x, int y, int angle, draw_kind kind) {
  if (!dst || !src) return;
  if (turn_index(angle) == 0) {
    if (kind == draw_kind::translucent)
      draw_trans_sprite(dst, src, x, y);
    else
      draw_sprite(dst, src, x, y);
    return;
  }
  int margin = 0;
  BITMAP* t = turned_copy(src, angle, margin);
  if (!t) return;
  if (kind == draw_kind::translucent)
    draw_trans_sprite(dst, t, x - margin, y - margin);
  else
    draw_sprite(dst, t, x - margin, y - margin);
}

// ---------------------------------------------------------------------------
// The level around the view
// ---------------------------------------------------------------------------

// Inside the level: the squares the view may draw.
bool in_level(int z, int x, int y) {
  return on_grid(z, x, y) && x <= MAX_LAND_SIZE_X && y <= MAX_LAND_SIZE_Y;
}
// Squares off the level count as rock.
int terrain_at(int z, int x, int y) {
  return in_level(z, x, y) ? map[z][x][y].terrain : TERRAIN_ROCK;
}
int revealed_at(int z, int x, int y) { return in_level(z, x, y) ? map[z][x][y].revealed : 0; }
bool rock_at(int z, int x, int y) { return terrain_at(z, x, y) == TERRAIN_ROCK; }
bool wall_or_built(int z, int x, int y) {
  int t = terrain_at(z, x, y);
  return t == TERRAIN_ROCK || t == TERRAIN_BUILT_WALL;
}
bool lava_at(int z, int x, int y) { return in_level(z, x, y) && environment[z][x][y].lava != 0; }
bool water_at(int z, int x, int y) { return in_level(z, x, y) && environment[z][x][y].water == 1; }

template <std::size_t N>
BITMAP* picture(bitmap_slot (&table)[N], int index) {
  return index >= 0 && index < static_cast<int>(N) ? table[index].get() : nullptr;
}
BITMAP* scenery_pic(int code) { return picture(scenery_bmp, code); }

// What one frame needs to know about the view, worked out once.
struct view_frame {
  int z = 0;
  int origin_x = 0, origin_y = 0;
  int cols = 0, rows = 0;  // tiles drawn: MAPTILES + 1 each way
  int tile = 48;
  bool light = false;  // the acting unit carries a light
  // Skip pictures the darkness mask will cover; off while a kept layer is
  // drawn, since it outlives the mask.
  bool cull = true;
  // Tiles with any see-through pixel in the darkness mask; the others end up
  // black whatever the layers draw there.
  std::vector<unsigned char> clear;
  // A picture that steps with the animation phase was drawn: the frame loop
  // draws again when the phase changes, and only then.
  bool animated = false;
};
view_frame frame;

// Draws with the plain Allegro calls only, no shortcut: the picture the fast
// paths must match.
bool plain_drawing = false;

// Time taken by each layer, kept only while a benchmark asks.
using profile_clock = std::chrono::steady_clock;
bool profiling = false;
std::map<std::string, std::vector<double>> profile;

bool tile_clear(int c, int r) {
  return c >= 0 && r >= 0 && c < frame.cols && r < frame.rows &&
         frame.clear[static_cast<std::size_t>(r * frame.cols + c)];
}
// True when some pixel of the view rectangle may still show after the mask.
bool area_shows(int x, int y, int w, int h) {
  if (!frame.cull) return true;
  int t = frame.tile;
  int c0 = std::max(0, x / t - (x < 0 ? 1 : 0)), r0 = std::max(0, y / t - (y < 0 ? 1 : 0));
  int c1 = std::min(frame.cols - 1, (x + w - 1) / t),
      r1 = std::min(frame.rows - 1, (y + h - 1) / t);
  for (int r = r0; r <= r1; r++)
    for (int c = c0; c <= c1; c++)
      if (tile_clear(c, r)) return true;
  return false;
}

// Where the layers draw: TEMP_SCREEN, or the kept background while it is
// drawn anew.
BITMAP* canvas = nullptr;

// Sprite calls through the mask test: a picture fully under darkness is not
// drawn at all.  A sprite lit at light 0 shows the same pixels as a plain
// one, under either blender.
void put(BITMAP* pic, int x, int y) {
  if (pic && area_shows(x, y, pic->w, pic->h)) draw_sprite(canvas, pic, x, y);
}
void put_turned(BITMAP* pic, int x, int y, int angle) {
  if (!pic) return;
  int m = std::max(pic->w, pic->h) / 4 + 2;
  if (area_shows(x - m, y - m, pic->w + 2 * m, pic->h + 2 * m))
    draw_turned(canvas, pic, x, y, angle, draw_kind::masked);
}
// True when the picture was drawn.
bool put_trans(BITMAP* pic, int x, int y, int angle = 0) {
  if (!pic) return false;
  int m = std::max(pic->w, pic->h) / 4 + 2;
  if (!area_shows(x - m, y - m, pic->w + 2 * m, pic->h + 2 * m)) return false;
  draw_turned(canvas, pic, x, y, angle, draw_kind::translucent);
  return true;
}
void put_lit(BITMAP* pic, int x, int y, int light) {
  if (!pic || !area_shows(x, y, pic->w, pic->h)) return;
  if (light == 0)
    draw_sprite(canvas, pic, x, y);
  else
    draw_lit_sprite(canvas, pic, x, y, light);
}
// Copied with no transparency, w by h pixels at most.
void copy_pic(BITMAP* pic, int x, int y, int w, int h) {
  if (!pic) return;
  w = std::min(w, pic->w);
  h = std::min(h, pic->h);
  if (area_shows(x, y, w, h)) blit(pic, canvas, 0, 0, x, y, w, h);
}

const unit_record& acting_unit() { return unit[CURRENT_PLAYER][CURRENT_UNIT]; }

// Calls fn(x, y, px, py, column, row) for every view tile inside the level.
template <typename F>
void for_each_tile(int cols, int rows, F fn) {
  for (int r = 0; r < rows; r++)
    for (int c = 0; c < cols; c++) {
      int x = frame.origin_x + c, y = frame.origin_y + r;
      if (!in_level(frame.z, x, y)) continue;
      fn(x, y, c * frame.tile, r * frame.tile, c, r);
    }
}

void trace_layer(const char* layer) {
  if (DEBUG_MODE == 2) std::printf("\n%d ALLEGRO DRAW_MAP finish %s\n", CURRENT_PLAYER, layer);
}

// ---------------------------------------------------------------------------
// The darkness mask
// ---------------------------------------------------------------------------

// The see-through runs of each row of the hole picture, so the mask can be
// cut by filling runs: where holes overlap, a clear part of one is never
// blackened again by the stippled rim of the next.
struct hole_runs {
  const BITMAP* source = nullptr;
  int w = 0, h = 0;
  std::vector<std::vector<std::pair<int, int>>> rows;  // [x0, x1) per row
};
hole_runs hole;

void measure_hole() {
  BITMAP* pic = sighthole_bmp.get();
  if (hole.source == pic && pic) return;
  hole = hole_runs{};
  hole.source = pic;
  if (!pic) return;
  hole.w = pic->w;
  hole.h = pic->h;
  hole.rows.resize(static_cast<std::size_t>(pic->h));
  int mask = bitmap_mask_color(pic);
  for (int y = 0; y < pic->h; y++) {
    int start = -1;
    for (int x = 0; x <= pic->w; x++) {
      bool clear = x < pic->w && getpixel(pic, x, y) == mask;
      if (clear && start < 0) start = x;
      if (!clear && start >= 0) {
        hole.rows[static_cast<std::size_t>(y)].push_back({start, x});
        start = -1;
      }
    }
  }
}

void mark_clear(int x0, int y0, int x1, int y1) {  // pixel box [x0, x1) x [y0, y1)
  int t = frame.tile;
  x0 = std::max(0, x0);
  y0 = std::max(0, y0);
  x1 = std::min(frame.cols * t, x1);
  y1 = std::min(frame.rows * t, y1);
  if (x0 >= x1 || y0 >= y1) return;
  for (int r = y0 / t; r <= (y1 - 1) / t; r++)
    for (int c = x0 / t; c <= (x1 - 1) / t; c++)
      frame.clear[static_cast<std::size_t>(r * frame.cols + c)] = 1;
}

// Cuts the hole picture (its see-through pixels only) into the mask at (x, y),
// limited to the top left w by h pixels of the picture.
void cut_hole(BITMAP* mask, int x, int y, int w, int h, int see_through) {
  int rows = std::min(h, hole.h);
  bool any = false;
  for (int r = 0; r < rows; r++)
    for (auto [a, b] : hole.rows[static_cast<std::size_t>(r)]) {
      b = std::min(b, w);
      if (a >= b) continue;
      hline(mask, x + a, y + r, x + b - 1, see_through);
      any = true;
    }
  if (any) mark_clear(x, y, x + std::min(w, hole.w), y + rows);
}

void cut_square(BITMAP* mask, int x, int y, int see_through) {
  rectfill(mask, x, y, x + frame.tile - 1, y + frame.tile - 1, see_through);
  mark_clear(x, y, x + frame.tile, y + frame.tile);
}

bool blocks_view(int terrain) {
  return terrain == TERRAIN_ROCK || terrain == TERRAIN_METAL_DOOR_CLOSED ||
         terrain == TERRAIN_BUILT_WALL || terrain == TERRAIN_EARTH ||
         terrain == TERRAIN_CLOSED_DOOR || terrain == TERRAIN_OPEN_DOOR;
}

// Works the mask out into MASK_SCREEN and records which tiles show.
void build_sight_mask() {
  BITMAP* mask = MASK_SCREEN.get();
  frame.clear.assign(static_cast<std::size_t>(frame.cols * frame.rows), 0);
  if (!mask) {  // no mask can be made: everything shows
    std::fill(frame.clear.begin(), frame.clear.end(), 1);
    return;
  }
  clear_bitmap(mask);
  measure_hole();
  int see_through = bitmap_mask_color(mask);
  int t = frame.tile;
  for_each_tile(frame.cols, frame.rows, [&](int x, int y, int px, int py, int, int) {
    const map_cell& m = map[frame.z][x][y];
    if (m.occupant_player == CURRENT_PLAYER) {
      // Every party member sees the 3 by 3 squares around it.
      cut_hole(mask, px - t, py - t, hole.w, hole.h, see_through);
      cut_hole(mask, px - t, py, hole.w, hole.h, see_through);
      cut_hole(mask, px, py - t, hole.w, hole.h, see_through);
      cut_hole(mask, px, py, hole.w, hole.h, see_through);
    }
    bool lit = frame.light || IS_GLOBAL_LIGHTING_ON == 1 ||
               environment[frame.z][x][y].zone == ZONE_METAL_ROOM;
    if ((m.revealed == 1 || m.revealed == 2) && lit) {
      // Walls and doors show exactly their own square; open floor gets the
      // soft hole, which spills a little over its edges.
      if (blocks_view(m.terrain))
        cut_square(mask, px, py, see_through);
      else
        cut_hole(mask, px - t / 2, py - t / 2, hole.w, hole.h, see_through);
    }
  });
}

// ---------------------------------------------------------------------------
// Background
// ---------------------------------------------------------------------------

// Rotation that puts a side picture against the wall on each side: west 0,
// north 64, east 128, south 192.
constexpr int SIDE_DX[4] = {-1, 0, 1, 0};
constexpr int SIDE_DY[4] = {0, -1, 0, 1};
constexpr int SIDE_ANGLE[4] = {0, 64, 128, 192};

void draw_floor(int z, int x, int y, int px, int py) {
  int t = map[z][x][y].terrain;
  if (t == TERRAIN_CLOSED_DOOR || t == TERRAIN_OPEN_DOOR || t == TERRAIN_ROCK) return;
  BITMAP* pic = picture(land_bmp, t);
  if (t == TERRAIN_STONE_FLOOR || t == TERRAIN_ROOM_FLOOR || t == TERRAIN_PASSAGE_FLOOR) {
    int angle = 0;
    if (rock_at(z, x + 1, y)) angle += 64;
    if (rock_at(z, x - 1, y)) angle -= 64;
    if (rock_at(z, x, y - 1)) angle -= 128;
    if (rock_at(z, x, y + 1)) angle += 128;
    put_turned(pic, px, py, angle);
  } else if (t == TERRAIN_WOODEN_FLOOR && rock_at(z, x, y + 1)) {
    put_turned(pic, px, py, 64);
  } else {
    put_lit(pic, px, py, 0);
  }
}

void draw_corridor_shade(int z, int x, int y, int px, int py) {
  const map_cell& m = map[z][x][y];
  if ((m.terrain != TERRAIN_STONE_FLOOR && m.terrain != TERRAIN_PASSAGE_FLOOR) || m.revealed == 1)
    return;
  for (int s = 0; s < 4; s++)
    if (rock_at(z, x + SIDE_DX[s], y + SIDE_DY[s]))
      put_turned(scenery_pic(59), px, py, SIDE_ANGLE[s]);
}

void draw_lava(int z, int x, int y, int px, int py) {
  if (!lava_at(z, x, y)) return;
  put_lit(scenery_pic(45), px, py, 0);
  for (int s = 0; s < 4; s++)
    if (!lava_at(z, x + SIDE_DX[s], y + SIDE_DY[s]))
      put_turned(scenery_pic(59), px, py, SIDE_ANGLE[s]);
}

void draw_floor_edges(int z, int x, int y, int px, int py) {
  if (map[z][x][y].terrain != TERRAIN_ROOM_FLOOR) return;
  struct corner {
    int dx, dy, picture;
  };
  static constexpr corner corners[4] = {{-1, 1, 55}, {-1, -1, 56}, {1, -1, 57}, {1, 1, 58}};
  for (const corner& c : corners)
    if (rock_at(z, x + c.dx, y) && rock_at(z, x, y + c.dy) && rock_at(z, x + c.dx, y + c.dy))
      put(scenery_pic(c.picture), px, py);
}

void draw_wall(int z, int x, int y, int px, int py) {
  const map_cell& m = map[z][x][y];
  if (m.terrain != TERRAIN_ROCK) return;
  int t = frame.tile;
  BITMAP* tall = wall_bmp[2].get();
  // The taller wall only when a picture that tall was supplied.
  if (m.wall_variant == 1 && tall && tall->h >= t + t / 2)
    copy_pic(tall, px, py - t / 2, t, t + t / 2);
  else
    copy_pic(wall_bmp[1].get(), px, py, t, t);
}

void draw_doors_and_windows(int z, int x, int y, int px, int py) {
  const map_cell& m = map[z][x][y];
  bool south_wall = wall_or_built(z, x, y + 1);
  bool north_wall = wall_or_built(z, x, y - 1);
  BITMAP* pic = nullptr;
  bool plain = false;
  switch (m.terrain) {
    case TERRAIN_WINDOW:
      pic = picture(land_bmp, 4), plain = south_wall;
      break;
    case TERRAIN_METAL_DOOR_CLOSED:
      pic = door_bmp[6].get(), plain = !south_wall;
      break;
    case TERRAIN_METAL_DOOR_OPEN:
      pic = door_bmp[7].get(), plain = !north_wall;
      break;
    case TERRAIN_CLOSED_DOOR:
      if (m.scenery == SCENERY_CELL_DOOR)
        pic = door_bmp[5].get(), plain = north_wall;
      else
        pic = door_bmp[3].get(), plain = south_wall;
      break;
    case TERRAIN_SMASHED_DOOR:
      pic = picture(land_bmp, 22), plain = south_wall;
      break;
    case TERRAIN_OPEN_DOOR:
      pic = door_bmp[1].get(), plain = south_wall;
      break;
    default:
      return;
  }
  put_turned(pic, px, py, plain ? 0 : 64);
}

void draw_wall_tops(int z, int x, int y, int px, int py) {
  if (!wall_or_built(z, x, y)) return;
  BITMAP* edge = scenery_pic(wall_top_edge_picture(z));
  constexpr int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0}, angle[4] = {0, 64, 128, -64};
  for (int s = 0; s < 4; s++) {
    int nx = x + dx[s], ny = y + dy[s];
    if (!wall_or_built(z, nx, ny) && revealed_at(z, nx, ny) != 0)
      put_turned(edge, px, py, angle[s]);
  }
}

void background_first_pass(int x, int y, int px, int py) {
  int z = frame.z;
  draw_floor(z, x, y, px, py);
  draw_corridor_shade(z, x, y, px, py);
  draw_lava(z, x, y, px, py);
  draw_floor_edges(z, x, y, px, py);
  draw_wall(z, x, y, px, py);
  draw_doors_and_windows(z, x, y, px, py);
  int scenery = map[z][x][y].scenery;
  if (scenery == SCENERY_SECRET_HIDDEN) put(wall_bmp[1].get(), px, py);
  if (scenery == SCENERY_TRAPDOOR) put(scenery_pic(62), px, py);
  draw_wall_tops(z, x, y, px, py);
}

// The mine track: straight (1), curve (6) and buffer (7) pieces.
void draw_track(int z, int x, int y, int px, int py) {
  struct piece {
    int picture, angle;
  };
  constexpr piece S0{1, 0}, S64{1, 64}, C0{6, 0}, C64{6, 64}, C128{6, 128}, C192{6, 192};
  static const std::vector<piece> pieces[16] = {
      {},
      {S0},
      {S64},
      {C128},
      {C192},
      {C64},
      {C0},
      {{7, 0}},
      {{7, 128}},
      {{7, 64}},
      {{7, 192}},
      {C0, C128, C64, C192},
      {C128, C192, S64},
      {C0, C192, S0},
      {C64, C0, S64},
      {C128, C64, S0},
  };
  int track = environment[z][x][y].track;
  if (track < 1 || track > 15) return;
  for (const piece& p : pieces[track]) put_turned(scenery_pic(p.picture), px, py, p.angle);
  // A closed door across the track gets the lintel over the rails.
  if (map[z][x][y].terrain == TERRAIN_CLOSED_DOOR && (track == TRACK_NS || track == TRACK_EW))
    put_turned(scenery_pic(82), px, py, track == TRACK_NS ? 64 : 0);
}

void background_second_pass(int x, int y, int px, int py) {
  int z = frame.z, t = frame.tile;
  const map_cell& m = map[z][x][y];
  if (m.scenery == 1 && m.revealed == 1) put(scenery_pic(1), px - t / 2, py - t / 2);
  if (m.scenery == SCENERY_SECRET_FOUND && m.revealed == 1)
    put_turned(scenery_pic(20), px, py, rock_at(z, x + 1, y) ? 0 : 64);
  if (m.scenery == SCENERY_FILLED_PIT || m.scenery == SCENERY_PIT || m.scenery == SCENERY_QUICKSAND)
    put(scenery_pic(m.scenery), px, py);
  if (m.scenery == SCENERY_LADDER_DOWN) put_turned(scenery_pic(34), px, py, 128);
  if (m.scenery == SCENERY_LADDER_UP) put(scenery_pic(34), px - 12, py - 12);
  draw_track(z, x, y, px, py);
}

// ---------------------------------------------------------------------------
// Midground
// ---------------------------------------------------------------------------

// How a scenery code is drawn: its picture, its lift (in quarter tiles up, or
// a half-tile shift up and left) and its turn.
struct scenery_look {
  int code, picture;
  int lift;  // 0 none, 2 half a tile up, 4 a tile up, -1 half a tile up and left
  int angle;
};
constexpr scenery_look FIRST_SCENERY[] = {
    {89, 89, 0, 0},  {43, 43, 0, 0},  {85, 85, 0, 128}, {86, 86, 0, 0}, {80, 80, 0, 0},
    {81, 80, 0, 64}, {16, 16, 0, 0},  {23, 16, 0, 0},   {21, 21, 0, 0}, {24, 24, 0, 0},
    {63, 63, 0, 0},  {79, 31, 0, 0},  {3, 3, 4, 0},     {4, 4, 4, 0},   {19, 19, 0, 0},
    {5, 5, 0, 0},    {12, 12, 2, 0},  {7, 7, 0, 0},     {10, 10, 4, 0}, {8, 8, 2, 0},
    {9, 9, -1, 0},   {25, 25, -1, 0}, {14, 14, 2, 0},   {15, 15, 0, 0},
};
constexpr scenery_look LATER_SCENERY[] = {
    {29, 29, 0, 0}, {90, 90, 0, 0}, {91, 91, 0, 0}, {101, 101, 0, 0},  {20, 20, 2, 0},
    {31, 31, 4, 0}, {93, 93, 0, 0}, {94, 94, 0, 0}, {110, 85, 0, 128},
};

void draw_scenery_look(const scenery_look& look, int px, int py) {
  int t = frame.tile;
  int x = px, y = py;
  if (look.lift == -1)
    x -= t / 2, y -= t / 2;
  else
    y -= look.lift * t / 4;
  put_turned(scenery_pic(look.picture), x, y, look.angle);
}

void draw_container(int z, int x, int y, int px, int py) {
  int k = which_container(z, x, y);
  if (k < 1 || k >= CONTAINER_SLOTS) return;
  const container_record& c = container[k];
  int angle = c.facing * 32;
  bool open = c.state == CONTAINER_OPEN;
  switch (c.type) {
    case CONTAINER_SMALL_CHEST:
      put_turned(scenery_pic(open ? 18 : 17), px, py, angle);
      break;
    case CONTAINER_LARGE_CHEST:
      put_turned(scenery_pic(open ? 88 : 87), px, py, angle);
      break;
    case CONTAINER_WARDROBE:
      put_turned(scenery_pic(open ? 113 : 112), px, py, angle);
      break;
    case CONTAINER_BOULDER:
      put(scenery_pic(27), px, py);
      break;
    case CONTAINER_BARREL:
      if (c.state == 1)
        put(scenery_pic(96), px, py);
      else if (c.state > 1)
        put_lit(scenery_pic(97), px, py, 0);
      break;
    default:
      break;
  }
  if (c.locked == 2) put_turned(scenery_pic(111), px, py, angle);
}

void draw_fire(int px, int py) {
  set_add_blender(255, 255, 255, 255);
  if (put_trans(scenery_pic(35 + std::clamp(ticks, 0, 3)), px - 24, py - 24)) frame.animated = true;
}

void draw_mine_cart(int z, int x, int y, int px, int py) {
  int angle = 0;
  switch (environment[z][x][y].track) {
    case 2:
      angle = 64;
      break;
    case 3:
    case 6:
      angle = 32;
      break;
    case 4:
    case 5:
      angle = 96;
      break;
    default:
      break;
  }
  put_turned(scenery_pic(83), px, py, angle);
}

void draw_water(int z, int x, int y, int px, int py) {
  set_trans_blender(25, 25, 150, 205);
  if (map[z][x][y].revealed != 1)
    put_trans(scenery_pic(70), px, py);
  else if (put_trans(scenery_pic(72 + std::clamp(ticks, 0, 3)), px, py))
    frame.animated = true;
  set_trans_blender(50, 0, 50, 200);
  for (int s = 0; s < 4; s++)
    if (!water_at(z, x + SIDE_DX[s], y + SIDE_DY[s]))
      put_trans(scenery_pic(59), px, py, SIDE_ANGLE[s]);
}

void draw_other_unit(int z, int x, int y, int px, int py) {
  const map_cell& m = map[z][x][y];
  if (m.occupant_player < 1 || UPDATE_MAP != 1 || m.revealed != 1) return;
  const unit_record& a = acting_unit();
  if (a.x == x && a.y == y) return;
  if (!unit_slot_valid(m.occupant_player, m.occupant_unit)) return;
  const unit_record& u = unit[m.occupant_player][m.occupant_unit];
  set_trans_blender(255, 0, 25, 105);
  int facing = (u.facing % 8 + 8) % 8;
  put_lit(person_bmp[facing].get(), px, py, 105);
  put_turned(unit_bmp[m.occupant_player][m.occupant_unit].get(), px, py, facing * 32);
}

void midground_tile(int x, int y, int px, int py) {
  int z = frame.z, t = frame.tile;
  const map_cell& m = map[z][x][y];
  if (m.revealed == 0) return;
  for (const scenery_look& look : FIRST_SCENERY)
    if (m.scenery == look.code) draw_scenery_look(look, px, py);
  if (m.scenery == SCENERY_CONTAINER) draw_container(z, x, y, px, py);
  if (m.object_count >= 1 && UPDATE_MAP == 1 && m.revealed == 1 && area_shows(px, py, t, t))
    display_item_stack(x, y, z, px, py, 0);
  if (m.scenery == SCENERY_FIRE) draw_fire(px, py);
  for (const scenery_look& look : LATER_SCENERY)
    if (m.scenery == look.code) draw_scenery_look(look, px, py);
  if (m.scenery == SCENERY_MINE_CART) draw_mine_cart(z, x, y, px, py);
  if (m.terrain == 13) {
    // Only a picture taller than a tile was ever meant for this.
    BITMAP* pic = picture(land_bmp, 13);
    if (pic && pic->h > t) copy_pic(pic, px, py - t / 2, t, t + 24);
  }
  if (water_at(z, x, y)) draw_water(z, x, y, px, py);
  draw_other_unit(z, x, y, px, py);
}

// ---------------------------------------------------------------------------
// Foreground and shadows
// ---------------------------------------------------------------------------
void foreground_tile(int x, int y, int px, int py) {
  int z = frame.z, t = frame.tile;
  const map_cell& m = map[z][x][y];
  int track = environment[z][x][y].track;
  bool doorway = m.terrain == TERRAIN_CLOSED_DOOR || m.terrain == TERRAIN_OPEN_DOOR ||
                 m.terrain == TERRAIN_SMASHED_DOOR;
  if (!doorway) {
    if (track == TRACK_NS && rock_at(z, x + 1, y) && rock_at(z, x - 1, y))
      put(scenery_pic(133), px, py);
    else if (track == TRACK_EW && rock_at(z, x, y - 1) && rock_at(z, x, y + 1))
      put_turned(scenery_pic(133), px, py, 64);
  }
  if (z < LEVELS - 1 && map[z + 1][x][y].scenery == SCENERY_HOLE) {
    set_trans_blender(128, 128, 128, 128);
    put_trans(scenery_pic(89), px, py);
  }
  if (m.terrain < TERRAIN_CLOSED_DOOR) {
    BITMAP* corner = floor_corner_bmp.get();
    if (terrain_at(z, x - 1, y - 1) < TERRAIN_CLOSED_DOOR && rock_at(z, x, y - 1) &&
        rock_at(z, x - 1, y))
      put_lit(corner, px - t / 4, py - t / 4, 0);
    if (terrain_at(z, x - 1, y + 1) < TERRAIN_CLOSED_DOOR && rock_at(z, x, y + 1) &&
        rock_at(z, x - 1, y))
      put_lit(corner, px - t / 4, py + t / 4 + t / 2, 0);
  }
}

void shadow_tile(int x, int y, int px, int py, int c, int r) {
  int z = frame.z, t = frame.tile;
  const map_cell& m = map[z][x][y];
  BITMAP* fringe = sighthole_bmp3.get();
  if (m.occupant_player == CURRENT_PLAYER && IS_GLOBAL_LIGHTING_ON == 0) {
    const unit_record& a = acting_unit();
    bool is_acting = m.occupant_unit == CURRENT_UNIT && a.x == x && a.y == y;
    if (is_acting && frame.light) return;
    if (environment[z][x][y].zone == 0 && !frame.light) {
      set_trans_blender(200, 200, 200, 150);
      for (int d = 0; d < 8; d++) {
        int nx = x + DIRECTION_DX[d], ny = y + DIRECTION_DY[d];
        if (revealed_at(z, nx, ny) == 1) continue;
        if (tile_clear(c + DIRECTION_DX[d], r + DIRECTION_DY[d]))
          put_trans(fringe, px + DIRECTION_DX[d] * t, py + DIRECTION_DY[d] * t);
      }
    }
  }
  if (!frame.light && IS_GLOBAL_LIGHTING_ON != 1) return;
  if (m.revealed == 0) {
    set_trans_blender(200, 200, 200, 150);
    put_trans(fringe, px, py);
  } else if (m.revealed == 2) {
    set_trans_blender(200, 200, 200, 210);
    put_trans(fringe, px, py);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// The layers
// ---------------------------------------------------------------------------
void draw_rotated(BITMAP* dst, BITMAP* src, int x, int y, int angle) {
  draw_turned(dst, src, x, y, angle, draw_kind::masked);
}
void forget_all_rotations() {
  rotation_cache.clear();
  forget_kept_layers();
}
void set_plain_drawing(bool plain) { plain_drawing = plain; }

void background_map() {
  for_each_tile(frame.cols, frame.rows, [](int x, int y, int px, int py, int, int) {
    background_first_pass(x, y, px, py);
  });
  for_each_tile(frame.cols, frame.rows, [](int x, int y, int px, int py, int, int) {
    background_second_pass(x, y, px, py);
  });
}

void midground_map() {
  for_each_tile(frame.cols, frame.rows,
                [](int x, int y, int px, int py, int, int) { midground_tile(x, y, px, py); });
}

// A pointed mark on the front edge of the acting unit's square, so the way
// it faces reads without studying its picture.
void draw_front_mark(BITMAP* v, int px, int py, int facing) {
  int f = (facing % 8 + 8) % 8;
  float ux = DIRECTION_DX[f], uy = DIRECTION_DY[f];
  float len = std::hypot(ux, uy);
  ux /= len, uy /= len;
  float half = TILE_SIZE / 2.0f, cx = px + half, cy = py + half;
  auto point = [&](float along, float across, int& x, int& y) {
    x = static_cast<int>(std::lround(cx + ux * along - uy * across));
    y = static_cast<int>(std::lround(cy + uy * along + ux * across));
  };
  int tx, ty, lx, ly, rx, ry;
  point(half + 4, 0, tx, ty);
  point(half - 5, -7, lx, ly);
  point(half - 5, 7, rx, ry);
  triangle(v, tx, ty, lx, ly, rx, ry, makecol(20, 12, 4));
  point(half + 2, 0, tx, ty);
  point(half - 3, -5, lx, ly);
  point(half - 3, 5, rx, ry);
  triangle(v, tx, ty, lx, ly, rx, ry, makecol(255, 215, 70));
}

void draw_selectedcharacter() {
  const unit_record& a = acting_unit();
  int px = MAPTILES_X * TILE_SIZE / 2, py = MAPTILES_Y * TILE_SIZE / 2;
  int angle = a.facing * 32;
  draw_rotated(TEMP_SCREEN, unit_bmp[CURRENT_PLAYER][CURRENT_UNIT].get(), px, py, angle);
  if (BITMAP* v = TEMP_SCREEN.get()) draw_front_mark(v, px, py, a.facing);
  if (DEBUG_MODE > 0) std::printf("\nangle %d at %d %d\n", angle, px, py);
  int light = carry_light(CURRENT_PLAYER, CURRENT_UNIT);
  if (light > 0 && light < OBJECT_SLOTS && object[light].type == ITEM_FAIRY) {
    int fairy = carry_fairy(CURRENT_PLAYER, CURRENT_UNIT);
    if (fairy > 0 && fairy < OBJECT_SLOTS) {
      set_trans_blender(255, 155, 150, 255);
      draw_trans_sprite_safe(TEMP_SCREEN, object_bmp[fairy].get(), px, py);
    }
  }
}

void foreground_map() {
  for_each_tile(MAPTILES_X, MAPTILES_Y,
                [](int x, int y, int px, int py, int, int) { foreground_tile(x, y, px, py); });
}

void shadow_map() {
  for_each_tile(frame.cols, frame.rows, [](int x, int y, int px, int py, int c, int r) {
    if (tile_clear(c, r)) shadow_tile(x, y, px, py, c, r);
  });
}

void sight_map() {
  set_trans_blender(255, 255, 255, 100);
  BITMAP* view = TEMP_SCREEN.get();
  BITMAP* mask = MASK_SCREEN.get();
  if (!view || !mask) return;
  if (plain_drawing || bitmap_color_depth(view) != 32 || bitmap_color_depth(mask) != 32 ||
      !is_memory_bitmap(view) || !is_memory_bitmap(mask)) {
    draw_sprite(view, mask, 0, 0);
    return;
  }
  // The same as drawing the mask as a sprite (its pixels are only black or
  // the mask colour), row by row; four pixels the mask lets through leave
  // the view untouched, and where most of it is lit that is most of it.
  const uint32_t see_through = static_cast<uint32_t>(bitmap_mask_color(mask));
  int w = std::min(view->w, mask->w), h = std::min(view->h, mask->h);
  for (int y = 0; y < h; y++) {
    uint32_t* d = reinterpret_cast<uint32_t*>(view->line[y]);
    const uint32_t* m = reinterpret_cast<const uint32_t*>(mask->line[y]);
    int x = 0;
#if defined(__SSE2__)
    const __m128i clear = _mm_set1_epi32(static_cast<int>(see_through));
    for (; x + 4 <= w; x += 4) {
      __m128i shade = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + x));
      __m128i keep = _mm_cmpeq_epi32(shade, clear);
      if (_mm_movemask_epi8(keep) == 0xFFFF) continue;
      __m128i* at = reinterpret_cast<__m128i*>(d + x);
      __m128i kept = _mm_and_si128(keep, _mm_loadu_si128(at));
      _mm_storeu_si128(at, _mm_or_si128(kept, _mm_andnot_si128(keep, shade)));
    }
#endif
    for (; x < w; x++) d[x] = m[x] == see_through ? d[x] : m[x];
  }
}

// ---------------------------------------------------------------------------
// Kept layers
// ---------------------------------------------------------------------------
namespace {

// The background as drawn over black for the whole view, nothing culled,
// and the darkness mask (MASK_SCREEN with frame.clear): each drawn anew only
// when the view or a square it is drawn from changes.
owned_bitmap kept_background;
kept_layer background_state, sight_state;

view_place frame_place(int extra) {
  view_place p;
  p.z = frame.z;
  p.origin_x = frame.origin_x;
  p.origin_y = frame.origin_y;
  p.cols = frame.cols;
  p.rows = frame.rows;
  p.tile = frame.tile;
  p.extra = extra;
  return p;
}

void sight_mask_step() {
  if (plain_drawing) {
    build_sight_mask();
    return;
  }
  bool lit = frame.light || IS_GLOBAL_LIGHTING_ON == 1;
  view_place place = frame_place(CURRENT_PLAYER);
  bool same_size = frame.clear.size() == static_cast<std::size_t>(frame.cols * frame.rows);
  if (sight_state.stale(place, sight_inputs(place, CURRENT_PLAYER, lit)) || !same_size)
    build_sight_mask();
}

void background_step() {
  BITMAP* view = TEMP_SCREEN.get();
  if (plain_drawing) {
    background_map();
    return;
  }
  if (!kept_background || kept_background->w != view->w || kept_background->h != view->h) {
    kept_background.reset(create_bitmap(view->w, view->h));
    background_state.forget();
  }
  if (!kept_background) {  // nothing to keep it in: draw it as it comes
    clear_bitmap(view);
    background_map();
    return;
  }
  view_place place = frame_place(wall_top_edge_picture(frame.z));
  if (background_state.stale(place, background_inputs(place))) {
    clear_bitmap(kept_background.get());
    canvas = kept_background.get();
    frame.cull = false;
    background_map();
    frame.cull = true;
    canvas = view;
  }
  blit(kept_background.get(), view, 0, 0, 0, 0, view->w, view->h);
}

}  // namespace

void forget_kept_layers() {
  background_state.forget();
  sight_state.forget();
  kept_background.reset();
}

void layered_map() {
  if (!TEMP_SCREEN) return;
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  const unit_record& a = acting_unit();
  camera.x = a.x;
  camera.y = a.y;
  camera.z = a.z;
  if (DEBUG_MODE == 2) std::printf("\nPLAYER %d UNIT %d\n", CURRENT_PLAYER, CURRENT_UNIT);

  frame.z = a.z;
  frame.origin_x = camera.x - MAPTILES_X / 2;
  frame.origin_y = camera.y - MAPTILES_Y / 2;
  frame.cols = MAPTILES_X + 1;
  frame.rows = MAPTILES_Y + 1;
  frame.tile = TILE_SIZE;
  frame.light = carry_light(CURRENT_PLAYER, CURRENT_UNIT) > 0;
  frame.cull = true;
  frame.animated = false;
  canvas = TEMP_SCREEN.get();

  if (plain_drawing || !on_grid(frame.z, 0, 0)) {
    forget_kept_layers();
    clear_bitmap(TEMP_SCREEN);
  }
  if (!on_grid(frame.z, 0, 0)) return;  // a unit off every level: nothing to draw
  drop_unseen_turns();

  struct step {
    const char* name;
    void (*run)();
  };
  static const step steps[] = {
      {"mask", sight_mask_step},      {"background", background_step},
      {"midground", midground_map},   {"character", draw_selectedcharacter},
      {"foreground", foreground_map}, {"shadows", shadow_map},
      {"sight", sight_map},           {"icons", draw_icons},
  };
  for (const step& s : steps) {
    auto start = profiling ? profile_clock::now() : profile_clock::time_point{};
    s.run();
    if (profiling)
      profile[s.name].push_back(
          std::chrono::duration<double, std::milli>(profile_clock::now() - start).count());
    trace_layer(s.name);
  }
}

void profile_layers(bool on) {
  profiling = on;
  profile.clear();
}
const std::map<std::string, std::vector<double>>& layer_times() { return profile; }

// ---------------------------------------------------------------------------
// Blur
// ---------------------------------------------------------------------------
namespace {

// Mode 1: in place, so pixels already softened above and to the left feed
// the next ones.  A neighbour off the picture counts as the pixel itself.
int soften(int own, int up, int down, int left, int right) {
  return (3 * own + up / 2 + down / 2 + left / 2 + right / 2) / 5;
}

void blur_per_pixel(BITMAP* b) {
  for (int y = 0; y < b->h; y++)
    for (int x = 0; x < b->w; x++) {
      int c = getpixel(b, x, y);
      int u = y > 0 ? getpixel(b, x, y - 1) : c;
      int d = y < b->h - 1 ? getpixel(b, x, y + 1) : c;
      int l = x > 0 ? getpixel(b, x - 1, y) : c;
      int r = x < b->w - 1 ? getpixel(b, x + 1, y) : c;
      putpixel(b, x, y,
               makecol(soften(getr(c), getr(u), getr(d), getr(l), getr(r)),
                       soften(getg(c), getg(u), getg(d), getg(l), getg(r)),
                       soften(getb(c), getb(u), getb(d), getb(l), getb(r))));
    }
}

// Nothing kept: a picture kept here would outlive Allegro at the exit.
void blur_blended_plain(BITMAP* b) {
  owned_bitmap scratch(create_bitmap(b->w, b->h));
  BITMAP* s = scratch.get();
  if (!s) return;
  clear_bitmap(s);
  set_trans_blender(164, 164, 164, 164);
  draw_trans_sprite(s, b, 0, 0);
  set_trans_blender(64, 64, 64, 64);
  draw_trans_sprite(s, b, -1, 0);
  draw_trans_sprite(s, b, 1, 0);
  draw_trans_sprite(s, b, 0, -1);
  draw_trans_sprite(s, b, 0, 1);
  blit(s, b, 0, 0, 0, 0, b->w, b->h);
}

// Fast paths of both modes work on 32-bit memory bitmaps, reading and
// writing the rows directly; they give exactly the pixels of the plain ones.
bool direct_32(BITMAP* b) { return b && bitmap_color_depth(b) == 32 && is_memory_bitmap(b); }

// Row buffers kept from frame to frame.
std::vector<uint32_t> row_copy[2];

// x / 5 for 0 <= x < 2048 by a multiply: the chain of mode 1 runs one pixel
// after another, so every cycle of it counts.
constexpr unsigned div5(unsigned x) { return (x * 3277) >> 14; }
constexpr bool div5_exact() {
  for (unsigned x = 0; x < 2048; x++)
    if (div5(x) != x / 5) return false;
  return true;
}
static_assert(div5_exact());

// Mode 2.  Allegro's translucent blend of 32-bit pixels works out, channel
// by channel, to dst + floor((src - dst) * (alpha + 1) / 256), except that
// red and blue are worked in one word, so the green of dst carries into red:
// red is dst + floor(((src - dst) * (alpha + 1) + dst green) / 256).  A
// source pixel of the mask colour is skipped.  Each output pixel is its own
// pixel at 164 over black, then its right, left, lower and upper neighbours
// at 64 in that order, each only where it lies on the picture.
constexpr uint32_t MASK_32 = 0xFF00FF;

uint32_t blend_pixel(uint32_t c, uint32_t right, uint32_t left, uint32_t down, uint32_t up,
                     bool has_right, bool has_left, bool has_down, bool has_up) {
  auto ch = [](uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); };
  int r = 0, g = 0, b = 0;
  if (c != MASK_32) {  // over black: no green to carry
    r = (ch(c, 16) * 165) >> 8;
    g = (ch(c, 8) * 165) >> 8;
    b = (ch(c, 0) * 165) >> 8;
  }
  auto mix = [&](uint32_t p, bool has) {
    if (!has || p == MASK_32) return;
    r += ((ch(p, 16) - r) * 65 + g) >> 8;
    g += ((ch(p, 8) - g) * 65) >> 8;
    b += ((ch(p, 0) - b) * 65) >> 8;
  };
  mix(right, has_right);
  mix(left, has_left);
  mix(down, has_down);
  mix(up, has_up);
  return static_cast<uint32_t>(r << 16 | g << 8 | b);
}

#if defined(__SSE2__)
// Two pixels at a time, one 16-bit lane a channel (blue, green, red, spare).
inline __m128i lanes(const uint32_t* p) {
  return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)),
                           _mm_setzero_si128());
}
inline __m128i mask_lanes(const uint32_t* p) {
  __m128i m = _mm_cmpeq_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)),
                              _mm_set1_epi32(static_cast<int>(MASK_32)));
  return _mm_unpacklo_epi32(m, m);
}
inline __m128i mix_lanes(__m128i s, const uint32_t* p) {
  const __m128i red_lane = _mm_set_epi16(0, -1, 0, 0, 0, -1, 0, 0);
  __m128i carry = _mm_and_si128(_mm_slli_epi64(s, 16), red_lane);  // green into the red lane
  __m128i d = _mm_mullo_epi16(_mm_sub_epi16(lanes(p), s), _mm_set1_epi16(65));
  d = _mm_srai_epi16(_mm_add_epi16(d, carry), 8);
  __m128i skip = mask_lanes(p);
  return _mm_or_si128(_mm_and_si128(skip, s), _mm_andnot_si128(skip, _mm_add_epi16(s, d)));
}
#endif

// Mode 1.  The sums of each pixel that do not depend on its left neighbour
// (own, above: already softened, below and right: not yet) are made for the
// whole row first; the left-to-right chain then only adds the left half.
// One 16-bit lane a channel: blue, green, red, spare.
std::vector<uint16_t> row_sums;

void row_sums_plain(const uint32_t* row, const uint32_t* above, const uint32_t* below, int from,
                    int w, uint16_t* sums) {
  for (int x = from; x < w; x++) {
    uint32_t c = row[x], u = above[x], d = below[x], r = x < w - 1 ? row[x + 1] : c;
    for (int k = 0; k < 3; k++) {
      auto ch = [k](uint32_t p) { return static_cast<int>((p >> (8 * k)) & 0xFF); };
      sums[4 * x + k] = static_cast<uint16_t>(3 * ch(c) + ch(u) / 2 + ch(d) / 2 + ch(r) / 2);
    }
  }
}

void row_sums_of(const uint32_t* row, const uint32_t* above, const uint32_t* below, int w,
                 uint16_t* sums) {
  int x = 0;
#if defined(__SSE2__)
  for (; x + 2 < w; x += 2) {
    __m128i c = lanes(row + x);
    __m128i sum = _mm_add_epi16(_mm_add_epi16(c, c), c);
    sum = _mm_add_epi16(sum, _mm_srli_epi16(lanes(above + x), 1));
    sum = _mm_add_epi16(sum, _mm_srli_epi16(lanes(below + x), 1));
    sum = _mm_add_epi16(sum, _mm_srli_epi16(lanes(row + x + 1), 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + 4 * x), sum);
  }
#endif
  row_sums_plain(row, above, below, x, w, sums);
}

// One row of mode 1 on its own, for the rows below the last whole band.
void blur_row(BITMAP* b, int y) {
  int w = b->w, h = b->h;
  row_sums.resize(static_cast<std::size_t>(4 * w));
  uint16_t* sums = row_sums.data();
  uint32_t* row = reinterpret_cast<uint32_t*>(b->line[y]);
  const uint32_t* above = reinterpret_cast<const uint32_t*>(b->line[y > 0 ? y - 1 : y]);
  const uint32_t* below = reinterpret_cast<const uint32_t*>(b->line[y < h - 1 ? y + 1 : y]);
  row_sums_of(row, above, below, w, sums);
  // The first pixel's left neighbour is itself.
  unsigned lb = row[0] & 0xFF, lg = (row[0] >> 8) & 0xFF, lr = (row[0] >> 16) & 0xFF;
  for (int x = 0; x < w; x++) {
    lb = div5(sums[4 * x] + (lb >> 1));
    lg = div5(sums[4 * x + 1] + (lg >> 1));
    lr = div5(sums[4 * x + 2] + (lr >> 1));
    row[x] = lr << 16 | lg << 8 | lb;
  }
}

#if defined(__SSE2__)
// A band of rows is softened as a wavefront: each row runs one pixel behind
// the row above it, so the pixel it needs from there is already done, and the
// chains of all the band's rows advance together, two rows in a register.
// Register r holds rows 2r and 2r + 1; at step t row j works on pixel t - j.
// Bands of sixteen rows keep the registers busy; the rows left below the
// last one go in smaller bands.

// x / 5 in each 16-bit lane, exact for the sums here.
inline __m128i div5_lanes(__m128i x) { return _mm_mulhi_epu16(x, _mm_set1_epi16(13108)); }
constexpr bool div5_lanes_exact() {
  for (unsigned x = 0; x < 2048; x++)
    if ((x * 13108) >> 16 != x / 5) return false;
  return true;
}
static_assert(div5_lanes_exact());

// Eight 16-bit lanes a step for each register: the sums of its two pixels
// that do not wait on the chain, and then the softened pixels.
std::vector<uint16_t> wave;

// The sums of one row of a band into its lanes (entry x at lane[8 * x]):
// own, right and lower neighbours, and for the band's first row the upper
// one, already softened; inside the band the chain brings that one.
template <bool top>
void wave_sums(const uint32_t* row, const uint32_t* above, const uint32_t* below, int w,
               uint16_t* lane) {
  int x = 0;
  for (; x + 2 < w; x += 2) {
    __m128i c = lanes(row + x);
    __m128i sum = _mm_add_epi16(_mm_add_epi16(c, c), c);
    if (top) sum = _mm_add_epi16(sum, _mm_srli_epi16(lanes(above + x), 1));
    sum = _mm_add_epi16(sum, _mm_srli_epi16(lanes(below + x), 1));
    sum = _mm_add_epi16(sum, _mm_srli_epi16(lanes(row + x + 1), 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(lane + 8 * x), sum);
    _mm_storeh_pi(reinterpret_cast<__m64*>(lane + 8 * x + 8), _mm_castsi128_ps(sum));
  }
  auto ch = [](uint32_t p, int k) { return static_cast<int>((p >> (8 * k)) & 0xFF); };
  for (; x < w; x++) {
    uint32_t c = row[x], r = x < w - 1 ? row[x + 1] : c;
    for (int k = 0; k < 4; k++)
      lane[8 * x + k] = static_cast<uint16_t>(3 * ch(c, k) + ch(below[x], k) / 2 + ch(r, k) / 2 +
                                              (top ? ch(above[x], k) / 2 : 0));
  }
  // The first pixel's left neighbour is itself; the chain brings none there.
  for (int k = 0; k < 3; k++) lane[k] = static_cast<uint16_t>(lane[k] + ch(row[0], k) / 2);
}

// The chain: each pixel adds half its left and upper neighbours, both the
// outputs of the step before.  A lane left of the picture gives 0.
template <int regs>
void wave_chain(uint16_t* p, int steps) {
  __m128i half[regs];
  for (__m128i& v : half) v = _mm_setzero_si128();
  for (int t = 0; t < steps; t++) {
    __m128i above = _mm_setzero_si128();  // its high lane: the register before's lower row
#pragma GCC unroll 8
    for (int r = 0; r < regs; r++) {
      __m128i* at =
          reinterpret_cast<__m128i*>(p + 8 * (static_cast<std::ptrdiff_t>(r) * steps + t));
      __m128i up =
          _mm_castpd_si128(_mm_shuffle_pd(_mm_castsi128_pd(above), _mm_castsi128_pd(half[r]), 1));
      __m128i out = div5_lanes(_mm_add_epi16(_mm_add_epi16(_mm_loadu_si128(at), half[r]), up));
      _mm_storeu_si128(at, out);
      above = half[r];
      half[r] = _mm_srli_epi16(out, 1);
    }
  }
}

void wave_store(const uint16_t* lane, int w, uint32_t* row) {
  auto pair = [lane](int x) {
    return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lane + 8 * x)),
                              _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lane + 8 * x + 8)));
  };
  int x = 0;
  for (; x + 4 <= w; x += 4)
    _mm_storeu_si128(
        reinterpret_cast<__m128i*>(row + x),
        _mm_and_si128(_mm_packus_epi16(pair(x), pair(x + 2)), _mm_set1_epi32(0x00FFFFFF)));
  for (; x < w; x++)
    row[x] = static_cast<uint32_t>(lane[8 * x + 2] << 16 | lane[8 * x + 1] << 8 | lane[8 * x]);
}

template <int regs>
void blur_band(BITMAP* b, int y) {
  int w = b->w, h = b->h, steps = w + 2 * regs - 1;
  wave.resize(static_cast<std::size_t>(8 * regs * steps));
  auto line = [b](int n) { return reinterpret_cast<uint32_t*>(b->line[n]); };
  auto lane_of = [&](int j) {  // row j's lanes, from its pixel 0
    return wave.data() + 8 * ((j / 2) * steps + j) + 4 * (j % 2);
  };
  for (int j = 0; j < 2 * regs; j++) {
    uint16_t* lane = lane_of(j);
    for (int t = 1; t <= j; t++) std::fill(lane - 8 * t, lane - 8 * t + 4, 0);
    const uint32_t* below = line(std::min(y + j + 1, h - 1));
    if (j == 0)
      wave_sums<true>(line(y), line(y > 0 ? y - 1 : y), below, w, lane);
    else
      wave_sums<false>(line(y + j), nullptr, below, w, lane);
  }
  wave_chain<regs>(wave.data(), steps);
  for (int j = 0; j < 2 * regs; j++) wave_store(lane_of(j), w, line(y + j));
}
#endif

void blur_per_pixel_fast(BITMAP* b) {
  int y = 0;
#if defined(__SSE2__)
  for (; y + 16 <= b->h; y += 16) blur_band<8>(b, y);
  if (b->h - y >= 8) {
    blur_band<4>(b, y);
    y += 8;
  }
  if (b->h - y >= 4) {
    blur_band<2>(b, y);
    y += 4;
  }
  if (b->h - y >= 2) {
    blur_band<1>(b, y);
    y += 2;
  }
#endif
  for (; y < b->h; y++) blur_row(b, y);
}

// Whether a row holds the mask colour anywhere.
bool has_mask(const uint32_t* p, int w) {
  int x = 0;
#if defined(__SSE2__)
  __m128i any = _mm_setzero_si128();
  for (; x + 4 <= w; x += 4)
    any =
        _mm_or_si128(any, _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x)),
                                          _mm_set1_epi32(static_cast<int>(MASK_32))));
  if (_mm_movemask_epi8(any)) return true;
#endif
  return std::find(p + x, p + w, MASK_32) != p + w;
}

// Mode 2 on the pixels from x up to (not including) the last of a row whose
// three rows hold no mask colour, n pixels a turn; returns where it stopped.
// Red and blue share one pair of 16-bit lanes of each pixel, green has the
// low lane of another, so no pixel is taken apart into bytes.
template <int n>
[[gnu::always_inline]] inline int blend_unmasked(uint32_t* out, const uint32_t* own,
                                                 const uint32_t* down, const uint32_t* up, int x,
                                                 int w) {
  typedef uint32_t u32v __attribute__((vector_size(4 * n)));
  typedef uint16_t u16v __attribute__((vector_size(4 * n)));
  typedef int16_t i16v __attribute__((vector_size(4 * n)));
  for (; x + n < w; x += n) {
    u32v c;
    std::memcpy(&c, own + x, sizeof c);
    // Its own pixel at 164 over black: nothing carries.
    u16v rb = (reinterpret_cast<u16v>(c & 0xFF00FF) * 165) >> 8;
    u16v g = (reinterpret_cast<u16v>((c >> 8) & 0xFF) * 165) >> 8;
    const uint32_t* sides[4] = {own + x + 1, own + x - 1, down + x, up + x};
#pragma GCC unroll 4
    for (const uint32_t* side : sides) {
      u32v p;
      std::memcpy(&p, side, sizeof p);
      i16v carry = reinterpret_cast<i16v>(reinterpret_cast<u32v>(g) << 16);  // green into red
      i16v d_rb = (reinterpret_cast<i16v>(p & 0xFF00FF) - reinterpret_cast<i16v>(rb)) * 65 + carry;
      i16v d_g = (reinterpret_cast<i16v>((p >> 8) & 0xFF) - reinterpret_cast<i16v>(g)) * 65;
      rb += reinterpret_cast<u16v>(d_rb >> 8);
      g += reinterpret_cast<u16v>(d_g >> 8);
    }
    u32v result = reinterpret_cast<u32v>(rb) | reinterpret_cast<u32v>(g) << 8;
    std::memcpy(out + x, &result, sizeof result);
  }
  return x;
}

int blend_unmasked_sse2(uint32_t* out, const uint32_t* own, const uint32_t* down,
                        const uint32_t* up, int x, int w) {
  return blend_unmasked<4>(out, own, down, up, x, w);
}

using blend_fn = int (*)(uint32_t*, const uint32_t*, const uint32_t*, const uint32_t*, int, int);

#if defined(__x86_64__) || defined(__i386__)
// Two and four times the pixels a turn where the processor has the wider
// registers (chosen once, at the first frame).
__attribute__((target("avx2"))) int blend_unmasked_avx2(uint32_t* out, const uint32_t* own,
                                                        const uint32_t* down, const uint32_t* up,
                                                        int x, int w) {
  return blend_unmasked<8>(out, own, down, up, x, w);
}
__attribute__((target("avx512bw"))) int blend_unmasked_avx512(uint32_t* out, const uint32_t* own,
                                                              const uint32_t* down,
                                                              const uint32_t* up, int x, int w) {
  x = blend_unmasked<16>(out, own, down, up, x, w);
  return blend_unmasked<8>(out, own, down, up, x, w);  // what is left of the row
}
blend_fn blend_unmasked_best() {
  static const blend_fn best = [] {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw")) return blend_unmasked_avx512;
    return __builtin_cpu_supports("avx2") ? blend_unmasked_avx2 : blend_unmasked_sse2;
  }();
  return best;
}
#else
blend_fn blend_unmasked_best() { return blend_unmasked_sse2; }
#endif

void blur_blended_fast(BITMAP* b) {
  int w = b->w, h = b->h;
  if (w < 3) {
    blur_blended_plain(b);
    return;
  }
  for (auto& v : row_copy) v.resize(static_cast<std::size_t>(w));
  uint32_t* up = row_copy[0].data();   // the row above, as it was
  uint32_t* own = row_copy[1].data();  // this row, as it was
  bool up_masked = false;
  bool own_masked = has_mask(reinterpret_cast<const uint32_t*>(b->line[0]), w);
  for (int y = 0; y < h; y++) {
    uint32_t* row = reinterpret_cast<uint32_t*>(b->line[y]);
    std::copy(row, row + w, own);
    const uint32_t* down = y < h - 1 ? reinterpret_cast<const uint32_t*>(b->line[y + 1]) : own;
    bool has_up = y > 0, has_down = y < h - 1;
    bool down_masked = has_down && has_mask(down, w);
    auto one = [&](int x) {
      row[x] = blend_pixel(own[x], x < w - 1 ? own[x + 1] : 0, x > 0 ? own[x - 1] : 0, down[x],
                           up[x], x<w - 1, x> 0, has_down, has_up);
    };
    one(0);
    int x = 1;
    if (has_up && has_down && !up_masked && !own_masked && !down_masked) {
      // No pixel of the three rows is skipped.
      x = blend_unmasked_best()(row, own, down, up, x, w);
#if defined(__SSE2__)
    } else if (has_up && has_down) {
      for (; x + 2 < w; x += 2) {
        __m128i skip = mask_lanes(own + x);
        __m128i s = _mm_andnot_si128(
            skip, _mm_srli_epi16(_mm_mullo_epi16(lanes(own + x), _mm_set1_epi16(165)), 8));
        s = mix_lanes(s, own + x + 1);
        s = mix_lanes(s, own + x - 1);
        s = mix_lanes(s, down + x);
        s = mix_lanes(s, up + x);
        __m128i packed = _mm_and_si128(_mm_packus_epi16(s, s), _mm_set1_epi32(0x00FFFFFF));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row + x), packed);
      }
#endif
    }
    for (; x < w; x++) one(x);
    up_masked = own_masked;
    own_masked = down_masked;
    std::swap(up, own);
  }
}

}  // namespace

void blur_screen(int mode) { blur_bitmap(TEMP_SCREEN.get(), mode); }

void blur_bitmap(BITMAP* b, int mode) {
  if (!b) return;
  bool fast = !plain_drawing && direct_32(b);
  if (mode == 1)
    fast ? blur_per_pixel_fast(b) : blur_per_pixel(b);
  else if (mode == 2)
    fast ? blur_blended_fast(b) : blur_blended_plain(b);
}

// ---------------------------------------------------------------------------
// The frame
// ---------------------------------------------------------------------------
namespace {

// The pointer the last frame drew, and the map under it: a menu that copies
// the screen as its backdrop takes the map without it, or the picture of the
// pointer would stay on the button that opened the menu; a dragged route
// starts from the view without it.
struct pointer_patch {
  owned_bitmap under, drawn;
  int x = 0, y = 0;      // on the screen; the view is 10 pixels in
  bool in_view = false;  // the last frame drew it on the view
  bool valid = false;    // and the screen shows that frame
} frame_pointer;

void keep_pointer_patch(BITMAP* view, int vx, int vy, bool drawn) {
  BITMAP* finger = fingermouse_bmp.get();
  owned_bitmap& keep = drawn ? frame_pointer.drawn : frame_pointer.under;
  if (!keep || keep->w != finger->w || keep->h != finger->h)
    keep.reset(create_bitmap(finger->w, finger->h));
  if (!keep) return;
  clear_to_color(keep.get(), mask_colour());
  blit(view, keep.get(), vx, vy, 0, 0, finger->w, finger->h);
}

}  // namespace

void last_view_without_pointer(BITMAP* out) {
  BITMAP* view = TEMP_SCREEN.get();
  if (!view || !out) return;
  blit(view, out, 0, 0, 0, 0, view->w, view->h);
  const pointer_patch& p = frame_pointer;
  if (p.in_view && p.under)
    blit(p.under.get(), out, 0, 0, p.x - 10, p.y - 10, p.under->w, p.under->h);
}

void remove_frame_pointer(BITMAP* copy) {
  pointer_patch& p = frame_pointer;
  if (!copy || !p.valid || !p.under || !p.drawn) return;
  // Only where the screen still shows exactly what the frame drew: anything
  // drawn over it since is left alone.
  const int w = p.drawn->w, h = p.drawn->h;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      int sx = p.x + x, sy = p.y + y;
      if (sx < 10 || sy < 10 || sx >= copy->w || sy >= copy->h) continue;
      if (getpixel(copy, sx, sy) != getpixel(p.drawn.get(), x, y)) return;
    }
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      int sx = p.x + x, sy = p.y + y;
      if (sx < 10 || sy < 10 || sx >= copy->w || sy >= copy->h) continue;
      putpixel(copy, sx, sy, getpixel(p.under.get(), x, y));
    }
}

void compose_frame(BITMAP* page, bool draw_pointer) {
  layered_map();
  BITMAP* view = TEMP_SCREEN.get();
  if (!view) return;
  int w = page ? page->w : WIDTH, h = page ? page->h : HEIGHT;
  if (END_TURN == 1 && font1) {
    alfont_set_font_size(font1.get(), 64);
    alfont_textprintf_centre_ex(view, font1.get(), w / 2, h / 2 - 60, makecol(255, 250, 250), -1,
                                "%s", "CREATURE TURN");
  }
  if (BITMAP* bar = MBR_bmp.get())
    stretch_blit(bar, view, 0, 0, bar->w, bar->h, w - 20, 0, bar->w, h);
  if (BITMAP* bar = MBB_bmp.get())
    stretch_blit(bar, view, 0, 0, bar->w, bar->h, 0, h - 20, w, bar->h);
  if (ANTI_ALIAS != 0) blur_screen(ANTI_ALIAS);
  bool pointer = draw_pointer && fingermouse_bmp && mouse_x > 0 && mouse_x < WIDTH && mouse_y > 0 &&
                 mouse_y < HEIGHT;
  if (page == screen) frame_pointer.valid = false;
  frame_pointer.in_view = false;
  if (pointer) {
    int vx = mouse_x - 20, vy = mouse_y - 12;
    keep_pointer_patch(view, vx, vy, false);
    masked_blit(fingermouse_bmp.get(), view, 0, 0, vx, vy, fingermouse_bmp.get()->w,
                fingermouse_bmp.get()->h);
    keep_pointer_patch(view, vx, vy, true);
    frame_pointer.x = vx + 10, frame_pointer.y = vy + 10;
    frame_pointer.in_view = true;
    frame_pointer.valid = page == screen;
  }
  if (!page) return;
  blit(view, page, 0, 0, 10, 10, view_width(), view_height());
  if (BITMAP* bar = MBL_bmp.get()) stretch_blit(bar, page, 0, 0, bar->w, bar->h, 0, 0, bar->w, h);
  if (BITMAP* bar = MBT_bmp.get()) stretch_blit(bar, page, 0, 0, bar->w, bar->h, 10, 0, w, bar->h);
}

bool picture_animated_allegro() { return frame.animated; }

void drawmap_allegro() {
  if (!screen) return;
  compose_frame(screen, true);
}
