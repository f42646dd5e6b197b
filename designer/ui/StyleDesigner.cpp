#include "designer/ui/StyleDesigner.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QUndoStack>
#include <QUndoView>
#include <cmath>
#include <functional>
#include <string_view>

#include "catalogue/core/DocumentList.h"
#include "designer/core/ElementSnap.h"
#include "designer/core/PictureNames.h"
#include "designer/core/RecordFields.h"
#include "designer/core/RowRepeat.h"
#include "designer/ui/DesignerCanvas.h"
#include "designer/ui/EditCommand.h"
#include "designer/ui/PropertyPanel.h"
#include "designer/ui/QtElementMeasurer.h"
#include "designer/ui/RepeatDialog.h"
#include "designer/ui/RuledScrollArea.h"
#include "layout/core/Pictures.h"
#include "layout/core/StyleFile.h"
#include "platform/errors/UserError.h"
#include "platform/qt/Desktop.h"
#include "platform/text/Cp932.h"
#include "printing/core/Binding.h"
#include "printing/core/PageDrawing.h"
#include "printing/core/PaperSizes.h"
#include "widgets/ApplicationTitle.h"
#include "widgets/Dialogs.h"
#include "widgets/SettingValues.h"
#include "widgets/WindowPlacement.h"

namespace designer {

namespace {

// The field list: a drag carries the tag as plain text.
class TagList : public QListWidget {
 protected:
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
    auto* data = new QMimeData;
    if (!items.isEmpty()) {
      data->setText(items.front()->data(Qt::UserRole).toString());
    }
    return data;
  }
};

constexpr const char* kSection = "fstyledesign";
constexpr const char* kGridStepKey = "GridStep";  // tenths of a millimetre
constexpr int kDesignedWidth = 1180;
constexpr int kDesignedHeight = 800;
constexpr int kTextField = 20;
constexpr int kDragThresholdPixels = 3;
constexpr int kHandlePixels = 5;  // how near a handle the pointer must be

std::string Bytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// What tells a file's content apart cheaply: its size and a hash of its
// bytes.
std::string BytesStamp(std::string_view bytes) {
  return std::to_string(bytes.size()) + ":" + std::to_string(std::hash<std::string_view>()(bytes));
}

// The stamp of a file's bytes ("" when it cannot be read).
std::string FileStamp(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  QByteArray bytes = file.readAll();
  return BytesStamp(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// A picture's name as a style field holds it (code page 932); throws the
// program's message when it holds what a field cannot, or characters that
// code page 932 lacks (the file would not be found again).
std::string PictureFieldValue(const QString& name) {
  std::string bytes = platform::Utf8ToCp932(name.toStdString());
  std::string refused = CheckFieldValue(FieldType::PictureFile, bytes);
  if (!refused.empty()) {
    throw platform::UserError(refused);
  }
  if (QString::fromStdString(platform::Cp932ToUtf8(bytes)) != name) {
    throw platform::UserError("「" + name.toStdString() +
                              "」には、スタイルファイルに書けない文字が含まれています");
  }
  return bytes;
}

}  // namespace

StyleDesigner::StyleDesigner(DesignerServices services, QWidget* parent)
    : QMainWindow(parent),
      s_(std::move(services)),
      sheet_(s_.metrics),
      measurer_(std::make_unique<QtElementMeasurer>(s_.pictures, logicalDpiX())),
      edited_(StyleDocument::NewStyle()) {
  setObjectName(QStringLiteral("fstyledesign"));
  setAttribute(Qt::WA_DeleteOnClose);
  undo_ = new QUndoStack(this);
  edited_.OnChange([this](const std::vector<int>& select) { ChangedTo(select); });
  BuildWindow();
  BuildMenus();
  SetGridStep(widgets::ReadSettingInteger(s_.settingsFile, kSection, kGridStepKey, 10));
  connect(undo_, &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
  widgets::RestoreWindowGeometry(*this, s_.settingsFile, kSection, kDesignedWidth, kDesignedHeight);
  UpdateTitle();
  UpdateActions();
}

StyleDesigner::~StyleDesigner() {
  // The stack goes after this window's own part; it must not call back.
  disconnect(undo_, nullptr, this, nullptr);
}

void StyleDesigner::BuildWindow() {
  canvas_ = new DesignerCanvas(s_.pictures);
  canvas_->SetSheet(s_.metrics, Fixed::FromInt(logicalDpiX()), Fixed::FromInt(logicalDpiY()));
  scroll_ = new RuledScrollArea;
  scroll_->setObjectName(QStringLiteral("DesignScroll"));
  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->setAlignment(Qt::AlignCenter);
  scroll_->SetCanvas(canvas_);
  // A click on the grey desk round the page gives the page the keys.
  scroll_->setFocusProxy(canvas_);
  setCentralWidget(scroll_);
  connect(canvas_, &DesignerCanvas::pressed, this, &StyleDesigner::Pressed);
  connect(canvas_, &DesignerCanvas::dragged, this, &StyleDesigner::Dragged);
  connect(canvas_, &DesignerCanvas::released, this, &StyleDesigner::Released);
  connect(canvas_, &DesignerCanvas::cycleRequested, this, &StyleDesigner::Cycle);
  connect(canvas_, &DesignerCanvas::pointerMoved, this, [this](MmPoint at) {
    scroll_->SetPointer(at);
    pointerLabel_->setText(
        QStringLiteral("ポインター X %1  Y %2 mm")
            .arg(QString::fromStdString(DecimalText(SnapTo(at.x, Fixed::FromRaw(1000)))),
                 QString::fromStdString(DecimalText(SnapTo(at.y, Fixed::FromRaw(1000))))));
  });
  connect(canvas_, &DesignerCanvas::drawFailed, this, [this](const QString& message) {
    // Shown in the status bar, not a box on every repaint.
    if (message != drawError_) {
      drawError_ = message;
      // The problems list names the line; the drawing's message does not.
      if (problems_.empty()) {
        ShowStatus(QStringLiteral("描画できない要素があります: ") + message);
      } else {
        ShowProblemsStatus();
      }
    }
  });

  panel_ = new PropertyPanel(*s_.dialogs);
  panel_->SetPictureChooser([this] { return ChoosePicture(); });
  connect(panel_, &PropertyPanel::fieldEdited, this, &StyleDesigner::EditField);
  connect(panel_, &PropertyPanel::recordEdited, this, &StyleDesigner::EditRecord);
  auto* dock = new QDockWidget(QStringLiteral("プロパティ"), this);
  dock->setObjectName(QStringLiteral("PropertyDock"));
  dock->setFeatures(QDockWidget::DockWidgetMovable);
  dock->setWidget(panel_);
  dock->setMinimumWidth(300);
  addDockWidget(Qt::RightDockWidgetArea, dock);

  // Every step since the style was opened; a click goes back to any of them.
  auto* history = new QUndoView(undo_);
  history->setObjectName(QStringLiteral("UndoHistory"));
  history->setEmptyLabel(QStringLiteral("(開いたとき)"));
  auto* historyDock = new QDockWidget(QStringLiteral("操作の履歴"), this);
  historyDock->setObjectName(QStringLiteral("UndoHistoryDock"));
  historyDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
  historyDock->setWidget(history);
  addDockWidget(Qt::RightDockWidgetArea, historyDock);
  historyDock->hide();  // shown from the 表示 menu

  // The fields a page can show, dragged onto the page or into a text.
  fieldList_ = new TagList;
  fieldList_->setObjectName(QStringLiteral("FieldList"));
  fieldList_->setDragEnabled(true);
  fieldList_->setDragDropMode(QAbstractItemView::DragOnly);
  fieldList_->setToolTip(QStringLiteral(
      "ページへドラッグすると、その項目を差し込む文字の要素を置きます。文字の要素へドロップするか"
      "ダブルクリックすると、選んだ文字に差し込みます"));
  auto* fieldsDock = new QDockWidget(QStringLiteral("差し込む項目"), this);
  fieldsDock->setObjectName(QStringLiteral("FieldsDock"));
  fieldsDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
  fieldsDock->setWidget(fieldList_);
  fieldsDock->setMaximumWidth(200);  // the page keeps the room
  addDockWidget(Qt::LeftDockWidgetArea, fieldsDock);
  connect(fieldList_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { InsertTag(item->data(Qt::UserRole).toString()); });
  connect(canvas_, &DesignerCanvas::tagDropped, this, &StyleDesigner::DropTag);
  connect(canvas_, &DesignerCanvas::menuRequested, this, [this](MmPoint at, const QPoint& global) {
    // The element under the pointer is what the menu acts on, unless it is
    // one of the selection.
    std::optional<int> hit =
        ElementAt(edited_.Document(), at, Tolerance(), measurer_.get(), canvas_->PixelsPerMm());
    if (!hit || std::find(selection_.begin(), selection_.end(), *hit) == selection_.end()) {
      Select(hit.value_or(-1));
    }
    QMenu* menu = ContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(global);
  });

  // The lines the page cannot draw as they stand, each leading to its line.
  problemList_ = new QListWidget;
  problemList_->setObjectName(QStringLiteral("ProblemList"));
  problemDock_ = new QDockWidget(QStringLiteral("問題のある行"), this);
  problemDock_->setObjectName(QStringLiteral("ProblemsDock"));
  problemDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
  problemDock_->setWidget(problemList_);
  addDockWidget(Qt::BottomDockWidgetArea, problemDock_);
  problemDock_->hide();
  auto go = [this](QListWidgetItem* item) {
    if (item != nullptr) {
      Select(item->data(Qt::UserRole).toInt());
    }
  };
  connect(problemList_, &QListWidget::itemClicked, this, go);
  connect(problemList_, &QListWidget::itemActivated, this, go);

  auto* bar = statusBar();
  bar->setObjectName(QStringLiteral("DesignStatus"));
  positionLabel_ = new QLabel;
  pointerLabel_ = new QLabel;
  messageLabel_ = new QLabel;
  messageLabel_->setObjectName(QStringLiteral("DesignMessage"));
  bar->addWidget(positionLabel_);
  bar->addWidget(messageLabel_, 1);
  bar->addPermanentWidget(pointerLabel_);
}

QAction* StyleDesigner::Item(const QString& name) const {
  return findChild<QAction*>(name);
}

StyleDocument StyleDesigner::NewStyleOnPrintersPaper() const {
  const printing::PrintState* state = s_.printState;
  if (state != nullptr && state->PaperEntry() == layout::kCustomPaperEntry &&
      state->CustomPaper()) {
    StyleDocument document = StyleDocument::NewStyle();
    ApplyEdit(document, designer::SetPaper(document, state->PaperEntry(), state->Orientation(), -1,
                                           state->CustomPaper()));
    return document;
  }
  if (state == nullptr || state->PaperEntry() < 1 || state->PaperEntry() > printing::kPaperCount) {
    return StyleDocument::NewStyle();
  }
  return StyleDocument::NewStyle(state->PaperEntry(), state->Orientation());
}

void StyleDesigner::FollowStylePaper() {
  StylePaper paper = PaperOf(edited_.Document());
  const printing::PrintState* state = s_.printState;
  // The printer's own measurements where it is set to the style's paper.
  bool printersPaper = state == nullptr
                           ? paper.entry == StyleDocument::kA4Entry && paper.orientation == 0
                           : paper.entry == state->PaperEntry() &&
                                 paper.orientation == state->Orientation() &&
                                 paper.custom == state->CustomPaper();
  printing::PrinterMetrics sheet =
      printersPaper
          ? s_.metrics
          : printing::MetricsOnPaper(s_.metrics, paper.entry, paper.orientation, paper.custom);
  if (sheet.sheetWidthMm == sheet_.sheetWidthMm && sheet.sheetHeightMm == sheet_.sheetHeightMm &&
      sheet.printableWidthMm == sheet_.printableWidthMm &&
      sheet.printableHeightMm == sheet_.printableHeightMm) {
    return;
  }
  sheet_ = sheet;
  canvas_->SetSheet(sheet_, Fixed::FromInt(logicalDpiX()), Fixed::FromInt(logicalDpiY()));
  SetZoom(zoomChoice_);
}

void StyleDesigner::SetPaper(int paperEntry, int orientation,
                             std::optional<layout::CustomPaperSize> custom) {
  int selected = selected_;
  Perform([&] {
    return designer::SetPaper(edited_.Document(), paperEntry, orientation, selected, custom);
  });
}

void StyleDesigner::ChoosePaper() {
  StylePaper current = PaperOf(edited_.Document());
  QDialog dialog(this);
  dialog.setObjectName(QStringLiteral("DesignPaperDialog"));
  dialog.setWindowTitle(QStringLiteral("用紙の設定"));
  auto* papers = new QComboBox;
  papers->setObjectName(QStringLiteral("DesignPaperBox"));
  for (int entry = 1; entry <= printing::kPaperCount; ++entry) {
    // Reserved codes have no paper: offered, they could only fail.
    const printing::PaperSize* paper = printing::PaperOfCode(entry);
    if (paper != nullptr && paper->unit != printing::PaperUnit::None) {
      papers->addItem(QString::fromUtf8(printing::PaperLabel(entry)), entry);
    }
  }
  // A size of the user's own, where printers take one (their user-defined
  // paper); the sheet shown last is where it starts.
  papers->addItem(QString::fromUtf8(printing::PaperLabel(layout::kCustomPaperEntry)),
                  layout::kCustomPaperEntry);
  if (papers->findData(current.entry) < 0) {
    // A paper the list does not offer (none, or a reserved code) stays
    // unless another is chosen.
    papers->insertItem(0, QStringLiteral("（今の用紙のまま: 番号 %1）").arg(current.entry),
                       current.entry);
  }
  papers->setCurrentIndex(std::max(0, papers->findData(current.entry)));
  layout::CustomPaperSize start = current.custom.value_or(
      layout::CustomPaperSize{Fixed::FromInt(std::min(sheet_.sheetWidthMm, sheet_.sheetHeightMm)),
                              Fixed::FromInt(std::max(sheet_.sheetWidthMm, sheet_.sheetHeightMm))});
  auto sideBox = [&](const char* name, Fixed value) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(1);
    box->setRange(layout::kCustomPaperLeast, layout::kCustomPaperMost);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(static_cast<double>(value.Raw()) / Fixed::kOne);
    return box;
  };
  QDoubleSpinBox* width = sideBox("DesignPaperWidth", start.widthMm);
  QDoubleSpinBox* height = sideBox("DesignPaperHeight", start.heightMm);
  auto followChoice = [papers, width, height] {
    bool custom = papers->currentData().toInt() == layout::kCustomPaperEntry;
    width->setEnabled(custom);
    height->setEnabled(custom);
  };
  connect(papers, &QComboBox::currentIndexChanged, &dialog, followChoice);
  followChoice();
  auto* portrait = new QRadioButton(QStringLiteral("縦(&P)"));
  auto* landscape = new QRadioButton(QStringLiteral("横(&L)"));
  (current.orientation != 0 ? landscape : portrait)->setChecked(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("用紙(&S):"), papers);
  form->addRow(QStringLiteral("幅(&W):"), width);
  form->addRow(QStringLiteral("高さ(&H):"), height);
  auto* orientations = new QHBoxLayout;
  orientations->addWidget(portrait);
  orientations->addWidget(landscape);
  form->addRow(QStringLiteral("向き:"), orientations);
  form->addRow(buttons);
  if (dialog.exec() == QDialog::Accepted) {
    auto tenths = [](const QDoubleSpinBox* box) {
      return Fixed::FromRaw(std::llround(box->value() * 10) * (Fixed::kOne / 10));
    };
    int entry = papers->currentData().toInt();
    std::optional<layout::CustomPaperSize> custom;
    if (entry == layout::kCustomPaperEntry) {
      custom = layout::CustomPaperSize{tenths(width), tenths(height)};
    }
    SetPaper(entry, landscape->isChecked() ? 1 : 0, custom);
  }
}

bool StyleDesigner::Open(const QString& path) {
  StyleDocument document = NewStyleOnPrintersPaper();
  if (!path.isEmpty()) {
    bool read =
        widgets::RunReported(*s_.dialogs, [&] { document = OpenStyleDocument(Bytes(path)); });
    if (!read) {
      return false;
    }
  }
  Take(std::move(document), path, path.isEmpty() ? std::string() : FileStamp(path));
  return true;
}

void StyleDesigner::OpenPrintState() {
  const printing::PrintState* state = s_.printState;
  if (state == nullptr || !state->StyleLoaded()) {
    Take(NewStyleOnPrintersPaper(), {}, {});
    return;
  }
  // The bytes the print window read: if the file has changed since, saving
  // here asks before it overwrites.
  Take(StyleDocument::FromBytes(state->Bytes()),
       QFile::decodeName(QByteArray::fromStdString(state->Path())), BytesStamp(state->Bytes()));
}

void StyleDesigner::Take(StyleDocument document, const QString& path, std::string fileStamp) {
  undo_->clear();
  edited_.Replace(std::move(document));
  path_ = path;
  knownFile_ = std::move(fileStamp);
  measurer_->SetStyleFolder(path.isEmpty() ? std::string() : printing::FolderOf(Bytes(path)));
  drawError_.clear();
  ShowStatus(
      edited_.Document().ConvertedFromOlder()
          ? QStringLiteral("旧形式 (Ver1.0) のスタイルです。保存すると Ver1.1 の形式で書き込みます")
          : QString());
  SetZoom(zoomChoice_);
  Changed(-1);
  if (!problems_.empty()) {
    // Said when the style is opened; the list leads to each line. A few
    // lines of it, so the page keeps the room.
    problemDock_->show();
    resizeDocks({problemDock_}, {std::min(200, 40 + 18 * static_cast<int>(problems_.size()))},
                Qt::Vertical);
    ShowProblemsStatus();
  }
}

bool StyleDesigner::IsModified() const {
  return !undo_->isClean();
}

QString StyleDesigner::StatusText() const {
  return messageLabel_->text();
}

void StyleDesigner::ShowStatus(const QString& text) {
  messageLabel_->setText(text);
  statusNamesProblems_ = false;
}

void StyleDesigner::ShowProblemsStatus() {
  ShowStatus(problems_.empty() ? QString() : ProblemsSummary());
  statusNamesProblems_ = !problems_.empty();
}

void StyleDesigner::UpdateTitle() {
  // Names the file edited to whoever opened this window (the print window
  // compares it with the style it shows).
  setWindowFilePath(path_);
  QString name = path_.isEmpty() ? QStringLiteral("新しいスタイル") : QFileInfo(path_).fileName();
  setWindowTitle(
      QStringLiteral("%1%2 - スタイルデザイン - %3")
          .arg(name, IsModified() ? QStringLiteral(" *") : QString(), widgets::ApplicationTitle()));
}

void StyleDesigner::UpdateActions() {
  bool any = selected_ > 0;
  bool many = selection_.size() > 1;
  for (const char* name : {"DesignDuplicate", "DesignDelete", "DesignCut", "DesignCopy",
                           "DesignNextRow", "DesignRepeat"}) {
    Item(QString::fromLatin1(name))->setEnabled(any);
  }
  // One step forward or back moves one element; several go to the front or
  // the back together.
  Item(QStringLiteral("DesignForward"))
      ->setEnabled(any && !many && CanBringForward(edited_.Document(), selected_));
  Item(QStringLiteral("DesignBackward"))
      ->setEnabled(any && !many && CanSendBackward(edited_.Document(), selected_));
  Item(QStringLiteral("DesignToFront"))
      ->setEnabled(any && (many || CanBringForward(edited_.Document(), selected_)));
  Item(QStringLiteral("DesignToBack"))
      ->setEnabled(any && (many || CanSendBackward(edited_.Document(), selected_)));
  for (const char* name : {"AlignLeft", "AlignRight", "AlignTop", "AlignBottom",
                           "AlignCentresAcross", "AlignCentresDown"}) {
    Item(QString::fromLatin1(name))->setEnabled(many);
  }
  for (const char* name : {"DistributeAcross", "DistributeDown"}) {
    Item(QString::fromLatin1(name))->setEnabled(selection_.size() > 2);
  }
  ElementKind kind =
      any && !many ? KindOfLine(edited_.Document().Text(selected_)) : ElementKind::Unknown;
  // Tags go into the selected text; the page capacity needs none selected.
  bool text = kind == ElementKind::Char || kind == ElementKind::Data;
  for (QAction* tag : findChild<QMenu*>(QStringLiteral("TagMenu"))->actions()) {
    if (tag->objectName() != QStringLiteral("Tagmaxline")) {
      tag->setEnabled(text);
    }
  }
  Item(QStringLiteral("PreviousPage"))->setEnabled(showData_ && page_ > 1);
  Item(QStringLiteral("NextPage"))->setEnabled(showData_ && !lastPage_);
  pageLabel_->setText(showData_ ? QStringLiteral(" %1 ページ ").arg(page_)
                                : QStringLiteral(" タグ表示 "));
}

std::optional<ElementShape> StyleDesigner::ShapeOf(int line) const {
  if (line <= 0 || line >= edited_.Document().LineCount()) {
    return std::nullopt;
  }
  return ShapeOfLine(ShownText(line), measurer_.get());
}

void StyleDesigner::CancelDrag() {
  drag_.Cancel();
  canvas_->SetGuides(std::nullopt, std::nullopt);
  groupDrag_ = GroupDrag::None;
  groupShown_.reset();
  canvas_->SetBand(std::nullopt);
}

const std::optional<StyleEdit>& StyleDesigner::ShownEdit() const {
  return groupShown_ ? groupShown_ : drag_.ShownEdit();
}

std::string StyleDesigner::ShownText(int line) const {
  const std::optional<StyleEdit>& shown = ShownEdit();
  if (shown && shown->removed.size() == shown->inserted.size() && line >= shown->index &&
      line < shown->index + static_cast<int>(shown->inserted.size())) {
    return shown->inserted[static_cast<std::size_t>(line - shown->index)].text;
  }
  return edited_.Document().Text(line);
}

void StyleDesigner::SelectMany(std::vector<int> lines, int primary) {
  edited_.SetStepRunOpen(false);
  ChangedTo(std::move(lines), primary);
}

void StyleDesigner::Changed(int select) {
  ChangedTo(select > 0 ? std::vector<int>{select} : std::vector<int>{});
}

void StyleDesigner::ChangedTo(std::vector<int> select, int primary) {
  // Whatever changed the document ends a drag in progress; the drag was
  // computed from the document as it stood.
  CancelDrag();
  int count = edited_.Document().LineCount();
  std::erase_if(select, [count](int line) { return line < 1 || line >= count; });
  std::sort(select.begin(), select.end());
  select.erase(std::unique(select.begin(), select.end()), select.end());
  selection_ = select;
  if (std::find(select.begin(), select.end(), primary) == select.end()) {
    primary = select.empty() ? -1 : select.back();
  }
  selected_ = primary;
  FollowStylePaper();
  Redraw();
  ShowProblems();
  ShowSelection();
  UpdateTitle();
  UpdateActions();
}

void StyleDesigner::Redraw() {
  std::vector<std::string> lines = edited_.Document().Texts();
  // A drag is shown on the drawn lines only; the document changes when the
  // button is let go.
  if (const std::optional<StyleEdit>& shown = ShownEdit()) {
    auto at = lines.begin() + shown->index;
    at = lines.erase(at, at + static_cast<std::ptrdiff_t>(shown->removed.size()));
    for (const StyleLine& line : shown->inserted) {
      at = std::next(lines.insert(at, line.text));
    }
  }
  // Drawn as the print window draws: from UTF-8.
  for (std::string& line : lines) {
    line = platform::DecodeCp932(line);
  }
  lastPage_ = true;
  if (showData_ && s_.clock != nullptr) {
    try {
      if (!binding_) {
        binding_ = s_.printState ? s_.printState->Binding() : printing::BindingData{};
      }
      lastPage_ = printing::BindPageData(lines, page_, *binding_, *s_.clock).lastPage;
    } catch (const std::exception& e) {
      ShowStatus(QString::fromUtf8(e.what()));
      lastPage_ = true;  // no page after one that cannot be bound
    }
  }
  std::string folder = path_.isEmpty() ? std::string() : printing::FolderOf(Bytes(path_));
  drawError_.clear();
  canvas_->SetLines(std::move(lines), folder);
}

QString StyleDesigner::ProblemsSummary() const {
  const StyleProblem& first = problems_.front();
  return QStringLiteral("%1 行に問題があります (%2 行目: %3)。「問題のある行」から選んで直せます")
      .arg(problems_.size())
      .arg(layout::LineNumberShown(first.line))
      .arg(QString::fromStdString(first.reason));
}

void StyleDesigner::ShowProblems() {
  std::string folder = path_.isEmpty() ? std::string() : printing::FolderOf(Bytes(path_));
  auto found = [&folder](const std::string& nameCp932) {
    return !layout::PicturePath(platform::DecodeCp932(nameCp932), folder).empty();
  };
  problems_ = FindStyleProblems(edited_.Document(), found);
  if (statusNamesProblems_) {
    ShowProblemsStatus();  // one repaired: the line names what is left
  }
  QSignalBlocker quiet(problemList_);
  problemList_->clear();
  for (const StyleProblem& problem : problems_) {
    auto* item = new QListWidgetItem(QStringLiteral("%1 行目: %2")
                                         .arg(layout::LineNumberShown(problem.line))
                                         .arg(QString::fromStdString(problem.reason)));
    item->setData(Qt::UserRole, problem.line);
    problemList_->addItem(item);
    if (problem.line == selected_) {
      problemList_->setCurrentItem(item);
    }
  }
  // Pictures not found stand as crossed boxes of their size.
  std::vector<MmBox> missing;
  const StyleDocument& document = edited_.Document();
  for (int line = 1; line < document.PageEnd(); ++line) {
    if (KindOfLine(document.Text(line)) == ElementKind::Image) {
      std::string name = RecordFields(document.Text(line)).Get(kPictureField);
      if (name.empty() || !found(name)) {
        if (std::optional<MmBox> box = MissingPictureBox(document.Text(line))) {
          missing.push_back(*box);
        }
      }
    }
  }
  canvas_->SetPlaceholders(std::move(missing));
}

void StyleDesigner::ShowSelection() {
  std::optional<ElementShape> shape = ShapeOf(selected_);
  bool many = selection_.size() > 1;
  canvas_->SetSelection(many ? std::nullopt : shape);
  std::vector<MmBox> group;
  if (many) {
    for (int line : selection_) {
      if (std::optional<ElementShape> each = ShapeOf(line)) {
        group.push_back(each->box);
      }
    }
  }
  canvas_->SetGroupSelection(std::move(group));
  std::vector<ElementKind> kinds;
  if (many) {
    for (int line : selection_) {
      kinds.push_back(KindOfLine(edited_.Document().Text(line)));
    }
  }
  panel_->ShowRecord(selected_, selected_ > 0 ? edited_.Document().Text(selected_) : std::string(),
                     kinds);
  if (shape) {
    positionLabel_->setText(QStringLiteral("%1 行目  X %2  Y %3 mm")
                                .arg(layout::LineNumberShown(selected_))
                                .arg(QString::fromStdString(DecimalText(
                                         shape->isSegment ? shape->start.x : shape->box.left)),
                                     QString::fromStdString(DecimalText(
                                         shape->isSegment ? shape->start.y : shape->box.top))));
    // Keep the selection in view.
    QPoint at = canvas_->ToPixel({shape->box.left, shape->box.top});
    scroll_->ensureVisible(at.x(), at.y(), 40, 40);
  } else {
    positionLabel_->setText(selected_ > 0
                                ? QStringLiteral("%1 行目").arg(layout::LineNumberShown(selected_))
                                : QString());
  }
  if (many) {
    positionLabel_->setText(QStringLiteral("%1 個の要素を選択中 (パネルは %2 行目)")
                                .arg(selection_.size())
                                .arg(layout::LineNumberShown(selected_)));
  }
}

void StyleDesigner::Select(int line) {
  edited_.SetStepRunOpen(false);
  Changed(line);
}

void StyleDesigner::Cycle(bool forward) {
  // Every element line, those that cannot be drawn too: they are reached to
  // be repaired.
  std::vector<int> lines;
  for (int line = 1; line < edited_.Document().PageEnd(); ++line) {
    lines.push_back(line);
  }
  if (lines.empty()) {
    Select(-1);
    return;
  }
  auto at = std::find(lines.begin(), lines.end(), selected_);
  if (at == lines.end()) {
    Select(forward ? lines.front() : lines.back());
  } else if (forward) {
    Select(std::next(at) == lines.end() ? lines.front() : *std::next(at));
  } else {
    Select(at == lines.begin() ? lines.back() : *std::prev(at));
  }
}

void StyleDesigner::SetZoom(int zoomPercent) {
  zoomChoice_ = zoomPercent;
  int zoom = zoomPercent == 0 ? canvas_->FitZoom(scroll_->viewport()->size()) : zoomPercent;
  canvas_->SetZoom(zoom);
  int index = zoomBox_->findData(zoomPercent);
  if (index < 0) {
    zoomBox_->addItem(QStringLiteral("%1%").arg(zoomPercent), zoomPercent);
    index = zoomBox_->count() - 1;
  }
  zoomBox_->setCurrentIndex(index);
  scroll_->RefreshRulers();
}

void StyleDesigner::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (zoomChoice_ == 0) {
    canvas_->SetZoom(canvas_->FitZoom(scroll_->viewport()->size()));
    scroll_->RefreshRulers();
  }
}

void StyleDesigner::SetShowData(bool shown) {
  showData_ = shown;
  page_ = 1;
  binding_.reset();  // the list is read afresh each time the data is shown
  QAction* toggle = Item(QStringLiteral("ShowData"));
  if (toggle->isChecked() != shown) {
    QSignalBlocker quiet(toggle);
    toggle->setChecked(shown);
  }
  ChangedTo(selection_, selected_);
}

void StyleDesigner::StepPage(bool forward) {
  if (!showData_ || (forward && lastPage_) || (!forward && page_ <= 1)) {
    return;
  }
  page_ += forward ? 1 : -1;
  ChangedTo(selection_, selected_);
}

void StyleDesigner::SetGridStep(int tenths) {
  if (std::find(std::begin(kGridSteps), std::end(kGridSteps), tenths) == std::end(kGridSteps)) {
    tenths = 10;  // a value the settings file should not hold
  }
  gridStep_ = Fixed::FromRaw(tenths * 1000LL);
  canvas_->SetGridStep(gridStep_);
  if (QAction* choice = Item(QStringLiteral("GridStep%1").arg(tenths))) {
    choice->setChecked(true);
  }
  if (tenths != widgets::ReadSettingInteger(s_.settingsFile, kSection, kGridStepKey, 10)) {
    widgets::WriteSettingInteger(*s_.dialogs, s_.settingsFile, kSection, kGridStepKey, tenths);
  }
}

void StyleDesigner::SetSnap(bool snap) {
  snap_ = snap;
  canvas_->SetGridShown(snap);
  QAction* toggle = Item(QStringLiteral("SnapGrid"));
  if (toggle->isChecked() != snap) {
    QSignalBlocker quiet(toggle);
    toggle->setChecked(snap);
  }
}

MmPoint StyleDesigner::PageCentre() const {
  return {Fixed::Divide(Fixed::FromInt(sheet_.printableWidthMm), Fixed::FromInt(2)),
          Fixed::Divide(Fixed::FromInt(sheet_.printableHeightMm), Fixed::FromInt(2))};
}

Fixed StyleDesigner::Tolerance() const {
  return kHandlePixels * canvas_->MmPerPixel();
}

void StyleDesigner::Perform(const std::function<StyleEdit()>& make, int mergeId) {
  if (mergeId < 0) {
    edited_.SetStepRunOpen(false);
  }
  CancelDrag();
  // Text still being typed in the panel is the user's latest change.
  panel_->CommitPending();
  widgets::RunReported(*s_.dialogs, [&] {
    StyleEdit edit = make();
    undo_->push(new EditCommand(edited_, std::move(edit), mergeId));
  });
}

void StyleDesigner::Nudge(int dxTenths, int dyTenths) {
  Fixed dx = Fixed::FromRaw(dxTenths * 1000LL);
  Fixed dy = Fixed::FromRaw(dyTenths * 1000LL);
  if (selection_.size() > 1) {
    std::vector<int> lines = selection_;
    Perform([&] { return MoveElements(edited_.Document(), lines, dx, dy, kTenthMm); },
            EditCommand::kArrowStep);
    edited_.SetStepRunOpen(true);
    return;
  }
  if (!ShapeOf(selected_)) {
    return;
  }
  int line = selected_;
  Perform([&] { return MoveElement(edited_.Document(), line, dx, dy, kTenthMm); },
          EditCommand::kArrowStep);
  edited_.SetStepRunOpen(true);
}

void StyleDesigner::ResizeBy(int dwTenths, int dhTenths) {
  std::vector<int> lines = selection_;
  bool any = std::any_of(lines.begin(), lines.end(), [this](int line) {
    std::optional<ElementShape> shape = ShapeOf(line);
    return shape && shape->resizable;
  });
  if (!any) {
    ShowStatus(QStringLiteral("文字の大きさは、プロパティの「文字の大きさ」で変えます"));
    return;
  }
  Fixed dw = Fixed::FromRaw(dwTenths * 1000LL);
  Fixed dh = Fixed::FromRaw(dhTenths * 1000LL);
  Perform([&] { return ResizeElementsBy(edited_.Document(), lines, dw, dh, measurer_.get()); },
          EditCommand::kResizeStep);
  edited_.SetStepRunOpen(true);
}

void StyleDesigner::DeleteSelected() {
  std::vector<int> lines = selection_;
  if (lines.empty()) {
    return;
  }
  Perform([&] { return DeleteElements(edited_.Document(), lines); });
}

void StyleDesigner::DuplicateSelected() {
  std::vector<int> lines = selection_;
  if (lines.empty()) {
    return;
  }
  Perform([&] { return DuplicateElements(edited_.Document(), lines, Fixed::FromInt(5)); });
}

void StyleDesigner::DuplicateAsNextRow(std::optional<Fixed> pitch) {
  std::vector<int> lines = selection_;
  if (lines.empty()) {
    return;
  }
  if (!pitch) {
    pitch = RowPitch(edited_.Document());
  }
  if (!pitch) {
    std::optional<MmBox> box = BoxAroundElements(edited_.Document(), lines, measurer_.get());
    pitch = AskRowPitch(this, box ? SnapTo(box->bottom - box->top, kTenthMm) : Fixed::FromInt(10));
    if (!pitch) {
      return;
    }
  }
  Fixed down = *pitch;
  Perform([&] { return DuplicateAsNextRows(edited_.Document(), lines, down); });
}

void StyleDesigner::RepeatSelected(int across, int down, Fixed pitchX, Fixed pitchY) {
  std::vector<int> lines = selection_;
  if (!lines.empty()) {
    Perform(
        [&] { return RepeatElements(edited_.Document(), lines, across, down, pitchX, pitchY); });
  }
}

void StyleDesigner::AskAndRepeatSelected() {
  std::vector<int> lines = selection_;
  std::optional<MmBox> box = BoxAroundElements(edited_.Document(), lines, measurer_.get());
  if (!box) {
    return;
  }
  // Cards side by side and rows one under the other, by default touching;
  // a list's rows keep the style's own pitch.
  RepeatChoice suggested;
  suggested.pitchX = SnapTo(box->right - box->left, kTenthMm);
  suggested.pitchY =
      RowPitch(edited_.Document()).value_or(SnapTo(box->bottom - box->top, kTenthMm));
  if (std::optional<RepeatChoice> choice = AskRepeat(this, suggested)) {
    RepeatSelected(choice->across, choice->down, choice->pitchX, choice->pitchY);
  }
}

void StyleDesigner::SelectedToFront() {
  std::vector<int> lines = selection_;
  if (!lines.empty()) {
    Perform([&] { return BringElementsToFront(edited_.Document(), lines); });
  }
}

void StyleDesigner::SelectedToBack() {
  std::vector<int> lines = selection_;
  if (!lines.empty()) {
    Perform([&] { return SendElementsToBack(edited_.Document(), lines); });
  }
}

QMenu* StyleDesigner::ContextMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("PageMenu"));
  for (const char* name : std::initializer_list<const char*>{
           "DesignCut", "DesignCopy", "DesignPaste", "DesignDuplicate", "DesignNextRow",
           "DesignRepeat", "DesignDelete", nullptr, "DesignToFront", "DesignForward",
           "DesignBackward", "DesignToBack", nullptr, "ZoomSelection"}) {
    if (name == nullptr) {
      menu->addSeparator();
    } else {
      menu->addAction(Item(QString::fromLatin1(name)));
    }
  }
  menu->addMenu(findChild<QMenu*>(QStringLiteral("ArrangeMenu")));
  return menu;
}

