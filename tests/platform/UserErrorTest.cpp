#include "platform/errors/UserError.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(FailureText, TheUserIsToldTheProgramsTextOrThatMemoryRanOut) {
  EXPECT_EQ(FailureText(UserError("ファイルを開けません")), "ファイルを開けません");
  EXPECT_EQ(FailureText(std::bad_alloc()), "メモリが足りません");
  EXPECT_EQ(FailureText(std::out_of_range("index")), "index");
}

}  // namespace
}  // namespace platform
