#include "catalogue/scan/DetachedTask.h"

#include <system_error>
#include <thread>

#include "platform/work/RunningWork.h"

namespace catalogue {

void TaskProgress::Report(std::size_t done, std::size_t total) {
  done_.store(done, std::memory_order_relaxed);
  total_.store(total, std::memory_order_relaxed);
  if (listener_.progressed) {
    listener_.progressed();
  }
}

void TaskProgress::RunDetached(const std::function<void()>& work) {
  try {
    std::thread([work, running = platform::RunningWork::Token()] { work(); }).detach();
  } catch (const std::system_error&) {
    work();  // no thread to spare: done here, as before there were threads
  }
}

}  // namespace catalogue
