// A drag on the designer's page, from press to release, without a window:
// what it selects, what it shows while the button is held and the one edit
// it makes; and the edited style the undo stack works on.

#include "designer/core/DragGesture.h"

#include <gtest/gtest.h>

#include "designer/core/EditedStyle.h"
#include "designer/core/RecordFields.h"
#include "tests/designer/DesignerTestSupport.h"

namespace designer {
namespace {

// A rectangle from (10, 10) to (50, 30), which is pointed at by its frame,
// and a line from (60, 40) to (90, 40).
StyleDocument Page() {
  return StyleDocument::FromBytes(
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;rect;10;10;50;30;2;x;0;0;\r\n"
      "0;0;0;0;line;60;40;90;40;2;x;0;0;\r\n");
}

const Fixed kTolerance = Mm(10000);  // 1 mm

struct DragFixture : ::testing::Test {
  StyleDocument document = Page();
  DragGesture drag;

  // A press at `at` with `selected` selected, as the window makes it.
  DragGesture::Start Press(MmPoint at, int selected = -1) {
    DragGesture::Start start = drag.Press(document, selected, at, kTolerance, nullptr);
    drag.Begin();
    return start;
  }
  std::string Field(const StyleEdit& edit, int field) {
    return RecordFields(edit.inserted.at(0).text).Get(field);
  }
};

TEST_F(DragFixture, PressingAnElementSelectsItAndADragMovesItByOneEditOnRelease) {
  DragGesture::Start start = Press(At(10.5, 20));
  EXPECT_TRUE(start.changesSelection);
  EXPECT_EQ(start.line, 1);
  EXPECT_TRUE(drag.Active());
  EXPECT_FALSE(drag.Shown());
  drag.Drag(document, At(10.5, 20), At(15.5, 22), false);
  ASSERT_TRUE(drag.Shown());
  EXPECT_EQ(Field(*drag.ShownEdit(), 6), "15");  // shown, not made
  EXPECT_EQ(RecordFields(document.Text(1)).Get(6), "10");
  std::optional<StyleEdit> edit = drag.Release(document, At(10.5, 20), At(16.5, 24), false);
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->index, 1);
  EXPECT_EQ(Field(*edit, 6), "16");  // where the button was let go
  EXPECT_EQ(Field(*edit, 9), "34");
  EXPECT_FALSE(drag.Active());
}

TEST_F(DragFixture, AClickOrADragBackWhereItBeganMakesNoEdit) {
  Press(At(10.5, 20));
  EXPECT_TRUE(drag.Active());
  EXPECT_EQ(drag.Release(document, At(10.5, 20), At(10.5, 20), false), std::nullopt);
  EXPECT_FALSE(drag.Active());
  Press(At(10.5, 20));
  drag.Drag(document, At(10.5, 20), At(30, 20), false);
  EXPECT_TRUE(drag.Shown());
  EXPECT_EQ(drag.Release(document, At(10.5, 20), At(10.5, 20), false), std::nullopt);
  // Pressing where nothing is clears the selection and drags nothing.
  DragGesture::Start empty = Press(At(150, 150), 1);
  EXPECT_TRUE(empty.changesSelection);
  EXPECT_EQ(empty.line, -1);
  EXPECT_FALSE(drag.Active());
}

TEST_F(DragFixture, AHandleOfTheSelectedElementResizesItAndKeepsTheSelection) {
  DragGesture::Start start = Press(At(50, 30), 1);  // the bottom-right corner
  EXPECT_FALSE(start.changesSelection);
  drag.Drag(document, At(50, 30), At(55.3, 31.6), true);
  std::optional<StyleEdit> edit = drag.Release(document, At(50, 30), At(55.3, 31.6), true);
  ASSERT_TRUE(edit);
  EXPECT_EQ(Field(*edit, 6), "10");  // the other corner stays
  EXPECT_EQ(Field(*edit, 8), "55");  // on the millimetre grid
  EXPECT_EQ(Field(*edit, 9), "32");
}

TEST_F(DragFixture, WithTheGridTheElementsCornerLandsOnAWholeMillimetre) {
  Press(At(70, 40));  // on the line
  drag.Drag(document, At(70, 40), At(72.4, 40.6), true);
  std::optional<StyleEdit> edit = drag.Release(document, At(70, 40), At(72.4, 40.6), true);
  ASSERT_TRUE(edit);
  EXPECT_EQ(Field(*edit, 6), "62");
  EXPECT_EQ(Field(*edit, 7), "41");
  // A move that snaps back to where it was shows nothing.
  Press(At(70, 40));
  drag.Drag(document, At(70, 40), At(70.3, 40.2), true);
  EXPECT_FALSE(drag.Shown());
  drag.Cancel();
  EXPECT_FALSE(drag.Active());
}

TEST(EditedStyle, EditsAreAppliedRevertedAndToldAndArrowRunsJoinOneLine) {
  EditedStyle style(Page());
  std::vector<int> told;
  style.OnChange([&](const std::vector<int>& select) {
    told.insert(told.end(), select.begin(), select.end());
  });
  StyleEdit move = MoveElement(style.Document(), 1, Mm(10000), Fixed());
  move.selectBefore = 1;
  move.selectAfter = 1;
  style.Apply(move);
  EXPECT_EQ(RecordFields(style.Document().Text(1)).Get(6), "11");
  StyleEdit next = MoveElement(style.Document(), 1, Mm(10000), Fixed());
  EXPECT_FALSE(JoinsArrowRun(style, move, next));  // no run open
  style.SetStepRunOpen(true);
  EXPECT_TRUE(JoinsArrowRun(style, move, next));
  EXPECT_FALSE(JoinsArrowRun(style, move, MoveElement(style.Document(), 2, Mm(10000), Fixed())));
  style.Revert(move);
  EXPECT_FALSE(style.StepRunOpen());  // undoing closes the run
  EXPECT_EQ(style.Document().Bytes(), Page().Bytes());
  EXPECT_EQ(told, (std::vector<int>{1, 1}));
}

}  // namespace
}  // namespace designer
