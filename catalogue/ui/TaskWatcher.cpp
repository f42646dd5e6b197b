#include "catalogue/ui/TaskWatcher.h"

#include <atomic>
#include <mutex>

namespace catalogue {

// What the task's thread holds of the watcher: the watcher while it lives.
struct TaskWatcher::Relay {
  std::mutex mutex;
  TaskWatcher* watcher = nullptr;
  std::atomic<bool> progressPending{false};

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
    if (relay->progressPending.exchange(true)) {
      return;  // one is on its way: it will read the latest count
    }
    relay->Post([relay] {
      relay->progressPending = false;
      emit relay->watcher->progressed();
    });
  };
  listener.finished = [relay] { relay->Post([relay] { emit relay->watcher->finished(); }); };
  return listener;
}

}  // namespace catalogue
