#include "catalogue/core/ParallelReading.h"

#include <algorithm>
#include <cstdlib>
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
    : paths_(paths), names_(names), window_(std::max<std::size_t>(window, 1)), slots_(window_) {
  // One reader for each thread and a spare one for the scan's own.
  for (int i = 0; i <= threads; ++i) {
    messages_.push_back(std::make_unique<HeldMessages>());
    readers_.push_back(make(*messages_.back()));
  }
  try {
    for (int i = 0; i < threads; ++i) {
      threads_.emplace_back([this, i] { Run(*readers_[i], *messages_[i]); });
    }
  } catch (...) {
    StopThreads();  // those started so far
    throw;
  }
}

ParallelReading::~ParallelReading() {
  StopThreads();
}

void ParallelReading::StopThreads() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  for (std::thread& thread : threads_) {
    if (thread.joinable()) {
      thread.join();
    }
  }
}

std::optional<std::size_t> ParallelReading::ClaimNext() {
  if (claimed_ < paths_.size() && claimed_ < next_ + window_) {
    return claimed_++;
  }
  return std::nullopt;
}

void ParallelReading::ReadInto(std::size_t index, ReaderHolder& reader, HeldMessages& messages) {
  std::string line;
  std::exception_ptr failure;
  try {
    line = reader.Reader().ReadDocumentRecord(paths_[index], names_[index]);
  } catch (...) {
    failure = std::current_exception();
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Slot& slot = slots_[index % window_];
    slot.done = true;
    slot.line = std::move(line);
    slot.messages = std::exchange(messages, HeldMessages{});
    slot.failure = failure;
  }
  changed_.notify_all();
}

void ParallelReading::Run(ReaderHolder& reader, HeldMessages& messages) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    if (std::optional<std::size_t> index = ClaimNext()) {
      lock.unlock();
      ReadInto(*index, reader, messages);
      lock.lock();
    } else if (claimed_ >= paths_.size()) {
      return;  // every document is taken
    } else {
      changed_.wait(lock);  // until the scan moves the window on
    }
  }
}

std::optional<std::string> ParallelReading::Take(std::size_t index, MessageReporter& reporter) {
  std::unique_lock<std::mutex> lock(mutex_);
  next_ = index;
  changed_.notify_all();  // the window has moved on
  for (;;) {
    if (claimed_ <= index) {
      claimed_ = index + 1;  // nobody has it: the scan reads it itself
      return std::nullopt;
    }
    Slot& slot = slots_[index % window_];
    if (slot.done) {
      Slot taken = std::exchange(slot, Slot{});
      lock.unlock();
      taken.messages.PassOn(reporter);
      if (taken.failure) {
        std::rethrow_exception(taken.failure);
      }
      return std::move(taken.line);
    }
    if (std::optional<std::size_t> further = ClaimNext()) {
      lock.unlock();
      ReadInto(*further, *readers_.back(), *messages_.back());
      lock.lock();
    } else {
      changed_.wait(lock);
    }
  }
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
