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
#include "tests/app/PrintWindowWithDesigner.h"
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
    QString shown = label->text();
    if (label->buddy() != nullptr) {
      shown.remove(QLatin1Char('&'));  // an access key, underlined, takes no room
    }
    int needed = label->fontMetrics().horizontalAdvance(shown) + 2 * label->margin();
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
  // Nor is a caption of a fixed height shorter than a line of its font.
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    QString text = label ? label->text() : button ? button->text() : QString();
    if (!widget->isVisible() || text.isEmpty() ||
        widget->minimumHeight() != widget->maximumHeight()) {
      continue;
    }
    int needed = widget->fontMetrics().height();
    int room = label ? label->contentsRect().height() : widget->height() - 2;
    if (needed > room) {
      cut << text + QStringLiteral(" (height %1 < %2)").arg(room).arg(needed);
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

// The desktop's font, as qt6ct or a desktop's settings give it: every window
// grows what it needs so no caption is cut, and at the designed font every
// designed size stays.
struct DesktopFont : ProgramFixture, ::testing::WithParamInterface<const char*> {
  QFont designed = QApplication::font();
  void TearDown() override { QApplication::setFont(designed); }
};

TEST_P(DesktopFont, NoWindowCutsACaption) {
  QString param = QString::fromLatin1(GetParam());
  if (param != QStringLiteral("designed")) {
    QStringList parts = param.split(QLatin1Char(':'));
    QFont font(parts[0]);
    font.setPointSize(parts[1].toInt());
    // "Sans Serif" is whatever the system maps it to (qt6ct's default).
    if (parts[0] != QStringLiteral("Sans Serif") &&
        !QFontInfo(font).family().startsWith(parts[0].left(4))) {
      GTEST_SKIP() << parts[0].toStdString() << " is not installed";
    }
    QApplication::setFont(font);
  }
  Start();
  window->resize(1024, 700);
  QApplication::processEvents();
  EXPECT_EQ(CutCaptions(*window), QStringList{});
  if (param == QStringLiteral("designed") && !InterfaceFamily().isEmpty()) {
    // The designed look at the designed font.
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("GradBtn1"))->size(), QSize(83, 17));
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("GradPan1"))->height(), 35);
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("GradPan2"))->height(), 23);
  }
  folderDialog->show();
  QApplication::processEvents();
  EXPECT_EQ(CutCaptions(*folderDialog), QStringList{});
  folderDialog->hide();
  for (QDialog* dialog : std::initializer_list<QDialog*>{editDialog, titleDialog}) {
    dialog->show();
    QApplication::processEvents();
    EXPECT_EQ(CutCaptions(*dialog), QStringList{}) << dialog->objectName().toStdString();
    dialog->hide();
  }
  PrintWindowWithDesigner made(*this);
  printing::PrintWindow& print = made.window;
  print.show();
  QApplication::processEvents();
  EXPECT_EQ(CutCaptions(print), QStringList{});
  print.OpenDesigner();
  QApplication::processEvents();
  ASSERT_NE(print.Designer(), nullptr);
  EXPECT_EQ(CutCaptions(*print.Designer()), QStringList{});
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  print.Designer()->close();
}

INSTANTIATE_TEST_SUITE_P(Fonts, DesktopFont,
                         ::testing::Values("designed", "Noto Sans CJK JP:10", "Noto Sans CJK JP:12",
                                           "Sans Serif:9"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name;
                           for (const char* c = info.param; *c != '\0'; ++c) {
                             if ((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') ||
                                 (*c >= '0' && *c <= '9')) {
                               name += *c;
                             }
                           }
                           return name;
                         });

}  // namespace
}  // namespace app
