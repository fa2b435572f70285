// Where the game runs: beside its executable when its pictures lie there (the
// build folder, a copied folder), or, when installed, in the player's own data
// folder with the shared pictures and font linked in, so saves, the score
// table and replays never go into the install folder.
#pragma once

#include <functional>
#include <string>

struct run_folder {
  std::string dir;           // the folder the game works in
  std::string shared;        // installed: the folder holding data/ and fonts/
  bool installed = false;
};

// Where the pictures of an installed game lie, relative to its executable.
constexpr const char* INSTALLED_SHARE = "/../share/games/grimhollow";

// exe_dir is the executable's folder; xdg_data_home and home are the
// environment's values (null when unset); has_pictures tells whether a
// folder holds data/ and fonts/.
run_folder choose_run_folder(const std::string& exe_dir, const char* xdg_data_home,
                             const char* home,
                             const std::function<bool(const std::string&)>& has_pictures);

// Makes the run folder ready (save/, screenshots/, and for an installed game
// the links to the shared data/ and fonts/); false with a reason on failure.
bool prepare_run_folder(const run_folder& where, std::string& reason);
