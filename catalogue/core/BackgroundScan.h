#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/core/ParallelReading.h"

namespace catalogue {

// A folder scan (ScanDocuments) on a thread of its own, so that the window
// that started it keeps answering: it shows the progress and can cancel at
// any moment. The reader (with its source and reporter) and the sink are
// used by the scan's thread only, until Wait() returns.
//
// A cancelled scan need not be waited for: given `keep`, which owns the
// reader, its sources and reporter and the sink, the scan's thread holds it
// and ends by itself after the file it is reading (a document on a slow
// share, say), and the window is free at once. Without `keep`, the caller
// keeps them alive and the destructor waits for the thread.
class BackgroundScan {
 public:
  // Given `makeReader`, other cores read documents ahead with readers it
  // makes (ScanDocuments).
  BackgroundScan(std::string folder, std::vector<std::string> names, DocumentReader& reader,
                 LineSink& sink, std::shared_ptr<void> keep = {}, ReaderMaker makeReader = {});
  // Cancels a scan still running; waits for its thread only without `keep`.
  ~BackgroundScan();
  BackgroundScan(const BackgroundScan&) = delete;
  BackgroundScan& operator=(const BackgroundScan&) = delete;

  std::size_t Total() const { return shared_->names.size(); }
  // Files read so far.
  std::size_t Done() const { return shared_->done.load(std::memory_order_relaxed); }
  bool Running() const { return shared_->running.load(std::memory_order_acquire); }
  // The scan stops after the file it is reading.
  void Cancel() { shared_->cancel.store(true, std::memory_order_relaxed); }

  // Waits for the end: true when every file was read, false when cancelled;
  // a failure of the reading or the sink is thrown here.
  bool Wait();

  // Whether a scan's thread of this process is still running (one that
  // was left to end by itself, say): the program then leaves without
  // taking down what that thread may still use.
  static bool AnyRunning();

 private:
  // What the scan's thread and the window share.
  struct Shared {
    std::string folder;
    std::vector<std::string> names;
    std::atomic<std::size_t> done{0};
    std::atomic<bool> cancel{false};
    std::atomic<bool> running{true};
    bool finished = false;
    std::exception_ptr failure;
    std::shared_ptr<void> keep;
    ReaderMaker makeReader;
  };

  static void Run(const std::shared_ptr<Shared>& shared, DocumentReader& reader, LineSink& sink);

  std::shared_ptr<Shared> shared_;
  bool ownsWhatItUses_;  // given `keep`: nobody need wait for the thread
  std::thread thread_;
};

}  // namespace catalogue
