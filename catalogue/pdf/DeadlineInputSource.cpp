#include "catalogue/pdf/DeadlineInputSource.h"

namespace catalogue {

void DeadlineInputSource::Check() const {
  if (std::chrono::steady_clock::now() >= deadline_) {
    throw PastDeadline{};
  }
}

qpdf_offset_t DeadlineInputSource::findAndSkipNextEOL() {
  Check();
  qpdf_offset_t result = source_->findAndSkipNextEOL();
  last_offset = source_->getLastOffset();
  return result;
}

qpdf_offset_t DeadlineInputSource::tell() {
  return source_->tell();
}

void DeadlineInputSource::seek(qpdf_offset_t offset, int whence) {
  Check();
  source_->seek(offset, whence);
}

void DeadlineInputSource::rewind() {
  Check();
  source_->rewind();
}

size_t DeadlineInputSource::read(char* buffer, size_t length) {
  Check();
  size_t count = source_->read(buffer, length);
  last_offset = source_->getLastOffset();
  return count;
}

void DeadlineInputSource::unreadCh(char ch) {
  source_->unreadCh(ch);
}

}  // namespace catalogue
