#pragma once

#include "layout/core/Pictures.h"

namespace layout {

// Pictures for the layout engine: bitmaps (and PNG) through Qt's image
// reader, JPEG through libjpeg.
class QtPictureDecoder : public layout::PictureDecoder {
 public:
  layout::Bitmap DecodeBitmap(std::string_view bytes, const std::string& extension) override;
  layout::Bitmap DecodeJpeg(std::string_view bytes) override;
};

// JPEG bytes (from the start marker) as a bitmap; throws
// "JPEG エラー #%d" with libjpeg's message number when it cannot decode.
layout::Bitmap DecodeJpegBytes(std::string_view bytes);

}  // namespace layout
