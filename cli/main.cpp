// quillmark_cli: the catalogue and report functions of the program, for
// scripts and for checking without a display.

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/ole/LibraryLogs.h"
#include "cli/Arguments.h"
#include "cli/CatalogueCommands.h"
#include "cli/ExitCodes.h"
#include "cli/OutputCommands.h"
#include "cli/ReportCommands.h"
#include "cli/StreamOutput.h"
#include "platform/errors/UserError.h"
#include "platform/files/LocalTimeZone.h"
#include "platform/version/ProgramVersion.h"

namespace cli {

namespace {

// The verbs, each once: its name, its usage form, what it gives (for
// --help) and what runs it.
struct Verb {
  const char* name;
  const char* form;
  const char* gives;
  int (*run)(const std::vector<std::string>&);
};

const Verb kVerbs[] = {
    {"read", "read [--utf8] [--all-formats] FILE...", "the record line of each document", RunRead},
    {"scan",
     "scan FOLDER [-o LISTFILE] [--utf8] [--all-formats]\n"
     "                          [--recursive]",
     "the document list of a folder's *.doc, *.wrd and *.rtf files", RunScan},
    {"csv", "csv LISTFILE [-o CSVFILE] [--utf8]", "a document list as the program's CSV text",
     RunCsv},
    {"bind",
     "bind STYLE --list LISTFILE [--page N] [--title TEXT] [--folder TEXT]\n"
     "                          [--date YYYY-MM-DD] [--utf8]",
     "a style page with its tags filled from a document list", RunBind},
    {"render",
     "render STYLE -o OUT.png [--list LISTFILE] [--page N] [--title TEXT]\n"
     "                          [--folder TEXT] [--date YYYY-MM-DD] [--zoom PERCENT]\n"
     "                          [--screen-dpi DPI] [--no-offsets] [--printable WxH]",
     "a style page drawn as the preview draws it, as PNG", RunRender},
    {"print",
     "print STYLE --list LISTFILE [-o OUT.pdf] [--title TEXT] [--folder TEXT]\n"
     "                          [--date YYYY-MM-DD] [--printer NAME]",
     "every page of a report, to a printer or a PDF", RunPrint},
};

constexpr const char* kHelpDetails =
    "\n"
    "csv --utf8 writes UTF-8 with a byte-order mark and a heading row, as\n"
    "current spreadsheet programs open it.\n"
    "\n"
    "--all-formats reads Word 2007+ documents, Excel and PowerPoint files old\n"
    "and new, OpenDocument files (packed and flat), PDF files and the\n"
    "information of RTF files too, each by its content. scan --recursive lists\n"
    "the documents of the subfolders as well, named by their path.\n"
    "\n"
    "Records, lists and styles are code page 932 bytes; --utf8 writes them as\n"
    "UTF-8. Messages go to stderr. Exit status: 0 done, 1 a failure (read: a\n"
    "file that could not be read; scan: a folder without documents), 2 a usage\n"
    "error.\n"
    "\n"
    "  -h, --help     this text\n"
    "      --version  the program's name and version\n";

// What each verb gives, a line each, the names in a column of eight.
std::string VerbList() {
  std::string text = "\n";
  for (const Verb& verb : kVerbs) {
    std::string name = verb.name;
    text +=
        "  " + name + std::string(name.size() < 8 ? 8 - name.size() : 1, ' ') + verb.gives + "\n";
  }
  return text;
}

std::string UsageText() {
  std::string text;
  for (const Verb& verb : kVerbs) {
    text += text.empty() ? "usage: " : "       ";
    text += std::string("quillmark_cli ") + verb.form + "\n";
  }
  text += "       quillmark_cli --help | --version\n";
  return text;
}

const Verb* FindVerb(const std::string& name) {
  for (const Verb& verb : kVerbs) {
    if (name == verb.name) {
      return &verb;
    }
  }
  return nullptr;
}

int Usage(const std::string& fault, const std::string& usage) {
  std::fprintf(stderr, "quillmark_cli: %s\n%s", fault.c_str(), usage.c_str());
  return kExitUsage;
}

}  // namespace

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

int Run(int argc, char** argv) {
  std::vector<std::string> all(argv + 1, argv + argc);
  if (all.empty()) {
    return Usage("no verb given", UsageText());
  }
  const std::string& first = all[0];
  if (first == "-h" || first == "--help") {
    std::fputs((UsageText() + VerbList() + kHelpDetails).c_str(), stdout);
    return kExitOk;
  }
  if (first == "--version") {
    std::printf("quillmark_cli (ワード・クイルマーク) %s\n", platform::kProgramVersion);
    return kExitOk;
  }
  const Verb* verb = FindVerb(first);
  if (verb == nullptr) {
    return Usage(
        (first.size() > 1 && first[0] == '-' ? "unknown option: " : "unknown verb: ") + first,
        UsageText());
  }
  std::vector<std::string> args(all.begin() + 1, all.end());
  std::string usage = std::string("usage: quillmark_cli ") + verb->form + "\n";
  try {
    return verb->run(args);
  } catch (const HelpRequested&) {
    std::fputs(usage.c_str(), stdout);
    return kExitOk;
  } catch (const UsageFault& fault) {
    return Usage(fault.what(), usage);
  }
}

}  // namespace cli

int main(int argc, char** argv) {
  platform::NameLocalTimeZoneFile();
  // A file-size limit (ulimit -f) makes a write fail, which is reported,
  // instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  // Damaged documents make libgsf and GLib complain; the program says what
  // it could not read in its own words.
  catalogue::QuietLibraryLogs();
  int status = cli::kExitFailure;
  try {
    status = cli::Run(argc, argv);
  } catch (const std::exception& e) {
    // The program's own failures and any other (memory, the library) alike.
    cli::PrintMessage("quillmark_cli: " + platform::FailureText(e));
  }
  // Output that could not be written (a full disk, a closed pipe) is a failure.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    cli::PrintMessage("quillmark_cli: 標準出力に書き込めません");
    return cli::kExitFailure;
  }
  return status;
}
