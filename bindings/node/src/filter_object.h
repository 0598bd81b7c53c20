// The native Filter: one chatsieve filter, driven by index.js.
#pragma once

#include <chatsieve/filter.h>
#include <napi.h>

namespace chatsieve_node {

class FilterObject : public Napi::ObjectWrap<FilterObject> {
 public:
  static Napi::Function Define(Napi::Env env);

  // new Filter(options: number)
  explicit FilterObject(const Napi::CallbackInfo& info);
  ~FilterObject() override;

  const chatsieve_filter* Handle() const { return filter_; }

 private:
  // load(path: string, allowed: boolean) and loadText(list: string, allowed: boolean)
  // -> the library's note on entries left out or merged, "" for none.
  Napi::Value Load(const Napi::CallbackInfo& info);
  Napi::Value LoadText(const Napi::CallbackInfo& info);
  // loadBuiltin(name: string) -> the note, as load; replaces both lists at once.
  Napi::Value LoadBuiltin(const Napi::CallbackInfo& info);
  // setMinSeverity(severity: number) and setCategories(names: string, comma-separated).
  void SetMinSeverity(const Napi::CallbackInfo& info);
  void SetCategories(const Napi::CallbackInfo& info);
  // check(text) -> boolean
  Napi::Value Check(const Napi::CallbackInfo& info);
  // find(text) -> undefined when nothing is found, else a Uint32Array of
  // (begin, end, word index, severity) quadruples, positions in UTF-16 units.
  Napi::Value Find(const Napi::CallbackInfo& info);
  // mask(text, mask: number) -> the text itself when nothing was masked, else a copy.
  Napi::Value Mask(const Napi::CallbackInfo& info);
  // word(index) -> the listed word with that index.
  Napi::Value Word(const Napi::CallbackInfo& info);
  // wordCategory(index) -> the category of the listed word with that index, "" for none.
  Napi::Value WordCategory(const Napi::CallbackInfo& info);
  // wordCount() -> the number of forbidden words in force.
  Napi::Value WordCount(const Napi::CallbackInfo& info);

  chatsieve_filter* filter_ = nullptr;
};

}  // namespace chatsieve_node
