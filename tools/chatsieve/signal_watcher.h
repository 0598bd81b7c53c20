// SIGHUP, SIGINT and SIGTERM, taken by a thread of their own with sigwait: no work is
// done inside a signal handler, and the other threads never see these signals.
#pragma once

#include <functional>
#include <thread>

namespace chatsieve::tool {

// Blocks the three signals in the calling thread, and so in every thread it starts
// afterwards. Call before starting any thread.
void BlockServiceSignals();

class SignalWatcher {
 public:
  // `reload` runs on SIGHUP, `stop` on SIGINT or SIGTERM; both on the watcher's thread,
  // which ends after `stop`.
  SignalWatcher(std::function<void()> reload, std::function<void()> stop);
  ~SignalWatcher();
  SignalWatcher(const SignalWatcher&) = delete;
  SignalWatcher& operator=(const SignalWatcher&) = delete;

 private:
  void Watch();

  std::function<void()> reload_;
  std::function<void()> stop_;
  std::thread thread_;
};

}  // namespace chatsieve::tool
