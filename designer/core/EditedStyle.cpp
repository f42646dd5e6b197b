#include "designer/core/EditedStyle.h"

namespace designer {

void EditedStyle::Replace(StyleDocument document) {
  document_ = std::move(document);
  stepRunOpen_ = false;
}

void EditedStyle::Apply(const StyleEdit& edit) {
  ApplyEdit(document_, edit);
  Tell(edit.selectAfter);
}

void EditedStyle::Revert(const StyleEdit& edit) {
  stepRunOpen_ = false;  // the next arrow step is a step of its own
  RevertEdit(document_, edit);
  Tell(edit.selectBefore);
}

void EditedStyle::Tell(int select) {
  if (changed_) {
    changed_(select);
  }
}

bool JoinsArrowRun(const EditedStyle& style, const StyleEdit& last, const StyleEdit& next) {
  return style.StepRunOpen() && next.index == last.index && last.removed.size() == 1 &&
         last.inserted.size() == 1 && next.removed.size() == 1 && next.inserted.size() == 1;
}

}  // namespace designer
