#include "utf16_text.h"

#include <string>

namespace chatsieve_node {

Units ReadUnits(const Napi::Value& value, const char* what) {
  thread_local std::vector<char16_t> units(256);
  const napi_env env = value.Env();
  // One copy for texts that fit the buffer; Node-API always terminates the copy, so a
  // full buffer may hold a cut text and the length is asked for.
  size_t length = 0;
  napi_status status = napi_get_value_string_utf16(env, value, units.data(), units.size(), &length);
  if (status == napi_ok && length + 1 == units.size()) {
    status = napi_get_value_string_utf16(env, value, nullptr, 0, &length);
    if (status == napi_ok) {
      status = napi_get_value_string_utf16(env, value, ScratchOf(units, length + 1), length + 1,
                                           &length);
    }
  }
  if (status == napi_string_expected) {
    throw Napi::TypeError::New(env, std::string("chatsieve: ") + what + " must be a string");
  }
  NAPI_THROW_IF_FAILED(env, status, Units{});
  return {reinterpret_cast<const uint16_t*>(units.data()), length};
}

}  // namespace chatsieve_node
