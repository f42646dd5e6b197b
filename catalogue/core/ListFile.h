#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/ReplacingFileWriter.h"

// The document list file: one record per line, each field followed by ";",
// lines ended by CR LF, bytes as stored (code page 932), no quoting.
namespace catalogue {

inline constexpr const char* kListFileName = "excel_list.temp";

// Splits the file's bytes into lines: LF or CR LF ends a line, a CR not
// followed by LF is dropped, a byte 0x1A ends the file. A last line without a
// line break counts; an empty file has no lines.
std::vector<std::string> SplitListLines(std::string_view bytes);

// What a list file may hold: a larger one is refused with a message, never
// read into memory.
inline constexpr std::uint64_t kListFileLimit = std::uint64_t{1} << 30;  // 1 GiB
inline constexpr std::size_t kListLineLimit = 1000000;

// Hands the lines of the list file at `path` to `line` one by one, split as
// SplitListLines splits, without holding the file whole; false when it does
// not exist. A file that cannot be read or is over kListFileLimit bytes or
// kListLineLimit lines throws platform::UserError.
bool ForEachListLine(const std::string& path, const std::function<void(std::string&& line)>& line);

// The lines of the list file at `path`, or nothing when it does not exist;
// fails as ForEachListLine does.
std::optional<std::vector<std::string>> ReadListFile(const std::string& path);

// Takes the next field off the unread rest of a line: the text before the
// first ";", removed together with it. When the rest holds no ";", the field
// is empty and the rest stays as it is.
std::string NextField(std::string& rest);

// A grid row as a list line: each of the first eleven cells followed by ";",
// then the twelfth cell (empty when absent) followed by `tail` — ";" for the
// row-edit save, "," for the print hand-off. Cells are written as a record
// holds its values (RecordFieldText), so a ";" typed into a cell cannot shift
// the fields the print window reads.
std::string GridRowLine(const std::vector<std::string>& cells, char tail);

// Where a producer of list lines writes them.
class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void WriteLine(std::string_view line) = 0;
};

// Writes a list file line by line, each line followed by CR LF, and replaces
// the old file whole on Commit(); without Commit() the old file stays.
class ListFileWriter : public LineSink {
 public:
  explicit ListFileWriter(const std::string& path) : file_(path) {}
  void WriteLine(std::string_view line) override;
  void Commit() { file_.Commit(); }

 private:
  platform::ReplacingFileWriter file_;
};

// Replaces the list file at `path` with `lines`.
void WriteListFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace catalogue