namespace {

double Millimetres(Fixed v) {
  return static_cast<double>(v.Raw()) / 10000.0;
}

}  // namespace

void StyleDesigner::ZoomToSelection() {
  std::optional<MmBox> all = BoxAroundElements(edited_.Document(), selection_, measurer_.get());
  if (!all) {
    return;
  }
  // Millimetres per pixel at 100 %, from the present zoom.
  double perPixel100 = Millimetres(canvas_->MmPerPixel()) * canvas_->Zoom() / 100.0;
  double width = std::max(5.0, Millimetres(all->right - all->left) + 10.0);
  double height = std::max(5.0, Millimetres(all->bottom - all->top) + 10.0);
  QSize room = scroll_->viewport()->size();
  double zoom =
      100.0 * std::min(room.width() * perPixel100 / width, room.height() * perPixel100 / height);
  SetZoom(std::clamp(static_cast<int>(zoom), 25, 400));
  QApplication::processEvents();  // the canvas takes its new size
  QPoint centre = canvas_->ToPixel({Fixed::Divide(all->left + all->right, Fixed::FromInt(2)),
                                    Fixed::Divide(all->top + all->bottom, Fixed::FromInt(2))});
  scroll_->ensureVisible(centre.x(), centre.y(), room.width() / 2, room.height() / 2);
}

