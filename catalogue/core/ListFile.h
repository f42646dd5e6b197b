#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/ReplacingFileWriter.h"
#include "platform/text/Utf8.h"

// The document list file: one record per line, each field followed by ";",
// lines ended by CR LF, no quoting. It is code page 932, as it always was,
// when every value fits that; otherwise UTF-8 after a byte-order mark
// (EF BB BF). Readers take either and give the lines in UTF-8; the program
// holds them so.
namespace catalogue {

// Splits the file's bytes into lines: LF or CR LF ends a line, a CR not
// followed by LF is dropped, a byte 0x1A ends the file. A last line without a
// line break counts; an empty file has no lines. Lines come in UTF-8: after
// a byte-order mark as they are (ill-formed bytes "?"), otherwise decoded
// from code page 932.
std::vector<std::string> SplitListLines(std::string_view bytes);

// The byte-order mark that starts a list file written in UTF-8.
inline constexpr std::string_view kUtf8ListMark = platform::kUtf8ByteOrderMark;

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

// Whether a list line names a document (its first field is not empty): the
// lines of unreadable files do not, and are left out of what is printed.
bool NamesADocument(std::string_view line);

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

// How a list file is written.
enum class ListEncoding {
  // Code page 932 while every line fits it (byte for byte as the program
  // always wrote it); from the first line that does not, the whole file is
  // UTF-8 with the mark.
  Cp932WhereItFits,
  // UTF-8 with the mark, whatever the lines hold.
  Utf8,
};

// Writes a list file line by line (lines given in UTF-8), each line followed
// by CR LF, and replaces the old file whole on Commit(); without Commit()
// the old file stays.
class ListFileWriter : public LineSink {
 public:
  explicit ListFileWriter(const std::string& path,
                          ListEncoding encoding = ListEncoding::Cp932WhereItFits);
  void WriteLine(std::string_view line) override;
  void Commit() { file_->Commit(); }
  // Whether the file is being written in UTF-8.
  bool Utf8() const { return utf8_; }

 private:
  // Writes the lines so far again, in UTF-8 after the mark, into a new
  // temporary file, and goes on there.
  void BecomeUtf8();

  std::string path_;
  std::unique_ptr<platform::ReplacingFileWriter> file_;
  bool utf8_ = false;
};

// Replaces the list file at `path` with `lines`.
void WriteListFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace catalogue
