#pragma once

#include <map>
#include <optional>
#include <string>

#include "designer/core/ElementGeometry.h"

namespace layout {
class PictureDecoder;
}

namespace designer {

// Measures text with the fonts the page is drawn with and pictures with the
// program's picture loader, so selection boxes fit what the page shows.
// Picture sizes are kept until Forget(), since a file is read only once per
// name.
class QtElementMeasurer : public ElementMeasurer {
 public:
  QtElementMeasurer(layout::PictureDecoder* pictures, double screenDpi)
      : pictures_(pictures), screenDpi_(screenDpi) {}

  // Where relative picture names are looked for after the current folder
  // (file-system bytes).
  void SetStyleFolder(std::string folder);
  void Forget() { pictureSizes_.clear(); }

  std::optional<MmSize> TextSize(const std::string& face, int points, const std::string& styleWord,
                                 const std::string& text) override;
  std::optional<MmSize> PictureSize(const std::string& file) override;

 private:
  layout::PictureDecoder* pictures_;
  double screenDpi_;
  std::string styleFolder_;
  std::map<std::string, std::optional<MmSize>> pictureSizes_;
  // Text sizes by face, points, style and text: a click or Tab measures
  // every text element of the page.
  std::map<std::string, std::optional<MmSize>> textSizes_;
};

}  // namespace designer
