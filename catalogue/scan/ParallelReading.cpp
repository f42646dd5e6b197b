#include "catalogue/scan/ParallelReading.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <utility>

namespace catalogue {

void HeldMessages::ShowMessage(const std::string& path, const std::string& text) {
  held_.push_back({Held::Kind::Message, path, text});
}

void HeldMessages::NoteValuesCut(const std::string& path) {
  held_.push_back({Held::Kind::Cut, path, {}});
}

void HeldMessages::NoteLeftOut(const std::string& path, const std::string& text) {
  held_.push_back({Held::Kind::LeftOut, path, text});
}

void HeldMessages::PassOn(MessageReporter& reporter) {
  for (const Held& message : held_) {
    switch (message.kind) {
      case Held::Kind::Cut: reporter.NoteValuesCut(message.path); break;
      case Held::Kind::LeftOut: reporter.NoteLeftOut(message.path, message.text); break;
      case Held::Kind::Message: reporter.ShowMessage(message.path, message.text); break;
    }
  }
  held_.clear();
}

ParallelReading::ParallelReading(const std::vector<std::string>& paths,
                                 const std::vector<std::string>& names, const ReaderMaker& make,
                                 int threads, std::size_t window)
    : paths_(paths), names_(names) {
  // One reader for each thread and a spare one for the scan's own.
  for (int i = 0; i <= threads; ++i) {
    messages_.push_back(std::make_unique<HeldMessages>());
    readers_.push_back(make(*messages_.back()));
  }
  reading_.emplace(
      paths_.size(), static_cast<std::size_t>(threads), window,
      [this](std::size_t index, std::size_t reader) { return ReadDocument(index, reader); });
}

ParallelReading::Read ParallelReading::ReadDocument(std::size_t index, std::size_t reader) {
  Read read;
  try {
    read.line = readers_[reader]->Reader().ReadDocumentRecord(paths_[index], names_[index]);
  } catch (...) {
    read.failure = std::current_exception();
  }
  // The messages go with the document, whether it was read or not.
  read.messages = std::exchange(*messages_[reader], HeldMessages{});
  return read;
}

std::optional<std::string> ParallelReading::Take(std::size_t index, MessageReporter& reporter) {
  std::optional<Read> read = reading_->Take(index, OrderedWindow<Read>::Taking::DoUnclaimedAndHelp);
  if (!read) {
    return std::nullopt;
  }
  read->messages.PassOn(reporter);
  if (read->failure) {
    std::rethrow_exception(read->failure);
  }
  return std::move(read->line);
}

int ReadingThreadsFor(std::size_t count) {
  if (const char* forced = std::getenv("QUILL_READ_THREADS")) {
    int n = std::atoi(forced);
    return n < 0 ? 0 : (n > 16 ? 16 : n);
  }
  if (count < 2) {
    return 0;
  }
  int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(cores - 1, 0, 3);
}

}  // namespace catalogue
