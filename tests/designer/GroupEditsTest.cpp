// Edits of several elements: one exact step each, the other lines kept.

#include "designer/core/GroupEdits.h"

#include <gtest/gtest.h>

#include "designer/core/ElementSchema.h"
#include "designer/core/ElementSnap.h"
#include "designer/core/NewElements.h"
#include "designer/core/PictureNames.h"
#include "designer/core/RecordFields.h"
#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"
#include "tests/designer/DesignerTestSupport.h"

namespace designer {
namespace {

// Header, three boxes, a line, a text and an empty line ending the page.
StyleDocument Page() {
  return StyleDocument::FromBytes(
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;rect;10;10;30;20;0;;0;0;\r\n"
      "0;0;0;0;rect;50;15;60;25;0;;0;0;\r\n"
      "0;0;0;0;line;100;40;140;40;0;;0;0;\n"
      "0;0;0;0;rect;90;30;120;50;0;;0;0;\r\n"
      "0;0;0;0;Ellipse;5;60;25;70;2;;0;;16777215;0;\r\n"
      "\r\n"
      "second page;\r\n");
}

Fixed Field(const StyleDocument& document, int line, int field) {
  return *RecordFields(document.Text(line)).Decimal(field);
}

StyleEdit Applied(StyleDocument& document, StyleEdit edit) {
  ApplyEdit(document, edit);
  return edit;
}

TEST(GroupEdits, MoveSetDeleteAndDuplicateManyInOneExactStep) {
  StyleDocument document = Page();
  std::string bytes = document.Bytes();

  StyleEdit move = Applied(document, MoveElements(document, {4, 1}, Fixed::FromInt(2), Fixed()));
  EXPECT_EQ(document.Text(1), "0;0;0;0;rect;12;10;32;20;0;;0;0;");
  EXPECT_EQ(document.Text(4), "0;0;0;0;rect;92;30;122;50;0;;0;0;");
  EXPECT_EQ(document.Text(2), "0;0;0;0;rect;50;15;60;25;0;;0;0;");  // not selected
  EXPECT_EQ(document.Lines()[3].lineBreak, "\n");                   // its break kept
  EXPECT_EQ(SelectionAfter(move), (std::vector<int>{1, 4}));
  RevertEdit(document, move);
  EXPECT_EQ(document.Bytes(), bytes);

  // A field set on all that have a field meaning it: the line's pen kind
  // is field 11 as the boxes' is.
  StyleEdit pen =
      Applied(document, SetFieldOfElements(document, {1, 2, 3}, ElementKind::Rect, 11, "破線"));
  for (int line : {1, 2, 3}) {
    EXPECT_EQ(RecordFields(document.Text(line)).Get(11), "破線") << line;
  }
  RevertEdit(document, pen);
  EXPECT_EQ(document.Bytes(), bytes);
  EXPECT_THROW(SetFieldOfElements(document, {1, 2}, ElementKind::Rect, 30, "x"),
               platform::UserError);
  EXPECT_THROW(SetFieldOfElements(document, {1, 2}, ElementKind::Rect, 6, "x"),
               platform::UserError);

  StyleEdit remove = Applied(document, DeleteElements(document, {2, 4}));
  EXPECT_EQ(document.PageEnd(), 4);
  EXPECT_EQ(document.Text(2), "0;0;0;0;line;100;40;140;40;0;;0;0;");
  EXPECT_TRUE(SelectionAfter(remove).empty());
  EXPECT_EQ(SelectionBefore(remove), (std::vector<int>{2, 4}));
  RevertEdit(document, remove);
  EXPECT_EQ(document.Bytes(), bytes);

  StyleEdit copies = Applied(document, DuplicateElements(document, {1, 3}, Fixed::FromInt(5)));
  EXPECT_EQ(SelectionAfter(copies), (std::vector<int>{2, 5}));
  EXPECT_EQ(document.Text(2), "0;0;0;0;rect;15;15;35;25;0;;0;0;");
  EXPECT_EQ(document.Text(5), "0;0;0;0;line;105;45;145;45;0;;0;0;");
  RevertEdit(document, copies);
  EXPECT_EQ(document.Bytes(), bytes);

  EXPECT_THROW(MoveElements(document, {}, Fixed(), Fixed()), platform::UserError);
  EXPECT_THROW(DeleteElements(document, {0}), platform::UserError);
  EXPECT_THROW(DeleteElements(document, {7}), platform::UserError);  // past the page
}

TEST(GroupEdits, KeyboardResizeAndRoundedMovesWriteTenthsInOneStep) {
  StyleDocument document = StyleDocument::FromBytes(
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;rect;16.5453;97.5453;30.0001;99.99;0;;0;0;\r\n"
      "0;0;0;0;line;100;40;140.04;40;0;;0;0;\r\n"
      "0;0;0;0;char;5;5;5;5;0;0;0;0;0;0;0;0;0;0;x;\r\n");
  std::string bytes = document.Bytes();
  // A group drag by noise writes every value on a tenth.
  StyleEdit move =
      Applied(document, MoveElements(document, {1, 2}, Mm(12345), Mm(-6789), kTenthMm));
  EXPECT_EQ(document.Text(1), "0;0;0;0;rect;17.8;96.9;31.2;99.3;0;;0;0;");
  EXPECT_EQ(document.Text(2), "0;0;0;0;line;101.2;39.3;141.3;39.3;0;;0;0;");
  RevertEdit(document, move);
  // Wider by 1 mm: the right edge and a line's end move; the text is left.
  StyleEdit wider =
      Applied(document, ResizeElementsBy(document, {1, 2, 3}, Fixed::FromInt(1), Fixed(), nullptr));
  EXPECT_EQ(document.Text(1), "0;0;0;0;rect;16.5;97.5;31;100;0;;0;0;");
  EXPECT_EQ(document.Text(2), "0;0;0;0;line;100;40;141;40;0;;0;0;");
  EXPECT_EQ(document.Text(3), "0;0;0;0;char;5;5;5;5;0;0;0;0;0;0;0;0;0;0;x;");
  EXPECT_EQ(SelectionAfter(wider), (std::vector<int>{1, 2, 3}));
  RevertEdit(document, wider);
  // Narrower than nothing: it stops at no width, never turned over.
  Applied(document, ResizeElementsBy(document, {1}, Fixed::FromInt(-50), Fixed(), nullptr));
  EXPECT_EQ(document.Text(1), "0;0;0;0;rect;16.5;97.5;16.5;100;0;;0;0;");
  EXPECT_THROW(ResizeElementsBy(document, {3}, Fixed::FromInt(1), Fixed(), nullptr),
               platform::UserError);
  document = StyleDocument::FromBytes(bytes);
}

TEST(GroupEdits, FrontAndBackKeepTheirOrderAndEveryPlaceItsBreak) {
  StyleDocument document = Page();
  std::string bytes = document.Bytes();
  StyleEdit front = Applied(document, BringElementsToFront(document, {1, 3}));
  EXPECT_EQ(KeywordOf(document.Text(4)), "rect");
  EXPECT_EQ(document.Text(4), "0;0;0;0;rect;10;10;30;20;0;;0;0;");
  EXPECT_EQ(document.Text(5), "0;0;0;0;line;100;40;140;40;0;;0;0;");
  EXPECT_EQ(document.Lines()[3].lineBreak, "\n");
  EXPECT_EQ(SelectionAfter(front), (std::vector<int>{4, 5}));
  RevertEdit(document, front);
  EXPECT_EQ(document.Bytes(), bytes);

  StyleEdit back = Applied(document, SendElementsToBack(document, {5, 3}));
  EXPECT_EQ(KeywordOf(document.Text(1)), "line");
  EXPECT_EQ(KeywordOf(document.Text(2)), "Ellipse");
  EXPECT_EQ(SelectionAfter(back), (std::vector<int>{1, 2}));
  RevertEdit(document, back);
  EXPECT_EQ(document.Bytes(), bytes);
}

TEST(GroupEdits, AlignOnTheBoxRoundThemAndDistributeEvenly) {
  StyleDocument document = Page();
  std::string bytes = document.Bytes();
  StyleEdit left = Applied(document, AlignElements(document, {1, 2, 4}, Alignment::Left, nullptr));
  for (int line : {1, 2, 4}) {
    EXPECT_EQ(Field(document, line, 6), Fixed::FromInt(10)) << line;
  }
  EXPECT_EQ(Field(document, 4, 8), Fixed::FromInt(40));  // its width kept
  RevertEdit(document, left);

  StyleEdit bottom = Applied(document, AlignElements(document, {1, 2}, Alignment::Bottom, nullptr));
  EXPECT_EQ(Field(document, 1, 9), Fixed::FromInt(25));
  EXPECT_EQ(Field(document, 2, 9), Fixed::FromInt(25));
  RevertEdit(document, bottom);

  StyleEdit centres =
      Applied(document, AlignElements(document, {1, 2}, Alignment::CentresDown, nullptr));
  EXPECT_EQ(Field(document, 1, 7) + Field(document, 1, 9),
            Field(document, 2, 7) + Field(document, 2, 9));
  RevertEdit(document, centres);
  EXPECT_EQ(document.Bytes(), bytes);
  EXPECT_THROW(AlignElements(document, {1}, Alignment::Left, nullptr), platform::UserError);

  // Across: boxes 10-30, 50-60, 90-120: gaps become (110 - 60) / 2 = 25.
  StyleEdit spread = Applied(document, DistributeElements(document, {4, 1, 2}, true, nullptr));
  EXPECT_EQ(Field(document, 1, 6), Fixed::FromInt(10));  // the first stays
  EXPECT_EQ(Field(document, 2, 6), Fixed::FromInt(55));  // 30 + 25
  EXPECT_EQ(Field(document, 4, 6), Fixed::FromInt(90));  // the last stays
  RevertEdit(document, spread);
  EXPECT_EQ(document.Bytes(), bytes);
  EXPECT_THROW(DistributeElements(document, {1, 2}, true, nullptr), platform::UserError);
}

TEST(GroupEdits, ElementsGoToTheClipboardAsStyleLinesAndComeBackAside) {
  StyleDocument document = Page();
  std::string bytes = document.Bytes();
  std::string text = ElementsText(document, {3, 1});
  EXPECT_EQ(text,
            "0;0;0;0;rect;10;10;30;20;0;;0;0;\r\n"
            "0;0;0;0;line;100;40;140;40;0;;0;0;\r\n");

  // Onto the same place: 5 mm aside, and 10 mm the next time.
  StyleEdit first = Applied(document, PasteElements(document, text, Fixed::FromInt(5)));
  EXPECT_EQ(first.index, 6);  // on top of the page, before its end
  EXPECT_EQ(SelectionAfter(first), (std::vector<int>{6, 7}));
  EXPECT_EQ(document.Text(6), "0;0;0;0;rect;15;15;35;25;0;;0;0;");
  StyleEdit second = Applied(document, PasteElements(document, text, Fixed::FromInt(5)));
  EXPECT_EQ(document.Text(8), "0;0;0;0;rect;20;20;40;30;0;;0;0;");
  RevertEdit(document, second);
  RevertEdit(document, first);
  EXPECT_EQ(document.Bytes(), bytes);

  // Into another style, where nothing is in the way: as copied.
  StyleDocument other = StyleDocument::NewStyle();
  ApplyEdit(other, PasteElements(other, "noise\r\n\r\n" + text, Fixed::FromInt(5)));
  EXPECT_EQ(other.Text(1), "0;0;0;0;rect;10;10;30;20;0;;0;0;");
  EXPECT_EQ(other.LineCount(), 3);
  EXPECT_THROW(PasteElements(other, "just words\r\n", Fixed::FromInt(5)), platform::UserError);
}

TEST(ElementSnapTest, ANearEdgeOrCentreTakesTheMoveAndIsTheGuide) {
  MmBox moving{Fixed::FromInt(10), Fixed::FromInt(10), Fixed::FromInt(30), Fixed::FromInt(20)};
  std::vector<MmBox> others{
      {Fixed::FromInt(50), Fixed::FromInt(100), Fixed::FromInt(70), Fixed::FromInt(120)}};
  Fixed tolerance = Fixed::FromInt(1);
  // Left edge 10 + 39.4 lands near 50: it goes to 50 exactly.
  ElementSnap snap =
      SnapToElements(moving, Fixed::Parse("39.4").value(), Fixed(), others, tolerance);
  EXPECT_EQ(snap.dx, Fixed::FromInt(40));
  EXPECT_EQ(snap.guideX, Fixed::FromInt(50));
  EXPECT_FALSE(snap.guideY.has_value());
  EXPECT_EQ(snap.dy, Fixed());
  // Centres: 15 + 94.6 is near 110.
  snap = SnapToElements(moving, Fixed(), Fixed::Parse("94.6").value(), others, tolerance);
  EXPECT_EQ(snap.dy, Fixed::FromInt(95));
  EXPECT_EQ(snap.guideY, Fixed::FromInt(110));
  // Too far: the move as it was.
  snap = SnapToElements(moving, Fixed::FromInt(5), Fixed::FromInt(5), others, tolerance);
  EXPECT_EQ(snap.dx, Fixed::FromInt(5));
  EXPECT_FALSE(snap.guideX || snap.guideY);
  StyleDocument document = Page();
  EXPECT_EQ(OtherElementBoxes(document, {1, 2}, nullptr).size(), 3u);
}

TEST(GroupEdits, ARectangleTakesInWhatLiesWhollyInsideIt) {
  StyleDocument document = Page();
  MmBox band{Fixed::FromInt(0), Fixed::FromInt(0), Fixed::FromInt(70), Fixed::FromInt(30)};
  EXPECT_EQ(ElementsInside(document, band, nullptr), (std::vector<int>{1, 2}));
  band.bottom = Fixed::FromInt(80);
  EXPECT_EQ(ElementsInside(document, band, nullptr), (std::vector<int>{1, 2, 5}));
}

// A value each type of field takes (code page 932).
std::string ValueOf(FieldType type, ElementKind kind) {
  switch (type) {
    case FieldType::Decimal: return "12.5";
    case FieldType::Integer:
    case FieldType::IntegerOr0:
    case FieldType::Length: return "7";
    case FieldType::Flag:
    case FieldType::FlagOr0: return "1";
    case FieldType::Colour: return "255";
    case FieldType::TextMode: return "2";
    case FieldType::SizeMode: return "1";
    case FieldType::FontFace: return "Test Face";
    case FieldType::Text: return "abc";
    case FieldType::PictureFile: return "pic.jpg";
    case FieldType::PenName:
    case FieldType::BrushName:
    case FieldType::FontStyle: return ChoicesOf(type, kind).back().word;
    default: return "9";
  }
}

// Every field of every kind set on a selection of two kinds reaches
// exactly the fields that mean it: the same label, nothing else. Field 12
// is a line's colour but a text's rotation.
TEST(GroupEdits, AFieldSetOnSeveralKindsReachesOnlyTheFieldsThatMeanIt) {
  for (ElementKind from : AddableKinds()) {
    for (ElementKind to : AddableKinds()) {
      StyleDocument document = StyleDocument::FromBytes(
          "header;Ver1.1;0;0;9;0;0;100;0;\r\n" +
          NewElementLine(from, {Fixed::FromInt(50), Fixed::FromInt(50)}) + "\r\n" +
          NewElementLine(to, {Fixed::FromInt(90), Fixed::FromInt(90)}) + "\r\n");
      std::string bytes = document.Bytes();
      RecordFields before(document.Text(2));
      for (const FieldInfo& field : FieldsOfKind(from)) {
        if (field.type == FieldType::Keyword) {
          continue;
        }
        SCOPED_TRACE(std::string(KindName(from)) + " field " + std::to_string(field.number) +
                     " -> " + KindName(to));
        std::string value = ValueOf(field.type, from);
        StyleEdit edit =
            Applied(document, SetFieldOfElements(document, {1, 2}, from, field.number, value));
        EXPECT_EQ(RecordFields(document.Text(1)).Get(field.number), value);
        RecordFields after(document.Text(2));
        for (const FieldInfo& other : FieldsOfKind(to)) {
          bool spare = field.type == FieldType::Kept || other.type == FieldType::Kept;
          bool sameMeaning = std::string_view(other.label) == field.label &&
                             (!spare || other.number == field.number);
          if (sameMeaning) {
            EXPECT_EQ(after.Get(other.number), value) << other.label;
          } else {
            EXPECT_EQ(after.Get(other.number), before.Get(other.number)) << other.label;
          }
        }
        RevertEdit(document, edit);
        EXPECT_EQ(document.Bytes(), bytes);
      }
    }
  }
  // The fault that was: a line's colour on a line and texts.
  EXPECT_EQ(layout::FieldOfSameMeaning(ElementKind::Line, 12, ElementKind::Data), std::nullopt);
  EXPECT_EQ(layout::FieldOfSameMeaning(ElementKind::Line, 12, ElementKind::Rect), 12);
  EXPECT_EQ(layout::FieldOfSameMeaning(ElementKind::RoundRect, 16, ElementKind::Ellipse), 14);
  EXPECT_EQ(layout::FieldOfSameMeaning(ElementKind::Char, 3, ElementKind::Line), 3);
  EXPECT_EQ(layout::FieldOfSameMeaning(ElementKind::FillRect, 12, ElementKind::Image),
            std::nullopt);
}

// A style saved into a folder names the pictures in it or below from
// there, so the two move together; others keep their whole name.
TEST(PictureNames, PicturesInTheStylesFolderOrBelowAreNamedFromThere) {
  EXPECT_EQ(PictureNameForStyle("/home/u/styles/logo.bmp", "/home/u/styles"), "logo.bmp");
  EXPECT_EQ(PictureNameForStyle("/home/u/styles/img/a.jpg", "/home/u/styles/"), "img/a.jpg");
  EXPECT_EQ(PictureNameForStyle("/home/u/styles/./img/../b.jpg", "/home/u/styles"), "b.jpg");
  EXPECT_EQ(PictureNameForStyle("/home/u/other/logo.bmp", "/home/u/styles"),
            "/home/u/other/logo.bmp");
  EXPECT_EQ(PictureNameForStyle("/home/u/styles2/logo.bmp", "/home/u/styles"),
            "/home/u/styles2/logo.bmp");  // a folder that only starts the same
  EXPECT_EQ(PictureNameForStyle("/home/u/styles/../logo.bmp", "/home/u/styles"),
            "/home/u/styles/../logo.bmp");
  EXPECT_EQ(PictureNameForStyle("logo.bmp", "/home/u/styles"), "logo.bmp");  // already relative

  StyleDocument document = StyleDocument::FromBytes(
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;image;0;0;10;10;1;0;0;/s/" +
      Sjis("表紙.jpg") +
      ";\r\n"
      "0;0;0;0;char;0;0;0;0;0;0;0;0;x;9;;0;0;0;/s/not-a-picture.jpg;0;0;\r\n"
      "0;0;0;0;image;0;0;10;10;1;0;0;/elsewhere/b.bmp;\r\n"
      "0;0;0;0;image;0;0;10;10;1;0;0;/s/sub/c.png;\r\n");
  std::string bytes = document.Bytes();
  std::optional<StyleEdit> edit = PicturesRelativeTo(document, "/s");
  ASSERT_TRUE(edit);
  ApplyEdit(document, *edit);
  EXPECT_EQ(RecordFields(document.Text(1)).Get(kPictureField), Sjis("表紙.jpg"));
  EXPECT_EQ(RecordFields(document.Text(2)).Get(20), "/s/not-a-picture.jpg");
  EXPECT_EQ(RecordFields(document.Text(3)).Get(kPictureField), "/elsewhere/b.bmp");
  EXPECT_EQ(RecordFields(document.Text(4)).Get(kPictureField), "sub/c.png");
  EXPECT_FALSE(PicturesRelativeTo(document, "/s"));  // nothing left to change

  // Saved into another folder: names relative to where it was read are
  // taken whole, or named from the new folder where they lie below it.
  std::optional<StyleEdit> moved = PicturesForSaveIn(document, "/s", "/s/sub");
  ASSERT_TRUE(moved);
  ApplyEdit(document, *moved);
  EXPECT_EQ(RecordFields(document.Text(1)).Get(kPictureField), "/s/" + Sjis("表紙.jpg"));
  EXPECT_EQ(RecordFields(document.Text(3)).Get(kPictureField), "/elsewhere/b.bmp");
  EXPECT_EQ(RecordFields(document.Text(4)).Get(kPictureField), "c.png");
  // Saved where it was read, a relative name is left as written.
  EXPECT_FALSE(PicturesForSaveIn(document, "/s/sub", "/s/sub"));
  RevertEdit(document, *moved);
  RevertEdit(document, *edit);
  EXPECT_EQ(document.Bytes(), bytes);
}

}  // namespace
}  // namespace designer
