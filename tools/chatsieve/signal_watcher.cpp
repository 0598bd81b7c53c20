#include "signal_watcher.h"

#include <pthread.h>

#include <csignal>

namespace chatsieve::tool {
namespace {

sigset_t ServiceSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGHUP);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

}  // namespace

void BlockServiceSignals() {
  const sigset_t signals = ServiceSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  // A client that goes away while it is answered must not end the process.
  std::signal(SIGPIPE, SIG_IGN);
}

SignalWatcher::SignalWatcher(std::function<void()> reload, std::function<void()> stop)
    : reload_(std::move(reload)), stop_(std::move(stop)), thread_([this] { Watch(); }) {}

SignalWatcher::~SignalWatcher() {
  // Ends the watch if no signal has: SIGTERM to this thread alone, which it waits for.
  pthread_kill(thread_.native_handle(), SIGTERM);
  thread_.join();
}

void SignalWatcher::Watch() {
  const sigset_t signals = ServiceSignals();
  for (;;) {
    int signal = 0;
    if (sigwait(&signals, &signal) != 0) continue;
    if (signal == SIGHUP) {
      reload_();
    } else {
      stop_();
      return;
    }
  }
}

}  // namespace chatsieve::tool
