// A save's files as one set: the list that makes a save current, and the
// settling of a name that a save left half done (see persistence/save_set.h).
#include "persistence/save_set.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "core/files.h"

namespace {

constexpr const char* SAVE_FOLDER = "save";
constexpr const char* LIST_MAGIC = "GRIMHOLLOW SAVE SET 1";
constexpr std::size_t LIST_LIMIT = 4096;

struct file_entry {
  std::size_t length = 0;
  uint64_t checksum = 0;
};

struct save_list {
  long generation = 0;
  file_entry files[SAVE_SET_FILES];
};

const char* set_suffix(int file) { return file == SAVE_NAME_FILE ? ".nam" : SAVE_SUFFIXES[file]; }

bool matches(const file_entry& e, const std::string& text) {
  return text.size() == e.length && text_checksum(text) == e.checksum;
}

std::string list_text(const save_list& list) {
  std::string out =
      std::string(LIST_MAGIC) + "\ngeneration " + std::to_string(list.generation) + "\n";
  for (int i = 0; i < SAVE_SET_FILES; i++) {
    char line[128];
    std::snprintf(line, sizeof line, "%s %zu %016" PRIx64 "\n", set_suffix(i), list.files[i].length,
                  list.files[i].checksum);
    out += line;
  }
  return out + "~\n";
}

// The list's lines in the order list_text writes them; false on anything else.
bool parse_list(const std::string& text, save_list& list) {
  std::size_t at = 0;
  auto next_line = [&](std::string& line) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) return false;
    line = text.substr(at, end - at);
    at = end + 1;
    return true;
  };
  std::string line;
  if (!next_line(line) || line != LIST_MAGIC) return false;
  if (!next_line(line) || std::sscanf(line.c_str(), "generation %ld", &list.generation) != 1)
    return false;
  for (int i = 0; i < SAVE_SET_FILES; i++) {
    char suffix[32];
    unsigned long long length = 0;
    uint64_t checksum = 0;
    if (!next_line(line) ||
        std::sscanf(line.c_str(), "%31s %llu %" SCNx64, suffix, &length, &checksum) != 3 ||
        std::strcmp(suffix, set_suffix(i)) != 0 || length > SAVE_FILE_LIMIT)
      return false;
    list.files[i] = {static_cast<std::size_t>(length), checksum};
  }
  return next_line(line) && line == "~";
}

enum list_state { LIST_NONE, LIST_SOUND, LIST_DAMAGED };

list_state read_list(const std::string& name, save_list& list, std::string& error) {
  std::string text;
  file_read_result r = read_file_limited(save_list_path(name), LIST_LIMIT, text);
  if (r == FILE_MISSING) return LIST_NONE;
  if (r == FILE_READ && parse_list(text, list)) return LIST_SOUND;
  error = name + ".set " + (r == FILE_READ ? "is damaged" : file_read_problem(r, LIST_LIMIT));
  return LIST_DAMAGED;
}

// Moves into place the temporary files the current list names and removes
// any others (the remains of a save that never became current).  False when
// something could not be moved or removed: the name must then not be saved
// over, or a save the list names could be lost.
bool settle(const std::string& name) {
  bool ok = remove_file(save_list_path(name) + ".tmp");
  save_list list;
  std::string error;
  list_state state = read_list(name, list, error);
  bool touched = false;
  for (int i = 0; i < SAVE_SET_FILES; i++) {
    std::string temp = save_temp_path(name, i);
    if (!file_exists(temp)) continue;
    touched = true;
    std::string text;
    bool named = state == LIST_SOUND &&
                 read_file_limited(temp, SAVE_FILE_LIMIT, text) == FILE_READ &&
                 matches(list.files[i], text);
    // A damaged list cannot tell which files are current: keep everything.
    if (state == LIST_DAMAGED)
      ok = false;
    else if (named)
      ok = rename_file(temp, save_file_path(name, i)) && ok;
    else
      ok = remove_file(temp) && ok;
  }
  if (touched) ok = sync_folder(SAVE_FOLDER) && ok;
  return ok;
}

