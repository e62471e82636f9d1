#pragma once

#include <QSize>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/qt_form.h"

namespace tf {

class QtEventLoop : public EventLoop {
 public:
  void ProcessPendingEvents() override;
  void ProcessEventsUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds recheck) override;
  void ProcessEventsFor(std::chrono::milliseconds duration) override;
  void EndProgram() override;

  bool Ended() const { return ended_; }
  // True inside ProcessPendingEvents: the program is not waiting for the
  // user there, only letting the window system catch up.
  bool InPendingPass() const { return pendingPasses_ > 0; }
  // Leaves every event loop, waits included, with this exit status.
  void Quit(int status);
  // Replaces the default end (close every window, leave the main loop).
  std::function<void()> onEndProgram;

 private:
  bool ended_ = false;
  int pendingPasses_ = 0;
};

class QtClock : public Clock {
 public:
  int64_t NowMs() const override;
};

// The primary monitor, or the virtual screen a mode change gave the game.
class QtDisplay : public Display {
 public:
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  // Any size up to the monitor's in real pixels is had as a virtual screen;
  // the monitor's own size ends it.
  int ChangeMode(int width, int height) override;
  std::optional<int> SystemFontHeight() const override;
  ScreenRect WorkArea() const override;

  const std::optional<QSize>& VirtualScreen() const { return virtualScreen_; }
  // Called after every change of the virtual screen.
  std::function<void()> onModeChanged;

 private:
  std::optional<QSize> virtualScreen_;
};

// Opens addresses with the desktop's default handler.
class QtLinkOpener : public LinkOpener {
 public:
  void OpenLink(const std::string& address) override;
};

// INI file "<application>.ini" under $XDG_CONFIG_HOME/taleforge (or
// ~/.config/taleforge), one group per section.
class QtSettingsStore : public SettingsStore {
 public:
  std::optional<std::string> Get(const std::string& application, const std::string& section,
                                 const std::string& key) const override;
  void Set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) override;
  static std::string FilePath(const std::string& application);
};

// Makes the windows and keeps track of those alive, by name.
class QtWindowFactory : public WindowFactory {
 public:
  std::unique_ptr<ui::Form> CreateForm(const std::string& name, ui::FormStyle style) override;
  void PrefetchPictures(const std::vector<std::string>& storedPaths) override;
  void PrefetchMorePictures(const std::vector<std::string>& storedPaths) override;
  ui::QtForm* Find(const std::string& name) const;
  // Hands the virtual screen (none: the real one) to every window, and to
  // those made later.
  void SetVirtualScreen(const std::optional<QSize>& size);
  const std::vector<ui::QtForm*>& Forms() const { return forms_; }

  // Called when a window is shown (true) or hidden (false).
  std::function<void(const std::string& name, bool visible)> onVisibilityChanged;

 private:
  std::vector<ui::QtForm*> forms_;
  std::optional<QSize> virtualScreen_;
};

// Real modal message boxes; Escape answers Cancel or No.
class QtMessageBoxes : public ui::MessageBoxes {
 public:
  ui::MessageAnswer Show(const std::string& text, ui::MessageButtons buttons, ui::MessageIcon icon,
                         const std::string& title) override;
};

}  // namespace tf
