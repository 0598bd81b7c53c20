#include "legacy/level_masking.h"

#include <algorithm>
#include <string>
#include <utility>

#include "legacy/masking_passes.h"
#include "text/work_buffer.h"

namespace chatsieve {
namespace {

constexpr int32_t kAsWritten = 1;
constexpr int32_t kAlsoStripped = 2;

// Room for the intermediate text of a chat-sized call without a heap allocation.
constexpr size_t kInlineCapacity = 1024;

int32_t BothPasses(const LegacyKeys& keys, const char* text, char* intermediate, char* destination,
                   int32_t capacity, char mask) {
  return MaskWordsBothWays(keys, text, intermediate, destination, capacity, mask);
}

// The capacity the first wide pass is given. It zeroes its destination up to the
// capacity, but the second pass reads the intermediate text only up to its terminator:
// bounding it by what the text needs changes nothing else and spares zeroing a large
// buffer.
uint32_t FirstPassCapacity(const char16_t* text, uint32_t capacity) {
  if (text == nullptr) return capacity;
  const size_t needed = std::char_traits<char16_t>::length(text) + 1;
  return needed < capacity ? static_cast<uint32_t>(needed) : capacity;
}

int32_t BothPasses(const LegacyKeys& keys, const char16_t* text, char16_t* intermediate,
                   char16_t* destination, uint32_t capacity, char16_t mask) {
  const int32_t as_written = MaskWords(keys, text, intermediate, FirstPassCapacity(text, capacity),
                                       mask, MaskedUnits::kAll);
  return as_written |
         MaskWords(keys, intermediate, destination, capacity, mask, MaskedUnits::kKeptOnly);
}

template <typename Char, typename Capacity>
int32_t Mask(const LegacyKeys& keys, int32_t level, const Char* text, Char* destination,
             Capacity capacity, Char mask) {
  if (level == kAsWritten)
    return MaskWords(keys, text, destination, capacity, mask, MaskedUnits::kAll);
  // A negative capacity has no buffer to match it.
  if (level != kAlsoStripped || std::cmp_less(capacity, 0)) return 0;
  WorkBuffer<Char, kInlineCapacity> intermediate;
  // A capacity whose size in bytes cannot be represented fails here as well.
  if (!intermediate.Reserve(static_cast<size_t>(capacity))) return 0;
  return BothPasses(keys, text, intermediate.Data(), destination, capacity, mask);
}

}  // namespace

int32_t MaskAtLevel(const LegacyKeys& keys, int32_t level, const char* text, char* destination,
                    int32_t capacity, char mask) {
  return Mask(keys, level, text, destination, capacity, mask);
}

int32_t MaskAtLevel(const LegacyKeys& keys, int32_t level, const char16_t* text,
                    char16_t* destination, uint32_t capacity, char16_t mask) {
  return Mask(keys, level, text, destination, capacity, mask);
}

}  // namespace chatsieve
