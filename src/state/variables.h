#pragma once

#include <cstdint>
#include <string>

namespace tf {

class Game;

// Empties the game's variables and declares those of the variables list,
// every value 0.
void LoadVariables(Game& game);
// The value of the first variable of that exact name; -1 when none has it.
int16_t GetVariableValue(const Game& game, const std::string& variableName);
// Sets every variable of that name to the value; -1 toggles the lowest bit.
void ChangeVariableValue(Game& game, const std::string& variableName, int16_t newValue);

}  // namespace tf
