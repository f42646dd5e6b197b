#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "catalogue/core/FolderScan.h"

namespace catalogue {

// A folder's documents listed (ListDocumentFiles) on a thread of its own, so
// that a folder on a slow or unreachable file server, or a deep tree of
// subfolders, does not hold the window that asked. The thread owns what it
// lists into: the listing can be dropped at any moment (another folder
// chosen, the window closed) and its thread ends by itself.
class BackgroundListing {
 public:
  using Lister = std::function<std::vector<std::string>(const std::string& folder, DocumentFormats,
                                                        Subfolders)>;

  // `lister` lists instead of ListDocumentFiles (tests). Lists on the
  // caller's thread when no thread can be started.
  BackgroundListing(std::string folder, DocumentFormats formats, Subfolders subfolders,
                    Lister lister = {});
  ~BackgroundListing();
  BackgroundListing(const BackgroundListing&) = delete;
  BackgroundListing& operator=(const BackgroundListing&) = delete;

  // Waits at most `timeout` for the listing; whether it is done.
  bool WaitFor(std::chrono::milliseconds timeout);
  bool Done();
  // The names listed, once done; a folder that cannot be read lists none.
  std::vector<std::string> TakeNames();
  // The subfolders the listing left out, once done.
  std::vector<LeftOutFolder> TakeLeftOut();

  // Whether a listing's thread of this process is still running (one left
  // on an unreachable server, say): the program then leaves without taking
  // down what that thread may still use.
  static bool AnyRunning();

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::vector<std::string> names;
    std::vector<LeftOutFolder> leftOut;
  };
  std::shared_ptr<Shared> shared_;
};

}  // namespace catalogue
