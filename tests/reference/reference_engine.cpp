#include "reference_engine.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "text/cp949.h"
#include "text/unicode_letters.h"

namespace chatsieve::reference {
namespace {

char16_t Fold(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 0x20) : unit;
}

bool IsAsciiLetter(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

// A letter or digit, a space, or a Hangul syllable.
bool IsKept(char16_t unit) {
  if (unit == u' ' || (unit >= 0xAC00 && unit <= 0xD7A3)) return true;
  if (unit < 0x100) return (unit >= u'0' && unit <= u'9') || IsAsciiLetter(unit);
  return unit != 0xFFFF && platform::IsUnicodeLetterOrDigit(unit);
}

// The first unit as it is, then kept characters only, a space only after a non-space.
// `origins` receives where each kept unit came from.
std::u16string Strip(const std::u16string& text, std::vector<size_t>* origins = nullptr) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    const bool keep = i == 0 || (unit == u' ' ? out.back() != u' ' : IsKept(unit));
    if (!keep) continue;
    out += unit;
    if (origins != nullptr) origins->push_back(i);
  }
  return out;
}

std::u16string Decoded(const char* text) {
  const int32_t units = platform::DecodeCp949(text, -1, nullptr, 0);
  if (units <= 0) return {};
  std::u16string wide(static_cast<size_t>(units), u'\0');
  platform::DecodeCp949(text, -1, wide.data(), units);
  return wide.c_str();
}

// The units of `working` up to its first zero unit, encoded into `destination`; an
// empty text when they do not fit.
void WriteEncoded(const std::u16string& working, char* destination, int32_t size) {
  if (platform::EncodeCp949(working.c_str(), -1, destination, size) == 0) destination[0] = 0;
}

}  // namespace

ReferenceEngine::ReferenceEngine(const LegacyWordList& words) : word_count_(words.WordCount()) {
  words.ForEachBucket([&](char16_t key, LegacyWordList::Words bucket) {
    for (const auto& word : bucket)
      buckets_[key].emplace_back(word->WideText(), static_cast<size_t>(word->WideLength()));
  });
}

size_t ReferenceEngine::MatchAt(const std::vector<char16_t>& text, size_t at,
                                bool to_zero_unit) const {
  const char16_t keys[] = {text[at], static_cast<char16_t>(text[at] ^ 0x20)};
  for (size_t k = 0; k < (IsAsciiLetter(text[at]) ? 2 : 1); ++k) {
    const char16_t key = keys[k];
    const auto bucket = buckets_.find(key);
    if (bucket == buckets_.end()) continue;
    for (const std::u16string& word : bucket->second) {
      const size_t length = to_zero_unit ? word.find(u'\0') : word.size();
      size_t matched = 0;
      for (size_t i = 0; i < std::min(length, word.size()); ++i) {
        const char16_t unit = at + i < text.size() ? text[at + i] : 0;
        if (Fold(unit) != Fold(word[i])) {
          matched = 0;
          break;
        }
        matched = i + 1;
        if (unit == 0) {
          matched = i;
          break;
        }
      }
      if (matched > 0) return matched;
    }
  }
  return 0;
}

bool ReferenceEngine::Holds(const std::u16string& text, bool stripped) const {
  if (text.empty() || word_count_ <= 0) return false;
  const std::u16string scanned = stripped ? Strip(text) : text;
  const std::vector<char16_t> units(scanned.begin(), scanned.end());
  for (size_t at = 0; at < units.size(); ++at) {
    if (MatchAt(units, at, false) > 0) return true;
  }
  return false;
}

int32_t ReferenceEngine::Detect(int32_t level, const char* text) const {
  return text == nullptr ? 0 : Detect(level, Decoded(text).c_str());
}

int32_t ReferenceEngine::Detect(int32_t level, const char16_t* text) const {
  if (text == nullptr || (level != 1 && level != 2)) return 0;
  const std::u16string wide(text);
  return Holds(wide, false) || (level == 2 && Holds(wide, true)) ? 1 : 0;
}

int32_t ReferenceEngine::MaskWalk(std::u16string& working, std::vector<size_t> positions,
                                  std::vector<char16_t> units, bool to_zero_unit,
                                  char16_t mask) const {
  int32_t words = 0;
  for (size_t at = 0; at < units.size();) {
    const size_t matched = MatchAt(units, at, to_zero_unit);
    if (matched == 0) {
      ++at;
      continue;
    }
    for (size_t i = at; i < at + matched; ++i)
      working[positions[i]] = mask;
    const auto first = static_cast<std::ptrdiff_t>(at);
    const auto last = static_cast<std::ptrdiff_t>(at + matched);
    positions.erase(positions.begin() + first, positions.begin() + last);
    units.erase(units.begin() + first, units.begin() + last);
    ++words;
    at = 0;
  }
  return words > 0 ? 1 : 0;
}

