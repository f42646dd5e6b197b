// Feeds arbitrary style lines, bound with a small document list, to the
// layout engine on a recording surface: no crash, no overflow, no hang; a
// field that does not convert may only end the page with its message.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "layout/core/StyleFile.h"
#include "platform/errors/UserError.h"
#include "tests/support/StyleReplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines = layout::SplitStyleLines(bytes);
  if (lines.size() > 200) {
    lines.resize(200);
  }
  try {
    testsupport::BindAndDraw(std::move(lines));
  } catch (const platform::UserError&) {
    // A conversion message: the page ends there.
  }
  return 0;
}
