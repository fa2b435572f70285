// Writes the first frame of a new game to a BMP file, composed without a
// window, for looking at the drawing.
//   render_frame --seed S --difficulty D --out FILE.bmp [--width W --height H --aa N] [--demo]
// --demo draws a small hand-made level instead of a generated one, --dark
// with the leader's torch out; --at X Y puts the demo's leader elsewhere.
// --level Z puts the leader of a generated game on level Z, at its ladder
// down; --lit shows the leader's whole level seen and lit.  --plain draws
// with Allegro's own calls only (the picture the fast drawing must match).
// --pointer PX PY rests the mouse pointer there, for the line that tells
// what is on the square under it.
#include <allegro.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "core/actions/doors.h"
#include "core/actions/movement.h"
#include "core/occupancy.h"
#include "core/world.h"
#include "creatures/sight.h"
#include "tools/support/demo_level.h"
#include "ui/assets_allegro.h"
#include "ui/offscreen.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

namespace {

// The leader on level z, beside the ladder it would arrive by.
bool move_leader_to_level(int z) {
  if (z < 0 || z >= LEVELS) return false;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) {
      if (map[z][x][y].scenery != SCENERY_LADDER_DOWN) continue;
      int nx = x, ny = y;
      if (!unit_may_stand(z, nx, ny) && !nearest_open_square(z, nx, ny)) continue;
      move_unit(1, 1, z, nx, ny);
      reveal_tiles();
      return true;
    }
  return false;
}

void light_whole_level() {
  int z = unit[1][1].z;
  if (z < 0 || z >= LEVELS) return;
  IS_GLOBAL_LIGHTING_ON = 1;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) map[z][x][y].revealed = 1;
}

// One move of --moves; false for a letter it does not know.
bool apply_move(char move) {
  unit_record& leader = unit[1][1];
  leader.moves = leader.movement;  // never short of points for the next one
  switch (move) {
    case 'f':
      forward(1, 1);
      break;
    case 'l':
      turnleft(1, 1);
      break;
    case 'r':
      turnright(1, 1);
      break;
    case 'o':
      work_door_ahead(1, 1);
      break;
    case 'd':
      for (int n = 1; n < OBJECT_SLOTS; n++)
        if (object[n].status == OBJECT_LIT) object[n].status = OBJECT_CARRIED;
      break;
    case 'g':
      IS_GLOBAL_LIGHTING_ON = IS_GLOBAL_LIGHTING_ON == 1 ? 0 : 1;
      break;
    case 't':
      ticks = (ticks + 1) % 4;
      break;
    case 'm': {
      const unit_record& g = unit[2][1];
      if (unit_may_stand(g.z, g.x, g.y - 1)) move_unit(2, 1, g.z, g.x, g.y - 1);
      break;
    }
    default:
      return false;
  }
  reveal_tiles();
  return true;
}

std::string numbered(const std::string& path, int n) {
  auto dot = path.rfind('.');
  std::string stem = dot == std::string::npos ? path : path.substr(0, dot);
  return stem + "-" + std::to_string(n) + ".bmp";
}

// A made-up picture for the smoothing check: every kind of pixel the blend
// arithmetic treats apart, from a fixed sequence (no random draw).
void fill_check_picture(BITMAP* b, unsigned pattern) {
  uint32_t v = 2463534242u + pattern;
  for (int y = 0; y < b->h; y++)
    for (int x = 0; x < b->w; x++) {
      v ^= v << 13, v ^= v >> 17, v ^= v << 5;
      uint32_t c = v & 0xFFFFFF;
      switch (v >> 28) {
        case 0:
        case 1:
          c = 0xFF00FF;  // the mask colour
          break;
        case 2:
          c = 0xFFFFFF;
          break;
        case 3:
          c = 0;
          break;
        default:
          break;
      }
      if (pattern == 1 && (y / 7 + x / 5) % 3 == 0) c = 0xFF00FF;  // runs of it
      if (pattern == 2) c = (x + y) % 2 ? 0xFFFFFF : 0xFF0000;     // extremes side by side
      if (pattern == 3 && c == 0xFF00FF && (y % 5 != 0 || x % 9 != 4))
        c = v >> 8;  // few rows of it
      reinterpret_cast<uint32_t*>(b->line[y])[x] = c;
    }
}

