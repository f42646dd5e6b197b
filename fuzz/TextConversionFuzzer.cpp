// Feeds arbitrary text to the code page conversions (TextFuzzInput.h says
// how an input reads). Every conversion must take time in proportion to the
// text however much of it cannot be converted, and the prefix a grid cell
// draws must end on a character boundary within the bytes asked for.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/TextFuzzInput.h"
#include "platform/text/CodePages.h"
#include "platform/text/Cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzinput::TextInput input =
      fuzzinput::ReadTextInput(std::string_view(reinterpret_cast<const char*>(data), size));
  std::optional<std::string> cp932 = platform::CodePageToCp932(input.text, input.codePage);
  std::string stored = cp932 ? *cp932 : std::string(input.text);
  platform::Utf8ToCp932(platform::Cp932ToUtf8(stored));
  platform::Utf8ToCp932(input.text);  // typed or pasted text, valid UTF-8 or not
  for (std::size_t limit : {std::size_t{0}, std::size_t{1}, stored.size() / 2, stored.size()}) {
    std::size_t prefix = platform::Cp932PrefixLength(stored, limit);
    if (prefix > limit || prefix > stored.size()) {
      std::abort();
    }
  }
  return 0;
}
