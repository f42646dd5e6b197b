#include "catalogue/core/StorageCodes.h"

#include <cstdio>

namespace catalogue {

std::string HResultLine(HResult code) {
  char text[32];
  std::snprintf(text, sizeof text, "HResult = $%.8X", static_cast<unsigned>(code));
  return text;
}

}  // namespace catalogue
