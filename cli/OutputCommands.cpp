#include "cli/OutputCommands.h"

#include <unistd.h>
#include <cerrno>
#include <optional>

#include "catalogue/core/DocumentList.h"
#include "cli/Arguments.h"
#include "cli/ExitCodes.h"
#include "cli/StreamOutput.h"
#include "commands/core/GridRows.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"

namespace cli {

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
  catalogue::DocumentList list;
  list.Load(listFile);
  std::string text =
      arguments.Has("--utf8") ? commands::CsvUtf8Text(list) : commands::CsvText(list);
  if (csvFile) {
    platform::ReplacingFileWriter::ReplaceWith(*csvFile, text);
  } else {
    WriteBytes(stdout, text);
  }
  return kExitOk;
}

}  // namespace cli
