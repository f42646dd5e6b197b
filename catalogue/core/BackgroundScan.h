#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/ListFile.h"

namespace catalogue {

// A folder scan (ScanDocuments) on a thread of its own, so that the window
// that started it keeps answering: it shows the progress and can cancel at
// any moment. The reader (with its source and reporter) and the sink are
// used by the scan's thread only, until Wait() returns.
class BackgroundScan {
 public:
  BackgroundScan(std::string folder, std::vector<std::string> names, DocumentReader& reader,
                 LineSink& sink);
  // Cancels a scan still running and waits for its thread.
  ~BackgroundScan();
  BackgroundScan(const BackgroundScan&) = delete;
  BackgroundScan& operator=(const BackgroundScan&) = delete;

  std::size_t Total() const { return names_.size(); }
  // Files read so far.
  std::size_t Done() const { return done_.load(std::memory_order_relaxed); }
  bool Running() const { return running_.load(std::memory_order_acquire); }
  // The scan stops after the file it is reading.
  void Cancel() { cancel_.store(true, std::memory_order_relaxed); }

  // Waits for the end: true when every file was read, false when cancelled;
  // a failure of the reading or the sink is thrown here.
  bool Wait();

 private:
  void Run(DocumentReader& reader, LineSink& sink);

  std::string folder_;
  std::vector<std::string> names_;
  std::atomic<std::size_t> done_{0};
  std::atomic<bool> cancel_{false};
  std::atomic<bool> running_{true};
  bool finished_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace catalogue
