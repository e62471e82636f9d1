#include "platform/runtime/file_reuse.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/path_resolver.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime_test_support.h"

namespace tf {
namespace {

TEST(FileReuseTest, AFileIsReadFromDiskOncePerScopeAndAnewOnceItEnds) {
  TempFolder folder;
  const std::string path = (folder.Path() / "1a.dat").string();
  folder.WriteFile("1a.dat", "\"first\"");
  EXPECT_EQ(ReadStoredFile(path), "\"first\"");
  folder.WriteFile("1a.dat", "\"second\"");
  {
    FileReuseScope outer;
    EXPECT_EQ(ReadStoredFile(path), "\"second\"");
    folder.WriteFile("1a.dat", "\"third\"");
    {
      FileReuseScope inner;
      EXPECT_EQ(TextReader::Open(path).ReadText(), "second");
    }
    EXPECT_EQ(TextReader::Open(path).ReadText(), "second");
    ForgetReusedFiles();
    EXPECT_EQ(TextReader::Open(path).ReadText(), "third");
    std::filesystem::remove(path);
    EXPECT_TRUE(StoredFileExists(path));
  }
  EXPECT_FALSE(StoredFileExists(path));
  EXPECT_EQ(ErrorOf([&] { ReadStoredFile(path); }), kErrFileNotFound);
}

}  // namespace
}  // namespace tf
