#include "cli/ReportCommands.h"

#include <unistd.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <optional>

#include "catalogue/core/ListFile.h"
#include "cli/Arguments.h"
#include "cli/ExitCodes.h"
#include "cli/StreamOutput.h"
#include "layout/core/StyleFile.h"
#include "layout/qt/FontSubstitutes.h"
#include "layout/qt/QtPictureDecoder.h"
#include "layout/qt/QtSurface.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/text/Cp932.h"
#include "platform/text/Utf8.h"
#include "printing/core/Binding.h"
#include "printing/core/ListFileCache.h"
#include "printing/core/PageDrawing.h"
#include "printing/core/PdfNames.h"
#include "printing/core/PrintRun.h"
#include "printing/core/PrintState.h"
#include "printing/qt/QtPrinter.h"

namespace cli {

namespace {

// The style operand and the options of a report verb.
struct Options {
  Arguments arguments;
  std::string style;

  bool Has(const std::string& name) const { return arguments.Has(name); }
  std::string Get(const std::string& name, const std::string& fallback = {}) const {
    return arguments.Get(name, fallback);
  }
};

Options ParseReportArguments(const std::vector<std::string>& args, const ArgumentRules& rules,
                             const std::vector<std::string>& required) {
  Options options{ParseArguments(args, rules), {}};
  RequireOperands(options.arguments, 1, "STYLE");
  options.style = options.arguments.operands[0];
  for (const std::string& name : required) {
    if (!options.Has(name)) {
      throw UsageFault("missing option: " + name);
    }
  }
  return options;
}

int NumberOption(const Options& options, const std::string& name, int fallback) {
  if (!options.Has(name)) {
    return fallback;
  }
  std::string text = options.Get(name);
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < -1000000 || value > 1000000) {
    throw UsageFault(name + ": not a number: " + text);
  }
  return static_cast<int>(value);
}

std::unique_ptr<printing::Clock> ClockFor(const Options& options) {
  if (!options.Has("--date")) {
    return std::make_unique<printing::SystemClock>();
  }
  int y = 0;
  int m = 0;
  int d = 0;
  char extra = 0;
  std::string text = options.Get("--date");
  std::optional<printing::CalendarDate> date;
  if (std::sscanf(text.c_str(), "%d-%d-%d%c", &y, &m, &d, &extra) == 3) {
    date = printing::MakeDate(y, m, d);
  }
  if (!date) {
    throw UsageFault("--date: not a date: " + text);
  }
  return std::make_unique<printing::FixedClock>(*date);
}

// A file the verb needs, said missing as a file that cannot be read.
void RequireFile(const std::string& path) {
  if (::access(path.c_str(), F_OK) != 0) {
    throw platform::UserError(platform::FileErrorMessage("ファイルを読み込めません", path, ENOENT));
  }
}

// The style of the options, read and bound for the page of --page.
printing::BoundPage ReadAndBind(const Options& options) {
  RequireFile(options.style);
  std::vector<std::string> listLines;
  if (options.Has("--list")) {
    std::optional<std::vector<std::string>> lines = catalogue::ReadListFile(options.Get("--list"));
    if (!lines) {
      throw platform::UserError(
          platform::FileErrorMessage("ファイルを読み込めません", options.Get("--list"), ENOENT));
    }
    for (std::string& line : *lines) {
      if (catalogue::NamesADocument(line)) {  // as the print leaves them out
        listLines.push_back(std::move(line));
      }
    }
  }
  printing::BindingData data;
  data.title = platform::ValidUtf8(options.Get("--title"));
  data.folder = platform::ValidUtf8(options.Get("--folder"));
  data.sharedLines = &listLines;
  std::unique_ptr<printing::Clock> clock = ClockFor(options);
  printing::PrintState state([&data] { return data; }, *clock);
  state.SetPageNumber(NumberOption(options, "--page", 1));
  state.Load(options.style);
  printing::BoundPage page;
  page.lines = state.PageLines();
  page.header.offsetX = state.OffsetX();
  page.header.offsetY = state.OffsetY();
  page.pageAfter = state.PageNumber();
  return page;
}

// A QGuiApplication for drawing, on the offscreen platform unless another
// is asked for.
class DrawingApplication {
 public:
  DrawingApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt's own notes (a missing runtime folder, font fallbacks) are not the
    // tool's output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
      }
    });
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    // Styles name Windows faces; the window and this tool draw them alike.
    layout::RegisterWindowsFontSubstitutes();
  }

 private:
  int argc_ = 1;
  char name_[14] = "quillmark_cli";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

// A new time-stamped PDF in the current folder, never an earlier one's name.
std::string NewPdfName() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::string path = printing::FirstFreePath(
      ".", printing::TimestampedPdfName(local),
      [](const std::string& candidate) { return ::access(candidate.c_str(), F_OK) == 0; });
  return path.substr(2);  // without the "./"
}

}  // namespace

