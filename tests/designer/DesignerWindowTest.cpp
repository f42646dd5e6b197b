// The style designer on the offscreen platform: pointing, keys, the
// property panel, adding and deleting, undo, saving, and the print window
// that opens it.

#include "designer/ui/StyleDesigner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <cmath>
#include <functional>

#include "catalogue/core/ListFile.h"
#include "designer/core/RecordFields.h"
#include "designer/ui/DesignerCanvas.h"
#include "designer/ui/PropertyPanel.h"
#include "layout/core/StyleFile.h"
#include "layout/qt/QtPictureDecoder.h"
#include "layout/qt/QtSurface.h"
#include "platform/text/Cp932.h"
#include "printing/core/PageDrawing.h"
#include "printing/ui/PrintWindow.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/FakePrinter.h"
#include "tests/support/PrintWindowServicesForTests.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"
#include "widgets/SettingValues.h"

namespace designer {
namespace {

using testsupport::ReadAll;

std::string Sjis(const char* utf8) {
  return platform::Utf8ToCp932(utf8);
}

// The shipped A4 list style: line 2 is the report title at (10, 8), line 10
// the first row's file name in ＭＳ 明朝.
constexpr int kTitleLine = 2;
constexpr int kFirstColumnLine = 10;

struct Designer : ::testing::Test {
  testsupport::TempDir folder;
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop clipboard;
  layout::QtPictureDecoder pictures;
  printing::FixedClock clock{*printing::MakeDate(2026, 12, 7)};
  // The page is bound with 45 documents and the title "Report".
  std::vector<std::string> list = [] {
    std::vector<std::string> lines;
    for (int i = 1; i <= 45; ++i) {
      lines.push_back("doc" + std::to_string(i) + ".doc;T;2026/12/07 10:00;;A;;;;;;;");
    }
    return lines;
  }();
  printing::PrintState state{[this] {
                               printing::BindingData data;
                               data.title = "Report";
                               data.sharedLines = &list;
                               return data;
                             },
                             clock};
  std::string original;
  std::string stylePath;
  StyleDesigner* window = nullptr;

  void SetUp() override {
    original = ReadAll(std::string(QUILL_SOURCE_DIR) + "/resources/style/一覧表_A4縦.sle");
    ASSERT_FALSE(original.empty());
    stylePath = folder.Write("a4.sle", original);
  }
  void TearDown() override {
    if (window != nullptr) {
      dialogs.answers = {widgets::Dialogs::Answer::Second};  // leave without saving
      window->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  void Open(const std::string& path) {
    DesignerServices s;
    s.dialogs = &dialogs;
    s.desktop = &clipboard;
    s.pictures = &pictures;
    s.clock = &clock;
    s.settingsFile = folder.File("quillmark_wd.ini");
    s.styleFolder = QString::fromStdString(folder.path());
    s.metrics = printing::MetricsFromDots(printing::PdfPrinterDots());
    s.printState = &state;
    window = new StyleDesigner(std::move(s));
    window->resize(1100, 800);
    ASSERT_TRUE(window->Open(QString::fromStdString(path)));
    window->show();
    window->SetZoom(100);
    QApplication::processEvents();
  }

  std::string Field(int line, int field) const {
    return RecordFields(window->Document().Text(line)).Get(field);
  }
  QPoint At(double xMm, double yMm) const {
    auto mm = [](double v) { return layout::Fixed::FromRaw(static_cast<std::int64_t>(v * 10000)); };
    return window->Canvas()->ToPixel({mm(xMm), mm(yMm)});
  }
  std::string Saved() const { return ReadAll(stylePath); }

  // A person's first edits of the shipped style: the title 5 mm down, the
  // first column in ＭＳ ゴシック, a rounded box added and taken back.
  void EditTheTitleAColumnAndABox() {
    window->Select(kTitleLine);
    for (int i = 0; i < 5; ++i) {
      window->Nudge(0, 10);  // 5 mm down
    }
    window->Select(kFirstColumnLine);
    auto* face = qobject_cast<QComboBox*>(window->Panel()->Editor(14));
    ASSERT_NE(face, nullptr);
    face->setEditText(QStringLiteral("ＭＳ ゴシック"));
    emit face->lineEdit()->editingFinished();
    window->AddElementOfKind(ElementKind::RoundRect);
    window->UndoStack()->undo();
  }
};

TEST_F(Designer, AnUnchangedStyleIsSavedByteForByte) {
  Open(stylePath);
  EXPECT_FALSE(window->IsModified());
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(Saved(), original);
  EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('\n').toStdString();
}

TEST_F(Designer, ClickSelectsTheTopmostElementAndTabCyclesInRecordOrder) {
  Open(stylePath);
  DesignerCanvas* canvas = window->Canvas();
  QTest::mouseClick(canvas, Qt::LeftButton, {}, At(11, 9.5));
  EXPECT_EQ(window->Selected(), kTitleLine);
  // The header band's white heading text lies on its filled box and wins.
  QTest::mouseClick(canvas, Qt::LeftButton, {}, At(13, 29.5));
  EXPECT_EQ(KindOfLine(window->Document().Text(window->Selected())), ElementKind::Char);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, At(100, 33.5));
  EXPECT_EQ(KindOfLine(window->Document().Text(window->Selected())), ElementKind::RoundRect);
  // A dotted row line, by its distance.
  QTest::mouseClick(canvas, Qt::LeftButton, {}, At(100, 46.2));
  EXPECT_EQ(Field(window->Selected(), 5), "line");
  QTest::mouseClick(canvas, Qt::LeftButton, {}, At(205, 280));
  EXPECT_EQ(window->Selected(), -1);

  canvas->setFocus();
  QTest::keyClick(canvas, Qt::Key_Tab);
  int first = window->Selected();
  EXPECT_GT(first, 0);
  QTest::keyClick(canvas, Qt::Key_Tab);
  EXPECT_GT(window->Selected(), first);
  QTest::keyClick(canvas, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(window->Selected(), first);
}

TEST_F(Designer, ArrowKeysMoveByTenthsAndShiftByMillimetresAsOneUndoStep) {
  Open(stylePath);
  window->Select(kTitleLine);
  DesignerCanvas* canvas = window->Canvas();
  canvas->setFocus();
  QTest::keyClick(canvas, Qt::Key_Right);
  QTest::keyClick(canvas, Qt::Key_Right);
  QTest::keyClick(canvas, Qt::Key_Right);
  QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Field(kTitleLine, 6), "10.3");
  EXPECT_EQ(Field(kTitleLine, 7), "9");
  EXPECT_EQ(Field(kTitleLine, 8), "10.3");
  EXPECT_EQ(window->UndoStack()->count(), 1);
  EXPECT_TRUE(window->IsModified());
  window->UndoStack()->undo();
  EXPECT_EQ(window->Document().Bytes(), original);
  EXPECT_FALSE(window->IsModified());
}

TEST_F(Designer, DraggingMovesAndResizesOnTheMillimetreGrid) {
  Open(stylePath);
  window->SetSnap(true);
  DesignerCanvas* canvas = window->Canvas();
  QTest::mousePress(canvas, Qt::LeftButton, {}, At(11, 9.5));
  QTest::mouseMove(canvas, At(13, 11));
  QTest::mouseMove(canvas, At(16.1, 14.4));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, At(16.1, 14.4));
  EXPECT_EQ(Field(kTitleLine, 6), "15");
  EXPECT_EQ(Field(kTitleLine, 7), "13");
  EXPECT_EQ(window->UndoStack()->count(), 1);

  // The header band's right edge, by its handle.
  int band = 5;
  ASSERT_EQ(Field(band, 5), "rrect");
  window->Select(band);
  QTest::mousePress(canvas, Qt::LeftButton, {}, At(195, 30.5));
  QTest::mouseMove(canvas, At(190, 31));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, At(185.2, 31));
  EXPECT_EQ(Field(band, 8), "185");
  EXPECT_EQ(Field(band, 6), "10");
  EXPECT_EQ(Field(band, 7), "27");
  EXPECT_EQ(Field(band, 9), "34");
  EXPECT_EQ(window->UndoStack()->count(), 2);
  // A click without moving changes nothing.
  QTest::mouseClick(canvas, Qt::LeftButton, {}, At(100, 30));
  EXPECT_EQ(window->UndoStack()->count(), 2);
}

TEST_F(Designer, ThePanelEditsAFieldAndRefusesWhatTheReadersWouldNot) {
  Open(stylePath);
  window->Select(kFirstColumnLine);
  auto* face = qobject_cast<QComboBox*>(window->Panel()->Editor(14));
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->currentText(), QStringLiteral("ＭＳ 明朝"));
  face->setEditText(QStringLiteral("ＭＳ ゴシック"));
  emit face->lineEdit()->editingFinished();
  EXPECT_EQ(Field(kFirstColumnLine, 14), Sjis("ＭＳ ゴシック"));

