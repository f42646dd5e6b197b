// The designer's edits: each is exact to apply and to undo, writes numbers
// the layout reads back as intended, and refuses what would break a style.

#include "designer/core/StyleEdits.h"

#include <gtest/gtest.h>

#include "designer/core/GroupEdits.h"
#include "designer/core/RecordFields.h"
#include "designer/core/StyleProblems.h"
#include "layout/core/RecordReader.h"
#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"
#include "tests/designer/DesignerTestSupport.h"
#include "tests/support/TempDir.h"

namespace designer {
namespace {

StyleDocument Document(const std::vector<std::string>& utf8Lines) {
  std::string bytes = "header;Ver1.1;0;0;9;0;0;100;0;\r\n";
  for (const std::string& line : utf8Lines) {
    bytes += Sjis(line.c_str()) + "\r\n";
  }
  return StyleDocument::FromBytes(bytes);
}

// Field n of a record, read as the layout engine takes a decimal.
Fixed LayoutDecimal(const std::string& line, int n) {
  layout::RecordReader record(line);
  for (int i = 1; i < n; ++i) {
    record.TakeField();
  }
  return record.TakeDecimal();
}

std::string ErrorOf(const std::function<void()>& edit) {
  try {
    edit();
  } catch (const platform::UserError& e) {
    return e.what();
  }
  return "(no error)";
}

StyleEdit Applied(StyleDocument& document, StyleEdit edit) {
  ApplyEdit(document, edit);
  return edit;
}

TEST(StyleEditUndo, TwentyMixedEditsOnTheA4StyleUndoToTheSameBytes) {
  std::string original =
      testsupport::ReadAll(std::string(QUILL_SOURCE_DIR) + "/resources/style/一覧表_A4縦.sle");
  StyleDocument document = StyleDocument::FromBytes(original);
  ASSERT_GT(document.LineCount(), 100);
  std::vector<StyleEdit> done;
  for (int step = 0; step < 20; ++step) {
    std::vector<int> lines = SelectableLines(document, nullptr);
    int line = lines[static_cast<std::size_t>(step * 7 + 3) % lines.size()];
    std::optional<ElementShape> shape = ShapeOfLine(document.Text(line), nullptr);
    std::vector<std::pair<Handle, MmPoint>> handles = HandlesOf(*shape);
    StyleEdit edit;
    switch (step % 8) {
      case 0: edit = MoveElement(document, line, Mm(1001), Mm(-505)); break;
      case 1:
        if (handles.empty()) {
          edit = MoveElement(document, line, Mm(-20000), Mm(3));
        } else {
          const auto& [handle, point] = handles[static_cast<std::size_t>(step) % handles.size()];
          edit = ResizeElement(document, line, *shape, handle,
                               {point.x + Mm(15000), point.y + Mm(22500)});
        }
        break;
      case 2: edit = SetField(document, line, 2, "k" + std::to_string(step)); break;
      case 3: {
        ElementKind kind = AddableKinds()[static_cast<std::size_t>(step) % AddableKinds().size()];
        edit = AddElement(document, kind, At(100, 150));
        break;
      }
      case 4: edit = DuplicateElement(document, line, Fixed::FromInt(5)); break;
      case 5: edit = DeleteElement(document, line); break;
      case 6:
        edit = CanBringForward(document, line) ? BringForward(document, line)
                                               : SendBackward(document, line);
        break;
      case 7:
        edit = CanSendBackward(document, line) ? SendBackward(document, line)
                                               : BringForward(document, line);
        break;
    }
    std::string before = document.Bytes();
    ApplyEdit(document, edit);
    EXPECT_NE(document.Bytes(), before) << step;
    RevertEdit(document, edit);
    ASSERT_EQ(document.Bytes(), before) << step;
    ApplyEdit(document, edit);
    done.push_back(edit);
  }
  for (auto it = done.rbegin(); it != done.rend(); ++it) {
    RevertEdit(document, *it);
  }
  EXPECT_EQ(document.Bytes(), original);
}

TEST(MoveElementTest, NumbersAreWrittenShortAndReadBackExactly) {
  StyleDocument document = Document({"0;0;0;0;line;37.5;10;20;0;0;実線;0;0;",
                                     "0;0;0;0;char;8;4;8;x;0;0;0;0;f;9;;0;0;0;t;0;0;",
                                     "0;0;0;0;data;8;4;8;4;0.5;0.5;0;0;f;9;;0;0;0;t;0;0;",
                                     "0;0;0;0;image;10;20;40;30;1;0;0;a.png;"});
  StyleEdit edit = Applied(document, MoveElement(document, 1, Mm(1000), Mm(-500)));
  EXPECT_EQ(edit.description, "移動");
  EXPECT_EQ(edit.selectAfter, 1);
  EXPECT_EQ(document.Text(1), Sjis("0;0;0;0;line;37.6;9.95;20.1;-0.05;0;実線;0;0;"));
  EXPECT_EQ(LayoutDecimal(document.Text(1), 6), Mm(376000));
  EXPECT_EQ(LayoutDecimal(document.Text(1), 9), Mm(-500));
  for (int i = 0; i < 3; ++i) {
    ApplyEdit(document, MoveElement(document, 1, Mm(1), Mm(1)));
  }
  EXPECT_EQ(LayoutDecimal(document.Text(1), 6), Mm(376003));
  EXPECT_EQ(LayoutDecimal(document.Text(1), 9), Mm(-497));
  EXPECT_NE(document.Text(1).find("37.6003;"), std::string::npos);

  // Text: the second point follows only where it is a number; a picture
  // keeps its size.
  ApplyEdit(document, MoveElement(document, 2, Mm(5000), Mm(5000)));
  EXPECT_EQ(document.Text(2), "0;0;0;0;char;8.5;4.5;8;x;0;0;0;0;f;9;;0;0;0;t;0;0;");
  ApplyEdit(document, MoveElement(document, 3, Mm(-80000), Mm(0)));
  EXPECT_EQ(document.Text(3), "0;0;0;0;data;0;4;0;4;0.5;0.5;0;0;f;9;;0;0;0;t;0;0;");
  ApplyEdit(document, MoveElement(document, 4, Mm(2500), Mm(2500)));
  EXPECT_EQ(document.Text(4), "0;0;0;0;image;10.25;20.25;40;30;1;0;0;a.png;");
}

TEST(MoveElementTest, RefusesCoordinatesThatDoNotConvertAndLinesThatAreNotElements) {
  StyleDocument document = Document({"0;0;0;0;rect;1,5;2;3;4;0;;0;0;", "0;0;0;0;header;",
                                     "0;0;0;0;box;1;2;3;4;", "", "0;0;0;0;rect;1;2;3;4;0;;0;0;"});
  EXPECT_EQ(ErrorOf([&] { MoveElement(document, 1, Mm(1), Mm(1)); }),
            "'1,5' は浮動小数点数ではありません");
  for (int line : {0, 2, 3, 4, 5, 6, -1}) {
    std::string message = ErrorOf([&] { MoveElement(document, line, Mm(1), Mm(1)); });
    EXPECT_NE(message, "(no error)") << line;
    EXPECT_EQ(message.find("浮動小数点数"), std::string::npos) << line;
  }
}

TEST(ResizeElementTest, EndsCornersEdgesAndPictures) {
  StyleDocument document = Document(
      {"0;0;0;0;line;1;2;3;4;0;;0;0;", "0;0;0;0;rect;50;40;10;20;0;;0;0;",
       "0;0;0;0;image;10;20;0;0;0;0;0;pic.png;", "0;0;0;0;image;10;20;40;30;1;0;0;pic.png;",
       "0;0;0;0;char;8;4;8;4;0;0;0;0;f;9;;0;0;0;t;0;0;"});
  auto shape = [&](int line) { return *ShapeOfLine(document.Text(line), nullptr); };

  ApplyEdit(document, ResizeElement(document, 1, shape(1), Handle::End, {Mm(-5000), Mm(75)}));
  EXPECT_EQ(document.Text(1), "0;0;0;0;line;1;2;-0.5;0.0075;0;;0;0;");
  EXPECT_NE(ErrorOf([&] { ResizeElement(document, 1, shape(1), Handle::TopLeft, At(0, 0)); }),
            "(no error)");

  // Corners written back in the order the record had them (right, bottom
  // first here); an edge dragged past the other turns the box over.
  StyleEdit corner = ResizeElement(document, 2, shape(2), Handle::TopLeft, At(5, 15));
  EXPECT_EQ(corner.description, "大きさの変更");
  ApplyEdit(document, corner);
  EXPECT_EQ(document.Text(2), "0;0;0;0;rect;50;40;5;15;0;;0;0;");
  ApplyEdit(document, ResizeElement(document, 2, shape(2), Handle::Right, At(0, 99)));
  EXPECT_EQ(document.Text(2), "0;0;0;0;rect;5;40;0;15;0;;0;0;");

  // A picture at its natural size (20 x 20 mm unmeasured) gets that size
  // written out with size mode 1.
  ApplyEdit(document, ResizeElement(document, 3, shape(3), Handle::Bottom, At(0, 45)));
  EXPECT_EQ(document.Text(3), "0;0;0;0;image;10;20;20;25;1;0;0;pic.png;");
  // Its left edge moves and the right one stays.
  ApplyEdit(document, ResizeElement(document, 4, shape(4), Handle::Left, At(5, 0)));
  EXPECT_EQ(document.Text(4), "0;0;0;0;image;5;20;45;30;1;0;0;pic.png;");

  EXPECT_NE(ErrorOf([&] { ResizeElement(document, 5, shape(5), Handle::Right, At(50, 4)); }),
            "(no error)");
}

TEST(SetFieldTest, ChecksTheFieldsTypeAndKeepsTheKind) {
  StyleDocument document = Document(
      {"0;0;0;0;line;1;2;3;4;0;実線;0;0;", "0;0;0;0;char;8;4;8;4;0;0;0;0;f;9;;0;0;0;t;0;0;"});
  EXPECT_EQ(ErrorOf([&] { SetField(document, 2, 20, "a;b"); }), "「;」は使えません");
  EXPECT_EQ(ErrorOf([&] { SetField(document, 1, 6, "1.2.3"); }),
            "'1.2.3' は浮動小数点数ではありません");
  EXPECT_EQ(ErrorOf([&] { SetField(document, 2, 15, Sjis("大")); }), "'大' は整数ではありません");
  EXPECT_NE(ErrorOf([&] { SetField(document, 1, 5, "rect"); }), "(no error)");
  EXPECT_NE(ErrorOf([&] { SetField(document, 0, 2, "Ver1.0"); }), "(no error)");

  StyleEdit pen = Applied(document, SetField(document, 1, 11, Sjis("破線")));
  EXPECT_EQ(pen.description, "「線種」の変更");
  EXPECT_EQ(document.Text(1), Sjis("0;0;0;0;line;1;2;3;4;0;破線;0;0;"));
  ApplyEdit(document, SetField(document, 2, 20, Sjis("御中 #ma_01")));
  EXPECT_EQ(document.Text(2), Sjis("0;0;0;0;char;8;4;8;4;0;0;0;0;f;9;;0;0;0;御中 #ma_01;0;0;"));
  // Beyond the kind's fields: kept as text, the record padded up to it.
  StyleEdit beyond = Applied(document, SetField(document, 1, 15, "x"));
  EXPECT_EQ(document.Text(1), Sjis("0;0;0;0;line;1;2;3;4;0;破線;0;0;;x;"));
  EXPECT_EQ(beyond.description, "「欄 15」の変更");
}

TEST(StructureEdits, AddDuplicateDeleteAndReorder) {
  std::string bytes = Sjis(
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n0;0;0;0;rect;1;2;3;4;0;;0;0;\n"
      "0;0;0;0;box;\r\n0;0;0;0;line;5;6;7;8;0;;0;0;\r\r\n0;0;0;0;rect;0;0;9;9;0;;0;0;\r\n");
  StyleDocument document = StyleDocument::FromBytes(bytes);
  ASSERT_EQ(document.PageEnd(), 4);

  StyleEdit add = AddElement(document, ElementKind::Ellipse, At(100, 100));
  EXPECT_EQ(add.index, 4);  // before the empty line that ends the page
  EXPECT_EQ(add.selectAfter, 4);
  EXPECT_EQ(add.description, "追加");
  EXPECT_NE(ErrorOf([&] { AddElement(document, ElementKind::Offsets, At(0, 0)); }), "(no error)");

  StyleEdit copy = Applied(document, DuplicateElement(document, 1, Fixed::FromInt(5)));
  EXPECT_EQ(copy.selectAfter, 2);
  EXPECT_EQ(document.Lines()[2], (StyleLine{"0;0;0;0;rect;6;7;8;9;0;;0;0;", "\n"}));
  RevertEdit(document, copy);

  StyleEdit remove = DeleteElement(document, 2);
  EXPECT_EQ(remove.selectAfter, -1);
  EXPECT_NE(ErrorOf([&] { DeleteElement(document, 0); }), "(no error)");
  EXPECT_NE(ErrorOf([&] { DeleteElement(document, 5); }), "(no error)");

  // Reordering swaps texts within the page; each place keeps its break.
  EXPECT_TRUE(CanBringForward(document, 2));
  EXPECT_FALSE(CanBringForward(document, 3));
  EXPECT_FALSE(CanSendBackward(document, 1));
  EXPECT_TRUE(CanSendBackward(document, 3));
  StyleEdit forward = Applied(document, BringForward(document, 1));
  EXPECT_EQ(forward.selectAfter, 2);
  EXPECT_EQ(document.Lines()[1], (StyleLine{"0;0;0;0;box;", "\n"}));
  EXPECT_EQ(document.Lines()[2], (StyleLine{"0;0;0;0;rect;1;2;3;4;0;;0;0;", "\r\n"}));
  StyleEdit backward = Applied(document, SendBackward(document, 3));
  EXPECT_EQ(backward.selectAfter, 2);
  EXPECT_EQ(document.Text(2), "0;0;0;0;line;5;6;7;8;0;;0;0;");
  RevertEdit(document, backward);
  RevertEdit(document, forward);
  EXPECT_EQ(document.Bytes(), bytes);

  StyleEdit nothing = Applied(document, BringForward(document, 3));
  EXPECT_EQ(document.Bytes(), bytes);
  RevertEdit(document, nothing);
  EXPECT_EQ(document.Bytes(), bytes);

  // To the front or the back in one step, each place keeping its break.
  StyleEdit front = Applied(document, BringToFront(document, 1));
  EXPECT_EQ(front.selectAfter, 3);
  EXPECT_EQ(document.Lines()[1], (StyleLine{"0;0;0;0;box;", "\n"}));
  EXPECT_EQ(document.Lines()[2], (StyleLine{"0;0;0;0;line;5;6;7;8;0;;0;0;", "\r\n"}));
  EXPECT_EQ(document.Lines()[3], (StyleLine{"0;0;0;0;rect;1;2;3;4;0;;0;0;", "\r"}));
  StyleEdit back = Applied(document, SendToBack(document, 3));
  EXPECT_EQ(back.selectAfter, 1);
  EXPECT_EQ(document.Text(1), "0;0;0;0;rect;1;2;3;4;0;;0;0;");
  RevertEdit(document, back);
  RevertEdit(document, front);
  EXPECT_EQ(document.Bytes(), bytes);
}

TEST(StyleProblemsTest, EveryLineTheDrawingCannotUseIsNamedWithItsReason) {
  StyleDocument document = Document({
      "0;0;0;0;rect;1;2;3;4;0;;0;0;",             // fine
      "0;0;0;0;rectangle;1;2;3;4;0;;0;0;",        // 2: unknown kind
      "0;0;0;0;rect;10;10;",                      // 3: cut short
      "0;0;0;0;line;1;x;3;4;0;;0;0;",             // 4: not a number
      "0;0;0;0;image;5;6;40;30;1;0;0;gone.png;",  // 5: not found
      "0;0;0;0;image;5;6;40;30;0;0;0;here.png;",  // found
      "0;0;0;0;image;5;6;40;30;1;0;0;;",          // 7: no name
      "0;0;0;0;;",                                // 8: no kind
  });
  auto found = [](const std::string& name) { return name == "here.png"; };
  std::vector<StyleProblem> problems = FindStyleProblems(document, found);
  ASSERT_EQ(problems.size(), 6u);
  EXPECT_EQ(problems[0], (StyleProblem{2, "要素の種類「rectangle」はありません"}));
  EXPECT_EQ(problems[1].line, 3);
  EXPECT_NE(problems[1].reason.find("途中で切れています"), std::string::npos) << problems[1].reason;
  EXPECT_EQ(problems[2].line, 4);
  EXPECT_NE(problems[2].reason.find("'x'"), std::string::npos) << problems[2].reason;
  EXPECT_EQ(problems[3], (StyleProblem{5, "画像ファイル「gone.png」が見つかりません"}));
  EXPECT_EQ(problems[4], (StyleProblem{7, "画像ファイルが指定されていません"}));
  EXPECT_EQ(problems[5], (StyleProblem{8, "要素の種類 (欄 5) がありません"}));
  // Without a finder pictures are not looked for.
  EXPECT_EQ(FindStyleProblems(document, {}).size(), 5u);

  // A picture not found stands as a box of its size, or a 20 mm square.
  EXPECT_EQ(MissingPictureBox(document.Text(5)),
            (MmBox{Fixed::FromInt(5), Fixed::FromInt(6), Fixed::FromInt(45), Fixed::FromInt(36)}));
  EXPECT_EQ(MissingPictureBox("0;0;0;0;image;5;6;40;30;0;0;0;x;")->right, Fixed::FromInt(25));
  EXPECT_FALSE(MissingPictureBox("0;0;0;0;image;a;6;").has_value());

  // The whole line is repaired in one edit; an empty or broken text is refused.
  std::string before = document.Bytes();
  StyleEdit repair = Applied(document, ReplaceRecord(document, 2, "0;0;0;0;rect;1;2;3;4;0;;0;0;"));
  EXPECT_EQ(FindStyleProblems(document, found).size(), 5u);
  RevertEdit(document, repair);
  EXPECT_EQ(document.Bytes(), before);
  EXPECT_NE(ErrorOf([&] { ReplaceRecord(document, 2, ""); }), "(no error)");
  EXPECT_NE(ErrorOf([&] { ReplaceRecord(document, 2, "a\r\nb"); }), "(no error)");
  EXPECT_NE(ErrorOf([&] { ReplaceRecord(document, 0, "x"); }), "(no error)");
}

TEST(StructureEdits, ThePageCapacityHasALineOfItsOwnAndNoTextIsRewritten) {
  StyleDocument shipped = Document({
      "0;0;0;0;data;0;0;0;0;0;0;0;0;f;10;;0;0;0;#maxline=20;0;0;",
      "0;0;0;0;char;8;4;8;4;0;0;0;0;f;9;;0;0;0;題名 #T;0;0;",
  });
  StyleEdit set = Applied(shipped, SetPageCapacity(shipped, 15));
  EXPECT_EQ(shipped.Text(1), "0;0;0;0;data;0;0;0;0;0;0;0;0;f;10;;0;0;0;#maxline=15;0;0;");
  EXPECT_EQ(set.index, 1);
  EXPECT_EQ(set.inserted.size(), 1u);

  // A style without it gains a first element holding the tag alone.
  StyleDocument bare = Document({"0;0;0;0;char;8;4;8;4;0;0;0;0;f;9;;0;0;0;題名 #T;0;0;"});
  std::string before = bare.Bytes();
  StyleEdit added = Applied(bare, SetPageCapacity(bare, 20));
  EXPECT_EQ(RecordFields(bare.Text(1)).Get(20), "#maxline=20");
  EXPECT_EQ(KeywordOf(bare.Text(1)), "data");
  EXPECT_EQ(RecordFields(bare.Text(2)).Get(20), Sjis("題名 #T"));
  RevertEdit(bare, added);
  EXPECT_EQ(bare.Bytes(), before);

  // A text the tag was typed into is left alone, and named as a problem.
  StyleDocument mixed = Document({"0;0;0;0;char;8;4;8;4;0;0;0;0;f;9;;0;0;0;題名 #maxline=5;0;0;"});
  ApplyEdit(mixed, SetPageCapacity(mixed, 20));
  EXPECT_EQ(RecordFields(mixed.Text(2)).Get(20), Sjis("題名 #maxline=5"));
  std::vector<StyleProblem> problems = FindStyleProblems(mixed, {});
  ASSERT_EQ(problems.size(), 0u);  // the first line with the tag is now the capacity's
  StyleDocument mixedAlone =
      Document({"0;0;0;0;char;8;4;8;4;0;0;0;0;f;9;;0;0;0;題名 #maxline=5;0;0;"});
  problems = FindStyleProblems(mixedAlone, {});
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].reason.find("印刷されません"), std::string::npos);
}

