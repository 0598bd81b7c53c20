#include "legacy/detect_by_level.h"

#include "legacy/detection.h"

namespace chatsieve {
namespace {

template <typename Char>
int32_t Detect(const WordIndex& index, int32_t level, const Char* text) {
  switch (level) {
    case 1:
      return HoldsListedWord(index, text, Scan::kAsWritten);
    case 2:
      return HoldsListedWord(index, text, Scan::kEitherWay);
    default:
      return 0;
  }
}

}  // namespace

int32_t DetectAtLevel(const WordIndex& index, int32_t level, const char* text) {
  return Detect(index, level, text);
}

int32_t DetectAtLevel(const WordIndex& index, int32_t level, const char16_t* text) {
  return Detect(index, level, text);
}

}  // namespace chatsieve
