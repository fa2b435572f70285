// Runs a test's file work in a fresh folder of its own: the final score keeps
// its table in save/, and a test must never write the build's.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

class scratch_folder {
 public:
  scratch_folder() : back_(std::filesystem::current_path()) {
    char name[] = "/tmp/grim_scratch_XXXXXX";
    if (mkdtemp(name)) {
      path_ = name;
      std::filesystem::current_path(path_);
    }
  }
  ~scratch_folder() {
    std::filesystem::current_path(back_);
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  scratch_folder(const scratch_folder&) = delete;
  scratch_folder& operator=(const scratch_folder&) = delete;

 private:
  std::filesystem::path back_;
  std::string path_;
};