  auto* x = qobject_cast<QLineEdit*>(window->Panel()->Editor(6));
  ASSERT_NE(x, nullptr);
  x->setText(QStringLiteral("12,5"));
  emit x->editingFinished();
  EXPECT_EQ(Field(kFirstColumnLine, 6), "12");
  ASSERT_FALSE(dialogs.shown.isEmpty());
  EXPECT_TRUE(dialogs.shown.back().startsWith(QStringLiteral("error: ")));
  EXPECT_EQ(x->text(), QStringLiteral("12"));  // the stored value again

  auto* text = qobject_cast<QLineEdit*>(window->Panel()->Editor(20));
  ASSERT_NE(text, nullptr);
  text->setText(QStringLiteral("a;b"));
  emit text->editingFinished();
  EXPECT_EQ(Field(kFirstColumnLine, 20), "#ma_01");
  EXPECT_EQ(window->UndoStack()->count(), 1);
}

TEST_F(Designer, AddedElementsGoLastOnThePageAndDeleteAndOrderUndoExactly) {
  Open(stylePath);
  int before = window->Document().LineCount();
  for (ElementKind kind : AddableKinds()) {
    if (kind == ElementKind::Image) {
      continue;  // asks for a file; below
    }
    window->AddElementOfKind(kind);
    EXPECT_EQ(window->Selected(), window->Document().LineCount() - 1);
    EXPECT_EQ(KindOfLine(window->Document().Text(window->Selected())), kind);
  }
  dialogs.openNames = {QString::fromStdString(folder.File("logo.jpg"))};
  window->AddElementOfKind(ElementKind::Image);
  EXPECT_EQ(Field(window->Selected(), 13), "logo.jpg");  // beside the style: no folder
  EXPECT_EQ(window->Document().LineCount(), before + 10);
  EXPECT_TRUE(window->StatusText().isEmpty() ||
              !window->StatusText().contains(QStringLiteral("描画できない")));

  int last = window->Selected();
  window->Item(QStringLiteral("DesignBackward"))->trigger();
  EXPECT_EQ(window->Selected(), last - 1);
  window->Item(QStringLiteral("DesignDuplicate"))->trigger();
  window->Item(QStringLiteral("DesignDelete"))->trigger();
  EXPECT_EQ(window->Selected(), -1);
  while (window->UndoStack()->canUndo()) {
    window->UndoStack()->undo();
  }
  EXPECT_EQ(window->Document().Bytes(), original);
  while (window->UndoStack()->canRedo()) {
    window->UndoStack()->redo();
  }
  EXPECT_EQ(window->Document().LineCount(), before + 10);
}

TEST_F(Designer, TagsGoIntoTheSelectedText) {
  Open(stylePath);
  window->Select(kTitleLine);
  window->Item(QStringLiteral("TagFL"))->trigger();
  EXPECT_EQ(Field(kTitleLine, 20), "#T#FL");
  window->findChild<QSpinBox*>(QStringLiteral("TagRow"))->setValue(7);
  window->Item(QStringLiteral("Tagmc"))->trigger();
  EXPECT_EQ(Field(kTitleLine, 20), "#T#FL#mc_07");
}

TEST_F(Designer, TheBoundPageFollowsTheListAndThePagingButtons) {
  Open(stylePath);
  window->SetShowData(true);
  EXPECT_EQ(window->BoundPage(), 1);
  EXPECT_FALSE(window->Item(QStringLiteral("PreviousPage"))->isEnabled());
  window->Item(QStringLiteral("NextPage"))->trigger();
  window->Item(QStringLiteral("NextPage"))->trigger();
  EXPECT_EQ(window->BoundPage(), 3);  // 45 rows, 20 a page
  EXPECT_FALSE(window->Item(QStringLiteral("NextPage"))->isEnabled());
  // Binding never reaches the document.
  EXPECT_EQ(window->Document().Bytes(), original);
}

TEST_F(Designer, ClosingWithChangesAsksToSaveDiscardOrGoBack) {
  Open(stylePath);
  window->Select(kTitleLine);
  window->Nudge(10, 0);
  dialogs.answers = {widgets::Dialogs::Answer::Third};
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  dialogs.answers = {widgets::Dialogs::Answer::First};
  QPointer<StyleDesigner> watch(window);
  EXPECT_TRUE(window->close());
  window = nullptr;
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watch.isNull());
  EXPECT_NE(Saved(), original);
  EXPECT_NE(Saved().find("char;11;8;11;8;"), std::string::npos);
}

TEST_F(Designer, ANewStyleIsSavedWhereTheUserSays) {
  Open("");
  EXPECT_EQ(window->Document().Bytes(), StyleDocument::NewHeader() + "\r\n");
  window->AddElementOfKind(ElementKind::RoundRect);
  dialogs.saveNames = {QString::fromStdString(folder.File("new.sle"))};
  ASSERT_TRUE(window->Save());
  ASSERT_EQ(dialogs.offeredNames.size(), 1);
  EXPECT_TRUE(dialogs.offeredNames[0].endsWith(QStringLiteral(".sle")));
  std::vector<std::string> lines = layout::ReadStyleFile(folder.File("new.sle"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(RecordFields(lines[1]).Get(5), "rrect");
  EXPECT_EQ(window->Path(), QString::fromStdString(folder.File("new.sle")));
}

// A picture chosen before the style had a folder is named from the folder
// the style is then saved in, so both can move together and still print.
TEST_F(Designer, APictureChosenBeforeTheFirstSaveTravelsWithTheStyle) {
  QDir().mkpath(QString::fromStdString(folder.File("job/img")));
  std::string picture = folder.File("job/img/logo.bmp");
  QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(picture));
  Open("");
  dialogs.openNames = {QString::fromStdString(picture)};
  window->AddElementOfKind(ElementKind::Image);
  ASSERT_EQ(window->Document().LineCount(), 2);
  EXPECT_EQ(Field(1, 13), picture);  // no folder yet: the whole name
  dialogs.saveNames = {QString::fromStdString(folder.File("job/card.sle"))};
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(Field(1, 13), "img/logo.bmp");
  EXPECT_EQ(RecordFields(layout::ReadStyleFile(folder.File("job/card.sle"))[1]).Get(13),
            "img/logo.bmp");
  auto* name = window->Panel()->Editor(13)->findChild<QLineEdit*>();
  ASSERT_NE(name, nullptr);
  window->Select(1);
  EXPECT_EQ(name->text(), QStringLiteral("img/logo.bmp"));  // the panel shows it as written
  EXPECT_FALSE(window->IsModified());
  // One step of its own, undone like any other.
  window->UndoStack()->undo();
  EXPECT_EQ(Field(1, 13), picture);

  // Moved with its picture to another folder, the style still finds it.
  ASSERT_EQ(::rename(folder.File("job").c_str(), folder.File("moved").c_str()), 0);
  std::vector<std::string> lines = layout::ReadStyleFile(folder.File("moved/card.sle"));
  ASSERT_EQ(lines.size(), 2u);
  QImage page(100, 100, QImage::Format_RGB32);
  QPainter painter(&page);
  layout::QtSurface surface(painter);
  printing::PageSettings settings;
  settings.styleFolder = folder.File("moved");
  EXPECT_TRUE(printing::DrawPage(surface, lines, settings, &pictures).empty());
}

// What the designer shows on its printable area is what the page drawing
// gives for the saved file.
// The style file's lines (code page 932) drawn as the preview draws them.
QImage DrawnPage(std::vector<std::string> lines, const printing::PreviewLayout& layout,
                 layout::PictureDecoder& pictures) {
  for (std::string& line : lines) {
    line = platform::DecodeCp932(line);
  }
  QImage image(layout.areaWidth, layout.areaHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(Qt::black);
  painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
  printing::PageSettings settings = printing::PreviewPageSettings(
      layout, 100, layout::Fixed::FromInt(96), layout::Fixed::FromInt(96),
      printing::MetricsFromDots(printing::PdfPrinterDots()));
  layout::QtSurface surface(painter);
  printing::DrawPage(surface, lines, settings, &pictures);
  return image;
}

TEST_F(Designer, MovedTitleNewFontAndUndoneBoxAreSavedAndDrawnAsShown) {
  Open(stylePath);
  EditTheTitleAColumnAndABox();
  ASSERT_TRUE(window->Save());

  std::vector<std::string> before = layout::SplitStyleLines(original);
  std::vector<std::string> after = layout::SplitStyleLines(Saved());
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (i == kTitleLine || i == kFirstColumnLine) {
      EXPECT_NE(before[i], after[i]);
    } else {
      EXPECT_EQ(before[i], after[i]) << i;
    }
  }
  EXPECT_EQ(RecordFields(after[kTitleLine]).Get(7), "13");

  printing::PreviewLayout layout =
      printing::LayoutPreview(printing::MetricsFromDots(printing::PdfPrinterDots()),
                              layout::Fixed::FromInt(window->logicalDpiX()),
                              layout::Fixed::FromInt(window->logicalDpiY()), 100);
  window->Select(-1);
  QImage shown = window->Canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QPoint origin = window->Canvas()->ToPixel({});
  QImage area = shown.copy(QRect(origin, QSize(layout.areaWidth, layout.areaHeight)));
  EXPECT_EQ(area, DrawnPage(after, layout, pictures));
  EXPECT_NE(area, DrawnPage(before, layout, pictures));
}

TEST_F(Designer, ACommandDuringADragEndsItAndLeavesTheDocumentWhole) {
  Open(stylePath);
  DesignerCanvas* canvas = window->Canvas();
  QTest::mousePress(canvas, Qt::LeftButton, {}, At(11, 9.5));
  QTest::mouseMove(canvas, At(30, 30));
  EXPECT_EQ(Field(kTitleLine, 6), "10");  // shown moved, not yet changed
  window->Item(QStringLiteral("DesignDelete"))->trigger();
  QTest::mouseMove(canvas, At(40, 40));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, At(40, 40));
  EXPECT_EQ(window->UndoStack()->count(), 1);  // the deletion only
  window->UndoStack()->undo();
  EXPECT_EQ(window->Document().Bytes(), original);

  // A release that never came: the next press starts afresh.
  QTest::mousePress(canvas, Qt::LeftButton, {}, At(11, 9.5));
  QTest::mouseMove(canvas, At(30, 30));
  QTest::mousePress(canvas, Qt::LeftButton, {}, At(100, 250));
  EXPECT_EQ(window->Document().Bytes(), original);
  EXPECT_FALSE(window->IsModified());
}

