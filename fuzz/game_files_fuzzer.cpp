// Fuzz targets for the project's data files: each writes the input as one
// file of a small project and runs the game's own operation that reads it,
// on the memory desktop with its manual clock.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "areas/area_click.h"
#include "frames/new_game.h"
#include "fuzz_target.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/memory/memory_platform.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "scratch_project.h"
#include "state/inventory.h"
#include "state/inventory_drag.h"
#include "state/saved_games.h"

namespace tf::fuzz {
namespace {

// Long enough for a timed frame and the MP3 timer to fire.
constexpr int64_t kClockRunMs = 6'000;
constexpr size_t kMaxTextReads = 100'000;

// A player on the memory desktop that has started a new game, as the
// welcome window's new-game image does.
struct RunningGame {
  explicit RunningGame(const std::string& folder) : player(platform, folder) {
    player.Start();
    Game& game = player.LoadGame();
    ResetAll(game);
    StartNewGame(game);
  }
  Game& GetGame() { return *player.game; }
  void RunClock() { desktop.clock.Advance(kClockRunMs); }

  MemoryPlatform desktop;
  Platform platform = desktop.Get();
  Player player;
};

// Reads every value of the file in turn as text, number, boolean or
// variant, the kinds taken in turn from the bits of the first byte.
void ReadAllValues(const std::string& path, uint8_t kinds) {
  TextReader file = TextReader::Open(path);
  for (size_t n = 0; n < kMaxTextReads && file.HasMoreData(); ++n) {
    switch ((kinds >> (2 * (n % 4))) & 3) {
      case 0:
        file.ReadText();
        break;
      case 1:
        file.ReadInt16();
        break;
      case 2:
        file.ReadBool();
        break;
      default:
        file.ReadVariant();
        break;
    }
  }
}

void ClickArea(RunningGame& run, int16_t area) { AreaClick(run.GetGame(), area, ui::kLeftButton); }

struct FileTarget {
  // Where the input goes, below the project folder.
  std::vector<std::string> files;
  std::function<void(RunningGame&)> then;
};

const std::map<std::string, FileTarget>& Targets() {
  static const std::map<std::string, FileTarget> targets{
      {"general", {{"Config/General"}, {}}},
      {"scheme", {{"schemes/Blue/Scheme.txt"}, {}}},
      {"variables", {{"Config/Variables"}, [](RunningGame& run) { ClickArea(run, 1); }}},
      {"frame", {{"Frames/Room.fme"}, {}}},
      {"links", {{"Frames/Room.lks"}, [](RunningGame& run) { ClickArea(run, 3); }}},
      {"area", {{"Areas/Room/1a.dat"}, [](RunningGame& run) { ClickArea(run, 1); }}},
      {"area_object", {{"Areas/Room/2c.dat"}, [](RunningGame& run) { ClickArea(run, 2); }}},
      {"action", {{"Areas/Room/1b.dat"}, [](RunningGame& run) { ClickArea(run, 1); }}},
      {"label", {{"Areas/Room/title.lbl"}, {}}},
      {"sound_channels",
       {{"Frames/Room.chn", "Areas/Room/1d.dat"}, [](RunningGame& run) { ClickArea(run, 1); }}},
      {"object",
       {{"Areas/key.obj"},
        [](RunningGame& run) {
          AddPickedObject(run.GetGame(), "key");
          Game& game = run.GetGame();
          if (game.ObjectsCount() == 0) return;
          game.DraggedObjectIndex = 1;  // as pressing on it does
          Area_DragDrop(game, 1, game.PickedObject[1], 0, 0);
        }}},
      {"combination",
       {{"Areas/key_on_rope.drg"},
        [](RunningGame& run) {
          Game& game = run.GetGame();
          AddPickedObject(game, "key");
          AddPickedObject(game, "rope");
          if (game.ObjectsCount() != 2) return;
          game.DraggedObjectIndex = 1;
          PickedObject_DragDrop(game, 2, game.PickedObject[1], 0, 0);
        }}},
      {"saved_game",
       {{"fuzz.sav"},
        [](RunningGame& run) {
          std::unique_ptr<ui::Form> dialog =
              run.desktop.windows.CreateForm("frmLoadGame", ui::FormStyle::Bordered);
          ReadSavedGame(run.player, "fuzz", *dialog);
        }}},
  };
  return targets;
}

}  // namespace

int RunGameFileTarget(const std::string& name, const uint8_t* data, size_t size) {
  static const ScratchProject project(TF_FUZZ_PROJECT);
  if (name == "text") {
    project.Write("input.txt", data, size);
    try {
      ReadAllValues(project.Folder() + "input.txt", size > 0 ? data[0] : 0);
    } catch (const RuntimeError&) {
      // The reader's errors are what its callers trap.
    }
    return 0;
  }
  const FileTarget& target = Targets().at(name);
  for (const std::string& file : target.files) project.Write(file, data, size);
  RunningGame run(project.Folder());
  if (target.then) target.then(run);
  run.RunClock();
  return 0;
}

}  // namespace tf::fuzz
