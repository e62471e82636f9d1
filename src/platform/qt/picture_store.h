#pragma once

#include <QPixmap>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tf::ui {

// The bytes a picture's pixels take.
int64_t PixmapBytes(const QPixmap& pixmap);

// Decoded pictures by file. Pictures announced ahead are read and decoded on
// worker threads; decoded pictures are kept after use, up to a
// memory budget, the least recently used dropped first. A file whose
// modification time or size changed is decoded again. Only the pixels that
// the store alone keeps alive count against the budget: a picture on screen
// shares its pixels with the store. The budget is kept each time a picture
// is added.
class PictureStore {
 public:
  static constexpr int64_t kDefaultBudget = 64LL * 1024 * 1024;

  explicit PictureStore(int64_t budgetBytes = kDefaultBudget);
  ~PictureStore();
  PictureStore(const PictureStore&) = delete;
  PictureStore& operator=(const PictureStore&) = delete;

  // The store of the program's windows.
  static PictureStore& Shared();

  // Starts decoding these pictures; files that can't be read are left to
  // Load. Decodings announced before and not loaded since are given up.
  void Prefetch(const std::vector<std::string>& storedPaths);
  // As Prefetch, after those announced before.
  void PrefetchMore(const std::vector<std::string>& storedPaths);
  // True while a picture announced ahead is still to be loaded.
  bool IsDecoding(const std::string& storedPath) const;
  // The picture a stored path names: kept, decoded ahead, or read and decoded
  // now. Error 53 when the file can't be read, 481 when it isn't a picture.
  QPixmap Load(const std::string& storedPath);

  // Drops every picture kept, for files rewritten faster than their
  // modification times tell apart.
  void Clear();

 private:
  struct Stamp {
    int64_t modifiedNs = 0;
    int64_t size = 0;
    bool operator==(const Stamp&) const = default;
  };
  class DecodeJob;
  // Worker threads taking jobs in the order given. Joined, not detached, on
  // destruction: a thread that used Qt has let go of Qt's data for it once
  // joined.
  class Workers {
   public:
    explicit Workers(int count) : count_(count) {}
    ~Workers();
    void Start(std::shared_ptr<DecodeJob> job);
    // Takes a job back that no worker has begun.
    bool TryTake(const DecodeJob* job);

   private:
    void Work();

    const int count_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::shared_ptr<DecodeJob>> queue_;
    std::vector<std::thread> threads_;  // started with the first job
    bool stopping_ = false;
  };
  struct Kept {
    Stamp stamp;
    QPixmap pixmap;
    std::list<std::string>::iterator use;
  };
  struct Pending {
    Stamp stamp;
    std::shared_ptr<DecodeJob> job;
  };

  static std::optional<Stamp> StampOf(const std::string& path);
  // The path on disk a stored path names, and its file's stamp.
  static std::pair<std::string, std::optional<Stamp>> Locate(const std::string& storedPath);
  // Waits for the decoding, doing it here when no worker has begun it, and
  // decoding others while a worker has it.
  QImage Finish(DecodeJob& job);
  void GiveUp(const Pending& pending);
  const QPixmap* FindKept(const std::string& path, const Stamp& stamp);
  void Keep(const std::string& path, const Stamp& stamp, const QPixmap& pixmap);
  void Trim();
  void Forget(std::unordered_map<std::string, Kept>::iterator kept);

  int64_t budget_;
  Workers workers_;
  std::list<std::string> uses_;  // least recently used first
  std::unordered_map<std::string, Kept> kept_;
  int64_t keptCost_ = 0;  // of every picture kept, shared or not
  std::unordered_map<std::string, Pending> pending_;
  // The decodings of the last announcement, in their order.
  std::vector<std::shared_ptr<DecodeJob>> order_;
};

}  // namespace tf::ui
