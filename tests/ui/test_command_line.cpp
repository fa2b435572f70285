#include <gtest/gtest.h>

#include <tuple>

#include "ui/command_line.h"

static command_line read(std::vector<std::string> args) { return read_command_line(args); }

TEST(CommandLine, GoodOptionsAreReadInBothSpellingsAndAtTheEdges) {
  command_line c = read({});  // a game seeded by the clock at scale one
  EXPECT_TRUE(c.error.empty() && c.replay.empty());
  EXPECT_FALSE(c.has_seed || c.help || c.version || c.headless || c.history);
  EXPECT_EQ(c.scale, 1);
  c = read({"--seed", "42"});
  EXPECT_TRUE(c.error.empty() && c.has_seed);
  EXPECT_EQ(c.seed, 42u);
  const std::pair<std::vector<std::string>, unsigned> seeds[] = {
      {{"--seed=7"}, 7u}, {{"--seed", "0"}, 0u}, {{"--seed", "4294967295"}, 4294967295u}};
  for (const auto& [args, seed] : seeds) EXPECT_EQ(read(args).seed, seed) << args.back();
  EXPECT_EQ(std::pair(read({"--scale", "2"}).scale, read({"--scale=4"}).scale), std::pair(2, 4));
  c = read({"--replay", "save/last.replay", "--headless"});
  EXPECT_TRUE(c.error.empty() && c.headless);
  EXPECT_EQ(c.replay, "save/last.replay");
  EXPECT_TRUE(read({"--help"}).help && read({"-h"}).help);
  EXPECT_TRUE(read({"--version"}).version && read({"--history"}).history);
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
  // {DISPLAY, the error met, what the console says}
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {nullptr, "", "DISPLAY is not set."},
      {"", nullptr, "DISPLAY is not set."},
      {":7", "no X", "DISPLAY (:7) did not answer. (no X)"}};
  for (auto [display, error, says] : cases) {
    std::string text = no_window_message(display, error);
    EXPECT_EQ(std::pair(text.front(), text.back()), std::pair('\n', '\n'));
    EXPECT_NE(text.find("needs a graphical display"), std::string::npos) << text;
    EXPECT_NE(text.find(says), std::string::npos) << text;
  }
}