TEST_F(Designer, TextStillBeingTypedIsSavedAndCountsAsAChange) {
  Open(stylePath);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  window->Select(kTitleLine);
  QApplication::processEvents();  // the panel's new editors show
  auto* text = qobject_cast<QLineEdit*>(window->Panel()->Editor(20));
  ASSERT_NE(text, nullptr);
  text->setFocus();
  text->setText(QStringLiteral("題名 #T"));
  ASSERT_EQ(QApplication::focusWidget(), text);
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(Field(kTitleLine, 20), Sjis("題名 #T"));
  EXPECT_NE(Saved().find(Sjis("題名 #T")), std::string::npos);
}

TEST_F(Designer, AFileChangedElsewhereIsNotOverwrittenUnasked) {
  Open(stylePath);
  window->Select(kTitleLine);
  window->Nudge(10, 0);
  std::string elsewhere = "header;Ver1.1;5;5;9;0;0;100;0;" + original.substr(original.find("\r\n"));
  folder.Write("a4.sle", elsewhere);
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  EXPECT_FALSE(window->Save());
  EXPECT_EQ(Saved(), elsewhere);
  dialogs.answers = {widgets::Dialogs::Answer::First};
  EXPECT_TRUE(window->Save());
  EXPECT_NE(Saved().find("char;11;8;"), std::string::npos);
  EXPECT_TRUE(window->Save());  // now it is the file written here: no question
  EXPECT_EQ(dialogs.shown.size(), 2);
}

// One column restyled and moved as a person does it: several elements
// picked with Shift, changed together in one step each.
TEST_F(Designer, SeveralElementsAreChosenAndChangedTogetherInOneStepEach) {
  Open(stylePath);
  DesignerCanvas* canvas = window->Canvas();
  std::optional<ElementShape> title = ShapeOfLine(window->Document().Text(kTitleLine), nullptr);
  std::optional<ElementShape> column =
      ShapeOfLine(window->Document().Text(kFirstColumnLine), nullptr);
  ASSERT_TRUE(title && column);
  auto centre = [this](const ElementShape& shape) {
    return window->Canvas()->ToPixel(
        {layout::Fixed::Divide(shape.box.left + shape.box.right, layout::Fixed::FromInt(2)),
         layout::Fixed::Divide(shape.box.top + shape.box.bottom, layout::Fixed::FromInt(2))});
  };
  QTest::mouseClick(canvas, Qt::LeftButton, {}, centre(*title));
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, centre(*column));
  ASSERT_EQ(window->Selection().size(), 2u);
  EXPECT_EQ(window->Selected(), kFirstColumnLine);  // the panel shows the last one picked

  // An arrow run moves both, one undo step.
  window->Nudge(10, 0);
  window->Nudge(10, 0);
  EXPECT_EQ(window->UndoStack()->count(), 1);
  // A field set in the panel goes to both.
  auto* face = qobject_cast<QComboBox*>(window->Panel()->Editor(14));
  ASSERT_NE(face, nullptr);
  face->setEditText(QStringLiteral("ＭＳ ゴシック"));
  emit face->lineEdit()->editingFinished();
  EXPECT_EQ(Field(kTitleLine, 14), Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(Field(kFirstColumnLine, 14), Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(window->UndoStack()->count(), 2);
  EXPECT_EQ(window->Selection().size(), 2u);

  // Copied and pasted: two new elements 5 mm aside, selected.
  window->CopySelected();
  EXPECT_TRUE(clipboard.clipboard.contains(QStringLiteral("ＭＳ ゴシック")));
  int lines = window->Document().LineCount();
  window->Paste();
  EXPECT_EQ(window->Document().LineCount(), lines + 2);
  EXPECT_EQ(window->Selection().size(), 2u);
  window->DeleteSelected();
  EXPECT_EQ(window->Document().LineCount(), lines);

  EXPECT_TRUE(window->Selection().empty());

  // Shift-click takes one away again.
  window->SelectMany({kTitleLine, kFirstColumnLine});
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, centre(*column));
  EXPECT_EQ(window->Selection().size(), 1u);
  EXPECT_EQ(window->Selected(), kTitleLine);

  while (window->UndoStack()->canUndo()) {
    window->UndoStack()->undo();
  }
  EXPECT_EQ(window->Document().Bytes(), original);
}

// A row's four data fields and its dotted line chosen together: the line's
// colour goes to the line only (a text's field 12 is its rotation), and
// the panel says which fields the kinds do not share.
TEST_F(Designer, APanelFieldReachesOnlyTheElementsWhoseFieldMeansIt) {
  constexpr int kRowLine = 14;
  Open(stylePath);
  window->SelectMany({10, 11, 12, 13, kRowLine}, kRowLine);
  PropertyPanel* panel = window->Panel();
  EXPECT_TRUE(panel->findChild<QLabel*>(QStringLiteral("PropertyHeading"))
                  ->text()
                  .startsWith(QStringLiteral("5 個選択（2 種類）")));
  auto label = [panel](int field) {
    for (QLabel* label : panel->findChildren<QLabel*>()) {
      if (label->text().startsWith(QString::number(field) + QLatin1Char(' '))) {
        return label;
      }
    }
    return static_cast<QLabel*>(nullptr);
  };
  const QString differs = QStringLiteral("（種類により異なる）");
  for (int field : {6, 11, 12}) {  // a start point, the pen, the line's colour: not a text's
    ASSERT_NE(label(field), nullptr);
    EXPECT_FALSE(label(field)->isEnabled()) << field;
    EXPECT_TRUE(label(field)->text().endsWith(differs)) << field;
  }
  EXPECT_TRUE(label(2)->isEnabled());  // the spare fields every kind has
  EXPECT_FALSE(label(2)->text().endsWith(differs));

  auto* colour = panel->Editor(12)->findChild<QLineEdit*>();
  ASSERT_NE(colour, nullptr);
  colour->setText(QStringLiteral("255"));
  emit colour->editingFinished();
  EXPECT_EQ(Field(kRowLine, 12), "255");
  for (int line : {10, 11, 12, 13}) {
    EXPECT_EQ(Field(line, 12), "0") << line;
  }
  EXPECT_EQ(window->UndoStack()->count(), 1);
  window->UndoStack()->undo();
  EXPECT_EQ(window->Document().Bytes(), original);
}