void StyleDesigner::CopySelected() {
  if (s_.desktop == nullptr || selection_.empty()) {
    return;
  }
  s_.desktop->SetClipboardText(
      QString::fromStdString(platform::Cp932ToUtf8(ElementsText(edited_.Document(), selection_))));
  ShowStatus(QStringLiteral("%1 個の要素をコピーしました").arg(selection_.size()));
}

void StyleDesigner::CutSelected() {
  if (s_.desktop == nullptr || selection_.empty()) {
    return;
  }
  CopySelected();
  DeleteSelected();
}

void StyleDesigner::Paste() {
  if (s_.desktop == nullptr) {
    return;
  }
  std::string text = platform::Utf8ToCp932(s_.desktop->ClipboardText().toStdString());
  Perform([&] { return PasteElements(edited_.Document(), text, Fixed::FromInt(5)); });
  canvas_->setFocus();
}

void StyleDesigner::AlignSelected(Alignment alignment) {
  std::vector<int> lines = selection_;
  Perform([&] { return AlignElements(edited_.Document(), lines, alignment, measurer_.get()); });
}

void StyleDesigner::DistributeSelected(bool across) {
  std::vector<int> lines = selection_;
  Perform([&] { return DistributeElements(edited_.Document(), lines, across, measurer_.get()); });
}

