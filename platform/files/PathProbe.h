#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace platform {

// What a path is, as far as a window needs to know before it acts on it.
enum class PathKind {
  Folder,
  File,      // anything else that is there
  Missing,   // not there, or not to be looked at
  NoAnswer,  // its file server did not answer in time
};

// How long a window waits for a file server's answer about one path.
inline constexpr std::chrono::milliseconds kPathPatience{1000};

// What a path is, asked on a thread of its own, which ends by itself
// whenever the file server answers: a window waits for it no longer than
// it chooses, and may look again later. Asked on the caller's thread when
// no thread can start. The thread counts as RunningWork while it waits.
class PathProbe {
 public:
  explicit PathProbe(std::string path);  // file system bytes
  // Waits at most `patience`: the answer, or NoAnswer.
  PathKind WaitFor(std::chrono::milliseconds patience) const;
  // The answer when it has come (without waiting), else NoAnswer.
  PathKind Answer() const { return WaitFor(std::chrono::milliseconds(0)); }

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

// What `path` is, asked on the caller's thread, which waits as long as the
// file server takes (run it off the window's thread).
PathKind LookAtPath(const std::string& path);

// What `path` is, waiting at most `patience` for its file server: a
// server that stopped answering costs the window that long, and no more.
PathKind ProbePath(const std::string& path, std::chrono::milliseconds patience = kPathPatience);

// Replaces how a path is looked at (tests: a server that does not answer);
// an empty function restores the file system's own answer.
void SetPathLookForTests(std::function<PathKind(const std::string&)> look);

}  // namespace platform
