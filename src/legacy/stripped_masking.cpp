#include "legacy/stripped_masking.h"

#include <limits>
#include <string>

#include "legacy/chain_masking.h"
#include "legacy/char_chain.h"
#include "text/text_encoding.h"

namespace chatsieve {
namespace {

// 1 when a word was masked in the working copy of `length` units.
int32_t MaskStripped(const LegacyKeys& keys, char16_t* working, int32_t length) {
  WideWork stripped;
  WorkBuffer<int32_t> origins;
  const int32_t stripped_length = StripText(working, length, stripped, &origins);
  // The chain takes exactly the units the strip kept, by the positions they came from.
  int32_t kept = 0;
  CharChain chain;
  const bool built = stripped_length >= 0 &&
                     chain.Build(working, length, [&](int32_t position, char16_t, char16_t) {
                       const bool stripped_here =
                           kept < stripped_length && origins[static_cast<size_t>(kept)] == position;
                       kept += stripped_here ? 1 : 0;
                       return stripped_here;
                     });
  if (!built) return 0;
  return MaskChain(chain, keys, u'*', WordEnd::kOverLength) > 0 ? 1 : 0;
}

template <typename Char>
int32_t MaskInPlace(const LegacyKeys& keys, const Char* source, Char* destination) {
  using Encoding = EncodingOf<Char>;
  if (source == nullptr || source[0] == 0 || keys.WordCount() <= 0) return 0;
  const size_t size = std::char_traits<Char>::length(source) + 1;
  if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return 0;
  WideWork working;
  const int32_t length = Encoding::InPlaceCopy(source, working);
  if (length <= 0) return 0;
  const int32_t found = MaskStripped(keys, working.Data(), length);
  Encoding::WriteInPlace(working.Data(), destination, size);
  return found;
}

}  // namespace

int32_t MaskStrippedWords(const LegacyKeys& keys, const char* source, char* destination) {
  return MaskInPlace(keys, source, destination);
}

int32_t MaskStrippedWords(const LegacyKeys& keys, const char16_t* source, char16_t* destination) {
  return MaskInPlace(keys, source, destination);
}

}  // namespace chatsieve
