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

// No grid: tenths of a millimetre only. And the 1 mm grid.
Placing Free() {
  return Placing{};
}
Placing OnGrid(Fixed step = Mm(10000)) {
  Placing placing;
  placing.grid = step;
  return placing;
}

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
  drag.Drag(document, At(10.5, 20), At(15.5, 22), Free());
  ASSERT_TRUE(drag.Shown());
  EXPECT_EQ(Field(*drag.ShownEdit(), 6), "15");  // shown, not made
  EXPECT_EQ(RecordFields(document.Text(1)).Get(6), "10");
  std::optional<StyleEdit> edit = drag.Release(document, At(10.5, 20), At(16.5, 24), Free());
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->index, 1);
  EXPECT_EQ(Field(*edit, 6), "16");  // where the button was let go
  EXPECT_EQ(Field(*edit, 9), "34");
  EXPECT_FALSE(drag.Active());
}

TEST_F(DragFixture, AClickOrADragBackWhereItBeganMakesNoEdit) {
  Press(At(10.5, 20));
  EXPECT_TRUE(drag.Active());
  EXPECT_EQ(drag.Release(document, At(10.5, 20), At(10.5, 20), Free()), std::nullopt);
  EXPECT_FALSE(drag.Active());
  Press(At(10.5, 20));
  drag.Drag(document, At(10.5, 20), At(30, 20), Free());
  EXPECT_TRUE(drag.Shown());
  EXPECT_EQ(drag.Release(document, At(10.5, 20), At(10.5, 20), Free()), std::nullopt);
  // Pressing where nothing is clears the selection and drags nothing.
  DragGesture::Start empty = Press(At(150, 150), 1);
  EXPECT_TRUE(empty.changesSelection);
  EXPECT_EQ(empty.line, -1);
  EXPECT_FALSE(drag.Active());
}

TEST_F(DragFixture, AHandleOfTheSelectedElementResizesItAndKeepsTheSelection) {
  DragGesture::Start start = Press(At(50, 30), 1);  // the bottom-right corner
  EXPECT_FALSE(start.changesSelection);
  drag.Drag(document, At(50, 30), At(55.3, 31.6), OnGrid());
  std::optional<StyleEdit> edit = drag.Release(document, At(50, 30), At(55.3, 31.6), OnGrid());
  ASSERT_TRUE(edit);
  EXPECT_EQ(Field(*edit, 6), "10");  // the other corner stays
  EXPECT_EQ(Field(*edit, 8), "55");  // on the millimetre grid
  EXPECT_EQ(Field(*edit, 9), "32");
}

TEST_F(DragFixture, WithTheGridTheElementsCornerLandsOnAWholeMillimetre) {
  Press(At(70, 40));  // on the line
  drag.Drag(document, At(70, 40), At(72.4, 40.6), OnGrid());
  std::optional<StyleEdit> edit = drag.Release(document, At(70, 40), At(72.4, 40.6), OnGrid());
  ASSERT_TRUE(edit);
  EXPECT_EQ(Field(*edit, 6), "62");
  EXPECT_EQ(Field(*edit, 7), "41");
  // A move that snaps back to where it was shows nothing.
  Press(At(70, 40));
  drag.Drag(document, At(70, 40), At(70.3, 40.2), OnGrid());
  EXPECT_FALSE(drag.Shown());
  drag.Cancel();
  EXPECT_FALSE(drag.Active());
}

