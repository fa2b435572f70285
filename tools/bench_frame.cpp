// Frames per second of the whole map composition without a window: the
// first frame of a generated level composed over and over, the median frame
// time turned into a rate.  One line per window size and blur setting.
//   bench_frame [--seed S] [--frames N] [--detail] [--lit-only] [--compare]
// --detail adds the median time of each layer at 1280x720.  The lines ending
// in _lit are the worst case: the whole level seen and lit, for each
// smoothing mode at 1280x720.  --compare adds, after each figure, the same
// figure for the plain drawing (Allegro's calls only, nothing kept) as
// _plain, and for frames that each draw the kept layers anew (as the frame
// after every step does) as _moving, measured in the same run.
// Times are the processor time of the drawing thread, not the wall clock:
// the machine is shared, and other programs' turns are not ours.
#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "core/world.h"
#include "tools/support/demo_level.h"
#include "ui/graphics.h"
#include "ui/offscreen.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

namespace {

// Milliseconds of processor time this thread has used.
double thread_ms() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

bool start_level(int w, int h, unsigned seed) {
  if (!start_offscreen(w, h)) return false;
  if (!new_game_offscreen(seed, 1)) demo_level_offscreen();  // no generator yet
  return true;
}

// Median milliseconds of one whole frame; with moving, the kept layers are
// dropped before each.
double frame_ms(int frames, bool moving = false) {
  std::vector<double> t;
  compose_offscreen_frame();  // warm the caches of turned pictures
  for (int i = 0; i < frames; i++) {
    ticks = i % 4;  // the animated water and fire change as in play
    if (moving) forget_kept_layers();
    double start = thread_ms();
    compose_offscreen_frame();
    t.push_back(thread_ms() - start);
  }
  return median(t);
}

void light_whole_level() {
  int z = unit[CURRENT_PLAYER][CURRENT_UNIT].z;
  if (z < 0 || z >= LEVELS) return;
  IS_GLOBAL_LIGHTING_ON = 1;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) map[z][x][y].revealed = 1;
}

// The median share of each layer, and of what lies around them (the page
// copy, the bars), in one frame.
void print_layer_times(int frames) {
  profile_layers(true);
  double whole = frame_ms(frames);
  for (const auto& [name, times] : layer_times())
    std::printf("  layer_ms_%s: %.3f\n", name.c_str(), median(times));
  std::printf("  frame_ms_whole: %.3f\n", whole);
  profile_layers(false);
}

void print_rate(const char* name, int frames, bool compare) {
  double ms = frame_ms(frames);
  std::printf("%s: %.0f\n", name, ms > 0 ? 1000.0 / ms : 0.0);
  if (!compare) return;
  // The plain per-pixel blur is slow by nature; fewer frames give the same
  // median.
  set_plain_drawing(true);
  ms = frame_ms(ANTI_ALIAS == 1 ? std::max(1, frames / 10) : frames);
  set_plain_drawing(false);
  std::printf("%s_plain: %.0f\n", name, ms > 0 ? 1000.0 / ms : 0.0);
  ms = frame_ms(frames, true);
  std::printf("%s_moving: %.0f\n", name, ms > 0 ? 1000.0 / ms : 0.0);
}

// At --scale 2 a frame is drawn as at scale 1; the window's thread then
// finds the page changed and copies it, twice as large, to the window.  The
// figures: that copy, the look that finds a page unchanged, and the frame
// rate if one thread did both the drawing and the copy.
void print_scaled(int w, int h, const char* name, int frames) {
  BITMAP* page = offscreen_page();
  BITMAP* shown = create_bitmap(w, h);
  BITMAP* window = create_bitmap(w * 2, h * 2);
  if (!page || !shown || !window || bitmap_color_depth(page) != 32) {
    if (shown) destroy_bitmap(shown);
    if (window) destroy_bitmap(window);
    return;
  }
  std::vector<double> copy, look;
  for (int i = 0; i < frames; i++) {
    compose_offscreen_frame();
    clear_to_color(shown, makecol(255, 0, 255));
    double start = thread_ms();
    present_if_changed(page, shown, window, 2);
    copy.push_back(thread_ms() - start);
    start = thread_ms();
    present_if_changed(page, shown, window, 2);
    look.push_back(thread_ms() - start);
  }
  double frame = frame_ms(frames), present = median(copy);
  std::printf("%s_scale2: %.0f\n", name, frame + present > 0 ? 1000.0 / (frame + present) : 0.0);
  std::printf("present_ms_%dx%d_scale2: %.3f\n", w, h, present);
  std::printf("present_unchanged_ms_%dx%d_scale2: %.3f\n", w, h, median(look));
  destroy_bitmap(shown);
  destroy_bitmap(window);
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = 7;
  int frames = 300;
  bool detail = false, lit_only = false, compare = false;
  for (int i = 1; i < argc; i++) {
    if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
      seed = static_cast<unsigned>(std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
      frames = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--detail"))
      detail = true;
    else if (!std::strcmp(argv[i], "--lit-only"))
      lit_only = true;
    else if (!std::strcmp(argv[i], "--compare"))
      compare = true;
  }
  struct setting {
    int w, h, aa;
  };
  const setting settings[] = {{800, 600, 0}, {1280, 720, 0}, {1280, 720, 1}, {1280, 720, 2}};
  for (const setting& s : settings) {
    if (lit_only && s.w != 1280) continue;
    if (!start_level(s.w, s.h, seed)) {
      std::fprintf(stderr, "bench_frame: Allegro could not start\n");
      return 1;
    }
    ANTI_ALIAS = s.aa;
    char name[64];
    std::snprintf(name, sizeof name, "frame_fps_%dx%d_aa%d", s.w, s.h, s.aa);
    print_rate(name, frames, compare);
    if (s.aa == 0 && !lit_only) print_scaled(s.w, s.h, name, frames);
    if (s.w == 1280) {
      if (detail && s.aa == 0) print_layer_times(frames);
      // The worst case: the whole level seen and lit, every tile drawn.
      light_whole_level();
      std::snprintf(name, sizeof name, "frame_fps_1280x720_aa%d_lit", s.aa);
      print_rate(name, frames, compare);
      if (detail) print_layer_times(frames);
    }
    std::fflush(stdout);
    stop_offscreen();
  }
  return 0;
}
