#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace tf {

// Messages of an outside library, on standard error, at most `lines` of them
// in each `period`: a library that repeats itself thousands of times a second
// can neither fill the disk nor hold up the thread it reports from. What is
// left out is counted, and the count written with the next period's first
// message. Any thread may write.
class BoundedLog {
 public:
  BoundedLog(std::string source, int lines, std::chrono::steady_clock::duration period)
      : source_(std::move(source)), lines_(lines), period_(period) {}

  void Write(std::string_view message);

 private:
  const std::string source_;
  const int lines_;
  const std::chrono::steady_clock::duration period_;
  std::mutex lock_;
  std::chrono::steady_clock::time_point periodStart_;
  int written_ = 0;
  int64_t leftOut_ = 0;
};

}  // namespace tf
