#include <gtest/gtest.h>

#include "ui/command_line.h"

static command_line read(std::vector<std::string> args) { return read_command_line(args); }

TEST(CommandLine, NothingGivenPlaysAGameSeededByTheClockAtScaleOne) {
  command_line c = read({});
  EXPECT_TRUE(c.error.empty());
  EXPECT_FALSE(c.has_seed || c.help || c.version || c.headless);
  EXPECT_TRUE(c.replay.empty());
  EXPECT_EQ(c.scale, 1);
}

TEST(CommandLine, GoodOptionsAreReadInBothSpellingsAndAtTheEdges) {
  command_line a = read({"--seed", "42"});
  EXPECT_TRUE(a.error.empty());
  EXPECT_TRUE(a.has_seed);
  EXPECT_EQ(a.seed, 42u);
  EXPECT_EQ(read({"--seed=7"}).seed, 7u);
  EXPECT_EQ(read({"--seed", "0"}).seed, 0u);
  EXPECT_EQ(read({"--seed", "4294967295"}).seed, 4294967295u);
  EXPECT_EQ(read({"--scale", "2"}).scale, 2);
  EXPECT_EQ(read({"--scale=4"}).scale, 4);
  command_line r = read({"--replay", "save/last.replay", "--headless"});
  EXPECT_TRUE(r.error.empty());
  EXPECT_EQ(r.replay, "save/last.replay");
  EXPECT_TRUE(r.headless);
  EXPECT_TRUE(read({"--help"}).help);
  EXPECT_TRUE(read({"-h"}).help);
  EXPECT_TRUE(read({"--version"}).version);
  EXPECT_TRUE(read({"--history"}).history);
  EXPECT_NE(command_line_usage().find("--seed N"), std::string::npos);
}

TEST(CommandLine, BadValuesAndUnknownOptionsAreRefused) {
  for (const char* bad : {"", "-1", "4294967296", "12x", "0x10", " 5", "99999999999"}) {
    command_line c = read({"--seed", bad});
    EXPECT_FALSE(c.error.empty()) << "seed '" << bad << "'";
    EXPECT_FALSE(c.has_seed);
  }
  for (const char* bad : {"0", "5", "", "-1", "2x", "1.5"}) {
    command_line c = read({"--scale", bad});
    EXPECT_FALSE(c.error.empty()) << "scale '" << bad << "'";
    EXPECT_EQ(c.scale, 1);
  }
  // A value missing, headless play with no replay, a word that is no option.
  for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
           {"--seed"}, {"--scale"}, {"--replay"}, {"--headless"}, {"play"}, {"--seedling=3"}})
    EXPECT_FALSE(read(bad).error.empty()) << bad[0];
  EXPECT_NE(read({"--seed", "3", "--fast"}).error.find("--fast"), std::string::npos);
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
