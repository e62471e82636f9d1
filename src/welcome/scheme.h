#pragma once

#include <string>

namespace tf {

class Welcome;

// Applies the named scheme (pictures and colours) to the welcome window.
void UseScheme(Welcome& welcome, const std::string& schemeName);

}  // namespace tf
