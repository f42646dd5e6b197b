#include "layout/core/DrawingContext.h"

namespace layout {

int MmToPixel(Fixed position, int offset, Fixed scale) {
  return TruncProduct(Fixed::FromInt(offset) + position, scale);
}

int DrawingContext::MapX(Fixed mm) const {
  return MmToPixel(mm, offsetX, scaleX);
}
int DrawingContext::MapY(Fixed mm) const {
  return MmToPixel(mm, offsetY, scaleY);
}

}  // namespace layout
