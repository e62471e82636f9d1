#include "app/session_bus.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/runtime_test_support.h"

namespace tf {
namespace {

// Sets an environment variable for the test's length, or unsets it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string Address() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  return address ? address : "(unset)";
}

TEST(NoSessionBusStartedTest, OnlyWithNoBusToFindAndOnlyUntilReleased) {
  TempFolder runtime;
  ScopedEnv runtimeDir("XDG_RUNTIME_DIR", runtime.Path().c_str());
  {
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", nullptr);
    NoSessionBusStarted guard;
    EXPECT_TRUE(guard.Active());
    EXPECT_EQ(Address(), "disabled:");
    guard.Release();
    EXPECT_EQ(Address(), "(unset)");
  }
  {
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus");
    NoSessionBusStarted guard;
    EXPECT_FALSE(guard.Active());
    guard.Release();
    EXPECT_EQ(Address(), "unix:path=/run/user/1000/bus");
  }
  // The bus of the user's session, where D-Bus finds it without an address.
  const std::string socketPath = (runtime.Path() / "bus").string();
  const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un place{};
  place.sun_family = AF_UNIX;
  std::strncpy(place.sun_path, socketPath.c_str(), sizeof place.sun_path - 1);
  ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&place), sizeof place), 0);
  {
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", nullptr);
    NoSessionBusStarted guard;
    EXPECT_FALSE(guard.Active());
    EXPECT_EQ(Address(), "(unset)");
  }
  ::close(listening);
}

}  // namespace
}  // namespace tf