// Fields by pointing: a tag dropped on the empty page is a new data
// element there; dropped on a text, it goes into that text.
TEST_F(Designer, TagsDroppedOnThePageOrIntoATextAndThePageCapacityApart) {
  Open(stylePath);
  auto* fields = window->findChild<QListWidget*>(QStringLiteral("FieldList"));
  ASSERT_NE(fields, nullptr);
  EXPECT_EQ(fields->count(), 18);  // seven tags and the eleven columns
  EXPECT_EQ(fields->item(7)->data(Qt::UserRole).toString(), QStringLiteral("#ma_01"));

  int lines = window->Document().LineCount();
  // A point of the page no element covers.
  MmPoint empty;
  bool found = false;
  for (int y = 280; y > 0 && !found; y -= 10) {
    for (int x = 10; x < 200 && !found; x += 10) {
      empty = {layout::Fixed::FromInt(x), layout::Fixed::FromInt(y)};
      found = !ElementAt(window->Document(), empty, layout::Fixed::FromInt(2), nullptr);
    }
  }
  ASSERT_TRUE(found);
  window->DropTag(empty, QStringLiteral("#FL"));
  ASSERT_EQ(window->Document().LineCount(), lines + 1);
  int added = window->Selected();
  EXPECT_EQ(Field(added, 5), "data");
  EXPECT_EQ(Field(added, 20), "#FL");
  EXPECT_EQ(Field(added, 6), DecimalText(empty.x));
  EXPECT_EQ(window->UndoStack()->count(), 1);

  std::optional<ElementShape> title = ShapeOfLine(window->Document().Text(kTitleLine), nullptr);
  ASSERT_TRUE(title);
  std::string before = Field(kTitleLine, 20);
  window->DropTag({title->box.left, title->box.top}, QStringLiteral("#Y"));
  EXPECT_EQ(Field(kTitleLine, 20), before + "#Y");

  // The page capacity never goes into the selected text.
  window->Select(kTitleLine);
  window->Item(QStringLiteral("Tagmaxline"))->trigger();
  EXPECT_EQ(Field(kTitleLine, 20), before + "#Y");
  EXPECT_TRUE(window->Problems().empty());
  while (window->UndoStack()->canUndo()) {
    window->UndoStack()->undo();
  }
  EXPECT_EQ(window->Document().Bytes(), original);
}

// Written values with one decimal at most: what every pointer and key
// edit leaves.
bool InTenths(const std::string& value) {
  std::size_t point = value.find('.');
  return point == std::string::npos || value.size() - point <= 2;
}

double Number(const std::string& value) {
  return std::stod(value);
}

// The pointer's whole drag, with the keys held all along.
void DragOnPage(DesignerCanvas* canvas, QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
  QTest::mousePress(canvas, Qt::LeftButton, keys, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), canvas->mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::LeftButton, keys);
  QApplication::sendEvent(canvas, &move);
  QTest::mouseRelease(canvas, Qt::LeftButton, keys, to);
}

// A box from an older program's drags, and a second one out of the way.
TEST_F(Designer, PointerAndKeyEditsWriteTenthsTheGridOrAGuide) {
  std::string boxes =
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;rect;20.0004;20.0004;60.0004;40.0004;0;;0;0;\r\n"
      "0;0;0;0;rect;100;100;140;120;0;;0;0;\r\n";
  std::string path = folder.Write("noisy.sle", boxes);
  Open(path);
  window->SetElementSnap(false);
  DesignerCanvas* canvas = window->Canvas();
  auto corner = [&] { return std::pair{Number(Field(1, 6)), Number(Field(1, 7))}; };
  auto allInTenths = [&](int line) {
    for (int field = 6; field <= 9; ++field) {
      EXPECT_TRUE(InTenths(Field(line, field))) << Field(line, field);
    }
  };

  // Without the grid: wherever the pointer's pixels put it, tenths.
  DragOnPage(canvas, At(20, 30), At(33.37, 47.91));
  allInTenths(1);
  EXPECT_NEAR(corner().first, 33.37, 0.4);

  // A 5 mm grid, chosen in the menu and kept for the next window.
  window->Item(QStringLiteral("SnapGrid"))->setChecked(true);
  window->Item(QStringLiteral("GridStep50"))->trigger();
  EXPECT_TRUE(window->Item(QStringLiteral("GridStep50"))->isChecked());
  EXPECT_EQ(
      widgets::ReadSettingInteger(folder.File("quillmark_wd.ini"), "fstyledesign", "GridStep", 0),
      50);
  auto [x, y] = corner();
  DragOnPage(canvas, At(x, y + 4), At(x + 7.3, y + 4 + 3.1));
  EXPECT_EQ(std::fmod(corner().first, 5.0), 0.0) << Field(1, 6);
  EXPECT_EQ(std::fmod(corner().second, 5.0), 0.0) << Field(1, 7);
  allInTenths(1);

  // Alt held: the grid lets go, the values stay in tenths.
  std::tie(x, y) = corner();
  DragOnPage(canvas, At(x, y + 4), At(x + 2.3, y + 4 + 1.6), Qt::AltModifier);
  EXPECT_NEAR(corner().first, x + 2.3, 0.4);
  EXPECT_NEAR(corner().second, y + 1.6, 0.4);
  allInTenths(1);

  // A field dropped from the list lands on the grid too.
  window->DropTag({layout::Fixed::FromRaw(1603000), layout::Fixed::FromRaw(2007000)},
                  QStringLiteral("#FL"));
  int dropped = window->Selected();
  EXPECT_EQ(Field(dropped, 6), "160");
  EXPECT_EQ(Field(dropped, 7), "200");
  window->UndoStack()->undo();

  // A guide pulled out of the left ruler; without the grid the box's left
  // edge meets it when near.
  window->Item(QStringLiteral("SnapGrid"))->setChecked(false);
  QWidget* ruler = window->findChild<QWidget*>(QStringLiteral("RulerDown"));
  ASSERT_NE(ruler, nullptr);
  QPoint onRuler(ruler->width() / 2, ruler->height() / 2);
  // Let go over the middle of the page's view.
  QWidget* view = canvas->parentWidget();
  QPoint onPage = ruler->mapFromGlobal(view->mapToGlobal(view->rect().center()));
  MmPoint there = canvas->ToMm(canvas->mapFromGlobal(view->mapToGlobal(view->rect().center())));
  // The ruler keeps the pointer while the button is held, wherever it goes.
  for (auto [type, at] :
       {std::pair{QEvent::MouseButtonPress, onRuler}, std::pair{QEvent::MouseMove, onPage},
        std::pair{QEvent::MouseButtonRelease, onPage}}) {
    QMouseEvent event(type, QPointF(at), ruler->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
    QApplication::sendEvent(ruler, &event);
  }
  ASSERT_EQ(canvas->GuidesX().size(), 1u);
  EXPECT_EQ(canvas->GuidesX().front(), SnapTo(there.x, layout::Fixed::FromRaw(1000)));
  std::string guide = DecimalText(canvas->GuidesX().front());
  std::tie(x, y) = corner();
  DragOnPage(canvas, At(x, y + 4), At(Number(canvas->GuidesX().front().ToString()) + 0.5, y + 4));
  EXPECT_EQ(Field(1, 6), guide);
  window->Item(QStringLiteral("ClearGuides"))->trigger();
  EXPECT_TRUE(canvas->GuidesX().empty());

  // Shift+Alt+arrows: 1 mm wider three times and 0.1 mm higher with Ctrl,
  // one undo step.
  window->Select(2);
  canvas->setFocus();
  int steps = window->UndoStack()->count();
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier | Qt::AltModifier);
  }
  QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier);
  EXPECT_EQ(Field(2, 8), "143");
  EXPECT_EQ(Field(2, 9), "120.1");
  EXPECT_EQ(Field(2, 6), "100");
  EXPECT_EQ(window->UndoStack()->count(), steps + 1);

  while (window->UndoStack()->canUndo()) {
    window->UndoStack()->undo();
  }
  EXPECT_EQ(window->Document().Bytes(), boxes);
}

// Answers the next modal dialog: `fill` sets its fields, then OK.
void AnswerNextDialog(std::function<void(QDialog*)> fill) {
  QTimer::singleShot(0, [fill = std::move(fill)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    fill(dialog);
    dialog->accept();
  });
}

