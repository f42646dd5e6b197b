#pragma once

#include <string>

namespace testsupport {

// Field 20 of a "char" or "data" record: the text it draws (as bound).
inline std::string TextField(const std::string& line) {
  std::size_t at = 0;
  for (int i = 0; i < 19; ++i) {
    at = line.find(';', at) + 1;
  }
  return line.substr(at, line.find(';', at) - at);
}

}  // namespace testsupport
