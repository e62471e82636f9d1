#include "state/variables.h"

#include "game/error_message.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"

namespace tf {

void LoadVariables(Game& game) {
  VariablesCollection& variables = game.Variables;
  const Player& player = game.GetPlayer();
  for (int32_t i = variables.Count(); i > 0; --i) variables.Remove(1);
  try {
    TextReader file = TextReader::Open(player.paths.ConfigPath + "Variables");
    int16_t count = file.ReadInt16();
    for (int16_t i = 0; i < count; ++i) variables.Add(file.ReadText(), 0);
  } catch (const RuntimeError&) {
    ShowErrorMessage(player.platform, "Unable to load variables list.");
  }
}

int16_t GetVariableValue(const Game& game, const std::string& variableName) {
  for (const auto& variable : game.Variables)
    if (variable->Name() == variableName) return variable->Value();
  return -1;
}

void ChangeVariableValue(Game& game, const std::string& variableName, int16_t newValue) {
  const Platform& platform = game.GetPlayer().platform;
  for (const auto& variable : game.Variables) {
    if (variable->Name() != variableName) continue;
    variable->SetValue(newValue == -1 ? static_cast<int16_t>(variable->Value() ^ 1) : newValue);
    platform.Trace("variable \"" + Cp1252ToUtf8(variableName) + "\" " +
                   std::to_string(variable->Value()));
  }
}

}  // namespace tf
