#pragma once

namespace tf {

// The whole program: command line, application object, the game and, when
// asked, the walkthrough. Returns the exit status.
int RunPlayer(int argc, char** argv);

}  // namespace tf
