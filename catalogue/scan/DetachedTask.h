#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <utility>

namespace catalogue {

// Told on the task's thread as the work goes (a window's wrapper passes
// them on to its own thread): how far it is, and that it has ended.
struct TaskListener {
  std::function<void()> progressed;
  std::function<void()> finished;
};

// What a task and whoever started it share; the work sees it as its
// progress and its cancel.
class TaskProgress {
 public:
  // Whether the task was cancelled: the work stops at the next good place.
  bool Cancelled() const { return cancel_.load(std::memory_order_relaxed); }
  // How far the work is; tells the listener.
  void Report(std::size_t done, std::size_t total);

  std::size_t Done() const { return done_.load(std::memory_order_relaxed); }
  std::size_t Total() const { return total_.load(std::memory_order_relaxed); }

 protected:
  explicit TaskProgress(TaskListener listener) : listener_(std::move(listener)) {}
  ~TaskProgress() = default;

  // Runs `work` on a thread of its own, counted as platform::RunningWork
  // until it ends; on the caller's thread when no thread can be started.
  static void RunDetached(const std::function<void()>& work);

  std::atomic<bool> cancel_{false};
  std::atomic<std::size_t> done_{0};
  std::atomic<std::size_t> total_{0};
  TaskListener listener_;
};

// Work that runs on a thread of its own, so that the window that started it
// keeps answering: it can show the progress, cancel at any moment and take
// the result or the error when the work ends. Nobody ever waits for the
// thread: the work owns what it uses (its closure), a cancelled or dropped
// task ends by itself after the step it is on (a document on a slow share,
// a folder on a server that does not answer), and what the work used goes
// with its thread. The program asks platform::RunningWork before it ends.
template <typename Result>
class DetachedTask {
 public:
  using Work = std::function<Result(TaskProgress& progress)>;

  explicit DetachedTask(Work work, TaskListener listener = {})
      : shared_(std::make_shared<Shared>(std::move(listener))) {
    Shared::Start(shared_, std::move(work));
  }
  // Cancels a task still running; never waits for it.
  ~DetachedTask() {
    if (shared_) {
      Cancel();
    }
  }
  DetachedTask(DetachedTask&&) noexcept = default;
  DetachedTask& operator=(DetachedTask&&) noexcept = default;
  DetachedTask(const DetachedTask&) = delete;
  DetachedTask& operator=(const DetachedTask&) = delete;

  void Cancel() { shared_->Cancel(); }
  bool Cancelled() const { return shared_->Cancelled(); }
  std::size_t Done() const { return shared_->Done(); }
  std::size_t Total() const { return shared_->Total(); }

  bool Finished() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->finished;
  }
  // Waits at most `patience` for the end; whether it has come.
  bool WaitFor(std::chrono::milliseconds patience) const {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    return shared_->ended.wait_for(lock, patience, [this] { return shared_->finished; });
  }
  // Once finished, the result (once); what the work threw is thrown here.
  // Asked before the end, or a second time, it throws std::logic_error.
  Result Take() {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->failure) {
      std::rethrow_exception(std::exchange(shared_->failure, nullptr));
    }
    if (!shared_->result) {
      throw std::logic_error("a task's result taken before its end, or twice");
    }
    std::optional<Result> result = std::exchange(shared_->result, std::nullopt);
    return std::move(*result);
  }

 private:
  struct Shared : TaskProgress {
    explicit Shared(TaskListener listener) : TaskProgress(std::move(listener)) {}
    void Cancel() { cancel_.store(true, std::memory_order_relaxed); }

    // Runs the work and keeps what it gave; the listener hears the end.
    void Run(Work& work) {
      std::optional<Result> given;
      std::exception_ptr failed;
      try {
        given.emplace(work(*this));
      } catch (...) {
        failed = std::current_exception();
      }
      work = nullptr;  // what the work used goes now, on this thread
      {
        std::lock_guard<std::mutex> lock(mutex);
        result = std::move(given);
        failure = failed;
        finished = true;
      }
      ended.notify_all();
      if (listener_.finished) {
        listener_.finished();
      }
      listener_ = {};
    }

    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
    std::optional<Result> result;
    std::exception_ptr failure;

    static void Start(const std::shared_ptr<Shared>& shared, Work work) {
      RunDetached([shared, work = std::move(work)]() mutable { shared->Run(work); });
    }
  };

  std::shared_ptr<Shared> shared_;
};

}  // namespace catalogue
