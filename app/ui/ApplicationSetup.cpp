#include "app/ui/ApplicationSetup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QToolTip>
#include <QTranslator>

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

// Windows face names that styles and the interface use, and the installed
// Japanese fonts that stand in for them.
void RegisterFontSubstitutes() {
  const struct {
    const char* windowsName;
    const char* substitute;
  } pairs[] = {
      {"ＭＳ 明朝", "IPAMincho"},        {"MS Mincho", "IPAMincho"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},     {"MS PMincho", "IPAPMincho"},
      {"ＭＳ ゴシック", "IPAGothic"},    {"MS Gothic", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
      {"MS UI Gothic", "IPAPGothic"},
  };
  for (const auto& pair : pairs) {
    QFont::insertSubstitution(QString::fromUtf8(pair.windowsName),
                              QString::fromUtf8(pair.substitute));
  }
}

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

void SetupApplication(QApplication& application) {
  InstallJapaneseQtTexts(application);
  QApplication::setApplicationName(QStringLiteral("quillmark_wd"));
  QApplication::setOrganizationName(QStringLiteral("Fernhollow"));
  RegisterFontSubstitutes();
  if (QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    QApplication::setFont(font);
  }
  application.setStyle(new HintStyle);
  QPalette hints = QToolTip::palette();
  hints.setColor(QPalette::ToolTipBase, QColor(0, 255, 0));
  hints.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(hints);
}

}  // namespace app
