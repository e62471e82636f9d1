#pragma once

#include <functional>
#include <type_traits>
#include <utility>

namespace tf::ui {

// What becomes of an error that escapes a game handler: the window system
// called the handler, so no operation above it can trap the error. It gets
// the error's number.
using EscapedErrorReport = std::function<void(int errorNumber)>;

// Makes `report` the one that escaped errors go to while the object lives;
// the report before it comes back after. Without any, they are dropped.
class EscapedErrorReportScope {
 public:
  explicit EscapedErrorReportScope(EscapedErrorReport report);
  ~EscapedErrorReportScope();
  EscapedErrorReportScope(const EscapedErrorReportScope&) = delete;
  EscapedErrorReportScope& operator=(const EscapedErrorReportScope&) = delete;

 private:
  EscapedErrorReport previous_;
};

// Runs one call of the window system into game code. Nothing escapes it: an
// error ends here and goes to the report, and the events go on.
void RunHandler(const std::function<void()>& call) noexcept;

// A game handler of a window or control event. The back ends call it as the
// window system delivers the event, and each call passes RunHandler, so no
// error can end the program from an event.
template <class... Args>
class Handler {
 public:
  Handler() = default;
  // Any function that takes the event's arguments.
  template <class F, class = std::enable_if_t<!std::is_same_v<std::remove_cvref_t<F>, Handler> &&
                                              std::is_invocable_v<F&, Args...>>>
  Handler(F&& function) : function_(std::forward<F>(function)) {}

  explicit operator bool() const { return static_cast<bool>(function_); }

  void operator()(Args... args) const {
    RunHandler([&] { function_(std::forward<Args>(args)...); });
  }

 private:
  std::function<void(Args...)> function_;
};

}  // namespace tf::ui
