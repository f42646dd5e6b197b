#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/scan/OrderedWindow.h"

namespace catalogue {

// A document reader that owns what it reads with (its sources), for a thread
// of a scan other than the scan's own.
class ReaderHolder {
 public:
  virtual ~ReaderHolder() = default;
  virtual DocumentReader& Reader() = 0;
};

// Makes a reader like the scan's own, telling its messages to `reporter`.
using ReaderMaker = std::function<std::unique_ptr<ReaderHolder>(MessageReporter& reporter)>;

// A reader's messages about one document, kept until the scan comes to it.
class HeldMessages : public MessageReporter {
 public:
  void ShowMessage(const std::string& path, const std::string& text) override;
  void NoteValuesCut(const std::string& path) override;
  void NoteLeftOut(const std::string& path, const std::string& text) override;
  // Tells `reporter` what was held, in the order it came, and forgets it.
  void PassOn(MessageReporter& reporter);

 private:
  struct Held {
    enum class Kind { Message, Cut, LeftOut } kind;
    std::string path;
    std::string text;
  };
  std::vector<Held> held_;
};

// Other threads, each with a reader of its own, that read the next documents
// of a scan a bounded window ahead of the scan's own reader. A document's
// record and messages wait until the scan takes them, so the lines, the
// messages and the progress keep the list's order. While the document it
// has come to is still being read elsewhere, the scan's thread reads one
// further on with a spare reader rather than wait.
class ParallelReading {
 public:
  // `paths` and `names` as the scan reads them (path, file-name field).
  // Throws std::system_error when no thread can be started.
  ParallelReading(const std::vector<std::string>& paths, const std::vector<std::string>& names,
                  const ReaderMaker& make, int threads, std::size_t window);

  // The record of document `index` (taken in order), its messages told to
  // `reporter` first; nothing when no other thread took it, and the caller
  // reads it itself. What reading it threw is thrown here.
  std::optional<std::string> Take(std::size_t index, MessageReporter& reporter);

 private:
  // One document read: its line or failure, and the messages about it.
  struct Read {
    std::string line;
    HeldMessages messages;
    std::exception_ptr failure;
  };

  Read ReadDocument(std::size_t index, std::size_t reader);

  const std::vector<std::string>& paths_;
  const std::vector<std::string>& names_;
  // The readers of the threads, and the scan thread's spare one, with the
  // messages each holds for the document it reads.
  std::vector<std::unique_ptr<HeldMessages>> messages_;
  std::vector<std::unique_ptr<ReaderHolder>> readers_;
  std::optional<OrderedWindow<Read>> reading_;  // ends before the readers go
};

// How many threads besides the scan's own read the documents of a scan of
// `count` files: one fewer than the processor has cores (at most 3), none
// for a single file. The environment variable QUILL_READ_THREADS, when set,
// says instead (tests and benchmarks).
int ReadingThreadsFor(std::size_t count);

}  // namespace catalogue
