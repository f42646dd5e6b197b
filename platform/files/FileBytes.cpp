#include "platform/files/FileBytes.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <functional>

#include "platform/errors/UserError.h"
#include "platform/files/ReadOnlyFile.h"

namespace platform {

std::string ErrnoText(int err) {
  switch (err) {
    case ENOENT: return "ファイルまたはフォルダーが見つかりません";
    case EACCES:
    case EPERM: return "アクセスが拒否されました";
    case EROFS: return "読み取り専用の場所です";
    case ENOSPC: return "ディスクの空き容量が足りません";
    case EDQUOT: return "ディスクの割り当て容量を超えました";
    case EISDIR: return "フォルダーです";
    case ENOTDIR: return "パスの途中がフォルダーではありません";
    case ENAMETOOLONG: return "パスが長すぎます";
    case EIO: return "入出力エラーです";
    case EINVAL: return "通常のファイルではありません";
    default: return std::strerror(err);
  }
}

std::string FileErrorMessage(const std::string& action, const std::string& path, int err) {
  return action + ": " + path + "\r\n" + ErrnoText(err);
}

namespace {

constexpr const char* kCannotRead = "ファイルを読み込めません";

}  // namespace

std::string TooLargeMessage(const std::string& path, std::uint64_t size, std::uint64_t limit) {
  auto mib = [](std::uint64_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MiB"
                               : std::to_string(bytes) + " バイト";
  };
  return std::string(kCannotRead) + ": " + path + "\r\nファイルが大きすぎます (" + mib(size) +
         "、上限 " + mib(limit) + ")";
}

bool ReadFileInChunks(const std::string& path, std::uint64_t maxBytes,
                      const std::function<void(std::string_view)>& chunk) {
  ReadOnlyFile file = ReadOnlyFile::Open(path);
  if (!file.IsOpen()) {
    if (file.Error() == ENOENT) {
      return false;
    }
    throw UserError(FileErrorMessage(kCannotRead, path, file.Error()));
  }
  if (!file.Regular()) {
    throw UserError(FileErrorMessage(kCannotRead, path, file.Folder() ? EISDIR : EINVAL));
  }
  std::uint64_t size = file.Size();
  if (size > maxBytes) {
    throw UserError(TooLargeMessage(path, size, maxBytes));
  }
  std::uint64_t total = 0;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(file.Descriptor(), buffer, sizeof buffer);
    if (n < 0) {
      int err = errno;
      if (err == EINTR) {
        continue;
      }
      throw UserError(FileErrorMessage(kCannotRead, path, err));
    }
    if (n == 0) {
      break;
    }
    total += static_cast<std::uint64_t>(n);
    if (total > maxBytes) {
      throw UserError(TooLargeMessage(path, total, maxBytes));  // grown while being read
    }
    chunk(std::string_view(buffer, static_cast<std::size_t>(n)));
  }
  return true;
}

std::optional<std::string> ReadFileBytesIfExists(const std::string& path, std::uint64_t maxBytes) {
  std::string bytes;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::uint64_t>(st.st_size) <= maxBytes) {
    bytes.reserve(static_cast<std::size_t>(st.st_size));
  }
  if (!ReadFileInChunks(path, maxBytes, [&](std::string_view chunk) { bytes.append(chunk); })) {
    return std::nullopt;
  }
  return bytes;
}

std::string ReadFileBytes(const std::string& path, std::uint64_t maxBytes) {
  std::optional<std::string> bytes = ReadFileBytesIfExists(path, maxBytes);
  if (!bytes) {
    throw UserError(FileErrorMessage(kCannotRead, path, ENOENT));
  }
  return *std::move(bytes);
}

}  // namespace platform
