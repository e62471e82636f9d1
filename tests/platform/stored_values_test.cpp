#include "platform/runtime/stored_values.h"

#include <gtest/gtest.h>

#include "platform/runtime/file_reuse.h"
#include "platform/runtime_test_support.h"

namespace tf {
namespace {

constexpr const char* kValues = "12,\"two\",#TRUE#,3.5\r\n\"\"\r\n";

// Reads values until one fails; gives them with the failing read's error.
template <typename Reader>
std::pair<std::vector<Variant>, int> ReadAll(Reader& reader) {
  std::vector<Variant> values;
  for (;;) {
    int error = ErrorOf([&] { values.push_back(reader.ReadVariant()); });
    if (error != 0) return {values, error};
  }
}

TEST(StoredValuesTest, AKeptFileGivesTheReadersValuesAndErrorsUntilTheScopeForgetsIt) {
  TempFolder folder;
  const std::string path = (folder.Path() / "1a.dat").string();
  folder.WriteFile("1a.dat", kValues);
  TextReader text = TextReader::FromBytes(kValues);
  const auto expected = ReadAll(text);
  ASSERT_EQ(expected.first.size(), 5u);
  ASSERT_EQ(expected.second, kErrInputPastEndOfFile);

  FileReuseScope reuse;
  StoredValues first = StoredValues::Open(path);
  EXPECT_EQ(ReadAll(first), expected);
  folder.WriteFile("1a.dat", "7\r\n");
  StoredValues again = StoredValues::Open(path);
  EXPECT_EQ(ReadAll(again), expected);
  ForgetReusedFiles();
  StoredValues changed = StoredValues::Open(path);
  EXPECT_EQ(changed.ReadVariant(), Variant::Integer(7));
  EXPECT_EQ(ErrorOf([] { StoredValues::Open("/nonexistent/1a.dat"); }), kErrFileNotFound);
}

TEST(StoredValuesTest, WithoutAScopeEachOpeningReadsTheFileAsItIsNow) {
  TempFolder folder;
  const std::string path = (folder.Path() / "1a.dat").string();
  folder.WriteFile("1a.dat", "1\r\n");
  EXPECT_EQ(StoredValues::Open(path).ReadVariant(), Variant::Integer(1));
  folder.WriteFile("1a.dat", "2\r\n");
  EXPECT_EQ(StoredValues::Open(path).ReadVariant(), Variant::Integer(2));
}

}  // namespace
}  // namespace tf
