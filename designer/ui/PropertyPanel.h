#pragma once

#include <QByteArray>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "designer/core/ElementSchema.h"

class QFormLayout;
class QLabel;
class QLineEdit;

namespace widgets {
class Dialogs;
}

namespace designer {

// Every field of the selected record, each with an editor that fits its
// type: numbers and text in boxes, colours with a picker, names as choices,
// the font face from the installed and the Windows names, the picture file
// through a file dialog. A change goes out as fieldEdited when the editor
// is left or a choice is made; nothing is written merely by showing.
class PropertyPanel : public QWidget {
  Q_OBJECT

 public:
  PropertyPanel(widgets::Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the record `line` (its text, code page 932) of the style; a
  // negative line shows that nothing is selected. With several elements
  // selected, `kinds` are their kinds: the heading counts them, and a field
  // some of them have no field of the same meaning for is named greyed
  // 「（種類により異なる）」: an edit there reaches only the ones that have it.
  void ShowRecord(int line, const std::string& text, const std::vector<ElementKind>& kinds = {});
  // Asks for a picture file and gives its name as the field holds it (code
  // page 932); nothing when cancelled; throws the program's message for a
  // name a style cannot hold.
  void SetPictureChooser(std::function<std::optional<std::string>()> chooser) {
    pictureChooser_ = std::move(chooser);
  }
  // Sends the text of the editor being typed in, if it differs from what
  // was shown (before a save, a close or another change).
  void CommitPending();
  // The editor of field `field` (tests and focus), or nullptr.
  QWidget* Editor(int field) const;

 signals:
  void fieldEdited(int field, const QByteArray& valueCp932);
  // The whole line was edited in 「行の内容」 (how a line the fields cannot
  // describe is repaired).
  void recordEdited(const QByteArray& textCp932);

 protected:
  // Undo and redo keys in a text box undo its own typing while it has some,
  // and otherwise reach the window's undo of the style.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    FieldInfo info;
    QLabel* label = nullptr;
    QWidget* editor = nullptr;
    std::function<void(const QString&)> show;  // puts the field's text in the editor
    QString shown;                             // what the editor was given
  };

  void Rebuild(ElementKind kind);
  // Greys the rows whose meaning not every kind of the selection has.
  void ShowSharedFields(const std::vector<ElementKind>& kinds);
  Row MakeRow(const FieldInfo& info);
  // Sends the editor's text unless it is what was shown.
  void Commit(int field, const QString& text);

  widgets::Dialogs& dialogs_;
  QLabel* heading_ = nullptr;
  QLineEdit* recordEdit_ = nullptr;  // the whole line
  QString recordShown_;
  QWidget* form_ = nullptr;
  QFormLayout* formLayout_ = nullptr;
  ElementKind kind_ = ElementKind::Unknown;
  int line_ = -1;
  bool built_ = false;
  std::vector<Row> rows_;
  std::function<std::optional<std::string>()> pictureChooser_;
};

}  // namespace designer
