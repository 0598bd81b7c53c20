// The module: the native Filter and Conversation classes and the option bits of chatsieve/filter.h.
#include <chatsieve/filter.h>
#include <napi.h>

#include "conversation_object.h"
#include "filter_object.h"

namespace chatsieve_node {
namespace {

Napi::Object OptionBits(Napi::Env env) {
  Napi::Object options = Napi::Object::New(env);
  const auto set = [&](const char* name, uint32_t bit) {
    options.Set(name, Napi::Number::New(env, bit));
  };
  set("SEPARATORS", CHATSIEVE_SEPARATORS);
  set("WIDTH", CHATSIEVE_WIDTH);
  set("INVISIBLE", CHATSIEVE_INVISIBLE);
  set("JAMO", CHATSIEVE_JAMO);
  set("INITIALS", CHATSIEVE_INITIALS);
  set("KEYBOARD", CHATSIEVE_KEYBOARD);
  set("DIGITS", CHATSIEVE_DIGITS);
  set("REPEATS", CHATSIEVE_REPEATS);
  set("SPACES", CHATSIEVE_SPACES);
  set("LOOKALIKE", CHATSIEVE_LOOKALIKE);
  set("KOREAN", CHATSIEVE_KOREAN);
  set("RECOMMENDED", CHATSIEVE_RECOMMENDED);
  return options;
}

}  // namespace
}  // namespace chatsieve_node

static Napi::Object Init(Napi::Env env, Napi::Object exports) {
  exports.Set("NativeFilter", chatsieve_node::FilterObject::Define(env));
  exports.Set("NativeConversation", chatsieve_node::ConversationObject::Define(env));
  exports.Set("options", chatsieve_node::OptionBits(env));
  exports.Set("MASK_KEEP_FIRST", Napi::Number::New(env, CHATSIEVE_MASK_KEEP_FIRST));
  return exports;
}

NODE_API_MODULE(chatsieve, Init)
