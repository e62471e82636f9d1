#include "platform/memory/memory_mp3.h"

#include <chrono>

namespace tf {

double MemoryMp3::mp3gettime(const Mp3Record&) { return lengthMs; }

void MemoryMp3::mp3play(const Mp3Record& request) {
  std::lock_guard lock(lock_);
  paths_.push_back(request.path);
  played_.notify_all();
}

void MemoryMp3::mp3stop() {}

bool MemoryMp3::WaitForPlays(size_t count) {
  std::unique_lock lock(lock_);
  return played_.wait_for(lock, std::chrono::seconds(5), [&] { return paths_.size() >= count; });
}

std::vector<std::string> MemoryMp3::Played() const {
  std::lock_guard lock(lock_);
  return paths_;
}

}  // namespace tf
