#include "platform/work/RunningWork.h"

#include <atomic>

namespace platform {

namespace {

std::atomic<int> running{0};

}  // namespace

RunningWork::Token::Token() {
  running.fetch_add(1);
}

RunningWork::Token::~Token() {
  if (counted_) {
    running.fetch_sub(1);
  }
}

RunningWork::Token::Token(Token&& other) noexcept {
  other.counted_ = false;  // the count moves with the token
}

bool RunningWork::Any() {
  return running.load() > 0;
}

}  // namespace platform
