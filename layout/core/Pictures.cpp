#include "layout/core/Pictures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/text/Cp932.h"

namespace layout {

namespace {

constexpr int kLastMarkerOffset = 256;

std::string ExtensionOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return {};
  }
  return path.substr(dot + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

}  // namespace

int FindJpegStart(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    return -1;
  }
  unsigned char head[kLastMarkerOffset + 2];
  ssize_t got = ::read(fd, head, sizeof head);
  ::close(fd);
  for (ssize_t i = 0; i + 1 < got && i <= kLastMarkerOffset; ++i) {
    if (head[i] == 0xFF && head[i + 1] == 0xD8) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string PicturePath(const std::string& file, const std::string& styleFolder) {
  auto exists = [](const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
  };
  std::string path = file;
  if (path.empty()) {
    return {};
  }
  if (!exists(path) && path.front() != '/' && !styleFolder.empty()) {
    path = styleFolder + "/" + path;  // a picture kept beside its style
  }
  return exists(path) ? path : std::string();
}

Picture LoadPicture(const std::string& path, PictureDecoder& decoder) {
  // Only a regular file is a picture: a folder, a pipe or a device of that
  // name is refused (a pipe would block, a device never end).
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    throw platform::UserError(platform::FileErrorMessage("画像を読み込めません", path,
                                                         S_ISDIR(st.st_mode) ? EISDIR : EINVAL));
  }
  std::string extension = ExtensionOf(path);
  Picture picture;
  if (extension == "jpg" || extension == "jpeg" || extension == "JPG" || extension == "JPEG") {
    picture.isBitmap = true;
    int start = FindJpegStart(path);
    if (start >= 0) {
      std::string bytes = platform::ReadFileBytes(path, kPictureFileLimit);
      picture.bitmap = decoder.DecodeJpeg(std::string_view(bytes).substr(start));
    }
    return picture;
  }
  std::string kind = Lower(extension);
  if (kind == "bmp" || kind == "png") {
    picture.isBitmap = true;
    picture.bitmap = decoder.DecodeBitmap(platform::ReadFileBytes(path, kPictureFileLimit), kind);
    return picture;
  }
  if (kind == "jpg" || kind == "jpeg" || kind == "ico" || kind == "emf" || kind == "wmf") {
    return picture;  // loads, but not as a bitmap: not drawn
  }
  throw platform::UserError("拡張子 ." + extension + " の画像形式は処理できません");
}

}  // namespace layout
