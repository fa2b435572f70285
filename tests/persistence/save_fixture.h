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
#include "core/world_copy.h"

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
  const char* root_ = "/tmp";  // where the folders of the tests are made
};
