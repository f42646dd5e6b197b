// The interface font is IPA P Gothic whatever the desktop's language (Qt
// names the family 「IPA Pゴシック」 in a Japanese desktop), and no caption
// of a fixed size is cut: run in the C locale with the other window tests,
// and again under LANG=ja_JP.UTF-8.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "app/ui/ApplicationSetup.h"
#include "printing/ui/PrintWindow.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/FakePrinter.h"
#include "tests/support/PrintWindowServicesForTests.h"
#include "widgets/GradientButton.h"

namespace app {
namespace {

// Captions placed at a size of their own (a fixed width, or no layout to
// grow them) whose text is wider than the room they have.
QStringList CutCaptions(const QWidget& window) {
  QStringList cut;
  auto placedAtItsOwnSize = [](const QWidget* widget) {
    bool fixed = widget->minimumWidth() == widget->maximumWidth();
    bool inLayout = widget->parentWidget() != nullptr &&
                    widget->parentWidget()->layout() != nullptr &&
                    widget->parentWidget()->layout()->indexOf(widget) >= 0;
    return fixed || !inLayout;
  };
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty() || label->wordWrap() ||
        label->text().contains(QLatin1Char('\n')) || !label->pixmap().isNull() ||
        !placedAtItsOwnSize(label)) {
      continue;
    }
    int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin();
    if (needed > label->contentsRect().width()) {
      cut << label->text() +
                 QStringLiteral(" (label %1 < %2)").arg(label->contentsRect().width()).arg(needed);
    }
  }
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    if (!button->isVisible() || button->text().isEmpty() || !placedAtItsOwnSize(button)) {
      continue;
    }
    QString text = button->text();
    text.remove(QLatin1Char('&'));
    int needed = button->fontMetrics().horizontalAdvance(text);
    int room = button->width() - 4;
    if (const auto* box = qobject_cast<const QCheckBox*>(button)) {
      QStyleOptionButton option;
      option.initFrom(box);
      room = box->width() -
             box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).left();
    }
    if (needed > room) {
      cut << text + QStringLiteral(" (button %1 < %2)").arg(room).arg(needed);
    }
  }
  return cut;
}

TEST(InterfaceFont, IsIpaPGothicUnderTheDesktopsOwnNameForIt) {
  QString family = InterfaceFamily();
  if (family.isEmpty()) {
    GTEST_SKIP() << "IPA P Gothic is not installed";
  }
  EXPECT_EQ(QFontInfo(QApplication::font()).family(), family);
  bool japanese = qEnvironmentVariable("LANG").startsWith(QStringLiteral("ja"));
  EXPECT_EQ(family, japanese ? QStringLiteral("IPA Pゴシック") : QStringLiteral("IPAPGothic"));
}

struct FixedCaptions : ProgramFixture {};

TEST_F(FixedCaptions, NoCaptionOfTheMainAndPrintWindowsIsCut) {
  Start();
  window->resize(1024, 700);
  QApplication::processEvents();
  EXPECT_EQ(QFontInfo(window->FolderLabel()->font()).family(),
            QFontInfo(QApplication::font()).family());
  EXPECT_EQ(CutCaptions(*window), QStringList{});
  EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(32, 32)));  // the emblem

  testsupport::FakePrinter printer;
  printing::FixedClock clock{*printing::MakeDate(2026, 12, 7)};
  printing::PrintWindow print(
      testsupport::PrintWindowServicesFor(paths, dialogs, desktop, printer, clock));
  print.show();
  QApplication::processEvents();
  EXPECT_EQ(CutCaptions(print), QStringList{});
  for (QDialog* dialog : std::initializer_list<QDialog*>{editDialog, titleDialog}) {
    dialog->show();
    QApplication::processEvents();
    EXPECT_EQ(CutCaptions(*dialog), QStringList{}) << dialog->objectName().toStdString();
    dialog->hide();
  }
}

}  // namespace
}  // namespace app
