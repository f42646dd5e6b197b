// Documents fetched ahead by several threads, or read on several cores:
// the scan's lines and messages are those of a scan on one thread, and
// what is fetched stays bounded and closed.

#include "catalogue/scan/FileFetcher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ScanMessages.h"
#include "catalogue/readers/ReaderWithSources.h"
#include "catalogue/scan/DocumentScan.h"
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

// The list and the messages of a scan of `folder` and its subfolders with
// `fetchers` fetching ahead and `readers` more threads reading.
std::pair<std::string, std::string> Scan(const std::string& folder, DocumentFormats formats,
                                         int fetchers, int readers) {
  ::setenv("QUILL_FETCH_THREADS", std::to_string(fetchers).c_str(), 1);
  ::setenv("QUILL_READ_THREADS", std::to_string(readers).c_str(), 1);
  ScanMessages messages;
  messages.SetFolder(folder);
  ReaderWithSources own(messages, formats);
  Lines lines;
  EXPECT_TRUE(ScanDocuments(folder, ListDocumentFiles(folder, formats, Subfolders::Included),
                            own.Reader(), lines, {}, MakerOfReadersWithSources(formats)));
  ::unsetenv("QUILL_FETCH_THREADS");
  ::unsetenv("QUILL_READ_THREADS");
  std::string said = messages.Heading() + "\n";
  for (const ScanMessages::Entry& entry : messages.Entries()) {
    said += entry.fileName + ": " + entry.text + "\n";
  }
  return {lines.text, said};
}

// Every format, damaged files, an empty one, a folder named as a document
// and a subfolder.
void WriteMixedFolder(testsupport::TempDir& folder) {
  testsupport::WriteMixedDocuments(folder.path(), 60);
  testsupport::WriteSampleDocuments(folder.path());
  folder.Write("broken.docx", std::string("PK\x03\x04", 4) + "no directory");
  folder.Write("broken.pdf", "%PDF-1.4\nnothing else");
  folder.Write("empty.doc", "");
  std::filesystem::create_directory(folder.File("folder.doc"));
  std::filesystem::create_directory(folder.File("sub"));
  testsupport::WriteMixedDocuments(folder.File("sub"), 20);
}

TEST(FileFetcher, AScanFetchedAheadGivesTheSameLinesAndMessagesInTheListsOrder) {
  testsupport::TempDir folder;
  WriteMixedFolder(folder);
  std::size_t before = OpenDescriptors();
  std::pair<std::string, std::string> alone = Scan(folder.path(), DocumentFormats::WithNewer, 0, 0);
  for (int threads : {1, 4, 16}) {
    SCOPED_TRACE(threads);
    EXPECT_EQ(Scan(folder.path(), DocumentFormats::WithNewer, threads, 0), alone);
  }
  EXPECT_EQ(OpenDescriptors(), before);                            // every fetched file closed
  EXPECT_NE(alone.second.find("broken.docx"), std::string::npos);  // the damaged files said so
}

TEST(FileFetcher, EveryFormatReadOnSeveralCoresGivesTheListOfOne) {
  testsupport::TempDir folder;
  WriteMixedFolder(folder);
  for (DocumentFormats formats : {DocumentFormats::Classic, DocumentFormats::WithNewer}) {
    std::pair<std::string, std::string> alone = Scan(folder.path(), formats, 0, 0);
    EXPECT_NE(alone.first.find("sub/"), std::string::npos);
    for (int threads : {1, 3}) {
      SCOPED_TRACE(threads);
      EXPECT_EQ(Scan(folder.path(), formats, 0, threads), alone);
    }
  }
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
    EXPECT_TRUE(first->file.Regular());
    EXPECT_EQ(first->file.Size(), 200000u);
    ASSERT_EQ(first->ranges.size(), 2u);  // the first block and the last
    EXPECT_EQ(first->ranges[0].first, 0u);
    EXPECT_EQ(first->ranges[0].second.size(), kDocumentBlockBytes);
    EXPECT_EQ(first->ranges[1].first, 3 * kDocumentBlockBytes);
    EXPECT_EQ(first->ranges[1].first + first->ranges[1].second.size(), 200000u);
    first.reset();
    std::optional<FetchedFile> second = fetcher.Take(paths[1]);
    ASSERT_TRUE(second.has_value());
    second.reset();
    // One passed by: dropped and closed, the next taken.
    std::optional<FetchedFile> fourth = fetcher.Take(paths[3]);
    ASSERT_TRUE(fourth.has_value());
    fourth.reset();
    EXPECT_FALSE(fetcher.Take(paths[2]).has_value());
    // The window: no more than 3 ahead of the reader are open.
    EXPECT_LE(OpenDescriptors(), before + 3 + 1);
  }
  EXPECT_EQ(OpenDescriptors(), before);
  FileFetcher missing({folder.File("nowhere")}, 2, 2, kDocumentBlockBytes);
  std::optional<FetchedFile> none = missing.Take(folder.File("nowhere"));
  ASSERT_TRUE(none.has_value());
  EXPECT_FALSE(none->file.IsOpen());
  EXPECT_EQ(none->file.Error(), ENOENT);
}

}  // namespace
}  // namespace catalogue
