// Where elements lie on the page in millimetres: their boxes, handles and
// hit-testing, and the records of new elements.

#include "designer/core/ElementGeometry.h"

#include <gtest/gtest.h>
#include <cmath>
#include <filesystem>

#include "designer/core/NewElements.h"
#include "designer/core/StyleDocument.h"
#include "designer/core/StyleEdits.h"
#include "layout/core/DrawElements.h"
#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"
#include "tests/designer/DesignerTestSupport.h"
#include "tests/support/InputFiles.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/TempDir.h"

namespace designer {
namespace {

MmBox Box(double l, double t, double r, double b) {
  MmPoint lt = At(l, t);
  MmPoint rb = At(r, b);
  return {lt.x, lt.y, rb.x, rb.y};
}

class FakeMeasurer : public ElementMeasurer {
 public:
  std::optional<MmSize> text;
  std::optional<MmSize> picture;
  std::string asked;

  std::optional<MmSize> TextSize(const std::string& face, int points, const std::string& style,
                                 const std::string& value) override {
    asked = face + "|" + std::to_string(points) + "|" + style + "|" + value;
    return text;
  }
  std::optional<MmSize> PictureSize(const std::string& file) override {
    asked = file;
    return picture;
  }
};

MmBox BoxOf(const std::string& utf8Line, ElementMeasurer* measurer = nullptr) {
  std::optional<ElementShape> shape = ShapeOfLine(Sjis(utf8Line.c_str()), measurer);
  EXPECT_TRUE(shape.has_value()) << utf8Line;
  return shape ? shape->box : MmBox{};
}

// A text record at (10, 20) in mode `mode` with pitch `pitch`, angle `angle`.
std::string TextRecord(const std::string& text, const std::string& mode = "0",
                       const std::string& pitch = "0", const std::string& angle = "0",
                       const std::string& maxLength = "0") {
  return "0;0;0;0;char;10;20;10;20;0;0;" + angle + ";0;f;10;;" + mode + ";" + pitch + ";0;" + text +
         ";0;" + maxLength + ";";
}

TEST(ShapeOfLineTest, ShapesSpanTheirCornersAndOthersHaveNoShape) {
  std::optional<ElementShape> line = ShapeOfLine("0;0;0;0;line;30;5;10;25;0;;0;0;", nullptr);
  ASSERT_TRUE(line);
  EXPECT_TRUE(line->isSegment);
  EXPECT_EQ(line->start, At(30, 5));
  EXPECT_EQ(line->end, At(10, 25));
  EXPECT_EQ(line->box, Box(10, 5, 30, 25));
  EXPECT_TRUE(line->resizable);
  for (const char* kind : {"rect", "rrect", "Arc", "Chord", "Ellipse", "fillrect"}) {
    std::optional<ElementShape> shape =
        ShapeOfLine(std::string("0;0;0;0;") + kind + ";50.5;40;10;-20;", nullptr);
    ASSERT_TRUE(shape) << kind;
    EXPECT_FALSE(shape->isSegment);
    EXPECT_EQ(shape->box, Box(10, -20, 50.5, 40));
  }
  for (const char* record :
       {"0;0;0;0;header;", "0;0;0;0;Rect;1;2;3;4;", "0;0;0;0;rect;1;2;3;x;", "0;0;0;0;rect;1;2;3",
        "header;Ver1.1;0;0;9;0;0;100;0;", "0;0;0;0;char;;1;1;1;", "0;0;0;0;image;1;", ""}) {
    EXPECT_FALSE(ShapeOfLine(record, nullptr)) << record;
  }
}

TEST(ShapeOfLineTest, TextBoxesMeasuredOrEstimated) {
  // 10 points is 3.5278 mm high; each byte half as wide.
  EXPECT_EQ(BoxOf(TextRecord("ABCD")), Box(10, 20, 17.0556, 23.5278));
  EXPECT_EQ(BoxOf(TextRecord("文字")), Box(10, 20, 17.0556, 23.5278));
  EXPECT_EQ(BoxOf(TextRecord("ABCD", "0", "0", "30")), Box(10, 20, 17.0556, 23.5278));
  EXPECT_EQ(BoxOf(TextRecord("ABCDEF", "0", "0", "0", "4")), Box(10, 20, 17.0556, 23.5278));
  // Stepped along X by the pitch, ending at the reference point when negative.
  EXPECT_EQ(BoxOf(TextRecord("AB文", "0", "2.5")), Box(10, 20, 17.5, 23.5278));
  EXPECT_EQ(BoxOf(TextRecord("AB文", "0", "-2.5")), Box(2.5, 20, 10, 23.5278));
  // Vertical: a character wide, half the point size in mm per character by
  // default; any mode number other than 0, 2, 3, 4 draws so.
  EXPECT_EQ(BoxOf(TextRecord("ABC", "1")), Box(10, 20, 13.5278, 35));
  EXPECT_EQ(BoxOf(TextRecord("ABC", "7", "4")), Box(10, 20, 13.5278, 32));
  EXPECT_EQ(BoxOf(TextRecord("ABC", "1", "-4")), Box(10, 8, 13.5278, 20));
  EXPECT_EQ(BoxOf(TextRecord("ABC", "2", "4")), Box(10, 20, 15.2917, 23.5278));

  FakeMeasurer measurer;
  measurer.text = MmSize{Fixed::FromInt(30), Fixed::FromInt(6)};
  EXPECT_EQ(BoxOf(TextRecord("#ma_01", "0", "0", "0", "4"), &measurer), Box(10, 20, 40, 26));
  EXPECT_EQ(measurer.asked, "f|10||#ma_");
  EXPECT_EQ(BoxOf(TextRecord("AB", "1"), &measurer), Box(10, 20, 16, 30));
  std::optional<ElementShape> text = ShapeOfLine(TextRecord("A"), &measurer);
  EXPECT_FALSE(text->resizable);
  EXPECT_TRUE(HandlesOf(*text).empty());
}

TEST(ShapeOfLineTest, PictureBoxesNaturalGivenAndDerived) {
  FakeMeasurer measurer;
  measurer.picture = MmSize{Fixed::FromInt(50), Fixed::FromInt(25)};
  EXPECT_EQ(BoxOf("0;0;0;0;image;10;20;40;30;0;0;0;a.png;", &measurer), Box(10, 20, 60, 45));
  EXPECT_EQ(measurer.asked, "a.png");
  EXPECT_EQ(BoxOf("0;0;0;0;image;10;20;0;0;1;0;0;a.png;", &measurer), Box(10, 20, 60, 45));
  EXPECT_EQ(BoxOf("0;0;0;0;image;10;20;0;0;0;0;0;a.png;"), Box(10, 20, 30, 40));
  EXPECT_EQ(BoxOf("0;0;0;0;image;10;20;40;30;1;0;0;a.png;", &measurer), Box(10, 20, 50, 50));
  EXPECT_EQ(BoxOf("0;0;0;0;image;10;20;40;30;x;0;0;a.png;", &measurer), Box(10, 20, 60, 45));
  // One side from the other by the picture's proportions, in whole mm.
  EXPECT_EQ(BoxOf("0;0;0;0;image;10;20;41;0;1;0;0;a.png;", &measurer), Box(10, 20, 51, 41));
  EXPECT_EQ(BoxOf("0;0;0;0;image;10;20;0;15;1;0;0;a.png;", &measurer), Box(10, 20, 40, 35));
  EXPECT_EQ(BoxOf("0;0;0;0;image;10;20;0;15;1;0;0;a.png;"), Box(10, 20, 25, 35));
}

TEST(HitTesting, TopmostElementUnderThePoint) {
  StyleDocument document =
      StyleDocument::FromBytes(Sjis("header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                                    "0;0;0;0;rect;10;10;50;50;0;;0;0;\r\n"
                                    "0;0;0;0;Ellipse;30;30;60;60;0;;0;;0;0;\r\n"
                                    "0;0;0;0;line;0;100;100;100;0;;0;0;\r\n"
                                    "0;0;0;0;rect;70;10;70;50;0;;0;0;\r\n"
                                    "0;0;0;0;char;10;120;10;120;0;0;0;0;f;10;;0;0;0;ABCD;0;0;\r\n"
                                    "0;0;0;0;header;\r\n"
                                    "0;0;0;0;frame;0;0;300;300;\r\n"
                                    "\r\n"
                                    "0;0;0;0;rect;0;0;300;300;0;;0;0;\r\n"));
  EXPECT_EQ(SelectableLines(document, nullptr), (std::vector<int>{1, 2, 3, 4, 5}));
  Fixed tolerance = Mm(5000);
  auto at = [&](double x, double y) { return ElementAt(document, At(x, y), tolerance, nullptr); };
  // A frame is found near its sides, not across its inside.
  EXPECT_EQ(at(10.3, 20), 1);
  EXPECT_EQ(at(25, 49.6), 1);
  EXPECT_EQ(at(20, 20), std::nullopt);
  EXPECT_EQ(at(40, 40), 2);  // both: the later one is on top
  EXPECT_EQ(at(55, 55), 2);
  EXPECT_EQ(at(50, 100.4), 3);
  EXPECT_EQ(at(50, 99.5), 3);
  EXPECT_EQ(at(50, 100.6), std::nullopt);
  EXPECT_EQ(at(100.3, 100.3), 3);
  EXPECT_EQ(at(100.4, 100.4), std::nullopt);  // beyond the end, not beside the line
  EXPECT_EQ(at(70.4, 30), 4);                 // a box of no width
  EXPECT_EQ(at(16, 122), 5);
  EXPECT_EQ(at(18, 122), std::nullopt);
  EXPECT_EQ(at(200, 200), std::nullopt);  // only after the page's end

  FakeMeasurer measurer;
  measurer.text = MmSize{Fixed::FromInt(30), Fixed::FromInt(6)};
  EXPECT_EQ(ElementAt(document, At(35, 125), tolerance, &measurer), 5);
}

TEST(HitTesting, HandlesAndSnapping) {
  ElementShape line = *ShapeOfLine("0;0;0;0;line;0;0;10;10;0;;0;0;", nullptr);
  ASSERT_EQ(HandlesOf(line).size(), 2u);
  EXPECT_EQ(HandleAt(line, At(9.8, 10.1), Mm(5000)), Handle::End);
  EXPECT_EQ(HandleAt(line, At(5, 5), Mm(5000)), Handle::None);

  ElementShape rect = *ShapeOfLine("0;0;0;0;rect;20;30;0;0;0;;0;0;", nullptr);
  std::vector<std::pair<Handle, MmPoint>> handles = HandlesOf(rect);
  ASSERT_EQ(handles.size(), 8u);
  EXPECT_EQ(handles[1], std::make_pair(Handle::Top, At(10, 0)));
  EXPECT_EQ(handles[3], std::make_pair(Handle::Right, At(20, 15)));
  EXPECT_EQ(handles[6], std::make_pair(Handle::BottomLeft, At(0, 30)));
  EXPECT_EQ(HandleAt(rect, At(10.5, 30.5), Mm(10000)), Handle::Bottom);
  // The nearest of two handles both within reach.
  ElementShape small = *ShapeOfLine("0;0;0;0;rect;0;0;2;2;0;;0;0;", nullptr);
  EXPECT_EQ(HandleAt(small, At(1.8, 1.2), Mm(30000)), Handle::Right);

  EXPECT_EQ(SnapTo(Mm(124000), Fixed::FromInt(5)), Fixed::FromInt(10));
  EXPECT_EQ(SnapTo(Mm(125000), Fixed::FromInt(5)), Fixed::FromInt(15));
  EXPECT_EQ(SnapTo(Mm(-125000), Fixed::FromInt(5)), Fixed::FromInt(-15));
  EXPECT_EQ(SnapTo(Mm(37), Mm(5000)), Fixed());
  EXPECT_EQ(SnapTo(Mm(123456), Fixed()), Mm(123456));
  EXPECT_EQ(SnapTo(Fixed::FromRaw(Fixed::kMaxRaw), Fixed::FromInt(7)).Raw() % 70000, 0);
}

TEST(HitTesting, EveryKeptStylesElementsCanBeFoundAndMoved) {
  int found = 0;
  for (const std::filesystem::path& input :
       testsupport::InputFiles(std::string(QUILL_SOURCE_DIR) + "/fuzz/styles")) {
    SCOPED_TRACE(input.filename().string());
    StyleDocument document = StyleDocument::FromBytes(testsupport::ReadAll(input.string()));
    std::string bytes = document.Bytes();
    for (int line : SelectableLines(document, nullptr)) {
      ElementShape shape = *ShapeOfLine(document.Text(line), nullptr);
      MmPoint centre{Fixed::Divide(shape.box.left + shape.box.right, Fixed::FromInt(2)),
                     Fixed::Divide(shape.box.top + shape.box.bottom, Fixed::FromInt(2))};
      found += ElementAt(document, centre, Mm(5000), nullptr).has_value();
      try {
        StyleEdit move = MoveElement(document, line, Mm(12345), Mm(-1));
        ApplyEdit(document, move);
        RevertEdit(document, move);
      } catch (const platform::UserError&) {
        // a text's second point or a shadow that is no number stays refused
      }
    }
    EXPECT_EQ(document.Bytes(), bytes);
  }
  EXPECT_GT(found, 1000);
}

TEST(NewElements, EachKindDrawsAndIsCentredOnItsPoint) {
  MmPoint centre = At(105.5, 148.25);
  for (ElementKind kind : AddableKinds()) {
    SCOPED_TRACE(KindName(kind));
    std::string line = NewElementLine(kind, centre);
    EXPECT_EQ(KindOfLine(line), kind);
    testsupport::RecordingSurface surface;
    layout::DrawingContext context;
    context.surface = &surface;
    context.scaleX = context.scaleY = Fixed::FromRaw(37795);
    context.previewPpi = 96;
    EXPECT_NO_THROW(layout::DrawElements(context, {StyleDocument::NewHeader(), line}));
    EXPECT_EQ(surface.calls.empty(), kind == ElementKind::Image);  // no picture file yet

    std::optional<ElementShape> shape = ShapeOfLine(line, nullptr);
    ASSERT_TRUE(shape);
    Fixed cx = Fixed::Divide(shape->box.left + shape->box.right, Fixed::FromInt(2));
    Fixed cy = Fixed::Divide(shape->box.top + shape->box.bottom, Fixed::FromInt(2));
    bool text = kind == ElementKind::Char || kind == ElementKind::Data;
    Fixed slack = text ? Fixed::FromInt(1) : Fixed();
    EXPECT_LE(cx - centre.x, slack);
    EXPECT_LE(centre.x - cx, slack);
    EXPECT_LE(cy - centre.y, slack);
    EXPECT_LE(centre.y - cy, slack);
  }
  EXPECT_EQ(NewElementLine(ElementKind::Chord, centre),
            Sjis("0;0;0;0;Chord;85.5;138.25;125.5;158.25;125;148;0;0;2;実線;0;透明;16777215;0;"));
  EXPECT_EQ(NewElementLine(ElementKind::Image, centre), "0;0;0;0;image;85.5;133.25;40;30;1;0;0;;");
  EXPECT_EQ(
      NewElementLine(ElementKind::Data, At(50, 50)),
      Sjis("0;0;0;0;data;48.2361;48.2361;48.2361;48.2361;0;0;0;0;ＭＳ 明朝;10;;0;0;0;#T;0;0;"));
}

}  // namespace
}  // namespace designer
