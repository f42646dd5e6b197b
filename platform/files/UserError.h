#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A failure that ends the current command. Its text (UTF-8) is what the user
// is shown by the application's general error report.
class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace platform
