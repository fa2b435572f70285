// Times the start-up's picture work without a window: every working bitmap
// created and every picture and the font loaded, as memory bitmaps.
#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/world.h"
#include "ui/assets_allegro.h"

// The pictures are read relative to the build folder, one up from tools/.
static bool enter_build_folder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return false;
  path[n] = '\0';
  std::string folder(path);
  folder.resize(folder.rfind('/'));
  folder += "/..";
  return chdir(folder.c_str()) == 0;
}

int main(int, char**) {
  if (!enter_build_folder()) return 1;
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  set_color_depth(32);
  DEBUG_MODE = 0;  // no start-up trace lines among the figures
  constexpr int RUNS = 5;
  std::vector<double> times;
  for (int i = 0; i < RUNS; i++) {
    auto start = std::chrono::steady_clock::now();
    load_all_assets();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times.push_back(took.count());
  }
  std::sort(times.begin(), times.end());
  std::printf("asset_load_ms: %.1f\n", times[RUNS / 2]);
  return 0;
}
END_OF_MAIN()