std::optional<std::string> StyleDesigner::ChoosePicture() {
  QString picture = s_.dialogs->GetOpenFileName(
      QStringLiteral("画像ファイルを指定して下さい"), QStringLiteral("bmp"),
      QStringLiteral("画像|*.bmp;*.jpg;*.jpeg;*.png|すべてのファイル|*.*"),
      path_.isEmpty() ? s_.styleFolder : QFileInfo(path_).absolutePath());
  if (picture.isEmpty()) {
    return std::nullopt;
  }
  // A picture in the style's folder or below is named from there, so the
  // two can be moved together (a new style's pictures are, when saved).
  if (!path_.isEmpty()) {
    picture = QString::fromStdString(
        PictureNameForStyle(picture.toStdString(), QFileInfo(path_).absolutePath().toStdString()));
  }
  return PictureFieldValue(picture);
}

void StyleDesigner::AddElementOfKind(ElementKind kind) {
  std::optional<std::string> picture;
  if (kind == ElementKind::Image &&
      (!widgets::RunReported(*s_.dialogs, [&] { picture = ChoosePicture(); }) || !picture)) {
    return;
  }
  Perform([&] {
    StyleEdit edit = AddElement(edited_.Document(), kind, PageCentre());
    if (picture && !edit.inserted.empty()) {
      RecordFields fields(edit.inserted.back().text);
      fields.Set(kPictureField, *picture);
      edit.inserted.back().text = fields.Join();
    }
    return edit;
  });
  canvas_->setFocus();
}

