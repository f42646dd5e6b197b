#include "cli/ReportCommands.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "catalogue/core/ListFile.h"
#include "cli/ExitCodes.h"
#include "cli/StreamOutput.h"
#include "layout/core/StyleFile.h"
#include "layout/core/StyleVersion.h"
#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/files/UserError.h"
#include "platform/qt/QtPictureDecoder.h"
#include "platform/qt/QtSurface.h"
#include "platform/text/Cp932.h"
#include "printing/core/Binding.h"
#include "printing/core/PageDrawing.h"

namespace cli {

namespace {

constexpr const char* kBindForm =
    "bind STYLE --list LISTFILE [--page N] [--title TEXT] [--folder TEXT] [--date YYYY-MM-DD]";
constexpr const char* kRenderForm =
    "render STYLE -o OUT.png [--list LISTFILE] [--page N] [--title TEXT] [--folder TEXT] "
    "[--date YYYY-MM-DD] [--zoom PERCENT] [--screen-dpi DPI] [--no-offsets] [--printable WxH]";

// One positional argument and options, each given once; `flags` take no value.
struct Options {
  std::string style;
  std::map<std::string, std::string> values;

  bool Has(const std::string& name) const { return values.count(name) > 0; }
  std::string Get(const std::string& name, const std::string& fallback = {}) const {
    auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
  }
};

std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                    const std::vector<std::string>& valued,
                                    const std::vector<std::string>& flags) {
  Options options;
  bool haveStyle = false;
  auto contains = [](const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (contains(flags, arg) && !options.Has(arg)) {
      options.values[arg] = "";
    } else if (contains(valued, arg) && i + 1 < args.size() && !options.Has(arg)) {
      options.values[arg] = args[++i];
    } else if (!haveStyle && (arg.empty() || arg[0] != '-')) {
      options.style = arg;
      haveStyle = true;
    } else {
      return std::nullopt;
    }
  }
  if (!haveStyle) {
    return std::nullopt;
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
    throw platform::UserError(name + ": 数値ではありません: " + text);
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
    throw platform::UserError("--date: 日付ではありません: " + text);
  }
  return std::make_unique<printing::FixedClock>(*date);
}

// The style read, brought to the current version and bound for the page.
struct BoundStyle {
  std::vector<std::string> lines;
  layout::HeaderValues header;
  int pageAfter = 0;
};

BoundStyle ReadAndBind(const Options& options) {
  BoundStyle bound;
  bound.lines = layout::ReadStyleFile(options.style);
  layout::ConvertOlderStyle(bound.lines);
  printing::BindingData data;
  data.title = platform::Utf8ToCp932(options.Get("--title"));
  data.folder = platform::Utf8ToCp932(options.Get("--folder"));
  if (options.Has("--list")) {
    data.listLines = catalogue::SplitListLines(platform::ReadFileBytes(options.Get("--list")));
  }
  std::unique_ptr<printing::Clock> clock = ClockFor(options);
  bound.pageAfter = NumberOption(options, "--page", 1);
  printing::BindPageData(bound.lines, bound.pageAfter, data, *clock);
  bound.header = layout::ReadHeaderValues(bound.lines);
  return bound;
}

}  // namespace

int RunBind(const std::vector<std::string>& args) {
  std::optional<Options> options =
      ParseOptions(args, {"--list", "--page", "--title", "--folder", "--date"}, {});
  if (!options || !options->Has("--list")) {
    return UsageError(kBindForm);
  }
  BoundStyle bound = ReadAndBind(*options);
  WriteBytes(stdout, layout::StyleFileText(bound.lines));
  std::fflush(stdout);
  std::fprintf(stderr, "page: %d\n", bound.pageAfter);
  return kExitOk;
}

int RunRender(const std::vector<std::string>& args) {
  std::optional<Options> options = ParseOptions(args,
                                                {"-o", "--list", "--page", "--title", "--folder",
                                                 "--date", "--zoom", "--screen-dpi", "--printable"},
                                                {"--no-offsets"});
  if (!options || !options->Has("-o")) {
    return UsageError(kRenderForm);
  }
  int zoom = std::clamp(NumberOption(*options, "--zoom", 100), 5, 200);
  int screenDpi = NumberOption(*options, "--screen-dpi", 96);
  if (screenDpi <= 0) {
    throw platform::UserError("--screen-dpi: 正の数ではありません");
  }
  double widthMm = 200;
  double heightMm = 287;
  if (options->Has("--printable")) {
    char extra = 0;
    if (std::sscanf(options->Get("--printable").c_str(), "%lfx%lf%c", &widthMm, &heightMm,
                    &extra) != 2 ||
        widthMm <= 0 || heightMm <= 0 || widthMm > 2000 || heightMm > 2000) {
      throw platform::UserError("--printable: WxH (mm) ではありません");
    }
  }
  BoundStyle bound = ReadAndBind(*options);

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  int argc = 1;
  char name[] = "quillmark_cli";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  // The printable area as the preview sizes it.
  double z = zoom / 100.0;
  int width = static_cast<int>(std::trunc(widthMm * screenDpi / 25.4 * z));
  int height = static_cast<int>(std::trunc(heightMm * screenDpi / 25.4 * z));
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
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
  settings.offsetsInPreview = !options->Has("--no-offsets");
  platform::QtPictureDecoder pictures;
  {
    QPainter painter(&image);
    platform::QtSurface surface(painter);
    printing::DrawPage(surface, bound.lines, settings, &pictures);
  }
  if (!image.save(QString::fromLocal8Bit(options->Get("-o").c_str()), "PNG")) {
    throw platform::UserError(
        platform::FileErrorMessage("ファイルに書き込めません", options->Get("-o"), EIO));
  }
  std::fprintf(stderr, "page: %d\n", bound.pageAfter);
  return kExitOk;
}

}  // namespace cli
