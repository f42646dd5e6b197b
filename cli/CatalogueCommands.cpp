#include "cli/CatalogueCommands.h"

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/core/ScanMessages.h"
#include "catalogue/readers/ReaderWithSources.h"
#include "catalogue/scan/DocumentScan.h"
#include "cli/Arguments.h"
#include "cli/ExitCodes.h"
#include "cli/StreamOutput.h"

namespace cli {

int RunRead(const std::vector<std::string>& args) {
  Arguments arguments = ParseArguments(args, {{}, {"--utf8", "--all-formats"}});
  RequireOperands(arguments, 0, "FILE");
  StderrReporter reporter;
  catalogue::ReaderWithSources readers(reporter, arguments.Has("--all-formats")
                                                     ? catalogue::DocumentFormats::WithNewer
                                                     : catalogue::DocumentFormats::Classic);
  catalogue::DocumentReader& reader = readers.Reader();
  StdoutLineSink out(arguments.Has("--utf8"));
  for (const std::string& path : arguments.operands) {
    out.WriteLine(reader.ReadDocumentRecord(path));
  }
  return reporter.Count() == 0 ? kExitOk : kExitFailure;
}

int RunScan(const std::vector<std::string>& args) {
  Arguments arguments = ParseArguments(args, {{"-o"}, {"--utf8", "--all-formats", "--recursive"}});
  RequireOperands(arguments, 1, "FOLDER");
  const std::string& folder = arguments.operands[0];
  bool utf8 = arguments.Has("--utf8");
  bool allFormats = arguments.Has("--all-formats");
  catalogue::DocumentFormats formats =
      allFormats ? catalogue::DocumentFormats::WithNewer : catalogue::DocumentFormats::Classic;
  catalogue::Subfolders subfolders =
      arguments.Has("--recursive") ? catalogue::Subfolders::Included : catalogue::Subfolders::Left;

  std::vector<catalogue::LeftOutFolder> leftOut;
  std::vector<std::string> names =
      catalogue::ListDocumentFiles(folder, formats, subfolders, &leftOut);
  // The subfolders left out, named; one that could not be read fails the
  // scan (after its list is written), as a document that cannot be read
  // does not.
  bool folderUnread = false;
  for (const catalogue::LeftOutFolder& left : leftOut) {
    PrintMessage(catalogue::JoinPath(folder, left.folder) + ": " +
                 catalogue::MessageOnOneLine(left.reason));
    folderUnread = folderUnread || left.unreadable;
  }
  if (names.empty()) {
    std::size_t newer = allFormats ? 0
                                   : catalogue::ListDocumentFiles(
                                         folder, catalogue::DocumentFormats::WithNewer, subfolders)
                                         .size();
    PrintMessage(catalogue::EmptyFolderMessage(folder, formats, newer,
                                               "--all-formats を付けると一覧にできます。"));
    return kExitFailure;
  }

  StderrReporter reporter;
  catalogue::ReaderWithSources readers(reporter, formats);
  catalogue::ReaderMaker more = catalogue::MakerOfReadersWithSources(formats);
  if (arguments.Has("-o")) {
    // Code page 932 where every value fits it, as the program writes it;
    // UTF-8 with its mark when asked.
    catalogue::ListFileWriter file(
        arguments.Get("-o"),
        utf8 ? catalogue::ListEncoding::Utf8 : catalogue::ListEncoding::Cp932WhereItFits);
    catalogue::ScanDocuments(folder, names, readers.Reader(), file, {}, more);
    file.Commit();
  } else {
    StdoutLineSink out(utf8);
    catalogue::ScanDocuments(folder, names, readers.Reader(), out, {}, more);
  }
  return folderUnread ? kExitFailure : kExitOk;
}

}  // namespace cli
