#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tf {

// Keeps the trace lines, from whichever thread they come.
class RecordingTrace : public TraceSink {
 public:
  void Write(const std::string& line) override {
    std::lock_guard lock(lock_);
    lines_.push_back(line);
  }
  std::vector<std::string> Lines() const {
    std::lock_guard lock(lock_);
    return lines_;
  }
  void Clear() {
    std::lock_guard lock(lock_);
    lines_.clear();
  }

 private:
  mutable std::mutex lock_;
  std::vector<std::string> lines_;
};

}  // namespace tf
