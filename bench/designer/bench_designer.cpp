// bench_designer [ELEMENTS]: the style designer offscreen on a style of
// ELEMENTS elements (default 500: frames, lines and texts in rows), timing
// what a person does to many elements at once, each with the repaint that
// follows: opening, selecting all, an arrow step of all, aligning them,
// setting a field of all, duplicating and deleting them, and undoing every
// step back to the file's bytes. Medians of several runs, in milliseconds.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "designer/core/ElementGeometry.h"
#include "designer/ui/DesignerCanvas.h"
#include "designer/ui/StyleDesigner.h"
#include "layout/qt/QtPictureDecoder.h"
#include "printing/core/Binding.h"
#include "printing/core/PrintState.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// A style of `count` elements: rows of a frame, a line and two texts.
std::string ManyElements(int count) {
  std::string style = "header;Ver1.1;0;0;9;0;0;100;0;\r\n";
  for (int i = 0; i < count; ++i) {
    int row = i / 4;
    double y = 10 + (row % 60) * 4.5;
    double x = 10 + (row / 60) * 2;
    std::string at = std::to_string(x) + ";" + std::to_string(y) + ";";
    switch (i % 4) {
      case 0:
        style += "0;0;0;0;rect;" + at + std::to_string(x + 180) + ";" + std::to_string(y + 4) +
                 ";0;;0;0;";
        break;
      case 1:
        style += "0;0;0;0;line;" + at + std::to_string(x + 180) + ";" + std::to_string(y + 4) +
                 ";0;;0;0;";
        break;
      default:
        style += "0;0;0;0;data;" + at + at + "0;0;0;0;f;9;;0;0;0;#ma_" +
                 std::to_string(row % 90 + 10) + ";0;0;";
    }
    style += "\r\n";
  }
  return style;
}

}  // namespace

int main(int argc, char** argv) {
  int elements = argc > 1 ? std::atoi(argv[1]) : 500;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  testsupport::TempDir folder;
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop desktop;
  layout::QtPictureDecoder pictures;
  printing::FixedClock clock{*printing::MakeDate(2026, 12, 7)};
  std::vector<std::string> list;
  printing::PrintState state{[&] {
                               printing::BindingData data;
                               data.sharedLines = &list;
                               return data;
                             },
                             clock};
  std::string style = ManyElements(elements);
  std::string path = folder.Write("many.sle", style);

  designer::DesignerServices s;
  s.dialogs = &dialogs;
  s.desktop = &desktop;
  s.pictures = &pictures;
  s.clock = &clock;
  s.settingsFile = folder.File("quillmark_wd.ini");
  s.metrics = printing::MetricsFromDots(printing::PdfPrinterDots());
  s.printState = &state;
  auto* window = new designer::StyleDesigner(s);
  window->resize(1180, 800);
  window->show();
  auto repaint = [&] { window->Canvas()->repaint(); };
  auto time = [&](const std::function<void()>& step, int runs = 7) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
      QElapsedTimer timer;
      timer.start();
      step();
      repaint();
      ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return Median(ms);
  };

  double open = time([&] { window->Open(QString::fromStdString(path)); }, 5);
  window->SetZoom(100);
  double selectAll = time([&] { window->Item(QStringLiteral("DesignSelectAll"))->trigger(); });
  std::size_t selected = window->Selection().size();
  double nudge = time([&] { window->Nudge(1, 0); });
  double align = time([&] { window->AlignSelected(designer::Alignment::Left); });
  double duplicateDelete = time([&] {
    window->DuplicateSelected();
    window->DeleteSelected();
    window->Item(QStringLiteral("DesignSelectAll"))->trigger();
  });
  int steps = window->UndoStack()->count();
  double undoAll = time(
      [&] {
        while (window->UndoStack()->canUndo()) {
          window->UndoStack()->undo();
        }
      },
      1);
  bool exact = window->Document().Bytes() == style;
  std::printf("elements                  %d (selected by Ctrl+A: %zu)\n", elements, selected);
  std::printf("open                      %.1f ms\n", open);
  std::printf("select all                %.1f ms\n", selectAll);
  std::printf("arrow step of all         %.1f ms\n", nudge);
  std::printf("align all left            %.1f ms\n", align);
  std::printf("duplicate + delete all    %.1f ms\n", duplicateDelete);
  std::printf("undo all %3d steps        %.1f ms, file bytes back: %s\n", steps, undoAll,
              exact ? "yes" : "NO");
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  window->close();
  return exact ? 0 : 1;
}
