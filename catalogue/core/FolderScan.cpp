#include "catalogue/core/FolderScan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <set>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/DocumentRecord.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"

namespace catalogue {

namespace {

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithFolded(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) {
    return false;
  }
  std::string_view tail = name.substr(name.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (FoldAscii(tail[i]) != suffix[i]) {
      return false;
    }
  }
  return true;
}

constexpr const char* kCannotOpenFolder = "フォルダーを開けません";

// Directory closed on every path.
struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

const std::vector<std::string_view>& NewerFormatExtensions() {
  static const std::vector<std::string_view> extensions = [] {
    std::vector<std::string_view> newer;
    for (const DocumentFormatRow& row : DocumentFormatTable()) {
      if (row.listedWith == DocumentFormats::WithNewer) {
        newer.insert(newer.end(), row.extensions.begin(), row.extensions.end());
      }
    }
    return newer;
  }();
  return extensions;
}

std::string EmptyFolderMessage(const std::string& folderPath, DocumentFormats formats,
                               std::size_t newerDocuments, std::string_view howToList) {
  if (formats == DocumentFormats::WithNewer) {
    return folderPath + "\r\n上記フォルダーに文書は見つかりませんでした";
  }
  std::string message = folderPath + "\r\n上記フォルダーにエクセルファイルは見つかりませんでした";
  if (newerDocuments > 0) {
    message += "\r\n.docx などの文書が " + std::to_string(newerDocuments) + " 件あります。";
    message += howToList;
  }
  return message;
}

bool MatchesDocumentMask(std::string_view name, DocumentFormats formats) {
  if (name.empty() || name.front() == '.') {
    return false;
  }
  for (const DocumentFormatRow& row : DocumentFormatTable()) {
    if (row.listedWith == DocumentFormats::WithNewer && formats == DocumentFormats::Classic) {
      continue;
    }
    for (std::string_view extension : row.extensions) {
      if (EndsWithFolded(name, extension)) {
        return true;
      }
    }
  }
  return false;
}

bool NameLess(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(FoldAscii(a[i]));
    unsigned char y = static_cast<unsigned char>(FoldAscii(b[i]));
    if (x != y) {
      return x < y;
    }
  }
  if (a.size() != b.size()) {
    return a.size() < b.size();
  }
  return a < b;
}

namespace {

// One folder's entries: the matching documents and the subfolders to list.
struct FolderEntries {
  std::vector<std::string> documents;
  std::vector<std::string> subfolders;
};

FolderEntries ReadFolder(const std::string& folder, DocumentFormats formats, bool withSubfolders) {
  FolderEntries found;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) {
    int err = errno;
    throw platform::UserError(platform::FileErrorMessage(kCannotOpenFolder, folder, err));
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir.get());
    if (entry == nullptr) {
      if (int err = errno; err != 0) {
        throw platform::UserError(platform::FileErrorMessage(kCannotOpenFolder, folder, err));
      }
      break;
    }
    std::string_view name(entry->d_name);
    bool document = MatchesDocumentMask(name, formats);
    bool maybeFolder = withSubfolders && !name.empty() && name.front() != '.' &&
                       (entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN);
    if (!document && !maybeFolder) {
      continue;
    }
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      // The file system does not say: ask, without following a link.
      struct stat st {};
      if (::lstat(JoinPath(folder, std::string(name)).c_str(), &st) != 0) {
        continue;
      }
      type = S_ISDIR(st.st_mode)   ? DT_DIR
             : S_ISLNK(st.st_mode) ? DT_LNK
             : S_ISREG(st.st_mode) ? DT_REG
                                   : DT_UNKNOWN;
    }
    if (type == DT_DIR && maybeFolder) {
      found.subfolders.emplace_back(name);
      continue;
    }
    if (!document) {
      continue;
    }
    bool regular = type == DT_REG;
    if (type == DT_LNK) {
      // A link to a document counts as the document.
      struct stat st {};
      regular =
          ::stat(JoinPath(folder, std::string(name)).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    if (regular) {
      found.documents.emplace_back(name);
    }
  }
  auto byName = [](const std::string& a, const std::string& b) { return NameLess(a, b); };
  std::sort(found.documents.begin(), found.documents.end(), byName);
  std::sort(found.subfolders.begin(), found.subfolders.end(), byName);
  return found;
}

