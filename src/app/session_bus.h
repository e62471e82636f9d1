#pragma once

namespace tf {

// Keeps D-Bus from starting a session bus for this program while its first
// window opens. With no bus to find (no DBUS_SESSION_BUS_ADDRESS, no socket
// at $XDG_RUNTIME_DIR/bus), the first window Qt shows asks D-Bus about
// screen readers, and D-Bus runs "dbus-launch --autolaunch" to start a bus
// for the display: a daemon a game has no business leaving behind, and
// milliseconds before the window appears. Where a bus exists, nothing
// changes: screen readers are found as ever.
class NoSessionBusStarted {
 public:
  NoSessionBusStarted();
  ~NoSessionBusStarted() { Release(); }
  NoSessionBusStarted(const NoSessionBusStarted&) = delete;
  NoSessionBusStarted& operator=(const NoSessionBusStarted&) = delete;

  // Whether D-Bus was told there is no bus.
  bool Active() const { return active_; }
  // Lets D-Bus look for a bus as usual again, for what this program starts.
  void Release();

 private:
  bool active_ = false;
};

}  // namespace tf
