#include "platform/files/PathProbe.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/work/RunningWork.h"
#include "tests/support/TempDir.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

TEST(PathProbe, TellsFoldersFilesAndMissingPaths) {
  testsupport::TempDir dir;
  EXPECT_EQ(ProbePath(dir.path()), PathKind::Folder);
  EXPECT_EQ(ProbePath(dir.Write("a.txt", "x")), PathKind::File);
  EXPECT_EQ(ProbePath(dir.File("missing")), PathKind::Missing);
  EXPECT_EQ(ProbePath(""), PathKind::Missing);
}

// A server that does not answer costs the caller its patience and no
// more; the answer is there when it comes.
TEST(PathProbe, ASilentServerCostsThePatienceAndAnswersLater) {
  std::atomic<bool> answer{false};
  SetPathLookForTests([&](const std::string&) {
    while (!answer.load()) {
      std::this_thread::sleep_for(1ms);
    }
    return PathKind::Folder;
  });
  auto start = std::chrono::steady_clock::now();
  PathProbe probe("/share/folder");
  EXPECT_EQ(probe.WaitFor(50ms), PathKind::NoAnswer);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_EQ(probe.Answer(), PathKind::NoAnswer);
  EXPECT_TRUE(RunningWork::Any());
  answer = true;
  EXPECT_EQ(probe.WaitFor(5s), PathKind::Folder);
  SetPathLookForTests({});
  for (int i = 0; i < 500 && RunningWork::Any(); ++i) {
    std::this_thread::sleep_for(2ms);  // the thread ends by itself
  }
  EXPECT_FALSE(RunningWork::Any());
}

}  // namespace
}  // namespace platform
