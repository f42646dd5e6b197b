// The image element: a picture file at its natural size or fitted to a box.

#include <algorithm>
#include <cmath>

#include "layout/core/DrawElements.h"
#include "layout/core/Pictures.h"
#include "layout/core/StyleFile.h"
#include "platform/errors/UserError.h"

namespace layout {

namespace {

struct ImageRecord {
  Fixed x, y, w, h;
  int sizeMode = 0;
  bool previewOnly = false;
  std::string file;  // as the style line holds it (UTF-8)
};

// Holder width and height times the drawing factors: the size on the canvas.
void DrawPicture(const ImageRecord& r, DrawingContext& context) {
  if (r.file.empty() || context.Skips(r.previewOnly) || context.pictures == nullptr) {
    return;
  }
  std::string path = PicturePath(r.file, context.styleFolder);
  if (path.empty()) {
    // Said, as an unreadable one is: a catalogue printed without its
    // picture must not look whole.
    context.pictureFailures.push_back(std::to_string(LineNumberShown(context.line)) +
                                      " 行目の画像: 画像ファイル「" + r.file +
                                      "」が見つかりません");
    return;
  }
  // A folder, pipe or device of that name is refused by the reading, with
  // the program's message, as a picture over the size limit is: the element
  // is named, and the rest of the page is drawn.
  Picture picture;
  try {
    picture = LoadPicture(path, *context.pictures);
  } catch (const platform::UserError& e) {
    context.pictureFailures.push_back(std::to_string(LineNumberShown(context.line)) +
                                      " 行目の画像: " + e.what());
    return;
  }
  int holderW = picture.bitmap.width;
  int holderH = picture.bitmap.height;
  Fixed fx = Fixed::FromInt(1);
  Fixed fy = Fixed::FromInt(1);
  bool zeroW = r.w == Fixed();
  bool zeroH = r.h == Fixed();
  if (r.sizeMode != 0 && !(zeroW && zeroH)) {
    Fixed w = r.w;
    Fixed h = r.h;
    if (zeroW || zeroH) {
      // One side from the other by the picture's proportions, in whole mm.
      if (holderW <= 0 || holderH <= 0) {
        return;  // a picture without pixels has no proportions
      }
      // trunc(other side x ratio + 0.5), held within what a field can hold.
      auto derived = [](double other, int num, int den) {
        double mm = std::trunc(static_cast<double>(num) * other / den + 0.5);
        double limit = static_cast<double>(Fixed::kMaxRaw / Fixed::kOne);
        return Fixed::FromInt(static_cast<std::int64_t>(std::clamp(mm, -limit, limit)));
      };
      double wMm = static_cast<double>(w.Raw()) / Fixed::kOne;
      double hMm = static_cast<double>(h.Raw()) / Fixed::kOne;
      if (zeroH) {
        h = derived(wMm, holderH, holderW);
      } else {
        w = derived(hMm, holderW, holderH);
      }
    }
    holderH = TruncProduct(h, context.scaleY);
    holderW = TruncProduct(w, context.scaleX);
  } else if (context.onPrinter) {
    fx = Fixed::Divide(context.printerResX, context.screenResX);
    fy = Fixed::Divide(context.printerResY, context.screenResY);
  } else {
    fx = fy = Fixed::Divide(Fixed::FromInt(context.zoomPercent), Fixed::FromInt(100));
  }
  int x = context.MapX(r.x);
  int y = context.MapY(r.y);
  if (!picture.isBitmap || picture.bitmap.width <= 0 || picture.bitmap.height <= 0) {
    return;
  }
  int w = TruncProduct(Fixed::FromInt(holderW), fx);
  int h = TruncProduct(Fixed::FromInt(holderH), fy);
  context.surface->StretchBitmap(x, y, w, h, picture.bitmap);
}

}  // namespace

void DrawImageRecord(RecordReader& record, DrawingContext& context, bool frame) {
  ImageRecord r;
  r.x = record.TakeDecimal();
  r.y = record.TakeDecimal();
  r.w = record.TakeDecimal();
  r.h = record.TakeDecimal();
  r.sizeMode = record.TakeIntegerOr0();
  record.TakeIntegerOr0();
  r.previewOnly = record.TakeIntegerOr0() == 1;
  r.file = record.TakeField();
  DrawPicture(r, context);
  if (frame) {
    // The record's box, whatever size the picture was drawn at: a solid
    // black frame of width 0, always shown.
    DrawImageFrame(r.x, r.y, r.x + r.w, r.y + r.h, context);
  }
}

}  // namespace layout
