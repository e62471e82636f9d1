#include "media/wave_mix.h"

namespace tf {

// Sound is not played yet.
void cWaveMix::Play() {}

}  // namespace tf
