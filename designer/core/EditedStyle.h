#pragma once

#include <functional>
#include <vector>

#include "designer/core/StyleDocument.h"
#include "designer/core/StyleEdits.h"

namespace designer {

// The style open in the designer as its edits see it: the document, the
// applying and reverting of edits, who is told of each change, and whether
// a run of arrow steps is open (its steps are undone as one).
class EditedStyle {
 public:
  explicit EditedStyle(StyleDocument document) : document_(std::move(document)) {}

  const StyleDocument& Document() const { return document_; }
  // Another style (one opened): no run is open; the listener is not told.
  void Replace(StyleDocument document);

  // Applies an edit and tells the listener the lines to select after it.
  void Apply(const StyleEdit& edit);
  // Reverts an edit, which closes a run of arrow steps, and tells the
  // listener the lines selected before it.
  void Revert(const StyleEdit& edit);
  // `changed` is told the lines to select (none, one or several; the last
  // is the one the panel shows) after every Apply and Revert.
  void OnChange(std::function<void(const std::vector<int>& select)> changed) {
    changed_ = std::move(changed);
  }

  // Whether the next arrow step joins the last one's undo step.
  bool StepRunOpen() const { return stepRunOpen_; }
  void SetStepRunOpen(bool open) { stepRunOpen_ = open; }

 private:
  void Tell(const std::vector<int>& select);

  StyleDocument document_;
  std::function<void(const std::vector<int>&)> changed_;
  bool stepRunOpen_ = false;
};

// Whether `next` may join `last` in one undo step while a run of arrow steps
// is open: both replace the same lines, one for one.
bool JoinsArrowRun(const EditedStyle& style, const StyleEdit& last, const StyleEdit& next);

}  // namespace designer