// A list of twenty rows built from its first: the shipped list cut after
// row 1 and its dotted line, holding one row.
TEST_F(Designer, ARowRepeatedBecomesAListOfTwentyInOneStep) {
  StyleDocument shipped = StyleDocument::FromBytes(original);
  std::string oneRow;
  for (int i = 0; i <= 14; ++i) {
    std::string text = shipped.Text(i);
    if (text.find("#maxline=20") != std::string::npos) {
      text.replace(text.find("#maxline=20"), 11, "#maxline=1");
    }
    oneRow += text + "\r\n";
  }
  std::string path = folder.Write("one_row.sle", oneRow);
  Open(path);
  // The row's four fields and its line, taken in by one rubber band.
  DragOnPage(window->Canvas(), At(5, 36), At(199, 47));
  ASSERT_EQ(window->Selection(), (std::vector<int>{10, 11, 12, 13, 14}));

  AnswerNextDialog([](QDialog* dialog) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("DesignRepeatDialog"));
    dialog->findChild<QSpinBox*>(QStringLiteral("RepeatDown"))->setValue(20);
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("RepeatPitchY"))->setValue(12);
  });
  window->Item(QStringLiteral("DesignRepeat"))->trigger();
  EXPECT_EQ(window->UndoStack()->count(), 1);
  EXPECT_EQ(window->Selection().size(), 100u);
  EXPECT_EQ(Field(1, 20), "#maxline=20");
  // Row 20 is 19 pitches down, as in the shipped list.
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(shipped.Text(10 + 19 * 5 + i).substr(0, 40),
              window->Document().Text(10 + 19 * 5 + i).substr(0, 40));
  }
  EXPECT_EQ(Field(10 + 19 * 5 + 1, 20), "#mb_20");
  EXPECT_TRUE(window->Problems().empty());

  // One more row: no question, the style's own pitch.
  window->SelectMany(
      {10 + 19 * 5, 10 + 19 * 5 + 1, 10 + 19 * 5 + 2, 10 + 19 * 5 + 3, 10 + 19 * 5 + 4});
  window->Item(QStringLiteral("DesignNextRow"))->trigger();
  EXPECT_EQ(Field(1, 20), "#maxline=21");
  EXPECT_EQ(Field(window->Selection().front(), 20), "#ma_21");
  EXPECT_EQ(Field(window->Selection().front(), 7), "277.5");
  EXPECT_EQ(window->UndoStack()->count(), 2);
  while (window->UndoStack()->canUndo()) {
    window->UndoStack()->undo();
  }
  EXPECT_EQ(window->Document().Bytes(), oneRow);

  // With one row only, the next row's pitch is asked.
  window->SelectMany({10, 11, 12, 13, 14});
  AnswerNextDialog([](QDialog* dialog) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("DesignRowPitchDialog"));
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("RowPitch"))->setValue(12.5);
  });
  window->Item(QStringLiteral("DesignNextRow"))->trigger();
  EXPECT_EQ(Field(window->Selection().front(), 7), "50");
  EXPECT_EQ(Field(window->Selection().front(), 20), "#ma_02");
}

// 新規 and ひな形から新規: an unnamed style, the edits before asked about,
// the template never written; the paper list without its reserved codes.
TEST_F(Designer, NewAndTemplateStylesStartUnnamedAndLeaveTheTemplateAlone) {
  folder.Write("pic.bmp", "BM");
  std::string card = folder.Write(
      "card.sle",
      "header;Ver1.1;0;0;13;1;0;100;0;\r\n0;0;0;0;image;10;10;40;30;1;0;0;pic.bmp;\r\n");
  Open(stylePath);
  EXPECT_EQ(window->Item(QStringLiteral("DesignNew"))->shortcut(), QKeySequence(QKeySequence::New));
  window->Select(kTitleLine);
  window->Nudge(10, 0);
  dialogs.answers = {widgets::Dialogs::Answer::Third};  // 戻る
  window->Item(QStringLiteral("DesignNew"))->trigger();
  EXPECT_EQ(window->Path(), QString::fromStdString(stylePath));
  EXPECT_TRUE(window->IsModified());
  dialogs.answers = {widgets::Dialogs::Answer::Second};  // 保存しない
  window->StartNewStyle();
  EXPECT_TRUE(window->Path().isEmpty());
  EXPECT_EQ(window->Document().LineCount(), 1);
  EXPECT_EQ(Saved(), original);

  QStringList templates = window->Templates();
  ASSERT_TRUE(templates.contains(QString::fromStdString(card)))
      << templates.join(' ').toStdString();
  window->StartFromTemplate(QString::fromStdString(card));
  EXPECT_TRUE(window->Path().isEmpty());
  EXPECT_EQ(Field(1, 13), folder.File("pic.bmp"));  // found wherever it is saved
  window->Select(1);
  window->Nudge(10, 0);
  std::string copy = folder.File("mine.sle");
  dialogs.saveNames = {QString::fromStdString(copy)};
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(window->Path(), QString::fromStdString(copy));
  EXPECT_EQ(testsupport::ReadAll(card),
            "header;Ver1.1;0;0;13;1;0;100;0;\r\n0;0;0;0;image;10;10;40;30;1;0;0;pic.bmp;\r\n");
  // Saved beside the picture, the copy names it from its own folder again.
  EXPECT_NE(testsupport::ReadAll(copy).find(";pic.bmp;"), std::string::npos);

  AnswerNextDialog([](QDialog* dialog) {
    auto* papers = dialog->findChild<QComboBox*>(QStringLiteral("DesignPaperBox"));
    ASSERT_NE(papers, nullptr);
    EXPECT_EQ(papers->findData(48), -1);
    EXPECT_EQ(papers->findData(49), -1);
    EXPECT_NE(papers->findData(47), -1);
  });
  window->Item(QStringLiteral("DesignPageSetup"))->trigger();

  // A paper of its own size: a card 100 x 148.5 mm, turned, one step.
  int steps = window->UndoStack()->count();
  AnswerNextDialog([](QDialog* dialog) {
    auto* papers = dialog->findChild<QComboBox*>(QStringLiteral("DesignPaperBox"));
    auto* width = dialog->findChild<QDoubleSpinBox*>(QStringLiteral("DesignPaperWidth"));
    ASSERT_NE(width, nullptr);
    EXPECT_FALSE(width->isEnabled());
    papers->setCurrentIndex(papers->findData(layout::kCustomPaperEntry));
    EXPECT_TRUE(width->isEnabled());
    width->setValue(100);
    dialog->findChild<QDoubleSpinBox*>(QStringLiteral("DesignPaperHeight"))->setValue(148.5);
    for (QRadioButton* turn : dialog->findChildren<QRadioButton*>()) {
      turn->setChecked(turn->text().startsWith(QStringLiteral("横")));
    }
  });
  window->Item(QStringLiteral("DesignPageSetup"))->trigger();
  EXPECT_EQ(window->Document().Text(0), "header;Ver1.1;0;0;256;1;0;100;0;100;148.5;");
  EXPECT_EQ(window->Sheet().sheetWidthMm, 148);  // 148.5 to even
  EXPECT_EQ(window->Sheet().sheetHeightMm, 100);
  EXPECT_EQ(window->UndoStack()->count(), steps + 1);
  // A size no printer would take is refused, the header kept.
  window->SetPaper(layout::kCustomPaperEntry, 0,
                   layout::CustomPaperSize{layout::Fixed::FromInt(5), layout::Fixed::FromInt(5)});
  EXPECT_EQ(window->Document().Text(0), "header;Ver1.1;0;0;256;1;0;100;0;100;148.5;");
}

// Placing by eye: a moved element meets another's edge (a guide shows it
// while dragging); rulers, zoom to the selection and the page's menu.
TEST_F(Designer, MovesMeetOtherElementsAndThePageHasRulersZoomAndAMenu) {
  std::string boxes =
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;rect;20;20;60;40;0;;0;0;\r\n"
      "0;0;0;0;rect;100;100;140;120;0;;0;0;\r\n";
  std::string path = folder.Write("boxes.sle", boxes);
  Open(path);
  DesignerCanvas* canvas = window->Canvas();
  QTest::mousePress(canvas, Qt::LeftButton, {}, At(20, 30));  // the first box's left line
  QTest::mouseMove(canvas, At(99.7, 60));  // its left edge 0.3 mm off the other's
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, At(99.7, 60));
  EXPECT_EQ(Field(1, 6), "100");
  EXPECT_EQ(Field(1, 8), "140");

  for (const char* ruler : {"RulerAcross", "RulerDown"}) {
    QWidget* bar = window->findChild<QWidget*>(QString::fromLatin1(ruler));
    ASSERT_NE(bar, nullptr) << ruler;
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GT(bar->width() * bar->height(), 0);
  }
  window->Select(2);
  int before = window->Canvas()->Zoom();
  window->ZoomToSelection();
  EXPECT_GT(window->Canvas()->Zoom(), before);

  QMenu* menu = window->ContextMenu();
  QStringList names;
  for (QAction* action : menu->actions()) {
    names << action->objectName();
  }
  for (const char* name : {"DesignCut", "DesignCopy", "DesignPaste", "DesignDelete",
                           "DesignToFront", "DesignToBack"}) {
    EXPECT_TRUE(names.contains(QString::fromLatin1(name))) << name;
  }
  delete menu;
}

