#include "platform/files/ReplacingFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/files/TemporaryFiles.h"

namespace platform {

namespace {

constexpr const char* kCannotWrite = "ファイルに書き込めません";
constexpr const char* kReadOnly = "読み取り専用のファイルなので上書きしません";
constexpr std::size_t kBufferLimit = 1 << 16;

// The process's umask, read without changing it (umask() would change it
// for every thread for a moment).
mode_t CurrentUmask() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  unsigned mask = 022;
  if (status != nullptr) {
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
      if (std::sscanf(line, "Umask: %o", &mask) == 1) {
        break;
      }
    }
    std::fclose(status);
  }
  return static_cast<mode_t>(mask);
}

// The permissions a newly created file would get (0666 less the umask); a
// replaced file keeps the permissions it had.
mode_t ModeFor(const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    return st.st_mode & 07777;
  }
  return 0666 & ~CurrentUmask();
}

// Makes a rename in `path`'s folder durable.
void SyncFolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

void RemoveFileIfExists(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    throw UserError(FileErrorMessage("削除できません", path, errno));
  }
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
}

ReplacingFileWriter::ReplacingFileWriter(std::string targetPath, ReadOnlyTarget readOnly)
    : target_(std::move(targetPath)), readOnly_(readOnly) {
  // Said before anything is written: a long print need not run first.
  RefuseReadOnlyTarget();
  buffer_.reserve(kBufferLimit);  // before the file exists: a failure here leaves nothing
  TemporaryFile temp = CreateTemporaryBeside(target_);
  if (temp.fd < 0) {
    Fail(-temp.fd);
  }
  temp_ = std::move(temp.path);
  fd_ = temp.fd;
}

ReplacingFileWriter::~ReplacingFileWriter() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
  if (!committed_ && !temp_.empty()) {
    ::unlink(temp_.c_str());
  }
}

void ReplacingFileWriter::RefuseReadOnlyTarget() const {
  if (readOnly_ == ReadOnlyTarget::Keep && IsReadOnlyFile(target_)) {
    throw ReadOnlyFileError(kReadOnly + std::string(": ") + target_);
  }
}

void ReplacingFileWriter::Fail(int err) {
  throw UserError(FileErrorMessage(kCannotWrite, target_, err));
}

void ReplacingFileWriter::Write(std::string_view bytes) {
  buffer_.append(bytes);
  if (buffer_.size() >= kBufferLimit) {
    Flush();
  }
}

void ReplacingFileWriter::Flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0) {
      int err = errno;
      if (err == EINTR) {
        continue;
      }
      Fail(err);
    }
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

void ReplacingFileWriter::Commit() {
  Flush();
  RefuseReadOnlyTarget();  // made read-only while the bytes were written
  if (::fchmod(fd_, ModeFor(target_)) != 0 || ::fsync(fd_) != 0) {
    int err = errno;
    Fail(err);
  }
  // Renamed while still locked, so no clean-up can take it meanwhile.
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    Fail(errno);
  }
  committed_ = true;
  ::close(fd_);  // the bytes are on disk already (fsync above)
  fd_ = -1;
  SyncFolderOf(target_);
}

void ReplacingFileWriter::ReplaceWith(const std::string& path, std::string_view bytes,
                                      ReadOnlyTarget readOnly) {
  ReplacingFileWriter writer(path, readOnly);
  writer.Write(bytes);
  writer.Commit();
}

}  // namespace platform
