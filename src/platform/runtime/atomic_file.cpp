#include "platform/runtime/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "platform/runtime/runtime_error.h"

namespace tf {

namespace {
// A draft is ".taleforge-", 16 hexadecimal digits and ".draft": no saved
// game, whose name ends in ".sav", nor a file of another program is taken
// for one.
constexpr std::string_view kDraftPrefix = ".taleforge-";
constexpr size_t kDraftDigits = 16;
constexpr std::string_view kDraftExtension = ".draft";

std::string DraftName(uint64_t number) {
  char digits[kDraftDigits + 1];
  std::snprintf(digits, sizeof digits, "%016" PRIx64, number);
  return std::string(kDraftPrefix) + digits + std::string(kDraftExtension);
}

bool IsDraftName(std::string_view name) {
  if (name.size() != kDraftPrefix.size() + kDraftDigits + kDraftExtension.size() ||
      !name.starts_with(kDraftPrefix) || !name.ends_with(kDraftExtension))
    return false;
  const std::string_view digits = name.substr(kDraftPrefix.size(), kDraftDigits);
  return std::all_of(digits.begin(), digits.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

[[noreturn]] void Fail(const std::filesystem::path& path, const char* step) {
  RaiseError(kErrBadFileNameOrNumber,
             path.string() + ": " + step + " failed: " + std::strerror(errno));
}

// A new file of a name no other file has, opened for writing; it gets the
// usual permissions of a new file. -1 on failure.
int CreateDraft(const std::filesystem::path& folder, std::string& draft) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    draft = (folder / DraftName(random())).string();
    int fd = open(draft.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// A file that replaces another keeps that one's permissions.
bool KeepMode(int fd, const std::filesystem::path& path) {
  struct stat old {};
  return stat(path.c_str(), &old) != 0 || fchmod(fd, old.st_mode & 07777) == 0;
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

// Drafts that a writer killed half-way left behind: a draft lives for
// milliseconds, so one an hour old is nobody's.
void RemoveAbandonedDrafts(const std::filesystem::path& folder) {
  const auto abandoned = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!IsDraftName(entry.path().filename().string())) continue;
    auto modified = entry.last_write_time(error);
    if (!error && modified < abandoned && entry.is_regular_file(error))
      std::filesystem::remove(entry.path(), error);
  }
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
  // Opening the file for output would fail on one its user may not write;
  // a rename over it would not, as only the folder's rights count there.
  if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
    Fail(path, "opening for writing");
  // The draft's name does not grow with the target's, so any name the
  // folder takes can be written.
  std::string draft;
  int fd = CreateDraft(folder, draft);
  if (fd < 0) Fail(path, "creating the draft");
  bool written = KeepMode(fd, path) && WriteAll(fd, bytes) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(draft.c_str(), path.c_str()) != 0) {
    const int error = errno;
    unlink(draft.c_str());
    errno = error;
    Fail(path, "writing");
  }
  SyncFolder(folder);
  RemoveAbandonedDrafts(folder);
}

size_t LongestFileName(const std::filesystem::path& folder) {
  long longest = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return longest > 0 ? static_cast<size_t>(longest) : NAME_MAX;
}

}  // namespace tf