TEST_F(Designer, ARectangleDraggedOnTheEmptyPageSelectsWhatItTakesIn) {
  Open(stylePath);
  DesignerCanvas* canvas = window->Canvas();
  // Round the whole page: every element with a place on it.
  QPoint from = At(-2, -2);
  QPoint to = At(window->Sheet().printableWidthMm - 1, window->Sheet().printableHeightMm - 1);
  window->Select(-1);
  ASSERT_FALSE(
      ElementAt(window->Document(), canvas->ToMm(from), layout::Fixed::FromInt(1), nullptr));
  QTest::mousePress(canvas, Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), canvas->mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
  EXPECT_GT(window->Selection().size(), 10u);
  EXPECT_EQ(window->UndoStack()->count(), 0);  // selecting changes nothing
  window->AlignSelected(Alignment::Left);
  EXPECT_EQ(window->UndoStack()->count(), 1);
  window->UndoStack()->undo();
  EXPECT_EQ(window->Document().Bytes(), original);
}

// The B5 landscape card: a new style starts on the print window's paper,
// the paper is set in one undoable step, and the print window follows it.
TEST_F(Designer, ANewStyleStartsOnThePrintersPaperAndTheSheetFollowsTheStyle) {
  state.SetPaper(13, 1);  // B5 (JIS), landscape
  Open("");
  EXPECT_EQ(window->Document().Text(0), "header;Ver1.1;0;0;13;1;0;100;0;");
  EXPECT_EQ(window->Sheet().sheetWidthMm, 210);  // the printer's own sheet for now

  window->SetPaper(9, 1);  // A4 landscape
  EXPECT_EQ(window->Document().Text(0), "header;Ver1.1;0;0;9;1;0;100;0;");
  EXPECT_EQ(window->Sheet().sheetWidthMm, 297);
  EXPECT_EQ(window->Sheet().sheetHeightMm, 210);
  EXPECT_EQ(window->UndoStack()->count(), 1);
  window->UndoStack()->undo();
  EXPECT_EQ(window->Document().Text(0), "header;Ver1.1;0;0;13;1;0;100;0;");

  window->AddElementOfKind(ElementKind::Ellipse);
  dialogs.saveNames = {QString::fromStdString(folder.File("card.sle"))};
  ASSERT_TRUE(window->Save());
  state.TakeSavedStyle(folder.File("card.sle"));
  EXPECT_EQ(state.PaperEntry(), 13);
  EXPECT_EQ(state.Orientation(), 1);
}

// A style with broken lines: the problems list names them, leads to them,
// the panel repairs them, and undoing every step gives the file back.
TEST_F(Designer, BrokenLinesAreListedReachedRepairedAndSaved) {
  ASSERT_EQ(original.substr(original.size() - 2), "\r\n");
  ASSERT_EQ(original.find("\r\n\r\n"), std::string::npos);  // one page, to the end
  std::string broken = original + "0;0;0;0;rectangle;1;2;3;4;0;;0;0;\r\n0;0;0;0;rect;10;10;\r\n";
  folder.Write("a4.sle", broken);
  Open(stylePath);
  ASSERT_EQ(window->Problems().size(), 2u);
  int unknown = window->Problems()[0].line;
  EXPECT_TRUE(window->findChild<QDockWidget*>(QStringLiteral("ProblemsDock"))->isVisible());
  EXPECT_TRUE(window->StatusText().contains(QStringLiteral("2 行に問題があります")));

  // Tab reaches the broken lines too.
  window->Select(unknown - 1);
  window->Canvas()->setFocus();
  QTest::keyClick(window->Canvas(), Qt::Key_Tab);
  EXPECT_EQ(window->Selected(), unknown);

  window->Select(-1);
  QListWidgetItem* item = window->ProblemList()->item(0);
  ASSERT_NE(item, nullptr);
  // Counted as a text editor counts, the header being line 1.
  EXPECT_TRUE(item->text().startsWith(QStringLiteral("%1 行目: ").arg(unknown + 1)));
  emit window->ProblemList()->itemClicked(item);
  EXPECT_EQ(window->Selected(), unknown);
  auto* record = window->Panel()->findChild<QLineEdit*>(QStringLiteral("RecordText"));
  ASSERT_NE(record, nullptr);
  ASSERT_TRUE(record->isVisibleTo(window->Panel()));
  EXPECT_EQ(record->text(), QStringLiteral("0;0;0;0;rectangle;1;2;3;4;0;;0;0;"));
  record->setText(QStringLiteral("0;0;0;0;rect;1;2;3;4;0;;0;0;"));
  emit record->editingFinished();
  EXPECT_EQ(window->Document().Text(unknown), "0;0;0;0;rect;1;2;3;4;0;;0;0;");
  ASSERT_EQ(window->Problems().size(), 1u);
  EXPECT_EQ(window->ProblemList()->count(), 1);
  // The status line names what is left, and nothing once all is repaired.
  EXPECT_TRUE(window->StatusText().contains(QStringLiteral("1 行に問題があります")))
      << window->StatusText().toStdString();
  int other = window->Problems()[0].line;
  window->Select(other);
  window->Item(QStringLiteral("DesignDelete"))->trigger();
  EXPECT_TRUE(window->Problems().empty());
  EXPECT_EQ(window->StatusText(), QString());
  window->UndoStack()->undo();

  ASSERT_TRUE(window->Save());
  EXPECT_NE(Saved().find("0;0;0;0;rect;1;2;3;4;0;;0;0;\r\n0;0;0;0;rect;10;10;"), std::string::npos);
  while (window->UndoStack()->canUndo()) {
    window->UndoStack()->undo();
  }
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(Saved(), broken);
}

// After a click on the grey desk round the page, Ctrl+A selects every
// element and the arrows move them all, one step.
TEST_F(Designer, ArrowsMoveWhatCtrlASelectedWhereverTheClickWas) {
  Open(stylePath);
  window->SetZoom(0);  // the whole page, the desk round it
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("DesignScroll"));
  ASSERT_NE(scroll, nullptr);
  QTest::mouseClick(scroll->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
  window->Panel()->setFocus();  // or anywhere else in the window
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  ASSERT_GT(window->Selection().size(), 10u);
  std::string before = Field(kTitleLine, 6);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  EXPECT_NE(Field(kTitleLine, 6), before);
  EXPECT_EQ(window->UndoStack()->count(), 1);
}

// On a 1024 × 768 screen the panel of a mixed selection fits its dock:
// no sideways scrolling, every editor whole; and its rows stay where they
// are when another dock opens beside it.
TEST_F(Designer, ThePanelFitsItsDockAndItsRowsStayPut) {
  Open(stylePath);
  window->resize(1024, 768);
  window->SelectMany({10, 11, 12, 13, 14});  // a row's texts and its line
  auto* history = window->findChild<QDockWidget*>(QStringLiteral("UndoHistoryDock"));
  ASSERT_NE(history, nullptr);
  history->hide();
  QApplication::processEvents();
  auto* scroll = window->Panel()->findChild<QScrollArea*>(QStringLiteral("PropertyScroll"));
  ASSERT_NE(scroll, nullptr);
  EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
  auto rowTop = [&](int field) {
    return window->Panel()->Editor(field)->mapTo(window->Panel(), QPoint(0, 0)).y();
  };
  for (int field = 6; field <= 12; ++field) {
    QWidget* editor = window->Panel()->Editor(field);
    ASSERT_NE(editor, nullptr) << field;
    QRect inView(editor->mapTo(scroll->viewport(), QPoint(0, 0)), editor->size());
    EXPECT_LE(inView.right(), scroll->viewport()->width()) << field;
    EXPECT_GE(inView.width(), editor->minimumSizeHint().width()) << field;
  }
  std::vector<int> tops;
  for (int field = 6; field <= 12; ++field) {
    tops.push_back(rowTop(field));
  }
  history->show();
  QApplication::processEvents();
  for (int field = 6; field <= 12; ++field) {
    EXPECT_EQ(rowTop(field), tops[static_cast<std::size_t>(field - 6)]) << field;
  }
}

// The left ruler's numbers keep to its left half, clear of the ticks, so
// each reads whole, the minus sign of those above the page included.
TEST_F(Designer, TheLeftRulersNumbersAreClearOfItsTicks) {
  Open(stylePath);
  window->SetZoom(100);
  QWidget* ruler = window->findChild<QWidget*>(QStringLiteral("RulerDown"));
  ASSERT_NE(ruler, nullptr);
  QImage image = ruler->grab().toImage();
  int half = image.width() / 2;
  auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 0x80; };
  int labelPixels = 0;
  for (int y = 0; y < image.height(); ++y) {
    bool tick = dark(image.width() - 3, y);
    for (int x = 0; x < image.width() - 1; ++x) {
      if (!dark(x, y)) {
        continue;
      }
      if (x < half) {
        ++labelPixels;
        EXPECT_FALSE(tick && x >= half - 1) << "a tick crosses a number at y " << y;
      } else {
        EXPECT_TRUE(tick) << "a number reaches the ticks at " << x << ", " << y;
      }
    }
  }
  EXPECT_GT(labelPixels, 50);
}

