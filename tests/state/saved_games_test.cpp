#include "state/saved_games.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "frames/new_game.h"
#include "platform/memory/memory_dialog_controls.h"
#include "state/load_dialog.h"
#include "state/save_dialog.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

namespace fs = std::filesystem;

class SavedGamesTest : public ::testing::Test, public test::GameFixture {
 protected:
  SavedGamesTest() {
    WriteVariables("1\r\n\"lamp\"\r\n");
    WriteFrame("Start", "0\r\n\"255\"");
    WriteFrame("Hall", "0\r\n\"255\"");
    std::ifstream gif(fs::path(TF_TEST_FIXTURES) / "three.gif", std::ios::binary);
    project.Write("Areas/thing.gif", std::string(std::istreambuf_iterator<char>(gif), {}));
    for (const char* object : {"key", "rope"})
      project.Write(std::string("Areas/") + object + ".obj", "\"thing.gif\"\r\n");
    dialog = desktop.windows.CreateForm("frmLoadGame", ui::FormStyle::Bordered);
  }

  std::string Folder() const { return project.Path().string() + "/"; }
  std::string Read(const std::string& file) const {
    std::ifstream in(project.Path() / file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  // The project folder's files, and whether a save landed beside it.
  std::vector<std::string> FilesAround() const {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(project.Path())) files.push_back(entry.path());
    if (fs::exists(project.Path().parent_path() / "x.sav")) files.push_back("../x.sav");
    std::sort(files.begin(), files.end());
    return files;
  }
  bool Load(const std::string& name) { return ReadSavedGame(GetPlayer(), name, *dialog); }
  MessageBoxCall LoadingMessage(const std::string& name) const {
    return {"Unable to load '" + Folder() + name + ".sav'.", ui::MessageButtons::Ok,
            ui::MessageIcon::Critical, "Error Loading Game"};
  }
  MessageBoxCall SavingMessage(const std::string& name) const {
    return {"Unable to save '" + Folder() + name + ".sav'", ui::MessageButtons::Ok,
            ui::MessageIcon::Critical, "Error Saving game"};
  }

  std::unique_ptr<ui::Form> dialog;
};

constexpr char kTenLines[] =
    "\"Hall\"\r\n1\r\n\"lamp\"\r\n1\r\n0\r\n1\r\n\"key\"\r\n2\r\n\"Start\"\r\n\"Hall\"\r\n";

TEST(GameStateTest, TheTenLineExampleIsWrittenByteForByte) {
  GameState state;
  state.CurrentFrameName = "Hall";
  state.Variables.Add("lamp", 1);
  state.CarriedObjects = {"key"};
  state.FramesHistory.AddItem("Start");
  state.FramesHistory.AddItem("Hall");
  EXPECT_EQ(WriteGameState(state), kTenLines);
}

TEST_F(SavedGamesTest, SavingAndLoadingRestoresTheStateAndTracesBothFiles) {
  RecordingTrace& trace = desktop.trace;
  trace.Clear();
  Game& game = GetGame();
  game.State.CurrentFrameName = "Hall";
  game.Variables.Add("lamp", -32768);
  game.Disappear.Add("Hall", 3);
  game.Disappear.Add("Start", 1);
  game.State.CarriedObjects = {"key", "rope"};
  game.FramesHistory.AddItem("Start");
  game.FramesHistory.AddItem("Hall");
  ASSERT_TRUE(WriteSavedGame(game, "my game"));
  const std::string saved = Read("my game.sav");

  ASSERT_TRUE(Load("my game"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(WriteGameState(game.State), saved);
  EXPECT_TRUE(game.Window().Visible());
  EXPECT_FALSE(dialog->Visible());
  const std::string path = Folder() + "my game.sav";
  EXPECT_EQ(trace.Lines().front(), "save \"" + path + "\"");
  EXPECT_EQ(trace.Lines()[1], "load \"" + path + "\"");
  // A name in other letters is the same save, as on Windows: the trace names
  // the file written.
  trace.Clear();
  ASSERT_TRUE(SavedGameExists(GetPlayer().paths, "MY GAME"));
  ASSERT_TRUE(WriteSavedGame(game, "MY GAME"));
  EXPECT_EQ(trace.Lines().front(), "save \"" + path + "\"");
  EXPECT_FALSE(fs::exists(project.Path() / "MY GAME.sav"));
}

TEST_F(SavedGamesTest, CountsOfNoneLoadWhateverTheirSize) {
  // Each count is read as the same 32-bit number; 0 or less means none.
  const std::pair<const char*, const char*> files[] = {
      {"below 16 bits", "\"Hall\"\r\n-40000\r\n-40000\r\n-40000\r\n-40000\r\n"},
      {"none", "\"Hall\"\r\n0\r\n-1\r\n0\r\n-2147483648\r\n"},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    project.Write(std::string(name) + ".sav", bytes);
    ASSERT_TRUE(Load(name));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(GetGame().State.CurrentFrameName, "Hall");
    EXPECT_EQ(GetGame().Disappear.Count(), 0);
    EXPECT_EQ(GetGame().ObjectsCount(), 0);
    EXPECT_EQ(GetGame().FramesHistory.ListCount(), 1);
  }
}

TEST_F(SavedGamesTest, DamagedFilesGiveTheLoadingMessageAndKeepWhatWasRead) {
  std::mt19937 random(7);
  std::string garbage(4096, '\0');
  for (char& byte : garbage) byte = static_cast<char>(random());
  const std::pair<const char*, std::string> files[] = {
      {"truncated", "\"Hall\"\r\n1\r\n\"lamp\"\r\n1\r\n2\r\n\"Hall\"\r\n"},
      {"cut in a name", "\"Hall\"\r\n1\r\n\"lamp\"\r\n1\r\n1\r\n\"Ha"},
      {"garbage", garbage},
      {"count is text", "\"Hall\"\r\n1\r\n\"lamp\"\r\n1\r\nmany\r\n"},
      {"value overflows", "\"Hall\"\r\n1\r\n\"lamp\"\r\n40000\r\n"},
      {"huge counts", "\"Hall\"\r\n2147483647\r\n\"lamp\"\r\n1\r\n\"lamp\"\r\n"},
      {"huge history", std::string(kTenLines, 35) + "32767\r\n\"Start\"\r\n"},
      {"more objects than names", std::string(kTenLines, 25) + "32768\r\n\"key\"\r\n"},
      {"counts beyond 32 bits", "\"Hall\"\r\n0\r\n0\r\n2147483648\r\n"},
      {"empty", ""},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    desktop.messages.calls.clear();
    project.Write(std::string(name) + ".sav", bytes);
    dialog->Show();
    EXPECT_FALSE(Load(name));
    EXPECT_EQ(Messages(), std::vector<MessageBoxCall>{LoadingMessage(name)});
    EXPECT_TRUE(dialog->Visible());
    EXPECT_FALSE(GetGame().Window().Visible());
  }
  // What was read before the file ended stays.
  EXPECT_FALSE(Load("truncated"));
  EXPECT_EQ(GetGame().Variables.Item(1).Value(), 1);
  desktop.messages.calls.clear();
  EXPECT_FALSE(Load("missing"));
  EXPECT_EQ(Messages(), std::vector<MessageBoxCall>{LoadingMessage("missing")});
}

TEST_F(SavedGamesTest, ALongHistoryKeepsItsNewestFrames) {
  // It ends with the saved frame, which opening that frame does not add again.
  std::string bytes = "\"Hall\"\r\n0\r\n0\r\n0\r\n30000\r\n";
  for (int i = 0; i < 29999; ++i) bytes += "\"F" + std::to_string(i % 7) + "\"\r\n";
  project.Write("long.sav", bytes + "\"Hall\"\r\n");
  ASSERT_TRUE(Load("long"));
  const FrameHistory& history = GetGame().FramesHistory;
  ASSERT_EQ(history.ListCount(), FrameHistory::kLength);
  EXPECT_EQ(history.List(0), "F" + std::to_string((30000 - FrameHistory::kLength) % 7));
  EXPECT_EQ(history.List(FrameHistory::kLength - 1), "Hall");
}

TEST_F(SavedGamesTest, UnsafeNamesAndQuotesWriteNothing) {
  Game& game = GetGame();
  game.State.CurrentFrameName = "Hall";
  project.Write("old.sav", kTenLines);
  const std::vector<std::string> before = FilesAround();
  const std::string tooLong(fs::path::string_type(300, 'n'));
  for (const std::string& name : {std::string("../x"), std::string("a/b"), std::string("a\\b"),
                                  std::string("nul\0byte", 8), tooLong}) {
    desktop.messages.calls.clear();
    EXPECT_FALSE(WriteSavedGame(game, name));
    EXPECT_EQ(Messages(), std::vector<MessageBoxCall>{SavingMessage(name)});
  }
  const std::function<void(Game&)> quotes[] = {
      [](Game& g) { g.State.CurrentFrameName = "Ha\"ll"; },
      [](Game& g) { g.Variables.Add("la\"mp", 1); },
      [](Game& g) { g.Disappear.Add("\"", 1); },
      [](Game& g) { g.State.CarriedObjects = {"k\"ey"}; },
      [](Game& g) { g.FramesHistory.AddItem("St\"art"); },
  };
  for (const auto& putQuote : quotes) {
    ResetAll(game);
    game.State.CurrentFrameName = "Hall";
    putQuote(game);
    desktop.messages.calls.clear();
    EXPECT_FALSE(WriteSavedGame(game, "old"));
    EXPECT_EQ(Messages(), std::vector<MessageBoxCall>{SavingMessage("old")});
  }
  // Nor can a saved game's own name hold one.
  ResetAll(game);
  game.State.CurrentFrameName = "Hall";
  desktop.messages.calls.clear();
  EXPECT_FALSE(WriteSavedGame(game, "quo\"te"));
  EXPECT_EQ(Messages(), std::vector<MessageBoxCall>{SavingMessage("quo\"te")});
  EXPECT_EQ(FilesAround(), before);
  EXPECT_EQ(Read("old.sav"), kTenLines);
}

// Runs in a child process: a failure of the disk must leave the old save
// whole and no draft behind.
TEST_F(SavedGamesTest, AFailedWriteKeepsTheOldSaveWhole) {
  Game& game = GetGame();
  game.State.CurrentFrameName = "Hall";
  for (int i = 0; i < 200; ++i) game.Variables.Add("variable" + std::to_string(i), 1);
  project.Write("old.sav", kTenLines);
  const std::vector<std::string> before = FilesAround();
  auto writeOnAFullDisk = [&] {
    // Files may grow to 1 KiB: the new save, about 3 KiB, can't be written.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{1024, 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = WriteSavedGame(game, "old");
    _exit(!written && Messages() == std::vector<MessageBoxCall>{SavingMessage("old")} ? 0 : 1);
  };
  EXPECT_EXIT(writeOnAFullDisk(), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(Read("old.sav"), kTenLines);
  EXPECT_EQ(FilesAround(), before);
}

TEST_F(SavedGamesTest, AReadOnlyFolderOrSaveGivesTheSavingMessage) {
  GetGame().State.CurrentFrameName = "Hall";
  project.Write("old.sav", kTenLines);
  auto writeAsAUser = [&] {
    // The superuser may write anywhere: give the rights up first.
    if (geteuid() == 0 && setresuid(65534, 65534, 65534) != 0) _exit(2);
    // The folder can still be read: only the writing fails.
    const bool readable = SavedGameExists(GetPlayer().paths, "old");
    const bool written = WriteSavedGame(GetGame(), "old");
    _exit(readable && !written && Messages() == std::vector<MessageBoxCall>{SavingMessage("old")}
              ? 0
              : 1);
  };
  const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(project.Path(), write, fs::perm_options::remove);
  EXPECT_EXIT(writeAsAUser(), ::testing::ExitedWithCode(0), "");
  // In a folder anyone may write, a save its user may not write is not
  // replaced either.
  fs::permissions(project.Path(), write, fs::perm_options::add);
  fs::permissions(project.Path() / "old.sav", write, fs::perm_options::remove);
  EXPECT_EXIT(writeAsAUser(), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(Read("old.sav"), kTenLines);
  EXPECT_EQ(fs::status(project.Path() / "old.sav").permissions() & write, fs::perms::none);
}

TEST_F(SavedGamesTest, ASaveClearsOnlyTheDraftsKilledWritersLeft) {
  Game& game = GetGame();
  game.State.CurrentFrameName = "Hall";
  // A saved game named like a draft, and files that only begin like one.
  ASSERT_TRUE(WriteSavedGame(game, ".taleforge-xyz"));
  const std::vector<std::string> kept{".taleforge-xyz.sav", ".taleforge-notes",
                                      ".taleforge-0123456789abcdef",
                                      ".taleforge-0123456789abcdeX.draft"};
  const std::string draft = ".taleforge-0123456789abcdef.draft";
  for (const std::string& file : {kept[1], kept[2], kept[3], draft}) project.Write(file, "x");
  for (const std::string& file : {kept[0], kept[1], kept[2], kept[3], draft})
    fs::last_write_time(project.Path() / file,
                        fs::file_time_type::clock::now() - std::chrono::hours(2));
  ASSERT_TRUE(WriteSavedGame(game, "next"));
  for (const std::string& file : kept) EXPECT_TRUE(fs::exists(project.Path() / file)) << file;
  EXPECT_FALSE(fs::exists(project.Path() / draft));
  EXPECT_EQ(ListSavedGames(GetPlayer()), (std::vector<std::string>{".taleforge-xyz", "next"}));
}

TEST_F(SavedGamesTest, EveryNameKeepsAFileOfItsOwnAndListsAsTyped) {
  Game& game = GetGame();
  game.State.CurrentFrameName = "Hall";
  // Letters Windows-1252 lacks; the last two differ only in a byte that
  // Windows-1252 would take for a capital letter.
  const std::vector<std::string> names{"日本", "中国", "🦀 crab", "Ĳssel", "旊", "旚"};
  const auto now = fs::file_time_type::clock::now();
  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_FALSE(SavedGameExists(GetPlayer().paths, names[i]));
    ASSERT_TRUE(WriteSavedGame(game, names[i]));
    fs::last_write_time(project.Path() / (names[i] + ".sav"), now + std::chrono::seconds(i));
  }
  EXPECT_TRUE(Messages().empty());
  // The Windows player's saves have Windows-1252 names.
  project.Write("Caf\xE9 au lait.sav", kTenLines);
  fs::last_write_time(project.Path() / "Caf\xE9 au lait.sav", now + std::chrono::seconds(9));
  std::vector<std::string> listed = names;
  listed.push_back("Café au lait");
  EXPECT_EQ(ListSavedGames(GetPlayer()), listed);
  ASSERT_TRUE(Load("Café au lait"));
  EXPECT_EQ(GetGame().Variables.Item(1).Value(), 1);
  EXPECT_TRUE(SavedGameExists(GetPlayer().paths, "CAFÉ AU LAIT"));
  RemoveSavedGame(GetPlayer(), "Café au lait");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ListSavedGames(GetPlayer()), names);
}

TEST_F(SavedGamesTest, TheListIsOldestFirstWithEqualTimesInNameOrder) {
  const auto now = fs::file_time_type::clock::now();
  const std::pair<const char*, int> files[] = {{"b.sav", 0},    {"A.SAV", 0}, {"new.sav", 5},
                                               {"old.sav", -5}, {".sav", 0},  {"x.txt", 9},
                                               {"c.sav", 0}};
  for (auto [file, age] : files) {
    project.Write(file, "");
    fs::last_write_time(project.Path() / file, now + std::chrono::seconds(age));
  }
  EXPECT_EQ(ListSavedGames(GetPlayer()), (std::vector<std::string>{"old", "A", "b", "c", "new"}));
}

TEST_F(SavedGamesTest, RemovingDeletesTheFileAndAMissingOneGivesTheMessage) {
  project.Write("gone.sav", kTenLines);
  RemoveSavedGame(GetPlayer(), "gone");
  EXPECT_FALSE(fs::exists(project.Path() / "gone.sav"));
  EXPECT_TRUE(Messages().empty());
  RemoveSavedGame(GetPlayer(), "gone");
  const MessageBoxCall removing{"Unable to remove '" + Folder() + "gone.sav'.",
                                ui::MessageButtons::Ok, ui::MessageIcon::Critical,
                                "Error Removing Saved Game"};
  EXPECT_EQ(Messages(), std::vector<MessageBoxCall>{removing});
}

// The window's caption, then each control it has as "name left,top
// width x height caption", in pixels.
std::vector<std::string> Layout(const ui::MemoryForm& form) {
  std::vector<std::string> layout{form.Caption()};
  for (const char* name :
       {"List1", "Command2", "Command1", "Command3", "Label1", "Label2", "Text1"}) {
    const ui::Control* control = form.FindControl(name, -1);
    if (!control) continue;
    std::string caption;
    if (auto* label = dynamic_cast<const ui::Label*>(control)) caption = label->Caption();
    if (auto* button = dynamic_cast<const ui::CommandButton*>(control))
      caption = button->Caption() + (button->Default() ? " default" : "") +
                (button->Cancel() ? " cancel" : "");
    layout.push_back(std::string(name) + " " + std::to_string(control->Left() / 15) + "," +
                     std::to_string(control->Top() / 15) + " " +
                     std::to_string(control->Width() / 15) + "x" +
                     std::to_string(control->Height() / 15) + " " + caption);
  }
  return layout;
}

TEST_F(SavedGamesTest, TheDialogsAreCentredWithTheirCaptionsAndLayout) {
  desktop.display.width = 800;
  desktop.display.height = 600;
  std::vector<std::string> seen;
  desktop.windows.onModal = [&](ui::MemoryForm& form) {
    // 272 x 257 pixels, centred on the 800 x 600 screen.
    EXPECT_EQ(std::vector<int>({form.Left(), form.Top(), form.Width(), form.Height()}),
              std::vector<int>({(12000 - 4080) / 2, (9000 - 3855) / 2, 4080, 3855}));
    seen = Layout(form);
    form.Hide();
  };
  ShowLoadDialog(GetPlayer(), *dialog);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Load a previously saved game", "List1 8,8 257x186 ",
                      "Command2 104,224 73x25 LOAD default", "Command1 192,224 73x25 Cancel cancel",
                      "Label1 8,200 257x25 Select the game you wish to load and click \"LOAD\"."}));
  mnuSaveGame_Click(GetGame());
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Save the current game", "List1 8,8 257x134 ",
                      "Command2 104,224 73x25 SAVE default", "Command1 192,224 73x25 Cancel cancel",
                      "Command3 160,144 105x25 Remove Selected",
                      "Label2 8,176 257x17 Enter the name of the game you want to save:",
                      "Text1 8,192 257x19 "}));
}

TEST_F(SavedGamesTest, TheSaveDialogFocusesTheNameTakesAClickedEntryAndSavesOnEnter) {
  GetGame().State.CurrentFrameName = "Hall";
  project.Write("old.sav", kTenLines);
  bool focused = false;
  desktop.windows.onModal = [&](ui::MemoryForm& form) {
    focused = static_cast<ui::MemoryTextBox&>(*form.FindControl("Text1", -1)).Focused();
    auto& list = static_cast<ui::MemoryListBox&>(*form.FindControl("List1", -1));
    list.Select(0);
    form.RunEvent(list.onClick);
    form.PressKey(ui::kKeyReturn);
  };
  mnuSaveGame_Click(GetGame());
  EXPECT_TRUE(focused);
  EXPECT_EQ(Messages(),
            (std::vector<MessageBoxCall>{{"'old' already exists. Do you want to replace it?",
                                          ui::MessageButtons::OkCancel, ui::MessageIcon::Question,
                                          "Save game"}}));
  EXPECT_EQ(Read("old.sav"), "\"Hall\"\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_FALSE(desktop.windows.Find("frmSaveGame"));
}

}  // namespace
}  // namespace tf
