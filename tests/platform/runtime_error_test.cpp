#include "platform/runtime/runtime_error.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(RuntimeErrorTest, RaiseThrowsNumberWithDescriptionAndDetail) {
  try {
    RaiseError(kErrFileNotFound, "frames/a.fme");
    FAIL() << "nothing thrown";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), 53);
    EXPECT_STREQ(error.what(), "File not found: frames/a.fme");
  }
  EXPECT_STREQ(RuntimeError(kErrOverflow).what(), "Overflow");
  EXPECT_STREQ(RuntimeError(1000).what(), "Application-defined or object-defined error");
}

}  // namespace
}  // namespace tf
