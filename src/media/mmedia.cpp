#include "media/mmedia.h"

namespace tf {

// Until the media devices are built nothing ever plays.
void Mmedia::mmClose() {}
std::string Mmedia::Status() const { return "stopped"; }
void Mmedia::StopMovie() {}

}  // namespace tf
