#pragma once

#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/runtime/text_reader.h"

namespace tf {

class Game;
struct Player;
struct ProjectPaths;

namespace ui {
class Form;
}

// The saved-game file's bytes for a game state: frame, variables,
// disappeared areas, carried objects and history, one value a line. Error 5
// for a text holding a double quote, which the format can't hold.
std::string WriteGameState(const GameState& state);
// Replays a saved game into the game value by value, in the order
// WriteGameState writes them: variables by name, disappeared areas, objects
// picked up again, and the history when the file holds it. Returns the
// frame to open. Errors of the reader (13, 6, 62) end it where they happen.
std::string ReadGameState(TextReader& file, Game& game);

// A saved game's name is the name of its file less ".sav", as UTF-8 text like
// the system's file names, so that a name in any letters keeps a file of its
// own; the Windows player's names, in Windows-1252, read as their letters.
// Names that differ only in the case of Windows-1252 letters name one save,
// as on Windows.

// ProjectPath & name & ".sav", as the game's messages show it (in
// Windows-1252, a letter it lacks as "?").
std::string SavedGamePath(const ProjectPaths& paths, const std::string& name);
// True when a saved game of that name exists.
bool SavedGameExists(const ProjectPaths& paths, const std::string& name);

// Writes the running game under the name, replacing a save of that name
// whole or not at all. False after showing the saving message.
bool WriteSavedGame(Game& game, const std::string& name);
// Resets the game, replays the saved game and opens its frame; the load
// dialog closes and the game window shows. False after showing the loading
// message, the dialog left as it was.
bool ReadSavedGame(Player& player, const std::string& name, ui::Form& loadDialog);
// Deletes the saved game; the removing message when it can't.
void RemoveSavedGame(const Player& player, const std::string& name);
// The names of the saved games, oldest first.
std::vector<std::string> ListSavedGames(const Player& player);

}  // namespace tf
