#include "platform/files/ReplacingFileWriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <filesystem>

#include "platform/files/FileBytes.h"
#include "platform/files/UserError.h"
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

}  // namespace
}  // namespace platform
