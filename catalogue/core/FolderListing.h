#pragma once

#include <string>
#include <vector>

#include "catalogue/core/FolderScan.h"

namespace catalogue {

// What a folder listing lists: the folder (file system bytes), the formats
// and whether its subfolders are included.
struct ListingRequest {
  std::string folder;
  DocumentFormats formats = DocumentFormats::Classic;
  Subfolders subfolders = Subfolders::Left;

  bool operator==(const ListingRequest& other) const {
    return folder == other.folder && formats == other.formats && subfolders == other.subfolders;
  }
  bool operator!=(const ListingRequest& other) const { return !(*this == other); }
};

// What a listing found: the documents' names (paths from the folder for a
// subfolder's) in listing order, and the subfolders it left out.
struct ListedFolder {
  std::vector<std::string> names;
  std::vector<LeftOutFolder> leftOut;
};

// The documents of the folder the folder dialog shows: what is asked, where
// the listing is, and what it gave. The dialog's list only shows it and the
// scan reads the names from here.
class FolderListing {
 public:
  enum class State {
    Empty,    // nothing asked yet
    Listing,  // being listed
    Listed,   // the names are here
    Failed,   // the folder could not be read: Error() says why
  };

  // A new listing of `request`: nothing listed yet.
  void Start(ListingRequest request);
  // The listing of the folder asked last has ended.
  void Finish(ListedFolder listed);
  void Fail(std::string error);

  const ListingRequest& Request() const { return request_; }
  State CurrentState() const { return state_; }
  bool Listing() const { return state_ == State::Listing; }
  // The names once listed; none before, or when the folder failed.
  const std::vector<std::string>& Names() const { return listed_.names; }
  const std::vector<LeftOutFolder>& LeftOut() const { return listed_.leftOut; }
  // Why the folder could not be read (the whole message, CR LF and all).
  const std::string& Error() const { return error_; }

  // What the status line says of the listing: that it is under way, that
  // the folder cannot be read and why; empty once listed.
  std::string StatusText() const;

 private:
  ListingRequest request_;
  State state_ = State::Empty;
  ListedFolder listed_;
  std::string error_;
};

// The status line while a folder is being listed.
inline constexpr const char* kListingStatus = "フォルダーの中を調べています...";

// The status line for a folder that cannot be read: the heading and the
// reason of `error` (a file error message: what, the path, CR LF, why).
std::string UnreadableFolderStatus(const std::string& error);

}  // namespace catalogue
