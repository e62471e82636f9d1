#include "support/temp_project.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace tf::test {

TempProject::TempProject() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("taleforge-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(path_));
}

TempProject::~TempProject() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempProject::Write(const std::string& relativePath, const std::string& bytes) const {
  const std::filesystem::path file = path_ / relativePath;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace tf::test