// 0 when the fast smoothing matched Allegro's on every picture, size and
// mode.  Besides the view, sizes that reach every edge case of the fast
// code: a single row or column, widths that leave a pixel over, and heights
// that leave rows below its bands of 16, 8, 4 and 2.
int blur_check() {
  if (!start_offscreen(800, 600)) return 1;
  struct size {
    int w, h;
  };
  const size sizes[] = {{800, 600}, {1, 1}, {1, 3},  {2, 2},   {3, 1},   {3, 3},
                        {5, 2},     {4, 7}, {9, 31}, {17, 16}, {801, 45}};
  int failures = 0;
  for (const size& z : sizes) {
    using owned = std::unique_ptr<BITMAP, bitmap_deleter>;
    owned picture(create_bitmap(z.w, z.h)), before(create_bitmap(z.w, z.h)),
        plain(create_bitmap(z.w, z.h));
    if (!picture || !before || !plain || bitmap_color_depth(picture.get()) != 32) return 1;
    for (unsigned pattern = 0; pattern < 4; pattern++)
      for (int mode = 1; mode <= 2; mode++) {
        BITMAP* b = picture.get();
        fill_check_picture(b, pattern);
        blit(b, before.get(), 0, 0, 0, 0, z.w, z.h);
        set_plain_drawing(true);
        blur_bitmap(b, mode);
        blit(b, plain.get(), 0, 0, 0, 0, z.w, z.h);
        blit(before.get(), b, 0, 0, 0, 0, z.w, z.h);
        set_plain_drawing(false);
        blur_bitmap(b, mode);
        long differ = 0;
        for (int y = 0; y < z.h; y++)
          for (int x = 0; x < z.w; x++)
            if (getpixel(b, x, y) != getpixel(plain.get(), x, y)) differ++;
        std::printf("blur_check: %dx%d picture %u mode %d: %ld pixels differ\n", z.w, z.h, pattern,
                    mode, differ);
        if (differ) failures++;
      }
  }
  stop_offscreen();
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = 1;
  int difficulty = 1, width = 800, height = 600, aa = 0, at_x = -1, at_y = -1, level = -1;
  int pointer_x = -1, pointer_y = -1;
  bool demo = false, dark = false, lit = false, plain = false;
  std::string out = "frame.bmp", moves;
  if (argc == 2 && std::string(argv[1]) == "--blur-check") return blur_check();
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
    if (a == "--demo" || a == "--dark" || a == "--lit" || a == "--plain") {
      (a == "--demo" ? demo : a == "--dark" ? dark : a == "--lit" ? lit : plain) = true;
      continue;
    }
    if (!v) {
      std::fprintf(stderr, "render_frame: %s needs a value\n", a.c_str());
      return 2;
    }
    if (a == "--seed")
      seed = static_cast<unsigned>(std::strtoul(v, nullptr, 10));
    else if (a == "--difficulty")
      difficulty = std::atoi(v);
    else if (a == "--out")
      out = v;
    else if (a == "--width")
      width = std::atoi(v);
    else if (a == "--height")
      height = std::atoi(v);
    else if (a == "--aa")
      aa = std::atoi(v);
    else if (a == "--moves")
      moves = v;
    else if (a == "--level")
      level = std::atoi(v);
    else if (a == "--at" && i + 2 < argc) {
      at_x = std::atoi(v);
      at_y = std::atoi(argv[i + 2]);
      i++;
    } else if (a == "--pointer" && i + 2 < argc) {
      pointer_x = std::atoi(v);
      pointer_y = std::atoi(argv[i + 2]);
      i++;
    } else {
      std::fprintf(stderr, "render_frame: unknown option %s\n", a.c_str());
      return 2;
    }
    i++;
  }
  // The output path is taken from where the tool was started.
  if (!out.empty() && out[0] != '/') {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) out = std::string(cwd) + "/" + out;
  }
  if (!start_offscreen(width, height)) {
    std::fprintf(stderr, "render_frame: Allegro could not start\n");
    return 1;
  }
  if (demo) {
    demo_level_offscreen();
    if (at_x >= 0 && at_y >= 0 && on_grid(0, at_x, at_y)) {  // the leader moved
      map[0][at_x][at_y].terrain = TERRAIN_ROOM_FLOOR;
      move_unit(1, 1, 0, at_x, at_y);
    }
    if (dark) {  // the torch put out: only what is around the party shows
      object[1].status = OBJECT_CARRIED;
      for (int x = 0; x < LAND_SIZE; x++)
        for (int y = 0; y < LAND_SIZE; y++) map[0][x][y].revealed = 0;
      reveal_tiles();
    }
  } else if (!new_game_offscreen(seed, difficulty)) {
    std::fprintf(stderr, "render_frame: the new game placed no leader\n");
  } else if (level >= 0 && !move_leader_to_level(level)) {
    std::fprintf(stderr, "render_frame: level %d has no ladder down to stand by\n", level);
  }
  if (lit) light_whole_level();
  // No mouse is installed offscreen, so nothing else moves the pointer.
  if (pointer_x >= 0) {
    mouse_x = pointer_x;
    mouse_y = pointer_y;
  }
  ANTI_ALIAS = aa;
  set_plain_drawing(plain);
  compose_offscreen_frame();
  bool ok = save_offscreen_page(out.c_str());
  for (std::size_t n = 0; ok && n < moves.size(); n++) {
    if (!apply_move(moves[n])) {
      std::fprintf(stderr, "render_frame: unknown move %c\n", moves[n]);
      stop_offscreen();
      return 2;
    }
    compose_offscreen_frame();
    ok = save_offscreen_page(numbered(out, static_cast<int>(n) + 1).c_str());
  }
  stop_offscreen();
  if (!ok) {
    std::fprintf(stderr, "render_frame: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("render_frame: %s\n", out.c_str());
  return 0;
}