QStringList StyleDesigner::OfferedTags() const {
  QStringList tags{QStringLiteral("#T"), QStringLiteral("#FL"), QStringLiteral("#Y"),
                   QStringLiteral("#M"), QStringLiteral("#D"),  QStringLiteral("#W"),
                   QStringLiteral("#pg")};
  QString row = QString::fromStdString(printing::RowNumberText(tagRow_ ? tagRow_->value() : 1));
  for (int col = 0; col < static_cast<int>(catalogue::kRecordFieldCount); ++col) {
    tags << QStringLiteral("#m%1_").arg(QChar('a' + col)) + row;
  }
  return tags;
}

void StyleDesigner::FillFieldList() {
  static const char* const kFixed[] = {"レポートタイトル", "フォルダー", "年", "月", "日", "曜日",
                                       "ページ番号"};
  fieldList_->clear();
  QStringList tags = OfferedTags();
  for (int i = 0; i < tags.size(); ++i) {
    QString meaning = i < 7 ? QString::fromUtf8(kFixed[i])
                            : QString::fromUtf8(catalogue::DocumentList::Heading(i - 7)) +
                                  QStringLiteral(" (%1 行目)").arg(tagRow_ ? tagRow_->value() : 1);
    auto* item = new QListWidgetItem(tags[i] + QStringLiteral("  ") + meaning);
    item->setData(Qt::UserRole, tags[i]);
    fieldList_->addItem(item);
  }
}

