// The designer's menus, tool bar and keys: every command of the window
// with its object name and shortcut.

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QSpinBox>
#include <QToolBar>
#include <QUndoStack>

#include "catalogue/core/DocumentList.h"
#include "designer/ui/DesignerCanvas.h"
#include "designer/ui/QtElementMeasurer.h"
#include "designer/ui/StyleDesigner.h"
#include "printing/core/Binding.h"

namespace designer {

namespace {

const Fixed kDuplicateOffset = Fixed::FromInt(5);  // a copy lands beside its original

// The zoom choices; 0 is the whole page.
const int kZooms[] = {0, 50, 75, 100, 150, 200, 300, 400};

}  // namespace

QAction* StyleDesigner::AddItem(QMenu* menu, const char* name, const QString& caption,
                                const QKeySequence& keys, const std::function<void()>& action) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(QString::fromLatin1(name));
  if (!keys.isEmpty()) {
    item->setShortcut(keys);
  }
  connect(item, &QAction::triggered, this, action);
  return item;
}

void StyleDesigner::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  AddItem(file, "DesignNew", QStringLiteral("新規(&N)"), QKeySequence::New,
          [this] { StartNewStyle(); });
  QMenu* templates = file->addMenu(QStringLiteral("ひな形から新規(&T)"));
  templates->setObjectName(QStringLiteral("TemplateMenu"));
  // Listed as the menu opens: the folder's styles may change meanwhile.
  connect(templates, &QMenu::aboutToShow, this, [this, templates] {
    templates->clear();
    for (const QString& path : Templates()) {
      templates->addAction(QFileInfo(path).completeBaseName(), this,
                           [this, path] { StartFromTemplate(path); });
    }
    if (templates->isEmpty()) {
      templates->addAction(QStringLiteral("(ひな形がありません)"))->setEnabled(false);
    }
  });
  file->addSeparator();
  AddItem(file, "DesignSave", QStringLiteral("上書き保存(&S)"), QKeySequence::Save,
          [this] { Save(); });
  QAction* saveAs = AddItem(file, "DesignSaveAs", QStringLiteral("名前を付けて保存(&A)..."), {},
                            [this] { SaveAs(); });
  // Ctrl+Shift+S in every desktop (some give QKeySequence::SaveAs no keys).
  QList<QKeySequence> saveAsKeys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)};
  for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::SaveAs)) {
    if (!saveAsKeys.contains(keys)) {
      saveAsKeys << keys;
    }
  }
  saveAs->setShortcuts(saveAsKeys);
  file->addSeparator();
  AddItem(file, "DesignPageSetup", QStringLiteral("用紙の設定(&U)..."), {},
          [this] { ChoosePaper(); });
  file->addSeparator();
  AddItem(file, "DesignClose", QStringLiteral("閉じる(&C)"), QKeySequence(Qt::CTRL | Qt::Key_W),
          [this] { close(); });

  QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
  QAction* undo = undo_->createUndoAction(this, QStringLiteral("元に戻す"));
  undo->setObjectName(QStringLiteral("DesignUndo"));
  undo->setShortcut(QKeySequence::Undo);
  QAction* redo = undo_->createRedoAction(this, QStringLiteral("やり直し"));
  redo->setObjectName(QStringLiteral("DesignRedo"));
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();
  AddItem(edit, "DesignCut", QStringLiteral("切り取り(&T)"), QKeySequence::Cut,
          [this] { CutSelected(); });
  AddItem(edit, "DesignCopy", QStringLiteral("コピー(&C)"), QKeySequence::Copy,
          [this] { CopySelected(); });
  AddItem(edit, "DesignPaste", QStringLiteral("貼り付け(&P)"), QKeySequence::Paste,
          [this] { Paste(); });
  AddItem(edit, "DesignSelectAll", QStringLiteral("すべて選択(&A)"), QKeySequence::SelectAll,
          [this] {
            SelectMany(SelectableLines(edited_.Document(), measurer_.get()));
            // The arrows then move what is selected, wherever the focus was.
            canvas_->setFocus(Qt::ShortcutFocusReason);
          });
  edit->addSeparator();
  AddItem(edit, "DesignDuplicate", QStringLiteral("複製(&D)"), QKeySequence(Qt::CTRL | Qt::Key_D),
          [this] {
            if (selection_.size() > 1) {
              DuplicateSelected();
              return;
            }
            Perform([this] {
              return DuplicateElement(edited_.Document(), selected_, kDuplicateOffset);
            });
          });
  AddItem(edit, "DesignNextRow", QStringLiteral("次の行として複製(&N)"),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), [this] { DuplicateAsNextRow(); });
  AddItem(edit, "DesignRepeat", QStringLiteral("繰り返し配置(&R)..."),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), [this] { AskAndRepeatSelected(); });
  QAction* remove =
      AddItem(edit, "DesignDelete", QStringLiteral("削除(&L)"), QKeySequence::Delete, [this] {
        if (selection_.size() > 1) {
          DeleteSelected();
          return;
        }
        Perform([this] { return DeleteElement(edited_.Document(), selected_); });
      });
  edit->addSeparator();
  AddItem(edit, "DesignForward", QStringLiteral("前面へ(&F)"),
          QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
          [this] { Perform([this] { return BringForward(edited_.Document(), selected_); }); });
  AddItem(edit, "DesignBackward", QStringLiteral("背面へ(&B)"),
          QKeySequence(Qt::CTRL | Qt::Key_BracketLeft),
          [this] { Perform([this] { return SendBackward(edited_.Document(), selected_); }); });
  AddItem(edit, "DesignToFront", QStringLiteral("最前面へ(&T)"),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketRight), [this] {
            if (selection_.size() > 1) {
              SelectedToFront();
              return;
            }
            Perform([this] { return BringToFront(edited_.Document(), selected_); });
          });
  AddItem(edit, "DesignToBack", QStringLiteral("最背面へ(&K)"),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketLeft), [this] {
            if (selection_.size() > 1) {
              SelectedToBack();
              return;
            }
            Perform([this] { return SendToBack(edited_.Document(), selected_); });
          });

  // Lining up several elements: on the box round them all.
  QMenu* arrange = bar->addMenu(QStringLiteral("整列(&A)"));
  arrange->setObjectName(QStringLiteral("ArrangeMenu"));
  AddItem(arrange, "AlignLeft", QStringLiteral("左揃え(&L)"), {},
          [this] { AlignSelected(Alignment::Left); });
  AddItem(arrange, "AlignCentresAcross", QStringLiteral("左右中央揃え(&C)"), {},
          [this] { AlignSelected(Alignment::CentresAcross); });
  AddItem(arrange, "AlignRight", QStringLiteral("右揃え(&R)"), {},
          [this] { AlignSelected(Alignment::Right); });
  arrange->addSeparator();
  AddItem(arrange, "AlignTop", QStringLiteral("上揃え(&T)"), {},
          [this] { AlignSelected(Alignment::Top); });
  AddItem(arrange, "AlignCentresDown", QStringLiteral("上下中央揃え(&M)"), {},
          [this] { AlignSelected(Alignment::CentresDown); });
  AddItem(arrange, "AlignBottom", QStringLiteral("下揃え(&B)"), {},
          [this] { AlignSelected(Alignment::Bottom); });
  arrange->addSeparator();
  AddItem(arrange, "DistributeAcross", QStringLiteral("左右に等間隔(&H)"), {},
          [this] { DistributeSelected(true); });
  AddItem(arrange, "DistributeDown", QStringLiteral("上下に等間隔(&V)"), {},
          [this] { DistributeSelected(false); });
  edit->addSeparator();
  AddItem(edit, "DesignNext", QStringLiteral("次の要素"), {}, [this] { Cycle(true); });
  AddItem(edit, "DesignPrevious", QStringLiteral("前の要素"), {}, [this] { Cycle(false); });

  // Arrow keys move the selection while the page has focus; in the
  // property panel they stay the editors' own.
  const struct {
    const char* name;
    int key;
    int dx;
    int dy;
  } arrows[] = {{"NudgeLeft", Qt::Key_Left, -1, 0},
                {"NudgeRight", Qt::Key_Right, 1, 0},
                {"NudgeUp", Qt::Key_Up, 0, -1},
                {"NudgeDown", Qt::Key_Down, 0, 1}};
  for (const auto& arrow : arrows) {
    for (bool shift : {false, true}) {
      auto* item = new QAction(this);
      item->setObjectName(QString::fromLatin1(arrow.name) +
                          (shift ? QStringLiteral("Mm") : QString()));
      item->setShortcut(shift ? QKeySequence(Qt::SHIFT | arrow.key) : QKeySequence(arrow.key));
      item->setShortcutContext(Qt::WidgetShortcut);
      int step = shift ? 10 : 1;
      int dx = arrow.dx * step;
      int dy = arrow.dy * step;
      connect(item, &QAction::triggered, this, [this, dx, dy] { Nudge(dx, dy); });
      canvas_->addAction(item);
    }
    // Shift+Alt: the right or bottom edge by 1 mm; with Ctrl by 0.1 mm.
    for (bool fine : {false, true}) {
      auto* item = new QAction(this);
      item->setObjectName(QStringLiteral("Resize") + QString::fromLatin1(arrow.name + 5) +
                          (fine ? QString() : QStringLiteral("Mm")));
      Qt::KeyboardModifiers keys = Qt::ShiftModifier | Qt::AltModifier;
      if (fine) {
        keys |= Qt::ControlModifier;
      }
      item->setShortcut(QKeySequence(QKeyCombination(keys, static_cast<Qt::Key>(arrow.key))));
      item->setShortcutContext(Qt::WidgetShortcut);
      int step = fine ? 1 : 10;
      int dw = arrow.dx * step;
      int dh = arrow.dy * step;
      connect(item, &QAction::triggered, this, [this, dw, dh] { ResizeBy(dw, dh); });
      canvas_->addAction(item);
    }
  }

  QMenu* add = bar->addMenu(QStringLiteral("追加(&A)"));
  for (ElementKind kind : AddableKinds()) {
    QString name = QStringLiteral("Add") + QString::fromLatin1(KeywordOfKind(kind));
    QAction* item = add->addAction(QString::fromUtf8(KindName(kind)));
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [this, kind] { AddElementOfKind(kind); });
  }

  QMenu* tags = bar->addMenu(QStringLiteral("タグ(&T)"));
  tags->setObjectName(QStringLiteral("TagMenu"));
  const struct {
    const char* tag;
    const char* caption;
  } fixedTags[] = {{"#T", "レポートタイトル"},
                   {"#FL", "フォルダー"},
                   {"#Y", "年"},
                   {"#M", "月"},
                   {"#D", "日"},
                   {"#W", "曜日"},
                   {"#pg", "ページ番号"}};
  for (const auto& t : fixedTags) {
    QString tag = QString::fromLatin1(t.tag);
    QAction* item = tags->addAction(tag + QStringLiteral("  ") + QString::fromUtf8(t.caption));
    item->setObjectName(QStringLiteral("Tag") + tag.mid(1));
    connect(item, &QAction::triggered, this, [this, tag] { InsertTag(tag); });
  }
  // The page capacity has a line of its own: never put into another text.
  QAction* maxline = tags->addAction(QStringLiteral("#maxline=  1ページの行数を設定 (行の欄の数)"));
  maxline->setObjectName(QStringLiteral("Tagmaxline"));
  connect(maxline, &QAction::triggered, this, [this] {
    int rows = tagRow_->value();
    Perform([this, rows] { return SetPageCapacity(edited_.Document(), rows); });
  });
  QMenu* columns = tags->addMenu(QStringLiteral("一覧の列 (行の欄の番号)"));
  for (int col = 0; col < static_cast<int>(catalogue::kRecordFieldCount); ++col) {
    QString prefix = QStringLiteral("#m%1_").arg(QChar('a' + col));
    QAction* item = columns->addAction(prefix + QStringLiteral("NN  ") +
                                       QString::fromUtf8(catalogue::DocumentList::Heading(col)));
    item->setObjectName(QStringLiteral("Tagm%1").arg(QChar('a' + col)));
    connect(item, &QAction::triggered, this, [this, prefix] {
      InsertTag(prefix + QString::fromStdString(printing::RowNumberText(tagRow_->value())));
    });
  }

  QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
  QAction* data = AddItem(view, "ShowData", QStringLiteral("データを差し込んで表示"),
                          QKeySequence(Qt::CTRL | Qt::Key_B), [] {});
  data->setCheckable(true);
  connect(data, &QAction::toggled, this, &StyleDesigner::SetShowData);
  QAction* previous = AddItem(view, "PreviousPage", QStringLiteral("前のページ"),
                              QKeySequence(Qt::Key_PageUp), [this] { StepPage(false); });
  QAction* next = AddItem(view, "NextPage", QStringLiteral("次のページ"),
                          QKeySequence(Qt::Key_PageDown), [this] { StepPage(true); });
  // Keys the panel's editors and lists use themselves act on the page only
  // while it has focus.
  for (QAction* item : {remove, previous, next}) {
    item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    canvas_->addAction(item);
  }
  view->addSeparator();
  QAction* snap = AddItem(view, "SnapGrid", QStringLiteral("グリッドに合わせる"),
                          QKeySequence(Qt::CTRL | Qt::Key_G), [] {});
  snap->setCheckable(true);
  snap->setToolTip(
      QStringLiteral("グリッドに合わせる (Alt を押しながらドラッグすると合わせません)"));
  connect(snap, &QAction::toggled, this, &StyleDesigner::SetSnap);
  QMenu* steps = view->addMenu(QStringLiteral("グリッドの間隔"));
  auto* stepGroup = new QActionGroup(this);
  for (int tenths : kGridSteps) {
    QAction* choice = steps->addAction(QStringLiteral("%1 mm").arg(
        QString::fromStdString(Fixed::FromRaw(tenths * 1000LL).ToString())));
    choice->setObjectName(QStringLiteral("GridStep%1").arg(tenths));
    choice->setCheckable(true);
    stepGroup->addAction(choice);
    connect(choice, &QAction::triggered, this, [this, tenths] { SetGridStep(tenths); });
  }
  AddItem(view, "ClearGuides", QStringLiteral("ガイドをすべて消す"), {},
          [this] { canvas_->ClearRulerGuides(); });
  QAction* snapElements =
      AddItem(view, "SnapElements",
              QStringLiteral("ほかの要素の端と中央に合わせる (グリッドを使わないとき)"), {}, [] {});
  snapElements->setCheckable(true);
  snapElements->setChecked(true);
  connect(snapElements, &QAction::toggled, this, &StyleDesigner::SetElementSnap);
  view->addSeparator();
  // The docks: the problems list and the undo history.
  for (const char* dock : {"ProblemsDock", "UndoHistoryDock"}) {
    QAction* toggle = findChild<QDockWidget*>(QString::fromLatin1(dock))->toggleViewAction();
    toggle->setObjectName(QStringLiteral("Show") + QString::fromLatin1(dock));
    view->addAction(toggle);
  }
  view->addSeparator();
  AddItem(view, "ZoomIn", QStringLiteral("拡大"), QKeySequence::ZoomIn,
          [this] { SetZoom(std::min(400, canvas_->Zoom() + 25)); });
  AddItem(view, "ZoomOut", QStringLiteral("縮小"), QKeySequence::ZoomOut,
          [this] { SetZoom(std::max(50, canvas_->Zoom() - 25)); });
  AddItem(view, "ZoomFit", QStringLiteral("ページ全体"), QKeySequence(Qt::CTRL | Qt::Key_0),
          [this] { SetZoom(0); });
  AddItem(view, "ZoomSelection", QStringLiteral("選んだ要素に合わせて拡大"),
          QKeySequence(Qt::CTRL | Qt::Key_3), [this] { ZoomToSelection(); });

  // The tool bar: zoom, data, paging, grid, the row number of row tags,
  // and the kinds to add.
  QToolBar* tools = addToolBar(QStringLiteral("ツール"));
  tools->setObjectName(QStringLiteral("DesignTools"));
  tools->setMovable(false);
  zoomBox_ = new QComboBox;
  zoomBox_->setObjectName(QStringLiteral("ZoomBox"));
  for (int zoom : kZooms) {
    zoomBox_->addItem(zoom == 0 ? QStringLiteral("ページ全体") : QStringLiteral("%1%").arg(zoom),
                      zoom);
  }
  connect(zoomBox_, &QComboBox::activated, this,
          [this](int index) { SetZoom(zoomBox_->itemData(index).toInt()); });
  tools->addWidget(zoomBox_);
  tools->addSeparator();
  tools->addAction(data);
  tools->addAction(Item(QStringLiteral("PreviousPage")));
  pageLabel_ = new QLabel;
  pageLabel_->setObjectName(QStringLiteral("PageLabel"));
  tools->addWidget(pageLabel_);
  tools->addAction(Item(QStringLiteral("NextPage")));
  tools->addSeparator();
  tools->addAction(snap);
  tools->addSeparator();
  tools->addWidget(new QLabel(QStringLiteral("行 ")));
  tagRow_ = new QSpinBox;
  tagRow_->setObjectName(QStringLiteral("TagRow"));
  tagRow_->setRange(1, 999);
  tagRow_->setToolTip(QStringLiteral("挿入する列タグの行番号、または 1 ページの行数"));
  tools->addWidget(tagRow_);
  connect(tagRow_, &QSpinBox::valueChanged, this, [this] { FillFieldList(); });
  FillFieldList();
  tools->addSeparator();
  for (QAction* item : add->actions()) {
    tools->addAction(item);
  }
}

}  // namespace designer
