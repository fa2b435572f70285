// Bounded reading, replacing through a temporary, and the counted file
// operations under both (see core/files.h).
#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

file_fault_kind fault_kind = FILE_FAULT_NONE;
int fault_at = 0;
int operations = 0;

// Every operation passes here first: false when it is the one made to fail.
bool operation_allowed() {
  operations++;
  if (fault_kind == FILE_FAULT_NONE || operations != fault_at) return true;
  if (fault_kind == FILE_FAULT_KILL) std::raise(SIGKILL);
  errno = EIO;
  return false;
}

int counted_open(const char* path, int flags, mode_t mode = 0) {
  if (!operation_allowed()) return -1;
  int fd;
  do fd = ::open(path, flags | O_CLOEXEC, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

ssize_t counted_write(int fd, const char* data, std::size_t size) {
  if (!operation_allowed()) return -1;
  ssize_t n;
  do n = ::write(fd, data, size);
  while (n < 0 && errno == EINTR);
  return n;
}

bool counted_fsync(int fd) { return operation_allowed() && ::fsync(fd) == 0; }

bool counted_close(int fd) {
  // The descriptor is given back even when the close is the failing step.
  bool allowed = operation_allowed();
  return ::close(fd) == 0 && allowed;
}

bool counted_unlink(const char* path) { return operation_allowed() && ::unlink(path) == 0; }

}  // namespace

file_read_result read_file_limited(const std::string& path, std::size_t limit, std::string& out) {
  out.clear();
  // Not blocking: opening a pipe with no writer would otherwise wait for one.
  int fd = counted_open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FILE_MISSING : FILE_UNREADABLE;
  struct stat st;
  file_read_result result = FILE_READ;
  if (::fstat(fd, &st) != 0)
    result = FILE_UNREADABLE;
  else if (!S_ISREG(st.st_mode))
    result = FILE_NOT_REGULAR;
  else if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > limit)
    result = FILE_TOO_BIG;
  char buffer[65536];
  while (result == FILE_READ) {
    // The file may grow while it is read: the limit holds for what is read.
    ssize_t n = operation_allowed() ? ::read(fd, buffer, sizeof buffer) : -1;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      result = FILE_UNREADABLE;
    else if (n == 0)
      break;
    else if (out.size() + static_cast<std::size_t>(n) > limit)
      result = FILE_TOO_BIG;
    else
      out.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (result != FILE_READ) out.clear();
  return result;
}

std::string file_read_problem(file_read_result result, std::size_t limit) {
  switch (result) {
    case FILE_READ:
      return "was read";
    case FILE_MISSING:
      return "is missing";
    case FILE_NOT_REGULAR:
      return "is not a regular file";
    case FILE_TOO_BIG:
      return "is larger than " + std::to_string(limit) + " bytes";
    case FILE_UNREADABLE:
      break;
  }
  return "cannot be read";
}

bool write_new_file(const std::string& path, const std::string& text) {
  remove_file(path);
  int fd = counted_open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) return false;
  const char* p = text.data();
  std::size_t left = text.size();
  bool ok = true;
  while (ok && left > 0) {
    ssize_t n = counted_write(fd, p, left);
    ok = n > 0;
    if (ok) {
      p += n;
      left -= static_cast<std::size_t>(n);
    }
  }
  ok = ok && counted_fsync(fd);
  ok = counted_close(fd) && ok;
  if (!ok) ::unlink(path.c_str());
  return ok;
}

bool write_file_replacing(const std::string& path, const std::string& text) {
  std::string temp = path + ".tmp";
  if (!write_new_file(temp, text)) return false;
  if (!rename_file(temp, path)) {
    ::unlink(temp.c_str());
    return false;
  }
  std::size_t slash = path.rfind('/');
  sync_folder(slash == std::string::npos ? "." : path.substr(0, slash));
  return true;
}

bool rename_file(const std::string& from, const std::string& to) {
  return operation_allowed() && ::rename(from.c_str(), to.c_str()) == 0;
}

bool remove_file(const std::string& path) {
  if (!file_exists(path)) return true;
  return counted_unlink(path.c_str()) || errno == ENOENT;
}

bool sync_folder(const std::string& folder) {
  int fd = counted_open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  bool ok = counted_fsync(fd);
  return counted_close(fd) && ok;
}

void make_folder(const std::string& folder) {
  struct stat st;
  if (::stat(folder.c_str(), &st) == 0) return;
  if (operation_allowed()) ::mkdir(folder.c_str(), 0755);
}

bool file_exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

uint64_t text_checksum(const std::string& text) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

void set_file_fault(file_fault_kind kind, int at) {
  fault_kind = kind;
  fault_at = at;
  operations = 0;
}

int file_operations_counted() { return operations; }