// An empty file gains the header before the first element, whatever adds it.
TEST(StructureEdits, AStyleWithoutLinesGainsItsHeaderFirst) {
  for (int kind = 0; kind < 2; ++kind) {
    StyleDocument empty = StyleDocument::FromBytes("");
    StyleEdit edit =
        kind == 0 ? SetPageCapacity(empty, 3)
                  : PasteElements(empty, "0;0;0;0;rect;1;2;3;4;0;;0;0;\r\n", Fixed::FromInt(5));
    ApplyEdit(empty, edit);
    ASSERT_EQ(empty.LineCount(), 2) << kind;
    EXPECT_EQ(empty.Text(0), StyleDocument::NewHeader());
    EXPECT_EQ(SelectionAfter(edit), std::vector<int>{1});
    RevertEdit(empty, edit);
    EXPECT_EQ(empty.Bytes(), "");
  }
}

TEST(StructureEdits, ThePaperIsOneEditOfTheHeaderAlone) {
  std::string bytes = "header;Ver1.1;1.5;-2;9;0;0;150;0;\r\n0;0;0;0;rect;1;2;3;4;0;;0;0;\r\n";
  StyleDocument document = StyleDocument::FromBytes(bytes);
  EXPECT_EQ(PaperOf(document).entry, 9);
  StyleEdit paper = Applied(document, SetPaper(document, 13, 1, 1));
  EXPECT_EQ(document.Text(0), "header;Ver1.1;1.5;-2;13;1;0;150;0;");
  EXPECT_EQ(paper.selectAfter, 1);  // the selection stays
  EXPECT_EQ(paper.description, "用紙の設定");
  EXPECT_EQ(PaperOf(document).entry, 13);
  EXPECT_EQ(PaperOf(document).orientation, 1);
  RevertEdit(document, paper);
  EXPECT_EQ(document.Bytes(), bytes);
  for (int entry : {0, 119, -1}) {
    EXPECT_NE(ErrorOf([&] { SetPaper(document, entry, 0, -1); }), "(no error)") << entry;
  }
  // A new style on a given paper.
  EXPECT_EQ(StyleDocument::NewStyle(13, 1).Text(0), "header;Ver1.1;0;0;13;1;0;100;0;");
  EXPECT_EQ(StyleDocument::NewStyle().Text(0), StyleDocument::NewHeader());

  // A paper the list does not offer stays when only the orientation changes.
  StyleDocument unlisted = StyleDocument::FromBytes("header;Ver1.1;0;0;48;0;0;100;0;\r\n");
  ApplyEdit(unlisted, SetPaper(unlisted, 48, 1, -1));
  EXPECT_EQ(unlisted.Text(0), "header;Ver1.1;0;0;48;1;0;100;0;");
  // A custom paper on a style without lines gets its size too.
  StyleDocument empty = StyleDocument::FromBytes("");
  layout::CustomPaperSize card{Fixed::FromInt(100), *Fixed::Parse("148.5")};
  ApplyEdit(empty, SetPaper(empty, layout::kCustomPaperEntry, 0, -1, card));
  EXPECT_EQ(empty.Text(0), "header;Ver1.1;0;0;256;0;0;100;0;100;148.5;");
  EXPECT_EQ(PaperOf(empty).custom, card);
}

}  // namespace
}  // namespace designer