void StyleDesigner::DropTag(MmPoint at, const QString& tag) {
  std::optional<int> hit =
      ElementAt(edited_.Document(), at, Tolerance(), measurer_.get(), canvas_->PixelsPerMm());
  if (hit) {
    ElementKind kind = KindOfLine(edited_.Document().Text(*hit));
    if (kind == ElementKind::Char || kind == ElementKind::Data) {
      Select(*hit);
      InsertTag(tag);
      return;
    }
  }
  // A new data element whose text starts at the drop point.
  std::string text = platform::Utf8ToCp932(tag.toStdString());
  Perform([&] {
    StyleEdit edit = AddElement(edited_.Document(), ElementKind::Data, at);
    RecordFields fields(edit.inserted.back().text);
    fields.Set(kTextField, text);
    // Placed as a moved element is: on the grid, a guide or a tenth.
    MmPoint placed = PlacePoint(at, CurrentPlacing(false));
    for (int field : {6, 8}) {
      fields.Set(field, DecimalText(placed.x));
      fields.Set(field + 1, DecimalText(placed.y));
    }
    edit.inserted.back().text = fields.Join();
    return edit;
  });
  canvas_->setFocus();
}

void StyleDesigner::InsertTag(const QString& tag) {
  if (selected_ <= 0) {
    ShowStatus(QStringLiteral("差し込む文字の要素を選んでください"));
    return;
  }
  ElementKind kind = KindOfLine(edited_.Document().Text(selected_));
  if (kind != ElementKind::Char && kind != ElementKind::Data) {
    ShowStatus(QStringLiteral("差し込む文字の要素を選んでください"));
    return;
  }
  QString text = QString::fromStdString(
      platform::Cp932ToUtf8(RecordFields(edited_.Document().Text(selected_)).Get(kTextField)));
  // At the cursor of the text box when it is being edited, else at the end.
  auto* editor = qobject_cast<QLineEdit*>(panel_->Editor(kTextField));
  int at = editor != nullptr && editor->hasFocus() ? editor->cursorPosition() : text.size();
  if (editor != nullptr && editor->hasFocus()) {
    text = editor->text();
  }
  text.insert(at, tag);
  int line = selected_;
  std::string value = platform::Utf8ToCp932(text.toStdString());
  Perform([&] { return SetField(edited_.Document(), line, kTextField, value); });
  if (editor != nullptr) {
    editor->setCursorPosition(at + tag.size());
  }
}

