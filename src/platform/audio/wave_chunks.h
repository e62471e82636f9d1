#pragma once

#include <string>

namespace tf {

// A WAV file's bytes with every chunk's length cut to what the file really
// holds, so that a damaged file plays what it has and SDL's loader never
// allocates for data the file only claims. Other bytes come back as they are.
std::string TrimWaveChunks(std::string bytes);

}  // namespace tf
