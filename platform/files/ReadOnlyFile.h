#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A file opened for reading the one way documents and working files are:
// without blocking (a pipe or device put where a file was does not hold the
// open), closed on exec, never a controlling terminal, and looked at on the
// descriptor, so that what is read is the file that was checked, whatever
// is at the path by then.
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  // Never throws for the file's sake: Error() tells why it did not open.
  static ReadOnlyFile Open(const std::string& path);
  ~ReadOnlyFile() { Close(); }
  ReadOnlyFile(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }
  // The errno of the open or of the look at it; 0 once open.
  int Error() const { return error_; }
  bool Regular() const { return regular_; }
  bool Folder() const { return folder_; }
  // The size of a regular file when it was opened; 0 for anything else.
  std::uint64_t Size() const { return size_; }

  // Reads up to `size` bytes from `offset`, as many reads as it takes; fewer
  // at the end of the file or on an error.
  std::size_t ReadAt(std::uint64_t offset, char* out, std::size_t size) const;

  void Close();

 private:
  int fd_ = -1;
  int error_ = 0;
  bool regular_ = false;
  bool folder_ = false;
  std::uint64_t size_ = 0;
};

}  // namespace platform
