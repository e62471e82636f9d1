#include "platform/memory/memory_mp3.h"

#include <chrono>

namespace tf {

namespace {
constexpr auto kLongestWait = std::chrono::seconds(5);
}  // namespace

double MemoryMp3::mp3gettime(const Mp3Record&) {
  Enter(Call::Length);
  return lengthMs;
}

void MemoryMp3::mp3play(const Mp3Record& request, const std::function<bool()>& wanted) {
  Enter(Call::Play);
  std::lock_guard lock(lock_);
  if (!wanted()) return;
  paths_.push_back(request.path);
  changed_.notify_all();
}

void MemoryMp3::mp3stop() {}

void MemoryMp3::Hold(Call call) {
  std::lock_guard lock(lock_);
  GateOf(call).held = true;
}

void MemoryMp3::Release(Call call) {
  std::lock_guard lock(lock_);
  GateOf(call).held = false;
  changed_.notify_all();
}

bool MemoryMp3::WaitForCalls(Call call, size_t count) {
  std::unique_lock lock(lock_);
  return changed_.wait_for(lock, kLongestWait, [&] { return GateOf(call).begun >= count; });
}

void MemoryMp3::Enter(Call call) {
  std::unique_lock lock(lock_);
  Gate& gate = GateOf(call);
  ++gate.begun;
  changed_.notify_all();
  changed_.wait(lock, [&] { return !gate.held; });
}

bool MemoryMp3::WaitForPlays(size_t count) {
  std::unique_lock lock(lock_);
  return changed_.wait_for(lock, kLongestWait, [&] { return paths_.size() >= count; });
}

std::vector<std::string> MemoryMp3::Played() const {
  std::lock_guard lock(lock_);
  return paths_;
}

}  // namespace tf
