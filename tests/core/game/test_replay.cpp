#include "core/replay.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/actions/movement.h"
#include "core/game/loop.h"
#include "core/game/newgame.h"
#include "core/game/replay_play.h"
#include "core/game/turn.h"
#include "core/headless.h"
#include "core/seed.h"
#include "core/version.h"
#include "core/world.h"
#include "items/actions.h"
#include "tests/persistence/save_fixture.h"
#include "tests/scratch_folder.h"

namespace {

class Replay : public ::testing::Test {
 protected:
  scratch_folder scratch;
  std::string path = "game.replay";
  void SetUp() override { use_headless(); }
  void TearDown() override { replay_stop(); }

  // A game played the way init_loop plays one, with scripted input.
  std::string play_recorded_game(unsigned seed, int difficulty,
                                 std::vector<std::function<void()>> inputs) {
    copy_text(unit[1][1].name, "Tester");
    DIFFICULTY = difficulty;
    CURRENT_PLAYER = CURRENT_UNIT = 1;
    ask_for_seed(seed);
    open_new_game();
    EXPECT_TRUE(replay_begin(path.c_str(), GAME_SEED, DIFFICULTY, "Tester", GAME_VERSION));
    for (auto& f : inputs) headless.inputs.push_back(f);
    gameover = GAME_PLAYING;
    main_loop();
    std::string digest = world_digest();
    replay_end();
    return digest;
  }
};

// The first object of a kind the acting unit holds, 0 if none.
int held(int type) {
  for (int k = 1; k < OBJECT_SLOTS; k++) {
    const object_record& o = object[k];
    if (o.type == type && o.status != OBJECT_FREE && o.status != OBJECT_ON_GROUND &&
        o.owner_player == CURRENT_PLAYER && o.owner_unit == CURRENT_UNIT)
      return k;
  }
  return 0;
}

// A walk about with turns ended by hand and by running out of points, and
// the kit put away, drawn, packed and dropped.
std::vector<std::function<void()>> a_walk() {
  std::vector<std::function<void()>> in;
  for (int i = 0; i < 30; i++) {
    in.push_back([i] {
      if (i == 12) {
        // One input that spends the last point and goes on: the turn ends
        // after the whole input, never inside it.
        for (int k = 0; k < 40; k++) turnright(CURRENT_PLAYER, CURRENT_UNIT);
      } else if (i >= 20 && i <= 23) {
        int sword = held(ITEM_WEAPON), key = held(ITEM_KEY);
        if (i == 20) unequip_item(sword);
        if (i == 21) equip_weapon(sword, CURRENT_PLAYER, CURRENT_UNIT);
        if (i == 22) pack_item(key);
        if (i == 23) drop_item(key, CURRENT_PLAYER, CURRENT_UNIT);
      } else if (i % 7 == 3)
        turnright(CURRENT_PLAYER, CURRENT_UNIT);
      else if (i % 11 == 5)
        end_turn();
      else
        forward(CURRENT_PLAYER, CURRENT_UNIT);
    });
  }
  return in;
}

TEST_F(Replay, APlayedGameReplaysToTheSameDigestOfEveryTable) {
  for (int difficulty = 1; difficulty <= 3; difficulty++) {
    std::string played = play_recorded_game(900 + difficulty, difficulty, a_walk());
    replay_record r;
    std::string reason;
    ASSERT_TRUE(read_replay(path, r, reason)) << reason;
    EXPECT_EQ(r.seed, 900u + difficulty);
    EXPECT_EQ(r.difficulty, difficulty);
    EXPECT_EQ(r.name, "Tester");
    ASSERT_TRUE(r.has_digest);
    EXPECT_EQ(r.digest, played);
    EXPECT_GT(r.commands.size(), 20u);

    // Another game in between must not leak into the replay.
    use_headless();
    ask_for_seed(4);
    open_new_game();
    use_headless();
    replay_outcome out = play_replay_headless(r);
    EXPECT_TRUE(out.followed) << out.reason;
    EXPECT_EQ(out.digest, played) << "difficulty " << difficulty;
    EXPECT_TRUE(out.matches);
  }
}

// Only the outermost routine of an input is a command, written with the
// turns ended before it.
TEST_F(Replay, InputsAreWrittenAsTheirOutermostCommandsWithTheTurn) {
  play_recorded_game(31, 1, {[] {
                               turnright(1, 1);  // one input, two commands
                               forward(1, 1);
                             },
                             [] { end_turn(); }, [] { end_turn(); }, [] { turnleft(1, 1); }});
  std::string text = read_text(path);
  EXPECT_NE(text.find("\n0 turnright 1 1\n+ 0 forward 1 1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n2 turnleft 1 1\n"), std::string::npos) << text;
  // forward runs reveal_tiles and the move events itself: they are not written,
  // nor what the main loop does between inputs (handing play on).
  EXPECT_EQ(text.find("reveal_tiles"), std::string::npos) << text;
  EXPECT_EQ(text.find("next_unit"), std::string::npos) << text;
}

TEST_F(Replay, TheDigestSeesEveryTable) {
  ask_for_seed(8);
  open_new_game();
  std::string before = world_digest();
  EXPECT_EQ(world_digest(), before);
  for (int32_t* field : {&map[4][9][9].revealed, &environment[2][3][4].water,
                         &unit[3][400].waypoint_y[9], &object[OBJECT_SLOTS - 1].var1,
                         &container[1].locked, &QUEST_NO}) {
    ++*field;
    EXPECT_NE(world_digest(), before);
    --*field;
  }
  EXPECT_EQ(world_digest(), before);
  // What lies after a name's end plays no part.
  unit[1][1].name[UNIT_NAME_SIZE - 1] = 'x';
  EXPECT_EQ(world_digest(), before);
}

TEST(ReplayFile, DamagedFilesAreRefusedWithTheLineThatFailed) {
  const std::string head = "GRIMHOLLOW REPLAY 1\nversion 1.0.0\nseed 5\ndifficulty 2\nname Ann\n";
  replay_record r;
  std::string why;
  EXPECT_TRUE(parse_replay(head + "0 forward 1 1\n1 end_turn\n", r, why)) << why;
  EXPECT_EQ(r.commands.size(), 2u);
  // Only the second format says where inputs began.
  std::string two = "GRIMHOLLOW REPLAY 2\n" + head.substr(20);
  EXPECT_TRUE(parse_replay(two + "0 forward 1 1\n+ 0 turnleft 1 1\n0 end_turn\n", r, why)) << why;
  EXPECT_EQ(replay_input_length(r, 0), 2u);
  EXPECT_EQ(replay_input_length(r, 2), 1u);
  EXPECT_EQ(replay_input_length(r, 3), 0u);

  for (const auto& [text, says] : std::vector<std::pair<std::string, const char*>>{
           {"", "line 1"},
           {"hello\n", "not a replay"},
           {"GRIMHOLLOW REPLAY 3\n", "another version"},
           {head + "+ 0 forward 1 1\n", "no input to carry on"},
           {"GRIMHOLLOW REPLAY 2\n" + head.substr(20) + "+ 0 forward 1 1\n", "no input"},
           {"GRIMHOLLOW REPLAY 1\nversion 1.0.0\n", "line 3"},
           {"GRIMHOLLOW REPLAY 1\nversion 1.0.0\nseed -1\n", "seed"},
           {"GRIMHOLLOW REPLAY 1\nversion 1.0.0\nseed 5\ndifficulty 4\nname A\n", "difficulty"},
           {head + "x forward 1 1\n", "line 6"},
           {head + "3 forward 1 1\n2 forward 1 1\n", "backwards"},
           {head + "0 forward 1 one\n", "not numbers"},
           {head + "0 forw;rd 1 1\n", "stray"},
           {head + "0 forward 1 1 1 1 1 1 1 1 1\n", "not numbers"},
           {head + "end 0123456789abcdef\n0 forward 1 1\n", "after the end"},
           {head + "end 12\n", "digest"},
       }) {
    why.clear();
    EXPECT_FALSE(parse_replay(text, r, why)) << text;
    EXPECT_NE(why.find(says), std::string::npos) << "'" << why << "' for:\n" << text;
  }
}

TEST(ReplayFile, CommandsThatCannotBeFollowedStopThePlayback) {
  use_headless();
  const std::string head = "GRIMHOLLOW REPLAY 1\nversion 1.0.0\nseed 5\ndifficulty 2\nname Ann\n";
  for (const char* line : {"0 fly 1 1\n", "0 forward 1\n", "0 forward 1 5000\n",
                           "0 turn_to 1 1 8\n", "0 open_door 3 9 1\n",
                           "0 touch_statue 11 5 5\n", "0 interact_door 51 5 1\n", "0 forward 4 1\n"}) {
    replay_record r;
    std::string why;
    ASSERT_TRUE(parse_replay(head + "0 turnleft 1 1\n" + line + "0 turnleft 1 1\n", r, why));
    use_headless();
    replay_outcome out = play_replay_headless(r);
    EXPECT_FALSE(out.followed) << line;
    EXPECT_EQ(out.commands_run, 1) << line;
    EXPECT_FALSE(out.reason.empty());
    EXPECT_FALSE(out.matches);
  }
  std::string why;
  replay_record r;
  EXPECT_FALSE(read_replay("/nonexistent/replay", r, why));
  EXPECT_NE(why.find("cannot open"), std::string::npos);
}

TEST_F(Replay, FilesThatAreNoReplaysAreRefusedWithoutWaiting) {
  struct hostile {
    const char* label;
    int (*plant)(const std::string&);
    const char* reason;
  };
  const hostile cases[] = {
      {"pipe", [](const std::string& p) { return mkfifo(p.c_str(), 0644); },
       " is not a regular file"},
      {"device", [](const std::string& p) { return symlink("/dev/zero", p.c_str()); },
       " is not a regular file"},
      {"huge",
       [](const std::string& p) {
         std::FILE* f = std::fopen(p.c_str(), "w");
         if (!f) return -1;
         std::fclose(f);
         return truncate(p.c_str(), 65ll * 1024 * 1024);  // sparse: costs no disk
       },
       " is larger than 67108864 bytes"},
  };
  for (const hostile& h : cases) {
    ASSERT_EQ(h.plant(path), 0) << h.label;
    std::string why;
    replay_record r;
    EXPECT_FALSE(read_replay(path, r, why)) << h.label;
    EXPECT_EQ(why, path + h.reason) << h.label;
    std::remove(path.c_str());
  }
}

}  // namespace
