#include "platform/files/LocalTimeZone.h"

#include <cstdlib>

namespace platform {

void NameLocalTimeZoneFile() {
  ::setenv("TZ", ":/etc/localtime", 0);  // 0: a TZ already set is kept
}

}  // namespace platform