void StyleDesigner::EditField(int field, const QByteArray& value) {
  int line = selected_;
  if (line <= 0) {
    return;
  }
  std::string bytes = value.toStdString();
  // A refused value is reported and the panel shows the stored one again.
  std::vector<int> lines = selection_;
  bool done = widgets::RunReported(*s_.dialogs, [&] {
    // With several elements selected, every one that has the field.
    StyleEdit edit = lines.size() > 1 ? SetFieldOfElements(
                                            edited_.Document(), lines,
                                            KindOfLine(edited_.Document().Text(line)), field, bytes)
                                      : SetField(edited_.Document(), line, field, bytes);
    if (!(edit.inserted == edit.removed)) {
      edited_.SetStepRunOpen(false);
      undo_->push(new EditCommand(edited_, std::move(edit)));
    }
  });
  if (!done) {
    ShowSelection();
  }
}

void StyleDesigner::EditRecord(const QByteArray& text) {
  int line = selected_;
  if (line <= 0) {
    return;
  }
  bool done = widgets::RunReported(*s_.dialogs, [&] {
    StyleEdit edit = ReplaceRecord(edited_.Document(), line, text.toStdString());
    if (!(edit.inserted == edit.removed)) {
      edited_.SetStepRunOpen(false);
      undo_->push(new EditCommand(edited_, std::move(edit)));
    }
  });
  if (!done) {
    ShowSelection();
  }
}

void StyleDesigner::Pressed(MmPoint at, bool extend) {
  edited_.SetStepRunOpen(false);
  if (drag_.Active() || groupDrag_ != GroupDrag::None) {  // a release that never came
    CancelDrag();
    Redraw();
  }
  std::optional<int> hit =
      ElementAt(edited_.Document(), at, Tolerance(), measurer_.get(), canvas_->PixelsPerMm());
  if (extend) {
    // Shift or Ctrl: the element joins or leaves the selection; on the empty
    // page a rectangle adds what it takes in.
    if (hit) {
      std::vector<int> lines = selection_;
      auto found = std::find(lines.begin(), lines.end(), *hit);
      if (found == lines.end()) {
        lines.push_back(*hit);
        SelectMany(lines, *hit);
      } else {
        lines.erase(found);
        SelectMany(lines);
      }
    } else {
      groupDrag_ = GroupDrag::Band;
      bandExtends_ = true;
    }
    return;
  }
  if (hit && selection_.size() > 1 &&
      std::find(selection_.begin(), selection_.end(), *hit) != selection_.end()) {
    groupDrag_ = GroupDrag::Move;  // the whole selection moves
    return;
  }
  DragGesture::Start start = drag_.Press(edited_.Document(), selected_, at, Tolerance(),
                                         measurer_.get(), canvas_->PixelsPerMm());
  if (start.changesSelection) {
    Select(start.line);
  }
  drag_.Begin();
  if (start.changesSelection && start.line < 0) {
    // On the empty page: a rectangle selects what it takes in.
    groupDrag_ = GroupDrag::Band;
    bandExtends_ = false;
  }
}

void StyleDesigner::Dragged(MmPoint from, MmPoint to, bool freely) {
  if (groupDrag_ == GroupDrag::Band) {
    canvas_->SetBand(MmBox{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                           std::max(from.y, to.y)});
    return;
  }
  if (groupDrag_ == GroupDrag::Move) {
    QPoint moved = canvas_->ToPixel(to) - canvas_->ToPixel(from);
    if (!groupShown_ && moved.manhattanLength() < kDragThresholdPixels) {
      return;
    }
    try {
      groupShown_ = GroupMoveEdit(from, to, freely);
    } catch (const std::exception& e) {
      ShowStatus(QString::fromUtf8(e.what()));
      CancelDrag();
    }
    Redraw();
    ShowSelection();
    return;
  }
  if (!drag_.Active()) {
    return;
  }
  QPoint moved = canvas_->ToPixel(to) - canvas_->ToPixel(from);
  if (!drag_.Shown() && moved.manhattanLength() < kDragThresholdPixels) {
    return;  // a click, not a drag
  }
  // Every step is computed from the document, which the drag leaves as it
  // is until the button is let go.
  try {
    drag_.Drag(edited_.Document(), from, to, CurrentPlacing(freely));
    canvas_->SetGuides(drag_.GuideX(), drag_.GuideY());
  } catch (const std::exception& e) {
    ShowStatus(QString::fromUtf8(e.what()));
  }
  Redraw();
  canvas_->SetSelection(ShapeOf(selected_));
}

Placing StyleDesigner::CurrentPlacing(bool freely) const {
  Placing placing;
  if (freely) {
    return placing;
  }
  // The grid, when it is on, wins over the other elements; guides over both.
  placing.grid = snap_ ? gridStep_ : Fixed();
  placing.reach = Tolerance();
  placing.toElements = snapElements_;
  placing.guidesX = canvas_->GuidesX();
  placing.guidesY = canvas_->GuidesY();
  return placing;
}

std::optional<StyleEdit> StyleDesigner::GroupMoveEdit(MmPoint from, MmPoint to, bool freely) const {
  std::optional<MmBox> all = BoxAroundElements(edited_.Document(), selection_, measurer_.get());
  if (!all) {
    return std::nullopt;
  }
  // The top-left corner of the box round them lands on the grid.
  ElementSnap met = PlaceMove(*all, {all->left, all->top}, to.x - from.x, to.y - from.y,
                              OtherElementBoxes(edited_.Document(), selection_, measurer_.get()),
                              CurrentPlacing(freely));
  canvas_->SetGuides(met.guideX, met.guideY);
  if (met.dx == Fixed() && met.dy == Fixed()) {
    return std::nullopt;
  }
  return MoveElements(edited_.Document(), selection_, met.dx, met.dy, kTenthMm);
}

void StyleDesigner::Released(MmPoint from, MmPoint to, bool freely) {
  if (groupDrag_ == GroupDrag::Band) {
    MmBox band{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
               std::max(from.y, to.y)};
    bool extends = bandExtends_;
    CancelDrag();
    std::vector<int> inside = ElementsInside(edited_.Document(), band, measurer_.get());
    if (extends) {
      inside.insert(inside.end(), selection_.begin(), selection_.end());
    }
    if (!inside.empty() || !extends) {
      SelectMany(inside, selected_);
    }
    return;
  }
  if (groupDrag_ == GroupDrag::Move) {
    std::optional<StyleEdit> edit;
    bool shown = groupShown_.has_value();
    try {
      edit = shown ? GroupMoveEdit(from, to, freely) : std::nullopt;
    } catch (const std::exception& e) {
      ShowStatus(QString::fromUtf8(e.what()));
    }
    CancelDrag();
    if (edit) {
      undo_->push(new EditCommand(edited_, std::move(*edit)));
    } else if (shown) {
      ChangedTo(selection_, selected_);
    } else {
      // A click on one of the selection: it alone is selected.
      std::optional<int> hit =
          ElementAt(edited_.Document(), to, Tolerance(), measurer_.get(), canvas_->PixelsPerMm());
      if (hit) {
        Select(*hit);
      }
    }
    return;
  }
  bool shown = drag_.Shown();
  std::optional<StyleEdit> edit;
  try {
    edit = drag_.Release(edited_.Document(), from, to, CurrentPlacing(freely));
  } catch (const std::exception& e) {
    ShowStatus(QString::fromUtf8(e.what()));
  }
  if (!shown) {
    return;  // a click: nothing was shown moved
  }
  if (edit) {
    // The edit for where the button was let go goes on the undo stack.
    undo_->push(new EditCommand(edited_, std::move(*edit)));
  } else {
    ChangedTo(selection_, selected_);  // the document as it is, no longer the drag
  }
}

