#include "catalogue/scan/FolderTasks.h"

#include <utility>

#include "catalogue/scan/DocumentScan.h"

namespace catalogue {

DetachedTask<ListedFolder> StartListing(ListingRequest request, FolderLister lister,
                                        TaskListener listener) {
  return DetachedTask<ListedFolder>(
      [request = std::move(request), lister = std::move(lister)](TaskProgress&) {
        ListedFolder listed;
        listed.names = lister ? lister(request.folder, request.formats, request.subfolders)
                              : ListDocumentFiles(request.folder, request.formats,
                                                  request.subfolders, &listed.leftOut);
        return listed;
      },
      std::move(listener));
}

DetachedTask<bool> StartScan(std::string folder, std::vector<std::string> names,
                             std::shared_ptr<void> keep, DocumentReader& reader, LineSink& sink,
                             ReaderMaker makeReader, TaskListener listener) {
  return DetachedTask<bool>(
      [folder = std::move(folder), names = std::move(names), keep = std::move(keep), &reader, &sink,
       makeReader = std::move(makeReader)](TaskProgress& progress) {
        progress.Report(0, names.size());
        return ScanDocuments(
            folder, names, reader, sink,
            [&progress](std::size_t done, std::size_t total) {
              progress.Report(done, total);
              return !progress.Cancelled();
            },
            makeReader);
      },
      std::move(listener));
}

}  // namespace catalogue
