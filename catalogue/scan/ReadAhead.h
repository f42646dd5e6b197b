#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/scan/OrderedWindow.h"

namespace catalogue {

// Asks the kernel to start reading the byte ranges of a document that the
// reader will want (the whole of a small file; both ends of a large one);
// false when the file is in memory already (or cannot be opened) and
// nothing was asked.
bool AskToReadAhead(const std::string& path);

// Asks the disk for the next documents of a scan on a thread of its own, a
// few files ahead of the reader and never further. Where it finds the
// documents in memory already the thread ends (even a thread that only
// sleeps slows the reading down) and the reader itself looks at a file now
// and then, twice as far on each time; the first file a look finds on disk
// starts a thread again from there.
class ReadAhead {
 public:
  // `paths` in the order they are read. Throws std::system_error when no
  // thread can be started.
  explicit ReadAhead(const std::vector<std::string>& paths);

  // The reader has come to file `index`: one uncontended lock while the
  // thread asks, one atomic load while the reader looks itself.
  void Reached(std::size_t index);

 private:
  static constexpr std::size_t kNone = SIZE_MAX;

  // Asks from file `from` on, the reader being at file `reached`.
  void Start(std::size_t from, std::size_t reached);
  bool Ask(std::size_t index);
  // On the reader's thread, once the thread has ended on a warm stretch.
  void LookWhileWarm(std::size_t look, std::size_t reached);

  const std::vector<std::string>& paths_;
  std::size_t askFrom_ = 0;
  std::size_t cachedInARow_ = 0;  // the thread's own
  // Where the reader looks next, once the thread has found a warm stretch;
  // kNone while the thread asks (or nothing is left to look at).
  std::atomic<std::size_t> lookAt_{kNone};
  std::size_t lookStep_ = 0;
  std::optional<OrderedWindow<bool>> asking_;
};

}  // namespace catalogue