// The documents of the subfolder `relative` of `root` and of its own
// subfolders, in listing order; `seen` holds the folders listed already.
void ListSubfolder(const std::string& root, const std::string& relative, DocumentFormats formats,
                   int depth, std::set<std::pair<dev_t, ino_t>>& seen,
                   std::vector<std::string>& names, std::vector<LeftOutFolder>* leftOut) {
  std::string folder = JoinPath(root, relative);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    if (errno != ENOENT && leftOut != nullptr) {  // not gone meanwhile: unreadable
      leftOut->push_back(
          {relative, platform::FileErrorMessage(kCannotOpenFolder, folder, errno), true});
    }
    return;
  }
  if (!seen.insert({st.st_dev, st.st_ino}).second) {
    return;  // met before through a bind mount
  }
  FolderEntries entries;
  try {
    entries = ReadFolder(folder, formats, true);
  } catch (const platform::UserError& e) {
    if (leftOut != nullptr) {
      leftOut->push_back({relative, e.what(), true});  // lists nothing, and is said
    }
    return;
  }
  for (std::string& name : entries.documents) {
    names.push_back(relative.empty() ? std::move(name) : relative + "/" + name);
  }
  if (depth >= kMaxSubfolderDepth) {
    if (!entries.subfolders.empty() && leftOut != nullptr) {
      leftOut->push_back({relative, TooDeepMessage(), false});
    }
    return;
  }
  for (const std::string& sub : entries.subfolders) {
    ListSubfolder(root, relative.empty() ? sub : relative + "/" + sub, formats, depth + 1, seen,
                  names, leftOut);
  }
}

}  // namespace

std::string TooDeepMessage() {
  return "この下のフォルダーは " + std::to_string(kMaxSubfolderDepth) +
         " 階層を超えるため読みません";
}

std::vector<std::string> ListDocumentFiles(const std::string& folder, DocumentFormats formats,
                                           Subfolders subfolders,
                                           std::vector<LeftOutFolder>* leftOut) {
  if (subfolders == Subfolders::Left) {
    return ReadFolder(folder, formats, false).documents;
  }
  // The chosen folder itself must open, as without the subfolders.
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) {
    int err = errno;
    throw platform::UserError(platform::FileErrorMessage(kCannotOpenFolder, folder, err));
  }
  dir.reset();
  std::vector<std::string> names;
  std::set<std::pair<dev_t, ino_t>> seen;
  ListSubfolder(folder, "", formats, 0, seen, names, leftOut);
  return names;
}

std::string FindDocumentByField(const std::string& folder, std::string_view field) {
  // A row from a subfolder names it before the file's name.
  std::size_t slash = field.rfind('/');
  std::string subfolder =
      slash == std::string_view::npos ? "" : std::string(field.substr(0, slash));
  std::string_view leaf = slash == std::string_view::npos ? field : field.substr(slash + 1);
  std::vector<std::string> names;
  try {
    names = ListDocumentFiles(JoinPath(folder, subfolder), DocumentFormats::WithNewer);
  } catch (const platform::UserError&) {
    return {};
  }
  std::string found;
  int matches = 0;
  for (const std::string& name : names) {
    if (RecordFieldText(FileNameFieldOf(name)) == leaf) {
      found = name;
      ++matches;
    }
  }
  return matches == 1 ? JoinPath(subfolder, found) : std::string();
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  if (folder.back() == '/') {
    return folder + name;
  }
  return folder + "/" + name;
}

}  // namespace catalogue
