#pragma once

#include <string>

#include "platform/platform.h"

namespace tf {

// The critical box of a game operation that failed: `text`, then the advice
// that every such box ends with.
void ShowErrorMessage(const Platform& platform, const std::string& text,
                      const std::string& title = "Error");

// The box of a run-time error that no operation trapped, shown where the
// event that raised it ends: its number and description, then the advice.
void ShowEscapedError(const Platform& platform, int errorNumber);

}  // namespace tf
