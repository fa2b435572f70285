// The final score, the leader's title and the high-score table file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/headless.h"
#include "core/seed.h"
#include "core/world.h"
#include "creatures/score.h"
#include "tests/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

class ScoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory("save");
    reset_globals();
    use_headless();
    DEBUG_MODE = 0;
    nuke_variables();
    for (object_record& o : object) o = object_record{};
    unit_record& leader = unit[1][1];
    leader = unit_record{};
    leader.status = UNIT_NORMAL;
    leader.level = 1;
    leader.health = 20;
    copy_text(leader.name, "ADA");
  }
  static std::string file_text() {
    std::ifstream f("save/hiscore.tab", std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
  }
  static void put_file(const std::string& text) {
    std::ofstream("save/hiscore.tab", std::ios::binary) << text;
  }
  static std::string table_of(std::initializer_list<std::pair<const char*, int>> entries) {
    std::string t;
    for (const auto& [name, score] : entries)
      t += std::string("SCORE:\n") + name + "\n" + std::to_string(score) + "\n";
    return t + "~";
  }
  static object_record& give(int n, int worth, int type = ITEM_GEM, int owner = 1) {
    object_record& o = object[n];
    o.status = OBJECT_CARRIED;
    o.owner_player = owner;
    o.owner_unit = 1;
    o.worth = worth;
    o.type = type;
    return o;
  }

  scratch_folder away_;
};

TEST_F(ScoreTest, TheSumOfLeaderPartyPossessionsAndQuest) {
  EXPECT_EQ(compute_score(), 920);
  EXPECT_STREQ(score_title(920), " the ADVENTURER!");

  unit[1][1].level = 3;
  unit[1][1].health = 33;
  EXPECT_EQ(compute_score(), 2799);

  unit[1][2].status = UNIT_GONE;
  unit[1][2].race = 99;  // the Beloved
  unit[1][3].status = UNIT_GONE;
  unit[1][4].status = UNIT_NORMAL;  // still inside counts nothing
  unit[2][5].status = UNIT_GONE;    // nor does a monster
  EXPECT_EQ(compute_score(), 2799 + 1200);

  give(1, 50);
  give(2, 7, ITEM_HERBS);
  give(3, 1000, ITEM_GEM, 2);  // a monster's
  give(2998, 5).status = OBJECT_WORN;
  EXPECT_EQ(compute_score(), 2799 + 1200 + 62);
  QUEST_NO = 1;  // herbs were the quest
  EXPECT_EQ(compute_score(), 2799 + 1200 + 62 + 400);
  for (auto [quest, bonus] :
       {std::pair{14, 200}, {13, 300}, {23, 500}, {33, 800}, {43, 1200}, {53, 0}, {4, 0}}) {
    QUEST_NO = quest;
    EXPECT_EQ(compute_score(), 2799 + 1200 + 62 + bonus) << quest;
  }

  unit[1][1].health = 0;
  EXPECT_EQ(compute_score(), 0);
  EXPECT_STREQ(score_title(0), " the DEAD!");
}

TEST_F(ScoreTest, TitlesLeaveExactThousandsBare) {
  for (auto [score, title] : {std::pair{999, " the ADVENTURER!"},
                              {1000, ""},
                              {1001, " the HERO!"},
                              {1999, " the HERO!"},
                              {2000, ""},
                              {2001, " the MIGHTY!"}})
    EXPECT_STREQ(score_title(score), title) << score;
  // A leader ending on exactly a thousand keeps a bare name.
  unit[1][1].health = 100;
  final_score();
  EXPECT_STREQ(unit[1][1].name, "ADA");
  EXPECT_EQ(headless.warnings[0].lines[2], "Your final SCORE is 1000");
}

