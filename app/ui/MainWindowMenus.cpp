// The main window's menus, its rows' pop-up menu and their keys.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/core/ListGrid.h"
#include "app/ui/MainWindow.h"
#include "catalogue/core/DocumentList.h"
#include "widgets/FrozenColumnTable.h"

namespace app {

namespace {

// A caption with its access key, as Japanese menus write it: 「編集する(&E)」.
QString WithKey(const QString& caption, char key) {
  return caption + QStringLiteral("(&") + QLatin1Char(key) + QLatin1Char(')');
}

}  // namespace

QString MainWindow::SupportMail() {
  return QStringLiteral("support@fernhollow.example");
}

QString MainWindow::WebAddress() {
  return QStringLiteral("https://www.fernhollow.example/");
}

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const QString& caption,
                             void (MainWindow::*handler)(), const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  if (handler != nullptr) {
    connect(action, &QAction::triggered, this, handler);
  }
  return action;
}

void MainWindow::BuildMenus() {
  using W = MainWindow;
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  AddItem(file, "N1", WithKey(QStringLiteral("フォルダー指定"), 'F'), &W::ChooseFolder);
  AddItem(file, "OpenLastList", WithKey(QStringLiteral("前回の一覧を開く"), 'O'), &W::OpenLastList,
          QKeySequence(Qt::CTRL | Qt::Key_O));
  file->addSeparator();
  AddItem(file, "N8", WithKey(QStringLiteral("印　刷"), 'P'), &W::PrintReport,
          QKeySequence(Qt::CTRL | Qt::Key_P));
  QAction* exit = AddItem(file, "Exit1", WithKey(QStringLiteral("終  了"), 'X'), &W::Quit);
  exit->setShortcuts({QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_Q)});

  QMenu* edit = menuBar()->addMenu(QStringLiteral("編　集(&E)"));
  AddItem(edit, "Undo", WithKey(QStringLiteral("元に戻す"), 'U'), &W::UndoListChange,
          QKeySequence(Qt::CTRL | Qt::Key_Z))
      ->setEnabled(false);
  QAction* redo =
      AddItem(edit, "Redo", WithKey(QStringLiteral("やり直し"), 'R'), &W::RedoListChange);
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  redo->setEnabled(false);
  edit->addSeparator();
  AddItem(edit, "CopyRows", WithKey(QStringLiteral("選択中の行をコピー"), 'C'),
          &W::CopySelectedRows, QKeySequence(QKeySequence::Copy));
  AddItem(edit, "Find", WithKey(QStringLiteral("検索"), 'F'), &W::OpenFindBar,
          QKeySequence(QKeySequence::Find));
  AddItem(edit, "FindNext", WithKey(QStringLiteral("次を検索"), 'N'), &W::FindNextRow,
          QKeySequence(Qt::Key_F3));
  edit->addSeparator();
  AddItem(edit, "N21", WithKey(QStringLiteral("選択中のデータを編集する"), 'E'),
          &W::EditSelectedRow);
  edit->addSeparator();
  AddItem(edit, "N19", WithKey(QStringLiteral("選択中のデータを削除する"), 'D'),
          &W::DeleteSelectedRows, QKeySequence(Qt::Key_Delete));
  AddItem(edit, "N22", WithKey(QStringLiteral("選択中のデータを上へ移動する"), 'K'),
          &W::MoveSelectedUp, QKeySequence(Qt::ALT | Qt::Key_Up));
  AddItem(edit, "N23", WithKey(QStringLiteral("選択中のデータを下へ移動する"), 'J'),
          &W::MoveSelectedDown, QKeySequence(Qt::ALT | Qt::Key_Down));
  edit->addSeparator();
  AddItem(edit, "N30", WithKey(QStringLiteral("タイトル入力"), 'T'), &W::EnterReportTitle,
          QKeySequence(Qt::CTRL | Qt::Key_T));
  edit->addSeparator();
  sortMenu_ = BuildSortMenu();
  edit->addMenu(sortMenu_);

  QMenu* view = menuBar()->addMenu(QStringLiteral("表　示(&D)"));
  AddItem(view, "N14", WithKey(QStringLiteral("ファイル名列の幅を広げる"), 'W'),
          &W::WidenFileNameColumn);
  AddItem(view, "N15", WithKey(QStringLiteral("ファイル名列の幅を縮める"), 'N'),
          &W::NarrowFileNameColumn);
  view->addSeparator();
  AddItem(view, "N17", WithKey(QStringLiteral("タイトル列の幅を広げる"), 'I'),
          &W::WidenTitleColumn);
  AddItem(view, "N18", WithKey(QStringLiteral("タイトル列の幅を縮める"), 'A'),
          &W::NarrowTitleColumn);

  QMenu* output = menuBar()->addMenu(QStringLiteral("外部出力(&O)"));
  AddItem(output, "CSV1", WithKey(QStringLiteral("CSV出力"), 'C'), &W::ExportCsv,
          QKeySequence(Qt::CTRL | Qt::Key_E));
  AddItem(output, "N10", WithKey(QStringLiteral("クリップボード出力"), 'B'), &W::CopyToClipboard);

  QMenu* info = menuBar()->addMenu(QStringLiteral("Information(&I)"));
  AddItem(info, "N2", WithKey(QStringLiteral("取扱説明書"), 'H'), &W::OpenManual,
          QKeySequence(Qt::Key_F1));
  info->addSeparator();
  AddItem(
      info, "N3",
      QStringLiteral("問い合わせメールを送る(mailto:") + SupportMail() + QStringLiteral(")(&M)"),
      &W::SendSupportMail);
  AddItem(info, "N4",
          QStringLiteral("ホームページへアクセスする(") + WebAddress() + QStringLiteral(")(&W)"),
          &W::OpenHomePage);
  info->addSeparator();
  AddItem(info, "N5", WithKey(QStringLiteral("メモ帳を起動"), 'E'), &W::StartTextEditor);
  AddItem(info, "N6", WithKey(QStringLiteral("メモリ－確認"), 'R'), &W::ShowMemory);
  AddItem(info, "N7", WithKey(QStringLiteral("画面の解像度確認"), 'S'), &W::ShowScreenResolution);
  info->addSeparator();
  AddItem(info, "N28", WithKey(QStringLiteral("バージョン情報"), 'A'), &W::ShowVersion);

  rowMenu_ = BuildRowMenu();
}

