#include "cli/OutputCommands.h"

#include <unistd.h>
#include <cerrno>
#include <optional>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/ListFile.h"
#include "cli/Arguments.h"
#include "cli/ExitCodes.h"
#include "cli/StreamOutput.h"
#include "commands/core/GridRows.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"

namespace cli {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 20;  // written a megabyte at a time

}  // namespace

int RunCsv(const std::vector<std::string>& args) {
  Arguments arguments = ParseArguments(args, {{"-o"}, {"--utf8"}});
  RequireOperands(arguments, 1, "LISTFILE");
  const std::string& listFile = arguments.operands[0];
  std::optional<std::string> csvFile;
  if (arguments.Has("-o")) {
    csvFile = arguments.Get("-o");
  }
  if (::access(listFile.c_str(), F_OK) != 0) {
    throw platform::UserError(
        platform::FileErrorMessage("ファイルを読み込めません", listFile, ENOENT));
  }
  // Line by line from the list into the output, so a list of any size (up
  // to the list file's limit) never stands whole in memory, as a grid or as
  // text. The bytes are those the window writes for the same list.
  std::optional<platform::ReplacingFileWriter> file;
  if (csvFile) {
    file.emplace(*csvFile);
  }
  std::string chunk;
  auto flush = [&] {
    if (file) {
      file->Write(chunk);
    } else {
      WriteBytes(stdout, chunk);
    }
    chunk.clear();
  };
  bool utf8 = arguments.Has("--utf8");
  if (utf8) {
    chunk = commands::Utf8CsvStart();
  }
  std::vector<std::string> fields(catalogue::kRecordFieldCount);
  std::size_t changed = 0;  // values the Shift-JIS CSV could not hold whole
  catalogue::ForEachListLine(listFile, [&](std::string&& rest) {
    for (std::string& field : fields) {
      field = catalogue::NextField(rest);
    }
    if (fields[0].empty()) {
      return;  // no document: the grid walk passes it over
    }
    auto field = [&](int col) -> const std::string& {
      return fields[static_cast<std::size_t>(col)];
    };
    if (utf8) {
      commands::AppendUtf8CsvLine(field, chunk);
    } else {
      changed += commands::AppendShiftJisCsvLine(field, chunk);
    }
    if (chunk.size() >= kChunkBytes) {
      flush();
    }
  });
  flush();
  if (file) {
    file->Commit();
  }
  if (changed > 0) {
    PrintMessage("quillmark_cli: " + commands::LostCharactersMessage(changed));
  }
  return kExitOk;
}

}  // namespace cli
