#include <gtest/gtest.h>

#include <QLockFile>
#include <chrono>
#include <filesystem>
#include <string>

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

}  // namespace
}  // namespace tf
