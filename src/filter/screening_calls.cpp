// Checking, finding and masking through the C interface, in UTF-8 and UTF-16.
#include <algorithm>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/screening.h"
#include "filter/c_interface.h"
#include "text/unicode_text.h"

namespace chatsieve {
namespace {

// What a thread keeps of the matches it found for the caller: enough for chat, and a
// large call's peak is given back.
constexpr size_t kKeptMatches = 1024;

template <typename Encoding, typename Unit>
int Check(const chatsieve_filter* filter, const Unit* text, size_t length) {
  if (filter == nullptr) return CHATSIEVE_E_NULL;
  Text<Encoding> view;
  if (const int problem = ReadText<Encoding>(text, length, view)) return problem;
  return Guarded([&] {
    const FilterState::Reading snapshot(filter->state);
    return HoldsWord<Encoding>(snapshot->Words(filter->state.MatchingOptions()), view)
               ? CHATSIEVE_FOUND
               : CHATSIEVE_OK;
  });
}

template <typename Encoding, typename Unit, typename Record>
int Find(const chatsieve_filter* filter, const Unit* text, size_t length, Record* matches,
         size_t capacity, size_t* count) {
  if (filter == nullptr || count == nullptr || (matches == nullptr && capacity > 0))
    return CHATSIEVE_E_NULL;
  Text<Encoding> view;
  if (const int problem = ReadText<Encoding>(text, length, view)) return problem;
  return Guarded([&] {
    thread_local std::vector<Occurrence> found;
    size_t written = 0;
    {
      const FilterState::Reading snapshot(filter->state);
      FindWords<Encoding>(snapshot->Words(filter->state.MatchingOptions()), view, found);
      written = std::min(capacity, found.size());
      for (size_t k = 0; k < written; ++k)
        matches[k] = MatchOf<Record>(found[k], snapshot->forbidden->words);
    }
    *count = found.size();
    const bool any = !found.empty();
    if (found.capacity() > kKeptMatches) std::vector<Occurrence>().swap(found);
    if (written < *count) return CHATSIEVE_E_SPACE;
    return any ? CHATSIEVE_FOUND : CHATSIEVE_OK;
  });
}

template <typename Encoding, typename Unit>
int Mask(const chatsieve_filter* filter, const Unit* text, size_t length, uint32_t mask, Unit* out,
         size_t capacity, size_t* out_length) {
  if (filter == nullptr || out_length == nullptr || (out == nullptr && capacity > 0))
    return CHATSIEVE_E_NULL;
  Text<Encoding> view;
  if (const int problem = ReadText<Encoding>(text, length, view)) return problem;
  char32_t code_point = 0;
  MatchMaskStyle style = MatchMaskStyle::kWhole;
  if (!ReadMask(mask, code_point, style)) return CHATSIEVE_E_ARGUMENT;
  return Guarded([&] {
    const FilterState::Reading snapshot(filter->state);
    return MaskInto<Encoding>(snapshot->Words(filter->state.MatchingOptions()), view, code_point,
                              style, out, capacity, out_length);
  });
}

}  // namespace
}  // namespace chatsieve

using chatsieve::Utf16;
using chatsieve::Utf8;

extern "C" {

int chatsieve_check(const chatsieve_filter* filter, const char* text, size_t length) {
  return chatsieve::Check<Utf8>(filter, text, length);
}

int chatsieve_check16(const chatsieve_filter* filter, const uint16_t* text, size_t length) {
  return chatsieve::Check<Utf16>(filter, text, length);
}

int chatsieve_find(const chatsieve_filter* filter, const char* text, size_t length,
                   chatsieve_match* matches, size_t capacity, size_t* count) {
  return chatsieve::Find<Utf8>(filter, text, length, matches, capacity, count);
}

int chatsieve_find16(const chatsieve_filter* filter, const uint16_t* text, size_t length,
                     chatsieve_match* matches, size_t capacity, size_t* count) {
  return chatsieve::Find<Utf16>(filter, text, length, matches, capacity, count);
}

int chatsieve_find_details(const chatsieve_filter* filter, const char* text, size_t length,
                           chatsieve_match_details* matches, size_t capacity, size_t* count) {
  return chatsieve::Find<Utf8>(filter, text, length, matches, capacity, count);
}

int chatsieve_find_details16(const chatsieve_filter* filter, const uint16_t* text, size_t length,
                             chatsieve_match_details* matches, size_t capacity, size_t* count) {
  return chatsieve::Find<Utf16>(filter, text, length, matches, capacity, count);
}

int chatsieve_mask(const chatsieve_filter* filter, const char* text, size_t length, uint32_t mask,
                   char* out, size_t capacity, size_t* out_length) {
  return chatsieve::Mask<Utf8>(filter, text, length, mask, out, capacity, out_length);
}

int chatsieve_mask16(const chatsieve_filter* filter, const uint16_t* text, size_t length,
                     uint32_t mask, uint16_t* out, size_t capacity, size_t* out_length) {
  return chatsieve::Mask<Utf16>(filter, text, length, mask, out, capacity, out_length);
}

}  // extern "C"
