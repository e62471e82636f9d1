#include "app/command_line.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace tf {

std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
  Options options;
  bool folderSeen = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](const char* name) -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        error = std::string(name) + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--walkthrough") {
      auto v = value("--walkthrough");
      if (!v) return std::nullopt;
      options.walkthroughFile = *v;
    } else if (arg == "--trace") {
      auto v = value("--trace");
      if (!v) return std::nullopt;
      options.traceFile = *v;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else if (folderSeen) {
      error = "only one project folder can be named";
      return std::nullopt;
    } else {
      options.projectFolder = arg;
      folderSeen = true;
    }
  }
  if (!options.traceFile.empty() && options.walkthroughFile.empty()) {
    error = "--trace needs --walkthrough";
    return std::nullopt;
  }
  return options;
}

std::string UsageText() {
  return "Usage: taleforge-player [PROJECT_DIR] [options]\n"
         "Plays a Taleforge adventure game project.\n"
         "\n"
         "  PROJECT_DIR          the game's folder (default: the folder of this program)\n"
         "  --walkthrough FILE   play the script FILE and check its expectations\n"
         "  --trace FILE|-       write every observable event of the walkthrough to FILE\n"
         "                       (- for standard output)\n"
         "  --headless           no window on screen and no sound device needed\n"
         "  --help               show this help and exit\n"
         "  --version            show the version and exit\n"
         "\n"
         "A walkthrough exits with 0 when every expectation held, 1 when one failed,\n"
         "2 for an error in the script or the command line.\n";
}

std::string ProgramFolder(const std::string& argv0) {
  namespace fs = std::filesystem;
  fs::path program(argv0);
  if (argv0.find('/') == std::string::npos) {
    // Started through PATH: find it there as the shell did.
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
      fs::path candidate = fs::path(folder.empty() ? "." : folder) / program;
      if (access(candidate.c_str(), X_OK) == 0) {
        program = candidate;
        break;
      }
    }
  }
  std::error_code ec;
  fs::path absolute = fs::absolute(program, ec);
  return (ec ? program : absolute).lexically_normal().parent_path().string();
}

}  // namespace tf
