#include "library_error.h"

#include <chatsieve/filter.h>

#include <cstdio>

namespace chatsieve_node {
namespace {

const char* CodeName(int result) {
  switch (result) {
    case CHATSIEVE_E_NULL:
      return "CHATSIEVE_E_NULL";
    case CHATSIEVE_E_SPACE:
      return "CHATSIEVE_E_SPACE";
    case CHATSIEVE_E_OPEN:
      return "CHATSIEVE_E_OPEN";
    case CHATSIEVE_E_FORMAT:
      return "CHATSIEVE_E_FORMAT";
    case CHATSIEVE_E_MEMORY:
      return "CHATSIEVE_E_MEMORY";
    case CHATSIEVE_E_ARGUMENT:
      return "CHATSIEVE_E_ARGUMENT";
    default:
      return "CHATSIEVE_E_UNKNOWN";
  }
}

}  // namespace

Napi::Error LibraryError(Napi::Env env, int result, const std::string& reason) {
  Napi::Error error = Napi::Error::New(env, reason);
  error.Set("code", CodeName(result));
  return error;
}

int Checked(Napi::Env env, int result) {
  if (result < 0) throw LibraryError(env, result, chatsieve_strerror(result));
  return result;
}

std::string ToHex(uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%x", value);
  return text;
}

}  // namespace chatsieve_node
