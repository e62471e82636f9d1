#include "platform/runtime/runtime_error.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(RuntimeErrorTest, DescribesKnownNumbersAndFallsBackForOthers) {
  EXPECT_EQ(ErrorDescription(kErrOverflow), "Overflow");
  EXPECT_EQ(ErrorDescription(kErrSubscriptOutOfRange), "Subscript out of range");
  EXPECT_EQ(ErrorDescription(kErrTypeMismatch), "Type mismatch");
  EXPECT_EQ(ErrorDescription(kErrBadFileNameOrNumber), "Bad file name or number");
  EXPECT_EQ(ErrorDescription(kErrFileNotFound), "File not found");
  EXPECT_EQ(ErrorDescription(kErrInputPastEndOfFile), "Input past end of file");
  EXPECT_EQ(ErrorDescription(kErrInvalidPicture), "Invalid picture");
  EXPECT_EQ(ErrorDescription(1000), "Application-defined or object-defined error");
  EXPECT_EQ(ErrorDescription(0), "Application-defined or object-defined error");
}

TEST(RuntimeErrorTest, RaiseThrowsNumberWithDescriptionAndDetail) {
  try {
    RaiseError(kErrFileNotFound, "frames/a.fme");
    FAIL() << "nothing thrown";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), 53);
    EXPECT_STREQ(error.what(), "File not found: frames/a.fme");
  }
  EXPECT_STREQ(RuntimeError(kErrOverflow).what(), "Overflow");
}

}  // namespace
}  // namespace tf
