// `chatsieve serve` run as a child process on a free loopback port, for end-to-end tests:
// started with the arguments given, found by the address it prints, and stopped (killed
// if it must be) when the object goes.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace chatsieve::testing {

class ServiceProcess {
 public:
  explicit ServiceProcess(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {CHATSIEVE_TOOL, "serve", "--listen", "127.0.0.1:0"});
    std::vector<char*> argv;
    for (std::string& argument : arguments)
      argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipe_ends[2];
    if (::pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDERR_FILENO);
    const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe_ends[1]);
    errors_ = pipe_ends[0];
    if (failed != 0) throw std::runtime_error("cannot start the tool");
    const std::string marker = "listening on http://127.0.0.1:";
    while (log_.find('\n', log_.find(marker)) == std::string::npos) {
      if (!ReadLog(std::chrono::seconds(10))) throw std::runtime_error("no address: " + log_);
    }
    port_ = std::stoi(log_.substr(log_.find(marker) + marker.size()));
  }
  ServiceProcess(const ServiceProcess&) = delete;
  ServiceProcess& operator=(const ServiceProcess&) = delete;
  ~ServiceProcess() {
    if (!status_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(errors_);
  }

  int Port() const { return port_; }
  void Signal(int signal) const { ::kill(pid_, signal); }

  // The exit status, once the process has ended within `patience`; nothing otherwise.
  std::optional<int> Exit(std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!status_ && std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    return status_;
  }

  // Standard error so far.
  const std::string& Log() {
    while (ReadLog(std::chrono::milliseconds(0))) {
    }
    return log_;
  }

 private:
  bool ReadLog(std::chrono::milliseconds patience) {
    pollfd readable{errors_, POLLIN, 0};
    if (::poll(&readable, 1, static_cast<int>(patience.count())) <= 0) return false;
    char buffer[4096];
    const ssize_t got = ::read(errors_, buffer, sizeof buffer);
    if (got <= 0) return false;
    log_.append(buffer, static_cast<size_t>(got));
    return true;
  }

  pid_t pid_ = 0;
  int errors_ = -1;
  int port_ = 0;
  std::string log_;
  std::optional<int> status_;
};

}  // namespace chatsieve::testing
