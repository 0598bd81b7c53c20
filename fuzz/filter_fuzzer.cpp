// Arbitrary word lists, allowed words, options and texts through check, find and mask of
// the C interface, the text as UTF-8 and its bytes read as UTF-16 units. Results are
// compared exactly with the reference wherever it covers the options, and with one
// another always. Every output goes to a heap block of exactly the capacity the call is
// told, so AddressSanitizer reports any write past it.
//
// Input: option bits, a mask choice, a size for the too-small outputs, the forbidden and
// the allowed list (UTF-8 word lists), then the text.
//
// Run it with -detect_leaks=0: the filter keeps each thread's last snapshots past a call,
// so libFuzzer's leak check would run after nearly every input (leaks are still checked
// at exit).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "chatsieve/filter.h"
#include "engine/match_options.h"
#include "reference_filter.h"
#include "wordfile/word_list.h"

namespace {

namespace reference = chatsieve::reference;

void Expect(bool holds) {
  if (!holds) std::abort();
}

const uint16_t* Units(const std::u16string& text) {
  return reinterpret_cast<const uint16_t*>(text.data());
}

int Check(const chatsieve_filter* filter, const std::string& text) {
  return chatsieve_check(filter, text.data(), text.size());
}
int Check(const chatsieve_filter* filter, const std::u16string& text) {
  return chatsieve_check16(filter, Units(text), text.size());
}
int Find(const chatsieve_filter* filter, const std::string& text, chatsieve_match* matches,
         size_t capacity, size_t* count) {
  return chatsieve_find(filter, text.data(), text.size(), matches, capacity, count);
}
int Find(const chatsieve_filter* filter, const std::u16string& text, chatsieve_match* matches,
         size_t capacity, size_t* count) {
  return chatsieve_find16(filter, Units(text), text.size(), matches, capacity, count);
}
int Mask(const chatsieve_filter* filter, const std::string& text, uint32_t mask, char* out,
         size_t capacity, size_t* length) {
  return chatsieve_mask(filter, text.data(), text.size(), mask, out, capacity, length);
}
int Mask(const chatsieve_filter* filter, const std::u16string& text, uint32_t mask, char16_t* out,
         size_t capacity, size_t* length) {
  return chatsieve_mask16(filter, Units(text), text.size(), mask, reinterpret_cast<uint16_t*>(out),
                          capacity, length);
}

bool SameMatch(const chatsieve_match& a, const chatsieve_match& b) {
  return a.begin == b.begin && a.end == b.end && a.word == b.word;
}

// Every match, after asking for the count with no room; then fewer than all, which must
// be the first ones with the full count.
template <typename Text>
std::vector<chatsieve_match> FindAll(const chatsieve_filter* filter, const Text& text,
                                     size_t room) {
  size_t count = 0;
  const int sized = Find(filter, text, nullptr, 0, &count);
  Expect(sized == (count > 0 ? CHATSIEVE_E_SPACE : CHATSIEVE_OK));
  auto block = std::make_unique<chatsieve_match[]>(count);
  size_t again = 0;
  Expect(Find(filter, text, block.get(), count, &again) ==
             (count > 0 ? CHATSIEVE_FOUND : CHATSIEVE_OK) &&
         again == count);
  std::vector<chatsieve_match> all(block.get(), block.get() + count);
  if (count > 0) {
    const size_t part = room % count;
    auto some = std::make_unique<chatsieve_match[]>(part);
    Expect(Find(filter, text, some.get(), part, &again) == CHATSIEVE_E_SPACE && again == count);
    for (size_t k = 0; k < part; ++k)
      Expect(SameMatch(some[k], all[k]));
  }
  return all;
}

// The masked text, after asking for its length with no room; then too little room.
template <typename Text>
Text MaskAll(const chatsieve_filter* filter, const Text& text, uint32_t mask, size_t room,
             bool& masked) {
  using Unit = typename Text::value_type;
  size_t length = 0;
  const int sized = Mask(filter, text, mask, nullptr, 0, &length);
  Expect(sized == CHATSIEVE_E_SPACE || (length == 0 && sized >= CHATSIEVE_OK));
  auto block = std::make_unique<Unit[]>(length);
  size_t again = 0;
  const int result = Mask(filter, text, mask, block.get(), length, &again);
  Expect((result == CHATSIEVE_OK || result == CHATSIEVE_FOUND) && again == length);
  masked = result == CHATSIEVE_FOUND;
  if (length > 0) {
    const size_t part = room % length;
    auto some = std::make_unique<Unit[]>(part);
    Expect(Mask(filter, text, mask, some.get(), part, &again) == CHATSIEVE_E_SPACE &&
           again == length);
  }
  return Text(block.get(), length);
}

template <typename Text>
void Screen(const chatsieve_filter* filter, const reference::Words* words, const Text& text,
            char32_t mask, size_t room) {
  const std::vector<chatsieve_match> found = FindAll(filter, text, room);
  Expect(Check(filter, text) == (found.empty() ? CHATSIEVE_OK : CHATSIEVE_FOUND));
  for (size_t k = 0; k < found.size(); ++k) {
    const chatsieve_match& m = found[k];
    Expect(m.begin < m.end && m.end <= text.size() && m.word < chatsieve_word_count(filter));
    Expect(k == 0 || std::tie(found[k - 1].begin, found[k - 1].end, found[k - 1].word) <
                         std::tie(m.begin, m.end, m.word));
  }
  if (words != nullptr) {
    const std::vector<reference::Found> expected = reference::Find(*words, text);
    Expect(expected.size() == found.size());
    for (size_t k = 0; k < found.size(); ++k)
      Expect(SameMatch(found[k], {expected[k].begin, expected[k].end, expected[k].word}));
  }
  for (const bool keep_first : {false, true}) {
    bool masked = false;
    const Text out = MaskAll(
        filter, text, static_cast<uint32_t>(mask) | (keep_first ? CHATSIEVE_MASK_KEEP_FIRST : 0),
        room, masked);
    // Whole masking masks something of every occurrence; kept first characters may be all.
    Expect(keep_first ? !masked || !found.empty() : masked == !found.empty());
    Expect(masked || out == text);
    if (words != nullptr) Expect(out == reference::Mask(*words, text, mask, keep_first));
  }
  size_t length = 0;
  Expect(Mask(filter, text, 0xD800, nullptr, 0, &length) == CHATSIEVE_E_ARGUMENT);
}

// Loads a list, and tells `words` what the filter reads of it: its words, where they
// stand and, for forbidden words, their severities and categories. Nothing when the list
// does not load.
void Load(chatsieve_filter* filter, const std::string& list, int allowed, reference::Words& words) {
  chatsieve::WordList read;
  const bool readable = chatsieve::ReadWordListText(list, read).problems.empty();
  const int result =
      chatsieve_filter_load_text(filter, list.data(), list.size(), allowed, nullptr, 0);
  Expect(result == (readable ? CHATSIEVE_OK : CHATSIEVE_E_FORMAT));
  for (size_t w = 0; readable && w < read.Size(); ++w) {
    const chatsieve::WordTraits& traits = read.Traits(w);
    const auto place = static_cast<reference::Place>(traits.place);
    if (allowed != 0) {
      words.allowed.emplace_back(read[w]);
      words.allowed_places.push_back(place);
    } else {
      words.forbidden.emplace_back(read[w]);
      words.forbidden_places.push_back(place);
      words.severities.push_back(traits.severity);
      words.categories.push_back(read.CategoryName(traits.category));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  // Mostly the options the reference covers, so that most inputs are compared.
  const auto drawn = input.ConsumeIntegral<uint16_t>();
  const uint32_t options =
      drawn >= 0xC000 ? drawn & chatsieve::MatchOptions::kKnownBits : drawn & CHATSIEVE_SEPARATORS;
  constexpr char32_t kMasks[] = {U'*', U'\u2665', U'\U0001F600', U'\0'};
  const char32_t mask = kMasks[input.ConsumeIntegral<uint8_t>() % std::size(kMasks)];
  const auto room = input.ConsumeIntegral<uint8_t>();
  const std::string forbidden = input.ConsumeRandomLengthString(256);
  const std::string allowed = input.ConsumeRandomLengthString(128);
  const std::string text8 = input.ConsumeRemainingBytesAsString();
  std::u16string text16(text8.size() / 2, u'\0');
  for (size_t i = 0; i < text16.size(); ++i) {
    text16[i] = static_cast<char16_t>(static_cast<uint8_t>(text8[2 * i]) |
                                      (static_cast<uint8_t>(text8[2 * i + 1]) << 8));
  }

  chatsieve_filter* filter = chatsieve_filter_new(options);
  Expect(filter != nullptr);
  reference::Words words;
  Load(filter, forbidden, 0, words);
  Load(filter, allowed, 1, words);
  words.separators = options == CHATSIEVE_SEPARATORS;
  // A policy now and then, over the fields the lists may hold.
  if (room % 3 == 0) {
    words.min_severity = 1 + room % 4 % 3;
    Expect(chatsieve_filter_set_min_severity(filter, words.min_severity) == CHATSIEVE_OK);
  }
  if (room % 5 == 0) {
    words.chosen_categories = {"a"};
    Expect(chatsieve_filter_set_categories(filter, "a") == CHATSIEVE_OK);
  }
  const bool covered = (options & ~CHATSIEVE_SEPARATORS) == 0;
  Screen(filter, covered ? &words : nullptr, text8, mask, room);
  // A clone keeps the words in force when it was made, whatever is loaded later.
  chatsieve_filter* pinned = chatsieve_filter_clone(filter);
  Expect(pinned != nullptr);
  Expect(chatsieve_filter_load_text(filter, "", 0, 0, nullptr, 0) == CHATSIEVE_OK);
  Expect(chatsieve_word_count(filter) == 0);
  Screen(pinned, covered ? &words : nullptr, text16, mask, room);
  chatsieve_filter_free(pinned);
  chatsieve_filter_free(filter);
  return 0;
}