// The ended game shows the score, enters it where it belongs and writes the
// table whole: a missing table was empty, a score equal to the fifth stays
// out, a new second place moves the rest down, and the highest score the game
// can give is kept beside a short table.  The panel names the seed of a game
// built from one; a loaded game's seed is not known.
TEST_F(ScoreTest, AnEndedGameEntersTheScoreWhereItBelongs) {
  const std::string full =
      table_of({{"E", 5000}, {"D", 4000}, {"C", 3000}, {"B", 2000}, {"A", 920}});
  const std::string top = "ADA the ADVENTURER!", max = std::to_string(SCORE_MAX);
  const struct {
    std::string before;
    int level, health;
    std::string name, after, place;
    bool entered;
    unsigned seed = 0;
  } cases[] = {
      {"", 1, 20, top, table_of({{"ADA", 920}, {"", 0}, {"", 0}, {"", 0}, {"", 0}}),
       "1st Place: 920 ADA", true, 123456789},
      {full, 1, 20, top, full, "5th Place: 920 A", false},
      {table_of({{"E", 5000}, {"D", 4000}, {"C", 3000}, {"B", 2000}, {"A", 1000}}), 5, 20,
       "ADA the MIGHTY!",
       table_of({{"E", 5000}, {"ADA", 4600}, {"D", 4000}, {"C", 3000}, {"B", 2000}}),
       "2nd Place: 4600 ADA", true},
      {table_of({{"A", 500}, {"B", 400}, {"C", 300}}), 1000000, 1000000, "ADA the MIGHTY!",
       table_of({{"ADA", SCORE_MAX}, {"A", 500}, {"B", 400}, {"C", 300}, {"", 0}}),
       "1st Place: " + max + " ADA", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.place);
    SetUp();
    if (!c.before.empty()) put_file(c.before);
    unit[1][1].level = c.level;
    unit[1][1].health = c.health;
    forget_game_seed();
    if (c.seed) ask_for_seed(c.seed), seed_new_game();
    const std::string score = std::to_string(compute_score());
    final_score();
    EXPECT_EQ(SCORE, 0);
    EXPECT_EQ(headless.fade_calls, 1);
    EXPECT_EQ(unit[1][1].name, c.name);
    ASSERT_EQ(headless.warnings.size(), 2u);
    EXPECT_EQ(headless.warnings[0].lines[0], c.name);
    EXPECT_EQ(headless.warnings[0].lines[2], "Your final SCORE is " + score);
    EXPECT_EQ(headless.warnings[0].lines[4], c.entered
                                                 ? "CONGRATS YOU HAVE A NEW HIGH SCORE!"
                                                 : "You didn't get a HIGH SCORE this time...");
    EXPECT_EQ(headless.warnings[0].lines[5], c.seed ? "SEED 123456789" : "");
    EXPECT_EQ(headless_said("CONGRATS YOU HAVE A NEW HIGH SCORE!"), c.entered);
    const std::string* lines = headless.warnings[1].lines;
    EXPECT_NE(std::find(lines + 1, lines + 6, c.place), lines + 6);
    EXPECT_EQ(file_text(), c.after);
  }
  EXPECT_EQ(read_score_table("save/hiscore.tab")[0].score, SCORE_MAX);

  // An equal score goes below the one already there.
  score_table t = read_score_table("save/hiscore.tab");
  EXPECT_TRUE(enter_score(t, "TIE", 400));
  EXPECT_EQ(t[2].name + t[3].name + t[4].name, "BTIEC");
}

// What a table file holds is kept as far as it can be read.
TEST_F(ScoreTest, TablesKeepEveryEntryThatCanBeRead) {
  auto names = [] {
    std::string out;
    for (const score_entry& e : read_score_table("save/hiscore.tab"))
      out += e.name + "=" + std::to_string(e.score) + " ";
    return out;
  };
  // Five sound entries are kept even without the closing mark; more are
  // ignored; a name is data whatever it holds, and is cut to a table name.
  const std::string n60(60, 'N');
  std::string six = table_of(
      {{"A", 500}, {"B", 400}, {"~C", 300}, {"SCORE: D", 200}, {n60.c_str(), 100}, {"F", 50}});
  six.pop_back();
  const struct {
    const char* label;
    std::string file, kept;
  } cases[] = {
      {"no file", "", "=0 =0 =0 =0 =0 "},
      {"three entries", table_of({{"A", 500}, {"B", 400}, {"C", 300}}), "A=500 B=400 C=300 =0 =0 "},
      {"a damaged score among five",
       "SCORE:\nA\n500\nSCORE:\nB\n4x\nSCORE:\nC\n3\nSCORE:\nD\n2\nSCORE:\nE\n1\n~",
       "A=500 C=3 D=2 E=1 =0 "},
      {"a missing score line", "SCORE:\nA\nSCORE:\nB\n400\n~", "B=400 =0 =0 =0 =0 "},
      {"cut off in an entry", "SCORE:\nA\n500\nSCORE:\nB\n", "A=500 =0 =0 =0 =0 "},
      {"past the limit", "SCORE:\nA\n2147483648\nSCORE:\nB\n7\n~", "B=7 =0 =0 =0 =0 "},
      {"out of order", table_of({{"A", 5}, {"B", 50}}), "B=50 A=5 =0 =0 =0 "},
      {"garbage", "garbage\n\x01\x02", "=0 =0 =0 =0 =0 "},
      {"six, unmarked", six, "A=500 B=400 ~C=300 SCORE: D=200 " + n60.substr(0, 38) + "=100 "},
  };
  for (const auto& c : cases) {
    fs::remove("save/hiscore.tab");
    if (!c.file.empty()) put_file(c.file);
    EXPECT_EQ(names(), c.kept) << c.label;
  }
}

// A pipe, a device or a huge file where the table should be: refused at
// once with a message, and left as it stands.
TEST_F(ScoreTest, ATableThatIsNoRegularFileIsRefusedWithoutWaiting) {
  ASSERT_EQ(mkfifo("save/hiscore.tab", 0644), 0);
  final_score();
  EXPECT_TRUE(
      headless_said("The high-score table is not kept: save/hiscore.tab is not a regular file"));
  EXPECT_TRUE(fs::is_fifo("save/hiscore.tab"));

  fs::remove("save/hiscore.tab");
  fs::create_symlink("/dev/zero", "save/hiscore.tab");
  std::string problem;
  read_score_table("save/hiscore.tab", &problem);
  EXPECT_EQ(problem, "save/hiscore.tab is not a regular file");

  fs::remove("save/hiscore.tab");
  put_file(table_of({{"A", 500}}));
  fs::resize_file("save/hiscore.tab", 1u << 30);  // sparse: no disk is spent
  problem.clear();
  read_score_table("save/hiscore.tab", &problem);
  EXPECT_EQ(problem, "save/hiscore.tab is larger than 65536 bytes");
}

}  // namespace
