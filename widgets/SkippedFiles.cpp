#include "widgets/SkippedFiles.h"

#include <QStringList>
#include <set>
#include <vector>

#include "widgets/Dialogs.h"

namespace widgets {

namespace {

struct Skipped {
  std::set<std::string> paths;
  std::vector<std::string> untold;
};

Skipped& Registry() {
  static Skipped skipped;
  return skipped;
}

// A message on one line: its line breaks become " — ".
QString OneLine(const std::string& text) {
  return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral(" — "));
}

}  // namespace

void NoteSkippedFile(const std::string& path, const std::string& why) {
  if (Registry().paths.insert(path).second) {
    Registry().untold.push_back(why);
  }
}

bool WasSkipped(const std::string& path) {
  return Registry().paths.count(path) > 0;
}

void TellSkippedFiles(Dialogs& dialogs) {
  std::vector<std::string> untold;
  untold.swap(Registry().untold);
  if (untold.empty()) {
    return;
  }
  QStringList lines;
  for (const std::string& why : untold) {
    lines << OneLine(why);
  }
  dialogs.ShowMessageList(
      QStringLiteral("次の設定ファイルを読み込めないため、既定の設定を使います。"
                     "これらのファイルは終了時にも書き換えません。"),
      lines);
}

}  // namespace widgets
