#include "printing/core/PrintState.h"

#include "layout/core/StyleFile.h"
#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/text/Cp932.h"
#include "printing/core/PageSetup.h"

namespace printing {

PrintState::PrintState(BindingSource binding, Clock& clock)
    : binding_(std::move(binding)), clock_(clock) {
  NewStyle();
}

PrintState::ReadStyle PrintState::ReadAndConvert(const std::string& path) {
  ReadStyle read;
  read.bytes = platform::ReadFileBytesIfExists(path, layout::kStyleFileLimit).value_or("");
  read.lines = layout::SplitStyleLines(read.bytes);
  // An older style is converted first, so its page capacity is found.
  layout::ConvertOlderStyle(read.lines);
  return read;
}

BoundPage PrintState::BindLines(std::vector<std::string> lines, int page) const {
  BindingData data = binding_ ? binding_() : BindingData{};
  // Pages are drawn from UTF-8, so that values CP932 lacks reach the page.
  for (std::string& line : lines) {
    line = platform::DecodeCp932(line);
  }
  BoundPage bound;
  BindingOutcome outcome = BindPageData(lines, page, data, clock_);
  bound.capacity = outcome.capacity;
  bound.pageAfter = outcome.lastPage ? 0 : page;
  // The header as binding left it.
  bound.header = layout::ReadHeaderValues(lines);
  bound.listRows = static_cast<long long>(data.Lines().size());
  bound.lines = std::move(lines);
  return bound;
}

BoundPage PrintState::Bind(int page) const {
  return BindLines(lines_, page);
}

void PrintState::TakePage(BoundPage page) {
  pageLines_ = std::move(page.lines);
  pageNumber_ = page.pageAfter;
  header_ = page.header;
  offsetX_ = header_.offsetX;
  offsetY_ = header_.offsetY;
  paperEntry_ = header_.paperEntry;
  orientation_ = header_.orientation;
  customPaper_ = header_.customPaper;
}

void PrintState::NewStyle() {
  path_.clear();
  bytes_.clear();
  lines_ = {layout::kNewStyleHeader};
  pageLines_ = lines_;
  // Nothing of the window's offsets and paper is a change to a file.
  header_ = {};
  header_.offsetX = offsetX_;
  header_.offsetY = offsetY_;
  header_.paperEntry = paperEntry_;
  header_.orientation = orientation_;
  header_.customPaper = customPaper_;
}

void PrintState::Load(const std::string& path) {
  ReadStyle read = ReadAndConvert(path);
  BoundPage page = BindLines(read.lines, pageNumber_);
  path_ = path;
  bytes_ = std::move(read.bytes);
  lines_ = std::move(read.lines);
  TakePage(std::move(page));
}

void PrintState::TakeSavedStyle(const std::string& path) {
  layout::HeaderValues before = header_;
  layout::Fixed x = offsetX_;
  layout::Fixed y = offsetY_;
  int entry = paperEntry_;
  int orientation = orientation_;
  std::optional<layout::CustomPaperSize> custom = customPaper_;
  Load(path);
  if (x != before.offsetX || y != before.offsetY) {
    SetOffsets(x, y);
  }
  // A paper the designer changed wins over one changed here.
  bool savedNewPaper = header_.paperEntry != before.paperEntry ||
                       header_.orientation != before.orientation ||
                       header_.customPaper != before.customPaper;
  if (!savedNewPaper && (entry != before.paperEntry || orientation != before.orientation ||
                         custom != before.customPaper)) {
    SetPaper(entry, orientation, custom);
  }
}

void PrintState::ShowPage() {
  TakePage(Bind(pageNumber_));
}

void PrintState::ShowPrintedPage(BoundPage page) {
  pageLines_ = std::move(page.lines);
  pageNumber_ = page.pageAfter;
}

void PrintState::SetOffsets(layout::Fixed x, layout::Fixed y) {
  offsetX_ = x;
  offsetY_ = y;
}

void PrintState::SetPaper(int paperEntry, int orientation,
                          std::optional<layout::CustomPaperSize> customPaper) {
  paperEntry_ = paperEntry;
  orientation_ = orientation;
  customPaper_ = paperEntry == layout::kCustomPaperEntry ? customPaper : std::nullopt;
}

void PrintState::StoreHeader(int zoomPercent) {
  std::string header = layout::StyleHeaderLine(offsetX_, offsetY_, paperEntry_, orientation_,
                                               zoomPercent, customPaper_);
  if (pageLines_.empty()) {
    pageLines_.push_back(header);
  } else {
    pageLines_[0] = header;
  }
}

void PrintState::SaveHeader(int zoomPercent, platform::ReadOnlyTarget readOnly) {
  // The file as it is now: only its header changes.
  std::vector<std::string> lines = layout::ReadStyleFile(path_);
  layout::ConvertOlderStyle(lines);
  std::string header = layout::StyleHeaderLine(offsetX_, offsetY_, paperEntry_, orientation_,
                                               zoomPercent, customPaper_);
  if (lines.empty()) {
    lines.push_back(header);
  } else {
    lines[0] = header;
  }
  platform::ReplacingFileWriter::ReplaceWith(path_, layout::StyleFileText(lines), readOnly);
}

}  // namespace printing
