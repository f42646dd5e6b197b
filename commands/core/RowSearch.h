#pragma once

#include <optional>
#include <string_view>

#include "catalogue/core/DocumentList.h"

namespace commands {

// The find bar's search: the first row below `after` whose fields hold
// `text` (UTF-8, ASCII letters of either case alike), going on from the
// top past the last row and ending with `after` itself; an unreadable
// row's file name counts. Nothing when no row holds it or `text` is empty.
std::optional<int> FindRowHolding(const catalogue::DocumentList& list, std::string_view text,
                                  int after);

// Whether `field` holds `text`, ASCII letters of either case alike.
bool HoldsIgnoringCase(std::string_view field, std::string_view text);

}  // namespace commands
