#include "platform/qt/picture_store.h"

#include <sys/stat.h>

#include <QBuffer>
#include <QImageReader>
#include <QThread>
#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "platform/qt/picture_size.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"

namespace tf::ui {

namespace {

// Decodes a picture into the pixel format a pixmap on this screen holds, so
// that turning it into one on the window thread shares the pixels.
QImage DecodePicture(const std::string& bytes) {
  // Read in place: the bytes outlive the buffer.
  const QByteArray data =
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  // Even a still GIF is drawn on its whole logical screen first.
  if (GifScreenTooLarge(data.first(std::min<qsizetype>(data.size(), 10)))) return {};
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  const QSize size = reader.size();
  if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) return {};
  QImage image = reader.read();
  if (image.isNull()) return image;
  if (image.hasAlphaChannel())
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
  else if (image.format() != QImage::Format_RGB32)
    image.convertTo(QImage::Format_RGB32);
  return image;
}

}  // namespace

int64_t PixmapBytes(const QPixmap& pixmap) {
  return int64_t{pixmap.width()} * pixmap.height() * pixmap.depth() / 8;
}

class PictureStore::DecodeJob {
 public:
  // Reads the file too, off the window thread.
  explicit DecodeJob(std::string path) : path_(std::move(path)) {}

  void Run() {
    QImage image;
    bool unreadable = false;
    try {
      image = DecodePicture(ReadStoredFile(path_));
    } catch (const RuntimeError&) {
      unreadable = true;
    }
    std::lock_guard lock(mutex_);
    image_ = std::move(image);
    unreadable_ = unreadable;
    done_ = true;
    finished_.notify_all();
  }

  // Whether the file couldn't be read, once taken.
  bool Unreadable() {
    std::lock_guard lock(mutex_);
    return unreadable_;
  }

  bool Done() {
    std::lock_guard lock(mutex_);
    return done_;
  }

  QImage Take() {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return done_; });
    return std::move(image_);
  }

 private:
  const std::string path_;
  std::mutex mutex_;
  std::condition_variable finished_;
  bool done_ = false;
  bool unreadable_ = false;
  QImage image_;
};

PictureStore::Workers::~Workers() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  ready_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void PictureStore::Workers::Start(std::shared_ptr<DecodeJob> job) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(job));
    if (threads_.empty())
      for (int i = 0; i < count_; ++i) threads_.emplace_back([this] { Work(); });
  }
  ready_.notify_one();
}

bool PictureStore::Workers::TryTake(const DecodeJob* job) {
  std::lock_guard lock(mutex_);
  auto queued = std::find_if(queue_.begin(), queue_.end(),
                             [job](const auto& waiting) { return waiting.get() == job; });
  if (queued == queue_.end()) return false;
  queue_.erase(queued);
  return true;
}

void PictureStore::Workers::Work() {
  for (;;) {
    std::shared_ptr<DecodeJob> job;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    job->Run();
  }
}

// The window thread is the other worker: it decodes what it needs next
// whenever no worker has begun it.
PictureStore::PictureStore(int64_t budgetBytes)
    : budget_(budgetBytes), workers_(std::max(1, QThread::idealThreadCount() - 1)) {}

PictureStore::~PictureStore() {
  for (const auto& [path, pending] : pending_) GiveUp(pending);
}

PictureStore& PictureStore::Shared() {
  static PictureStore store;
  return store;
}

void PictureStore::Prefetch(const std::vector<std::string>& storedPaths) {
  for (const auto& [path, pending] : pending_) GiveUp(pending);
  pending_.clear();
  order_.clear();
  PrefetchMore(storedPaths);
}

void PictureStore::PrefetchMore(const std::vector<std::string>& storedPaths) {
  for (const std::string& storedPath : storedPaths) {
    const auto [path, stamp] = Locate(storedPath);
    if (!stamp || FindKept(path, *stamp) || pending_.contains(path)) continue;
    auto job = std::make_shared<DecodeJob>(path);
    pending_.emplace(path, Pending{*stamp, job});
    order_.push_back(job);
    workers_.Start(job);
  }
}

bool PictureStore::IsDecoding(const std::string& storedPath) const {
  return pending_.contains(ResolvePath(storedPath));
}

