#include "catalogue/core/FolderListing.h"

#include <string_view>
#include <utility>

#include "catalogue/core/ScanMessages.h"

namespace catalogue {

void FolderListing::Start(ListingRequest request) {
  request_ = std::move(request);
  state_ = State::Listing;
  listed_ = {};
  error_.clear();
}

void FolderListing::Finish(ListedFolder listed) {
  listed_ = std::move(listed);
  state_ = State::Listed;
}

void FolderListing::Fail(std::string error) {
  listed_ = {};
  error_ = std::move(error);
  state_ = State::Failed;
}

std::string FolderListing::StatusText() const {
  switch (state_) {
    case State::Listing: return kListingStatus;
    case State::Failed: return UnreadableFolderStatus(error_);
    case State::Empty:
    case State::Listed: break;
  }
  return {};
}

std::string UnreadableFolderStatus(const std::string& error) {
  // The path is in the dialog's heading already: the status line keeps to
  // the reason, on one line.
  std::size_t lineBreak = error.find("\r\n");
  std::string_view reason = error;
  if (lineBreak != std::string::npos) {
    reason.remove_prefix(lineBreak + 2);
  }
  return "フォルダーを読めません: " + MessageOnOneLine(reason);
}

}  // namespace catalogue
