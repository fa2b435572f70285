// Finding the run folder. Plain file-system work, so it is tested without a
// window.
#include "ui/run_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

static bool is_folder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// mkdir -p, for the player's data folder that may not exist yet.
static bool make_folders(const std::string& path) {
  if (path.empty() || is_folder(path)) return true;
  std::string::size_type slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !make_folders(path.substr(0, slash)))
    return false;
  return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

run_folder choose_run_folder(const std::string& exe_dir, const char* xdg_data_home,
                             const char* home,
                             const std::function<bool(const std::string&)>& has_pictures) {
  run_folder r;
  r.dir = exe_dir;
  if (has_pictures(exe_dir)) return r;
  std::string shared = exe_dir + INSTALLED_SHARE;
  if (!has_pictures(shared)) return r;  // nothing better: missing pictures are reported
  r.installed = true;
  r.shared = shared;
  // The XDG rule: an unset or relative XDG_DATA_HOME means ~/.local/share.
  if (xdg_data_home && xdg_data_home[0] == '/')
    r.dir = std::string(xdg_data_home) + "/grimhollow";
  else if (home && home[0] == '/')
    r.dir = std::string(home) + "/.local/share/grimhollow";
  else
    r.dir = "/tmp/grimhollow-" + std::to_string(getuid());
  return r;
}

// A link named name in dir pointing at target; an old link is replaced (the
// game may have been installed elsewhere since), a real folder is kept.
static bool link_shared(const std::string& dir, const char* name, const std::string& target,
                        std::string& reason) {
  std::string path = dir + "/" + name;
  struct stat st;
  if (lstat(path.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) return true;
    unlink(path.c_str());
  }
  if (symlink(target.c_str(), path.c_str()) != 0) {
    reason = "cannot link " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool prepare_run_folder(const run_folder& where, std::string& reason) {
  for (const char* sub : {"", "/save", "/screenshots"}) {
    if (!make_folders(where.dir + sub)) {
      reason = "cannot make " + where.dir + sub + ": " + std::strerror(errno);
      return false;
    }
  }
  if (!where.installed) return true;
  return link_shared(where.dir, "data", where.shared + "/data", reason) &&
         link_shared(where.dir, "fonts", where.shared + "/fonts", reason);
}
