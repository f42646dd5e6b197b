#include "catalogue/core/BackgroundScan.h"

#include "catalogue/core/FolderScan.h"

namespace catalogue {

namespace {

std::atomic<int> runningThreads{0};

}  // namespace

BackgroundScan::BackgroundScan(std::string folder, std::vector<std::string> names,
                               DocumentReader& reader, LineSink& sink, std::shared_ptr<void> keep,
                               ReaderMaker makeReader)
    : shared_(std::make_shared<Shared>()), ownsWhatItUses_(keep != nullptr) {
  shared_->makeReader = std::move(makeReader);
  shared_->folder = std::move(folder);
  shared_->names = std::move(names);
  shared_->keep = std::move(keep);
  runningThreads.fetch_add(1);
  std::shared_ptr<Shared> shared = shared_;
  thread_ = std::thread([shared, &reader, &sink] { Run(shared, reader, sink); });
}

BackgroundScan::~BackgroundScan() {
  Cancel();
  if (!thread_.joinable()) {
    return;
  }
  if (ownsWhatItUses_) {
    thread_.detach();  // it owns what it uses and ends after its file
  } else {
    thread_.join();
  }
}

void BackgroundScan::Run(const std::shared_ptr<Shared>& shared, DocumentReader& reader,
                         LineSink& sink) {
  try {
    shared->finished = ScanDocuments(
        shared->folder, shared->names, reader, sink,
        [&shared](std::size_t done, std::size_t) {
          shared->done.store(done, std::memory_order_relaxed);
          return !shared->cancel.load(std::memory_order_relaxed);
        },
        shared->makeReader);
  } catch (...) {
    shared->failure = std::current_exception();
  }
  shared->running.store(false, std::memory_order_release);
  // What the reading used goes with the thread when nobody waits for it.
  std::shared_ptr<void> keep = std::move(shared->keep);
  keep.reset();
  shared->makeReader = nullptr;
  runningThreads.fetch_sub(1);
}

bool BackgroundScan::Wait() {
  if (thread_.joinable()) {
    thread_.join();
  }
  if (shared_->failure) {
    std::rethrow_exception(shared_->failure);
  }
  return shared_->finished;
}

bool BackgroundScan::AnyRunning() {
  return runningThreads.load() > 0;
}

}  // namespace catalogue
