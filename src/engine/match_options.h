// How a filter reads words and text beyond the characters as written.
//
// The table below is the one list of the filter's options: each option's name as operators
// and the bindings give it, its enumerator here and in the public chatsieve::Option, and its
// bit in chatsieve/filter.h. MatchOption, the known bits and the option names are made from
// it; every other list of the options (filter.hpp, the bindings, the manual page, the README)
// is checked against it by tests/filter/option_lists_test.cpp.
#pragma once

#include <bit>
#include <cstdint>

#include "chatsieve/filter.h"

// X(name, enumerator, bit) for every option, one bit each.
#define MATCH_OPTION_TABLE(X)                      \
  X(separators, kSeparators, CHATSIEVE_SEPARATORS) \
  X(width, kWidth, CHATSIEVE_WIDTH)                \
  X(invisible, kInvisible, CHATSIEVE_INVISIBLE)    \
  X(jamo, kJamo, CHATSIEVE_JAMO)                   \
  X(initials, kInitials, CHATSIEVE_INITIALS)       \
  X(keyboard, kKeyboard, CHATSIEVE_KEYBOARD)       \
  X(digits, kDigits, CHATSIEVE_DIGITS)             \
  X(repeats, kRepeats, CHATSIEVE_REPEATS)          \
  X(spaces, kSpaces, CHATSIEVE_SPACES)             \
  X(lookalike, kLookalike, CHATSIEVE_LOOKALIKE)

// X(name, enumerator, bits) for every named set of the options above.
#define MATCH_OPTION_SET_TABLE(X)      \
  X(korean, kKorean, CHATSIEVE_KOREAN) \
  X(recommended, kRecommended, CHATSIEVE_RECOMMENDED)

namespace chatsieve {

// One option: always a single bit, so that testing for it means one thing.
enum class MatchOption : uint32_t {
#define MATCH_OPTION_ENUMERATOR(name, enumerator, bit) enumerator = (bit),
  MATCH_OPTION_TABLE(MATCH_OPTION_ENUMERATOR)
#undef MATCH_OPTION_ENUMERATOR
};

namespace match_option_table {

constexpr uint32_t kBits[] = {
#define MATCH_OPTION_BIT(name, enumerator, bit) (bit),
    MATCH_OPTION_TABLE(MATCH_OPTION_BIT)
#undef MATCH_OPTION_BIT
};

constexpr bool EachIsItsOwnBit() {
  uint32_t seen = 0;
  for (const uint32_t bit : kBits) {
    if (!std::has_single_bit(bit) || (seen & bit) != 0) return false;
    seen |= bit;
  }
  return true;
}
static_assert(EachIsItsOwnBit(), "every option is one bit of its own");

constexpr uint32_t Known() {
  uint32_t known = 0;
  for (const uint32_t bit : kBits)
    known |= bit;
  return known;
}

}  // namespace match_option_table

class MatchOptions {
 public:
  static constexpr uint32_t kKnownBits = match_option_table::Known();

  constexpr MatchOptions() = default;
  // Bits outside kKnownBits are the caller's to refuse before this.
  static constexpr MatchOptions FromBits(uint32_t bits) {
    MatchOptions options;
    options.bits_ = bits & kKnownBits;
    return options;
  }
  // True when the one option is set.
  constexpr bool Has(MatchOption option) const {
    return (bits_ & static_cast<uint32_t>(option)) != 0;
  }
  // True when the text is matched exactly as written, with no character rewritten.
  constexpr bool AsWritten() const { return bits_ == 0; }
  constexpr uint32_t Bits() const { return bits_; }

 private:
  uint32_t bits_ = 0;
};

#define MATCH_OPTION_SET_IS_KNOWN(name, enumerator, bits)                 \
  static_assert(((bits) & ~MatchOptions::kKnownBits) == 0 && (bits) != 0, \
                #name " is a set of known options");
MATCH_OPTION_SET_TABLE(MATCH_OPTION_SET_IS_KNOWN)
#undef MATCH_OPTION_SET_IS_KNOWN

}  // namespace chatsieve
