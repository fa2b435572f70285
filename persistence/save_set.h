// A save's eight files as one set.  The seven data files and the name file
// are written under temporary names, then a small list of the set (its
// generation, and each file's length and checksum) is renamed into place as
// save/N.set: that one rename makes the new save current.  Only then are the
// temporary files renamed over the old ones.  Whoever next meets the name,
// a load or a save, first settles it: temporary files the list names are
// moved into place, any others are the remains of a save that never became
// current and are removed.  So a save stopped at any moment loads whole as
// the old save or the new one.
//
// A save written before the list existed has no save/N.set and loads as it
// always did.
#pragma once

#include <array>
#include <string>

#include "persistence/save.h"

// The data files, then the name file.
constexpr int SAVE_SET_FILES = SAVE_DATA_FILES + 1;
constexpr int SAVE_NAME_FILE = SAVE_DATA_FILES;
using save_set_texts = std::array<std::string, SAVE_SET_FILES>;

// A data file larger than this is damage, never a save.
constexpr std::size_t SAVE_FILE_LIMIT = 16u * 1024 * 1024;

// Writes the set under name.  False when the new save did not become whole
// on the disk; the name then loads as the old save or, when only the last
// steps failed, as the new one.
bool write_save_set(const std::string& name, const save_set_texts& texts);

enum save_set_result { SET_LOADED, SET_MISSING, SET_REFUSED };
// Settles the name, then reads the seven data files of its current set.
// SET_MISSING when no save stands under the name; SET_REFUSED with a reason
// when its files cannot be read or do not belong together.
save_set_result read_save_set(const std::string& name, save_texts& out, std::string& error);

// The paths a set uses, for the tests that look at the folder.
std::string save_file_path(const std::string& name, int file);
std::string save_temp_path(const std::string& name, int file);
std::string save_list_path(const std::string& name);
