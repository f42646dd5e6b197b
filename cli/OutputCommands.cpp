#include "cli/OutputCommands.h"

#include <cerrno>
#include <optional>

#include "app/core/ListGrid.h"
#include "cli/ExitCodes.h"
#include "cli/StreamOutput.h"
#include "commands/core/GridRows.h"
#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/files/UserError.h"

namespace cli {

namespace {

// Splits "INPUT [-o OUTPUT]" (the option in any place).
bool InputAndOutput(const std::vector<std::string>& args, std::string& input,
                    std::optional<std::string>& output) {
  std::optional<std::string> in;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size() && !output) {
      output = args[++i];
    } else if (!in && args[i] != "-o") {
      in = args[i];
    } else {
      return false;
    }
  }
  if (!in) {
    return false;
  }
  input = *in;
  return true;
}

}  // namespace

int RunCsv(const std::vector<std::string>& args) {
  std::string listFile;
  std::optional<std::string> csvFile;
  if (!InputAndOutput(args, listFile, csvFile)) {
    return UsageError("csv LISTFILE [-o CSVFILE]");
  }
  if (!platform::ReadFileBytesIfExists(listFile)) {
    throw platform::UserError(
        platform::FileErrorMessage("ファイルを読み込めません", listFile, ENOENT));
  }
  widgets::StringGridData grid = app::MakeListGrid();
  app::LoadDocumentList(listFile, grid);
  std::string text = commands::CsvText(grid);
  if (csvFile) {
    platform::ReplacingFileWriter::ReplaceWith(*csvFile, text);
  } else {
    WriteBytes(stdout, text);
  }
  return kExitOk;
}

}  // namespace cli
