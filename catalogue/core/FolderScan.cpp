#include "catalogue/core/FolderScan.h"

#include <dirent.h>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/files/FileBytes.h"
#include "platform/files/UserError.h"

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

std::string EmptyFolderMessage(const std::string& folderPath) {
  return folderPath + "\r\n上記フォルダーにエクセルファイルは見つかりませんでした";
}

bool MatchesDocumentMask(std::string_view name) {
  if (name.empty() || name.front() == '.') {
    return false;
  }
  return EndsWithFolded(name, ".doc") || EndsWithFolded(name, ".wrd") ||
         EndsWithFolded(name, ".rtf");
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

std::vector<std::string> ListDocumentFiles(const std::string& folder) {
  std::vector<std::string> names;
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
    if (!MatchesDocumentMask(name)) {
      continue;
    }
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      // The entry type is not known (or is a link): ask for the target's.
      struct stat st {};
      regular =
          ::stat(JoinPath(folder, std::string(name)).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    if (regular) {
      names.emplace_back(name);
    }
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return NameLess(a, b); });
  return names;
}

bool ScanDocuments(const std::string& folder, const std::vector<std::string>& names,
                   DocumentReader& reader, LineSink& sink,
                   const std::function<bool(std::size_t, std::size_t)>& progress) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    sink.WriteLine(reader.ReadDocumentRecord(JoinPath(folder, names[i])));
    if (progress && !progress(i + 1, names.size())) {
      return false;
    }
  }
  return true;
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