// The text of one data file as the list names it: the file in place, or the
// temporary one that settling could not move.
bool read_named(const std::string& name, int i, const file_entry& e, std::string& out,
                std::string& error) {
  file_read_result r = read_file_limited(save_file_path(name, i), SAVE_FILE_LIMIT, out);
  if (r == FILE_READ && matches(e, out)) return true;
  std::string temp;
  if (read_file_limited(save_temp_path(name, i), SAVE_FILE_LIMIT, temp) == FILE_READ &&
      matches(e, temp)) {
    out = std::move(temp);
    return true;
  }
  error = r == FILE_READ ? std::string(set_suffix(i)) + " does not belong to this save"
                         : std::string(set_suffix(i)) + " " + file_read_problem(r, SAVE_FILE_LIMIT);
  return false;
}

void remove_temps(const std::string& name) {
  for (int i = 0; i < SAVE_SET_FILES; i++) remove_file(save_temp_path(name, i));
  remove_file(save_list_path(name) + ".tmp");
}

}  // namespace

std::string save_file_path(const std::string& name, int file) {
  return std::string(SAVE_FOLDER) + "/" + name + set_suffix(file);
}

// Save names hold no '.', so these never meet another save's files, and
// none ends in ".nam", so the file selector never lists one.
std::string save_temp_path(const std::string& name, int file) {
  return std::string(SAVE_FOLDER) + "/" + name + "." + std::to_string(file) + ".tmp";
}

std::string save_list_path(const std::string& name) {
  return std::string(SAVE_FOLDER) + "/" + name + ".set";
}

bool write_save_set(const std::string& name, const save_set_texts& texts) {
  make_folder(SAVE_FOLDER);
  if (!settle(name)) return false;
  save_list list;
  std::string error;
  if (read_list(name, list, error) == LIST_DAMAGED) return false;
  list.generation++;
  for (int i = 0; i < SAVE_SET_FILES; i++) {
    const std::string& text = texts[static_cast<std::size_t>(i)];
    list.files[i] = {text.size(), text_checksum(text)};
    if (!write_new_file(save_temp_path(name, i), text)) {
      remove_temps(name);
      return false;
    }
  }
  // The temporary files' names must be on the disk before the list that
  // names them.
  std::string list_temp = save_list_path(name) + ".tmp";
  if (!sync_folder(SAVE_FOLDER) || !write_new_file(list_temp, list_text(list)) ||
      !rename_file(list_temp, save_list_path(name))) {
    remove_temps(name);
    return false;
  }
  // From here on the new save is the current one, whatever follows.
  // A step that fails here is finished by whoever next settles the name.
  bool ok = sync_folder(SAVE_FOLDER);
  for (int i = 0; i < SAVE_SET_FILES; i++)
    ok = rename_file(save_temp_path(name, i), save_file_path(name, i)) && ok;
  return sync_folder(SAVE_FOLDER) && ok;
}

save_set_result read_save_set(const std::string& name, save_texts& out, std::string& error) {
  // A load that cannot tidy up still reads the set the list names, wherever
  // its files stand.
  settle(name);
  save_list list;
  list_state state = read_list(name, list, error);
  if (state == LIST_DAMAGED) return SET_REFUSED;
  if (state == LIST_SOUND) {
    for (int i = 0; i < SAVE_DATA_FILES; i++)
      if (!read_named(name, i, list.files[i], out[static_cast<std::size_t>(i)], error))
        return SET_REFUSED;
    return SET_LOADED;
  }
  // A save from before the list: its files as they stand.
  for (int i = 0; i < SAVE_DATA_FILES; i++) {
    file_read_result r = read_file_limited(save_file_path(name, i), SAVE_FILE_LIMIT,
                                           out[static_cast<std::size_t>(i)]);
    if (r == FILE_MISSING && i == SAVE_MAPTYPE) return SET_MISSING;
    if (r != FILE_READ) {
      error = std::string(set_suffix(i)) + " " + file_read_problem(r, SAVE_FILE_LIMIT);
      return SET_REFUSED;
    }
  }
  return SET_LOADED;
}
