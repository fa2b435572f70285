// The record of every finished game, written by the outer loop as each game
// ends, and the list of past games read back from the records.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/actions/climb.h"
#include "core/game/loop.h"
#include "core/game_end.h"
#include "core/headless.h"
#include "core/world.h"
#include "persistence/game_record.h"
#include "tests/persistence/save_fixture.h"
#include "tests/scratch_folder.h"

namespace {

// A new game from the menus, seeded, ended by what the one input does.
std::string play_new_game(unsigned seed, void (*end)()) {
  use_headless();
  reset_globals();
  DEBUG_MODE = 0;
  std::srand(seed);
  headless.menu_choices = {1, 3};
  headless.names = {"Aldric"};
  headless.inputs.push_back(end);
  init_loop();
  return LAST_RECORD;
}

}  // namespace

TEST(GameRecord, EachEndingIsRecordedWithItsReplayKeptBesideIt) {
  scratch_folder scratch;
  ::mkdir("save", 0755);
  const struct {
    void (*end)();
    const char* how;
    const char* party;
  } games[] = {
      {[] { unit[1][1].health = -10; }, "how it ended: killed by wounds on level 0\n",
       ": health -10 of "},
      {[] {
         // Slain in a fight: the leader's slot is freed, its kit dropped.
         unit[1][1].health = -12;
         unit[1][1].status = UNIT_FREE;
         note_game_end(ENDING_KILLED, "Cave Spider", 0);
         gameover = GAME_OVER;
       },
       "how it ended: killed by Cave Spider on level 0\n", ", dead\n    (nothing carried)\n"},
      {[] { leave_game(); }, "how it ended: left on level 0\n", ", on level 0\n    "},
      {[] {
         climb_to(1, 1, LEVELS - 1);
         climb_a_level_up(1, 1, 0, 0);
       },
       "how it ended: climbed out\n", ", on level 10\n"},
  };
  for (const auto& g : games) {
    SCOPED_TRACE(g.how);
    std::string path = play_new_game(7, g.end);
    ASSERT_FALSE(path.empty());
    std::string text = read_text(path);
    EXPECT_EQ(text.rfind(RECORD_MAGIC, 0), 0u);
    for (const char* part :
         {g.how, "\nname: Aldric\n", "\ndifficulty: extreme\n", "\nseed: ", "\nturns played: 0\n",
          "\nparty:\n  Aldric: health ", "\nlast messages:\n  ", "F1 or ? shows how to play"})
      EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    std::size_t at = text.find("\nreplay: ") + 9;
    std::string replay = text.substr(at, text.find('\n', at) - at);
    std::string header = read_text("save/" + replay);
    EXPECT_EQ(header.rfind("GRIMHOLLOW REPLAY", 0), 0u) << replay;
    EXPECT_NE(header.find("\ndifficulty 3\nname Aldric\n"), std::string::npos) << header;
  }
  // The three games ended within moments: each has a file, newest first.
  std::vector<std::string> skipped;
  std::vector<record_summary> list = list_game_records(RECORD_FOLDER, skipped);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_TRUE(skipped.empty());
  EXPECT_EQ(list[0].how, "climbed out");
  EXPECT_EQ(list[3].how, "killed by wounds on level 0");
  EXPECT_EQ(list[0].name, "Aldric");
  EXPECT_EQ(list[0].difficulty, "extreme");
}

TEST(GameRecord, DamagedOrForeignFilesAreSkippedWithANote) {
  scratch_folder scratch;
  ::mkdir("save", 0755);
  std::string whole = std::string(RECORD_MAGIC) +
                      "\nended: 2026-01-02 03:04\nname: Ada\ndifficulty: hard\n"
                      "deepest level: 4\nhow it ended: left on level 4\n";
  write_text("save/game-20260102-030400.record", whole);
  write_text("save/game-20260102-030500.record", "GRIMHOLLOW REPLAY\n1\n");
  write_text("save/game-20260102-030600.record", whole.substr(0, whole.size() - 30));
  write_text("save/game-20260102-030700.record", whole + std::string(RECORD_SIZE_LIMIT, 'x'));
  std::string deep = whole;
  deep.replace(deep.find("level: 4"), 8, "level: 99");
  write_text("save/game-20260102-030800.record", deep);
  ::mkdir("save/game-20260102-030900.record", 0755);
  ASSERT_EQ(::symlink("game-20260102-030400.record", "save/game-20260102-031000.record"), 0);
  write_text("save/notes.txt", "not a record");

  std::vector<std::string> skipped;
  std::vector<record_summary> list = list_game_records("save", skipped);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(record_summary_line(list[0]), "2026-01-02 03:04  Ada  hard  level 4  left on level 4");
  ASSERT_EQ(skipped.size(), 6u);
  const char* reasons[] = {"not a regular file", "not a regular file",     "a deepest level",
                           "larger than",        "no 'how it ended' line", "not a game record"};
  for (std::size_t i = 0; i < skipped.size(); i++)
    EXPECT_NE(skipped[i].find(reasons[i]), std::string::npos) << skipped[i];
}
