#include "legacy/masking_passes.h"

#include <string>

#include "legacy/chain_masking.h"
#include "legacy/char_chain.h"
#include "text/text_encoding.h"

namespace chatsieve {
namespace {

// 1 when the pass masked a word; -1 when the chain could not be made.
int32_t MaskWorkingCopy(const LegacyKeys& keys, char16_t* text, int32_t length, char16_t mask,
                        MaskedUnits units) {
  CharChain chain;
  const bool built =
      units == MaskedUnits::kAll
          ? chain.Build(text, length, [](int32_t, char16_t, char16_t) { return true; })
          : chain.Build(text, length, [](int32_t, char16_t unit, char16_t last_taken) {
              return IsKeptChar(unit) && !(unit == u' ' && last_taken == u' ');
            });
  if (!built) return -1;
  return MaskChain(chain, keys, mask, WordEnd::kAtZeroUnit) > 0 ? 1 : 0;
}

template <typename Char>
int32_t MaskPass(const LegacyKeys& keys, const Char* source, Char* destination,
                 typename EncodingOf<Char>::Capacity size, Char mask, MaskedUnits units) {
  using Encoding = EncodingOf<Char>;
  if (destination == nullptr || size == 0) return 0;
  WideWork working;
  const int32_t length = Encoding::MaskingCopy(source, size, working);
  const char16_t unit_mask = Encoding::UnitMask(mask);
  const int32_t masked =
      length > 0 ? MaskWorkingCopy(keys, working.Data(), length, unit_mask, units) : -1;
  return Encoding::WriteMasked(working.Data(), length, unit_mask, masked, destination, size);
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

int32_t MaskWords(const LegacyKeys& keys, const char* source, char* destination, int32_t size,
                  char mask, MaskedUnits units) {
  return MaskPass(keys, source, destination, size, mask, units);
}

int32_t MaskWords(const LegacyKeys& keys, const char16_t* source, char16_t* destination,
                  uint32_t size, char16_t mask, MaskedUnits units) {
  return MaskPass(keys, source, destination, size, mask, units);
}

int32_t MaskWordsBothWays(const LegacyKeys& keys, const char* source, char* intermediate,
                          char* destination, int32_t size, char mask) {
  const auto literally = [&] {
    return MaskPass(keys, source, intermediate, size, mask, MaskedUnits::kAll) |
           MaskPass(keys, intermediate, destination, size, mask, MaskedUnits::kKeptOnly);
  };
  if (destination == nullptr || size <= 0) return literally();
  WideWork working;
  const int32_t length = Cp949Text::MaskingCopy(source, size, working);
  if (length <= 0) return literally();
  const char16_t unit_mask = Cp949Text::UnitMask(mask);
  const int32_t as_written =
      MaskWorkingCopy(keys, working.Data(), length, unit_mask, MaskedUnits::kAll);
  char16_t* text = working.Data();
  const auto text_length =
      static_cast<int32_t>(unit_mask != 0 ? length : std::char_traits<char16_t>::length(text));
  if (as_written < 0 || !SurvivesCp949(text, text_length, size)) {
    return Cp949Text::WriteMasked(text, length, unit_mask, as_written, intermediate, size) |
           MaskPass(keys, intermediate, destination, size, mask, MaskedUnits::kKeptOnly);
  }
  // The second pass would decode these very units from the intermediate bytes.
  const int32_t stripped =
      text_length > 0 ? MaskWorkingCopy(keys, text, text_length, unit_mask, MaskedUnits::kKeptOnly)
                      : -1;
  return as_written |
         Cp949Text::WriteMasked(text, text_length, unit_mask, stripped, destination, size);
}

}  // namespace chatsieve
