#include "platform/runtime/bounded_log.h"

#include <cstdio>

namespace tf {

void BoundedLog::Write(std::string_view message) {
  std::lock_guard lock(lock_);
  const auto now = std::chrono::steady_clock::now();
  if (written_ > 0 && now - periodStart_ >= period_) {
    if (leftOut_ > 0)
      std::fprintf(stderr, "%s: %lld more messages left out\n", source_.c_str(),
                   static_cast<long long>(leftOut_));
    written_ = 0;
    leftOut_ = 0;
  }
  if (written_ == lines_) {
    ++leftOut_;
    return;
  }
  if (written_++ == 0) periodStart_ = now;
  // Messages come without their line end, or with one.
  if (!message.empty() && message.back() == '\n') message.remove_suffix(1);
  std::fprintf(stderr, "%s: %.*s\n", source_.c_str(), static_cast<int>(message.size()),
               message.data());
}

}  // namespace tf
