#include "platform/runtime/path_resolver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/runtime/file_reuse.h"
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

TEST_F(PathResolverTest, MatchesRawWindows1252NamesInAnyCase) {
  folder_.WriteFile("Sh\xF6re.fme", "");
  folder_.WriteFile("\x8A\x8C\x8E\x9F\xC0.txt", "");
  EXPECT_EQ(ResolvePath(folder_.Stored("SH\xD6RE.FME")), Disk("Sh\xF6re.fme"));
  EXPECT_EQ(ResolvePath(folder_.Stored("sh\xC3\xB6re.fme")), Disk("Sh\xF6re.fme"));
  EXPECT_EQ(ResolvePath(folder_.Stored("\x9A\x9C\x9E\xFF\xE0.txt")),
            Disk("\x8A\x8C\x8E\x9F\xC0.txt"));
  // Multiplication and division signs are no letters.
  folder_.WriteFile("\xD7.txt", "");
  EXPECT_EQ(ResolvePath(folder_.Stored("\xF7.txt")), Disk("\xF7.txt"));
}

TEST_F(PathResolverTest, ExistingPathIsReturnedAsGiven) {
  std::string root = folder_.Path().string();
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\Start.FME")), root + "/frames/Start.FME");
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\..\\CONFIG\\")), root + "/frames/../CONFIG/");
  EXPECT_EQ(ResolvePath(""), "");
}

TEST_F(PathResolverTest, MissingComponentsAreAppendedAsStored) {
  EXPECT_EQ(ResolvePath(folder_.Stored("FRAMES\\Missing\\Deep.fme")),
            Disk("frames/Missing/Deep.fme"));
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\start.fme\\inner")),
            Disk("frames/Start.FME/inner"));
  EXPECT_EQ(ResolvePath(folder_.Stored("nowhere\\config")), Disk("nowhere/config"));
  // A path of megabytes, from a damaged data file, names nothing.
  const std::string huge = folder_.Stored("FRAMES\\" + std::string(4'000'000, 'x'));
  EXPECT_EQ(ResolvePath(huge), huge);
  EXPECT_FALSE(StoredFileExists(huge));
  // Named in a folder, such a name still names nothing, and isn't copied whole.
  const std::string inFolder =
      StoredPathIn(folder_.Stored("FRAMES\\"), std::string(4'000'000, 'x'));
  EXPECT_LE(inFolder.size(), folder_.Stored("FRAMES\\").size() + kLongestStoredPath + 1);
  EXPECT_FALSE(StoredFileExists(inFolder));
  EXPECT_TRUE(StoredFileExists(StoredPathIn(folder_.Stored("FRAMES\\"), "start.fme")));
}

TEST_F(PathResolverTest, DotComponentsPassThrough) {
  fs::path resolved = ResolvePath(folder_.Stored("Frames\\..\\config\\.\\Settings.ini"));
  EXPECT_EQ(resolved, Disk("frames/../CONFIG/./settings.INI"));
  EXPECT_TRUE(fs::is_regular_file(resolved));
}

TEST_F(PathResolverTest, FileCreatedAfterALookupIsFoundOnceTheReuseScopeEnds) {
  {
    FileReuseScope reuse;
    EXPECT_EQ(ResolvePath(folder_.Stored("frames\\late.fme")), Disk("frames/late.fme"));
    folder_.WriteFile("frames/LATE.FME", "");
    EXPECT_EQ(ResolvePath(folder_.Stored("frames\\late.fme")), Disk("frames/late.fme"));
  }
  EXPECT_EQ(ResolvePath(folder_.Stored("frames\\late.fme")), Disk("frames/LATE.FME"));
}

TEST_F(PathResolverTest, FileCreatedWithinTheSameTimestampIsFound) {
  // Looks a name up, adds it in capitals without changing the folder's time
  // (as a coarse file-system clock can), and looks it up again.
  auto addedUnseen = [&](const std::string& name, fs::file_time_type changed) {
    fs::last_write_time(Disk("frames"), changed);
    EXPECT_EQ(ResolvePath(folder_.Stored("frames\\" + name)), Disk("frames/" + name));
    folder_.WriteFile("frames/SOON" + name.substr(4), "");
    fs::last_write_time(Disk("frames"), changed);
    return ResolvePath(folder_.Stored("frames\\" + name));
  };
  const fs::file_time_type now = fs::file_time_type::clock::now();
  EXPECT_EQ(addedUnseen("soon.fme", now), Disk("frames/SOON.fme"));
  // A time in whole seconds may tick every two seconds.
  const auto wholeSeconds =
      std::chrono::floor<std::chrono::seconds>((now - 500ms).time_since_epoch());
  EXPECT_EQ(addedUnseen("soon.mid", fs::file_time_type(wholeSeconds)), Disk("frames/SOON.mid"));
  // A finer one ticks within milliseconds: a listing taken later is whole.
  EXPECT_EQ(addedUnseen("soon.wav", now - 500ms), Disk("frames/soon.wav"));
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

TEST(PathResolverFolderTest, TakesTheSystemsFolderAsGiven) {
  TempFolder folder;
  // A folder named in UTF-8, one whose name is not UTF-8 and one with a "\"
  // in its name; the first also exists in other letter case beside it.
  for (std::string name : {"Sp\xC3\xA4t", "caf\xE9", "back\\slash"}) {
    folder.WriteFile(name + "/Frames/Start.fme", "");
    std::string project = (folder.Path() / name).string() + "/";
    EXPECT_EQ(ResolvePath(project + "FRAMES\\start.FME"),
              folder.Path() / name / "Frames/Start.fme");
  }
  folder.WriteFile("SP\xC3\x84T/Frames/Start.fme", "");
  EXPECT_EQ(ResolvePath(folder.Path().string() + "/SP\xC3\x84T/frames\\Start.fme"),
            folder.Path() / "SP\xC3\x84T/Frames/Start.fme");
}

TEST(DisplayPathTest, ShowsTheSystemsPartAsTheSystemGivesItAndTheRestAsStored) {
  EXPECT_EQ(DisplayPath("/g/Sp\xC3\xA4t/Areas/Sh\xF6re.gif", "/g/Sp\xC3\xA4t/"),
            "/g/Sp\xE4t/Areas/Sh\xF6re.gif");
  EXPECT_EQ(DisplayPath("/g/caf\xE9\xD0\x94/x", "/g/caf\xE9\xD0\x94/"),
            "/g/caf?"
            "?/x");
  EXPECT_EQ(DisplayPath("/other/x", "/g/"), "/other/x");
  // The trace is UTF-8 and shows every letter of the system's name.
  EXPECT_EQ(TracePath("/g/caf\xE9\xD0\x94/Sh\xF6re", "/g/caf\xE9\xD0\x94/"),
            "/g/caf\xEF\xBF\xBD\xD0\x94/Sh\xC3\xB6re");
}

}  // namespace
}  // namespace tf
