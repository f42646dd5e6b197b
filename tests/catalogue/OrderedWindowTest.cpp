// The ordered window the scan's helpers run on: results come in the list's
// order whatever thread did them, the workers never run further ahead than
// the window, what is passed by is dropped, and a failure arrives with its
// item.

#include "catalogue/scan/OrderedWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

namespace catalogue {
namespace {

using Window = OrderedWindow<std::size_t>;

TEST(OrderedWindow, ResultsComeInOrderAndTheWorkersStayWithinTheWindow) {
  std::atomic<std::size_t> consumer{0};
  std::atomic<std::size_t> furthest{0};
  std::atomic<bool> tooFar{false};
  Window window(500, 4, 8, [&](std::size_t index, std::size_t worker) {
    EXPECT_LT(worker, 4u);
    if (index >= consumer.load() + 8) {
      tooFar = true;
    }
    std::size_t seen = furthest.load();
    while (index > seen && !furthest.compare_exchange_weak(seen, index)) {
    }
    return index * 3;
  });
  for (std::size_t i = 0; i < 500; ++i) {
    consumer = i;
    std::optional<std::size_t> result = window.Take(i, Window::Taking::WaitForWorker);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, i * 3);
  }
  EXPECT_FALSE(tooFar.load());
  EXPECT_EQ(furthest.load(), 499u);
}

TEST(OrderedWindow, AnItemNoWorkerStartedOnIsTheConsumersAndHelpingDoesFurtherOnes) {
  // No worker at all: every item falls to the consumer.
  Window none(10, 0, 4, [](std::size_t index, std::size_t) { return index; });
  EXPECT_FALSE(none.HasWorkers());
  EXPECT_FALSE(none.Take(0, Window::Taking::DoUnclaimed).has_value());
  EXPECT_FALSE(none.Take(1, Window::Taking::WaitForWorker).has_value());

  // One worker held on item 0: the consumer, waiting for it, does the
  // further items itself as the spare worker (number 1).
  std::atomic<bool> release{false};
  std::atomic<bool> holding{false};
  std::atomic<int> doneBySpare{0};
  Window held(6, 1, 4, [&](std::size_t index, std::size_t worker) {
    if (index == 0) {
      holding = true;
    }
    if (worker == 1) {
      ++doneBySpare;
      release = true;  // the consumer has moved on: let item 0 go
    }
    while (index == 0 && !release.load()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return index + 100;
  });
  while (!holding.load()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (std::size_t i = 0; i < 6; ++i) {
    std::optional<std::size_t> result = held.Take(i, Window::Taking::DoUnclaimedAndHelp);
    EXPECT_EQ(result.value_or(i + 100), i + 100);
  }
  EXPECT_GE(doneBySpare.load(), 1);
}

TEST(OrderedWindow, WhatIsPassedByIsDroppedAndAFailureArrivesWithItsItem) {
  auto alive = std::make_shared<int>(0);
  std::weak_ptr<int> watch = alive;
  {
    OrderedWindow<std::shared_ptr<int>> window(
        20, 3, 5, [&alive](std::size_t index, std::size_t) -> std::shared_ptr<int> {
          if (index == 7) {
            throw std::runtime_error("item 7");
          }
          return alive;
        });
    using Taking = OrderedWindow<std::shared_ptr<int>>::Taking;
    EXPECT_TRUE(window.Take(0, Taking::WaitForWorker));
    EXPECT_TRUE(window.Take(4, Taking::WaitForWorker));  // 1 to 3 passed by
    window.MoveTo(6);
    EXPECT_THROW(window.Take(7, Taking::WaitForWorker), std::runtime_error);
    EXPECT_TRUE(window.Take(8, Taking::WaitForWorker));
  }
  alive.reset();
  EXPECT_TRUE(watch.expired());  // nothing kept past the window
}

TEST(OrderedWindow, StoppingEndsTheWorkersAfterTheirItem) {
  std::atomic<int> started{0};
  auto window = std::make_unique<Window>(1000, 2, 50, [&](std::size_t index, std::size_t) {
    ++started;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return index;
  });
  EXPECT_EQ(window->Take(0, Window::Taking::WaitForWorker), 0u);
  window.reset();  // joins: each ends after its item
  EXPECT_LE(started.load(), 51);
}

}  // namespace
}  // namespace catalogue
