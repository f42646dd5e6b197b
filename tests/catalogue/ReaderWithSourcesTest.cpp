// The readers of every format on several cores at once: libgsf and qpdf
// read documents side by side and the scan is that of one thread.

#include "catalogue/readers/ReaderWithSources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "catalogue/core/ScanMessages.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

class Lines : public LineSink {
 public:
  std::string text;
  void WriteLine(std::string_view line) override {
    text += line;
    text += "\n";
  }
};

// The list and the messages of a scan of `folder` read by `threads` more.
std::pair<std::string, std::string> Scan(const std::string& folder, DocumentFormats formats,
                                         int threads) {
  ::setenv("QUILL_READ_THREADS", std::to_string(threads).c_str(), 1);
  ScanMessages messages;
  messages.SetFolder(folder);
  ReaderWithSources readers(messages, formats);
  Lines lines;
  EXPECT_TRUE(ScanDocuments(folder, ListDocumentFiles(folder, formats, Subfolders::Included),
                            readers.Reader(), lines, {}, MakerOfReadersWithSources(formats)));
  ::unsetenv("QUILL_READ_THREADS");
  std::string said = messages.Heading() + "\n";
  for (const ScanMessages::Entry& entry : messages.Entries()) {
    said += entry.fileName + ": " + entry.text + "\n";
  }
  return {lines.text, said};
}

TEST(ReaderWithSources, EveryFormatReadOnSeveralCoresGivesTheListOfOne) {
  testsupport::TempDir folder;
  testsupport::WriteMixedDocuments(folder.path(), 80);
  testsupport::WriteSampleDocuments(folder.path());
  folder.Write("broken.docx", std::string("PK\x03\x04", 4) + "no directory");
  folder.Write("broken.pdf", "%PDF-1.4\nnothing else");
  folder.Write("empty.doc", "");
  std::filesystem::create_directory(folder.File("sub"));
  testsupport::WriteMixedDocuments(folder.File("sub"), 20);
  for (DocumentFormats formats : {DocumentFormats::Classic, DocumentFormats::WithNewer}) {
    std::pair<std::string, std::string> alone = Scan(folder.path(), formats, 0);
    EXPECT_NE(alone.first.find("sub/"), std::string::npos);
    for (int threads : {1, 3}) {
      SCOPED_TRACE(threads);
      EXPECT_EQ(Scan(folder.path(), formats, threads), alone);
    }
  }
}

}  // namespace
}  // namespace catalogue
