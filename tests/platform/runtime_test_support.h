#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/runtime/runtime_error.h"

// The process's peak resident memory in KB since the last ResetPeak.
inline long PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
  return -1;
}

// Starts the peak again from what the process holds now; false where the
// system can't, or where the peak says nothing of the code: the address
// sanitizer keeps freed memory aside, so every copy ever made would count.
inline bool ResetPeak() {
#if defined(__SANITIZE_ADDRESS__)
  return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return false;
#endif
#endif
  return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5");
}

// The number of the run-time error the action raises, 0 when it raises none.
template <typename Action>
int ErrorOf(Action&& action) {
  try {
    action();
  } catch (const tf::RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

// A fresh folder under the system temp folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tf_runtime_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a temp folder");
    }
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as a stored-path prefix, with a Windows separator after it.
  std::string Stored(const std::string& rest) const { return path_.string() + "\\" + rest; }

  void WriteFile(const std::filesystem::path& relative, const std::string& bytes) const {
    std::filesystem::create_directories((path_ / relative).parent_path());
    std::ofstream(path_ / relative, std::ios::binary) << bytes;
  }

  std::string ReadFile(const std::filesystem::path& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path path_;
};
