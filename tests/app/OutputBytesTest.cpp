// The bytes every output of the main window writes for two real folders
// (the shared corpus of documents from public test suites, and the sample
// documents the build writes for scripts/start): the scanned list file, both
// CSV types, the clipboard, the row-edit save and the print hand-off after
// sorting, deleting and moving rows. Each is pinned by a digest, so a change
// to how the rows are held or walked cannot change a byte unnoticed.
//
// A deliberate change of an output (a new format rule) updates the digests:
// run the tests with QUILL_RECORD_DIGESTS=/tmp/digests.txt and
// --gtest_filter='OutputBytes*', and put the lines written there into
// OutputDigests.inc.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <QAbstractButton>
#include <QAction>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

#include "tests/app/ProgramFixture.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScanAndWait.h"

namespace app {
namespace {

using testsupport::ReadAll;

// FNV-1a, 64 bits: enough to tell two outputs apart, and the same on every
// machine.
std::string Digest(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

// Key: folder/formats/output.
const std::map<std::string, std::string>& PinnedDigests() {
  static const std::map<std::string, std::string> digests = {
#include "tests/app/OutputDigests.inc"
  };
  return digests;
}

struct OutputBytes : ProgramFixture {
  testsupport::TempDir samples;
  std::map<std::string, std::string> found;

  void SetUp() override {
    // The record lines of the corpus were written in UTC.
    const char* tz = std::getenv("TZ");
    oldTz_ = tz != nullptr ? std::optional<std::string>(tz) : std::nullopt;
    ::setenv("TZ", "UTC", 1);
    ::tzset();
  }
  void TearDown() override {
    if (oldTz_) {
      ::setenv("TZ", oldTz_->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

  void ScanFolder(const std::string& folder, bool newerFormats) {
    FolderCommand([&](catalogue::FolderDialog& dialog) {
      dialog.findChild<QAbstractButton*>(QStringLiteral("NewerFormatsCheck"))
          ->setChecked(newerFormats);
      dialog.OpenFolder(QString::fromStdString(folder));
      testsupport::ScanAndWait(dialog);
    });
    dialogs.shown.clear();  // the summary of unreadable files
  }

  void Trigger(const QString& item) { window->Item(item)->trigger(); }

  std::string ExportCsv(int type) {
    std::string path = programFolder.File("out.csv");
    dialogs.saveNames = {QString::fromStdString(path)};
    dialogs.saveTypes = {type};
    Trigger(QStringLiteral("CSV1"));
    return ReadAll(path);
  }

  std::string HandOff() {
    int windows = 0;
    UsePrintWindowsThatCloseAtOnce(windows);
    window->PrintReport();
    EXPECT_EQ(windows, 1);
    return ReadAll(paths.ListFile());
  }

  // Every output for one folder, under keys "name/formats/output".
  void Record(const std::string& name, const std::string& folder, bool newerFormats) {
    std::string key = name + (newerFormats ? "/all/" : "/classic/");
    ScanFolder(folder, newerFormats);
    found[key + "list"] = Digest(ReadAll(paths.ListFile()));
    found[key + "csv"] = Digest(ExportCsv(0));
    found[key + "csv-utf8"] = Digest(ExportCsv(1));
    Trigger(QStringLiteral("N10"));
    found[key + "clipboard"] = Digest(desktop.clipboard.toStdString());

    // The row-edit save of the first document, unchanged, writes the rows
    // as they stand.
    int first = 1;
    while (Cell(0, first).empty()) {
      ++first;
    }
    SelectRow(first);
    WithDialog<commands::RowEditDialog>(
        editDialog, [](commands::RowEditDialog& dialog) { dialog.Confirm(); },
        [this] { window->EditSelectedRow(); });
    found[key + "edit-save"] = Digest(ReadAll(paths.ListFile()));

    // Sorted by every column, each way, and handed to the print window.
    std::string sorted;
    for (const char* order : {"SortAscending", "SortDescending"}) {
      for (int col = 0; col < 11; ++col) {
        Trigger(QString::fromLatin1(order) + QString::number(col));
        sorted += HandOff();
      }
    }
    found[key + "sorted-hand-off"] = Digest(sorted);

    // Rows deleted and moved, then handed over.
    dialogs.answers = {widgets::Dialogs::Answer::First, widgets::Dialogs::Answer::First};
    SelectRow(2);
    Trigger(QStringLiteral("N19"));
    SelectRow(1);
    Trigger(QStringLiteral("N19"));
    SelectRow(3);
    Trigger(QStringLiteral("N22"));
    Trigger(QStringLiteral("N22"));
    Trigger(QStringLiteral("N23"));
    SelectRow(1);
    Trigger(QStringLiteral("N23"));
    found[key + "moved-hand-off"] = Digest(HandOff());
  }

  void Check() {
    if (const char* record = std::getenv("QUILL_RECORD_DIGESTS")) {
      FILE* out = std::fopen(record, "a");
      ASSERT_NE(out, nullptr);
      for (const auto& [key, digest] : found) {
        std::fprintf(out, "    {\"%s\", \"%s\"},\n", key.c_str(), digest.c_str());
      }
      std::fclose(out);
    }
    for (const auto& [key, digest] : found) {
      auto pinned = PinnedDigests().find(key);
      ASSERT_NE(pinned, PinnedDigests().end()) << key;
      EXPECT_EQ(digest, pinned->second) << key;
    }
  }

 private:
  std::optional<std::string> oldTz_;
};

TEST_F(OutputBytes, TheSampleDocuments) {
  testsupport::WriteSampleDocuments(samples.path());
  testsupport::WriteNewerFormatSamples(samples.path());
  Start();
  Record("samples", samples.path(), false);
  Record("samples", samples.path(), true);
  Check();
}

TEST_F(OutputBytes, TheCorpus) {
  std::string corpus = std::string(QUILL_SHARED_DIR) + "/corpus";
  if (!std::filesystem::is_directory(corpus)) {
    GTEST_SKIP() << "no corpus at " << corpus;
  }
  Start();
  Record("corpus", corpus, false);
  Record("corpus", corpus, true);
  Check();
}

}  // namespace
}  // namespace app
