// Documents read ahead on other cores: the scan's lines, messages and
// progress are those of a scan on one thread, a failure arrives in its turn,
// and a stopped scan reads only a window further.

#include "catalogue/scan/ParallelReading.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ScanMessages.h"
#include "catalogue/scan/DocumentScan.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/PropertySetBuilder.h"

namespace catalogue {
namespace {

using fakes::FailedOpen;
using fakes::RecordingReporter;
using fakes::StreamOf;
using testsupport::PropertySetBuilder;
using Names = std::vector<std::string>;

// A table of documents shared by every reader's source; each open is
// counted, with the thread that opened it, and the paths in `throwing`
// throw. A path of `waits` is read only once the path it names has been
// opened, or 10 s have passed (counted in `waitsGivenUp`).
struct Table {
  std::map<std::string, SummaryStream> files;
  std::set<std::string> throwing;
  std::map<std::string, std::string> waits;
  std::atomic<int> opened{0};
  std::mutex mutex;
  std::condition_variable openedOne;
  std::map<std::string, std::thread::id> openedBy;
  std::atomic<int> waitsGivenUp{0};  // waits that ran out their 10 s
};

class TableSource : public SummaryStreamSource {
 public:
  explicit TableSource(Table& table) : table_(table) {}
  SummaryStream ReadSummaryStream(const std::string& path) override {
    ++table_.opened;
    {
      std::unique_lock<std::mutex> lock(table_.mutex);
      table_.openedBy[path] = std::this_thread::get_id();
      table_.openedOne.notify_all();
      if (auto wait = table_.waits.find(path); wait != table_.waits.end()) {
        if (!table_.openedOne.wait_for(lock, std::chrono::seconds(10),
                                       [&] { return table_.openedBy.count(wait->second) != 0; })) {
          ++table_.waitsGivenUp;
        }
      }
    }
    if (table_.throwing.count(path) != 0) {
      throw std::runtime_error("cannot read " + path);
    }
    auto it = table_.files.find(path);
    return it == table_.files.end() ? FailedOpen(kSTG_E_FILENOTFOUND) : it->second;
  }

 private:
  Table& table_;
};

class TableReader : public ReaderHolder {
 public:
  TableReader(Table& table, MessageReporter& reporter)
      : source_(table), reader_(source_, reporter, RegionalFormats{}, 0) {}
  DocumentReader& Reader() override { return reader_; }

