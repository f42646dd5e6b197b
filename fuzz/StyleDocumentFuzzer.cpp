// Opens arbitrary bytes as a style in the designer's model and puts every
// element through each edit and its undo: no crash, no overflow, no hang;
// an unchanged style writes back its own bytes, and undoing an edit gives
// the bytes from before it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "designer/core/ElementGeometry.h"
#include "designer/core/ElementSchema.h"
#include "designer/core/GroupEdits.h"
#include "designer/core/RowRepeat.h"
#include "designer/core/StyleEdits.h"
#include "designer/core/StyleProblems.h"
#include "platform/errors/UserError.h"

namespace {

using designer::Fixed;

// Applies an edit made by `make` and takes it back; the bytes must return.
template <typename Make>
void RoundTrip(designer::StyleDocument& document, Make make) {
  std::string before = document.Bytes();
  try {
    designer::StyleEdit edit = make();
    designer::ApplyEdit(document, edit);
    designer::RevertEdit(document, edit);
  } catch (const platform::UserError&) {
    // A field that is no number: the edit is refused with its message.
  }
  if (document.Bytes() != before) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  designer::StyleDocument document = designer::StyleDocument::FromBytes(bytes);
  if (!document.ConvertedFromOlder() && document.Bytes() != bytes) {
    std::abort();
  }
  int edited = 0;
  for (int line : designer::SelectableLines(document, nullptr)) {
    if (++edited > 50) {
      break;
    }
    std::optional<designer::ElementShape> shape =
        designer::ShapeOfLine(document.Text(line), nullptr);
    if (!shape) {
      std::abort();  // selectable lines have a shape
    }
    designer::MmPoint centre{shape->box.left, shape->box.top};
    designer::ElementAt(document, centre, Fixed::FromInt(1), nullptr);
    RoundTrip(document, [&] {
      return designer::MoveElement(document, line, Fixed::FromRaw(1234), Fixed::FromInt(-7));
    });
    for (const auto& handleAt : designer::HandlesOf(*shape)) {
      designer::Handle handle = handleAt.first;
      designer::MmPoint at = handleAt.second;
      RoundTrip(document, [&] {
        return designer::ResizeElement(document, line, *shape, handle,
                                       {at.x + Fixed::FromInt(3), at.y - Fixed::FromRaw(5)});
      });
    }
    RoundTrip(document, [&] { return designer::SetField(document, line, 6, "1.5"); });
    RoundTrip(document, [&] { return designer::SetField(document, line, 25, "x"); });
    RoundTrip(document,
              [&] { return designer::DuplicateElement(document, line, Fixed::FromInt(5)); });
    RoundTrip(document, [&] { return designer::DeleteElement(document, line); });
    if (designer::CanBringForward(document, line)) {
      RoundTrip(document, [&] { return designer::BringForward(document, line); });
    }
    if (designer::CanSendBackward(document, line)) {
      RoundTrip(document, [&] { return designer::SendBackward(document, line); });
      RoundTrip(document, [&] { return designer::SendToBack(document, line); });
    }
    if (designer::CanBringForward(document, line)) {
      RoundTrip(document, [&] { return designer::BringToFront(document, line); });
    }
  }
  // Every line the drawing cannot use is named, with a line of the page.
  for (const designer::StyleProblem& problem :
       designer::FindStyleProblems(document, [](const std::string&) { return false; })) {
    if (problem.line < 1 || problem.line >= document.PageEnd() || problem.reason.empty()) {
      std::abort();
    }
    designer::MissingPictureBox(document.Text(problem.line));
    RoundTrip(document, [&] {
      return designer::ReplaceRecord(document, problem.line, "0;0;0;0;rect;1;2;3;4;0;;0;0;");
    });
  }
  RoundTrip(document, [&] { return designer::SetPaper(document, 13, 1, -1); });
  RoundTrip(document, [&] { return designer::SetPageCapacity(document, 7); });
  // Several elements at once: the first few that have a place.
  std::vector<int> some = designer::SelectableLines(document, nullptr);
  if (some.size() > 6) {
    some.resize(6);
  }
  if (!some.empty()) {
    RoundTrip(document, [&] {
      return designer::MoveElements(document, some, Fixed::FromRaw(-2500), Fixed::FromInt(3));
    });
    RoundTrip(document, [&] { return designer::DeleteElements(document, some); });
    // A field set by meaning across kinds: a line's colour, a text's size.
    designer::ElementKind first = designer::KindOfLine(document.Text(some.front()));
    for (int field : {12, 15, 19}) {
      RoundTrip(document,
                [&] { return designer::SetFieldOfElements(document, some, first, field, "255"); });
    }
    RoundTrip(document,
              [&] { return designer::DuplicateElements(document, some, Fixed::FromInt(5)); });
    RoundTrip(document, [&] { return designer::BringElementsToFront(document, some); });
    RoundTrip(document, [&] { return designer::SendElementsToBack(document, some); });
    RoundTrip(document, [&] {
      return designer::AlignElements(document, some, designer::Alignment::CentresDown, nullptr);
    });
    RoundTrip(document,
              [&] { return designer::DistributeElements(document, some, true, nullptr); });
    RoundTrip(document, [&] {
      return designer::PasteElements(document, designer::ElementsText(document, some),
                                     Fixed::FromInt(5));
    });
    // Rows and cards repeated, their tags renumbered and the capacity set;
    // renumbering there and back gives the text back.
    RoundTrip(document,
              [&] { return designer::DuplicateAsNextRows(document, some, Fixed::FromInt(12)); });
    RoundTrip(document, [&] {
      return designer::RepeatElements(document, some, 3, 4, Fixed::FromInt(60), Fixed::FromRaw(-1));
    });
    for (int line : some) {
      const std::string& text = document.Text(line);
      std::vector<int> rows = designer::RowsOfLine(text);
      if (!rows.empty() && rows.back() + 3 > designer::kLastTagRow) {
        continue;  // rows the designer never makes
      }
      if (designer::RenumberedRows(designer::RenumberedRows(text, 3), -3) != text) {
        std::abort();
      }
    }
    designer::RowPitch(document);
  }
  RoundTrip(document, [&] { return designer::PasteElements(document, bytes, Fixed::FromInt(5)); });
  RoundTrip(document, [&] {
    return designer::AddElement(document, designer::ElementKind::Char,
                                {Fixed::FromInt(100), Fixed::FromInt(150)});
  });
  return 0;
}