int RunPrint(const std::vector<std::string>& args) {
  Options options = ParseReportArguments(
      args, {{"-o", "--list", "--title", "--folder", "--date", "--printer"}, {}}, {"--list"});
  RequireFile(options.style);
  DrawingApplication application;
  std::string pdf = options.Get("-o");
  if (pdf.empty() && !options.Has("--printer") && !printing::QtPrinter::HasSystemPrinter()) {
    pdf = NewPdfName();
  }
  std::string queue = options.Get("--printer");
  if (pdf.empty() && options.Has("--printer")) {
    // A queue that is not there is said so; printing never falls back to
    // another one.
    queue = printing::QtPrinter::CheckQueue(queue);
  }
  printing::QtPrinter printer(queue, pdf);
  printing::ListFileCache list(options.Get("--list"));
  std::unique_ptr<printing::Clock> clock = ClockFor(options);
  std::string title = platform::ValidUtf8(options.Get("--title"));
  std::string folder = platform::ValidUtf8(options.Get("--folder"));
  printing::PrintState state(
      [&] {
        printing::BindingData data;
        data.title = title;
        data.folder = folder;
        data.sharedLines = &list.Lines();  // read once for every page
        return data;
      },
      *clock);
  state.Load(options.style);
  layout::QtPictureDecoder pictures;
  printing::PrintInputs inputs;
  inputs.pictures = &pictures;
  std::vector<std::string> pictureFailures;
  inputs.pictureFailures = &pictureFailures;
  int pages = printing::PrintAllPages(printer, state, inputs);
  for (const std::string& failure : pictureFailures) {
    PrintMessage("quillmark_cli: " + failure);
  }
  std::fprintf(stderr, "pages: %d\n%s\n", pages, printer.Destination().c_str());
  if (!printer.RunWarning().empty()) {
    PrintMessage("quillmark_cli: " + printer.RunWarning());
  }
  // Printed, but not whole: as `read` does when a file gave a message.
  return pictureFailures.empty() ? kExitOk : kExitFailure;
}

int RunBind(const std::vector<std::string>& args) {
  Options options = ParseReportArguments(
      args, {{"--list", "--page", "--title", "--folder", "--date"}, {"--utf8"}}, {"--list"});
  printing::BoundPage bound = ReadAndBind(options);
  std::string text = layout::StyleFileText(bound.lines);
  WriteBytes(stdout, options.Has("--utf8") ? text : platform::Utf8ToCp932(text));
  std::fflush(stdout);
  std::fprintf(stderr, "page: %d\n", bound.pageAfter);
  return kExitOk;
}

int RunRender(const std::vector<std::string>& args) {
  Options options = ParseReportArguments(args,
                                         {{"-o", "--list", "--page", "--title", "--folder",
                                           "--date", "--zoom", "--screen-dpi", "--printable"},
                                          {"--no-offsets"}},
                                         {"-o"});
  int zoom = std::clamp(NumberOption(options, "--zoom", 100), 5, 200);
  int screenDpi = NumberOption(options, "--screen-dpi", 96);
  if (screenDpi <= 0 || screenDpi > 4800) {
    throw UsageFault("--screen-dpi: give a number from 1 to 4800");
  }
  double widthMm = 200;
  double heightMm = 287;
  if (options.Has("--printable")) {
    char extra = 0;
    if (std::sscanf(options.Get("--printable").c_str(), "%lfx%lf%c", &widthMm, &heightMm, &extra) !=
            2 ||
        widthMm <= 0 || heightMm <= 0 || widthMm > 2000 || heightMm > 2000) {
      throw UsageFault("--printable: give WxH in millimetres, each above 0 and at most 2000");
    }
  }
  printing::BoundPage bound = ReadAndBind(options);

  DrawingApplication application;

  // The printable area as the preview sizes it.
  double z = zoom / 100.0;
  int width = static_cast<int>(std::trunc(widthMm * screenDpi / 25.4 * z));
  int height = static_cast<int>(std::trunc(heightMm * screenDpi / 25.4 * z));
  if (static_cast<long long>(width) * height > 200LL * 1000 * 1000) {
    throw platform::UserError("画像が大きすぎます");
  }
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  if (image.isNull()) {
    throw platform::UserError("画像を作れません (メモリ不足)");
  }
  image.fill(Qt::white);

  printing::PageSettings settings;
  layout::Fixed screen = layout::Fixed::FromInt(screenDpi);
  int previewDpi = printing::PreviewResolution(screen, zoom);
  settings.resolutionX = settings.resolutionY = layout::Fixed::FromInt(previewDpi);
  settings.previewPpi = previewDpi;
  settings.zoomPercent = zoom;
  settings.screenResX = settings.screenResY = screen;
  settings.offsetBoxX = bound.header.offsetX;
  settings.offsetBoxY = bound.header.offsetY;
  settings.offsetsInPreview = !options.Has("--no-offsets");
  settings.styleFolder = printing::FolderOf(options.style);
  layout::QtPictureDecoder pictures;
  bool whole = true;
  {
    QPainter painter(&image);
    layout::QtSurface surface(painter);
    for (const std::string& failure :
         printing::DrawPage(surface, bound.lines, settings, &pictures)) {
      PrintMessage("quillmark_cli: " + failure);  // the rest of the page is drawn
      whole = false;
    }
  }
  if (!image.save(QString::fromLocal8Bit(options.Get("-o").c_str()), "PNG")) {
    throw platform::UserError(
        platform::FileErrorMessage("ファイルに書き込めません", options.Get("-o"), EIO));
  }
  std::fprintf(stderr, "page: %d\n", bound.pageAfter);
  return whole ? kExitOk : kExitFailure;
}

}  // namespace cli
