// How a filter reads words and text beyond the characters as written. The values are
// those of the public CHATSIEVE_ option bits.
#pragma once

#include <cstdint>

namespace chatsieve {

enum class MatchOption : uint32_t {
  kSeparators = 0x1,
  kWidth = 0x2,
  kInvisible = 0x4,
  kJamo = 0x8,
  kInitials = 0x10,
  kKeyboard = 0x20,
  kDigits = 0x40,
  kRepeats = 0x80,
  kSpaces = 0x100,
  kLookalike = 0x200,
};

class MatchOptions {
 public:
  static constexpr uint32_t kKnownBits = 0x3FF;

  constexpr MatchOptions() = default;
  // Bits outside kKnownBits are the caller's to refuse before this.
  static constexpr MatchOptions FromBits(uint32_t bits) {
    MatchOptions options;
    options.bits_ = bits & kKnownBits;
    return options;
  }
  constexpr bool Has(MatchOption option) const {
    return (bits_ & static_cast<uint32_t>(option)) != 0;
  }
  // True when the text is matched exactly as written, with no character rewritten.
  constexpr bool AsWritten() const { return bits_ == 0; }
  constexpr uint32_t Bits() const { return bits_; }

 private:
  uint32_t bits_ = 0;
};

}  // namespace chatsieve
