#include "scratch_project.h"

#include <unistd.h>

#include <fstream>
#include <stdexcept>

namespace tf::fuzz {

namespace fs = std::filesystem;

namespace {
fs::path ScratchRoot() {
  std::error_code error;
  if (fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return fs::temp_directory_path();
}
}  // namespace

ScratchProject::ScratchProject(const fs::path& source)
    : path_(ScratchRoot() / ("taleforge-fuzz-" + std::to_string(::getpid()))) {
  fs::remove_all(path_);
  if (source.empty())
    fs::create_directories(path_);
  else
    fs::copy(source, path_, fs::copy_options::recursive);
}

ScratchProject::~ScratchProject() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void ScratchProject::Write(const std::string& relativePath, const uint8_t* data,
                           size_t size) const {
  const fs::path file = path_ / relativePath;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw std::runtime_error("can't write " + file.string());
}

}  // namespace tf::fuzz
