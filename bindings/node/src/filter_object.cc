#include "filter_object.h"

#include <string>
#include <vector>

#include "library_error.h"
#include "utf16_text.h"

namespace chatsieve_node {
namespace {

constexpr size_t kMessageCapacity = 1024;

bool AllowedArgument(const Napi::CallbackInfo& info) {
  return info.Length() > 1 && info[1].ToBoolean().Value();
}

}  // namespace

Napi::Function FilterObject::Define(Napi::Env env) {
  return DefineClass(env, "NativeFilter",
                     {
                         InstanceMethod<&FilterObject::Load>("load"),
                         InstanceMethod<&FilterObject::LoadText>("loadText"),
                         InstanceMethod<&FilterObject::LoadBuiltin>("loadBuiltin"),
                         InstanceMethod<&FilterObject::SetMinSeverity>("setMinSeverity"),
                         InstanceMethod<&FilterObject::SetCategories>("setCategories"),
                         InstanceMethod<&FilterObject::Check>("check"),
                         InstanceMethod<&FilterObject::Find>("find"),
                         InstanceMethod<&FilterObject::Mask>("mask"),
                         InstanceMethod<&FilterObject::Word>("word"),
                         InstanceMethod<&FilterObject::WordCategory>("wordCategory"),
                         InstanceMethod<&FilterObject::WordCount>("wordCount"),
                     });
}

FilterObject::FilterObject(const Napi::CallbackInfo& info) : Napi::ObjectWrap<FilterObject>(info) {
  const uint32_t options = info[0].As<Napi::Number>().Uint32Value();
  filter_ = chatsieve_filter_new(options);
  if (filter_ == nullptr) {
    throw LibraryError(
        info.Env(), CHATSIEVE_E_ARGUMENT,
        "chatsieve: the library refused options 0x" + ToHex(options) + ": unknown option bits");
  }
}

FilterObject::~FilterObject() {
  chatsieve_filter_free(filter_);
}

Napi::Value FilterObject::Load(const Napi::CallbackInfo& info) {
  const std::string path = info[0].As<Napi::String>().Utf8Value();
  char message[kMessageCapacity];
  const int result =
      chatsieve_filter_load(filter_, path.c_str(), AllowedArgument(info), message, sizeof message);
  if (result < 0) throw LibraryError(info.Env(), result, message);
  return Napi::String::New(info.Env(), message);
}

Napi::Value FilterObject::LoadText(const Napi::CallbackInfo& info) {
  const std::string list = info[0].As<Napi::String>().Utf8Value();
  char message[kMessageCapacity];
  const int result = chatsieve_filter_load_text(filter_, list.data(), list.size(),
                                                AllowedArgument(info), message, sizeof message);
  if (result < 0) throw LibraryError(info.Env(), result, message);
  return Napi::String::New(info.Env(), message);
}

Napi::Value FilterObject::LoadBuiltin(const Napi::CallbackInfo& info) {
  const std::string name = info[0].As<Napi::String>().Utf8Value();
  char message[kMessageCapacity];
  const int result = chatsieve_filter_load_builtin(filter_, name.c_str(), message, sizeof message);
  if (result < 0) throw LibraryError(info.Env(), result, message);
  return Napi::String::New(info.Env(), message);
}

void FilterObject::SetMinSeverity(const Napi::CallbackInfo& info) {
  Checked(info.Env(),
          chatsieve_filter_set_min_severity(filter_, info[0].As<Napi::Number>().Int32Value()));
}

void FilterObject::SetCategories(const Napi::CallbackInfo& info) {
  const std::string names = info[0].As<Napi::String>().Utf8Value();
  Checked(info.Env(), chatsieve_filter_set_categories(filter_, names.c_str()));
}

Napi::Value FilterObject::Check(const Napi::CallbackInfo& info) {
  const Units text = ReadUnits(info[0], "text");
  const int result = Checked(info.Env(), chatsieve_check16(filter_, text.data, text.length));
  return Napi::Boolean::New(info.Env(), result == CHATSIEVE_FOUND);
}

Napi::Value FilterObject::Find(const Napi::CallbackInfo& info) {
  thread_local std::vector<chatsieve_match_details> matches(16);
  const Units text = ReadUnits(info[0], "text");
  size_t count = 0;
  int result = chatsieve_find_details16(filter_, text.data, text.length, matches.data(),
                                        matches.size(), &count);
  if (result == CHATSIEVE_E_SPACE) {
    result = chatsieve_find_details16(filter_, text.data, text.length, ScratchOf(matches, count),
                                      count, &count);
  }
  if (Checked(info.Env(), result) != CHATSIEVE_FOUND) return info.Env().Undefined();
  Napi::Uint32Array found = Napi::Uint32Array::New(info.Env(), 4 * count);
  for (size_t k = 0; k < count; ++k) {
    found[4 * k] = static_cast<uint32_t>(matches[k].match.begin);
    found[4 * k + 1] = static_cast<uint32_t>(matches[k].match.end);
    found[4 * k + 2] = matches[k].match.word;
    found[4 * k + 3] = static_cast<uint32_t>(matches[k].severity);
  }
  return found;
}

Napi::Value FilterObject::Mask(const Napi::CallbackInfo& info) {
  thread_local std::vector<uint16_t> masked;
  const Units text = ReadUnits(info[0], "text");
  const uint32_t mask = info[1].As<Napi::Number>().Uint32Value();
  // A mask of two units for a one-unit character is the most a result can grow.
  const size_t capacity = 2 * text.length;
  size_t length = 0;
  int result = chatsieve_mask16(filter_, text.data, text.length, mask, ScratchOf(masked, capacity),
                                capacity, &length);
  if (result == CHATSIEVE_E_SPACE) {
    result = chatsieve_mask16(filter_, text.data, text.length, mask, ScratchOf(masked, length),
                              length, &length);
  }
  if (Checked(info.Env(), result) != CHATSIEVE_FOUND) return info[0];
  return Napi::String::New(info.Env(), reinterpret_cast<const char16_t*>(masked.data()), length);
}

Napi::Value FilterObject::Word(const Napi::CallbackInfo& info) {
  size_t length = 0;
  const char* word = chatsieve_word(filter_, info[0].As<Napi::Number>().Uint32Value(), &length);
  if (word == nullptr) return info.Env().Undefined();
  return Napi::String::New(info.Env(), word, length);
}

Napi::Value FilterObject::WordCategory(const Napi::CallbackInfo& info) {
  const char* category = chatsieve_word_category(filter_, info[0].As<Napi::Number>().Uint32Value());
  if (category == nullptr) return info.Env().Undefined();
  return Napi::String::New(info.Env(), category);
}

Napi::Value FilterObject::WordCount(const Napi::CallbackInfo& info) {
  return Napi::Number::New(info.Env(), static_cast<double>(chatsieve_word_count(filter_)));
}

}  // namespace chatsieve_node
