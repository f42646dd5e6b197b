#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files/ReplacingFileWriter.h"

namespace designer {

// One line of a style file as it was read: its bytes (code page 932) and the
// line break that followed it ("\r\n", "\n", "\r", or "" for a last line
// without one).
struct StyleLine {
  std::string text;
  std::string lineBreak = "\r\n";

  friend bool operator==(const StyleLine&, const StyleLine&) = default;
};

// The lines of file bytes such that writing each text followed by its break
// gives the bytes back exactly. The texts are those the print window reads
// (layout::SplitStyleLines).
std::vector<StyleLine> SplitKeepingBreaks(std::string_view bytes);

// A style open in the designer. Lines the user does not touch keep their
// bytes and breaks, so saving an unchanged style writes the file it came from.
class StyleDocument {
 public:
  // The style of file bytes; an older "Ver1.0" style is brought to "Ver1.1"
  // in memory, as the print window reads it (only the lines that change).
  static StyleDocument FromBytes(std::string_view bytes);
  // A new style: a header on the paper of list entry `paperEntry` (A4 by
  // default) in `orientation` (0 portrait, 1 landscape) and no elements.
  static StyleDocument NewStyle(int paperEntry = kA4Entry, int orientation = 0);
  // The header line of a new A4 portrait style.
  static std::string NewHeader();
  static constexpr int kA4Entry = 9;
  // The fields of the header line (from 1) that hold the paper entry and
  // the orientation.
  static constexpr int kPaperField = 5;
  static constexpr int kOrientationField = 6;

  // The file bytes: each line and its break; a line that has no break but
  // is followed by another gets CR LF.
  std::string Bytes() const;
  // The texts, as the page drawing and binding take them.
  std::vector<std::string> Texts() const;

  int LineCount() const { return static_cast<int>(lines_.size()); }
  const std::string& Text(int index) const {
    return lines_.at(static_cast<std::size_t>(index)).text;
  }
  const std::vector<StyleLine>& Lines() const { return lines_; }
  // The first empty line, which ends the page (LineCount() when none): the
  // elements the page draws are lines 1 to PageEnd() - 1.
  int PageEnd() const;
  // Whether the bytes were an older style converted when read.
  bool ConvertedFromOlder() const { return converted_; }

  // Replaces `count` lines from `index` with `lines` (the one primitive every
  // edit is made of). Throws std::out_of_range for a range outside the lines.
  void Splice(int index, int count, const std::vector<StyleLine>& lines);

 private:
  std::vector<StyleLine> lines_;
  bool converted_ = false;
};

// Writes the document's bytes over `path` by replace-by-rename (throws
// platform::UserError naming the file when it cannot; a read-only file is
// replaced only with ReadOnlyTarget::Replace).
void SaveStyleDocument(const StyleDocument& document, const std::string& path,
                       platform::ReadOnlyTarget readOnly = platform::ReadOnlyTarget::Keep);

// Reads a style file for the designer (refuses a file over the style size
// limit, throws platform::UserError when it cannot be read).
StyleDocument OpenStyleDocument(const std::string& path);

}  // namespace designer
