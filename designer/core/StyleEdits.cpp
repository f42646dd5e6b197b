#include "designer/core/StyleEdits.h"

#include <algorithm>
#include <vector>

#include "designer/core/NewElements.h"
#include "designer/core/RecordFields.h"
#include "layout/core/RecordReader.h"
#include "layout/core/StyleFile.h"
#include "platform/errors/UserError.h"
#include "printing/core/PaperSizes.h"

namespace designer {

namespace {

bool HasPosition(ElementKind kind) {
  return IsShapeKind(kind) || kind == ElementKind::Char || kind == ElementKind::Data ||
         kind == ElementKind::Image;
}

// Refuses a line that is not a record of the page: the header, a line after
// the empty line that ends the page, or no line at all.
void CheckPageLine(const StyleDocument& document, int line) {
  if (line < 1 || line >= document.PageEnd()) {
    throw platform::UserError(std::to_string(layout::LineNumberShown(line)) +
                              " 行目はページの要素ではありません");
  }
}

ElementKind CheckPositionedLine(const StyleDocument& document, int line) {
  CheckPageLine(document, line);
  ElementKind kind = KindOfLine(document.Text(line));
  if (!HasPosition(kind)) {
    throw platform::UserError(std::to_string(layout::LineNumberShown(line)) +
                              " 行目は位置を持つ要素ではありません");
  }
  return kind;
}

// Field n as a decimal, or the program's conversion message.
Fixed RequireDecimal(const RecordFields& fields, int n) {
  std::optional<Fixed> value = fields.Decimal(n);
  if (!value) {
    throw platform::UserError(layout::NotADecimalMessage(fields.Get(n)));
  }
  return *value;
}

void AddTo(RecordFields& fields, int n, Fixed delta, Fixed roundTo) {
  Fixed moved = RequireDecimal(fields, n) + delta;
  fields.Set(n, DecimalText(roundTo > Fixed() ? SnapTo(moved, roundTo) : moved));
}

// The line text of an element moved by (dx, dy).

// The line break a new line at `index` takes: that of the line before it
// (or the nearest earlier one that has one), so a file written with LF
// gains LF lines.
std::string BreakForNewLine(const StyleDocument& document, int index) {
  for (int i = std::min(index, document.LineCount()) - 1; i >= 0; --i) {
    const std::string& lineBreak = document.Lines()[static_cast<std::size_t>(i)].lineBreak;
    if (!lineBreak.empty()) {
      return lineBreak;
    }
  }
  return "\r\n";
}

// An edit that replaces the text of one line, keeping its break.
StyleEdit ReplaceLine(const StyleDocument& document, int line, std::string text,
                      std::string description) {
  StyleEdit edit;
  edit.index = line;
  const StyleLine& old = document.Lines()[static_cast<std::size_t>(line)];
  edit.removed = {old};
  edit.inserted = {{std::move(text), old.lineBreak}};
  edit.description = std::move(description);
  edit.selectBefore = edit.selectAfter = line;
  return edit;
}

// Swaps the texts of lines `line` and `line + 1`; each place keeps its break.
StyleEdit SwapWithNext(const StyleDocument& document, int line, std::string description) {
  const StyleLine& first = document.Lines()[static_cast<std::size_t>(line)];
  const StyleLine& second = document.Lines()[static_cast<std::size_t>(line + 1)];
  StyleEdit edit;
  edit.index = line;
  edit.removed = {first, second};
  edit.inserted = {{second.text, first.lineBreak}, {first.text, second.lineBreak}};
  edit.description = std::move(description);
  return edit;
}

StyleEdit NothingToDo(const StyleDocument& document, int line, std::string description) {
  StyleEdit edit;
  edit.index = std::clamp(line, 0, document.LineCount());
  edit.description = std::move(description);
  edit.selectBefore = edit.selectAfter = line;
  return edit;
}

}  // namespace

std::string MovedText(const std::string& text, Fixed dx, Fixed dy, Fixed roundTo) {
  ElementKind kind = KindOfLine(text);
  RecordFields fields(text);
  AddTo(fields, 6, dx, roundTo);
  AddTo(fields, 7, dy, roundTo);
  if (IsShapeKind(kind)) {
    AddTo(fields, 8, dx, roundTo);
    AddTo(fields, 9, dy, roundTo);
  } else if (kind == ElementKind::Char || kind == ElementKind::Data) {
    // The second point is not drawn; it follows the first where it is a
    // number, as files keep it.
    if (fields.Decimal(8) && fields.Decimal(9)) {
      AddTo(fields, 8, dx, roundTo);
      AddTo(fields, 9, dy, roundTo);
    }
  }
  return fields.Join();
}

void ApplyEdit(StyleDocument& document, const StyleEdit& edit) {
  document.Splice(edit.index, static_cast<int>(edit.removed.size()), edit.inserted);
}

void RevertEdit(StyleDocument& document, const StyleEdit& edit) {
  document.Splice(edit.index, static_cast<int>(edit.inserted.size()), edit.removed);
}

StyleEdit MoveElement(const StyleDocument& document, int line, Fixed dx, Fixed dy, Fixed roundTo) {
  CheckPositionedLine(document, line);
  return ReplaceLine(document, line, MovedText(document.Text(line), dx, dy, roundTo), "移動");
}

StyleEdit ResizeElement(const StyleDocument& document, int line, const ElementShape& shape,
                        Handle handle, MmPoint to, Fixed roundTo) {
  ElementKind kind = CheckPositionedLine(document, line);
  auto rounded = [roundTo](Fixed value) {
    return roundTo > Fixed() ? SnapTo(value, roundTo) : value;
  };
  to = {rounded(to.x), rounded(to.y)};
  RecordFields fields(document.Text(line));
  auto refuse = [] { throw platform::UserError("この要素の大きさはこの点では変えられません"); };

  if (kind == ElementKind::Line) {
    if (handle == Handle::Start) {
      fields.Set(6, DecimalText(to.x));
      fields.Set(7, DecimalText(to.y));
    } else if (handle == Handle::End) {
      fields.Set(8, DecimalText(to.x));
      fields.Set(9, DecimalText(to.y));
    } else {
      refuse();
    }
    return ReplaceLine(document, line, fields.Join(), "大きさの変更");
  }
  if (!IsShapeKind(kind) && kind != ElementKind::Image) {
    refuse();
  }
  if (handle == Handle::None || handle == Handle::Start || handle == Handle::End) {
    refuse();
  }

  // The box as it stands, then the edges the handle moves.
  Fixed x1, y1, x2, y2;
  bool imageNatural = false;
  if (kind == ElementKind::Image) {
    x1 = RequireDecimal(fields, 6);
    y1 = RequireDecimal(fields, 7);
    std::optional<Fixed> w = fields.Decimal(8);
    std::optional<Fixed> h = fields.Decimal(9);
    // A picture drawn at its natural size, or with a side taken from its
    // proportions, gets the size it is shown at written out.
    imageNatural =
        fields.Integer(10).value_or(0) == 0 || !w || !h || *w == Fixed() || *h == Fixed();
    if (imageNatural) {
      w = shape.box.right - shape.box.left;
      h = shape.box.bottom - shape.box.top;
    }
    x2 = x1 + *w;
    y2 = y1 + *h;
  } else {
    x1 = RequireDecimal(fields, 6);
    y1 = RequireDecimal(fields, 7);
    x2 = RequireDecimal(fields, 8);
    y2 = RequireDecimal(fields, 9);
  }
  MmBox box{rounded(std::min(x1, x2)), rounded(std::min(y1, y2)), rounded(std::max(x1, x2)),
            rounded(std::max(y1, y2))};
  auto any = [handle](Handle a, Handle b, Handle c) {
    return handle == a || handle == b || handle == c;
  };
  if (any(Handle::TopLeft, Handle::Left, Handle::BottomLeft)) {
    box.left = to.x;
  }
  if (any(Handle::TopRight, Handle::Right, Handle::BottomRight)) {
    box.right = to.x;
  }
  if (any(Handle::TopLeft, Handle::Top, Handle::TopRight)) {
    box.top = to.y;
  }
  if (any(Handle::BottomLeft, Handle::Bottom, Handle::BottomRight)) {
    box.bottom = to.y;
  }
  // An edge dragged past the opposite one turns the box over.
  if (box.left > box.right) {
    std::swap(box.left, box.right);
  }
  if (box.top > box.bottom) {
    std::swap(box.top, box.bottom);
  }

  if (kind == ElementKind::Image) {
    fields.Set(6, DecimalText(box.left));
    fields.Set(7, DecimalText(box.top));
    fields.Set(8, DecimalText(box.right - box.left));
    fields.Set(9, DecimalText(box.bottom - box.top));
    if (imageNatural && fields.Integer(10).value_or(0) == 0) {
      fields.Set(10, "1");
    }
  } else {
    // Each corner field keeps the side it held.
    fields.Set(6, DecimalText(x1 <= x2 ? box.left : box.right));
    fields.Set(8, DecimalText(x1 <= x2 ? box.right : box.left));
    fields.Set(7, DecimalText(y1 <= y2 ? box.top : box.bottom));
    fields.Set(9, DecimalText(y1 <= y2 ? box.bottom : box.top));
  }
  return ReplaceLine(document, line, fields.Join(), "大きさの変更");
}

StyleEdit SetField(const StyleDocument& document, int line, int field, const std::string& value) {
  CheckPageLine(document, line);
  if (field < 1) {
    throw platform::UserError("欄 " + std::to_string(field) + " はありません");
  }
  if (field == 5) {
    throw platform::UserError("要素の種類は変更できません");
  }
  ElementKind kind = KindOfLine(document.Text(line));
  FieldType type = FieldType::Kept;
  std::string label = "欄 " + std::to_string(field);
  for (const FieldInfo& info : FieldsOfKind(kind)) {
    if (info.number == field) {
      type = info.type;
      label = info.label;
    }
  }
  std::string message = CheckFieldValue(type, value);
  if (!message.empty()) {
    throw platform::UserError(message);
  }
  RecordFields fields(document.Text(line));
  fields.Set(field, value);
  return ReplaceLine(document, line, fields.Join(), "「" + label + "」の変更");
}

bool HoldsOnlyCapacity(const std::string& text) {
  return text.rfind(kCapacityTag, 0) == 0 &&
         text.find_first_not_of("0123456789", std::string_view(kCapacityTag).size()) ==
             std::string::npos;
}

StyleEdit SetPageCapacity(const StyleDocument& document, int rows) {
  if (rows < 0) {
    throw platform::UserError("1ページの行数は 0 以上にしてください");
  }
  std::string tag = kCapacityTag + std::to_string(rows);
  constexpr int kTextField = 20;
  for (int line = 1; line < document.LineCount(); ++line) {
    const std::string& text = document.Text(line);
    if (text.find(kCapacityTag) == std::string::npos) {
      continue;
    }
    RecordFields fields(text);
    if (HoldsOnlyCapacity(fields.Get(kTextField))) {
      fields.Set(kTextField, tag);
      return ReplaceLine(document, line, fields.Join(), "1ページの行数");
    }
    break;  // a text that holds more than the tag is not rewritten
  }
  std::vector<std::string> fields = layout::DefaultFields(ElementKind::Data);
  fields.at(kTextField - 1) = tag;
  std::string text;
  for (const std::string& field : fields) {
    text += field + ";";
  }
  StyleEdit edit;
  edit.index = 1;
  if (document.LineCount() == 0) {
    // A style without lines gains the new-style header first.
    edit.index = 0;
    edit.inserted.push_back({StyleDocument::NewHeader(), "\r\n"});
  }
  edit.inserted.push_back({text, BreakForNewLine(document, 1)});
  edit.description = "1ページの行数";
  edit.selectAfter = 1;
  return edit;
}

StyleEdit ReplaceRecord(const StyleDocument& document, int line, const std::string& text) {
  CheckPageLine(document, line);
  if (text.empty()) {
    throw platform::UserError(
        "行を空にすると、そこでページが終わってしまいます。削除を使ってください");
  }
  if (text.find_first_of("\r\n") != std::string::npos) {
    throw platform::UserError("改行は使えません");
  }
  return ReplaceLine(document, line, text, "行の内容の変更");
}

StyleEdit SetPaper(const StyleDocument& document, int paperEntry, int orientation, int selected,
                   const std::optional<layout::CustomPaperSize>& custom) {
  bool customPaper = paperEntry == layout::kCustomPaperEntry;
  // The paper the style has may stay whatever it is (an entry the list no
  // longer offers, say), the orientation alone changing.
  bool kept = paperEntry == PaperOf(document).entry;
  if (!customPaper && !kept && (paperEntry < 1 || paperEntry > printing::kPaperCount)) {
    throw platform::UserError("用紙の番号 " + std::to_string(paperEntry) +
                              " は用紙リストにありません");
  }
  if (customPaper && (!custom || !layout::IsCustomPaperSize(*custom))) {
    throw platform::UserError("用紙の幅と高さは " + std::to_string(layout::kCustomPaperLeast) +
                              " から " + std::to_string(layout::kCustomPaperMost) +
                              " mm までにしてください");
  }
  bool empty = document.LineCount() == 0;
  RecordFields header(empty ? StyleDocument::NewStyle(paperEntry, orientation).Text(0)
                            : document.Text(0));
  header.Set(StyleDocument::kPaperField, std::to_string(paperEntry));
  header.Set(StyleDocument::kOrientationField, orientation == 0 ? "0" : "1");
  if (customPaper) {
    if (header.Count() < layout::kCustomPaperWidthField - 1) {
      header.Set(layout::kCustomPaperWidthField - 1, "0");  // the spare counter, as saves write it
    }
    header.Set(layout::kCustomPaperWidthField, DecimalText(custom->widthMm));
    header.Set(layout::kCustomPaperHeightField, DecimalText(custom->heightMm));
  }
  if (empty) {
    // A style without lines gains its header.
    StyleEdit edit;
    edit.inserted.push_back({header.Join(), "\r\n"});
    edit.description = "用紙の設定";
    edit.selectBefore = edit.selectAfter = -1;
    return edit;
  }
  StyleEdit edit = ReplaceLine(document, 0, header.Join(), "用紙の設定");
  edit.selectBefore = edit.selectAfter = selected;
  return edit;
}

StylePaper PaperOf(const StyleDocument& document) {
  if (document.LineCount() == 0) {
    return {};
  }
  RecordFields header(document.Text(0));
  StylePaper paper{header.Integer(StyleDocument::kPaperField).value_or(0),
                   header.Integer(StyleDocument::kOrientationField).value_or(0), std::nullopt};
  if (paper.entry == layout::kCustomPaperEntry) {
    std::optional<Fixed> width = header.Decimal(layout::kCustomPaperWidthField);
    std::optional<Fixed> height = header.Decimal(layout::kCustomPaperHeightField);
    if (width && height && layout::IsCustomPaperSize({*width, *height})) {
      paper.custom = layout::CustomPaperSize{*width, *height};
    }
  }
  return paper;
}

StyleEdit AddElement(const StyleDocument& document, ElementKind kind, MmPoint centre) {
  std::span<const ElementKind> addable = AddableKinds();
  if (std::find(addable.begin(), addable.end(), kind) == addable.end()) {
    throw platform::UserError(std::string("「") + KindName(kind) + "」は追加できません");
  }
  StyleEdit edit;
  edit.description = "追加";
  if (document.LineCount() == 0) {
    edit.index = 0;
    edit.inserted.push_back({StyleDocument::NewHeader(), "\r\n"});
  } else {
    edit.index = std::max(document.PageEnd(), 1);
  }
  std::string lineBreak = BreakForNewLine(document, edit.index);
  edit.inserted.push_back({NewElementLine(kind, centre), lineBreak});
  edit.selectAfter = edit.index + static_cast<int>(edit.inserted.size()) - 1;
  return edit;
}

StyleEdit DuplicateElement(const StyleDocument& document, int line, Fixed offset) {
  CheckPositionedLine(document, line);
  const StyleLine& original = document.Lines()[static_cast<std::size_t>(line)];
  StyleEdit edit;
  edit.index = line + 1;
  edit.inserted = {{MovedText(original.text, offset, offset), original.lineBreak}};
  edit.description = "複製";
  edit.selectBefore = line;
  edit.selectAfter = line + 1;
  return edit;
}

StyleEdit DeleteElement(const StyleDocument& document, int line) {
  CheckPageLine(document, line);
  StyleEdit edit;
  edit.index = line;
  edit.removed = {document.Lines()[static_cast<std::size_t>(line)]};
  edit.description = "削除";
  edit.selectBefore = line;
  edit.selectAfter = -1;
  return edit;
}

bool CanBringForward(const StyleDocument& document, int line) {
  return line >= 1 && line + 1 < document.PageEnd();
}

bool CanSendBackward(const StyleDocument& document, int line) {
  return line >= 2 && line < document.PageEnd();
}

StyleEdit BringForward(const StyleDocument& document, int line) {
  if (!CanBringForward(document, line)) {
    return NothingToDo(document, line, "前面へ");
  }
  StyleEdit edit = SwapWithNext(document, line, "前面へ");
  edit.selectBefore = line;
  edit.selectAfter = line + 1;
  return edit;
}

StyleEdit SendBackward(const StyleDocument& document, int line) {
  if (!CanSendBackward(document, line)) {
    return NothingToDo(document, line, "背面へ");
  }
  StyleEdit edit = SwapWithNext(document, line - 1, "背面へ");
  edit.selectBefore = line;
  edit.selectAfter = line - 1;
  return edit;
}

namespace {

// Moves the text of line `from` to line `to` of the page, the lines between
// shifting by one; every place keeps its line break.
StyleEdit MoveText(const StyleDocument& document, int from, int to, std::string description) {
  int first = std::min(from, to);
  int last = std::max(from, to);
  StyleEdit edit;
  edit.index = first;
  for (int i = first; i <= last; ++i) {
    edit.removed.push_back(document.Lines()[static_cast<std::size_t>(i)]);
  }
  std::vector<std::string> texts;
  for (const StyleLine& line : edit.removed) {
    texts.push_back(line.text);
  }
  if (from < to) {
    std::rotate(texts.begin(), texts.begin() + 1, texts.end());
  } else {
    std::rotate(texts.rbegin(), texts.rbegin() + 1, texts.rend());
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    edit.inserted.push_back({texts[i], edit.removed[i].lineBreak});
  }
  edit.description = std::move(description);
  edit.selectBefore = from;
  edit.selectAfter = to;
  return edit;
}

}  // namespace

StyleEdit BringToFront(const StyleDocument& document, int line) {
  if (!CanBringForward(document, line)) {
    return NothingToDo(document, line, "最前面へ");
  }
  return MoveText(document, line, document.PageEnd() - 1, "最前面へ");
}

StyleEdit SendToBack(const StyleDocument& document, int line) {
  if (!CanSendBackward(document, line)) {
    return NothingToDo(document, line, "最背面へ");
  }
  return MoveText(document, line, 1, "最背面へ");
}

}  // namespace designer
