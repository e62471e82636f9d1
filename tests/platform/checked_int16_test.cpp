#include "platform/runtime/checked_int16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/runtime/runtime_error.h"
#include "platform/runtime_test_support.h"

namespace tf {
namespace {

TEST(CheckedInt16Test, RoundsHalfToEven) {
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(3.5), 4);
  EXPECT_EQ(ToInt16(-2.5), -2);
  EXPECT_EQ(ToInt16(-3.5), -4);
  EXPECT_EQ(ToInt16(2.4999), 2);
  EXPECT_EQ(ToInt16(2.5001), 3);
}

TEST(CheckedInt16Test, RangeLimitsApplyAfterRounding) {
  EXPECT_EQ(ToInt16(32767.4), 32767);
  EXPECT_EQ(ToInt16(-32768.5), -32768);
  EXPECT_EQ(ErrorOf([] { ToInt16(32767.5); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { ToInt16(-32769.0); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { ToInt16(std::numeric_limits<double>::quiet_NaN()); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { ToInt16(HUGE_VAL); }), kErrOverflow);
  EXPECT_EQ(ToInt16(-32768LL), -32768);
  EXPECT_EQ(ErrorOf([] { ToInt16(32768LL); }), kErrOverflow);
}

TEST(CheckedInt16Test, ArithmeticOverflowsOutsideSixteenBits) {
  EXPECT_EQ(MulInt16(181, 181), 32761);
  EXPECT_EQ(ErrorOf([] { MulInt16(182, 181); }), kErrOverflow);
  EXPECT_EQ(MulInt16(-256, 128), -32768);
  EXPECT_EQ(AddInt16(32000, 767), 32767);
  EXPECT_EQ(ErrorOf([] { AddInt16(32000, 768); }), kErrOverflow);
  EXPECT_EQ(SubInt16(-32000, 768), -32768);
  EXPECT_EQ(ErrorOf([] { SubInt16(-32000, 769); }), kErrOverflow);
}

TEST(CheckedInt16Test, ToInt32RoundsAndChecksRange) {
  EXPECT_EQ(ToInt32(40000.5), 40000);
  EXPECT_EQ(ToInt32(-1.5), -2);
  EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
  EXPECT_EQ(ToInt32(-2147483648.0), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ErrorOf([] { ToInt32(2147483647.5); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { ToInt32(-3e9); }), kErrOverflow);
}

}  // namespace
}  // namespace tf
