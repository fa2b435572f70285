// Feeds arbitrary bytes to the save loader as one file of a save (or as each
// in turn) beside sound copies of the others.  A refused load must leave the
// live world exactly as it was; an accepted one must save back to texts that
// load again to the same texts.
//
// An input whose first line names a data file ("units.sav") replaces that
// file with the rest; an input whose first line is "*" holds all seven files,
// in the order they are written, each ended by a line "@@@@"; any other input
// is tried as each of the seven files.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/game/newgame.h"
#include "core/headless.h"
#include "core/world.h"
#include "persistence/save.h"
#include "tests/persistence/world_copy.h"

namespace {

save_texts sound;
std::unique_ptr<world_copy> live;

void check_load(const save_texts& texts) {
  use_headless();
  std::string error;
  if (!load_save_texts(texts, error)) {
    if (error.empty() || !world_is(*live)) {
      std::fprintf(stderr, "a refused load changed the world (%s)\n", error.c_str());
      std::abort();
    }
    return;
  }
  save_texts once, twice;
  write_save_texts(once);
  if (!load_save_texts(once, error)) {
    std::fprintf(stderr, "a save of a loaded game does not load: %s\n", error.c_str());
    std::abort();
  }
  write_save_texts(twice);
  if (once != twice) {
    std::fprintf(stderr, "a loaded game saves differently each time\n");
    std::abort();
  }
  restore_world(*live);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  reset_globals();
  use_headless();
  DEBUG_MODE = 0;
  std::srand(7);
  build_new_world();
  write_save_texts(sound);
  std::srand(8);
  build_new_world();
  live = copy_world();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t end = input.find('\n');
  std::string first = input.substr(0, end);
  std::string rest = end == std::string::npos ? "" : input.substr(end + 1);

  if (first == "*") {
    save_texts texts;
    std::size_t at = 0;
    for (std::string& t : texts) {
      std::size_t mark = rest.find("\n@@@@\n", at);
      if (mark == std::string::npos) {
        t = rest.substr(std::min(at, rest.size()));
        at = rest.size();
      } else {
        t = rest.substr(at, mark + 1 - at);
        at = mark + 6;
      }
    }
    check_load(texts);
    return 0;
  }
  for (int i = 0; i < SAVE_DATA_FILES; i++) {
    if (first == SAVE_SUFFIXES[i]) {
      save_texts texts = sound;
      texts[static_cast<std::size_t>(i)] = rest;
      check_load(texts);
      return 0;
    }
  }
  for (int i = 0; i < SAVE_DATA_FILES; i++) {
    save_texts texts = sound;
    texts[static_cast<std::size_t>(i)] = input;
    check_load(texts);
  }
  return 0;
}
