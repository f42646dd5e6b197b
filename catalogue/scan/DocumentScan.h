#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/scan/ParallelReading.h"

namespace catalogue {

// Reads each named file of `folder`, in the order given, and writes one line
// per file to `sink` (an empty line for a file that cannot be read); the
// file-name field holds the name as given, a path for a subfolder's. The
// next files are asked of the disk ahead of their turn. Given `makeReader`,
// on a local disk the processor's other cores read the next documents with
// readers it makes, which must read as `reader` does (the same formats,
// zone and kinds of source); the lines and messages stay in the list's
// order. Calls
// `progress(done, total)` after each file when given; when it returns false
// the scan stops there. Returns whether every file was read. A folder that
// was there at the start and is gone when a document cannot be read (a
// share that stopped answering) throws platform::UserError naming it: one
// message, not one per document left.
bool ScanDocuments(const std::string& folder, const std::vector<std::string>& names,
                   DocumentReader& reader, LineSink& sink,
                   const std::function<bool(std::size_t, std::size_t)>& progress = {},
                   const ReaderMaker& makeReader = {});

}  // namespace catalogue
