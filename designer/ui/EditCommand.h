#pragma once

#include <QUndoCommand>

#include "designer/core/EditedStyle.h"

namespace designer {

// One change on the designer's undo stack: applied to the edited style on
// redo, reverted on undo. Commands of one merge id join while the style's
// run of arrow steps is open.
class EditCommand : public QUndoCommand {
 public:
  // The merge ids of arrow steps: moves, and resizes from the keyboard.
  static constexpr int kArrowStep = 1;
  static constexpr int kResizeStep = 2;

  EditCommand(EditedStyle& style, StyleEdit edit, int mergeId = -1);

  void redo() override { style_.Apply(edit_); }
  void undo() override { style_.Revert(edit_); }
  int id() const override { return mergeId_; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  EditedStyle& style_;
  StyleEdit edit_;
  int mergeId_;
};

}  // namespace designer
