#include "platform/qt/picture_store.h"

#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <filesystem>

#include "platform/runtime_test_support.h"

namespace tf::ui {
namespace {

namespace fs = std::filesystem;

// 32 x 32 pictures: 4 KiB each once decoded.
constexpr int kSide = 32;
constexpr int64_t kPictureBytes = kSide * kSide * 4;

class PictureStoreTest : public ::testing::Test {
 protected:
  std::string Picture(const std::string& name, Qt::GlobalColor colour) {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(colour);
    const fs::path path = folder_.Path() / name;
    image.save(QString::fromStdString(path.string()), "PNG");
    return path.string();
  }
  static QColor Colour(const QPixmap& pixmap) { return pixmap.toImage().pixelColor(0, 0); }
  TempFolder folder_;
};

TEST_F(PictureStoreTest, KeepsPicturesWithinItsBudgetDroppingTheLeastRecentlyUsed) {
  PictureStore store(2 * kPictureBytes);
  const std::string a = Picture("a.png", Qt::red);
  const std::string b = Picture("b.png", Qt::green);
  const std::string c = Picture("c.png", Qt::blue);
  const qint64 aKey = store.Load(a).cacheKey();
  const qint64 bKey = store.Load(b).cacheKey();
  EXPECT_EQ(store.Load(a).cacheKey(), aKey);
  const qint64 cKey = store.Load(c).cacheKey();
  // The picture just loaded is in use; the others count at the next one.
  store.Load(Picture("d.png", Qt::black));
  EXPECT_EQ(store.Load(a).cacheKey(), aKey);
  EXPECT_EQ(store.Load(c).cacheKey(), cKey);
  EXPECT_NE(store.Load(b).cacheKey(), bKey);
}

TEST_F(PictureStoreTest, PicturesInUseCountNothingAgainstTheBudget) {
  PictureStore store(kPictureBytes);
  const QPixmap shown = store.Load(Picture("a.png", Qt::red));
  const std::string b = Picture("b.png", Qt::green);
  const std::string c = Picture("c.png", Qt::blue);
  const qint64 bKey = store.Load(b).cacheKey();
  const qint64 cKey = store.Load(c).cacheKey();
  store.Load(Picture("d.png", Qt::black));
  EXPECT_EQ(store.Load((folder_.Path() / "a.png").string()).cacheKey(), shown.cacheKey());
  EXPECT_EQ(store.Load(c).cacheKey(), cKey);
  EXPECT_NE(store.Load(b).cacheKey(), bKey);
}

TEST_F(PictureStoreTest, AFileChangedOnDiskIsDecodedAgain) {
  PictureStore store;
  const std::string a = Picture("a.png", Qt::red);
  const QPixmap before = store.Load(a);
  Picture("a.png", Qt::blue);
  fs::last_write_time(a, fs::last_write_time(a) + std::chrono::seconds(5));
  const QPixmap after = store.Load(a);
  EXPECT_NE(after.cacheKey(), before.cacheKey());
  EXPECT_EQ(Colour(before), QColor(Qt::red));
  EXPECT_EQ(Colour(after), QColor(Qt::blue));
}

TEST_F(PictureStoreTest, PicturesDecodedAheadFailAsTheyWouldWhenLoaded) {
  PictureStore store;
  const std::string good = Picture("good.png", Qt::green);
  folder_.WriteFile("bad.png", "not a picture");
  const std::string bad = (folder_.Path() / "bad.png").string();
  const std::string missing = (folder_.Path() / "missing.png").string();
  store.Prefetch({good, bad, missing});
  EXPECT_EQ(ErrorOf([&] { store.Load(missing); }), kErrFileNotFound);
  EXPECT_EQ(ErrorOf([&] { store.Load(bad); }), kErrInvalidPicture);
  EXPECT_EQ(Colour(store.Load(good)), QColor(Qt::green));
}

TEST_F(PictureStoreTest, MorePicturesJoinThoseAnnouncedANewAnnouncementDropsThem) {
  PictureStore store;
  const std::string a = Picture("a.png", Qt::red);
  const std::string b = Picture("b.png", Qt::blue);
  const std::string c = Picture("c.png", Qt::green);
  store.Prefetch({a});
  store.PrefetchMore({b});
  EXPECT_TRUE(store.IsDecoding(a));
  EXPECT_TRUE(store.IsDecoding(b));
  store.Prefetch({c});
  EXPECT_FALSE(store.IsDecoding(a));
  EXPECT_FALSE(store.IsDecoding(b));
  EXPECT_EQ(Colour(store.Load(b)), QColor(Qt::blue));
  EXPECT_EQ(Colour(store.Load(c)), QColor(Qt::green));
  EXPECT_FALSE(store.IsDecoding(c));
}

}  // namespace
}  // namespace tf::ui
