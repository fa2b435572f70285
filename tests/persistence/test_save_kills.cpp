// A save stopped at any moment: a real save process killed before each of its
// file operations in turn and at random moments, and a save whose operations
// fail one at a time.  Every outcome must load whole as the old save or the
// new one, and leave no temporary file behind the load.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>

#include "core/files.h"
#include "core/game/newgame.h"
#include "tests/persistence/save_fixture.h"

namespace {

namespace fs = std::filesystem;

class SaveKillTest : public SaveFolder {
 protected:
  // The old save of NAME on the disk, the new world live, and the texts a
  // load of each gives.
  void SetUp() override {
    // A folder in memory where there is one: a kill is not a power cut, so
    // the disk's flushes only cost time here.
    if (fs::is_directory("/dev/shm")) root_ = "/dev/shm";
    SaveFolder::SetUp();
    DIFFICULTY = 1;
    std::srand(81);
    build_new_world();
    headless.files = {NAME};
    ASSERT_EQ(text_save_map(2), 0);
    old_texts_ = saved_and_loaded("OLDWORLD");
    std::srand(82);
    build_new_world();
    new_texts_ = saved_and_loaded("NEWWORLD");
    new_world_ = copy_world();
    for (const auto& e : fs::directory_iterator("save"))
      if (e.path().filename().string().rfind(NAME, 0) == 0)
        old_files_[e.path()] = read_text(e.path());
  }

  save_texts saved_and_loaded(const std::string& name) {
    headless.files = {name, name};
    EXPECT_EQ(text_save_map(2), 0);
    EXPECT_EQ(text_load_map(0), 0);
    save_texts t;
    write_save_texts(t);
    return t;
  }

  // Back to the old save on the disk and the new world live.
  void reset() {
    fs::remove_all("save");
    fs::create_directory("save");
    for (const auto& [path, text] : old_files_) write_text(path, text);
    restore_world(*new_world_);
    CANT_SAVE = 0;
    set_file_fault(FILE_FAULT_NONE, 0);
  }

  // Saves the live world as NAME in a process of its own, with a fault set
  // (kill_after_us >= 0 kills it that long after it starts instead).
  void save_in_child(file_fault_kind kind, int at, long kill_after_us) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      set_file_fault(kind, at);
      headless.files = {NAME};
      _exit(text_save_map(2) == 0 ? 0 : 1);
    }
    if (kill_after_us >= 0) {
      timespec pause{0, kill_after_us * 1000};
      nanosleep(&pause, nullptr);
      kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
  }

  // Loads NAME: 'o' for the old save, 'n' for the new one, '?' for anything
  // else.  No temporary file may outlive the load.
  char load_outcome() {
    restore_world(*new_world_);
    headless.files = {NAME};
    if (text_load_map(0) != 0) {
      ADD_FAILURE() << "the save did not load: " << headless.messages.back();
      return '?';
    }
    for (const auto& e : fs::directory_iterator("save"))
      EXPECT_NE(e.path().extension(), ".tmp") << e.path() << " outlived the load";
    save_texts t;
    write_save_texts(t);
    return t == old_texts_ ? 'o' : t == new_texts_ ? 'n' : '?';
  }

  static constexpr const char* NAME = "KILLED";
  save_texts old_texts_, new_texts_;
  std::unique_ptr<world_copy> new_world_;
  std::map<fs::path, std::string> old_files_;
};

TEST_F(SaveKillTest, ASaveStoppedAnywhereLoadsAsTheOldSaveOrTheNewOne) {
  // How many file operations a whole save makes.
  reset();
  headless.files = {NAME};
  ASSERT_EQ(text_save_map(2), 0);
  const int operations = file_operations_counted();
  ASSERT_GT(operations, 20);
  EXPECT_EQ(load_outcome(), 'n');

  // Killed before each operation in turn: the old save up to the one rename
  // that makes the new one current, the new save from then on.
  std::string kills;
  for (int at = 1; at <= operations; at++) {
    reset();
    save_in_child(FILE_FAULT_KILL, at, -1);
    kills += load_outcome();
  }
  std::size_t turn = kills.find('n');
  EXPECT_EQ(kills.find('?'), std::string::npos) << kills;
  EXPECT_EQ(kills.find('o', turn), std::string::npos) << kills;
  EXPECT_GT(turn, 0u) << kills;

  // Each operation failing once: a save that says it worked loads new, and a
  // failure keeps the old save up to the same rename that a kill turns at.
  std::string fails;
  for (int at = 1; at <= operations; at++) {
    reset();
    set_file_fault(FILE_FAULT_FAIL, at);
    headless.files = {NAME};
    bool saved = text_save_map(2) == 0;
    set_file_fault(FILE_FAULT_NONE, 0);
    EXPECT_EQ(saved, headless.messages.back() == "SAVED GAME STAUS...") << at;
    char outcome = load_outcome();
    EXPECT_TRUE(outcome == 'n' || (!saved && outcome == 'o')) << "operation " << at;
    fails += outcome;
  }
  EXPECT_EQ(fails.find('n', fails.find('o')), turn) << fails;

  // Killed at random moments over the whole length of a save.
  reset();
  headless.files = {NAME};
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(text_save_map(2), 0);
  auto span_us = std::chrono::duration_cast<std::chrono::microseconds>(
                     std::chrono::steady_clock::now() - start).count();
  std::mt19937 draw(23);
  std::map<char, int> random_kills;
  for (int i = 0; i < 200; i++) {
    reset();
    save_in_child(FILE_FAULT_NONE, 0, static_cast<long>(draw() % (span_us + 1)));
    random_kills[load_outcome()]++;
  }
  EXPECT_EQ(random_kills['?'], 0) << random_kills['o'] << " old, " << random_kills['n'] << " new";
}

}  // namespace
