#include "catalogue/ui/TaskWatcher.h"

#include <atomic>
#include <chrono>
#include <mutex>

namespace catalogue {

namespace {

// How often at most progress reaches the window: as often as the eye reads
// a count.
constexpr std::chrono::steady_clock::rep kProgressEvery =
    std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::milliseconds(50))
        .count();

}  // namespace

// What the task's thread holds of the watcher: the watcher while it lives.
struct TaskWatcher::Relay {
  std::mutex mutex;
  TaskWatcher* watcher = nullptr;
  std::atomic<bool> progressPending{false};
  // When progress was last posted (steady clock ticks): reports closer
  // together than kProgressEvery are not posted at all, so a fast scan
  // does not keep the window's thread (and a core) busy with them.
  std::atomic<std::chrono::steady_clock::rep> lastProgress{0};

  // Posts `deliver` to the watcher's thread, unless the watcher is gone.
  template <typename Deliver>
  void Post(Deliver deliver) {
    std::lock_guard<std::mutex> lock(mutex);
    if (watcher != nullptr) {
      QMetaObject::invokeMethod(watcher, deliver, Qt::QueuedConnection);
    }
  }
};

TaskWatcher::TaskWatcher(QObject* parent) : QObject(parent), relay_(std::make_shared<Relay>()) {
  relay_->watcher = this;
}

TaskWatcher::~TaskWatcher() {
  // After this no report is posted; one posted already goes with the watcher.
  std::lock_guard<std::mutex> lock(relay_->mutex);
  relay_->watcher = nullptr;
}

TaskListener TaskWatcher::Listener() {
  std::shared_ptr<Relay> relay = relay_;
  TaskListener listener;
  listener.progressed = [relay] {
    std::chrono::steady_clock::rep now =
        std::chrono::steady_clock::now().time_since_epoch().count();
    if (now - relay->lastProgress.load(std::memory_order_relaxed) < kProgressEvery) {
      return;  // shown a moment ago; the next report or the end will do
    }
    if (relay->progressPending.exchange(true)) {
      return;  // one is on its way: it will read the latest count
    }
    relay->lastProgress.store(now, std::memory_order_relaxed);
    relay->Post([relay] {
      relay->progressPending = false;
      emit relay->watcher->progressed();
    });
  };
  listener.finished = [relay] { relay->Post([relay] { emit relay->watcher->finished(); }); };
  return listener;
}

}  // namespace catalogue
