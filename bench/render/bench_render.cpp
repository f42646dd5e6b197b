// bench_render: draws a dense report page (50 rows of the 11 document fields
// as data elements, ruled lines, a picture) onto an image at zoom 100 and
// 200, binds and draws it 1,000 times, and compares with filling the image.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "layout/qt/QtPictureDecoder.h"
#include "layout/qt/QtSurface.h"
#include "platform/text/Cp932.h"
#include "printing/core/Binding.h"
#include "printing/core/PageDrawing.h"
#include "tests/support/JpegWriter.h"
#include "tests/support/TempDir.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 50;
const char* const kTags[11] = {"#ma_", "#mb_", "#mc_", "#md_", "#me_", "#mf_",
                               "#mg_", "#mh_", "#mi_", "#mj_", "#mk_"};

std::vector<std::string> DenseStyle(const std::string& picture) {
  std::vector<std::string> lines = {"header;Ver1.1;0;0;9;0;0;100;0;"};
  auto sjis = [](const std::string& utf8) { return platform::Utf8ToCp932(utf8); };
  lines.push_back(sjis("0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;#maxline=50;0;0;"));
  lines.push_back(
      sjis("0;0;0;0;char;10;8;10;8;0.3;0.3;0;8421504;ＭＳ ゴシック;16;太字;0;0;0;"
           "#T #Y/#M/#D(#W) #pg;0;0;"));
  lines.push_back("0;0;0;0;image;170;2;25;0;1;0;0;" + picture + ";");
  for (int row = 1; row <= kRows; ++row) {
    double y = 20 + row * 5;
    std::string number = printing::RowNumberText(row);
    lines.push_back("0;0;0;0;line;5;" + std::to_string(y + 4.5) + ";200;" +
                    std::to_string(y + 4.5) + ";0;" + sjis("点線") + ";8421504;0;");
    for (int col = 0; col < 11; ++col) {
      double x = 5 + col * 17.5;
      lines.push_back(sjis("0;0;0;0;data;") + std::to_string(x) + ";" + std::to_string(y) + ";" +
                      std::to_string(x) + ";" + std::to_string(y) +
                      sjis(";0;0;0;0;ＭＳ 明朝;7;;0;0;0;") + kTags[col] + number + ";0;14;");
    }
  }
  return lines;
}

printing::BindingData DenseList() {
  printing::BindingData data;
  data.title = platform::Utf8ToCp932("文書一覧");
  data.folder = "/home/user/documents";
  for (int i = 0; i < kRows; ++i) {
    std::string n = std::to_string(i);
    data.listLines.push_back("doc" + n + ".doc;" + platform::Utf8ToCp932("文書の題名 ") + n +
                             ";2026/01/02 9:30:00;subject;" + platform::Utf8ToCp932("山田 太郎") +
                             ";keys;comment;" + platform::Utf8ToCp932("佐藤") +
                             ";3;;2025/12/24 15:00:00;");
  }
  return data;
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication application(argc, argv);
  testsupport::TempDir dir;
  std::string picture = dir.Write("logo.jpg", testsupport::MakeJpeg(400, 300));
  std::vector<std::string> style = DenseStyle(picture);
  printing::BindingData data = DenseList();
  printing::FixedClock today(*printing::MakeDate(2026, 12, 7));
  layout::QtPictureDecoder pictures;

  for (int zoom : {100, 200}) {
    int dpi = printing::PreviewResolution(layout::Fixed::FromInt(96), zoom);
    QImage image(static_cast<int>(200 * 96 / 25.4 * zoom / 100),
                 static_cast<int>(287 * 96 / 25.4 * zoom / 100), QImage::Format_RGB32);
    printing::PageSettings settings;
    settings.resolutionX = settings.resolutionY = layout::Fixed::FromInt(dpi);
    settings.previewPpi = dpi;
    settings.zoomPercent = zoom;

    std::vector<std::string> bound = style;
    printing::BindPageData(bound, 1, data, today);

    const int runs = 50;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < runs; ++i) {
      image.fill(Qt::white);
      QPainter painter(&image);
      layout::QtSurface surface(painter);
      printing::DrawPage(surface, bound, settings, &pictures);
    }
    double drawMs = Milliseconds(Clock::now() - start) / runs;

    start = Clock::now();
    for (int i = 0; i < runs; ++i) {
      image.fill(Qt::white);
    }
    double fillMs = Milliseconds(Clock::now() - start) / runs;
    std::printf("zoom %3d%%  %dx%d px  draw %.2f ms/page (%.0f pages/s)  fill floor %.3f ms\n",
                zoom, image.width(), image.height(), drawMs, 1000 / drawMs, fillMs);
  }

  // Bind and draw, 1,000 pages at zoom 100, as paging and printing do.
  QImage image(755, 1084, QImage::Format_RGB32);
  printing::PageSettings settings;
  const int pages = 1000;
  Clock::time_point start = Clock::now();
  for (int i = 0; i < pages; ++i) {
    std::vector<std::string> bound = style;
    printing::BindPageData(bound, 1, data, today);
    image.fill(Qt::white);
    QPainter painter(&image);
    layout::QtSurface surface(painter);
    printing::DrawPage(surface, bound, settings, &pictures);
  }
  double total = Milliseconds(Clock::now() - start);
  std::printf("bind+draw %d pages: %.2f ms/page (%.0f pages/s)\n", pages, total / pages,
              pages * 1000 / total);
  return 0;
}