QPixmap PictureStore::Load(const std::string& storedPath) {
  const auto [path, stamp] = Locate(storedPath);
  if (stamp)
    if (const QPixmap* kept = FindKept(path, *stamp)) return *kept;
  QImage image;
  auto pending = pending_.find(path);
  if (pending != pending_.end() && stamp && pending->second.stamp == *stamp) {
    image = Finish(*pending->second.job);
    const bool unreadable = pending->second.job->Unreadable();
    pending_.erase(pending);
    // Read again here, to fail as a file that can't be read does.
    if (unreadable) image = DecodePicture(ReadStoredFile(storedPath));
  } else {
    if (pending != pending_.end()) {
      GiveUp(pending->second);
      pending_.erase(pending);
    }
    image = DecodePicture(ReadStoredFile(storedPath));
  }
  if (image.isNull()) RaiseError(kErrInvalidPicture, storedPath);
  QPixmap pixmap = QPixmap::fromImage(std::move(image));
  if (stamp) Keep(path, *stamp, pixmap);
  return pixmap;
}

void PictureStore::Clear() {
  kept_.clear();
  uses_.clear();
  keptCost_ = 0;
}

std::optional<PictureStore::Stamp> PictureStore::StampOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return Stamp{int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec,
               int64_t{status.st_size}};
}

std::pair<std::string, std::optional<PictureStore::Stamp>> PictureStore::Locate(
    const std::string& storedPath) {
  // A file found as given is what the stored path resolves to.
  if (std::optional<Stamp> stamp = StampOf(storedPath)) return {storedPath, stamp};
  std::string path = ResolvePath(storedPath);
  std::optional<Stamp> stamp = StampOf(path);
  return {std::move(path), stamp};
}

QImage PictureStore::Finish(DecodeJob& job) {
  if (workers_.TryTake(&job)) {
    job.Run();
    return job.Take();
  }
  // A worker has it: meanwhile this thread decodes the next ones waiting.
  for (const std::shared_ptr<DecodeJob>& next : order_) {
    if (job.Done()) break;
    if (next.get() != &job && workers_.TryTake(next.get())) next->Run();
  }
  return job.Take();
}

void PictureStore::GiveUp(const Pending& pending) {
  // A worker may be decoding it: the job must outlive its run.
  if (!workers_.TryTake(pending.job.get())) pending.job->Take();
}

const QPixmap* PictureStore::FindKept(const std::string& path, const Stamp& stamp) {
  auto kept = kept_.find(path);
  if (kept == kept_.end()) return nullptr;
  if (kept->second.stamp != stamp) {
    uses_.erase(kept->second.use);
    Forget(kept);
    return nullptr;
  }
  uses_.splice(uses_.end(), uses_, kept->second.use);
  return &kept->second.pixmap;
}

void PictureStore::Keep(const std::string& path, const Stamp& stamp, const QPixmap& pixmap) {
  auto kept = kept_.find(path);
  if (kept != kept_.end()) {
    uses_.erase(kept->second.use);
    Forget(kept);
  }
  kept_.emplace(path, Kept{stamp, pixmap, uses_.insert(uses_.end(), path)});
  keptCost_ += PixmapBytes(pixmap);
  Trim();
}

void PictureStore::Forget(std::unordered_map<std::string, Kept>::iterator kept) {
  keptCost_ -= PixmapBytes(kept->second.pixmap);
  kept_.erase(kept);
}

void PictureStore::Trim() {
  // What the store alone keeps is at most what it keeps in all.
  if (keptCost_ <= budget_) return;
  int64_t alone = 0;
  for (const auto& [path, kept] : kept_)
    if (kept.pixmap.isDetached()) alone += PixmapBytes(kept.pixmap);
  for (auto use = uses_.begin(); alone > budget_ && use != uses_.end();) {
    auto kept = kept_.find(*use);
    if (!kept->second.pixmap.isDetached()) {
      ++use;
      continue;
    }
    alone -= PixmapBytes(kept->second.pixmap);
    Forget(kept);
    use = uses_.erase(use);
  }
}

}  // namespace tf::ui
