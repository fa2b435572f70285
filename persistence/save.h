// Saved games: eight text files in save/, all named after the save name the
// player types, one name file and seven data files.
#pragma once

#include <array>
#include <string>

constexpr int SAVE_DATA_FILES = 7;
// The data files' suffixes, in the order a save writes them.
enum save_file_index {
  SAVE_MAPTYPE,
  SAVE_MAPREVEALED,
  SAVE_MAPENV,
  SAVE_MAPEXTRA,
  SAVE_UNITS,
  SAVE_OBJECTS,
  SAVE_CONTAINERS
};
extern const char* const SAVE_SUFFIXES[SAVE_DATA_FILES];

// A grid file: per level 50 rows of 50 squares and a line feed, then "~".
constexpr long GRID_FILE_SIZE = 11L * (50 * 51 + 1);

// Save names: 3 to 39 letters, digits, spaces, '-' and '_', so that a name
// always stays a plain file name inside save/ and the file selector lists it
// back whole.
constexpr int SAVE_NAME_MIN = 3;
constexpr int SAVE_NAME_MAX = 39;
bool save_name_char_allowed(int c);
bool save_name_valid(const std::string& name);

using save_texts = std::array<std::string, SAVE_DATA_FILES>;

// The live world as the contents of the seven data files.
void write_save_texts(save_texts& out);
// Reads the seven files' contents into a staging copy and checks all of it;
// only when everything is sound is the live world replaced (and its derived
// fields rebuilt).  On false, error says what was wrong and the live world
// has not been touched.
bool load_save_texts(const save_texts& in, std::string& error);

// The fuzzer's way through the loader at many inputs a second: a sound save
// is parsed once into a staging copy kept for the run, and each trial parses
// one data file's text over it and checks the world's rules as a load does.
// The check runs in the live tables, which are left holding the last trial.
bool stage_sound_save(const save_texts& sound, std::string& error);
bool try_staged_file(int file, const std::string& text, std::string& error);

// Asks for a save name and loads it; 99 when nothing was loaded (the world
// is then exactly as it was), 0 when the game was replaced.  mode is unused.
int text_load_map(int mode);
// Asks for a save name and writes the game under it; movecost_level is the
// level whose move costs are recomputed afterwards.  0 when saved, else 99.
int text_save_map(int movecost_level);
