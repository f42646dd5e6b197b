#pragma once

#include <optional>
#include <string>

#include "designer/core/StyleDocument.h"
#include "designer/core/StyleEdits.h"

namespace designer {

// The field of an image element that names its picture file.
inline constexpr int kPictureField = 13;

// How a style kept in `folder` names the picture `picture` (both UTF-8
// file-system paths, the folder absolute): relative to the folder when the
// picture lies in it or below, so the two move together; otherwise as
// given. Judged by the names alone (no file is looked at).
std::string PictureNameForStyle(const std::string& picture, const std::string& folder);

// The edit that names, for a style saved in `folder`, every picture in the
// folder or below relative to it (PictureNameForStyle); nothing when no
// name changes. One step, whatever the count.
std::optional<StyleEdit> PicturesRelativeTo(const StyleDocument& document,
                                            const std::string& folder);
// The same for a style read from `readFrom` (absolute; empty for a new
// style) and saved in `folder`: a name relative to where it was read is
// first taken whole, so a style saved into another folder still finds its
// pictures.
std::optional<StyleEdit> PicturesForSaveIn(const StyleDocument& document,
                                           const std::string& readFrom, const std::string& folder);

// The edit that names every picture named relative to `folder` (where a
// style was read from) by its whole path, so a copy saved elsewhere still
// finds it; nothing when none is relative.
std::optional<StyleEdit> PicturesNamedWhole(const StyleDocument& document,
                                            const std::string& folder);

}  // namespace designer