 private:
  TableSource source_;
  DocumentReader reader_;
};

class Lines : public LineSink {
 public:
  Names lines;
  void WriteLine(std::string_view line) override { lines.emplace_back(line); }
};

// Sets the threads a scan reads with, for one test.
class ReadingThreads {
 public:
  explicit ReadingThreads(int threads) {
    ::setenv("QUILL_READ_THREADS", std::to_string(threads).c_str(), 1);
  }
  ~ReadingThreads() { ::unsetenv("QUILL_READ_THREADS"); }
};

// 300 documents: most read, every seventh missing (a message), every
// eleventh with a value longer than a record holds (cut, and noted).
void FillTable(Table& table, Names& names) {
  for (int i = 0; i < 300; ++i) {
    std::string name = "f" + std::to_string(1000 + i) + ".doc";
    names.push_back(name);
    if (i % 7 == 3) {
      continue;
    }
    std::string title = i % 11 == 5 ? std::string(5000, 'x') : "t" + name;
    table.files["/f/" + name] = StreamOf(PropertySetBuilder().Lpstr(2, title).Build());
  }
}

struct Outcome {
  Names lines;
  std::vector<std::string> messages;  // "name: text", cuts as "name: cut"
  std::vector<std::size_t> progress;
  bool finished = false;
};

Outcome ScanWith(int threads, Table& table, const Names& names, std::size_t stopAfter = SIZE_MAX) {
  ReadingThreads forced(threads);
  ScanMessages messages;
  TableReader own(table, messages);
  Lines sink;
  Outcome outcome;
  outcome.finished = ScanDocuments(
      "/f", names, own.Reader(), sink,
      [&](std::size_t done, std::size_t) {
        outcome.progress.push_back(done);
        return done < stopAfter;
      },
      [&table](MessageReporter& reporter) {
        return std::make_unique<TableReader>(table, reporter);
      });
  outcome.lines = sink.lines;
  for (const ScanMessages::Entry& entry : messages.Entries()) {
    outcome.messages.push_back(entry.fileName + ": " + entry.text);
  }
  return outcome;
}

TEST(ParallelReading, LinesMessagesAndProgressAreThoseOfOneThread) {
  Table table;
  Names names;
  FillTable(table, names);
  Outcome alone = ScanWith(0, table, names);
  ASSERT_TRUE(alone.finished);
  ASSERT_EQ(alone.lines.size(), 300u);
  ASSERT_EQ(alone.messages.size(), 43u + 23u);  // missing files, and cut values
  for (int threads : {1, 2, 3, 8}) {
    SCOPED_TRACE(threads);
    for (int round = 0; round < 5; ++round) {
      Outcome parallel = ScanWith(threads, table, names);
      EXPECT_TRUE(parallel.finished);
      EXPECT_EQ(parallel.lines, alone.lines);
      EXPECT_EQ(parallel.messages, alone.messages);
      EXPECT_EQ(parallel.progress, alone.progress);
    }
  }
}

TEST(ParallelReading, WhileItsDocumentIsReadElsewhereTheScanReadsFurtherOn) {
  Table table;
  Names names;
  FillTable(table, names);
  Outcome alone = ScanWith(0, table, names);
  // The first document waits for the third, and the third for the eleventh.
  // Whichever thread comes to the first, the other thread comes to a
  // document that the scan needs while it is stuck being read elsewhere:
  // only the scan's thread reading on past it, with its spare reader, opens
  // the one it waits for. Without that, a wait runs out its time.
  table.waits["/f/f1000.doc"] = "/f/f1002.doc";
  table.waits["/f/f1002.doc"] = "/f/f1010.doc";
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE(round);
    table.openedBy.clear();
    Outcome parallel = ScanWith(1, table, names);
    EXPECT_EQ(parallel.lines, alone.lines);
    EXPECT_EQ(parallel.messages, alone.messages);
    EXPECT_EQ(parallel.progress, alone.progress);
    EXPECT_EQ(table.waitsGivenUp.load(), 0);
    // Both threads read, and the scan's thread read past a document that
    // was still being read elsewhere.
    std::thread::id scans = std::this_thread::get_id();
    EXPECT_NE(table.openedBy["/f/f1000.doc"], table.openedBy["/f/f1002.doc"]);
    EXPECT_EQ(table.openedBy["/f/f1010.doc"] == scans, table.openedBy["/f/f1002.doc"] != scans);
    if (::testing::Test::HasFailure()) {
      break;  // each failed round waits out its 10 s
    }
  }
}

TEST(ParallelReading, AStoppedScanReadsOnlyAWindowFurtherAndWritesNoMore) {
  Table table;
  Names names;
  FillTable(table, names);
  Outcome stopped = ScanWith(3, table, names, 5);
  EXPECT_FALSE(stopped.finished);
  EXPECT_EQ(stopped.lines.size(), 5u);
  EXPECT_EQ(stopped.progress, (std::vector<std::size_t>{1, 2, 3, 4, 5}));
  EXPECT_LE(table.opened.load(), 5 + 32);  // not the 300
}

TEST(ParallelReading, AFailureOfAnotherThreadsReaderArrivesInItsTurn) {
  Table table;
  Names names;
  FillTable(table, names);
  table.throwing.insert("/f/f1040.doc");
  for (int threads : {0, 1, 3}) {
    SCOPED_TRACE(threads);
    ReadingThreads forced(threads);
    ScanMessages messages;
    TableReader own(table, messages);
    Lines sink;
    EXPECT_THROW(ScanDocuments("/f", names, own.Reader(), sink, {},
                               [&table](MessageReporter& reporter) {
                                 return std::make_unique<TableReader>(table, reporter);
                               }),
                 std::runtime_error);
    EXPECT_EQ(sink.lines.size(), 40u);  // the documents before it, and no other
  }
}

TEST(ParallelReading, ASingleDocumentOrNoMakerReadsOnTheScansThreadOnly) {
  EXPECT_EQ(ReadingThreadsFor(1), 0);
  Table table;
  Names names;
  FillTable(table, names);
  ReadingThreads forced(3);
  RecordingReporter reporter;
  TableReader own(table, reporter);
  Lines sink;
  EXPECT_TRUE(ScanDocuments("/f", names, own.Reader(), sink));
  EXPECT_EQ(sink.lines.size(), 300u);
  EXPECT_EQ(table.opened.load(), 300);
}

}  // namespace
}  // namespace catalogue
