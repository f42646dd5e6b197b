#include "designer/ui/PropertyPanel.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "designer/core/RecordFields.h"
#include "layout/core/ElementFields.h"
#include "layout/core/StyleFile.h"
#include "platform/text/Cp932.h"
#include "widgets/Dialogs.h"

namespace designer {

namespace {

QString Shown(const std::string& cp932) {
  return QString::fromStdString(platform::Cp932ToUtf8(cp932));
}
QByteArray Stored(const QString& text) {
  return QByteArray::fromStdString(platform::Utf8ToCp932(text.toStdString()));
}

// The Windows face names styles are written with; the program draws them
// with installed stand-ins.
const char* const kWindowsFaces[] = {"ＭＳ 明朝", "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ Ｐゴシック",
                                     "MS UI Gothic"};

// A colour field's value (red + 256 green + 65536 blue) as Qt's colour.
QColor ColourOf(const QString& text) {
  bool ok = false;
  long long value = text.trimmed().toLongLong(&ok);
  if (!ok || value < 0) {
    return Qt::black;
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}
QString ValueOf(const QColor& colour) {
  return QString::number(colour.red() + 256 * colour.green() + 65536 * colour.blue());
}
void PaintSwatch(QToolButton* button, const QColor& colour) {
  button->setStyleSheet(
      QStringLiteral("background-color: %1; border: 1px solid #666;").arg(colour.name()));
}

// A text box with a small button beside it (the colour picker, the file
// dialog), in one widget.
struct EditAndButton {
  QWidget* holder;
  QLineEdit* edit;
  QToolButton* button;
};
EditAndButton EditWithButton(const char* buttonName, const char* tip) {
  auto* holder = new QWidget;
  auto* layout = new QHBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* edit = new QLineEdit;
  auto* button = new QToolButton;
  button->setObjectName(QString::fromLatin1(buttonName));
  button->setToolTip(QString::fromUtf8(tip));
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  return {holder, edit, button};
}

// A choice box as narrow as the panel needs, whatever its longest entry
// (the whole entry shows in the open list).
QComboBox* NarrowComboBox() {
  auto* box = new QComboBox;
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(6);
  return box;
}

}  // namespace

PropertyPanel::PropertyPanel(widgets::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("PropertyPanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  heading_ = new QLabel(QStringLiteral("要素が選ばれていません"));
  heading_->setObjectName(QStringLiteral("PropertyHeading"));
  heading_->setWordWrap(true);
  heading_->setStyleSheet(QStringLiteral("font-weight: bold;"));
  layout->addWidget(heading_);
  // The line as the file holds it, for what the fields below cannot reach.
  recordEdit_ = new QLineEdit;
  recordEdit_->setObjectName(QStringLiteral("RecordText"));
  recordEdit_->setToolTip(
      QStringLiteral("行の内容 (欄を「;」で区切ったもの)。種類が分からない行や途中で切れた行は、"
                     "ここで直せます"));
  recordEdit_->setPlaceholderText(QStringLiteral("行の内容"));
  recordEdit_->setVisible(false);
  recordEdit_->installEventFilter(this);
  connect(recordEdit_, &QLineEdit::editingFinished, this, [this] {
    if (line_ > 0 && recordEdit_->text() != recordShown_) {
      recordShown_ = recordEdit_->text();
      emit recordEdited(Stored(recordShown_));
    }
  });
  layout->addWidget(recordEdit_);
  // The fields fit the dock's width (long labels wrap, the editors take
  // what is left) and keep their own height, so a field stays under the
  // pointer whatever else opens beside the panel.
  auto* scroll = new QScrollArea;
  scroll->setObjectName(QStringLiteral("PropertyScroll"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* holder = new QWidget;
  auto* column = new QVBoxLayout(holder);
  column->setContentsMargins(0, 0, 0, 0);
  form_ = new QWidget;
  formLayout_ = new QFormLayout(form_);
  formLayout_->setLabelAlignment(Qt::AlignRight);
  formLayout_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  formLayout_->setRowWrapPolicy(QFormLayout::DontWrapRows);
  column->addWidget(form_);
  column->addStretch(1);
  scroll->setWidget(holder);
  layout->addWidget(scroll, 1);
}

QWidget* PropertyPanel::Editor(int field) const {
  for (const Row& row : rows_) {
    if (row.info.number == field) {
      return row.editor;
    }
  }
  return nullptr;
}

void PropertyPanel::CommitPending() {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) {
    return;
  }
  if (focus == recordEdit_) {
    emit recordEdit_->editingFinished();
    return;
  }
  for (const Row& row : rows_) {
    if (row.editor != focus && !row.editor->isAncestorOf(focus)) {
      continue;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
      Commit(row.info.number, edit->text());
    }
    return;
  }
}

void PropertyPanel::ShowRecord(int line, const std::string& text,
                               const std::vector<ElementKind>& kinds) {
  line_ = line;
  if (line < 0) {
    heading_->setText(QStringLiteral("要素が選ばれていません"));
    Rebuild(ElementKind::Unknown);
    built_ = false;
    form_->setVisible(false);
    recordEdit_->setVisible(false);
    return;
  }
  form_->setVisible(true);
  recordEdit_->setVisible(true);
  recordShown_ = Shown(text);
  recordEdit_->setText(recordShown_);
  recordEdit_->setCursorPosition(0);
  ElementKind kind = KindOfLine(text);
  if (!built_ || kind != kind_) {
    Rebuild(kind);
  }
  heading_->setText(QStringLiteral("%1 行目: %2")
                        .arg(layout::LineNumberShown(line))
                        .arg(QString::fromUtf8(KindName(kind))));
  RecordFields fields(text);
  for (Row& row : rows_) {
    row.shown = Shown(fields.Get(row.info.number));
    row.show(row.shown);
  }
  ShowSharedFields(kinds);
}

void PropertyPanel::ShowSharedFields(const std::vector<ElementKind>& kinds) {
  std::vector<ElementKind> distinct;
  for (ElementKind kind : kinds) {
    if (std::find(distinct.begin(), distinct.end(), kind) == distinct.end()) {
      distinct.push_back(kind);
    }
  }
  if (kinds.size() > 1) {
    heading_->setText(QStringLiteral("%1 個選択（%2 種類）  %3")
                          .arg(kinds.size())
                          .arg(distinct.size())
                          .arg(heading_->text()));
  }
  for (Row& row : rows_) {
    bool shared = std::all_of(distinct.begin(), distinct.end(), [&](ElementKind kind) {
      return layout::FieldOfSameMeaning(kind_, row.info.number, kind).has_value();
    });
    QString label =
        QStringLiteral("%1 %2").arg(row.info.number).arg(QString::fromUtf8(row.info.label));
    row.label->setText(shared ? label : label + QStringLiteral("（種類により異なる）"));
    // Still editable: the value goes to the elements that have the field.
    row.label->setEnabled(shared);
  }
}

void PropertyPanel::Rebuild(ElementKind kind) {
  while (formLayout_->rowCount() > 0) {
    formLayout_->removeRow(0);
  }
  rows_.clear();
  kind_ = kind;
  built_ = true;
  for (const FieldInfo& info : FieldsOfKind(kind)) {
    Row row = MakeRow(info);
    auto* label =
        new QLabel(QStringLiteral("%1 %2").arg(info.number).arg(QString::fromUtf8(info.label)));
    row.label = label;
    label->setWordWrap(true);
    label->setToolTip(QString::fromUtf8(info.meaning));
    row.editor->setToolTip(QString::fromUtf8(info.meaning));
    row.editor->setObjectName(QStringLiteral("Field%1").arg(info.number));
    formLayout_->addRow(label, row.editor);
    rows_.push_back(std::move(row));
  }
  for (QLineEdit* edit : form_->findChildren<QLineEdit*>()) {
    edit->installEventFilter(this);
  }
}

bool PropertyPanel::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit != nullptr && event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    bool undo = key->matches(QKeySequence::Undo);
    bool redo = key->matches(QKeySequence::Redo) ||
                key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
    if ((undo && !edit->isUndoAvailable()) || (redo && !edit->isRedoAvailable())) {
      // Not taken here: the key goes on to the window's shortcut.
      event->ignore();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void PropertyPanel::Commit(int field, const QString& text) {
  for (Row& row : rows_) {
    if (row.info.number == field) {
      if (text == row.shown) {
        return;
      }
      row.shown = text;
      break;
    }
  }
  emit fieldEdited(field, Stored(text));
}

PropertyPanel::Row PropertyPanel::MakeRow(const FieldInfo& info) {
  Row row{info, nullptr, nullptr, {}, {}};
  int field = info.number;
  switch (info.type) {
    case FieldType::Keyword: {
      auto* label = new QLabel;
      row.editor = label;
      row.show = [label](const QString& text) { label->setText(text); };
      break;
    }
    case FieldType::Flag:
    case FieldType::FlagOr0: {
      auto* box = new QCheckBox(QStringLiteral("する"));
      row.editor = box;
      row.show = [box](const QString& text) {
        QSignalBlocker quiet(box);
        box->setChecked(text.trimmed() == QStringLiteral("1"));
      };
      connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
        Commit(field, on ? QStringLiteral("1") : QStringLiteral("0"));
      });
      break;
    }
    case FieldType::PenName:
    case FieldType::BrushName:
    case FieldType::FontStyle:
    case FieldType::TextMode:
    case FieldType::SizeMode: {
      auto* box = NarrowComboBox();
      row.editor = box;
      for (const NamedChoice& choice : ChoicesOf(info.type, kind_)) {
        QString word = Shown(choice.word);
        QString gloss = QString::fromUtf8(choice.gloss);
        QString caption =
            word.isEmpty() || word == gloss ? gloss : word + QStringLiteral("  ") + gloss;
        box->addItem(caption, word);
      }
      int known = box->count();
      row.show = [box, known](const QString& text) {
        QSignalBlocker quiet(box);
        while (box->count() > known) {
          box->removeItem(known);
        }
        int at = box->findData(text);
        if (at < 0) {
          // A word outside the table stays as written; it draws as the default.
          box->addItem(text + QStringLiteral("  (既定として扱われます)"), text);
          at = box->count() - 1;
        }
        box->setCurrentIndex(at);
      };
      connect(box, &QComboBox::activated, this,
              [this, box, field](int index) { Commit(field, box->itemData(index).toString()); });
      break;
    }
    case FieldType::FontFace: {
      auto* box = NarrowComboBox();
      box->setEditable(true);
      box->setInsertPolicy(QComboBox::NoInsert);
      for (const char* face : kWindowsFaces) {
        box->addItem(QString::fromUtf8(face));
      }
      box->insertSeparator(box->count());
      box->addItems(QFontDatabase::families());
      row.editor = box;
      row.show = [box](const QString& text) {
        QSignalBlocker quiet(box);
        box->setEditText(text);
      };
      connect(box, &QComboBox::activated, this,
              [this, box, field](int index) { Commit(field, box->itemText(index)); });
      connect(box->lineEdit(), &QLineEdit::editingFinished, this,
              [this, box, field] { Commit(field, box->currentText()); });
      break;
    }
    case FieldType::Colour: {
      EditAndButton parts = EditWithButton("ColourButton", "色を選ぶ");
      QWidget* holder = parts.holder;
      QLineEdit* edit = parts.edit;
      QToolButton* swatch = parts.button;
      swatch->setFixedSize(22, 20);
      row.editor = holder;
      row.show = [edit, swatch](const QString& text) {
        QSignalBlocker quiet(edit);
        edit->setText(text);
        PaintSwatch(swatch, ColourOf(text));
      };
      connect(edit, &QLineEdit::editingFinished, this,
              [this, edit, field] { Commit(field, edit->text()); });
      connect(swatch, &QToolButton::clicked, this, [this, edit, swatch, field] {
        QColor colour = QColorDialog::getColor(ColourOf(edit->text()), this, QStringLiteral("色"));
        if (colour.isValid()) {
          edit->setText(ValueOf(colour));
          PaintSwatch(swatch, colour);
          Commit(field, edit->text());
        }
      });
      break;
    }
    case FieldType::PictureFile: {
      EditAndButton parts = EditWithButton("PictureButton", "画像ファイルを選ぶ");
      QWidget* holder = parts.holder;
      QLineEdit* edit = parts.edit;
      QToolButton* browse = parts.button;
      browse->setText(QStringLiteral("…"));
      row.editor = holder;
      row.show = [edit](const QString& text) {
        QSignalBlocker quiet(edit);
        edit->setText(text);
      };
      connect(edit, &QLineEdit::editingFinished, this,
              [this, edit, field] { Commit(field, edit->text()); });
      connect(browse, &QToolButton::clicked, this, [this, edit, field] {
        std::optional<std::string> name;
        if (!pictureChooser_ ||
            !widgets::RunReported(dialogs_, [&] { name = pictureChooser_(); }) || !name) {
          return;
        }
        edit->setText(Shown(*name));
        Commit(field, edit->text());
      });
      break;
    }
    default: {
      auto* edit = new QLineEdit;
      row.editor = edit;
      row.show = [edit](const QString& text) {
        QSignalBlocker quiet(edit);
        edit->setText(text);
        edit->setCursorPosition(0);
      };
      connect(edit, &QLineEdit::editingFinished, this,
              [this, edit, field] { Commit(field, edit->text()); });
      break;
    }
  }
  return row;
}

}  // namespace designer
