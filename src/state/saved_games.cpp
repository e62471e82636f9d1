#include "state/saved_games.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "frames/editor_and_game.h"
#include "frames/new_game.h"
#include "frames/open_frame.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/atomic_file.h"
#include "platform/runtime/case_fold.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/folder_items.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_writer.h"
#include "platform/ui/data_controls.h"
#include "startup/welcome_window.h"
#include "state/inventory.h"
#include "state/variables.h"

namespace tf {

namespace {
void WriteLine(std::string& bytes, const Variant& value) {
  bytes += TextWriter::Format(value);
  bytes += "\r\n";
}

// A count before a section: a number (error 6 beyond 32 bits, 13 for
// text), or Empty for none.
int64_t ReadCount(TextReader& file) { return file.ReadVariant().ToInt32(); }

std::string ReadName(TextReader& file) { return file.ReadVariant().ToText(); }

constexpr std::string_view kExtension = ".sav";

// A file name as a saved game's name: UTF-8 as the system's names are; one
// that is not UTF-8 came from the Windows player, in Windows-1252.
std::string NameAsText(const std::string& fileName) {
  return Utf8Lossy(fileName) == fileName ? fileName : Cp1252ToUtf8(fileName);
}

// Two names of one saved game, as Windows compares them: they differ at most
// in the letter case of Windows-1252 letters. A name with a letter that
// Windows-1252 lacks is only itself.
bool SameName(const std::string& a, const std::string& b) {
  if (a == b) return true;
  const std::optional<std::string> aBytes = Utf8ToCp1252(a);
  const std::optional<std::string> bBytes = Utf8ToCp1252(b);
  return aBytes && bBytes && FoldCase(*aBytes) == FoldCase(*bBytes);
}

// A name that would leave the project folder, or that the file system can't
// take, is refused before anything is written.
bool IsSafeName(const ProjectPaths& paths, const std::string& name) {
  const std::string onDisk = name + std::string(kExtension);
  return onDisk.find_first_of(std::string("/\\\0", 3)) == std::string::npos &&
         onDisk.size() <= LongestFileName(paths.ProjectPath);
}

// The name in the project folder of the saved game's file: the file of
// exactly that name, else the first in name order of the same save; nothing
// when there is none.
std::optional<std::string> FindSavedGameFile(const ProjectPaths& paths, const std::string& name) {
  if (!IsSafeName(paths, name)) return std::nullopt;
  std::string exact = name + std::string(kExtension);
  struct stat status {};
  if (::lstat((paths.ProjectPath + exact).c_str(), &status) == 0) return exact;
  std::optional<std::string> found;
  for (FolderItem& item : ReadFolder(paths.ProjectPath)) {
    std::string& file = item.name;
    if (file.size() <= kExtension.size() ||
        FoldCase(std::string_view(file).substr(file.size() - kExtension.size())) != kExtension)
      continue;
    if (SameName(NameAsText(file.substr(0, file.size() - kExtension.size())), name) &&
        (!found || file < *found))
      found = std::move(file);
  }
  return found;
}

// The file's path in the trace, as UTF-8.
std::string TraceFile(const ProjectPaths& paths, const std::string& file) {
  return Utf8Lossy(paths.ProjectPath) + NameAsText(file);
}

void ShowFailure(const Player& player, const std::string& text, const std::string& title) {
  player.platform.messages.Show(text, ui::MessageButtons::Ok, ui::MessageIcon::Critical, title);
}
}  // namespace

std::string WriteGameState(const GameState& state) {
  std::string bytes;
  WriteLine(bytes, Variant::String(state.CurrentFrameName));
  WriteLine(bytes, Variant::Long(state.Variables.Count()));
  for (const auto& variable : state.Variables) {
    WriteLine(bytes, Variant::String(variable->Name()));
    WriteLine(bytes, Variant::Long(variable->Value()));
  }
  WriteLine(bytes, Variant::Long(state.Disappear.Count()));
  for (const auto& area : state.Disappear) {
    WriteLine(bytes, Variant::String(area->Name()));
    WriteLine(bytes, Variant::Long(area->Value()));
  }
  WriteLine(bytes, Variant::Long(static_cast<int32_t>(state.CarriedObjects.size())));
  for (const std::string& object : state.CarriedObjects) WriteLine(bytes, Variant::String(object));
  WriteLine(bytes, Variant::Long(state.FramesHistory.ListCount()));
  for (int i = 0; i < state.FramesHistory.ListCount(); ++i)
    WriteLine(bytes, Variant::String(state.FramesHistory.List(i)));
  return bytes;
}

std::string ReadGameState(TextReader& file, Game& game) {
  // Counts are only loop bounds: a damaged count reads on until the file
  // ends, and nothing is set aside for it.
  std::string frame = ReadName(file);
  for (int64_t i = 1, count = ReadCount(file); i <= count; ++i) {
    std::string name = file.ReadText();
    ChangeVariableValue(game, name, file.ReadInt16());
  }
  for (int64_t i = 1, count = ReadCount(file); i <= count; ++i) {
    std::string name = file.ReadText();
    game.Disappear.Add(name, file.ReadInt16());
  }
  for (int64_t i = 1, count = ReadCount(file); i <= count; ++i)
    AddPickedObject(game, ReadName(file));
  if (file.HasMoreData()) {
    FrameHistory& history = game.FramesHistory;
    history.Clear();
    // Only the newest frames of a history longer than any this program
    // writes are kept, so that it never grows with the file.
    for (int64_t i = 1, count = ReadCount(file); i <= count; ++i) {
      history.AddItem(ReadName(file));
      if (history.ListCount() > FrameHistory::kLength) history.RemoveItem(0);
    }
  }
  return frame;
}

std::string SavedGamePath(const ProjectPaths& paths, const std::string& name) {
  return Utf8ToCp1252Lossy(paths.ProjectPath + name + std::string(kExtension));
}

bool SavedGameExists(const ProjectPaths& paths, const std::string& name) {
  const std::optional<std::string> file = FindSavedGameFile(paths, name);
  struct stat status {};
  return file && ::stat((paths.ProjectPath + *file).c_str(), &status) == 0 &&
         S_ISREG(status.st_mode);
}

bool WriteSavedGame(Game& game, const std::string& name) {
  const Player& player = game.GetPlayer();
  std::string file;
  try {
    if (!IsSafeName(player.paths, name)) RaiseError(kErrBadFileNameOrNumber, name);
    // A saved game's name can't hold a double quote, as none of its texts can.
    if (name.find('"') != std::string::npos) RaiseError(kErrBadFileNameOrNumber, name);
    file = FindSavedGameFile(player.paths, name).value_or(name + std::string(kExtension));
    WriteFileAtomically(player.paths.ProjectPath + file, WriteGameState(game.State));
  } catch (const RuntimeError&) {
    ShowFailure(player, "Unable to save '" + SavedGamePath(player.paths, name) + "'",
                "Error Saving game");
    return false;
  }
  player.platform.Trace("save \"" + TraceFile(player.paths, file) + "\"");
  return true;
}

bool ReadSavedGame(Player& player, const std::string& name, ui::Form& loadDialog) {
  Game& game = player.LoadGame();
  Welcome* welcome = player.welcome.get();
  const bool switchDisplay = player.info.AllowDisplayChange == 1 && welcome &&
                             welcome->chkResolution.Visible() &&
                             welcome->chkResolution.Value() == 1;
  if (switchDisplay) {
    loadDialog.Hide();
    welcome->Window().Hide();
    player.frames.SwitchTo640x480();
  }
  ResetAll(game);
  LoadVariables(game);
  std::string frame;
  try {
    const std::optional<std::string> found = FindSavedGameFile(player.paths, name);
    if (!found) RaiseError(kErrFileNotFound, name);
    TextReader file = TextReader::Open(player.paths.ProjectPath + *found);
    player.platform.Trace("load \"" + TraceFile(player.paths, *found) + "\"");
    frame = ReadGameState(file, game);
  } catch (const RuntimeError&) {
    // The user is not left without a window: the desktop's size and what
    // the display switch hid come back, for another choice.
    if (switchDisplay) {
      player.frames.RestoreDisplayMode();
      welcome->Window().Show();
      loadDialog.Show();
    }
    ShowFailure(player, "Unable to load '" + SavedGamePath(player.paths, name) + "'.",
                "Error Loading Game");
    return false;
  }
  loadDialog.Hide();
  const uint32_t closings = game.Closings;
  OpenFrame(game, frame);
  // Closed while the frame's video played, the game is over already.
  if (game.Closings != closings) return true;
  player.platform.events.ProcessPendingEvents();
  game.Window().Show();
  if (welcome) welcome->Window().Hide();
  return true;
}

void RemoveSavedGame(const Player& player, const std::string& name) {
  const std::optional<std::string> file = FindSavedGameFile(player.paths, name);
  std::error_code error;
  if (!file || !std::filesystem::remove(player.paths.ProjectPath + *file, error))
    ShowFailure(player, "Unable to remove '" + SavedGamePath(player.paths, name) + "'.",
                "Error Removing Saved Game");
}

std::vector<std::string> ListSavedGames(const Player& player) {
  struct Entry {
    std::string name;
    std::filesystem::file_time_type modified;
  };
  std::vector<Entry> entries;
  try {
    ui::DiskFileList File1("File1", -1);
    File1.SetPattern("*.sav");
    File1.SetPath(player.paths.ProjectPath);
    const std::filesystem::path folder = ResolvePath(player.paths.ProjectPath);
    for (int i = 0; i < File1.ListCount(); ++i) {
      const std::string& file = File1.List(i);
      if (file.size() <= kExtension.size()) continue;
      std::error_code error;
      auto modified = std::filesystem::last_write_time(folder / file, error);
      if (error) continue;
      entries.push_back({NameAsText(file.substr(0, file.size() - kExtension.size())), modified});
    }
  } catch (const std::exception&) {
    // What was listed before the failure stays listed.
  }
  // Oldest first; equal times keep the order of the names.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.modified < b.modified; });
  std::vector<std::string> names;
  for (Entry& entry : entries) names.push_back(std::move(entry.name));
  return names;
}

}  // namespace tf