bool StyleDesigner::SaveTo(const QString& path) {
  // A file changed since it was opened here (the print window saves its
  // offsets and paper into the same file) is not overwritten unasked.
  if (path == path_ && !knownFile_.empty() && FileStamp(path) != knownFile_) {
    widgets::Dialogs::Answer answer = s_.dialogs->AskTwoChoices(
        QStringLiteral("スタイル「%1」は、デザイン画面で開いた後にほかで変更されています。\r\n"
                       "デザイン画面の内容で上書きしますか？")
            .arg(QFileInfo(path).fileName()),
        QStringLiteral("上書きする"), QStringLiteral("やめる"));
    if (answer != widgets::Dialogs::Answer::First) {
      return false;
    }
  }
  std::optional<platform::ReadOnlyTarget> readOnly =
      widgets::AskToReplaceReadOnly(*s_.dialogs, path);
  if (!readOnly) {
    return false;
  }
  NamePicturesFromFolder(path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath(),
                         QFileInfo(path).absolutePath());
  bool written = widgets::RunReported(
      *s_.dialogs, [&] { SaveStyleDocument(edited_.Document(), Bytes(path), *readOnly); });
  if (!written) {
    return false;
  }
  knownFile_ = FileStamp(path);
  path_ = path;
  edited_.SetStepRunOpen(false);
  undo_->setClean();
  measurer_->SetStyleFolder(printing::FolderOf(Bytes(path)));
  ShowStatus(QStringLiteral("保存しました: ") + path);
  ChangedTo(selection_, selected_);  // pictures are now looked for beside the new file
  emit saved(path);
  return true;
}

void StyleDesigner::NamePicturesFromFolder(const QString& readFrom, const QString& folder) {
  std::optional<StyleEdit> names =
      PicturesForSaveIn(edited_.Document(), readFrom.toStdString(), folder.toStdString());
  if (!names) {
    return;
  }
  // The user's selection stays as it is.
  names->selectBefore = names->selectAfter = selected_;
  if (selection_.size() > 1) {
    names->selectManyBefore = names->selectManyAfter = selection_;
  }
  edited_.SetStepRunOpen(false);
  undo_->push(new EditCommand(edited_, std::move(*names)));
}

bool StyleDesigner::Save() {
  CancelDrag();
  panel_->CommitPending();
  if (path_.isEmpty()) {
    return SaveAs();
  }
  return SaveTo(path_);
}

bool StyleDesigner::SaveAs() {
  QString initial =
      path_.isEmpty() ? s_.styleFolder + QStringLiteral("/新しいスタイル.sle") : path_;
  QString path =
      s_.dialogs->GetSaveFileName(QStringLiteral("sle"), QStringLiteral("スタイル|*.sle"), initial);
  if (path.isEmpty()) {
    return false;
  }
  return SaveTo(path);
}

bool StyleDesigner::AgreeToLeaveEdits() {
  CancelDrag();
  panel_->CommitPending();
  if (!IsModified()) {
    return true;
  }
  QString name = path_.isEmpty() ? QStringLiteral("新しいスタイル") : QFileInfo(path_).fileName();
  widgets::Dialogs::Answer answer = s_.dialogs->AskThreeChoices(
      QStringLiteral("スタイル「%1」は変更されています。保存しますか？").arg(name),
      QStringLiteral("保存する"), QStringLiteral("保存しない"), QStringLiteral("戻る"));
  if (answer == widgets::Dialogs::Answer::First) {
    return Save();
  }
  return answer == widgets::Dialogs::Answer::Second;
}

void StyleDesigner::StartNewStyle() {
  if (AgreeToLeaveEdits()) {
    Take(NewStyleOnPrintersPaper(), {}, {});
  }
}

QStringList StyleDesigner::Templates() const {
  QDir folder(s_.styleFolder);
  QStringList names = folder.entryList({QStringLiteral("*.sle")}, QDir::Files, QDir::Name);
  for (QString& name : names) {
    name = folder.absoluteFilePath(name);
  }
  return names;
}

void StyleDesigner::StartFromTemplate(const QString& templatePath) {
  if (!AgreeToLeaveEdits()) {
    return;
  }
  StyleDocument document = StyleDocument::NewStyle();
  bool read =
      widgets::RunReported(*s_.dialogs, [&] { document = OpenStyleDocument(Bytes(templatePath)); });
  if (!read) {
    return;
  }
  // A copy with no name yet: saving asks where, so the template stays as
  // it is. Its pictures are named whole, to be found wherever it is saved.
  if (std::optional<StyleEdit> whole =
          PicturesNamedWhole(document, QFileInfo(templatePath).absolutePath().toStdString())) {
    ApplyEdit(document, *whole);
  }
  Take(std::move(document), {}, {});
  ShowStatus(QStringLiteral("ひな形「%1」から新しいスタイルを作ります。保存すると名前を尋ねます")
                 .arg(QFileInfo(templatePath).completeBaseName()));
}

void StyleDesigner::closeEvent(QCloseEvent* event) {
  if (!AgreeToLeaveEdits()) {
    event->ignore();
    return;
  }
  widgets::RunReported(*s_.dialogs,
                       [&] { widgets::SaveWindowGeometry(*this, s_.settingsFile, kSection); });
  event->accept();
}

QWidget* OpenStyleDesigner(DesignerServices services, QWidget* parent,
                           std::function<void(const std::string& path)> saved) {
  auto* window = new StyleDesigner(std::move(services), parent);
  window->setWindowFlag(Qt::Window);
  window->OpenPrintState();
  QObject::connect(window, &StyleDesigner::saved, window,
                   [saved = std::move(saved)](const QString& path) {
                     if (saved) {
                       saved(Bytes(path));
                     }
                   });
  return window;
}

DesignerOpener DesignerWindows(widgets::Dialogs& dialogs, platform::Desktop& desktop,
                               std::string settingsFile, QString styleFolder) {
  return [&dialogs, &desktop, settingsFile = std::move(settingsFile),
          styleFolder = std::move(styleFolder)](
             QWidget* parent, printing::PrintState& state, const printing::PrinterMetrics& metrics,
             layout::PictureDecoder* pictures, printing::Clock* clock,
             std::function<void(const std::string& path)> saved) {
    DesignerServices services;
    services.dialogs = &dialogs;
    services.desktop = &desktop;
    services.pictures = pictures;
    services.clock = clock;
    services.settingsFile = settingsFile;
    services.styleFolder = styleFolder;
    services.metrics = metrics;
    services.printState = &state;
    return OpenStyleDesigner(std::move(services), parent, std::move(saved));
  };
}

}  // namespace designer
