// bench_designer [ELEMENTS]: the style designer offscreen on a style of
// ELEMENTS elements (default 500: frames, lines and texts in rows), timing
// what a person does to many elements at once, each with the repaint that
// follows: opening, selecting all, an arrow step of all, aligning them,
// setting a field of all, duplicating and deleting them, and undoing every
// step back to the file's bytes; then one list row of 25 elements repeated
// into 20 rows, and one card of 6 elements into a 4 x 10 label sheet.
// Medians of several runs, in milliseconds.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
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

// One row of a list: 11 fields of document 1, each with a frame, a line
// under them all and two rules: 25 elements.
std::string OneListRow() {
  std::string style =
      "header;Ver1.1;0;0;9;1;0;100;0;\r\n"
      "0;0;0;0;data;0;0;0;0;0;0;0;0;f;10;;0;0;0;#maxline=1;0;0;\r\n";
  const char* tags = "abcdefghijk";
  for (int i = 0; i < 11; ++i) {
    std::string x = std::to_string(10 + i * 25);
    std::string right = std::to_string(10 + i * 25 + 24);
    style +=
        "0;0;0;0;data;" + x + ";12;" + x + ";12;0;0;0;0;f;8;;0;0;0;#m" + tags[i] + "_01;0;20;\r\n";
    style += "0;0;0;0;rect;" + x + ";11;" + right + ";18;0;;0;0;\r\n";
  }
  style += "0;0;0;0;line;10;19;285;19;0;;0;0;\r\n";
  style += "0;0;0;0;line;10;10;10;19;0;;0;0;\r\n";
  style += "0;0;0;0;line;285;10;285;19;0;;0;0;\r\n";
  return style;
}

// One label of a sheet: a frame, a rule and four fields of
// document 1: 6 elements.
std::string OneLabel() {
  return "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
         "0;0;0;0;rect;8;13;56;38;0;;0;0;\r\n"
         "0;0;0;0;line;10;20;54;20;0;;0;0;\r\n"
         "0;0;0;0;data;10;15;10;15;0;0;0;0;f;9;;0;0;0;#mb_01;0;24;\r\n"
         "0;0;0;0;data;10;22;10;22;0;0;0;0;f;7;;0;0;0;#ma_01;0;30;\r\n"
         "0;0;0;0;data;10;27;10;27;0;0;0;0;f;7;;0;0;0;#me_01;0;30;\r\n"
         "0;0;0;0;data;10;32;10;32;0;0;0;0;f;7;;0;0;0;#mc_01;0;30;\r\n";
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

  // Repeats, each from the style as written and undone between runs (the
  // undo not timed): the step and its repaint.
  auto timeRepeat = [&](const std::string& name, const std::string& text, int across, int down,
                        double pitchX, double pitchY, std::size_t& made) {
    std::string at = folder.Write(name, text);
    window->Open(QString::fromStdString(at));
    std::vector<double> ms;
    for (int i = 0; i < 7; ++i) {
      window->Item(QStringLiteral("DesignSelectAll"))->trigger();
      QElapsedTimer timer;
      timer.start();
      window->RepeatSelected(across, down, layout::Fixed::FromRaw(std::llround(pitchX * 10000)),
                             layout::Fixed::FromRaw(std::llround(pitchY * 10000)));
      repaint();
      ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
      made = static_cast<std::size_t>(window->Document().PageEnd() - 1);
      window->UndoStack()->undo();
    }
    exact = exact && window->Document().Bytes() == text;
    return Median(ms);
  };
  std::size_t listElements = 0;
  std::size_t sheetElements = 0;
  double list20 = timeRepeat("row.sle", OneListRow(), 1, 20, 0, 9, listElements);
  double sheet = timeRepeat("label.sle", OneLabel(), 4, 10, 50, 27, sheetElements);
  std::printf("elements                  %d (selected by Ctrl+A: %zu)\n", elements, selected);
  std::printf("open                      %.1f ms\n", open);
  std::printf("select all                %.1f ms\n", selectAll);
  std::printf("arrow step of all         %.1f ms\n", nudge);
  std::printf("align all left            %.1f ms\n", align);
  std::printf("duplicate + delete all    %.1f ms\n", duplicateDelete);
  std::printf("undo all %3d steps        %.1f ms, file bytes back: %s\n", steps, undoAll,
              exact ? "yes" : "NO");
  std::printf("row of 25 to 20 rows      %.1f ms (%zu page lines)\n", list20, listElements);
  std::printf("label 4 x 10 of 6         %.1f ms (%zu page lines)\n", sheet, sheetElements);
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  window->close();
  return exact ? 0 : 1;
}
