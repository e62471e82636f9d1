#include "platform/runtime/val.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/runtime/runtime_error.h"

namespace tf {
namespace {

TEST(ValTest, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(Val("2.5abc"), 2.5);
  EXPECT_DOUBLE_EQ(Val("abc"), 0);
  EXPECT_DOUBLE_EQ(Val(""), 0);
  EXPECT_DOUBLE_EQ(Val("1e3"), 1000);
  EXPECT_DOUBLE_EQ(Val("2D2"), 200);
  EXPECT_DOUBLE_EQ(Val(".5"), 0.5);
  EXPECT_DOUBLE_EQ(Val("  -12.25x"), -12.25);
  EXPECT_DOUBLE_EQ(Val("1.5e-2s"), 0.015);
  EXPECT_DOUBLE_EQ(Val("3e"), 3);
  EXPECT_DOUBLE_EQ(Val("3.4.5"), 3.4);
  EXPECT_DOUBLE_EQ(Val("1,5"), 1);
}

TEST(ValTest, SkipsBlanksInsideTheNumber) {
  EXPECT_DOUBLE_EQ(Val("1 000"), 1000);
  EXPECT_DOUBLE_EQ(Val(" 1\t2 . 5 e 1"), 125);
}

TEST(ValTest, ReadsHexAndOctalPrefixes) {
  EXPECT_DOUBLE_EQ(Val("&H1F"), 31);
  EXPECT_DOUBLE_EQ(Val("&O17"), 15);
  EXPECT_DOUBLE_EQ(Val("&O18"), 1);
  EXPECT_DOUBLE_EQ(Val("&HFFFF"), -1);
  EXPECT_DOUBLE_EQ(Val("&H10000"), 65536);
  EXPECT_DOUBLE_EQ(Val("&HFFFFFFFF"), -1);
  EXPECT_DOUBLE_EQ(Val("&X1"), 0);
}

TEST(ValTest, HugeNumbersOverflowTinyOnesVanish) {
  EXPECT_THROW(Val("1e400"), RuntimeError);
  EXPECT_THROW(Val("&H100000000"), RuntimeError);
  EXPECT_DOUBLE_EQ(Val("1e-400"), 0);
  EXPECT_DOUBLE_EQ(Val("0e99999999999"), 0);
}

TEST(ParseNumberTest, AcceptsOnlyAWholeNumberText) {
  ASSERT_TRUE(ParseNumber(" -2.5 ").has_value());
  EXPECT_DOUBLE_EQ(ParseNumber(" -2.5 ")->value, -2.5);
  EXPECT_DOUBLE_EQ(ParseNumber("1E3")->value, 1000);
  EXPECT_DOUBLE_EQ(ParseNumber("5.")->value, 5);
  EXPECT_FALSE(ParseNumber("").has_value());
  EXPECT_FALSE(ParseNumber("2.5abc").has_value());
  EXPECT_FALSE(ParseNumber("1 000").has_value());
  EXPECT_FALSE(ParseNumber("1e").has_value());
  EXPECT_FALSE(ParseNumber("1,5").has_value());
  EXPECT_FALSE(ParseNumber("&H10").has_value());
}

TEST(ParseNumberTest, TellsWholeNumbersFromOthers) {
  EXPECT_TRUE(ParseNumber("123")->whole);
  EXPECT_TRUE(ParseNumber("-40000")->whole);
  EXPECT_FALSE(ParseNumber("123.0")->whole);
  EXPECT_FALSE(ParseNumber("1e2")->whole);
  EXPECT_DOUBLE_EQ(ParseNumber(" +7 ")->value, 7);
  EXPECT_FALSE(std::signbit(ParseNumber("-0")->value));
  EXPECT_DOUBLE_EQ(ParseNumber("12345678901234567")->value, 12345678901234567.0);
  EXPECT_FALSE(ParseNumber("-").has_value());
  EXPECT_FALSE(ParseNumber("+ 1").has_value());
}

// However many digits a number has, it reads as its exact text rounds.
TEST(ParseNumberTest, LongNumbersReadAsTheirWholeText) {
  // Halfway between 1 and the next double: any further non-zero digit,
  // however far on, rounds it up.
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  EXPECT_EQ(ParseNumber(halfway)->value, 1.0);
  EXPECT_EQ(ParseNumber(halfway + std::string(1000, '0') + "1")->value, std::nextafter(1.0, 2.0));
  EXPECT_EQ(ParseNumber("0." + std::string(1000, '0') + "25e1001")->value, 2.5);
  EXPECT_EQ(ParseNumber("25" + std::string(1000, '0') + "e-1000")->value, 25);
  EXPECT_EQ(ParseNumber("0." + std::string(2000, '0') + "1")->value, 0);
  EXPECT_THROW(ParseNumber("1" + std::string(400, '0')), RuntimeError);
}

}  // namespace
}  // namespace tf
