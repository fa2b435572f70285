// Feeds arbitrary bytes to the save loader as one data file of a sound save.
// Each input is parsed from memory into the staging copy over the sound
// parse of the other six files, and an accepted one is checked against the
// world's rules as a load would; nothing touches the disk.
//
// An input whose first line names a data file ("units.sav") replaces that
// file with the rest; any other input is taken whole as the data file its
// first byte picks.
//
// One input in 256 (picked by its bytes, so a run can be repeated) also goes
// through a whole load, which must agree with the staged trial: a refused
// load must leave the live world exactly as it was, and an accepted one must
// save back to texts that load again to the same texts.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "core/files.h"
#include "core/game/newgame.h"
#include "core/headless.h"
#include "core/world.h"
#include "persistence/save.h"
#include "core/world_copy.h"

namespace {

save_texts sound;
std::unique_ptr<world_copy> live;
long inputs = 0;
auto started = std::chrono::steady_clock::now();
std::clock_t started_processor = 0;

[[noreturn]] void fault(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s (%s)\n", what, detail.c_str());
  std::abort();
}

void whole_load(const save_texts& texts, bool staged_verdict) {
  restore_world(*live);
  std::string error;
  bool loaded = load_save_texts(texts, error);
  if (loaded != staged_verdict) fault("a whole load and the staged trial disagree", error);
  if (!loaded) {
    if (error.empty() || !world_is(*live)) fault("a refused load changed the world", error);
    return;
  }
  save_texts once, twice;
  write_save_texts(once);
  if (!load_save_texts(once, error)) fault("a save of a loaded game does not load", error);
  write_save_texts(twice);
  if (once != twice) fault("a loaded game saves differently each time", "");
}

// Both by the clock and by the processor time spent, since a busy machine
// shares its processors out.
void report_rate() {
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  double processor = static_cast<double>(std::clock() - started_processor) / CLOCKS_PER_SEC;
  std::printf("save fuzz rate: %ld inputs in %.1f s, %.0f inputs/s, %.0f per processor second\n",
              inputs, seconds, seconds > 0 ? inputs / seconds : 0.0,
              processor > 0 ? inputs / processor : 0.0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  reset_globals();
  use_headless();
  DEBUG_MODE = 0;
  std::srand(7);
  build_new_world();
  write_save_texts(sound);
  std::string error;
  if (!stage_sound_save(sound, error)) fault("the sound save is refused", error);
  std::srand(8);
  build_new_world();
  live = copy_world();
  std::atexit(report_rate);
  started = std::chrono::steady_clock::now();
  started_processor = std::clock();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  inputs++;
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t end = input.find('\n');
  int file = size > 0 ? data[0] % SAVE_DATA_FILES : 0;
  for (int i = 0; i < SAVE_DATA_FILES && end != std::string::npos; i++)
    if (input.compare(0, end, SAVE_SUFFIXES[i]) == 0) {
      file = i;
      input.erase(0, end + 1);
    }
  std::string error;
  bool accepted = try_staged_file(file, input, error);
  if (!accepted && error.empty()) fault("a refused file without a reason", SAVE_SUFFIXES[file]);

  if (text_checksum(input.substr(0, 64) + std::to_string(input.size())) % 256 == 0) {
    save_texts texts = sound;
    texts[static_cast<std::size_t>(file)] = input;
    whole_load(texts, accepted);
  }
  return 0;
}