// Ctrl+Z in a panel field undoes its typing first, then the style's steps.
TEST_F(Designer, UndoInAPanelFieldUndoesTheTypingThenTheStyle) {
  Open(stylePath);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  window->Select(kTitleLine);
  window->Nudge(10, 0);
  QApplication::processEvents();
  auto* text = qobject_cast<QLineEdit*>(window->Panel()->Editor(20));
  ASSERT_NE(text, nullptr);
  text->setFocus();
  QString shown = text->text();
  QTest::keyClicks(text, QStringLiteral("xy"));
  QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(text->text(), shown);  // the typing, not the style
  EXPECT_EQ(window->UndoStack()->index(), 1);
  QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window->UndoStack()->index(), 0);  // now the style's step
  EXPECT_EQ(window->Document().Bytes(), original);
  QTest::keyClick(text, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(window->UndoStack()->index(), 1);
  // Save As answers to Ctrl+Shift+S whatever the desktop.
  EXPECT_TRUE(window->Item(QStringLiteral("DesignSaveAs"))
                  ->shortcuts()
                  .contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
}

TEST_F(Designer, AReadOnlyStyleIsReplacedOnlyWhenTheUserSaysSo) {
  Open(stylePath);
  window->Select(kTitleLine);
  window->Nudge(10, 0);
  ::chmod(stylePath.c_str(), 0444);
  dialogs.answers = {widgets::Dialogs::Answer::Second};  // やめる
  EXPECT_FALSE(window->Save());
  EXPECT_EQ(Saved(), original);
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown.last().startsWith(
      QStringLiteral("ask: 読み取り専用のファイルです。上書きしますか？")));
  EXPECT_TRUE(window->IsModified());

  dialogs.answers = {widgets::Dialogs::Answer::First};  // 上書きする
  EXPECT_TRUE(window->Save());
  EXPECT_NE(Saved().find("char;11;8;"), std::string::npos);
  struct stat st {};
  ASSERT_EQ(::stat(stylePath.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST_F(Designer, AnOlderStyleIsConvertedOnlyWhenSaved) {
  std::string older =
      "header;Ver1.0;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;char;15;25;0;0;0;0;F;12;;0;0;0;#T;0;0;\r\n";
  std::string path = folder.Write("old.sle", older);
  Open(path);
  EXPECT_FALSE(window->IsModified());
  EXPECT_TRUE(window->StatusText().contains(QStringLiteral("Ver1.0")));
  EXPECT_EQ(Field(1, 20), "#T");  // read as the print window reads it
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  window = nullptr;
  EXPECT_EQ(ReadAll(path), older);
  EXPECT_TRUE(dialogs.shown.isEmpty());  // nothing to ask about

  Open(path);
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(ReadAll(path),
            "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
            "0;0;0;0;char;15;25;15;25;0;0;0;0;F;12;;0;0;0;#T;0;0;\r\n");
}

TEST_F(Designer, Screenshot) {
  QString shots = qEnvironmentVariable("QUILL_SCREENSHOT_DIR");
  if (shots.isEmpty()) {
    GTEST_SKIP() << "set QUILL_SCREENSHOT_DIR to write pictures of the designer";
  }
  Open(stylePath);
  window->resize(1180, 800);
  window->SetZoom(0);
  window->Select(kTitleLine);
  QApplication::processEvents();
  QDir().mkpath(shots);
  window->grab().save(shots + QStringLiteral("/designer_tags.png"));
  window->SetShowData(true);
  window->SetSnap(true);
  window->SetZoom(200);
  window->Select(5);
  QApplication::processEvents();
  window->grab().save(shots + QStringLiteral("/designer_data_200.png"));

  // The title 5 mm down, the first column in ＭＳ ゴシック, a rounded box
  // added and taken back; saved for printing beside the picture.
  window->SetShowData(false);
  window->SetSnap(false);
  EditTheTitleAColumnAndABox();
  window->Select(-1);
  window->SetZoom(100);
  QApplication::processEvents();
  window->grab().save(shots + QStringLiteral("/designer_edited_100.png"));
  ASSERT_TRUE(window->Save());
  QFile::copy(QString::fromStdString(stylePath), shots + QStringLiteral("/designed.sle"));
  window->SetShowData(true);
  window->SetZoom(0);
  QApplication::processEvents();
  window->grab().save(shots + QStringLiteral("/designer_edited_data.png"));

  // Several elements chosen (the first column's rows) and a broken line
  // listed for repair; a B5 landscape sheet.
  window->SetShowData(false);
  std::string broken = original +
                       "0;0;0;0;rectangle;1;2;3;4;0;;0;0;\r\n"
                       "0;0;0;0;image;120;200;40;30;1;0;0;missing.png;\r\n";
  folder.Write("broken.sle", broken);
  window->Open(QString::fromStdString(folder.File("broken.sle")));
  std::vector<int> column;
  for (int line = 1; line < window->Document().PageEnd(); ++line) {
    if (RecordFields(window->Document().Text(line)).Get(20).rfind("#ma_", 0) == 0) {
      column.push_back(line);
    }
  }
  window->SelectMany(column);
  window->SetZoom(100);
  QApplication::processEvents();
  window->grab().save(shots + QStringLiteral("/designer_many_and_problems.png"));
  window->SetPaper(13, 1);
  window->SetZoom(0);
  QApplication::processEvents();
  window->grab().save(shots + QStringLiteral("/designer_b5_landscape.png"));
  while (window->UndoStack()->canUndo()) {
    window->UndoStack()->undo();
  }

  // On a 1024 × 768 screen: a row and its line chosen (two kinds), the
  // 2 mm grid and a guide; then the row repeated into a list.
  // The shipped list cut after its first row, which then becomes twenty.
  StyleDocument shipped = StyleDocument::FromBytes(original);
  std::string firstRow;
  for (int i = 0; i <= 14; ++i) {
    firstRow += shipped.Text(i) + "\r\n";
  }
  window->Open(QString::fromStdString(folder.Write("first_row.sle", firstRow)));
  window->resize(1024, 768);
  window->SetZoom(100);
  window->SetSnap(true);
  window->Item(QStringLiteral("GridStep20"))->trigger();
  window->Canvas()->AddRulerGuide(true, layout::Fixed::FromInt(60));
  window->SelectMany({10, 11, 12, 13, 14});
  QApplication::processEvents();
  window->grab().save(shots + QStringLiteral("/designer_1024_two_kinds.png"));
  window->RepeatSelected(1, 20, layout::Fixed(), layout::Fixed::FromInt(12));
  window->SetZoom(0);
  QApplication::processEvents();
  window->grab().save(shots + QStringLiteral("/designer_1024_repeated.png"));
  window->UndoStack()->undo();

  // The card of two documents a page on B5 landscape, as a person makes
  // it: each call below is one action (a key, a drag, a menu item, a
  // dialog's field), 25 in all.
  QImage logo(300, 200, QImage::Format_RGB32);
  logo.fill(QColor(0x20, 0x70, 0xB0));
  logo.save(QString::fromStdString(folder.File("logo.png")));
  window->resize(1180, 800);
  window->SetSnap(true);
  window->Item(QStringLiteral("GridStep10"))->trigger();
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  window->StartNewStyle();  // 1: Ctrl+N
  window->SetPaper(13, 1);  // 2-5: 用紙の設定, B5 (JIS), 横, OK
  window->SetZoom(0);
  auto boxOf = [&](int line) { return *ShapeOfLine(window->Document().Text(line), nullptr); };
  auto mm = [](layout::Fixed value) { return static_cast<double>(value.Raw()) / 10000; };
  window->AddElementOfKind(ElementKind::Rect);  // 6
  ElementShape frame = boxOf(1);
  DragOnPage(window->Canvas(), At(mm(frame.box.left), mm(frame.box.top) + 5), At(10, 13));  // 7
  frame = boxOf(1);
  DragOnPage(window->Canvas(), At(mm(frame.box.right), mm(frame.box.bottom)), At(245, 86));  // 8
  dialogs.openNames = {QString::fromStdString(folder.File("logo.png"))};
  window->AddElementOfKind(ElementKind::Image);  // 9-10: 画像, the file
  ElementShape image = boxOf(2);
  DragOnPage(window->Canvas(), At(mm(image.box.left) + 5, mm(image.box.top) + 5),
             At(195, 20));                      // 11
  window->AddElementOfKind(ElementKind::Line);  // 12
  ElementShape rule = boxOf(3);
  DragOnPage(window->Canvas(), At(mm(rule.start.x), mm(rule.start.y)), At(15, 25));  // 13
  rule = boxOf(3);
  DragOnPage(window->Canvas(), At(mm(rule.end.x), mm(rule.end.y)), At(180, 25));  // 14
  window->DropTag({layout::Fixed::FromInt(15), layout::Fixed::FromInt(16)},
                  QStringLiteral("#mb_01"));  // 15
  window->DropTag({layout::Fixed::FromInt(15), layout::Fixed::FromInt(32)},
                  QStringLiteral("#ma_01"));  // 16
  window->DropTag({layout::Fixed::FromInt(15), layout::Fixed::FromInt(42)},
                  QStringLiteral("#me_01"));  // 17
  window->DropTag({layout::Fixed::FromInt(15), layout::Fixed::FromInt(52)},
                  QStringLiteral("#mc_01"));  // 18
  window->Select(-1);
  DragOnPage(window->Canvas(), At(5, 8), At(250, 89));  // 19: the card in a band
  window->RepeatSelected(1, 2, layout::Fixed(), layout::Fixed::FromInt(88));  // 20-23
  dialogs.saveNames = {QString::fromStdString(folder.File("card_two.sle"))};
  ASSERT_TRUE(window->Save());  // 24-25: Ctrl+S, the name
  QApplication::processEvents();
  window->grab().save(shots + QStringLiteral("/designer_job2_card.png"));
  QFile::copy(QString::fromStdString(folder.File("card_two.sle")),
              shots + QStringLiteral("/card_two.sle"));
  QFile::copy(QString::fromStdString(folder.File("logo.png")), shots + QStringLiteral("/logo.png"));
}

// The print window and the designer it opens, on one print state.
struct DesignerFromThePrintWindow : ::testing::Test {
  testsupport::TempDir folder;
  platform::ProgramPaths paths{folder.path(), "quillmark_wd"};
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop desktop;
  testsupport::FakePrinter printer;
  printing::FixedClock clock{*printing::MakeDate(2026, 12, 7)};
  std::unique_ptr<printing::PrintWindow> print;

  // The print window as the main window opens it: after writing the list.
  void Open(const std::string& style) {
    catalogue::WriteListFile(paths.ListFile(), {"a.doc;A;;;;;;;;;;,"});
    dialogs.openNames = {QString::fromStdString(style)};
    printing::PrintWindowServices s =
        testsupport::PrintWindowServicesFor(paths, dialogs, desktop, printer, clock);
    s.designers = DesignerWindows(dialogs, desktop, paths.SettingsFile(), QString());
    print = std::make_unique<printing::PrintWindow>(s);
    print->show();
    QApplication::processEvents();
  }
  StyleDesigner* Designer() { return qobject_cast<StyleDesigner*>(print->Designer()); }
  QString OffsetBox(const char* name) {
    return print->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
  }
};

TEST_F(DesignerFromThePrintWindow, OpensOnTheLoadedStyleAndReloadsAfterSaving) {
  std::string style = folder.Write("s.sle",
                                   "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                                   "0;0;0;0;char;15;25;15;25;0;0;0;0;F;12;;0;0;0;#T;0;0;\r\n");
  Open(style);
  ASSERT_EQ(print->State().Path(), style);

  QAction* open = print->Item(QStringLiteral("StyleDesign"));
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
  open->trigger();
  StyleDesigner* designer = Designer();
  ASSERT_NE(designer, nullptr);
  EXPECT_EQ(designer->Path(), QString::fromStdString(style));
  print->OpenDesigner();
  EXPECT_EQ(Designer(), designer);  // one at a time

  designer->Select(1);
  designer->Nudge(0, 50);
  ASSERT_TRUE(designer->Save());
  EXPECT_NE(print->State().PageLines().at(1).find("char;15;30;15;30;"), std::string::npos);

  // Escape in the print window closes the designer first, which asks.
  designer->Nudge(10, 0);
  dialogs.answers = {widgets::Dialogs::Answer::Third};
  QTest::keyClick(print.get(), Qt::Key_Escape);
  EXPECT_TRUE(print->isVisible());
  EXPECT_TRUE(designer->isVisible());
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  QTest::keyClick(print.get(), Qt::Key_Escape);
  EXPECT_FALSE(print->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(print->Designer(), nullptr);
  EXPECT_NE(ReadAll(style).find("char;15;30;15;30;"), std::string::npos);

  // Closing the print window closes the designer (nothing left to save).
  print->show();
  print->OpenDesigner();
  EXPECT_TRUE(print->close());
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(print->Designer(), nullptr);
}

TEST_F(DesignerFromThePrintWindow, DesignOpensTheStyleShownAfterClosingOneOnAnother) {
  std::string a = folder.Write("a.sle",
                               "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                               "0;0;0;0;char;15;25;15;25;0;0;0;0;F;12;;0;0;0;#T;0;0;\r\n");
  std::string b = folder.Write("b.sle",
                               "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                               "0;0;0;0;char;40;25;40;25;0;0;0;0;F;12;;0;0;0;#T;0;0;\r\n");
  Open(a);
  print->OpenDesigner();
  StyleDesigner* onA = Designer();
  ASSERT_NE(onA, nullptr);
  onA->Select(1);
  onA->Nudge(0, 50);
  print->LoadStyle(QString::fromStdString(b));
  ASSERT_EQ(print->State().Path(), b);

  // The designer on A asks to save; going back leaves it as it was.
  dialogs.answers = {widgets::Dialogs::Answer::Third};
  print->OpenDesigner();
  EXPECT_EQ(Designer(), onA);
  EXPECT_TRUE(onA->IsModified());
  // Saved: A is written, the print window keeps B and the designer shows B.
  dialogs.answers = {widgets::Dialogs::Answer::First};
  print->OpenDesigner();
  EXPECT_NE(ReadAll(a).find("char;15;30;15;30;"), std::string::npos);
  EXPECT_EQ(print->State().Path(), b);
  StyleDesigner* onB = Designer();
  ASSERT_NE(onB, nullptr);
  EXPECT_NE(onB, onA);
  EXPECT_EQ(onB->Path(), QString::fromStdString(b));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // The same style: the open designer comes forward.
  print->OpenDesigner();
  EXPECT_EQ(Designer(), onB);
  // One with nothing to save closes without a question.
  print->LoadStyle(QString::fromStdString(a));
  std::size_t asked = dialogs.shown.size();
  print->OpenDesigner();
  ASSERT_NE(Designer(), nullptr);
  EXPECT_EQ(Designer()->Path(), QString::fromStdString(a));
  EXPECT_EQ(dialogs.shown.size(), asked);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(DesignerFromThePrintWindow, SavingKeepsOffsetsThePrintWindowHasNotSaved) {
  std::string style = folder.Write("s.sle",
                                   "header;Ver1.1;1.5;0;9;0;0;100;0;\r\n"
                                   "0;0;0;0;char;15;25;15;25;0;0;0;0;F;12;;0;0;0;#T;0;0;\r\n");
  Open(style);
  print->StepOffset(1, 0, false, true);  // 10 mm to the right, not saved
  ASSERT_EQ(OffsetBox("ofxbox"), QStringLiteral("11.5"));
  print->OpenDesigner();
  StyleDesigner* designer = Designer();
  ASSERT_NE(designer, nullptr);
  designer->Select(1);
  designer->Nudge(0, 50);
  ASSERT_TRUE(designer->Save());
  // The element moved; the offset the user set here stays, in the state
  // and on screen, and the file keeps its own.
  EXPECT_NE(print->State().PageLines().at(1).find("char;15;30;15;30;"), std::string::npos);
  EXPECT_EQ(print->State().OffsetX(), layout::Fixed::Parse("11.5"));
  EXPECT_EQ(OffsetBox("ofxbox"), QStringLiteral("11.5"));
  EXPECT_EQ(ReadAll(style).substr(0, 18), "header;Ver1.1;1.5;");
}

TEST_F(DesignerFromThePrintWindow, OpensTheStyleAsThePrintWindowReadIt) {
  std::string style = folder.Write("s.sle",
                                   "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                                   "0;0;0;0;char;15;25;15;25;0;0;0;0;F;12;;0;0;0;#T;0;0;\r\n");
  Open(style);
  // Changed on disk after the print window read it: the designer shows what
  // the print window shows, and asks before saving over the other change.
  folder.Write("s.sle", "header;Ver1.1;0;0;9;0;0;100;0;\r\n");
  print->OpenDesigner();
  StyleDesigner* designer = Designer();
  ASSERT_NE(designer, nullptr);
  EXPECT_EQ(designer->Document().LineCount(), 2);
  designer->Select(1);
  designer->Nudge(0, 10);
  dialogs.answers = {widgets::Dialogs::Answer::Second};  // やめる
  EXPECT_FALSE(designer->Save());
  EXPECT_EQ(ReadAll(style), "header;Ver1.1;0;0;9;0;0;100;0;\r\n");
  dialogs.answers = {widgets::Dialogs::Answer::Second};  // leave without saving
  designer->close();
}

}  // namespace
}  // namespace designer
