#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "layout/core/Surface.h"

namespace layout {

// Decoding of picture bytes, which the platform provides. Failures throw
// platform::UserError with the program's picture messages.
class PictureDecoder {
 public:
  virtual ~PictureDecoder() = default;
  // A bitmap file (".bmp", or another format the loader reads as pixels,
  // named by its lower-case extension without the dot).
  virtual Bitmap DecodeBitmap(std::string_view bytes, const std::string& extension) = 0;
  // JPEG data starting at its start-of-image marker.
  virtual Bitmap DecodeJpeg(std::string_view bytes) = 0;
};

// What loading a picture file gives: a bitmap to draw, or a picture of a
// kind that is not drawn (icon, metafile, JPEG through the general loader).
struct Picture {
  bool isBitmap = false;
  Bitmap bitmap;
};

inline constexpr const char* kMsgBadBitmap = "ビットマップイメージが不正です";

// The offset of the JPEG start-of-image marker (FF D8) within the first
// 258 bytes of the file, or -1.
int FindJpegStart(const std::string& path);

// Loads a picture file (`path` in the file system's bytes): JPEG through the decoder when its
// extension is exactly .jpg, .jpeg, .JPG or .JPEG (from the start marker; no marker gives an empty
// bitmap); otherwise by the general loader's rules. An extension no loader knows throws "拡張子 .%s
// の画像形式は処理できません".
// A picture file larger than this is refused with a message, never read.
inline constexpr std::uint64_t kPictureFileLimit = std::uint64_t{64} << 20;  // 64 MiB

Picture LoadPicture(const std::string& path, PictureDecoder& decoder);

// The file an image record's name (UTF-8, as drawn) opens: the name as
// written (relative to the current folder), else, for a relative name, the
// same name in the style's folder (file-system bytes). Empty when neither
// exists.
std::string PicturePath(const std::string& file, const std::string& styleFolder);

}  // namespace layout
