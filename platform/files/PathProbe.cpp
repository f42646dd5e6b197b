#include "platform/files/PathProbe.h"

#include <sys/stat.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/work/RunningWork.h"

namespace platform {

namespace {

std::mutex lookMutex;
std::function<PathKind(const std::string&)> lookForTests;

}  // namespace

PathKind LookAtPath(const std::string& path) {
  std::function<PathKind(const std::string&)> look;
  {
    std::lock_guard<std::mutex> lock(lookMutex);
    look = lookForTests;
  }
  if (look) {
    return look(path);
  }
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) {
    return PathKind::Missing;
  }
  return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::File;
}

struct PathProbe::Shared {
  std::mutex mutex;
  std::condition_variable given;
  bool done = false;
  PathKind kind = PathKind::NoAnswer;
};

PathProbe::PathProbe(std::string path) : shared_(std::make_shared<Shared>()) {
  auto look = [shared = shared_, path = std::move(path)] {
    PathKind kind = LookAtPath(path);
    {
      std::lock_guard<std::mutex> lock(shared->mutex);
      shared->kind = kind;
      shared->done = true;
    }
    shared->given.notify_all();
  };
  try {
    std::thread([look, running = RunningWork::Token()] { look(); }).detach();
  } catch (const std::system_error&) {
    look();  // no thread to spare: asked here
  }
}

PathKind PathProbe::WaitFor(std::chrono::milliseconds patience) const {
  std::unique_lock<std::mutex> lock(shared_->mutex);
  shared_->given.wait_for(lock, patience, [this] { return shared_->done; });
  return shared_->done ? shared_->kind : PathKind::NoAnswer;
}

PathKind ProbePath(const std::string& path, std::chrono::milliseconds patience) {
  return PathProbe(path).WaitFor(patience);
}

void SetPathLookForTests(std::function<PathKind(const std::string&)> look) {
  std::lock_guard<std::mutex> lock(lookMutex);
  lookForTests = std::move(look);
}

}  // namespace platform
