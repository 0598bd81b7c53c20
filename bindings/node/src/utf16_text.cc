#include "utf16_text.h"

#include <string>

namespace chatsieve_node {

Units ReadUnits(const Napi::Value& value, const char* what) {
  thread_local std::vector<char16_t> units;
  const napi_env env = value.Env();
  size_t length = 0;
  napi_status status = napi_get_value_string_utf16(env, value, nullptr, 0, &length);
  if (status == napi_string_expected) {
    throw Napi::TypeError::New(env, std::string("chatsieve: ") + what + " must be a string");
  }
  NAPI_THROW_IF_FAILED(env, status, Units{});
  // Node-API always terminates the copy, so it needs one unit more than the text.
  char16_t* buffer = ScratchOf(units, length + 1);
  status = napi_get_value_string_utf16(env, value, buffer, length + 1, &length);
  NAPI_THROW_IF_FAILED(env, status, Units{});
  return {reinterpret_cast<const uint16_t*>(buffer), length};
}

}  // namespace chatsieve_node
