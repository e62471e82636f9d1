#include "platform/runtime/variant.h"

#include <gtest/gtest.h>

#include "platform/runtime/runtime_error.h"
#include "platform/runtime_test_support.h"

namespace tf {
namespace {

TEST(VariantTest, ConvertsToInt16) {
  EXPECT_EQ(Variant::Empty().ToInt16(), 0);
  EXPECT_EQ(Variant::Boolean(true).ToInt16(), -1);
  EXPECT_EQ(Variant::Boolean(false).ToInt16(), 0);
  EXPECT_EQ(Variant::Double(2.5).ToInt16(), 2);
  EXPECT_EQ(Variant::Double(-3.5).ToInt16(), -4);
  EXPECT_EQ(Variant::String(" 12 ").ToInt16(), 12);
  EXPECT_EQ(Variant::String("4.5").ToInt16(), 4);
  EXPECT_EQ(ErrorOf([] { Variant::Long(40000).ToInt16(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant::String("40000").ToInt16(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { Variant::String("12abc").ToInt16(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant::String("").ToInt16(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { Variant::Null().ToInt16(); }), kErrTypeMismatch);
}

TEST(VariantTest, ConvertsToDoubleAndInt32) {
  EXPECT_DOUBLE_EQ(Variant::String("1e3").ToDouble(), 1000);
  EXPECT_DOUBLE_EQ(Variant::Integer(-7).ToDouble(), -7);
  EXPECT_EQ(Variant::Double(40000.5).ToInt32(), 40000);
  EXPECT_EQ(Variant::String("-70000").ToInt32(), -70000);
  EXPECT_EQ(ErrorOf([] { Variant::Error(5).ToDouble(); }), kErrTypeMismatch);
}

TEST(VariantTest, TextForms) {
  EXPECT_EQ(Variant::Empty().ToText(), "");
  EXPECT_EQ(Variant::Boolean(true).ToText(), "True");
  EXPECT_EQ(Variant::Boolean(false).ToText(), "False");
  EXPECT_EQ(Variant::Integer(-12).ToText(), "-12");
  EXPECT_EQ(Variant::Long(40000).ToText(), "40000");
  EXPECT_EQ(Variant::Double(2.5).ToText(), "2.5");
  EXPECT_EQ(Variant::Double(0.1).ToText(), "0.1");
  EXPECT_EQ(Variant::Double(-0.0).ToText(), "0");
  EXPECT_EQ(Variant::Double(1.0 / 3).ToText(), "0.333333333333333");
  EXPECT_EQ(Variant::Double(1e20).ToText(), "1E+20");
  EXPECT_EQ(Variant::Date("2020-01-02").ToText(), "2020-01-02");
}

TEST(VariantTest, TrueFlag) {
  EXPECT_TRUE(Variant::Integer(-1).IsTrueFlag());
  EXPECT_TRUE(Variant::Boolean(true).IsTrueFlag());
  EXPECT_TRUE(Variant::String("-1").IsTrueFlag());
  EXPECT_TRUE(Variant::String(" -1.0 ").IsTrueFlag());
  EXPECT_TRUE(Variant::String("True").IsTrueFlag());
  EXPECT_FALSE(Variant::Integer(1).IsTrueFlag());
  EXPECT_FALSE(Variant::Boolean(false).IsTrueFlag());
  EXPECT_FALSE(Variant::String("yes").IsTrueFlag());
  EXPECT_FALSE(Variant::String("1").IsTrueFlag());
  EXPECT_FALSE(Variant::Empty().IsTrueFlag());
}

TEST(VariantTest, NonZeroAndOneFlags) {
  EXPECT_TRUE(Variant::Integer(2).IsNonZero());
  EXPECT_TRUE(Variant::Boolean(true).IsNonZero());
  EXPECT_TRUE(Variant::String("0.5").IsNonZero());
  EXPECT_FALSE(Variant::String("abc").IsNonZero());
  EXPECT_FALSE(Variant::String("True").IsNonZero());
  EXPECT_FALSE(Variant::String(" 0 ").IsNonZero());
  EXPECT_FALSE(Variant::Empty().IsNonZero());

  EXPECT_TRUE(Variant::Integer(1).IsOne());
  EXPECT_TRUE(Variant::String("1").IsOne());
  EXPECT_FALSE(Variant::Double(1.5).IsOne());
  EXPECT_FALSE(Variant::Boolean(true).IsOne());
  EXPECT_FALSE(Variant::String("1x").IsOne());
  EXPECT_FALSE(Variant::Empty().IsOne());
}

}  // namespace
}  // namespace tf
