// The files the game keeps (saves, the score table, replays, records): read
// whole only when they are regular files and never past a size limit, and
// written through a temporary name and a rename, so a reader meets either the
// old file or the new one, never half of each.
//
// Every call here that opens, writes, syncs, renames or removes is one
// counted file operation.  A test may make the n-th operation from now fail
// (as a full disk would) or kill the process right before it (as a power cut
// would), to walk a save through every moment it can stop at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum file_read_result {
  FILE_READ,         // the whole file is in out
  FILE_MISSING,      // nothing stands under that name
  FILE_NOT_REGULAR,  // a folder, a pipe, a device: never read, it could hang or never end
  FILE_TOO_BIG,      // larger than the limit (checked while reading, too)
  FILE_UNREADABLE,   // it exists but cannot be opened or read
};

// Reads path whole into out when it is a regular file of at most limit bytes.
// A pipe or device is refused without waiting on it.
file_read_result read_file_limited(const std::string& path, std::size_t limit, std::string& out);
// What went wrong, as the end of a sentence that starts with the file's name:
// "is missing", "is not a regular file", "is larger than 16777216 bytes".
std::string file_read_problem(file_read_result result, std::size_t limit);

// Writes text to path as a file made afresh (whatever stood there, a link
// included, is removed first and never written through), then flushes it to
// the disk.  False when any step failed; the half-written file is removed.
bool write_new_file(const std::string& path, const std::string& text);
// Writes text to path + ".tmp" and renames that over path, so path holds the
// old text or the new one whatever happens.  False leaves path as it was.
bool write_file_replacing(const std::string& path, const std::string& text);
// rename(2); true when from now stands under to.
bool rename_file(const std::string& from, const std::string& to);
// True when nothing stands under path afterwards.
bool remove_file(const std::string& path);
// Flushes a folder's names to the disk, so renames in it last.
bool sync_folder(const std::string& folder);
// Makes the folder unless it is there.
void make_folder(const std::string& folder);
// True when something (of any kind) stands under path.
bool file_exists(const std::string& path);

// FNV-1a over the bytes, 64 bits: tells files apart, not a guard against
// anyone who means harm.
uint64_t text_checksum(const std::string& text);

enum file_fault_kind { FILE_FAULT_NONE, FILE_FAULT_FAIL, FILE_FAULT_KILL };
// From now on, the at-th counted operation (1 the next one) fails with EIO
// or kills the process before it runs; FILE_FAULT_NONE clears the fault.
// Either way the count starts again from zero.
void set_file_fault(file_fault_kind kind, int at);
// Counted operations since the last set_file_fault.
int file_operations_counted();
