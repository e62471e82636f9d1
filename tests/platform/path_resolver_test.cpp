#include "platform/runtime/path_resolver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/runtime_test_support.h"

namespace tf {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class PathResolverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteFile("frames/Start.FME", "");
    folder_.WriteFile("CONFIG/settings.INI", "");
    folder_.WriteFile("Caf\xC3\xA9/\xC5\x92uvre.txt", "");
    folder_.WriteFile("Caf\xC3\xA9/\xC5\xB8.txt", "");
  }
  fs::path Disk(const std::string& relative) const { return folder_.Path() / relative; }
  TempFolder folder_;
};

TEST_F(PathResolverTest, MatchesComponentsWithoutRegardToCase) {
  EXPECT_EQ(ResolvePath(folder_.Stored("Frames\\start.fme")), Disk("frames/Start.FME"));
  EXPECT_EQ(ResolvePath(folder_.Stored("config/SETTINGS.ini")), Disk("CONFIG/settings.INI"));
  EXPECT_EQ(ResolvePath(folder_.Stored("FRAMES\\\\START.FME")), Disk("frames/Start.FME"));
}

TEST_F(PathResolverTest, MatchesWindows1252NamesAgainstUtf8OnDisk) {
  fs::path expected = Disk("Caf\xC3\xA9/\xC5\x92uvre.txt");
  EXPECT_EQ(ResolvePath(folder_.Stored("caf\xE9\\\x8Cuvre.txt")), expected);
  EXPECT_EQ(ResolvePath(folder_.Stored("CAF\xC9\\\x9CUVRE.TXT")), expected);
  EXPECT_EQ(ResolvePath(folder_.Stored("caf\xC3\x89\\\xC5\x93uvre.txt")), expected);
  EXPECT_EQ(ResolvePath(folder_.Stored("caf\xE9\\\xFF.txt")), Disk("Caf\xC3\xA9/\xC5\xB8.txt"));
}

TEST_F(PathResolverTest, ExistingPathIsReturnedAsGiven) {
  std::string root = folder_.Path().string();
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\Start.FME")).string(), root + "/frames/Start.FME");
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\..\\CONFIG\\")).string(),
            root + "/frames/../CONFIG/");
  EXPECT_EQ(ResolvePath("").string(), "");
}

TEST_F(PathResolverTest, MissingComponentsAreAppendedAsStored) {
  EXPECT_EQ(ResolvePath(folder_.Stored("FRAMES\\Missing\\Deep.fme")),
            Disk("frames/Missing/Deep.fme"));
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\start.fme\\inner")),
            Disk("frames/Start.FME/inner"));
  EXPECT_EQ(ResolvePath(folder_.Stored("nowhere\\config")), Disk("nowhere/config"));
}

TEST_F(PathResolverTest, DotComponentsPassThrough) {
  fs::path resolved = ResolvePath(folder_.Stored("Frames\\..\\config\\.\\Settings.ini"));
  EXPECT_EQ(resolved, Disk("frames/../CONFIG/./settings.INI"));
  EXPECT_TRUE(fs::is_regular_file(resolved));
}

TEST_F(PathResolverTest, FileCreatedAfterALookupIsFound) {
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\late.fme")), Disk("frames/late.fme"));
  folder_.WriteFile("frames/LATE.FME", "");
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\late.fme")), Disk("frames/LATE.FME"));
}

TEST_F(PathResolverTest, FileCreatedWithinTheSameTimestampIsFound) {
  fs::file_time_type changed = fs::last_write_time(Disk("frames"));
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\soon.fme")), Disk("frames/soon.fme"));
  folder_.WriteFile("frames/Soon.FME", "");
  // A coarse file-system clock can leave the folder's time unchanged.
  fs::last_write_time(Disk("frames"), changed);
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\soon.fme")), Disk("frames/Soon.FME"));
}

TEST_F(PathResolverTest, ListingIsKeptUntilTheFolderChanges) {
  folder_.WriteFile("Old/keep.txt", "");
  fs::file_time_type longAgo = fs::file_time_type::clock::now() - 1h;
  fs::last_write_time(Disk("Old"), longAgo);
  EXPECT_EQ(ResolvePath(folder_.Stored("old\\a.txt")), Disk("Old/a.txt"));

  folder_.WriteFile("Old/A.TXT", "");
  fs::last_write_time(Disk("Old"), longAgo);
  EXPECT_EQ(ResolvePath(folder_.Stored("old\\a.txt")), Disk("Old/a.txt"));

  fs::last_write_time(Disk("Old"), longAgo + 1s);
  EXPECT_EQ(ResolvePath(folder_.Stored("old\\a.txt")), Disk("Old/A.TXT"));
}

TEST_F(PathResolverTest, ConcurrentLookupsAgree) {
  for (int i = 0; i < 8; ++i) {
    folder_.WriteFile("many/File" + std::to_string(i) + ".DAT", "");
  }
  std::vector<int> wrong(8, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 100; ++round) {
        int i = (t + round) % 8;
        std::string name = "file" + std::to_string(i) + ".dat";
        if (ResolvePath(folder_.Stored("MANY\\" + name)) !=
            Disk("many/File" + std::to_string(i) + ".DAT")) {
          ++wrong[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(wrong, std::vector<int>(8, 0));
}

TEST_F(PathResolverTest, StoredFileExistsOnlyForRegularFiles) {
  EXPECT_TRUE(StoredFileExists(folder_.Stored("FRAMES\\start.fme")));
  EXPECT_FALSE(StoredFileExists(folder_.Stored("frames")));
  EXPECT_FALSE(StoredFileExists(folder_.Stored("frames\\gone.fme")));
}

TEST(Cp1252ToUtf8Test, DecodesEveryRange) {
  EXPECT_EQ(Cp1252ToUtf8("Plain text 123"), "Plain text 123");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Cp1252ToUtf8("\x85\x99"), "\xE2\x80\xA6\xE2\x84\xA2");
  EXPECT_EQ(Cp1252ToUtf8("\x8A\x9F"), "\xC5\xA0\xC5\xB8");
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(Cp1252ToUtf8("\xA0\xE9\xFF"), "\xC2\xA0\xC3\xA9\xC3\xBF");
  EXPECT_EQ(Cp1252ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace tf
