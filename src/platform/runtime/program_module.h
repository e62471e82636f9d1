#pragma once

namespace tf {

// A symbol of one of the program's own modules, found beside the program's
// file, else at `builtPath` where the build put it; null when neither loads.
// A module loaded `global` lends its symbols to modules loaded after it.
void* ProgramModuleSymbol(const char* fileName, const char* builtPath, const char* symbol,
                          bool global);

}  // namespace tf
