#include "designer/ui/EditCommand.h"

namespace designer {

EditCommand::EditCommand(EditedStyle& style, StyleEdit edit, int mergeId)
    : style_(style), edit_(std::move(edit)), mergeId_(mergeId) {
  setText(QString::fromStdString(edit_.description));
}

bool EditCommand::mergeWith(const QUndoCommand* other) {
  // Called only for commands of the same id: arrow steps.
  const auto* next = static_cast<const EditCommand*>(other);
  if (!JoinsArrowRun(style_, edit_, next->edit_)) {
    return false;
  }
  edit_.inserted = next->edit_.inserted;
  edit_.selectAfter = next->edit_.selectAfter;
  edit_.selectManyAfter = next->edit_.selectManyAfter;
  return true;
}

}  // namespace designer
