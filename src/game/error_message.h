#pragma once

#include <string>

#include "platform/platform.h"

namespace tf {

// The critical box of a game operation that failed: `text`, then the advice
// that every such box ends with.
void ShowErrorMessage(const Platform& platform, const std::string& text,
                      const std::string& title = "Error");

}  // namespace tf
