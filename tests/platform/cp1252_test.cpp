#include "platform/runtime/cp1252.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(Cp1252Test, DecodesEveryRange) {
  EXPECT_EQ(Cp1252ToUtf8("Plain text 123"), "Plain text 123");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Cp1252ToUtf8("\x85\x99"), "\xE2\x80\xA6\xE2\x84\xA2");
  EXPECT_EQ(Cp1252ToUtf8("\x8A\x9F"), "\xC5\xA0\xC5\xB8");
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(Cp1252ToUtf8("\xA0\xE9\xFF"), "\xC2\xA0\xC3\xA9\xC3\xBF");
  EXPECT_EQ(Cp1252ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1252Test, EncodesEveryByteBackAndNothingElse) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  // Cyrillic, a C1 control, an overlong "/", a surrogate, a cut sequence.
  for (std::string_view text : {"\xD0\x94", "\xC2\x85", "\xC0\xAF", "\xED\xA0\x80", "ab\xE2\x82"}) {
    EXPECT_EQ(Utf8ToCp1252(text), std::nullopt) << text;
  }
  EXPECT_EQ(Utf8ToCp1252Lossy("a\xD0\x94\xC3\xA9\xFFz\xF0\x9F\x98\x80"), "a?\xE9?z?");
}

}  // namespace
}  // namespace tf
