#include "catalogue/core/BackgroundListing.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace catalogue {

namespace {

std::atomic<int> runningListings{0};

std::vector<std::string> ListOrNothing(const BackgroundListing::Lister& lister,
                                       const std::string& folder, DocumentFormats formats,
                                       Subfolders subfolders, std::vector<LeftOutFolder>& leftOut) {
  try {
    return lister ? lister(folder, formats, subfolders)
                  : ListDocumentFiles(folder, formats, subfolders, &leftOut);
  } catch (const std::exception&) {
    return {};  // a folder that cannot be read lists nothing
  }
}

}  // namespace

BackgroundListing::BackgroundListing(std::string folder, DocumentFormats formats,
                                     Subfolders subfolders, Lister lister)
    : shared_(std::make_shared<Shared>()) {
  auto list = [shared = shared_, folder = std::move(folder), formats, subfolders,
               lister = std::move(lister)] {
    std::vector<LeftOutFolder> leftOut;
    std::vector<std::string> names = ListOrNothing(lister, folder, formats, subfolders, leftOut);
    {
      std::lock_guard<std::mutex> lock(shared->mutex);
      shared->names = std::move(names);
      shared->leftOut = std::move(leftOut);
      shared->finished = true;
    }
    shared->done.notify_all();
  };
  runningListings.fetch_add(1);
  try {
    std::thread([list] {
      list();
      runningListings.fetch_sub(1);
    }).detach();
  } catch (const std::system_error&) {
    runningListings.fetch_sub(1);
    list();  // no thread to spare: listed here, as before there were threads
  }
}

BackgroundListing::~BackgroundListing() = default;  // the thread ends by itself

bool BackgroundListing::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(shared_->mutex);
  return shared_->done.wait_for(lock, timeout, [this] { return shared_->finished; });
}

bool BackgroundListing::Done() {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  return shared_->finished;
}

std::vector<std::string> BackgroundListing::TakeNames() {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  return std::move(shared_->names);
}

std::vector<LeftOutFolder> BackgroundListing::TakeLeftOut() {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  return std::move(shared_->leftOut);
}

bool BackgroundListing::AnyRunning() {
  return runningListings.load() > 0;
}

}  // namespace catalogue
