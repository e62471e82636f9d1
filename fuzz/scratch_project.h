#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace tf::fuzz {

// A copy of the fuzzing project (or an empty folder) on a memory-backed file
// system where there is one, made once per process and removed at its end.
class ScratchProject {
 public:
  // `source` empty: an empty folder.
  explicit ScratchProject(const std::filesystem::path& source);
  ~ScratchProject();
  ScratchProject(const ScratchProject&) = delete;
  ScratchProject& operator=(const ScratchProject&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The project's folder as the game names it, with a trailing separator.
  std::string Folder() const { return path_.string() + "/"; }
  // Replaces the file below the folder with the fuzzer's bytes.
  void Write(const std::string& relativePath, const uint8_t* data, size_t size) const;

 private:
  std::filesystem::path path_;
};

}  // namespace tf::fuzz
