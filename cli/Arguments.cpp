#include "cli/Arguments.h"

#include <algorithm>

namespace cli {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

bool LooksLikeOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-';
}

}  // namespace

std::string Arguments::Get(const std::string& name, const std::string& fallback) const {
  auto it = options.find(name);
  return it == options.end() ? fallback : it->second;
}

Arguments ParseArguments(const std::vector<std::string>& args, const ArgumentRules& rules) {
  Arguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !LooksLikeOption(arg)) {
      parsed.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      throw HelpRequested();
    }
    bool valued = Contains(rules.valued, arg);
    if (!valued && !Contains(rules.flags, arg)) {
      throw UsageFault("unknown option: " + arg);
    }
    if (parsed.Has(arg)) {
      throw UsageFault("option given twice: " + arg);
    }
    if (!valued) {
      parsed.options[arg] = "";
      continue;
    }
    if (i + 1 >= args.size()) {
      throw UsageFault("option needs a value: " + arg);
    }
    parsed.options[arg] = args[++i];
  }
  return parsed;
}

void RequireOperands(const Arguments& arguments, std::size_t count, const std::string& what) {
  if (arguments.operands.empty()) {
    throw UsageFault("missing " + what);
  }
  if (count > 0 && arguments.operands.size() > count) {
    throw UsageFault("unexpected argument: " + arguments.operands[count]);
  }
}

}  // namespace cli