// A box left where older drags put it: nothing on a tenth.
StyleDocument NoisyPage() {
  return StyleDocument::FromBytes(
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;rect;196.7093;35.5601;236.7093;45.5601;2;x;0;0;\r\n");
}

// Fields 6 to 9 as written, each checked to carry one decimal at most.
std::vector<std::string> CornersWritten(const StyleEdit& edit) {
  RecordFields fields(edit.inserted.at(0).text);
  std::vector<std::string> corners;
  for (int field = 6; field <= 9; ++field) {
    std::string value = fields.Get(field);
    std::size_t point = value.find('.');
    EXPECT_TRUE(point == std::string::npos || value.size() - point <= 2) << value;
    corners.push_back(value);
  }
  return corners;
}

TEST(DragPlacing, EveryMoveAndResizeWritesTenthsOrTheGridWhateverTheStart) {
  StyleDocument document = NoisyPage();
  DragGesture drag;
  auto move = [&](MmPoint to, const Placing& placing) {
    drag.Press(document, -1, At(196.7093, 40), kTolerance, nullptr);
    drag.Begin();
    drag.Drag(document, At(196.7093, 40), to, placing);
    return drag.Release(document, At(196.7093, 40), to, placing);
  };
  // A drag by noise lands on tenths, the size kept.
  std::optional<StyleEdit> free = move(At(199.85089, 42.71828), Free());
  ASSERT_TRUE(free);
  EXPECT_EQ(CornersWritten(*free), (std::vector<std::string>{"199.9", "38.3", "239.9", "48.3"}));
  // On a 5 mm grid the corner lands on it.
  std::optional<StyleEdit> five = move(At(199.85089, 42.71828), OnGrid(Mm(50000)));
  ASSERT_TRUE(five);
  EXPECT_EQ(CornersWritten(*five), (std::vector<std::string>{"200", "40", "240", "50"}));
  // A 0.5 mm grid.
  std::optional<StyleEdit> half = move(At(199.85089, 42.71828), OnGrid(Mm(5000)));
  ASSERT_TRUE(half);
  EXPECT_EQ(CornersWritten(*half), (std::vector<std::string>{"200", "38.5", "240", "48.5"}));
  // A handle: the edge it moves and the ones it leaves, all on tenths.
  drag.Press(document, 1, At(236.7093, 45.5601), kTolerance, nullptr);
  drag.Begin();
  drag.Drag(document, At(236.7093, 45.5601), At(240.12345, 50.98765), Free());
  std::optional<StyleEdit> resize =
      drag.Release(document, At(236.7093, 45.5601), At(240.12345, 50.98765), Free());
  ASSERT_TRUE(resize);
  EXPECT_EQ(CornersWritten(*resize), (std::vector<std::string>{"196.7", "35.6", "240.1", "51"}));
}

TEST_F(DragFixture, AGuideWithinReachTakesTheEdgeAndIsShown) {
  Placing placing;
  placing.reach = kTolerance;
  placing.guidesX = {Mm(200000)};  // 20 mm across
  placing.guidesY = {Mm(150000)};  // 15 mm down
  Press(At(10.5, 20));
  // The left edge 19.3 meets the guide at 20; the top 10.4 is too far from 15.
  drag.Drag(document, At(10.5, 20), At(19.8, 20.4), placing);
  EXPECT_EQ(drag.GuideX(), Mm(200000));
  EXPECT_EQ(drag.GuideY(), std::nullopt);
  std::optional<StyleEdit> edit = drag.Release(document, At(10.5, 20), At(19.8, 20.4), placing);
  ASSERT_TRUE(edit);
  EXPECT_EQ(Field(*edit, 6), "20");
  EXPECT_EQ(Field(*edit, 7), "10.4");
  // The right edge meets it too, and a handle lands on one.
  Press(At(10.5, 20));
  std::optional<StyleEdit> right = [&] {
    drag.Drag(document, At(10.5, 20), At(-19.7, 20), placing);
    return drag.Release(document, At(10.5, 20), At(-19.7, 20), placing);
  }();
  ASSERT_TRUE(right);
  EXPECT_EQ(Field(*right, 8), "20");
  EXPECT_EQ(PlacePoint(At(20.6, 14.3), placing), At(20, 15));
  // Held Alt: nothing but tenths.
  EXPECT_EQ(PlacePoint(At(20.64, 14.31), Free()), At(20.6, 14.3));
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
