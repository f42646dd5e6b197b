#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// Arguments a verb cannot take. The text names what is wrong ("unknown
// option: --frob"); the program adds the verb's usage and exits with 2.
class UsageFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Thrown when a verb's arguments ask for help ("-h" or "--help" standing as
// an option, not as an option's value); the program prints the verb's usage.
class HelpRequested : public std::exception {};

// One verb's arguments: its operands in order and its options, each option
// given at most once. An option with a value takes the next argument.
struct Arguments {
  std::vector<std::string> operands;
  std::map<std::string, std::string> options;

  bool Has(const std::string& name) const { return options.count(name) > 0; }
  std::string Get(const std::string& name, const std::string& fallback = {}) const;
};

// What a verb accepts: options that take a value and options that do not.
struct ArgumentRules {
  std::vector<std::string> valued;
  std::vector<std::string> flags;
};

// Splits `args` by `rules`. An argument that starts with "-" (and is not "-"
// alone) is an option until "--", after which every argument is an operand.
// Throws HelpRequested for "-h" or "--help", and UsageFault for an unknown
// option, a missing value or a repeated one.
Arguments ParseArguments(const std::vector<std::string>& args, const ArgumentRules& rules);

// Throws UsageFault("missing WHAT") when there is no operand, and
// "unexpected argument: X" for operands beyond `count` (0: no limit).
void RequireOperands(const Arguments& arguments, std::size_t count, const std::string& what);

}  // namespace cli
