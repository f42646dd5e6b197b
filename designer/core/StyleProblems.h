#pragma once

#include <functional>
#include <string>
#include <vector>

#include "designer/core/ElementGeometry.h"
#include "designer/core/StyleDocument.h"

namespace designer {

// A line of the page the drawing cannot use as it stands, and why (UTF-8).
struct StyleProblem {
  int line = 0;
  std::string reason;
  friend bool operator==(const StyleProblem&, const StyleProblem&) = default;
};

// Whether a picture named as an image record names it (code page 932) can
// be found.
using PictureFinder = std::function<bool(const std::string& nameCp932)>;

// Every page line with a problem, in line order: a kind the drawing does
// not know, a field missing or holding what its reader refuses, a picture
// that is not named or cannot be found (`findPicture` may be empty: not
// looked for).
std::vector<StyleProblem> FindStyleProblems(const StyleDocument& document,
                                            const PictureFinder& findPicture);

// The box a picture that cannot be found stands in for: its size when the
// record gives one, else a 20 mm square at its place; nothing when its place
// does not read.
std::optional<MmBox> MissingPictureBox(const std::string& imageLine);

}  // namespace designer
