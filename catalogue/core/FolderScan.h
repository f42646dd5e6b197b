#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/core/DocumentFormatTable.h"

namespace catalogue {

// The file mask of the folder list.
inline constexpr const char* kDocumentMask = "*.doc;*.wrd;*.rtf";

// Whether a folder's subfolders are listed too.
enum class Subfolders { Left, Included };

// The extensions the newer formats add to the classic ".doc", ".wrd" and
// ".rtf" (lower case, with the dot), in the order of DocumentFormatTable.
const std::vector<std::string_view>& NewerFormatExtensions();

// The message for a folder without any matching file: the folder's path, a
// line break, then the fixed text. Listing the classic documents only, a
// folder that holds `newerDocuments` of the newer formats adds how many
// there are and `howToList` them (the check box or the option to use).
std::string EmptyFolderMessage(const std::string& folderPath,
                               DocumentFormats formats = DocumentFormats::Classic,
                               std::size_t newerDocuments = 0, std::string_view howToList = {});

// Whether a file name matches the mask: a case-blind extension of a row of
// DocumentFormatTable listed with `formats`, and not a hidden dot-file.
bool MatchesDocumentMask(std::string_view name, DocumentFormats formats = DocumentFormats::Classic);

// Case-blind order of names (ASCII letters folded), ties broken by bytes.
bool NameLess(std::string_view a, std::string_view b);

// Subfolders deeper than this are not listed.
inline constexpr int kMaxSubfolderDepth = 64;

// A subfolder a listing left out: its path from the folder listed, why (in
// words for the user), and whether it could not be read (rather than lay
// deeper than kMaxSubfolderDepth).
struct LeftOutFolder {
  std::string folder;
  std::string reason;
  bool unreadable = false;
};

// What is said of the subfolders of a folder at kMaxSubfolderDepth.
std::string TooDeepMessage();

// The names of the regular files in `folder` that match the mask, sorted by
// NameLess. With the subfolders, their documents follow, folder by folder
// (each folder's files, then its subfolders in NameLess order, each in
// turn), named by their path from `folder` ("2024/report.doc"); hidden
// folders, symbolic links to folders (which lead out of the tree or round
// in it) and folders met before (a bind mount) are passed over; a
// subfolder that cannot be read, and the subfolders of one at
// kMaxSubfolderDepth, list nothing, and each is added to `leftOut` when
// given. A folder that cannot be opened throws platform::UserError.
std::vector<std::string> ListDocumentFiles(const std::string& folder,
                                           DocumentFormats formats = DocumentFormats::Classic,
                                           Subfolders subfolders = Subfolders::Left,
                                           std::vector<LeftOutFolder>* leftOut = nullptr);

// The document of `folder` that a list row names by `field`, its file-name
// field (a path from `folder` when the row came from its subfolders). The field holds the name as
// the scan recorded it (FileNameFieldOf, then RecordFieldText), which is not always the name on
// disk: what code page 932 cannot hold became "?", ";" became "；", and some characters come back
// from code page 932 as others (〜 U+301C as ～ U+FF5E). So each file the scan could list is
// recorded the same way and compared with the field. The name of the only file that gives `field`;
// empty when none does, when several do (which of them the row meant cannot be told) or when the
// folder cannot be read.
std::string FindDocumentByField(const std::string& folder, std::string_view field);

// Joins a folder and a name with one "/".
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace catalogue
