#include "app/run_player.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <mutex>
#include <sstream>

#include "app/command_line.h"
#include "app/media_module.h"
#include "app/session_bus.h"
#include "app/walkthrough/runner.h"
#include "game/player.h"
#include "platform/qt/builtin_pictures.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_video_surfaces.h"

namespace tf {

namespace {
// Writes each trace line at once, so that a run that stops half-way still
// leaves what happened; lines from the MP3 threads come whole.
class StreamTrace : public TraceSink {
 public:
  explicit StreamTrace(std::ostream& out) : out_(out) {}
  void Write(const std::string& line) override {
    std::lock_guard lock(lock_);
    out_ << line << std::endl;
  }

 private:
  std::ostream& out_;
  std::mutex lock_;
};

// Set (to anything) to make the sound mixer fail to open, as it does without
// audio hardware.
bool MixerFailureSimulated() { return std::getenv("TALEFORGE_SIMULATE_NO_MIXER") != nullptr; }

bool HasDisplay() {
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const char* WalkthroughWindowName(const std::string& formName) {
  if (formName == "frmWelcome") return "welcome";
  if (formName == "Game") return "game";
  if (formName == "frmLoadGame") return "load";
  if (formName == "frmSaveGame") return "save";
  return nullptr;
}
}  // namespace

int RunPlayer(int argc, char** argv) {
  std::string error;
  std::optional<Options> options =
      ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "taleforge-player: " << error << "\n" << UsageText();
    return walkthrough::kScriptError;
  }
  if (options->help) {
    std::cout << UsageText();
    return 0;
  }
  if (options->version) {
    std::cout << "taleforge-player " << TALEFORGE_VERSION << "\n";
    return 0;
  }

  std::string folder = options->projectFolder.empty()
                           ? ProgramFolder(argv[0])
                           : std::filesystem::absolute(options->projectFolder).string();
  if (!std::filesystem::is_directory(folder)) {
    std::cerr << "taleforge-player: no project folder " << folder << "\n";
    return walkthrough::kScriptError;
  }

  std::vector<walkthrough::ScriptLine> script;
  if (!options->walkthroughFile.empty()) {
    std::optional<std::string> text = ReadFile(options->walkthroughFile);
    if (!text) {
      std::cerr << "taleforge-player: can't read " << options->walkthroughFile << "\n";
      return walkthrough::kScriptError;
    }
    try {
      script = walkthrough::ParseScript(*text);
    } catch (const std::exception& e) {
      std::cerr << "walkthrough: " << e.what() << "\n";
      return walkthrough::kScriptError;
    }
  }

  if (options->headless) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Silent unless a driver is named (the disk driver lets tests hear it).
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  } else if (!HasDisplay()) {
    std::cerr << "taleforge-player: no display found; run it under a virtual one "
                 "(xvfb-run -a taleforge-player ...) or add --headless\n";
    return walkthrough::kScriptError;
  }

  std::ofstream traceFile;
  std::unique_ptr<StreamTrace> trace;
  if (options->traceFile == "-") {
    trace = std::make_unique<StreamTrace>(std::cout);
  } else if (!options->traceFile.empty()) {
    traceFile.open(options->traceFile, std::ios::binary | std::ios::trunc);
    if (!traceFile) {
      std::cerr << "taleforge-player: can't write " << options->traceFile << "\n";
      return walkthrough::kScriptError;
    }
    trace = std::make_unique<StreamTrace>(traceFile);
  }

  // The font configuration is read beside the display's connection.
  std::future<void> fonts = std::async(std::launch::async, [] { FcInit(); });
  NoSessionBusStarted noBusStarted;
  QApplication app(argc, argv);
  fonts.wait();
  ui::BuiltinPicturesAhead builtinPictures;
  QApplication::setApplicationName("taleforge-player");
  QApplication::setQuitOnLastWindowClosed(false);

  QtEventLoop events;
  QtDisplay display;
  QtSettingsStore settings;
  QtClock clock;
  QtWindowFactory windows;
  QtMessageBoxes desktopMessages;
  QtLinkOpener linkOpener;
  walkthrough::WalkthroughMessageBoxes scriptMessages(trace.get());
  ui::QtVideoSurfaces videoSurfaces;
  MediaModule media(MixerFailureSimulated(), videoSurfaces);
  const bool walking = !options->walkthroughFile.empty();
  Platform platform{
      windows,    walking ? static_cast<ui::MessageBoxes&>(scriptMessages) : desktopMessages,
      events,     display,
      settings,   clock,
      trace.get()};
  // A walkthrough's links are traced, never opened.
  if (!walking) platform.links = &linkOpener;
  display.onModeChanged = [&windows, &display] {
    windows.SetVirtualScreen(display.VirtualScreen());
  };
  platform.waveMix = &media.WaveMix();
  platform.mp3 = media.Mp3();
  if (trace) {
    windows.onVisibilityChanged = [&trace](const std::string& name, bool visible) {
      if (const char* shortName = WalkthroughWindowName(name))
        trace->Write(std::string("window ") + shortName + (visible ? " shown" : " hidden"));
    };
  }

  Player player(platform, folder);
  platform.media = &media.Commands();
  // The media devices close before the windows that show their videos go.
  struct CloseMediaDevices {
    MediaModule& media;
    ~CloseMediaDevices() { media.CloseCommands(); }
  } closeMediaDevices{media};
  std::unique_ptr<walkthrough::Runner> runner;
  if (walking) {
    std::string scriptFolder =
        std::filesystem::absolute(options->walkthroughFile).parent_path().string();
    runner = std::make_unique<walkthrough::Runner>(
        walkthrough::Session{player, windows, events, scriptMessages, scriptFolder},
        std::move(script));
    walkthrough::AddCoreCommands(*runner);
    walkthrough::AddWelcomeCommands(*runner);
    walkthrough::AddFrameCommands(*runner);
    walkthrough::AddAreaCommands(*runner);
    walkthrough::AddInventoryCommands(*runner);
    walkthrough::AddDisplayCommands(*runner);
    walkthrough::AddMediaCommands(*runner);
    walkthrough::AddSoundCommands(*runner);
    walkthrough::AddDialogCommands(*runner);
    walkthrough::AddMessagePartCommands(*runner);
    walkthrough::AddSoakCommands(*runner);
    events.onEndProgram = [&runner] { runner->ProgramEnded(); };
  }

  player.Start();
  // Qt has looked for a screen reader with the first window.
  noBusStarted.Release();
  // The sound system starts once the program has, rather than on the first
  // sound, which would come late.
  QTimer::singleShot(0, [&media] { media.StartLoading(); });
  if (runner) runner->Start();
  int status = events.Ended() && !runner ? 0 : QApplication::exec();
  return runner ? runner->ExitStatus() : status;
}

}  // namespace tf
