// Work on a thread nobody waits for: its result or its error reaches
// whoever takes it, a cancel is seen by the work, the listener hears the
// progress and the end, and a dropped task ends by itself with what it used.

#include "catalogue/scan/DetachedTask.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/errors/UserError.h"
#include "platform/work/RunningWork.h"

namespace catalogue {
namespace {

using namespace std::chrono_literals;

void WaitForNoRunningWork() {
  for (int i = 0; i < 1000 && platform::RunningWork::Any(); ++i) {
    std::this_thread::sleep_for(5ms);
  }
}

TEST(DetachedTask, GivesItsResultOrItsErrorAndTellsItsListener) {
  std::atomic<int> progressed{0};
  std::atomic<int> finished{0};
  DetachedTask<std::string> task(
      [](TaskProgress& progress) {
        for (std::size_t i = 1; i <= 3; ++i) {
          progress.Report(i, 3);
        }
        return std::string("listed");
      },
      {[&] { ++progressed; }, [&] { ++finished; }});
  ASSERT_TRUE(task.WaitFor(30s));
  EXPECT_TRUE(task.Finished());
  EXPECT_EQ(task.Take(), "listed");
  EXPECT_THROW(task.Take(), std::logic_error);  // once only
  EXPECT_EQ(task.Done(), 3u);
  EXPECT_EQ(task.Total(), 3u);
  EXPECT_EQ(progressed.load(), 3);
  WaitForNoRunningWork();
  EXPECT_EQ(finished.load(), 1);

  DetachedTask<int> failing([](TaskProgress&) -> int {
    throw platform::UserError(
        "フォルダーを開けません: /gone\r\nファイルまたはフォルダーが見つかりません");
  });
  ASSERT_TRUE(failing.WaitFor(30s));
  EXPECT_THROW(failing.Take(), platform::UserError);
}

struct Gate {
  std::mutex mutex;
  std::condition_variable changed;
  bool inside = false;
  bool open = false;
};

TEST(DetachedTask, ADroppedTaskIsCancelledAndEndsByItselfWithWhatItUsed) {
  auto gate = std::make_shared<Gate>();
  auto used = std::make_shared<int>(7);
  std::weak_ptr<int> watch = used;
  std::atomic<bool> sawCancel{false};
  {
    DetachedTask<int> task([gate, used = std::move(used), &sawCancel](TaskProgress& progress) {
      std::unique_lock<std::mutex> lock(gate->mutex);
      gate->inside = true;
      gate->changed.notify_all();
      gate->changed.wait(lock, [&] { return gate->open; });
      sawCancel = progress.Cancelled();
      return *used;
    });
    std::unique_lock<std::mutex> lock(gate->mutex);
    gate->changed.wait(lock, [&] { return gate->inside; });
    EXPECT_FALSE(task.Finished());
  }  // dropped while its work is stuck: nobody waits
  EXPECT_TRUE(platform::RunningWork::Any());
  EXPECT_FALSE(watch.expired());
  {
    std::lock_guard<std::mutex> lock(gate->mutex);
    gate->open = true;
  }
  gate->changed.notify_all();
  WaitForNoRunningWork();
  EXPECT_FALSE(platform::RunningWork::Any());
  EXPECT_TRUE(sawCancel.load());
  EXPECT_TRUE(watch.expired());  // what the work used went with its thread
}

}  // namespace
}  // namespace catalogue
