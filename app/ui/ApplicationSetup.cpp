#include "app/ui/ApplicationSetup.h"

#include <QApplication>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QToolTip>
#include <QTranslator>

#include "layout/qt/FontSubstitutes.h"
#include "widgets/IconButton.h"

namespace app {

namespace {

constexpr int kHintDelayMs = 600;

// Hints appear after the program's own delay.
class HintStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) {
      return kHintDelayMs;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// Qt's own dialogs (file, colour and print dialogs, their questions and
// standard buttons) speak Japanese like the rest of the program, whatever the
// user's locale.
void InstallJapaneseQtTexts(QApplication& application) {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral("qtbase_ja"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  } else {
    delete translator;  // not installed: Qt's English texts stay
  }
}

}  // namespace

QString InterfaceFamily() {
  // Qt lists a family under the name of the user's language: 「IPA Pゴシック」
  // in a Japanese desktop, "IPAPGothic" elsewhere. Asked by its English
  // name, fontconfig finds it either way.
  QString family = QFontInfo(QFont(QStringLiteral("IPAPGothic"))).family();
  return family == QStringLiteral("IPAPGothic") || family == QStringLiteral("IPA Pゴシック")
             ? family
             : QString();
}

void SetupApplication(QApplication& application) {
  InstallJapaneseQtTexts(application);
  QApplication::setApplicationName(QStringLiteral("quillmark_wd"));
  QApplication::setOrganizationName(QStringLiteral("Fernhollow"));
  layout::RegisterWindowsFontSubstitutes();
  QString family = InterfaceFamily();
  if (!family.isEmpty()) {
    QFont font(family);
    font.setPixelSize(12);
    QApplication::setFont(font);
  }
  QApplication::setWindowIcon(widgets::ProgramIcon());  // every window's
  application.setStyle(new HintStyle);
  QPalette hints = QToolTip::palette();
  hints.setColor(QPalette::ToolTipBase, QColor(0, 255, 0));
  hints.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(hints);
}

}  // namespace app
