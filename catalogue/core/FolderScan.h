#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/ListFile.h"

namespace catalogue {

// The file mask of the folder list.
inline constexpr const char* kDocumentMask = "*.doc;*.wrd;*.rtf";
// The mask when the newer formats are read too.
inline constexpr const char* kNewerFormatsMask =
    "*.doc;*.wrd;*.rtf;*.docx;*.docm;*.dotx;*.dotm;*.odt;*.ott";

// Which documents a folder lists and the reader reads.
enum class DocumentFormats { Classic, WithNewer };

// The message for a folder without any matching file: the folder's path,
// a line break, then the fixed text.
std::string EmptyFolderMessage(const std::string& folderPath);

// Whether a file name matches the mask: case-blind extension ".doc", ".wrd"
// or ".rtf" (and with the newer formats ".docx", ".docm", ".dotx", ".dotm",
// ".odt" or ".ott"), and not a hidden dot-file.
bool MatchesDocumentMask(std::string_view name, DocumentFormats formats = DocumentFormats::Classic);

// Case-blind order of names (ASCII letters folded), ties broken by bytes.
bool NameLess(std::string_view a, std::string_view b);

// The names of the regular files in `folder` that match the mask, sorted by
// NameLess. A folder that cannot be opened throws platform::UserError.
std::vector<std::string> ListDocumentFiles(const std::string& folder,
                                           DocumentFormats formats = DocumentFormats::Classic);

// Reads each named file of `folder`, in the order given, and writes one line
// per file to `sink` (an empty line for a file that cannot be read). The
// next files are asked of the disk ahead of their turn. Calls
// `progress(done, total)` after each file when given; when it returns false
// the scan stops there. Returns whether every file was read.
bool ScanDocuments(const std::string& folder, const std::vector<std::string>& names,
                   DocumentReader& reader, LineSink& sink,
                   const std::function<bool(std::size_t, std::size_t)>& progress = {});

// Asks the kernel to start reading the byte ranges of a document that the
// reader will want (the whole of a small file; both ends of a large one);
// false when the file is in memory already (or cannot be opened) and
// nothing was asked.
bool AskToReadAhead(const std::string& path);

// Joins a folder and a name with one "/".
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace catalogue
