#include "matching/detect_by_level.h"

namespace chatsieve {
namespace {

template <typename Char>
using Detection = int32_t (BadChatMan::*)(const Char*) const;

template <typename Char>
int32_t Detect(const BadChatMan& filter, int32_t level, const Char* text,
               Detection<Char> as_written, Detection<Char> stripped_then_as_written) {
  switch (level) {
    case 1:
      return (filter.*as_written)(text);
    case 2:
      return (filter.*stripped_then_as_written)(text);
    default:
      return 0;
  }
}

}  // namespace

int32_t DetectAtLevel(const BadChatMan& filter, int32_t level, const char* text) {
  return Detect<char>(filter, level, text, &BadChatMan::FindBadWord,
                      &BadChatMan::FindBadWordEitherWay);
}

int32_t DetectAtLevel(const BadChatMan& filter, int32_t level, const char16_t* text) {
  return Detect<char16_t>(filter, level, text, &BadChatMan::FindBadWordW,
                          &BadChatMan::FindBadWordEitherWayW);
}

}  // namespace chatsieve
