// quillmark_cli: the catalogue and report functions of the program, for
// scripts and for checking without a display.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CatalogueCommands.h"
#include "cli/ExitCodes.h"
#include "cli/OutputCommands.h"
#include "cli/ReportCommands.h"
#include "cli/StreamOutput.h"
#include "platform/files/UserError.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: quillmark_cli read FILE...\n"
    "       quillmark_cli scan FOLDER [-o LISTFILE]\n"
    "       quillmark_cli csv LISTFILE [-o CSVFILE]\n"
    "       quillmark_cli bind STYLE --list LISTFILE [--page N] [--title TEXT] [--folder TEXT]\n"
    "                          [--date YYYY-MM-DD]\n"
    "       quillmark_cli render STYLE -o OUT.png [--list LISTFILE] [--page N] [--title TEXT]\n"
    "                          [--folder TEXT] [--date YYYY-MM-DD] [--zoom PERCENT]\n"
    "                          [--screen-dpi DPI] [--no-offsets] [--printable WxH]\n"
    "       quillmark_cli print STYLE --list LISTFILE [-o OUT.pdf] [--title TEXT] [--folder TEXT]\n"
    "                          [--date YYYY-MM-DD] [--printer NAME]\n";

}  // namespace

int UsageError(const std::string& form) {
  std::fprintf(stderr, "usage: quillmark_cli %s\n", form.c_str());
  return kExitUsage;
}

void PrintMessage(const std::string& text) {
  std::string message;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    }
    message += text[i];
  }
  message += '\n';
  std::fflush(stdout);
  WriteBytes(stderr, message);
}

bool InputAndOutput(const std::vector<std::string>& args, std::optional<std::string>& input,
                    std::optional<std::string>& output) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size() && !output) {
      output = args[++i];
    } else if (!input && args[i] != "-o") {
      input = args[i];
    } else {
      return false;
    }
  }
  return input.has_value();
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  std::string verb = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (verb == "read") {
    return RunRead(args);
  }
  if (verb == "scan") {
    return RunScan(args);
  }
  if (verb == "csv") {
    return RunCsv(args);
  }
  if (verb == "bind") {
    return RunBind(args);
  }
  if (verb == "render") {
    return RunRender(args);
  }
  if (verb == "print") {
    return RunPrint(args);
  }
  std::fputs(kUsage, stderr);
  return kExitUsage;
}

}  // namespace cli

int main(int argc, char** argv) {
  int status = cli::kExitFailure;
  try {
    status = cli::Run(argc, argv);
  } catch (const platform::UserError& e) {
    cli::PrintMessage(std::string("quillmark_cli: ") + e.what());
  }
  // Output that could not be written (a full disk, a closed pipe) is a failure.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    cli::PrintMessage("quillmark_cli: 標準出力に書き込めません");
    return cli::kExitFailure;
  }
  return status;
}
