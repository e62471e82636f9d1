#pragma once

#include <string>

namespace tf {

// The standard MIDI file that a RIFF MIDI file ("RMID", as Windows saves
// MIDI music) holds in its "data" chunk; other bytes come back as they are.
// The chunks are walked within the file's own size, whatever their lengths
// claim: a data chunk cut short gives what the file holds of it, and a
// wrapper without one gives nothing.
std::string UnwrapRiffMidi(std::string bytes);

}  // namespace tf