QMenu* MainWindow::BuildRowMenu() {
  using W = MainWindow;
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("PopupMenu1"));
  AddItem(menu, "N31", WithKey(QStringLiteral("選択中のデータを編集する"), 'E'),
          &W::EditSelectedRow);
  AddItem(menu, "N32", WithKey(QStringLiteral("選択中のデータを削除する"), 'D'),
          &W::DeleteSelectedRows);
  AddItem(menu, "N33", WithKey(QStringLiteral("選択中のデータを上へ移動する"), 'K'),
          &W::MoveSelectedUp);
  AddItem(menu, "N34", WithKey(QStringLiteral("選択中のデータを下へ移動する"), 'J'),
          &W::MoveSelectedDown);
  menu->addSeparator();
  AddItem(menu, "CopyRowsFromMenu", WithKey(QStringLiteral("選択中の行をコピー"), 'C'),
          &W::CopySelectedRows);
  AddItem(menu, "OpenDocument", WithKey(QStringLiteral("文書を開く"), 'O'),
          &W::OpenSelectedDocument);
  return menu;
}

QMenu* MainWindow::BuildSortMenu() {
  auto* sort = new QMenu(QStringLiteral("並べ替え(&S)"), this);
  sort->setObjectName(QStringLiteral("SortMenu"));
  for (bool ascending : {true, false}) {
    QMenu* order =
        sort->addMenu(ascending ? QStringLiteral("昇順(&A)") : QStringLiteral("降順(&D)"));
    for (int col = 0; col < kListGridColumns; ++col) {
      // The columns' keys are their letters in order: A for the file name.
      QAction* action = order->addAction(WithKey(
          QString::fromUtf8(catalogue::DocumentList::Heading(col)), static_cast<char>('A' + col)));
      action->setObjectName(
          QStringLiteral("%1%2")
              .arg(ascending ? QStringLiteral("SortAscending") : QStringLiteral("SortDescending"))
              .arg(col));
      connect(action, &QAction::triggered, this,
              [this, col, ascending] { SortRows(col, ascending); });
    }
  }
  return sort;
}

}  // namespace app
