#include "catalogue/core/BackgroundScan.h"

#include "catalogue/core/FolderScan.h"

namespace catalogue {

BackgroundScan::BackgroundScan(std::string folder, std::vector<std::string> names,
                               DocumentReader& reader, LineSink& sink)
    : folder_(std::move(folder)), names_(std::move(names)) {
  thread_ = std::thread([this, &reader, &sink] { Run(reader, sink); });
}

BackgroundScan::~BackgroundScan() {
  Cancel();
  if (thread_.joinable()) {
    thread_.join();
  }
}

void BackgroundScan::Run(DocumentReader& reader, LineSink& sink) {
  try {
    finished_ = ScanDocuments(folder_, names_, reader, sink, [this](std::size_t done, std::size_t) {
      done_.store(done, std::memory_order_relaxed);
      return !cancel_.load(std::memory_order_relaxed);
    });
  } catch (...) {
    failure_ = std::current_exception();
  }
  running_.store(false, std::memory_order_release);
}

bool BackgroundScan::Wait() {
  if (thread_.joinable()) {
    thread_.join();
  }
  if (failure_) {
    std::rethrow_exception(failure_);
  }
  return finished_;
}

}  // namespace catalogue
