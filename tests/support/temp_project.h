#pragma once

#include <filesystem>
#include <string>

namespace tf::test {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempProject {
 public:
  TempProject();
  ~TempProject();
  TempProject(const TempProject&) = delete;
  TempProject& operator=(const TempProject&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes the bytes to a file below the folder, creating its folders.
  void Write(const std::string& relativePath, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

}  // namespace tf::test
