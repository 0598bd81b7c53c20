#include "conversation_object.h"

#include <cstdint>
#include <vector>

#include "filter_object.h"
#include "library_error.h"
#include "utf16_text.h"

namespace chatsieve_node {
namespace {

constexpr size_t kMatchFields = 5;
constexpr size_t kPartFields = 3;

int64_t TimeArgument(const Napi::CallbackInfo& info) {
  return info[1].As<Napi::Number>().Int64Value();
}

// The number of Uint32Array elements `matches` take.
size_t FieldsOf(const std::vector<chatsieve_conversation_match>& matches, size_t count) {
  size_t fields = 0;
  for (size_t k = 0; k < count; ++k)
    fields += kMatchFields + kPartFields * matches[k].part_count;
  return fields;
}

}  // namespace

Napi::Function ConversationObject::Define(Napi::Env env) {
  return DefineClass(env, "NativeConversation",
                     {
                         InstanceMethod<&ConversationObject::Check>("check"),
                         InstanceMethod<&ConversationObject::Find>("find"),
                         InstanceMethod<&ConversationObject::Mask>("mask"),
                         InstanceMethod<&ConversationObject::Repeats>("repeats"),
                         InstanceMethod<&ConversationObject::Memory>("memory"),
                         InstanceMethod<&ConversationObject::Forget>("forget"),
                     });
}

ConversationObject::ConversationObject(const Napi::CallbackInfo& info)
    : Napi::ObjectWrap<ConversationObject>(info) {
  const Napi::Object filter_object = info[0].As<Napi::Object>();
  const FilterObject* filter = FilterObject::Unwrap(filter_object);
  chatsieve_conversation_options options{sizeof options, info[1].As<Napi::Number>().Uint32Value(),
                                         info[2].As<Napi::Number>().Uint32Value(),
                                         info[3].As<Napi::Number>().Int64Value()};
  conversation_ = chatsieve_conversation_new(filter->Handle(), &options);
  if (conversation_ == nullptr) {
    throw LibraryError(info.Env(), CHATSIEVE_E_ARGUMENT,
                       "chatsieve: conversation limits out of range or no memory");
  }
  filter_object_ = Napi::Persistent(filter_object);
}

ConversationObject::~ConversationObject() {
  // Before the reference to the filter goes, as the library asks.
  chatsieve_conversation_free(conversation_);
}

Napi::Value ConversationObject::Check(const Napi::CallbackInfo& info) {
  const Units text = ReadUnits(info[0], "text");
  const int result =
      chatsieve_conversation_check16(conversation_, text.data, text.length, TimeArgument(info));
  return Napi::Boolean::New(info.Env(), Checked(info.Env(), result) == CHATSIEVE_FOUND);
}

Napi::Value ConversationObject::Find(const Napi::CallbackInfo& info) {
  thread_local std::vector<chatsieve_conversation_match> matches(4);
  const Units text = ReadUnits(info[0], "text");
  const int64_t time_ms = TimeArgument(info);
  size_t count = 0;
  int result = chatsieve_conversation_find16(conversation_, text.data, text.length, time_ms,
                                             matches.data(), matches.size(), &count);
  if (result == CHATSIEVE_E_SPACE) {
    // A failed call remembers nothing, so it is made again with room for all.
    result = chatsieve_conversation_find16(conversation_, text.data, text.length, time_ms,
                                           ScratchOf(matches, count), count, &count);
  }
  if (Checked(info.Env(), result) != CHATSIEVE_FOUND) return info.Env().Undefined();
  Napi::Uint32Array found = Napi::Uint32Array::New(info.Env(), FieldsOf(matches, count));
  size_t at = 0;
  for (size_t k = 0; k < count; ++k) {
    const chatsieve_conversation_match& match = matches[k];
    found[at++] = static_cast<uint32_t>(match.details.match.begin);
    found[at++] = static_cast<uint32_t>(match.details.match.end);
    found[at++] = match.details.match.word;
    found[at++] = static_cast<uint32_t>(match.details.severity);
    found[at++] = static_cast<uint32_t>(match.part_count);
    for (size_t p = 0; p < match.part_count; ++p) {
      found[at++] = static_cast<uint32_t>(match.parts[p].message);
      found[at++] = static_cast<uint32_t>(match.parts[p].begin);
      found[at++] = static_cast<uint32_t>(match.parts[p].end);
    }
  }
  return found;
}

Napi::Value ConversationObject::Mask(const Napi::CallbackInfo& info) {
  thread_local std::vector<uint16_t> masked;
  const Units text = ReadUnits(info[0], "text");
  const int64_t time_ms = TimeArgument(info);
  const uint32_t mask = info[2].As<Napi::Number>().Uint32Value();
  // A mask of two units for a one-unit character is the most a result can grow.
  const size_t capacity = 2 * text.length;
  size_t length = 0;
  const int result =
      chatsieve_conversation_mask16(conversation_, text.data, text.length, time_ms, mask,
                                    ScratchOf(masked, capacity), capacity, &length);
  if (Checked(info.Env(), result) != CHATSIEVE_FOUND) return info[0];
  return Napi::String::New(info.Env(), reinterpret_cast<const char16_t*>(masked.data()), length);
}

Napi::Value ConversationObject::Repeats(const Napi::CallbackInfo& info) {
  return Napi::Number::New(info.Env(),
                           static_cast<double>(chatsieve_conversation_repeats(conversation_)));
}

Napi::Value ConversationObject::Memory(const Napi::CallbackInfo& info) {
  return Napi::Number::New(info.Env(),
                           static_cast<double>(chatsieve_conversation_memory(conversation_)));
}

void ConversationObject::Forget(const Napi::CallbackInfo&) {
  chatsieve_conversation_forget(conversation_);
}

}  // namespace chatsieve_node
