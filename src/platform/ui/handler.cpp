#include "platform/ui/handler.h"

#include <exception>
#include <new>

#include "platform/runtime/runtime_error.h"

namespace tf::ui {

namespace {
// Handlers run on the window thread only.
EscapedErrorReport& CurrentReport() {
  static EscapedErrorReport report;
  return report;
}

int NumberOfEscaped() {
  try {
    throw;
  } catch (const RuntimeError& error) {
    return error.Number();
  } catch (const std::bad_alloc&) {
    return kErrOutOfMemory;
  } catch (...) {
    return kErrInternal;
  }
}
}  // namespace

EscapedErrorReportScope::EscapedErrorReportScope(EscapedErrorReport report)
    : previous_(std::exchange(CurrentReport(), std::move(report))) {}

EscapedErrorReportScope::~EscapedErrorReportScope() { CurrentReport() = std::move(previous_); }

void RunHandler(const std::function<void()>& call) noexcept {
  try {
    call();
  } catch (...) {
    const int number = NumberOfEscaped();
    // A report that fails itself has nowhere left to go.
    try {
      if (const EscapedErrorReport report = CurrentReport()) report(number);
    } catch (...) {
    }
  }
}

}  // namespace tf::ui
