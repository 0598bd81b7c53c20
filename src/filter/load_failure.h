// Why a filter could not take new words: the interface's result code and a message
// that names the file and, where it can, the line.
#pragma once

#include <stdexcept>
#include <string>

namespace chatsieve {

class LoadFailure : public std::runtime_error {
 public:
  LoadFailure(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

}  // namespace chatsieve
