#pragma once

#include <QFile>
#include <QString>

#include "platform/files/PathProbe.h"

// A window's checks of a path go through a probe on a thread of its own, so
// a file server that stopped answering never holds the window more than a
// moment.
namespace widgets {

// What the window says while a file server does not answer.
inline QString WaitingForServerText() {
  return QStringLiteral("応答を待っています…");
}

inline platform::PathKind ProbePath(const QString& path,
                                    std::chrono::milliseconds patience = platform::kPathPatience) {
  return platform::ProbePath(QFile::encodeName(path).toStdString(), patience);
}

}  // namespace widgets
