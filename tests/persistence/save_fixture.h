// Shared by the saved-game tests: a private save/ folder for each test, a
// copy of the whole world to compare with, and the field-by-field check of a
// loaded world against the one that was saved.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "core/headless.h"
#include "core/world.h"
#include "persistence/save.h"

struct world_copy {
  map_cell map[LEVELS][LAND_SIZE][LAND_SIZE];
  environment_cell environment[LEVELS][LAND_SIZE][LAND_SIZE];
  unit_record unit[4][UNIT_SLOTS];
  object_record object[OBJECT_SLOTS];
  container_record container[CONTAINER_SLOTS];
  int current_player, current_unit, difficulty, quest, cant_save;
};

inline std::unique_ptr<world_copy> copy_world() {
  auto w = std::make_unique<world_copy>();
  std::memcpy(w->map, map, sizeof map);
  std::memcpy(w->environment, environment, sizeof environment);
  std::memcpy(w->unit, unit, sizeof unit);
  std::memcpy(w->object, object, sizeof object);
  std::memcpy(w->container, container, sizeof container);
  w->current_player = CURRENT_PLAYER;
  w->current_unit = CURRENT_UNIT;
  w->difficulty = DIFFICULTY;
  w->quest = QUEST_NO;
  w->cant_save = CANT_SAVE;
  return w;
}

// True when the live world is byte for byte the copy.
inline bool world_is(const world_copy& w) {
  return std::memcmp(w.map, map, sizeof map) == 0 &&
         std::memcmp(w.environment, environment, sizeof environment) == 0 &&
         std::memcmp(w.unit, unit, sizeof unit) == 0 &&
         std::memcmp(w.object, object, sizeof object) == 0 &&
         std::memcmp(w.container, container, sizeof container) == 0 &&
         w.current_player == CURRENT_PLAYER && w.current_unit == CURRENT_UNIT &&
         w.difficulty == DIFFICULTY && w.quest == QUEST_NO && w.cant_save == CANT_SAVE;
}

// Each test works in a folder of its own, so saves never meet.
class SaveFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/grimsaveXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    std::filesystem::create_directory("save");
    reset_globals();
    use_headless();
    DEBUG_MODE = 0;
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(folder_);
  }

  static std::string read_text(const std::string& path) {
    std::string out;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
      int c;
      while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<char>(c));
      std::fclose(f);
    }
    return out;
  }
  static void write_text(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }

  std::filesystem::path folder_, old_;
};
