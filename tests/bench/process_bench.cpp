// Measures the whole player program from outside, on a virtual X display
// (run it under xvfb-run with a 1920 x 1080 screen):
// - cold start to the welcome window shown, beside a minimal Qt program that
//   opens a window;
// - peak memory (VmHWM) playing a 1920 x 1080 game of 50 pictured areas;
// - processor time at a still frame and at the demo's animated frame;
// - headless, a walkthrough of 200 clicks between two frames less the same
//   walkthrough without clicks, per click, beside a program that decodes the
//   same pictures 200 times less once, per decoding.
// "tf_bench_process decode N FILES... -- FILES..." is that decoding program:
// N rounds, alternately the first and the second list. "tf_bench_process
// PLAYER" measures another build of the player, to compare side by side.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImageReader>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "bench/frame_chain.h"

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using tf::bench::Median;

constexpr int kStarts = 10;
constexpr int kClicks = 200;
constexpr int kProcessRuns = 3;
constexpr double kIdleSeconds = 10;

struct Ended {
  double seconds = 0;
  long peakKb = 0;
  int status = -1;
};

// A child program whose standard output comes through a pipe.
class Child {
 public:
  Child(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error("can't make a pipe");
    start_ = Clock::now();
    pid_ = fork();
    if (pid_ == 0) {
      dup2(pipeEnds[1], STDOUT_FILENO);
      int null = open("/dev/null", O_WRONLY);
      dup2(null, STDERR_FILENO);
      close(pipeEnds[0]);
      for (const std::string& setting : env) putenv(const_cast<char*>(setting.c_str()));
      std::vector<char*> argv;
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(pipeEnds[1]);
    out_ = pipeEnds[0];
  }
  ~Child() {
    if (!ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(out_);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // Seconds from the start until a line of output holds the text, or -1 when
  // the output ends first or a minute passes.
  double WaitForLine(const std::string& text) {
    auto deadline = Clock::now() + std::chrono::seconds(60);
    while (Clock::now() < deadline) {
      size_t end;
      while ((end = buffer_.find('\n')) != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (line.find(text) != std::string::npos)
          return std::chrono::duration<double>(Clock::now() - start_).count();
      }
      pollfd wanted{out_, POLLIN, 0};
      if (poll(&wanted, 1, 1000) <= 0) continue;
      char bytes[4096];
      ssize_t count = read(out_, bytes, sizeof bytes);
      if (count <= 0) return -1;
      buffer_.append(bytes, static_cast<size_t>(count));
    }
    return -1;
  }

  // User plus system processor time so far, in seconds, all threads (those
  // ended too), to the nanosecond rather than the clock tick.
  double ProcessorSeconds() const {
    clockid_t clock;
    timespec used{};
    if (clock_getcpuclockid(pid_, &clock) != 0 || clock_gettime(clock, &used) != 0) return 0;
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) / 1e9;
  }

  // Waits up to `limit` until none of its threads is named `prefix`...;
  // false when one still is.
  bool WaitWithoutThread(const std::string& prefix, std::chrono::seconds limit) const {
    const auto end = Clock::now() + limit;
    for (;;) {
      bool found = false;
      const fs::path tasks = "/proc/" + std::to_string(pid_) + "/task";
      std::error_code error;
      for (const auto& task : fs::directory_iterator(tasks, error)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        found = found || name.rfind(prefix, 0) == 0;
      }
      if (!found) return true;
      if (Clock::now() >= end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
  }

  // Waits for the end (ending it first when told), draining its output.
  Ended End(bool stop) {
    if (stop) kill(pid_, SIGTERM);
    char bytes[4096];
    while (read(out_, bytes, sizeof bytes) > 0) {
    }
    int status = 0;
    rusage usage{};
    wait4(pid_, &status, 0, &usage);
    ended_ = true;
    return {std::chrono::duration<double>(Clock::now() - start_).count(), usage.ru_maxrss,
            WIFEXITED(status) ? WEXITSTATUS(status) : -1};
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  bool ended_ = false;
  Clock::time_point start_;
  std::string buffer_;
};

struct Setup {
  std::string player = TF_PLAYER;
  fs::path scratch;
  std::vector<std::string> windowEnv;
  std::vector<std::string> headlessEnv;
};

void PrintRatio(const std::string& what, double value, const std::string& unit,
                const std::string& referenceName, double reference, double goal) {
  double ratio = value / reference;
  std::cout << what << ": " << value << " " << unit << ", " << referenceName << " " << reference
            << " " << unit << ", ratio " << ratio << " (goal <= " << goal
            << (ratio <= goal ? ", met)\n" : ", MISSED)\n");
}

void PrintAgainstGoal(const std::string& what, double value, const std::string& unit, double goal) {
  std::cout << what << ": " << value << " " << unit << " (goal <= " << goal << " " << unit
            << (value <= goal ? ", met)\n" : ", MISSED)\n");
}

fs::path WriteScript(const Setup& setup, const std::string& name, const std::string& text) {
  fs::path file = setup.scratch / name;
  tf::bench::Write(file, text);
  return file;
}

bool ColdStart(const Setup& setup) {
  // The trace comes with a walkthrough; this one only lets the program run.
  fs::path script = WriteScript(setup, "start.walk", "wait 60\n");
  std::vector<double> player, minimal;
  for (int run = 0; run < kStarts; ++run) {
    Child reference({TF_MINIMAL_WINDOW}, setup.windowEnv);
    minimal.push_back(reference.WaitForLine("window shown"));
    reference.End(true);
    Child program({setup.player, TF_DEMO, "--walkthrough", script.string(), "--trace", "-"},
                  setup.windowEnv);
    player.push_back(program.WaitForLine("window welcome shown"));
    program.End(true);
    if (minimal.back() < 0 || player.back() < 0) {
      std::cerr << (minimal.back() < 0 ? "the minimal Qt program" : "the player")
                << " did not show its window (is the X display up?)\n";
      return false;
    }
  }
  PrintRatio("cold start to the welcome window shown, median of " + std::to_string(kStarts),
             Median(player) * 1000, "ms", "minimal Qt window", Median(minimal) * 1000, 1.2);
  return true;
}

bool PeakMemory(const Setup& setup) {
  fs::path project = setup.scratch / "large";
  tf::bench::WriteFrameChain(project, {1920, 1080, 50, 0}, 2);
  fs::path script = WriteScript(setup, "large.walk",
                                "new\nwait 1.5\nexpect frame \"F1\"\nclick area 1\nwait 0.5\n"
                                "expect frame \"F2\"\nclick area 1\nwait 0.5\n"
                                "expect frame \"F1\"\n");
  Child program({setup.player, project.string(), "--walkthrough", script.string()},
                setup.windowEnv);
  Ended ended = program.End(false);
  if (ended.status != 0) {
    std::cerr << "the 1920 x 1080 walkthrough failed (status " << ended.status << ")\n";
    return false;
  }
  PrintAgainstGoal("peak memory (VmHWM) playing a 1920 x 1080 game of 50 pictured areas",
                   ended.peakKb / 1024.0, "MB", 80);
  return true;
}

// Percent of one core the player uses over an idle time of `seconds`, once
// the trace shows the line and things have settled; then, when `settled` is
// given (a frame with sound), over twice as long once its sound device has
// closed (SDL's audio thread has ended). Empty when the line never came.
std::vector<double> IdleProcessorPercent(const Setup& setup, const std::string& project,
                                         const fs::path& script, const std::string& line,
                                         double seconds, bool settled) {
  Child program({setup.player, project, "--walkthrough", script.string(), "--trace", "-"},
                setup.windowEnv);
  if (program.WaitForLine(line) < 0) return {};
  // Without sound the window begins once the sound system, made ready at
  // start and not used, has been let go: a one-off, 5 s after start.
  std::this_thread::sleep_for(std::chrono::seconds(settled ? 2 : 7));
  std::vector<double> percents;
  auto measure = [&](double length) {
    const double before = program.ProcessorSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(length));
    percents.push_back((program.ProcessorSeconds() - before) / length * 100);
  };
  measure(seconds);
  if (settled) {
    if (!program.WaitWithoutThread("SDLAudio", std::chrono::seconds(60))) return {};
    measure(2 * seconds);
  }
  program.End(true);
  return percents;
}

bool IdleProcessor(const Setup& setup) {
  fs::path still = setup.scratch / "still";
  tf::bench::WriteFrameChain(still, {640, 480, 20, 5}, 2);
  fs::path stillScript =
      WriteScript(setup, "still.walk", "new\nwait 1\nexpect frame \"F1\"\nwait 60\n");
  std::vector<double> stillPercent =
      IdleProcessorPercent(setup, still.string(), stillScript, "frame \"F1\"", kIdleSeconds, false);
  // The demo played to the lamp room with the lamp lit: the flame is an
  // animated picture, and the sea's MP3 and the theme's last bars play. The
  // second window comes once they have ended and the quiet audio device has
  // closed, and is longer, the figure being small.
  fs::path demoScript = WriteScript(setup, "animated.walk",
                                    "new\nwait 5.5\nexpect frame \"Shore\"\n"
                                    "click area 1\nclick area 1\nclick area 3\nclick area 2\n"
                                    "drag object 1 to area 3\nclick area 4\n"
                                    "expect frame \"Lamproom\"\nclick area 4\n"
                                    "drag object 1 to object 2\ndrag object 1 to area 2\n"
                                    "expect var \"LampLit\" 1\nwait 60\n");
  std::vector<double> animatedPercent = IdleProcessorPercent(
      setup, TF_DEMO, demoScript, "variable \"LampLit\" 1", kIdleSeconds, true);
  if (stillPercent.empty() || animatedPercent.empty()) {
    std::cerr << "a walkthrough did not reach its frame\n";
    return false;
  }
  const std::string seconds = std::to_string(static_cast<int>(kIdleSeconds)) + " s";
  PrintAgainstGoal("processor time at a still frame over " + seconds +
                       ", once the unused sound system has been let go",
                   stillPercent[0], "% of one core", 0);
  // The first window holds the synthesizer's and the MP3's decoding as well
  // as the flame: shown for comparison, the goal being the animation's.
  std::cout << "processor time at the demo's animated frame, its first " << seconds
            << " while its sounds still play: " << animatedPercent[0] << " % of one core\n";
  PrintAgainstGoal("processor time at the demo's animated frame, " +
                       std::to_string(static_cast<int>(2 * kIdleSeconds)) +
                       " s once its sounds have ended and the audio device has closed",
                   animatedPercent[1], "% of one core", 0.3);
  return true;
}

std::vector<std::string> Strings(const std::vector<QString>& files) {
  std::vector<std::string> names;
  for (const QString& file : files) names.push_back(file.toStdString());
  return names;
}

bool Walkthrough(const Setup& setup, const std::string& title,
                 const tf::bench::FrameChainShape& shape, const std::string& self) {
  fs::path project = setup.scratch / "walk";
  auto pictures = tf::bench::WriteFrameChain(project, shape, 2);
  std::string clicks;
  for (int click = 0; click < kClicks; ++click) clicks += "click area 1\n";
  fs::path none = WriteScript(setup, "none.walk", "new\nexpect frame \"F1\"\n");
  fs::path many = WriteScript(setup, "many.walk",
                              "new\nexpect frame \"F1\"\n" + clicks + "expect frame \"F1\"\n");
  // The first click opens F2, the second F1 again.
  std::vector<std::string> decode = {self, "decode", ""};
  for (const std::string& file : Strings(pictures[1])) decode.push_back(file);
  decode.push_back("--");
  for (const std::string& file : Strings(pictures[0])) decode.push_back(file);

  std::vector<double> player, decoder;
  for (int run = 0; run < kProcessRuns; ++run) {
    Ended without =
        Child({setup.player, project.string(), "--walkthrough", none.string(), "--headless"},
              setup.headlessEnv)
            .End(false);
    Ended with =
        Child({setup.player, project.string(), "--walkthrough", many.string(), "--headless"},
              setup.headlessEnv)
            .End(false);
    if (without.status != 0 || with.status != 0) {
      std::cerr << "the walkthrough of clicks failed\n";
      return false;
    }
    player.push_back((with.seconds - without.seconds) / kClicks);
    decode[2] = "1";
    Ended once = Child(decode, setup.headlessEnv).End(false);
    decode[2] = std::to_string(kClicks);
    Ended all = Child(decode, setup.headlessEnv).End(false);
    if (once.status != 0 || all.status != 0) {
      std::cerr << "the decoding program failed\n";
      return false;
    }
    decoder.push_back((all.seconds - once.seconds) / (kClicks - 1));
  }
  std::sort(player.begin(), player.end());
  std::sort(decoder.begin(), decoder.end());
  PrintRatio("whole player, " + title + ", per click of " + std::to_string(kClicks) +
                 " (median of " + std::to_string(kProcessRuns) + ")",
             player[kProcessRuns / 2] * 1000, "ms", "decoding program",
             decoder[kProcessRuns / 2] * 1000, 1.0);
  return true;
}

int Decode(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  int rounds = std::stoi(argv[2]);
  std::vector<QString> lists[2];
  int list = 0;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0)
      list = 1;
    else
      lists[list].push_back(QString::fromLocal8Bit(argv[i]));
  }
  for (int round = 0; round < rounds; ++round)
    for (const QString& file : lists[round % 2])
      if (QImageReader(file).read().isNull()) return 1;
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "decode") == 0) return Decode(argc, argv);
  if (!std::getenv("DISPLAY")) {
    std::cerr << "tf_bench_process needs an X display: "
                 "xvfb-run -a -s \"-screen 0 1920x1080x24\" "
              << argv[0] << "\n";
    return 2;
  }
  Setup setup;
  if (argc >= 2) setup.player = argv[1];
  setup.scratch =
      fs::temp_directory_path() / ("taleforge-bench-process." + std::to_string(getpid()));
  fs::create_directories(setup.scratch / "config");
  fs::create_directories(setup.scratch / "runtime");
  fs::permissions(setup.scratch / "runtime", fs::perms::owner_all);
  std::vector<std::string> common = {"XDG_CONFIG_HOME=" + (setup.scratch / "config").string(),
                                     "XDG_RUNTIME_DIR=" + (setup.scratch / "runtime").string()};
  setup.windowEnv = common;
  setup.windowEnv.push_back("QT_QPA_PLATFORM=xcb");
  setup.headlessEnv = common;
  setup.headlessEnv.push_back("QT_QPA_PLATFORM=offscreen");
  std::string self = fs::canonical("/proc/self/exe").string();
  bool ok = ColdStart(setup) && PeakMemory(setup) && IdleProcessor(setup) &&
            Walkthrough(setup, "640 x 480 frame of 20 pictured areas and 5 texts",
                        {640, 480, 20, 5}, self) &&
            Walkthrough(setup, "1024 x 768 frame of 50 pictured areas", {1024, 768, 50, 0}, self);
  fs::remove_all(setup.scratch);
  return ok ? 0 : 1;
}
