// Documents fetched ahead by several threads: the scan's lines and messages
// are those of a scan without them, and what is fetched stays bounded and
// closed.

#include "catalogue/core/FileFetcher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/ole/MsoleSummarySource.h"
#include "catalogue/ole/ZipPackageSource.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/CompoundFileWriter.h"
#include "tests/support/PackageWriter.h"
#include "tests/support/PropertySetBuilder.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

std::size_t OpenDescriptors() {
  return static_cast<std::size_t>(std::distance(
      std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}

class Lines : public LineSink {
 public:
  std::string text;
  void WriteLine(std::string_view line) override {
    text += line;
    text += "\n";
  }
};

// One scan of `folder` with the newer formats, fetched by `threads`.
std::pair<std::string, std::string> Scan(const std::string& folder, int threads) {
  ::setenv("QUILL_FETCH_THREADS", std::to_string(threads).c_str(), 1);
  MsoleSummarySource ole;
  ZipPackageSource packages(ole.Document());
  fakes::RecordingReporter reporter;
  DocumentReader reader(ole, reporter, RegionalFormats{}, 9 * 3600);
  reader.ReadNewerFormats(packages);
  Lines lines;
  ScanDocuments(folder, ListDocumentFiles(folder, DocumentFormats::WithNewer, Subfolders::Left),
                reader, lines);
  ::unsetenv("QUILL_FETCH_THREADS");
  std::string messages;
  for (std::size_t i = 0; i < reporter.messages.size(); ++i) {
    messages += reporter.paths[i] + ": " + reporter.messages[i] + "\n";
  }
  return {lines.text, messages};
}

TEST(FileFetcher, AScanFetchedAheadGivesTheSameLinesAndMessagesInTheListsOrder) {
  testsupport::TempDir folder;
  testsupport::WriteMixedDocuments(folder.path(), 60);
  testsupport::WriteSampleDocuments(folder.path());
  folder.Write("broken.docx", std::string("PK\x03\x04", 4) + "no directory");
  folder.Write("empty.doc", "");
  std::filesystem::create_directory(folder.File("folder.doc"));
  std::size_t before = OpenDescriptors();
  std::pair<std::string, std::string> alone = Scan(folder.path(), 0);
  for (int threads : {1, 4, 16}) {
    SCOPED_TRACE(threads);
    EXPECT_EQ(Scan(folder.path(), threads), alone);
  }
  EXPECT_EQ(OpenDescriptors(), before);  // every fetched file closed
  EXPECT_NE(alone.second, "");           // the damaged files said so
}

TEST(FileFetcher, FilesAreTakenInTheListsOrderAndTheRestClosedUnread) {
  testsupport::TempDir folder;
  std::vector<std::string> paths;
  for (int i = 0; i < 20; ++i) {
    paths.push_back(folder.Write("f" + std::to_string(i), std::string(200000, 'a' + i % 26)));
  }
  std::size_t before = OpenDescriptors();
  {
    FileFetcher fetcher(paths, 4, 3, kDocumentBlockBytes);
    EXPECT_FALSE(fetcher.Take(paths[9]).has_value());  // beyond the window
    EXPECT_FALSE(fetcher.Take(folder.File("other")).has_value());
    std::optional<FetchedFile> first = fetcher.Take(paths[0]);
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(first->regular);
    EXPECT_EQ(first->size, 200000u);
    ASSERT_EQ(first->ranges.size(), 2u);  // the first block and the last
    EXPECT_EQ(first->ranges[0].first, 0u);
    EXPECT_EQ(first->ranges[0].second.size(), kDocumentBlockBytes);
    EXPECT_EQ(first->ranges[1].first, 3 * kDocumentBlockBytes);
    EXPECT_EQ(first->ranges[1].first + first->ranges[1].second.size(), 200000u);
    ::close(first->fd);
    std::optional<FetchedFile> second = fetcher.Take(paths[1]);
    ASSERT_TRUE(second.has_value());
    ::close(second->fd);
    // One passed by: dropped and closed, the next taken.
    std::optional<FetchedFile> fourth = fetcher.Take(paths[3]);
    ASSERT_TRUE(fourth.has_value());
    ::close(fourth->fd);
    EXPECT_FALSE(fetcher.Take(paths[2]).has_value());
    // The window: no more than 3 ahead of the reader are open.
    EXPECT_LE(OpenDescriptors(), before + 3 + 1);
  }
  EXPECT_EQ(OpenDescriptors(), before);
  FileFetcher missing({folder.File("nowhere")}, 2, 2, kDocumentBlockBytes);
  std::optional<FetchedFile> none = missing.Take(folder.File("nowhere"));
  ASSERT_TRUE(none.has_value());
  EXPECT_EQ(none->fd, -1);
  EXPECT_EQ(none->error, ENOENT);
}

}  // namespace
}  // namespace catalogue
