// Shared by the saved-game tests: a private save/ folder for each test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/headless.h"
#include "core/world.h"
#include "persistence/save.h"
#include "core/world_copy.h"

inline std::string read_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_text(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Each test works in a folder of its own, so saves never meet.
class SaveFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = std::string(root_) + "/grimsaveXXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
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

  std::filesystem::path folder_, old_;
  const char* root_ = "/tmp";  // where the folders of the tests are made
};
