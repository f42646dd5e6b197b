#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

namespace catalogue {

// Work on the items of a list done by several threads a bounded window ahead
// of one consumer that takes the results in the list's order. The workers
// start on an item only while it lies within `window` items of the one the
// consumer has come to, so memory and open files stay bounded however long
// the list; the consumer takes item i when a worker has done it (waiting for
// it if need be) or does it itself when none has started on it. What a job
// throws comes back to the consumer with the item, in its turn.
//
// The scan's three helpers are jobs on it: the read-ahead that asks the disk
// for the next documents, the fetchers that open the next documents of a
// network share, and the other cores' readers.
template <typename Result>
class OrderedWindow {
 public:
  // Does item `index` on worker `worker` (0 to workers - 1; `workers` is the
  // consumer doing a further item while it waits, see Take), so each thread
  // can keep tools of its own.
  using Job = std::function<Result(std::size_t index, std::size_t worker)>;

  // Starts the workers on items `first` onwards of `count`; throws
  // std::system_error when a thread cannot be started (none is left then).
  OrderedWindow(std::size_t count, std::size_t workers, std::size_t window, Job job,
                std::size_t first = 0)
      : job_(std::move(job)),
        count_(count),
        window_(window == 0 ? 1 : window),
        slots_(window_),
        next_(first),
        claimed_(first) {
    try {
      for (std::size_t w = 0; w < workers; ++w) {
        threads_.emplace_back([this, w] { Work(w); });
      }
    } catch (...) {
      Stop();
      throw;
    }
  }
  // Stops the workers, each after the item it is on; results not taken are
  // dropped.
  ~OrderedWindow() { Stop(); }
  OrderedWindow(const OrderedWindow&) = delete;
  OrderedWindow& operator=(const OrderedWindow&) = delete;

  // Whether any worker runs (none could be asked for, or all have ended).
  bool HasWorkers() const { return !threads_.empty(); }

  // The consumer has come to item `index`: what was done before it and not
  // taken is dropped, and the workers may go on to index + window. Does not
  // wait.
  void MoveTo(std::size_t index) {
    std::lock_guard<std::mutex> lock(mutex_);
    MoveToLocked(index);
  }

  // How the consumer takes an item no worker has finished.
  enum class Taking {
    // Waits for a worker, even when none has started on it yet.
    WaitForWorker,
    // Does it itself when no worker has started on it.
    DoUnclaimed,
    // As DoUnclaimed, and while its item is still being done elsewhere it
    // does further ones itself, as worker number `workers`, rather than wait.
    DoUnclaimedAndHelp,
  };

  // The result of item `index`, the consumer moving there: waits for the
  // worker on it. Nothing when the item falls to the consumer (see Taking,
  // and after a stop): no worker will do it then. What the job threw is
  // thrown here.
  std::optional<Result> Take(std::size_t index, Taking taking) {
    std::unique_lock<std::mutex> lock(mutex_);
    MoveToLocked(index);
    if (claimed_ < index) {
      claimed_ = index;  // those between were passed by
      if (waitingWorkers_ > 0) {
        changed_.notify_all();
      }
    }
    for (;;) {
      if (claimed_ <= index && taking != Taking::WaitForWorker) {
        claimed_ = index + 1;  // nobody has it: the consumer does it
        return std::nullopt;
      }
      std::optional<Outcome>& slot = slots_[index % window_];
      if (slot) {
        Outcome outcome = std::move(*slot);
        slot.reset();
        lock.unlock();
        if (std::exception_ptr* failure = std::get_if<std::exception_ptr>(&outcome)) {
          std::rethrow_exception(*failure);
        }
        return std::move(std::get<Result>(outcome));
      }
      if (stop_ || threads_.empty()) {
        return std::nullopt;
      }
      bool help = taking == Taking::DoUnclaimedAndHelp;
      if (std::optional<std::size_t> further = help ? Claim() : std::nullopt) {
        lock.unlock();
        Outcome outcome = Do(*further, threads_.size());
        lock.lock();
        Put(*further, std::move(outcome));
      } else {
        changed_.wait(lock);
      }
    }
  }

  // Asks every worker to end after its item, without waiting (a job may
  // ask it, having found the rest not worth doing).
  void RequestStop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
  }

  // Ends the workers, waiting for each to finish its item.
  void Stop() {
    RequestStop();
    for (std::thread& thread : threads_) {
      if (thread.joinable()) {
        thread.join();
      }
    }
  }

 private:
  using Outcome = std::variant<Result, std::exception_ptr>;

  void MoveToLocked(std::size_t index) {
    for (std::size_t passed = next_; passed < index && passed < claimed_; ++passed) {
      slots_[passed % window_].reset();  // done and passed by: dropped
    }
    if (index > next_) {
      next_ = index;
      if (waitingWorkers_ > 0) {
        changed_.notify_all();  // the window has moved on
      }
    }
  }

  // The next item no worker has started on, within the window.
  std::optional<std::size_t> Claim() {
    if (claimed_ < next_) {
      claimed_ = next_;  // those before were passed by
    }
    if (!stop_ && claimed_ < count_ && claimed_ < next_ + window_) {
      return claimed_++;
    }
    return std::nullopt;
  }

  Outcome Do(std::size_t index, std::size_t worker) {
    try {
      return Outcome(std::in_place_index<0>, job_(index, worker));
    } catch (...) {
      return Outcome(std::in_place_index<1>, std::current_exception());
    }
  }

  // Keeps an item's outcome for the consumer; the lock held.
  void Put(std::size_t index, Outcome outcome) {
    if (index >= next_ && !stop_) {
      slots_[index % window_] = std::move(outcome);
    }
    // else the consumer has passed it by: dropped with `outcome`
    changed_.notify_all();
  }

  void Work(std::size_t worker) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
      if (std::optional<std::size_t> index = Claim()) {
        lock.unlock();
        Outcome outcome = Do(*index, worker);
        lock.lock();
        Put(*index, std::move(outcome));
      } else if (claimed_ >= count_) {
        return;  // every item is taken
      } else {
        ++waitingWorkers_;
        changed_.wait(lock);  // until the consumer moves the window on
        --waitingWorkers_;
      }
    }
  }

  Job job_;
  const std::size_t count_;
  const std::size_t window_;
  std::vector<std::optional<Outcome>> slots_;  // item i in slots_[i % window_]
  std::size_t next_;                           // the item the consumer has come to
  std::size_t claimed_;                        // the first item nobody has started on
  std::size_t waitingWorkers_ = 0;
  bool stop_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> threads_;
};

}  // namespace catalogue
