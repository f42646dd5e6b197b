#include "layout/qt/QtPictureDecoder.h"

#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "platform/errors/UserError.h"

namespace layout {

namespace {

constexpr long long kMaxPixels = 100LL * 1000 * 1000;  // larger pictures are refused
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

// libjpeg reports errors through this; error_exit jumps back to the decoder.
struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void ExitToDecoder(j_common_ptr info) {
  auto* error = reinterpret_cast<JpegError*>(info->err);
  std::longjmp(error->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

std::string JpegErrorMessage(int code) {
  return "JPEG エラー #" + std::to_string(code);
}

// Decodes into `bitmap`; returns 0, or libjpeg's message number on failure.
// Kept free of objects with destructors, since libjpeg leaves by longjmp.
int DecodeInto(const unsigned char* data, unsigned long size, layout::Bitmap& bitmap) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = ExitToDecoder;
  error.manager.output_message = IgnoreMessage;
  if (setjmp(error.jump) != 0) {
    int code = error.manager.msg_code;
    jpeg_destroy_decompress(&info);
    return code == 0 ? 1 : code;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  // Refused before libjpeg allocates anything for the image.
  long long pixels = static_cast<long long>(info.image_width) * info.image_height;
  if (pixels <= 0 || pixels > kMaxPixels) {
    jpeg_destroy_decompress(&info);
    return JERR_IMAGE_TOO_BIG;
  }
  info.mem->max_memory_to_use = kMaxDecoderMemory;
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  pixels = static_cast<long long>(info.output_width) * info.output_height;
  bitmap.width = static_cast<int>(info.output_width);
  bitmap.height = static_cast<int>(info.output_height);
  bitmap.pixels.assign(static_cast<std::size_t>(pixels), 0xFF000000u);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(
        bitmap.pixels.data() + static_cast<std::size_t>(info.output_scanline) * bitmap.width);
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  for (std::uint32_t& p : bitmap.pixels) {
    p |= 0xFF000000u;
  }
  return 0;
}

}  // namespace

layout::Bitmap DecodeJpegBytes(std::string_view bytes) {
  layout::Bitmap bitmap;
  int code = DecodeInto(reinterpret_cast<const unsigned char*>(bytes.data()),
                        static_cast<unsigned long>(bytes.size()), bitmap);
  if (code != 0) {
    throw platform::UserError(JpegErrorMessage(code));
  }
  return bitmap;
}

layout::Bitmap QtPictureDecoder::DecodeJpeg(std::string_view bytes) {
  return DecodeJpegBytes(bytes);
}

layout::Bitmap QtPictureDecoder::DecodeBitmap(std::string_view bytes,
                                              const std::string& extension) {
  QImage image;
  QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (!image.loadFromData(data, extension == "png" ? "PNG" : "BMP") || image.isNull() ||
      static_cast<long long>(image.width()) * image.height() > kMaxPixels) {
    throw platform::UserError(layout::kMsgBadBitmap);
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  layout::Bitmap bitmap;
  bitmap.width = image.width();
  bitmap.height = image.height();
  bitmap.pixels.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height);
  for (int y = 0; y < bitmap.height; ++y) {
    std::memcpy(bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width,
                image.constScanLine(y), static_cast<std::size_t>(bitmap.width) * 4);
  }
  return bitmap;
}

}  // namespace layout
