#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLockFile>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/qt/qt_desktop.h"
#include "platform/runtime_test_support.h"

namespace tf {
namespace {

using std::chrono::milliseconds;

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() : oldConfigHome_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.Path().string()));
  }
  ~SettingsStoreTest() override { qputenv("XDG_CONFIG_HOME", oldConfigHome_); }

  std::string File() const { return folder.ReadFile("taleforge/Games.ini"); }
  // How long a write of the value took.
  milliseconds TimeToSet(const std::string& value) {
    auto start = std::chrono::steady_clock::now();
    store.Set("Games", "Lighthouse", "ChangeResolution", value);
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
  }
  // Every file of the settings folder, lock files and drafts included.
  int FilesInFolder() const {
    auto files = std::filesystem::directory_iterator(folder.Path() / "taleforge");
    return static_cast<int>(std::distance(begin(files), end(files)));
  }

  TempFolder folder;
  QtSettingsStore store;

 private:
  QByteArray oldConfigHome_;
};

TEST_F(SettingsStoreTest, EachGameKeepsItsValueInItsOwnGroup) {
  store.Set("Games", "Lighthouse", "ChangeResolution", "1");
  store.Set("Games", "Harbour", "ChangeResolution", "1");
  EXPECT_EQ(store.Get("Games", "Lighthouse", "ChangeResolution"), "1");
  store.Set("Games", "Lighthouse", "ChangeResolution", "0");
  EXPECT_EQ(store.Get("Games", "Lighthouse", "ChangeResolution"), "0");
  EXPECT_EQ(store.Get("Games", "Harbour", "ChangeResolution"), "1");
  EXPECT_EQ(store.Get("Games", "Quay", "ChangeResolution"), std::nullopt);
  EXPECT_EQ(File(), "[Harbour]\nChangeResolution=1\n\n[Lighthouse]\nChangeResolution=0\n");
  // Without a group the value would land in the general section.
  store.Set("Games", "", "ChangeResolution", "1");
  EXPECT_EQ(store.Get("Games", "", "ChangeResolution"), std::nullopt);
  // Nor past the 255 characters a section may have.
  const std::string longest(255, 'k');
  store.Set("Games", longest, "ChangeResolution", "1");
  EXPECT_EQ(store.Get("Games", longest, "ChangeResolution"), "1");
  store.Set("Games", longest + "k", "ChangeResolution", "0");
  EXPECT_EQ(store.Get("Games", longest + "k", "ChangeResolution"), std::nullopt);
  EXPECT_EQ(File(), "[Harbour]\nChangeResolution=1\n\n[Lighthouse]\nChangeResolution=0\n\n[" +
                        longest + "]\nChangeResolution=1\n");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(SettingsStoreTest, LockThatStaysTakenCostsTheWriteNotAWait) {
  store.Set("Games", "Lighthouse", "ChangeResolution", "1");
  const std::string written = File();
  const std::string lockPath = (folder.Path() / "taleforge/Games.ini.lock").string();

  // Another machine's lock, fresh: its program can't be asked whether it
  // still runs.
  folder.WriteFile("taleforge/Games.ini.lock", "4242\ntaleforge-player\nanother-machine\n");
  ASSERT_LT(TimeToSet("0"), milliseconds(1000));
  EXPECT_EQ(File(), written);
  std::filesystem::remove(lockPath);

  // A lock held by a program that runs on.
  QLockFile held(QString::fromStdString(lockPath));
  ASSERT_TRUE(held.tryLock());
  ASSERT_LT(TimeToSet("0"), milliseconds(1000));
  EXPECT_EQ(File(), written);
  held.unlock();

  EXPECT_EQ(FilesInFolder(), 1);
  TimeToSet("0");
  EXPECT_EQ(store.Get("Games", "Lighthouse", "ChangeResolution"), "0");
}

// Opens the other end of a named pipe, from two seconds on, for whoever waits
// on it: a test can then tell a wait from none, and never hangs.
class PipeOpener {
 public:
  explicit PipeOpener(std::string pipe)
      : thread_([this, pipe = std::move(pipe)] {
          const auto from = std::chrono::steady_clock::now() + std::chrono::seconds(2);
          while (!done_) {
            std::this_thread::sleep_for(milliseconds(20));
            if (std::chrono::steady_clock::now() < from) continue;
            for (int flags : {O_WRONLY | O_NONBLOCK, O_RDONLY | O_NONBLOCK}) {
              const int fd = ::open(pipe.c_str(), flags);
              if (fd >= 0) ::close(fd);
            }
          }
        }) {}
  ~PipeOpener() {
    done_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

TEST_F(SettingsStoreTest, APipeInPlaceOfTheFileOrItsLockIsNeitherReadNorWritten) {
  const std::filesystem::path file = folder.Path() / "taleforge/Games.ini";
  std::filesystem::create_directories(file.parent_path());
  for (const std::string& pipe : {file.string(), file.string() + ".lock"}) {
    SCOPED_TRACE(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    PipeOpener opener(pipe);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(store.Get("Games", "Lighthouse", "ChangeResolution"), std::nullopt);
    store.Set("Games", "Lighthouse", "ChangeResolution", "0");
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1000));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(FilesInFolder(), 1);
    std::filesystem::remove(pipe);
  }
}

}  // namespace
}  // namespace tf
