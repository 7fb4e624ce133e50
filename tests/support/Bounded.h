// Guards tests of calls that might block for ever (a read of a FIFO, of a
// device): the call runs on its own thread and the test waits a bounded time.
#pragma once

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace testsupport {

// Runs f on a thread of its own and waits at most `limit` for it to return (or
// throw). A call that hangs fails the test instead of the whole run; its thread
// is left behind, detached, so f must own (capture by value) what it uses.
template <class F>
bool ReturnsWithin(F f, std::chrono::seconds limit = std::chrono::seconds(10)) {
  auto task = std::make_shared<std::packaged_task<void()>>(std::move(f));
  std::future<void> done = task->get_future();
  std::thread([task] { (*task)(); }).detach();
  return done.wait_for(limit) == std::future_status::ready;
}

}  // namespace testsupport
