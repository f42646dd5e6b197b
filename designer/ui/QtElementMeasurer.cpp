#include "designer/ui/QtElementMeasurer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <cmath>

#include "layout/core/NameTables.h"
#include "layout/core/Pictures.h"
#include "layout/qt/FontSubstitutes.h"
#include "platform/text/Cp932.h"

namespace designer {

namespace {

// Fonts are measured large and scaled down, so rounding to whole pixels
// does not show in the millimetres.
constexpr int kMeasureDpi = 288;

Fixed Millimetres(double pixels, double dpi) {
  return Fixed::FromRaw(static_cast<std::int64_t>(std::llround(pixels * 25.4 / dpi * 10000.0)));
}

}  // namespace

void QtElementMeasurer::SetStyleFolder(std::string folder) {
  if (folder != styleFolder_) {
    styleFolder_ = std::move(folder);
    pictureSizes_.clear();
  }
}

std::optional<MmSize> QtElementMeasurer::TextSize(const std::string& face, int points,
                                                  const std::string& styleWord,
                                                  const std::string& text) {
  if (points <= 0 || points > 1000 || text.empty()) {
    return std::nullopt;
  }
  constexpr std::size_t kKeptSizes = 20000;
  std::string key = face + '\n' + std::to_string(points) + '\n' + styleWord + '\n' + text;
  auto known = textSizes_.find(key);
  if (known != textSizes_.end()) {
    return known->second;
  }
  if (textSizes_.size() >= kKeptSizes) {
    textSizes_.clear();
  }
  layout::RegisterWindowsFontSubstitutes();
  QFont font(QString::fromStdString(face));
  font.setPixelSize(static_cast<int>(std::lround(points * kMeasureDpi / 72.0)));
  layout::FontStyle style = layout::FontStyleFromName(styleWord);
  font.setBold(style.bold);
  font.setItalic(style.italic);
  QFontMetricsF metrics(font);
  QString shown = QString::fromStdString(text);
  MmSize size{Millimetres(metrics.horizontalAdvance(shown), kMeasureDpi),
              Millimetres(metrics.height(), kMeasureDpi)};
  textSizes_[key] = size;
  return size;
}

std::optional<MmSize> QtElementMeasurer::PictureSize(const std::string& file) {
  auto known = pictureSizes_.find(file);
  if (known != pictureSizes_.end()) {
    return known->second;
  }
  std::optional<MmSize> size;
  // Found as the page drawing finds it; a folder or device of that name is
  // refused by the loading, and the box is then a guess.
  std::string path = layout::PicturePath(file, styleFolder_);
  if (pictures_ != nullptr && !path.empty()) {
    try {
      layout::Picture picture = layout::LoadPicture(path, *pictures_);
      if (picture.isBitmap && picture.bitmap.width > 0 && picture.bitmap.height > 0) {
        size = MmSize{Millimetres(picture.bitmap.width, screenDpi_),
                      Millimetres(picture.bitmap.height, screenDpi_)};
      }
    } catch (const std::exception&) {
      // The page drawing reports a picture it cannot read; the box is a guess.
    }
  }
  pictureSizes_[file] = size;
  return size;
}

}  // namespace designer