int32_t ReferenceEngine::MaskWorking(std::u16string& working, bool keep_all, char16_t mask) const {
  std::vector<size_t> chain;
  std::vector<char16_t> units;
  for (size_t i = 0; i < working.size(); ++i) {
    const char16_t unit = working[i];
    if (!keep_all && (!IsKept(unit) || (unit == u' ' && !units.empty() && units.back() == u' ')))
      continue;
    chain.push_back(i);
    units.push_back(unit);
  }
  return MaskWalk(working, std::move(chain), std::move(units), true, mask);
}

int32_t ReferenceEngine::Pass(const char* source, char* destination, int32_t size, char mask,
                              bool keep_all) const {
  if (destination == nullptr || size == 0) return 0;
  const bool fits = source != nullptr && source[0] != 0 && size > 0 &&
                    std::strlen(source) + 1 <= static_cast<size_t>(size);
  if (!fits) {
    destination[0] = 0;
    return 0;
  }
  std::u16string working = Decoded(source);
  // A mask byte widens as a signed char does.
  const auto byte = static_cast<unsigned char>(mask);
  const auto unit_mask = static_cast<char16_t>(byte < 0x80 ? byte : 0xFF00 | byte);
  const int32_t masked = MaskWorking(working, keep_all, unit_mask);
  WriteEncoded(working, destination, size);
  return masked;
}

int32_t ReferenceEngine::Pass(const char16_t* source, char16_t* destination, uint32_t size,
                              char16_t mask, bool keep_all) const {
  if (destination == nullptr || size == 0) return 0;
  std::u16string working = source != nullptr ? source : u"";
  if (working.empty() || working.size() >= size) {
    destination[0] = 0;
    return 0;
  }
  const int32_t masked = MaskWorking(working, keep_all, mask);
  // A zero mask ends the text early; the rest of the destination is zeroed.
  const std::u16string written = working.c_str();
  std::copy(written.begin(), written.end(), destination);
  std::fill(destination + written.size(), destination + size, u'\0');
  return masked;
}

int32_t ReferenceEngine::Mask(int32_t level, const char* text, char* destination, int32_t capacity,
                              char mask) const {
  if (level == 1) return Pass(text, destination, capacity, mask, true);
  if (level != 2 || capacity < 0) return 0;
  std::vector<char> intermediate(static_cast<size_t>(capacity));
  const int32_t as_written = Pass(text, intermediate.data(), capacity, mask, true);
  return as_written | Pass(intermediate.data(), destination, capacity, mask, false);
}

int32_t ReferenceEngine::Mask(int32_t level, const char16_t* text, char16_t* destination,
                              uint32_t capacity, char16_t mask) const {
  if (level == 1) return Pass(text, destination, capacity, mask, true);
  if (level != 2) return 0;
  std::vector<char16_t> intermediate(capacity);
  const int32_t as_written = Pass(text, intermediate.data(), capacity, mask, true);
  return as_written | Pass(intermediate.data(), destination, capacity, mask, false);
}

int32_t ReferenceEngine::MaskStripped(std::u16string& working) const {
  std::vector<size_t> origins;
  const std::u16string stripped = Strip(working, &origins);
  return MaskWalk(working, std::move(origins), {stripped.begin(), stripped.end()}, false, u'*');
}

int32_t ReferenceEngine::MaskInPlace(const char* source, char* destination) const {
  if (source == nullptr || source[0] == 0 || word_count_ <= 0) return 0;
  const auto size = static_cast<int32_t>(std::strlen(source) + 1);
  std::u16string working = Decoded(source);
  const int32_t masked = MaskStripped(working);
  WriteEncoded(working, destination, size);
  return masked;
}

int32_t ReferenceEngine::MaskInPlace(const char16_t* source, char16_t* destination) const {
  if (source == nullptr || source[0] == 0 || word_count_ <= 0) return 0;
  std::u16string working = source;
  const int32_t masked = MaskStripped(working);
  std::copy(working.begin(), working.end(), destination);
  destination[working.size()] = 0;
  return masked;
}

}  // namespace chatsieve::reference
