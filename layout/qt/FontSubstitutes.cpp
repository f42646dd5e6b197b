#include "layout/qt/FontSubstitutes.h"

#include <QFont>
#include <QString>
#include <mutex>

namespace layout {

void RegisterWindowsFontSubstitutes() {
  static std::once_flag once;
  std::call_once(once, [] {
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
  });
}

}  // namespace layout
