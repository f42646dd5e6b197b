#pragma once

#include <new>
#include <stdexcept>
#include <string>

namespace platform {

// A failure that ends the current command. Its text (UTF-8) is what the user
// is shown by the application's general error report.
class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

// What the user is told of any failure that ended a command: the text of a
// UserError (or of any other exception), or that memory ran out.
inline std::string FailureText(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
    return "メモリが足りません";
  }
  return failure.what();
}

}  // namespace platform
