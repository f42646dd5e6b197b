#pragma once

#include <functional>
#include <string>
#include <vector>

#include "layout/core/Fixed.h"
#include "layout/core/StyleVersion.h"
#include "platform/files/ReplacingFileWriter.h"
#include "printing/core/Binding.h"

namespace printing {

// One page of a style bound with the document list.
struct BoundPage {
  std::vector<std::string> lines;  // the style's lines with the page's tags filled, in UTF-8
  layout::HeaderValues header;     // read from the bound header line
  long long capacity = 0;          // the page capacity N the binding found
  int pageAfter = 0;               // the page number after binding: 0 after the last page
  long long listRows = 0;          // the lines of the document list
};

// What the print window prints and the designer edits: the style as read
// (its path, file bytes and lines brought to the current version), the page
// shown and its bound lines, and the offsets, paper entry and orientation
// the window uses, which the user may change without saving them. The only
// place a style is read, converted and bound; pages are bound from memory.
class PrintState {
 public:
  // Where a page's list lines, title and folder come from (asked each time
  // a page is bound), and the day the tags "#Y", "#M", "#D", "#W" take.
  using BindingSource = std::function<BindingData()>;
  PrintState(BindingSource binding, Clock& clock);

  // -- The style.

  // The default layout of a new style: one header line, no file, not bound.
  // Offsets and paper stay as they are.
  void NewStyle();
  // Reads the style file at `path` (a missing file is an empty style),
  // brings it to the current version, binds the current page and takes the
  // bound header's offsets, paper entry and orientation. Throws
  // platform::UserError when the file cannot be read or its header does not
  // convert; nothing changes then.
  void Load(const std::string& path);
  // Loads a style the designer has just saved at `path`. Offsets, paper or
  // orientation the user changed here and has not saved stay, unless the
  // designer saved another paper; the rest comes from the file's header, as
  // Load takes it.
  void TakeSavedStyle(const std::string& path);

  // The title, folder and list the pages are bound with now.
  BindingData CurrentBinding() const { return binding_ ? binding_() : BindingData{}; }

  // Whether a style file is loaded (rather than the default layout).
  bool StyleLoaded() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }
  // The style file's bytes as they were read.
  const std::string& Bytes() const { return bytes_; }
  // The style's lines at the current version, unbound.
  const std::vector<std::string>& Lines() const { return lines_; }

  // -- The page.

  // The page the next binding takes; 0 after the last page was bound.
  int PageNumber() const { return pageNumber_; }
  void SetPageNumber(int page) { pageNumber_ = page; }
  // Binds the page PageNumber() from memory and takes its header's offsets,
  // paper entry and orientation, as loading does (throws as binding does;
  // nothing changes then).
  void ShowPage();
  // Page `page` bound from memory; the state does not change.
  BoundPage Bind(int page) const;
  // Shows a page a print run bound, as the last printed: its lines and page
  // number; offsets and paper stay.
  void ShowPrintedPage(BoundPage page);
  // The lines drawn (UTF-8): the bound page, or the default layout.
  const std::vector<std::string>& PageLines() const { return pageLines_; }
  // The page data the designer's page is bound with.
  BindingData Binding() const { return binding_(); }

  // -- Offsets and paper.

  layout::Fixed OffsetX() const { return offsetX_; }
  layout::Fixed OffsetY() const { return offsetY_; }
  void SetOffsets(layout::Fixed x, layout::Fixed y);
  int PaperEntry() const { return paperEntry_; }
  int Orientation() const { return orientation_; }
  // The size of a custom paper (entry layout::kCustomPaperEntry).
  const std::optional<layout::CustomPaperSize>& CustomPaper() const { return customPaper_; }
  void SetPaper(int paperEntry, int orientation,
                std::optional<layout::CustomPaperSize> customPaper = std::nullopt);
  // Puts the header line of the offsets, paper, orientation and
  // `zoomPercent` into the page's line 0.
  void StoreHeader(int zoomPercent);
  // Writes the style file again with that header line in place of its own
  // (the rest as the file holds it now, brought to the current version);
  // loading it again is the caller's. Throws platform::UserError when the
  // file cannot be read or written, or is read-only and `readOnly` is Keep.
  void SaveHeader(int zoomPercent,
                  platform::ReadOnlyTarget readOnly = platform::ReadOnlyTarget::Keep);

 private:
  struct ReadStyle {
    std::string bytes;
    std::vector<std::string> lines;
  };
  static ReadStyle ReadAndConvert(const std::string& path);
  BoundPage BindLines(std::vector<std::string> lines, int page) const;
  void TakePage(BoundPage page);

  BindingSource binding_;
  Clock& clock_;
  std::string path_;
  std::string bytes_;
  std::vector<std::string> lines_;
  int pageNumber_ = 1;
  std::vector<std::string> pageLines_;
  // The header values of the page shown, as the file has them: what the
  // user's offsets and paper are compared with to tell unsaved changes.
  layout::HeaderValues header_;
  layout::Fixed offsetX_;
  layout::Fixed offsetY_;
  int paperEntry_ = 0;
  int orientation_ = 0;
  std::optional<layout::CustomPaperSize> customPaper_;
};

}  // namespace printing
