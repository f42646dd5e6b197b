#include "cli/CatalogueCommands.h"

#include <optional>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ListFile.h"
#include "cli/ExitCodes.h"
#include "cli/StreamOutput.h"
#include "platform/ole/MsoleSummarySource.h"

namespace cli {

namespace {

// Tells the reporter which file each message is about.
class NamingSource : public catalogue::SummaryStreamSource {
 public:
  NamingSource(catalogue::SummaryStreamSource& inner, StderrReporter& reporter)
      : inner_(inner), reporter_(reporter) {}
  catalogue::SummaryStream ReadSummaryStream(const std::string& path) override {
    reporter_.SetSubject(path);
    return inner_.ReadSummaryStream(path);
  }

 private:
  catalogue::SummaryStreamSource& inner_;
  StderrReporter& reporter_;
};

}  // namespace

int RunRead(const std::vector<std::string>& args) {
  if (args.empty()) {
    return UsageError("read FILE...");
  }
  platform::MsoleSummarySource ole;
  StderrReporter reporter;
  NamingSource source(ole, reporter);
  catalogue::DocumentReader reader(source, reporter);
  StdoutLineSink out;
  for (const std::string& path : args) {
    out.WriteLine(reader.ReadDocumentRecord(path));
  }
  return kExitOk;
}

int RunScan(const std::vector<std::string>& args) {
  std::optional<std::string> folder;
  std::optional<std::string> listFile;
  if (!InputAndOutput(args, folder, listFile)) {
    return UsageError("scan FOLDER [-o LISTFILE]");
  }

  std::vector<std::string> names = catalogue::ListDocumentFiles(*folder);
  if (names.empty()) {
    PrintMessage(catalogue::EmptyFolderMessage(*folder));
    return kExitFailure;
  }

  platform::MsoleSummarySource ole;
  StderrReporter reporter;
  NamingSource source(ole, reporter);
  catalogue::DocumentReader reader(source, reporter);
  if (listFile) {
    catalogue::ListFileWriter writer(*listFile);
    catalogue::ScanDocuments(*folder, names, reader, writer);
    writer.Commit();
  } else {
    StdoutLineSink out;
    catalogue::ScanDocuments(*folder, names, reader, out);
  }
  return kExitOk;
}

}  // namespace cli
