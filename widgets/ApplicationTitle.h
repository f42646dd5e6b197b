#pragma once

#include <QString>

namespace widgets {

// The program's title: the caption of its windows and message boxes.
inline QString ApplicationTitle() {
  return QStringLiteral("ワード・クイルマーク");
}

}  // namespace widgets
