#include "app/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace tf {

namespace {

constexpr const char* kAddress = "DBUS_SESSION_BUS_ADDRESS";

bool IsSocket(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

}  // namespace

NoSessionBusStarted::NoSessionBusStarted() {
  const char* address = std::getenv(kAddress);
  if (address && *address) return;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime && IsSocket(std::string(runtime) + "/bus")) return;
  // An address of no known kind: D-Bus fails to connect, and starts nothing.
  active_ = ::setenv(kAddress, "disabled:", 1) == 0;
}

void NoSessionBusStarted::Release() {
  if (!active_) return;
  ::unsetenv(kAddress);
  active_ = false;
}

}  // namespace tf
