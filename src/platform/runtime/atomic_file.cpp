#include "platform/runtime/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "platform/runtime/runtime_error.h"

namespace tf {

namespace {
[[noreturn]] void Fail(const std::filesystem::path& path, const char* step) {
  RaiseError(kErrBadFileNameOrNumber,
             path.string() + ": " + step + " failed: " + std::strerror(errno));
}

// The permissions a new file gets: those of the file it replaces, or the
// usual ones for a new file.
mode_t ModeFor(const std::filesystem::path& path) {
  struct stat old {};
  if (stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes the rename itself durable.
void SyncFolder(const std::filesystem::path& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}
}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  // The draft's name does not grow with the target's, so any name the
  // folder takes can be written.
  std::string draft = (folder / ".taleforge-XXXXXX").string();
  int fd = mkostemp(draft.data(), O_CLOEXEC);
  if (fd < 0) Fail(path, "creating the draft");
  bool written = fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(draft.c_str(), path.c_str()) != 0) {
    const int error = errno;
    unlink(draft.c_str());
    errno = error;
    Fail(path, "writing");
  }
  SyncFolder(folder);
}

size_t LongestFileName(const std::filesystem::path& folder) {
  long longest = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return longest > 0 ? static_cast<size_t>(longest) : NAME_MAX;
}

}  // namespace tf
