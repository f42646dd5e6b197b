#include "designer/core/EditedStyle.h"

#include "designer/core/GroupEdits.h"

namespace designer {

void EditedStyle::Replace(StyleDocument document) {
  document_ = std::move(document);
  stepRunOpen_ = false;
}

void EditedStyle::Apply(const StyleEdit& edit) {
  ApplyEdit(document_, edit);
  Tell(SelectionAfter(edit));
}

void EditedStyle::Revert(const StyleEdit& edit) {
  stepRunOpen_ = false;  // the next arrow step is a step of its own
  RevertEdit(document_, edit);
  Tell(SelectionBefore(edit));
}

void EditedStyle::Tell(const std::vector<int>& select) {
  if (changed_) {
    changed_(select);
  }
}

bool JoinsArrowRun(const EditedStyle& style, const StyleEdit& last, const StyleEdit& next) {
  return style.StepRunOpen() && next.index == last.index && !last.removed.empty() &&
         last.inserted.size() == last.removed.size() &&
         next.removed.size() == last.removed.size() && next.inserted.size() == next.removed.size();
}

}  // namespace designer
