#include "text/cp949.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <string>

#include "text/cp949_table.h"

namespace chatsieve::platform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr unsigned char kUnmappable = '?';
constexpr size_t kMaxResult = static_cast<size_t>(std::numeric_limits<int32_t>::max());

// Whether eight bytes are all ASCII, read in one go so ASCII runs cost one test per word.
inline bool EightAscii(const unsigned char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return (word & 0x8080808080808080u) == 0;
}

// Converts n bytes (kWrite) or only counts the units they give (!kWrite). Writing
// assumes the destination holds the count, which never exceeds n.
template <bool kWrite>
size_t DecodeRange(const unsigned char* source, size_t n, char16_t* destination) {
  size_t in = 0;
  size_t out = 0;
  while (in < n) {
    const unsigned lead = source[in];
    char16_t unit;
    if (lead < 0x80) {
      if (n - in >= 8 && EightAscii(source + in)) {
        if constexpr (kWrite) {
          for (size_t k = 0; k < 8; ++k)
            destination[out + k] = source[in + k];
        }
        in += 8;
        out += 8;
        continue;
      }
      unit = static_cast<char16_t>(lead);
      in += 1;
    } else if (lead == 0x80 || lead == 0xFF || n - in == 1) {
      unit = kReplacement;
      in += 1;
    } else {
      const unsigned trail = source[in + 1];
      unit = 0;
      if (trail >= cp949_table::kFirstTrail && trail <= cp949_table::kLastTrail) {
        unit = cp949_table::kDecode[(lead - cp949_table::kFirstLead) * cp949_table::kTrailCount +
                                    (trail - cp949_table::kFirstTrail)];
      }
      if (unit != 0) {
        in += 2;
      } else {
        // An ASCII trail is left to be read again as itself, so a broken lead never
        // hides a letter or the terminator behind it.
        unit = kReplacement;
        in += trail < 0x80 ? 1 : 2;
      }
    }
    if constexpr (kWrite) destination[out] = unit;
    ++out;
  }
  return out;
}

// Converts n units (kWrite) or only counts the bytes they give (!kWrite).
template <bool kWrite>
size_t EncodeRange(const char16_t* source, size_t n, unsigned char* destination) {
  size_t out = 0;
  for (size_t in = 0; in < n; ++in) {
    const char16_t unit = source[in];
    if (unit < 0x80) {
      if constexpr (kWrite) destination[out] = static_cast<unsigned char>(unit);
      ++out;
      continue;
    }
    const uint16_t pair = Cp949DoubleByteOf(unit);
    if (pair == 0) {
      if constexpr (kWrite) destination[out] = kUnmappable;
      ++out;
    } else {
      if constexpr (kWrite) {
        destination[out] = static_cast<unsigned char>(pair >> 8);
        destination[out + 1] = static_cast<unsigned char>(pair & 0xFF);
      }
      out += 2;
    }
  }
  return out;
}

// Resolves the shared calling shape: the number of source elements to convert, or 0
// when the arguments are invalid. With -1 the terminator is converted too.
template <typename Char>
size_t SourceCount(const Char* source, int32_t source_length) {
  if (source == nullptr || source_length == 0 || source_length < -1) return 0;
  if (source_length == -1) return std::char_traits<Char>::length(source) + 1;
  return static_cast<size_t>(source_length);
}

// The worst-case output is max_per_element * n. A destination that holds that much is
// written in one pass; a smaller one is measured first so nothing lands past it.
template <typename Source, typename Dest, size_t (*Count)(const Source*, size_t, Dest*),
          size_t (*Write)(const Source*, size_t, Dest*)>
int32_t Convert(const Source* source, size_t n, size_t max_per_element, Dest* destination,
                int32_t capacity) {
  if (n == 0 || n > std::numeric_limits<size_t>::max() / max_per_element) return 0;
  if (destination == nullptr || capacity == 0) {
    const size_t needed = Count(source, n, nullptr);
    return needed <= kMaxResult ? static_cast<int32_t>(needed) : 0;
  }
  if (capacity < 0) return 0;
  const auto room = static_cast<size_t>(capacity);
  if (room / max_per_element < n && Count(source, n, nullptr) > room) return 0;
  // What was written fits in the capacity, so it fits in the result.
  return static_cast<int32_t>(Write(source, n, destination));
}

}  // namespace

int32_t DecodeCp949(const char* source, int32_t source_length, char16_t* destination,
                    int32_t capacity) {
  const size_t n = SourceCount(source, source_length);
  return Convert<unsigned char, char16_t, DecodeRange<false>, DecodeRange<true>>(
      reinterpret_cast<const unsigned char*>(source), n, 1, destination, capacity);
}

int32_t EncodeCp949(const char16_t* source, int32_t source_length, char* destination,
                    int32_t capacity) {
  const size_t n = SourceCount(source, source_length);
  return Convert<char16_t, unsigned char, EncodeRange<false>, EncodeRange<true>>(
      source, n, 2, reinterpret_cast<unsigned char*>(destination), capacity);
}

uint16_t Cp949DoubleByteOf(char16_t unit) {
  return cp949_table::kEncodePages[cp949_table::kEncodePageIndex[unit >> 8]][unit & 0xFF];
}

}  // namespace chatsieve::platform
