#include "designer/core/GroupEdits.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "designer/core/ElementSnap.h"
#include "designer/core/RecordFields.h"
#include "layout/core/StyleFile.h"
#include "platform/errors/UserError.h"

namespace designer {

void SelectAround(StyleEdit& edit, const std::vector<int>& before, const std::vector<int>& after) {
  edit.selectBefore = before.empty() ? -1 : before.back();
  edit.selectManyBefore = before;
  edit.selectAfter = after.empty() ? -1 : after.back();
  edit.selectManyAfter = after;
}

std::vector<int> SortedPageLines(const StyleDocument& document, const std::vector<int>& lines) {
  std::set<int> unique(lines.begin(), lines.end());
  if (unique.empty()) {
    throw platform::UserError("要素が選ばれていません");
  }
  for (int line : unique) {
    if (line < 1 || line >= document.PageEnd()) {
      throw platform::UserError(std::to_string(layout::LineNumberShown(line)) +
                                " 行目はページの要素ではありません");
    }
  }
  return {unique.begin(), unique.end()};
}

namespace {

// One splice from `first` to `last` (inclusive) giving `inserted`.
StyleEdit Splice(const StyleDocument& document, int first, int last,
                 std::vector<StyleLine> inserted, std::string description) {
  StyleEdit edit;
  edit.index = first;
  for (int i = first; i <= last; ++i) {
    edit.removed.push_back(document.Lines()[static_cast<std::size_t>(i)]);
  }
  edit.inserted = std::move(inserted);
  edit.description = std::move(description);
  return edit;
}

// The lines from the first to the last of `texts`' keys with those texts in
// place, each line keeping its break.
StyleEdit ReplaceTexts(const StyleDocument& document, const std::map<int, std::string>& texts,
                       const std::vector<int>& selection, std::string description) {
  int first = texts.begin()->first;
  int last = texts.rbegin()->first;
  std::vector<StyleLine> inserted;
  for (int i = first; i <= last; ++i) {
    StyleLine line = document.Lines()[static_cast<std::size_t>(i)];
    auto changed = texts.find(i);
    if (changed != texts.end()) {
      line.text = changed->second;
    }
    inserted.push_back(std::move(line));
  }
  StyleEdit edit = Splice(document, first, last, std::move(inserted), std::move(description));
  edit.selectBefore = edit.selectAfter = selection.back();
  edit.selectManyBefore = edit.selectManyAfter = selection;
  return edit;
}

struct Placed {
  int line;
  MmBox box;
};

std::vector<Placed> BoxesOf(const StyleDocument& document, const std::vector<int>& lines,
                            ElementMeasurer* measurer) {
  std::vector<Placed> placed;
  for (int line : lines) {
    if (std::optional<ElementShape> shape = ShapeOfLine(document.Text(line), measurer)) {
      placed.push_back({line, shape->box});
    }
  }
  return placed;
}

// Moves each element by its own offset, as one edit.
StyleEdit MoveEach(const StyleDocument& document, const std::vector<int>& selection,
                   const std::vector<std::pair<int, MmPoint>>& moves, std::string description) {
  std::map<int, std::string> texts;
  for (const auto& [line, by] : moves) {
    if (by.x != Fixed() || by.y != Fixed()) {
      texts[line] = MoveElement(document, line, by.x, by.y).inserted.front().text;
    }
  }
  if (texts.empty()) {
    // Nothing moves: an edit that changes nothing, selection kept.
    return ReplaceTexts(document, {{selection.front(), document.Text(selection.front())}},
                        selection, std::move(description));
  }
  return ReplaceTexts(document, texts, selection, std::move(description));
}

Fixed Half(Fixed value) {
  return Fixed::Divide(value, Fixed::FromInt(2));
}

}  // namespace

std::vector<int> SelectionAfter(const StyleEdit& edit) {
  if (!edit.selectManyAfter.empty()) {
    return edit.selectManyAfter;
  }
  return edit.selectAfter < 0 ? std::vector<int>{} : std::vector<int>{edit.selectAfter};
}

std::vector<int> SelectionBefore(const StyleEdit& edit) {
  if (!edit.selectManyBefore.empty()) {
    return edit.selectManyBefore;
  }
  return edit.selectBefore < 0 ? std::vector<int>{} : std::vector<int>{edit.selectBefore};
}

StyleEdit MoveElements(const StyleDocument& document, const std::vector<int>& lines, Fixed dx,
                       Fixed dy, Fixed roundTo) {
  std::vector<int> selection = SortedPageLines(document, lines);
  std::map<int, std::string> texts;
  for (int line : selection) {
    texts[line] = MoveElement(document, line, dx, dy, roundTo).inserted.front().text;
  }
  return ReplaceTexts(document, texts, selection, "移動");
}

StyleEdit ResizeElementsBy(const StyleDocument& document, const std::vector<int>& lines, Fixed dw,
                           Fixed dh, ElementMeasurer* measurer) {
  std::vector<int> selection = SortedPageLines(document, lines);
  std::map<int, std::string> texts;
  for (int line : selection) {
    std::optional<ElementShape> shape = ShapeOfLine(document.Text(line), measurer);
    if (!shape || !shape->resizable) {
      continue;
    }
    StyleEdit one = shape->isSegment
                        ? ResizeElement(document, line, *shape, Handle::End,
                                        {shape->end.x + dw, shape->end.y + dh}, kTenthMm)
                        : ResizeElement(document, line, *shape, Handle::BottomRight,
                                        // Shrunk to nothing at most, never turned over.
                                        {std::max(shape->box.left, shape->box.right + dw),
                                         std::max(shape->box.top, shape->box.bottom + dh)},
                                        kTenthMm);
    texts[line] = one.inserted.front().text;
  }
  if (texts.empty()) {
    throw platform::UserError("大きさを変えられる要素が選ばれていません");
  }
  return ReplaceTexts(document, texts, selection, "大きさの変更");
}

StyleEdit SetFieldOfElements(const StyleDocument& document, const std::vector<int>& lines,
                             ElementKind kind, int field, const std::string& value) {
  std::vector<int> selection = SortedPageLines(document, lines);
  std::map<int, std::string> texts;
  std::string description;
  for (int line : selection) {
    // By meaning, not by number: a colour goes to colours only.
    std::optional<int> same =
        layout::FieldOfSameMeaning(kind, field, KindOfLine(document.Text(line)));
    if (same) {
      StyleEdit one = SetField(document, line, *same, value);
      texts[line] = one.inserted.front().text;
      description = one.description;
    }
  }
  if (texts.empty()) {
    throw platform::UserError("選んだ要素には欄 " + std::to_string(field) + " がありません");
  }
  return ReplaceTexts(document, texts, selection, description);
}

StyleEdit DeleteElements(const StyleDocument& document, const std::vector<int>& lines) {
  std::vector<int> selection = SortedPageLines(document, lines);
  std::vector<StyleLine> kept;
  for (int i = selection.front(); i <= selection.back(); ++i) {
    if (!std::binary_search(selection.begin(), selection.end(), i)) {
      kept.push_back(document.Lines()[static_cast<std::size_t>(i)]);
    }
  }
  StyleEdit edit = Splice(document, selection.front(), selection.back(), std::move(kept), "削除");
  edit.selectBefore = selection.back();
  edit.selectManyBefore = selection;
  edit.selectAfter = -1;
  return edit;
}

StyleEdit DuplicateElements(const StyleDocument& document, const std::vector<int>& lines,
                            Fixed offset) {
  std::vector<int> selection = SortedPageLines(document, lines);
  std::vector<StyleLine> inserted;
  std::vector<int> copies;
  int at = selection.front();
  for (int i = selection.front(); i <= selection.back(); ++i) {
    inserted.push_back(document.Lines()[static_cast<std::size_t>(i)]);
    ++at;
    if (std::binary_search(selection.begin(), selection.end(), i)) {
      inserted.push_back(DuplicateElement(document, i, offset).inserted.front());
      copies.push_back(at++);
    }
  }
  StyleEdit edit =
      Splice(document, selection.front(), selection.back(), std::move(inserted), "複製");
  SelectAround(edit, selection, copies);
  return edit;
}

namespace {

// The selected texts gathered at one end of [first, last]; every place
// keeps its break.
StyleEdit Gather(const StyleDocument& document, const std::vector<int>& selection, int first,
                 int last, bool toFront, std::string description) {
  std::vector<std::string> chosen;
  std::vector<std::string> others;
  for (int i = first; i <= last; ++i) {
    const std::string& text = document.Text(i);
    (std::binary_search(selection.begin(), selection.end(), i) ? chosen : others).push_back(text);
  }
  std::vector<std::string> order = toFront ? others : chosen;
  order.insert(order.end(), (toFront ? chosen : others).begin(), (toFront ? chosen : others).end());
  std::vector<StyleLine> inserted;
  std::vector<int> after;
  for (int i = first; i <= last; ++i) {
    inserted.push_back({order[static_cast<std::size_t>(i - first)],
                        document.Lines()[static_cast<std::size_t>(i)].lineBreak});
  }
  int firstChosen = toFront ? last - static_cast<int>(chosen.size()) + 1 : first;
  for (std::size_t k = 0; k < chosen.size(); ++k) {
    after.push_back(firstChosen + static_cast<int>(k));
  }
  StyleEdit edit = Splice(document, first, last, std::move(inserted), std::move(description));
  SelectAround(edit, selection, after);
  return edit;
}

}  // namespace

StyleEdit BringElementsToFront(const StyleDocument& document, const std::vector<int>& lines) {
  std::vector<int> selection = SortedPageLines(document, lines);
  return Gather(document, selection, selection.front(), document.PageEnd() - 1, true, "最前面へ");
}

StyleEdit SendElementsToBack(const StyleDocument& document, const std::vector<int>& lines) {
  std::vector<int> selection = SortedPageLines(document, lines);
  return Gather(document, selection, 1, selection.back(), false, "最背面へ");
}

StyleEdit AlignElements(const StyleDocument& document, const std::vector<int>& lines,
                        Alignment alignment, ElementMeasurer* measurer) {
  std::vector<int> selection = SortedPageLines(document, lines);
  std::vector<Placed> placed = BoxesOf(document, selection, measurer);
  if (placed.size() < 2) {
    throw platform::UserError("揃えるには、位置のある要素を 2 つ以上選んでください");
  }
  MmBox all = *BoxAroundElements(document, selection, measurer);
  std::vector<std::pair<int, MmPoint>> moves;
  for (const Placed& p : placed) {
    MmPoint by;
    switch (alignment) {
      case Alignment::Left: by.x = all.left - p.box.left; break;
      case Alignment::Right: by.x = all.right - p.box.right; break;
      case Alignment::Top: by.y = all.top - p.box.top; break;
      case Alignment::Bottom: by.y = all.bottom - p.box.bottom; break;
      case Alignment::CentresAcross:
        by.x = Half(all.left + all.right) - Half(p.box.left + p.box.right);
        break;
      case Alignment::CentresDown:
        by.y = Half(all.top + all.bottom) - Half(p.box.top + p.box.bottom);
        break;
    }
    moves.push_back({p.line, by});
  }
  return MoveEach(document, selection, moves, "整列");
}

StyleEdit DistributeElements(const StyleDocument& document, const std::vector<int>& lines,
                             bool across, ElementMeasurer* measurer) {
  std::vector<int> selection = SortedPageLines(document, lines);
  std::vector<Placed> placed = BoxesOf(document, selection, measurer);
  if (placed.size() < 3) {
    throw platform::UserError("等間隔に並べるには、位置のある要素を 3 つ以上選んでください");
  }
  auto low = [across](const MmBox& b) { return across ? b.left : b.top; };
  auto high = [across](const MmBox& b) { return across ? b.right : b.bottom; };
  std::stable_sort(placed.begin(), placed.end(),
                   [&](const Placed& a, const Placed& b) { return low(a.box) < low(b.box); });
  Fixed sizes;
  for (const Placed& p : placed) {
    sizes = sizes + (high(p.box) - low(p.box));
  }
  Fixed span = high(placed.back().box) - low(placed.front().box);
  Fixed gap = Fixed::Divide(span - sizes, Fixed::FromInt(static_cast<int>(placed.size()) - 1));
  std::vector<std::pair<int, MmPoint>> moves;
  Fixed at = low(placed.front().box);
  for (const Placed& p : placed) {
    Fixed by = at - low(p.box);
    moves.push_back({p.line, across ? MmPoint{by, Fixed()} : MmPoint{Fixed(), by}});
    at = at + (high(p.box) - low(p.box)) + gap;
  }
  // The last stays where it is, whatever the rounding of the gaps.
  moves.back().second = MmPoint{};
  return MoveEach(document, selection, moves, "等間隔に配置");
}

std::string ElementsText(const StyleDocument& document, const std::vector<int>& lines) {
  std::string text;
  for (int line : SortedPageLines(document, lines)) {
    text += document.Text(line);
    text += "\r\n";
  }
  return text;
}

StyleEdit PasteElements(const StyleDocument& document, std::string_view text, Fixed step) {
  std::vector<std::string> pasted;
  for (const StyleLine& line : SplitKeepingBreaks(text)) {
    if (!line.text.empty() && KindOfLine(line.text) != ElementKind::Unknown) {
      pasted.push_back(line.text);
    }
  }
  if (pasted.empty()) {
    throw platform::UserError(
        "貼り付けられる要素がありません (スタイルの要素の行をコピーしてから貼り付けてください)");
  }
  std::set<std::string> present;
  for (int line = 1; line < document.PageEnd(); ++line) {
    present.insert(document.Text(line));
  }
  std::vector<std::string> moved = pasted;
  for (int times = 1; times <= 100; ++times) {
    bool allThere = std::all_of(moved.begin(), moved.end(),
                                [&](const std::string& t) { return present.count(t) > 0; });
    if (!allThere) {
      break;
    }
    Fixed by = Fixed::FromRaw(step.Raw() * times);
    for (std::size_t i = 0; i < pasted.size(); ++i) {
      ElementKind kind = KindOfLine(pasted[i]);
      moved[i] = kind == ElementKind::Offsets ? pasted[i] : MovedText(pasted[i], by, by);
    }
  }
  StyleEdit edit;
  edit.index = std::max(document.PageEnd(), 1);
  int first = edit.index;
  if (document.LineCount() == 0) {
    // A style without lines gains the new-style header first.
    edit.index = 0;
    edit.inserted.push_back({StyleDocument::NewHeader(), "\r\n"});
  }
  std::string lineBreak = "\r\n";
  for (const std::string& line : moved) {
    edit.inserted.push_back({line, lineBreak});
  }
  edit.description = "貼り付け";
  edit.selectBefore = -1;
  for (std::size_t i = 0; i < moved.size(); ++i) {
    edit.selectManyAfter.push_back(first + static_cast<int>(i));
  }
  edit.selectAfter = edit.selectManyAfter.back();
  return edit;
}

std::optional<MmBox> BoxAroundElements(const StyleDocument& document, const std::vector<int>& lines,
                                       ElementMeasurer* measurer) {
  std::optional<MmBox> all;
  for (const Placed& p : BoxesOf(document, lines, measurer)) {
    all = all ? MmBox{std::min(all->left, p.box.left), std::min(all->top, p.box.top),
                      std::max(all->right, p.box.right), std::max(all->bottom, p.box.bottom)}
              : p.box;
  }
  return all;
}

std::vector<int> ElementsInside(const StyleDocument& document, const MmBox& box,
                                ElementMeasurer* measurer) {
  std::vector<int> inside;
  for (int line = 1; line < document.PageEnd(); ++line) {
    std::optional<ElementShape> shape = ShapeOfLine(document.Text(line), measurer);
    if (shape && shape->box.left >= box.left && shape->box.right <= box.right &&
        shape->box.top >= box.top && shape->box.bottom <= box.bottom) {
      inside.push_back(line);
    }
  }
  return inside;
}

}  // namespace designer
