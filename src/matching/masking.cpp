// The masking passes: a working copy of the caller's text, a chain of the units that
// take part, the masking core, and the working copy written to the destination.
// The source is read in full before the destination is first written, so a caller
// may hand the same buffer as both.
#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "dictionary/bad_chat_man.h"
#include "matching/char_chain.h"
#include "matching/mask_chain.h"
#include "matching/text_preparation.h"
#include "platform/cp949.h"

namespace chatsieve {
namespace {

// Chain positions are 32-bit.
constexpr size_t kMaxLength = std::numeric_limits<int32_t>::max();

// 1 when the pass masked a word; -1 when the chain could not be made. Every unit takes
// part, or (`keep_all` zero) only kept characters, and of those a space only where the
// unit chained before it is not a space too.
int32_t MaskWorkingCopy(const BadWordMap& map, char16_t* text, int32_t length, char16_t mask,
                        int32_t keep_all) {
  CharChain chain;
  const bool built =
      keep_all != 0 ? chain.Build(text, length, [](int32_t, char16_t, char16_t) { return true; })
                    : chain.Build(text, length, [](int32_t, char16_t unit, char16_t last_taken) {
                        return IsKeptChar(unit) && !(unit == u' ' && last_taken == u' ');
                      });
  if (!built) return -1;
  return MaskChain(chain, map, mask, WordEnd::kAtZeroUnit) > 0 ? 1 : 0;
}

// The source decoded into `working` when it is not empty and, with its terminator,
// fits in `size` bytes: its length in units, else 0. n bytes never decode to more
// than n units.
int32_t NarrowWorkingCopy(const char* source, int32_t size, WideWork& working) {
  if (source == nullptr || size < 0) return 0;
  const size_t bytes = std::strlen(source) + 1;
  if (bytes == 1 || bytes > static_cast<size_t>(size) || !working.Reserve(bytes)) return 0;
  const auto count = static_cast<int32_t>(bytes);
  return platform::DecodeCp949(source, count, working.Data(), count) - 1;
}

// The source copied into `working` when it is not empty and, with its terminator, fits
// in `size` units: its length, else 0.
int32_t WideWorkingCopy(const char16_t* source, uint32_t size, WideWork& working) {
  if (source == nullptr) return 0;
  const size_t length = std::char_traits<char16_t>::length(source);
  if (length == 0 || length >= size || length >= kMaxLength || !working.Reserve(length + 1)) {
    return 0;
  }
  std::copy_n(source, length + 1, working.Data());
  return static_cast<int32_t>(length);
}

// A byte of 0x80 and up becomes U+FF80..U+FFFF, as a signed char widens.
char16_t WidenedMask(char mask) {
  const auto byte = static_cast<unsigned char>(mask);
  return static_cast<char16_t>(byte < 0x80 ? byte : 0xFF00 | byte);
}

// Ends a narrow pass: the working copy re-encoded into the destination, or an empty text
// when the pass failed (`masked` < 0) or the re-encoded text does not fit. Returns the
// pass's result.
int32_t WriteNarrow(const char16_t* working, int32_t length, char16_t unit_mask, int32_t masked,
                    char* destination, int32_t size) {
  // A zero mask may have ended the text early; otherwise its length is known.
  const int32_t units = unit_mask != 0 ? length + 1 : -1;
  if (masked < 0 || platform::EncodeCp949(working, units, destination, size) == 0) {
    destination[0] = 0;
  }
  return std::max(masked, 0);
}

// True when every unit of the text has a code page 949 form, so that encoding it and
// decoding the bytes gives back exactly these units, and those bytes and a terminator
// fit in `size`.
bool SurvivesCp949(const char16_t* text, int32_t length, int32_t size) {
  int64_t bytes = 1;
  for (int32_t i = 0; i < length; ++i) {
    if (text[i] < 0x80) {
      ++bytes;
    } else if (platform::Cp949DoubleByteOf(text[i]) != 0) {
      bytes += 2;
    } else {
      return false;
    }
  }
  return bytes <= size;
}

}  // namespace

int32_t BadChatMan::ReplaceBadWords(const char* source, char* destination, int32_t size, char mask,
                                    int32_t keep_all) const {
  if (destination == nullptr || size == 0) return 0;
  WideWork working;
  const int32_t length = NarrowWorkingCopy(source, size, working);
  const char16_t unit_mask = WidenedMask(mask);
  const int32_t masked =
      length > 0 ? MaskWorkingCopy(word_map_, working.Data(), length, unit_mask, keep_all) : -1;
  return WriteNarrow(working.Data(), length, unit_mask, masked, destination, size);
}

int32_t BadChatMan::ReplaceBadWordsBothWays(const char* source, char* intermediate,
                                            char* destination, int32_t size, char mask) const {
  const auto literally = [&] {
    return ReplaceBadWords(source, intermediate, size, mask, 1) |
           ReplaceBadWords(intermediate, destination, size, mask, 0);
  };
  if (destination == nullptr || size <= 0) return literally();
  WideWork working;
  const int32_t length = NarrowWorkingCopy(source, size, working);
  if (length <= 0) return literally();
  const char16_t unit_mask = WidenedMask(mask);
  const int32_t as_written = MaskWorkingCopy(word_map_, working.Data(), length, unit_mask, 1);
  char16_t* text = working.Data();
  const auto text_length =
      static_cast<int32_t>(unit_mask != 0 ? length : std::char_traits<char16_t>::length(text));
  if (as_written < 0 || !SurvivesCp949(text, text_length, size)) {
    return WriteNarrow(text, length, unit_mask, as_written, intermediate, size) |
           ReplaceBadWords(intermediate, destination, size, mask, 0);
  }
  // The second pass would decode these very units from the intermediate bytes.
  const int32_t stripped =
      text_length > 0 ? MaskWorkingCopy(word_map_, text, text_length, unit_mask, 0) : -1;
  return as_written | WriteNarrow(text, text_length, unit_mask, stripped, destination, size);
}

int32_t BadChatMan::ReplaceBadWordsW(const char16_t* source, char16_t* destination, uint32_t size,
                                     char16_t mask, int32_t keep_all) const {
  if (destination == nullptr || size == 0) return 0;
  WideWork working;
  const int32_t length = WideWorkingCopy(source, size, working);
  const int32_t masked =
      length > 0 ? MaskWorkingCopy(word_map_, working.Data(), length, mask, keep_all) : -1;
  if (masked < 0) {
    destination[0] = 0;
    return 0;
  }
  const char16_t* text = working.Data();
  // A zero mask ends the text at the first masked unit; the rest of the buffer is zeroed.
  const size_t written = std::char_traits<char16_t>::length(text);
  std::copy_n(text, written, destination);
  std::fill(destination + written, destination + size, u'\0');
  return masked;
}

}  // namespace chatsieve
