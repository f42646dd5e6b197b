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
#include "platform/text/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzinput::TextInput input =
      fuzzinput::ReadTextInput(std::string_view(reinterpret_cast<const char*>(data), size));
  std::optional<std::string> utf8 = platform::CodePageToUtf8(input.text, input.codePage);
  if (utf8 && platform::ValidUtf8(*utf8) != *utf8) {
    std::abort();  // what the program holds is always well formed
  }
  std::string stored = platform::Utf8ToCp932(utf8 ? *utf8 : std::string(input.text));
  if (utf8) {
    if (std::optional<std::string> exact = platform::EncodeCp932Exactly(*utf8)) {
      if (platform::DecodeCp932(*exact) != *utf8) {
        std::abort();  // stored exactly, it reads back the same
      }
    }
  }
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
