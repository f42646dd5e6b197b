#pragma once

#include <functional>
#include <optional>
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

// The document of `folder` that a list row names by `field`, its file-name
// field. The field holds the name as the scan recorded it (FileNameFieldOf,
// then RecordFieldText), which is not always the name on disk: what code
// page 932 cannot hold became "?", ";" became "；", and some characters come
// back from code page 932 as others (〜 U+301C as ～ U+FF5E). So each file the
// scan could list is recorded the same way and compared with the field. The
// name of the only file that gives `field`; empty when none does, when
// several do (which of them the row meant cannot be told) or when the folder
// cannot be read.
std::string FindDocumentByField(const std::string& folder, std::string_view field);

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

// The folder scanned last as the settings file keeps it (code page 932),
// when it would come back from there as it is: nothing for a folder with a
// control character (a line break would end the value's line and start
// another), with a blank at either end (the settings file trims values) or
// with a character code page 932 cannot hold or gives back as another.
// Such a folder is not written, and the one stored before stays.
std::optional<std::string> StoredFolderSetting(std::string_view utf8Folder);

// Joins a folder and a name with one "/".
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace catalogue
