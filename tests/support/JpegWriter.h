#pragma once

#include <string>

namespace testsupport {

// The bytes of a small JPEG (a grey gradient) made with libjpeg.
std::string MakeJpeg(int width, int height);

}  // namespace testsupport
