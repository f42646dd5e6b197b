// Feeds arbitrary bytes to the list-file reader (code page 932, or UTF-8
// after its mark) and what is done with its lines: storing them back,
// splitting into fields, the field cap, the grid's list lines and the CSV
// types. None may crash, read outside a buffer or run long
// (long fields, many bad characters); capping twice cuts nothing more.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/ListFile.h"
#include "commands/core/GridRows.h"
#include "platform/text/Cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string csv;
  std::string utf8Csv;
  for (std::string& line : catalogue::SplitListLines(bytes)) {
    // A line stored as code page 932 reads back as it was.
    if (std::optional<std::string> stored = platform::EncodeCp932Exactly(line)) {
      if (platform::DecodeCp932(*stored) != line) {
        std::abort();
      }
    }
    catalogue::CapRecordFields(line);
    if (catalogue::CapRecordFields(line)) {
      std::abort();  // a capped line holds no field over the limit
    }
    std::vector<std::string> cells;
    std::string rest = line;
    for (int field = 0; field < 12; ++field) {
      cells.push_back(catalogue::NextField(rest));
    }
    catalogue::GridRowLine(cells, ';');
    auto field = [&cells](int index) -> const std::string& { return cells.at(index); };
    commands::AppendCsvLine(field, csv);
    commands::AppendShiftJisCsvLine(field, csv);
    commands::AppendUtf8CsvLine(field, utf8Csv);
  }
  return 0;
}
