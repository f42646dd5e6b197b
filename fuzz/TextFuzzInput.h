#pragma once

// How a text conversion fuzz input reads: the first byte picks the code
// page, the rest is the text. Shared by the fuzzer and the test that
// replays the inputs kept in fuzz/text.

#include <cstddef>
#include <string_view>

namespace fuzzinput {

// Code pages of property sets seen in documents, and ones whose decoders
// hold characters back or take several bytes a character.
inline constexpr unsigned kCodePages[] = {932,  65001, 1200,  1201,  1252,  1250,  1251, 1253,
                                          1255, 1256,  1258,  936,   949,   950,   874,  10000,
                                          437,  20932, 51932, 12000, 12001, 65000, 0};

struct TextInput {
  unsigned codePage = 0;
  std::string_view text;
};

// Nothing to convert in an empty input (code page 0).
inline TextInput ReadTextInput(std::string_view bytes) {
  if (bytes.empty()) {
    return {};
  }
  unsigned char pick = static_cast<unsigned char>(bytes[0]);
  return {kCodePages[pick % (sizeof kCodePages / sizeof kCodePages[0])], bytes.substr(1)};
}

}  // namespace fuzzinput
