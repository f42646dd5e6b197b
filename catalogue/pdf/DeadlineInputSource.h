#pragma once

#include <chrono>
#include <memory>
#include <qpdf/InputSource.hh>
#include <string>

namespace catalogue {

// The bytes of a PDF as qpdf reads them, with a deadline: every read, seek
// and search past it throws PastDeadline, which unwinds qpdf wherever it
// is (a recovery going round a damaged file, say) and ends the read, so a
// document can cost no more than its moment.
class DeadlineInputSource : public InputSource {
 public:
  struct PastDeadline {};

  DeadlineInputSource(std::shared_ptr<InputSource> source,
                      std::chrono::steady_clock::time_point deadline)
      : source_(std::move(source)), deadline_(deadline) {}

  qpdf_offset_t findAndSkipNextEOL() override;
  std::string const& getName() const override { return source_->getName(); }
  qpdf_offset_t tell() override;
  void seek(qpdf_offset_t offset, int whence) override;
  void rewind() override;
  size_t read(char* buffer, size_t length) override;
  void unreadCh(char ch) override;

 private:
  void Check() const;

  std::shared_ptr<InputSource> source_;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace catalogue
