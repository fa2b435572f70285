#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "ui/run_folder.h"

static std::function<bool(const std::string&)> pictures_in(std::set<std::string> folders) {
  return [folders](const std::string& f) { return folders.count(f) > 0; };
}

TEST(RunFolder, ABuildFolderOrOneWithoutPicturesRunsInPlace) {
  for (const char* dir : {"/home/p/grim/build", "/somewhere"}) {
    run_folder r = choose_run_folder(dir, "/x", "/home/p", pictures_in({"/home/p/grim/build"}));
    EXPECT_FALSE(r.installed) << dir;
    EXPECT_EQ(r.dir, dir);
  }
}

TEST(RunFolder, AnInstalledGameKeepsItsFilesInThePlayersDataFolder) {
  auto shared = pictures_in({"/opt/g/games/../share/games/grimhollow"});
  run_folder r = choose_run_folder("/opt/g/games", "/home/p/.data", "/home/p", shared);
  EXPECT_TRUE(r.installed);
  EXPECT_EQ(r.dir, "/home/p/.data/grimhollow");
  EXPECT_EQ(r.shared, "/opt/g/games/../share/games/grimhollow");
  // No XDG_DATA_HOME, or a relative one, means ~/.local/share.
  for (const char* xdg : {static_cast<const char*>(nullptr), "rel"})
    EXPECT_EQ(choose_run_folder("/opt/g/games", xdg, "/home/p", shared).dir,
              "/home/p/.local/share/grimhollow");
}

TEST(RunFolder, PreparingMakesTheFoldersAndLinksTheSharedPictures) {
  char tmpl[] = "/tmp/grim_run_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  std::string root = tmpl;
  std::string shared = root + "/share";
  for (const char* sub : {"", "/data", "/fonts"}) ASSERT_EQ(mkdir((shared + sub).c_str(), 0755), 0);
  run_folder r{.dir = root + "/home/.local/share/grimhollow", .shared = shared, .installed = true};
  std::string reason;
  ASSERT_TRUE(prepare_run_folder(r, reason)) << reason;
  struct stat st;
  for (const char* sub : {"/save", "/screenshots", "/data"})  // data through the link
    EXPECT_EQ(stat((r.dir + sub).c_str(), &st), 0) << sub;
  // A second start, after the game moved, relinks rather than failing.
  std::string moved = root + "/moved";
  ASSERT_EQ(rename(shared.c_str(), moved.c_str()), 0);
  r.shared = moved;
  ASSERT_TRUE(prepare_run_folder(r, reason)) << reason;
  EXPECT_EQ(stat((r.dir + "/fonts").c_str(), &st), 0);
  std::filesystem::remove_all(root);
}
