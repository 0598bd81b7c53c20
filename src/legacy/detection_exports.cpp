#include "chatsieve/chatsieve.h"
#include "legacy/library_state.h"

namespace {

template <typename Char>
int32_t DetectAtFilterLevel(const Char* text) {
  try {
    return chatsieve::DetectAtLevel(chatsieve::legacy::FilterObject().Keys(),
                                    chatsieve::legacy::filter_level.load(std::memory_order_relaxed),
                                    text);
  } catch (...) {
    return 0;
  }
}

}  // namespace

extern "C" int32_t IsBad(const char* text) {
  return DetectAtFilterLevel(text);
}

extern "C" int32_t IsBadW(const char16_t* text) {
  return DetectAtFilterLevel(text);
}
