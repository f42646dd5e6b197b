#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/FolderListing.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/scan/DetachedTask.h"
#include "catalogue/scan/ParallelReading.h"

namespace catalogue {

// Lists a folder instead of ListDocumentFiles (tests: a server that is slow
// to answer).
using FolderLister =
    std::function<std::vector<std::string>(const std::string& folder, DocumentFormats, Subfolders)>;

// The documents of a folder listed (ListDocumentFiles) as a detached task,
// so that a folder on a slow or unreachable file server, or a deep tree of
// subfolders, does not hold the window that asked. A folder that cannot be
// read ends the task with its platform::UserError.
DetachedTask<ListedFolder> StartListing(ListingRequest request, FolderLister lister = {},
                                        TaskListener listener = {});

// A folder scan (ScanDocuments) as a detached task that reports each file
// read and stops after the file it is on when cancelled; its result is
// whether every file was read. `keep` owns what the scan uses (the reader
// with its sources and reporter, and the sink), which goes with the task's
// thread when it ends. A failure of the reading or the sink ends the task
// with it.
DetachedTask<bool> StartScan(std::string folder, std::vector<std::string> names,
                             std::shared_ptr<void> keep, DocumentReader& reader, LineSink& sink,
                             ReaderMaker makeReader = {}, TaskListener listener = {});

}  // namespace catalogue
