#include <gtest/gtest.h>

#include "ui/command_line.h"

static command_line read(std::vector<std::string> args) { return read_command_line(args); }

TEST(CommandLine, NothingGivenPlaysAGameSeededByTheClock) {
  command_line c = read({});
  EXPECT_TRUE(c.error.empty());
  EXPECT_FALSE(c.has_seed);
  EXPECT_FALSE(c.help || c.version || c.headless);
  EXPECT_TRUE(c.replay.empty());
}

TEST(CommandLine, SeedsInBothSpellingsAndAtTheEdges) {
  command_line a = read({"--seed", "42"});
  EXPECT_TRUE(a.error.empty());
  EXPECT_TRUE(a.has_seed);
  EXPECT_EQ(a.seed, 42u);
  EXPECT_EQ(read({"--seed=7"}).seed, 7u);
  EXPECT_EQ(read({"--seed", "0"}).seed, 0u);
  EXPECT_EQ(read({"--seed", "4294967295"}).seed, 4294967295u);
}

TEST(CommandLine, BadSeedsAreRefused) {
  for (const char* bad : {"", "-1", "4294967296", "12x", "0x10", " 5", "99999999999"}) {
    command_line c = read({"--seed", bad});
    EXPECT_FALSE(c.error.empty()) << "seed '" << bad << "'";
    EXPECT_FALSE(c.has_seed);
  }
  EXPECT_FALSE(read({"--seed"}).error.empty());
}

TEST(CommandLine, UnknownOptionsAreRefusedByName) {
  command_line c = read({"--seed", "3", "--fast"});
  EXPECT_NE(c.error.find("--fast"), std::string::npos);
  EXPECT_FALSE(read({"play"}).error.empty());
  EXPECT_FALSE(read({"--seedling=3"}).error.empty());
}

TEST(CommandLine, ReplaysAndTheHeadlessPlayback) {
  command_line c = read({"--replay", "save/last.replay", "--headless"});
  EXPECT_TRUE(c.error.empty());
  EXPECT_EQ(c.replay, "save/last.replay");
  EXPECT_TRUE(c.headless);
  EXPECT_FALSE(read({"--replay"}).error.empty());
  EXPECT_FALSE(read({"--headless"}).error.empty());
}

TEST(CommandLine, HelpAndVersionAreAnswered) {
  EXPECT_TRUE(read({"--help"}).help);
  EXPECT_TRUE(read({"-h"}).help);
  EXPECT_TRUE(read({"--version"}).version);
  EXPECT_TRUE(read({"--history"}).history);
  EXPECT_NE(command_line_usage().find("--seed N"), std::string::npos);
}

TEST(CommandLine, WithoutADisplayTheConsoleSaysWhatIsMissing) {
  struct asked {
    const char *display, *error, *says;
  } const cases[] = {{nullptr, "", "DISPLAY is not set."},
                     {"", nullptr, "DISPLAY is not set."},
                     {":7", "no X", "DISPLAY (:7) did not answer. (no X)"}};
  for (const asked& c : cases) {
    std::string text = no_window_message(c.display, c.error);
    EXPECT_EQ(text.front(), '\n');
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(text.find("needs a graphical display"), std::string::npos) << text;
    EXPECT_NE(text.find(c.says), std::string::npos) << text;
  }
}

TEST(CommandLine, ScalesFromOneToFourAndNothingElse) {
  EXPECT_EQ(read({}).scale, 1);
  EXPECT_EQ(read({"--scale", "2"}).scale, 2);
  EXPECT_EQ(read({"--scale=4"}).scale, 4);
  for (const char* bad : {"0", "5", "", "-1", "2x", "1.5"}) {
    command_line c = read({"--scale", bad});
    EXPECT_FALSE(c.error.empty()) << "scale '" << bad << "'";
    EXPECT_EQ(c.scale, 1);
  }
  EXPECT_FALSE(read({"--scale"}).error.empty());
}
