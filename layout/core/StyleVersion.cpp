#include "layout/core/StyleVersion.h"

#include "layout/core/RecordReader.h"

namespace layout {

namespace {

// Field k (from 1) of a record, as TakeField gives it.
std::string FieldOf(const std::string& line, int k) {
  RecordReader record(line);
  std::string field;
  for (int i = 0; i < k; ++i) {
    field = record.TakeField();
  }
  return field;
}

// The record with fields 6 and 7 repeated after field 7.
std::string WithSecondPoint(const std::string& line) {
  RecordReader record(line);
  std::string head;
  std::string x;
  std::string y;
  for (int i = 1; i <= 7; ++i) {
    std::string field = record.TakeField();
    head += field + ";";
    if (i == 6) {
      x = field;
    } else if (i == 7) {
      y = field;
    }
  }
  return head + x + ";" + y + ";" + record.Rest();
}

// The text after the first two fields of a record.
std::string AfterTwoFields(const std::string& line) {
  RecordReader record(line);
  record.TakeField();
  record.TakeField();
  return record.Rest();
}

}  // namespace

void ConvertOlderStyle(std::vector<std::string>& lines) {
  std::string version;
  for (std::string& line : lines) {
    if (line.empty()) {
      break;
    }
    if (version != kOlderVersion) {
      if (FieldOf(line, 1) == "header") {
        version = FieldOf(line, 2);
      }
      continue;
    }
    std::string keyword = FieldOf(line, 5);
    if (keyword == "char" || keyword == "data") {
      line = WithSecondPoint(line);
    }
  }
  if (version == kOlderVersion && !lines.empty()) {
    lines[0] = std::string("header;") + kCurrentVersion + ";" + AfterTwoFields(lines[0]);
  }
}

HeaderValues ReadHeaderValues(const std::vector<std::string>& lines) {
  HeaderValues values;
  RecordReader header(lines.empty() ? std::string() : lines[0]);
  header.TakeField();
  values.version = header.TakeField();
  values.offsetX = header.TakeDecimal();
  values.offsetY = header.TakeDecimal();
  values.paperEntry = header.TakeInteger();
  values.orientation = header.TakeIntegerOr0();
  if (values.paperEntry == kCustomPaperEntry) {
    // Fields 7 to 9 are not read; a size that is not one is no paper.
    std::vector<std::string> fields;
    for (int field = 7; field <= kCustomPaperHeightField; ++field) {
      fields.push_back(header.TakeField());
    }
    std::optional<Fixed> width = Fixed::Parse(fields[kCustomPaperWidthField - 7]);
    std::optional<Fixed> height = Fixed::Parse(fields[kCustomPaperHeightField - 7]);
    if (width && height && IsCustomPaperSize({*width, *height})) {
      values.customPaper = CustomPaperSize{*width, *height};
    }
  }
  return values;
}

bool IsCustomPaperSize(const CustomPaperSize& size) {
  auto within = [](Fixed side) {
    return side >= Fixed::FromInt(kCustomPaperLeast) && side <= Fixed::FromInt(kCustomPaperMost);
  };
  return within(size.widthMm) && within(size.heightMm);
}

std::string StyleHeaderLine(Fixed offsetX, Fixed offsetY, int paperEntry, int orientation,
                            int zoomPercent, const std::optional<CustomPaperSize>& custom) {
  std::string line = std::string("header;") + kCurrentVersion + ";" + offsetX.ToString() + ";" +
                     offsetY.ToString() + ";" + std::to_string(paperEntry) + ";" +
                     std::to_string(orientation) + ";0;" + std::to_string(zoomPercent) + ";0;";
  if (paperEntry == kCustomPaperEntry && custom) {
    line += custom->widthMm.ToString() + ";" + custom->heightMm.ToString() + ";";
  }
  return line;
}

}  // namespace layout
