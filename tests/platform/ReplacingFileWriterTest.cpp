#include "platform/files/ReplacingFileWriter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <ctime>
#include <filesystem>

#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/files/TemporaryFiles.h"
#include "tests/support/TempDir.h"

namespace platform {
namespace {

std::size_t EntriesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                std::filesystem::directory_iterator()));
}

TEST(ReplacingFileWriter, ReplacesOnlyOnCommit) {
  testsupport::TempDir dir;
  std::string path = dir.Write("list", "old");
  {
    ReplacingFileWriter writer(path);
    writer.Write(std::string(200000, 'x'));  // more than one buffer
    EXPECT_EQ(testsupport::ReadAll(path), "old");
  }
  EXPECT_EQ(testsupport::ReadAll(path), "old");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);

  ReplacingFileWriter::ReplaceWith(path, "new");
  EXPECT_EQ(testsupport::ReadAll(path), "new");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(ReplacingFileWriter, KeepsThePermissionsOfTheReplacedFile) {
  testsupport::TempDir dir;
  std::string path = dir.Write("list", "old");
  ::chmod(path.c_str(), 0640);
  ReplacingFileWriter::ReplaceWith(path, "new");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A file made read-only on purpose (even where root could write it) is
// kept unless the user agreed; agreed, it is replaced and stays read-only.
TEST(ReplacingFileWriter, AReadOnlyFileIsKeptUnlessTheUserAgreed) {
  testsupport::TempDir dir;
  std::string path = dir.Write("style.sle", "old");
  ::chmod(path.c_str(), 0444);
  EXPECT_TRUE(IsReadOnlyFile(path));
  EXPECT_FALSE(IsReadOnlyFile(dir.File("missing")));
  EXPECT_FALSE(IsReadOnlyFile(dir.path()));
  EXPECT_THROW(ReplacingFileWriter::ReplaceWith(path, "new"), ReadOnlyFileError);
  try {
    ReplacingFileWriter writer(path);
    FAIL() << "refused only after writing";
  } catch (const ReadOnlyFileError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
  }
  EXPECT_EQ(testsupport::ReadAll(path), "old");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);

  ReplacingFileWriter::ReplaceWith(path, "new", ReadOnlyTarget::Replace);
  EXPECT_EQ(testsupport::ReadAll(path), "new");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);

  // Made read-only while it was being written: still kept.
  std::string other = dir.Write("list", "before");
  {
    ReplacingFileWriter writer(other);
    writer.Write("after");
    ::chmod(other.c_str(), 0400);
    EXPECT_THROW(writer.Commit(), ReadOnlyFileError);
  }
  EXPECT_EQ(testsupport::ReadAll(other), "before");
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

TEST(ReplacingFileWriter, FailureNamesTheFile) {
  testsupport::TempDir dir;
  try {
    ReplacingFileWriter::ReplaceWith(dir.File("missing/list"), "x");
    FAIL() << "no error";
  } catch (const UserError& e) {
    EXPECT_NE(std::string(e.what()).find(dir.File("missing/list")), std::string::npos);
  }
}

TEST(FileBytes, ReadsWholeFilesAndTellsMissingFromUnreadable) {
  testsupport::TempDir dir;
  std::string path = dir.Write("f", std::string("a\0b", 3));
  EXPECT_EQ(ReadFileBytes(path), std::string("a\0b", 3));
  EXPECT_EQ(ReadFileBytesIfExists(dir.File("none")), std::nullopt);
  EXPECT_THROW(ReadFileBytes(dir.File("none")), UserError);
  EXPECT_THROW(ReadFileBytesIfExists(dir.path()), UserError);  // a folder
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_THROW(ReadFileBytesIfExists(dir.File("pipe")), UserError);  // no wait for a writer
}

TEST(ReplacingFileWriter, AWriteFailingAtAnyPointLeavesTheOldFileAndNoTemporary) {
  // A file size limit in a child process makes every write past it fail, as
  // a full disk does: at the first buffer, in the middle, at the last bytes.
  for (std::size_t limit : {std::size_t{0}, std::size_t{70000}, std::size_t{199999}}) {
    SCOPED_TRACE(limit);
    testsupport::TempDir dir;
    std::string path = dir.Write("list", "old");
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::signal(SIGXFSZ, SIG_IGN);
      rlimit fsize{limit, limit};
      ::setrlimit(RLIMIT_FSIZE, &fsize);
      try {
        ReplacingFileWriter::ReplaceWith(path, std::string(200000, 'x'));
      } catch (const UserError&) {
        ::_exit(3);  // the failure was reported
      }
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
    EXPECT_EQ(testsupport::ReadAll(path), "old");
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
  }
}

TEST(TemporaryFiles, StaleOnesGoAtStartLockedAndFreshOnesStay) {
  testsupport::TempDir dir;
  TemporaryFile held = CreateTemporaryBeside(dir.File("excel_list.temp"));
  ASSERT_GE(held.fd, 0);
  std::string name = held.path.substr(held.path.rfind('/') + 1);
  EXPECT_EQ(name.rfind(".excel_list.temp.quilltmp-", 0), 0u) << name;
  EXPECT_TRUE(IsTemporaryName(name));
  for (const char* other :
       {"excel_list.temp", ".x.quilltmp-", "a.quilltmp-123456", ".b.tmp-123456"}) {
    EXPECT_FALSE(IsTemporaryName(other)) << other;
  }
  std::string stale = dir.Write(".display.dat.quilltmp-AbC123", "left by a killed run");
  std::string fresh = dir.Write(".titlelist.DAT.quilltmp-ZyX987", "being written");
  std::string kept = dir.Write("notes.txt", "the user's");
  auto age = [](const std::string& path) {
    timespec old[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), old, 0);
  };
  age(stale);
  age(held.path);  // old, but its writer holds it
  age(kept);
  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 1);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(fresh));
  EXPECT_TRUE(std::filesystem::exists(held.path));
  EXPECT_TRUE(std::filesystem::exists(kept));
  ::close(held.fd);
  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 1);  // released: now it goes
  EXPECT_EQ(RemoveStaleTemporaries(dir.File("no such folder")), 0);
}

TEST(FileBytes, FilesOverTheLimitAreRefusedUnreadAndNamed) {
  testsupport::TempDir dir;
  std::string big = dir.Write("big", "x");
  ASSERT_EQ(::truncate(big.c_str(), std::int64_t{3} << 30), 0);  // sparse: no disk used
  try {
    ReadFileBytes(big, std::uint64_t{1} << 30);
    FAIL() << "a 3 GiB file was read";
  } catch (const UserError& e) {
    EXPECT_NE(std::string(e.what()).find(big), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("上限 1024 MiB"), std::string::npos) << e.what();
  }
  std::string chunks;
  EXPECT_TRUE(
      ReadFileInChunks(dir.Write("small", "abc"), 3, [&](std::string_view c) { chunks += c; }));
  EXPECT_EQ(chunks, "abc");
  EXPECT_FALSE(ReadFileInChunks(dir.File("none"), 3, [](std::string_view) {}));
}

}  // namespace
}  // namespace platform
