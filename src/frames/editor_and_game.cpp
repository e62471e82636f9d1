#include "frames/editor_and_game.h"

#include <chrono>

#include "game/error_message.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "welcome/resolutions.h"

namespace tf {

EditorAndGame::EditorAndGame(const Platform& platform, const ProjectPaths& paths,
                             const ProjectInformation& info, GameState& state)
    : CurrentFrameName(state.CurrentFrameName), platform_(platform), paths_(paths), info_(info) {}

void EditorAndGame::ClearFrameInfo() {
  CurrentFrameName.clear();
  FramePicture.clear();
  FrameLinksCount = 0;
  FrameKind = 0;
  TilePicture = false;
}

void EditorAndGame::LoadFrameInfo(const std::string& frameName) {
  CurrentFrameName = frameName;
  platform_.Trace("frame \"" + Cp1252ToUtf8(frameName) + "\"");
  try {
    TextReader file = TextReader::Open(paths_.FramesPath + frameName + ".fme");
    FrameKind = file.ReadInt16();
    FramePicture = file.ReadText();
    TilePicture = file.ReadBool();
  } catch (const RuntimeError&) {
    ShowErrorMessage(platform_, "Sorry, unable to load '" + frameName + "'.",
                     "Error Loading Frame");
    return;
  }
  FrameLinksCount = ReadLinksCount();
}

int16_t EditorAndGame::LoadFrameLinksCount() {
  FrameLinksCount = ReadLinksCount();
  return FrameLinksCount;
}

// A missing or unreadable links file means a frame without areas.
int16_t EditorAndGame::ReadLinksCount() const {
  try {
    TextReader file = TextReader::Open(paths_.FramesPath + CurrentFrameName + ".lks");
    return file.ReadVariant().ToInt16();
  } catch (const RuntimeError&) {
    return 0;
  }
}

void EditorAndGame::ShowGameMessage(const std::string& text) {
  platform_.messages.Show(text, ui::MessageButtons::Ok, ui::MessageIcon::Information,
                          info_.GameTitle);
}

bool EditorAndGame::IsDisplay640x480() {
  SavedScreenWidth = GetScreenWidth(platform_);
  SavedScreenHeight = GetScreenHeight(platform_);
  return SavedScreenWidth == 640 && SavedScreenHeight == 480;
}

void EditorAndGame::RestoreDisplayMode() {
  IgnoringErrors([&] {
    if (info_.AllowDisplayChange == 1 && (GetScreenWidth(platform_) != SavedScreenWidth ||
                                          GetScreenHeight(platform_) != SavedScreenHeight))
      ChangeDisplayMode(platform_, info_, SavedScreenWidth, SavedScreenHeight);
  });
}

void EditorAndGame::SwitchTo640x480() {
  if (IsDisplay640x480()) return;
  IgnoringErrors([&] { ChangeDisplayMode(platform_, info_, 640, 480); });
  IgnoringErrors([&] { platform_.events.ProcessPendingEvents(); });

  // Let the new mode settle for one second, handling events meanwhile.
  constexpr int64_t settleMs = 1000;
  const int64_t start = platform_.clock.NowMs();
  for (int64_t elapsed = 0; elapsed < settleMs; elapsed = platform_.clock.NowMs() - start) {
    const std::chrono::milliseconds remaining{settleMs - elapsed};
    IgnoringErrors([&] { platform_.events.ProcessEventsFor(remaining); });
  }
}

}  // namespace tf
