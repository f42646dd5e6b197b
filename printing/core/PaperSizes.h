#pragma once

#include <optional>
#include <string>

#include "layout/core/StyleVersion.h"

namespace printing {

enum class PaperUnit { Millimetre, Inch, None };

// One printer paper size code: its published label and its size (width and
// height as the label gives them; rotated codes are wider than high).
struct PaperSize {
  int code;
  const char* label;
  double width;
  double height;
  PaperUnit unit;
};

inline constexpr int kPaperCount = 118;
// Entry 0 of the paper list: selects no paper.
inline constexpr const char* kPaperListHeading = "※用紙リスト";

// The paper of a code from 1 to 118, else nullptr.
const PaperSize* PaperOfCode(int code);

// The paper list's label of an entry (UTF-8): the heading for 0, the
// published label for 1 to 118, 「ユーザー定義サイズ」 for a custom paper,
// empty outside the list.
std::string PaperLabel(int entry);
// The label of the paper a style asks for: a custom paper with its size
// (「ユーザー定義 210 x 99 mm」), else PaperLabel.
std::string PaperLabel(int entry, const std::optional<layout::CustomPaperSize>& custom);

}  // namespace printing
