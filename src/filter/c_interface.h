// The handle behind the C interface, and the guard every C function runs its body in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string_view>
#include <type_traits>

#include "chatsieve/filter.h"
#include "filter/filter_state.h"
#include "filter/load_failure.h"

struct chatsieve_filter {
  chatsieve::FilterState state;
};

namespace chatsieve {

// Copies `text` into a caller's message buffer, cut to fit and terminated.
void WriteMessage(const char* text, char* message, size_t capacity);

// Runs `body`, turning every exception into a result code (and a message when the
// caller gave a buffer): nothing thrown may cross the interface.
template <typename Body>
int Guarded(Body body, char* message = nullptr, size_t message_capacity = 0) noexcept {
  try {
    return body();
  } catch (const LoadFailure& failure) {
    WriteMessage(failure.what(), message, message_capacity);
    return failure.Code();
  } catch (const std::bad_alloc&) {
    WriteMessage("out of memory", message, message_capacity);
    return CHATSIEVE_E_MEMORY;
  } catch (const std::length_error&) {
    WriteMessage("the word list is too large", message, message_capacity);
    return CHATSIEVE_E_FORMAT;
  } catch (...) {
    WriteMessage("unexpected failure", message, message_capacity);
    return CHATSIEVE_E_MEMORY;
  }
}

template <typename Encoding>
using Text = std::basic_string_view<typename Encoding::Unit>;

// Whether `text` and `length` can describe a buffer: lengths past what any object can
// hold are arguments out of range, whatever the pointer.
template <typename Encoding, typename Unit>
int ReadText(const Unit* text, size_t length, Text<Encoding>& out) {
  if (length > static_cast<size_t>(PTRDIFF_MAX) / sizeof(Unit)) return CHATSIEVE_E_ARGUMENT;
  if (text == nullptr && length > 0) return CHATSIEVE_E_NULL;
  out = length > 0 ? Text<Encoding>(reinterpret_cast<const typename Encoding::Unit*>(text), length)
                   : Text<Encoding>();
  return CHATSIEVE_OK;
}

// A caller's mask argument: a Unicode scalar value, with CHATSIEVE_MASK_KEEP_FIRST or not.
// False when the code point is none.
inline bool ReadMask(uint32_t mask, char32_t& code_point, MatchMaskStyle& style) {
  code_point = mask & ~uint32_t{CHATSIEVE_MASK_KEEP_FIRST};
  style =
      (mask & CHATSIEVE_MASK_KEEP_FIRST) != 0 ? MatchMaskStyle::kKeepFirst : MatchMaskStyle::kWhole;
  return code_point <= 0x10FFFF && (code_point < 0xD800 || code_point > 0xDFFF);
}

// An occurrence as the caller's array holds it, with its word's traits where it has room.
// Masks the text from unit `from` on into the caller's buffer: the code the C interface
// answers, with the length the whole masked text needs in `*out_length`.
template <typename Encoding, typename Unit>
int MaskInto(const ScreeningWords& words, Text<Encoding> text, char32_t mask, MatchMaskStyle style,
             Unit* out, size_t capacity, size_t* out_length, size_t from = 0) {
  BoundedOutput<typename Encoding::Unit> masked(reinterpret_cast<typename Encoding::Unit*>(out),
                                                capacity);
  const bool any = MaskWords<Encoding>(words, text, mask, style, masked, from);
  *out_length = masked.Length();
  if (!masked.Fits()) return CHATSIEVE_E_SPACE;
  return any ? CHATSIEVE_FOUND : CHATSIEVE_OK;
}

template <typename Record>
Record MatchOf(const Occurrence& found, const WordList& words) {
  const chatsieve_match match{found.begin, found.end, found.word};
  if constexpr (std::is_same_v<Record, chatsieve_match>) {
    return match;
  } else {
    const WordTraits& traits = words.Traits(found.word);
    return {match, traits.severity, words.CategoryName(traits.category).c_str()};
  }
}

}  // namespace chatsieve
