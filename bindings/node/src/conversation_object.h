// The native Conversation: one speaker's chatsieve conversation with a native Filter,
// driven by index.js. It holds a reference to the Filter's object, so that the filter
// outlives it.
#pragma once

#include <chatsieve/filter.h>
#include <napi.h>

namespace chatsieve_node {

class ConversationObject : public Napi::ObjectWrap<ConversationObject> {
 public:
  static Napi::Function Define(Napi::Env env);

  // new Conversation(filter: NativeFilter, messages: number, characters: number,
  //                  windowMs: number), limits validated by index.js.
  explicit ConversationObject(const Napi::CallbackInfo& info);
  ~ConversationObject() override;

 private:
  // check(text, timeMs) -> boolean
  Napi::Value Check(const Napi::CallbackInfo& info);
  // find(text, timeMs) -> undefined when nothing is found, else a Uint32Array holding for
  // each match begin, end, word index, severity and its part count, then for each part
  // the message counted back, begin and end; positions in UTF-16 units.
  Napi::Value Find(const Napi::CallbackInfo& info);
  // mask(text, timeMs, mask: number) -> the text itself when nothing was masked, else a copy.
  Napi::Value Mask(const Napi::CallbackInfo& info);
  // repeats() and memory() -> numbers; forget().
  Napi::Value Repeats(const Napi::CallbackInfo& info);
  Napi::Value Memory(const Napi::CallbackInfo& info);
  void Forget(const Napi::CallbackInfo& info);

  Napi::ObjectReference filter_object_;
  chatsieve_conversation* conversation_ = nullptr;
};

}  // namespace chatsieve_node
