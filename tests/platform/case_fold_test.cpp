#include "platform/runtime/case_fold.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(CaseFoldTest, FoldsAsciiAndWindows1252CapitalsOnly) {
  EXPECT_EQ(FoldCase("DeFault 09_@[`{"), "default 09_@[`{");
  EXPECT_EQ(FoldCase("\xC0\xC9\xD6\xD8\xDE\x8A\x8C\x8E\x9F"),
            "\xE0\xE9\xF6\xF8\xFE\x9A\x9C\x9E\xFF");
  // Small letters, the multiplication sign, sharp s and other bytes stay.
  std::string_view unchanged = "\xE0\xFE\xFF\xD7\xDF\xF7\x80\x9A\xBF";
  EXPECT_EQ(FoldCase(unchanged), unchanged);
}

}  // namespace
}  // namespace tf
