// Arbitrary bytes as a UTF-8 word list: read, compiled under the options, and loaded
// through the C interface. Every word kept must be a usable line, every word must come
// back unchanged, and as written every word must be found in its own text.
//
// Run it with -detect_leaks=0: the filter keeps each thread's last snapshots past a call,
// so libFuzzer's leak check would run after nearly every input (leaks are still checked
// at exit).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chatsieve/filter.h"
#include "filter/compiled_words.h"
#include "text/utf8.h"
#include "wordfile/word_list.h"

namespace {

using chatsieve::WordList;

void Expect(bool holds) {
  if (!holds) std::abort();
}

void ExpectRead(std::string_view list, const WordList& words,
                const std::vector<chatsieve::WordListProblem>& problems) {
  const size_t lines = static_cast<size_t>(std::count(list.begin(), list.end(), '\n')) + 1;
  Expect(words.Size() + problems.size() <= lines);
  for (size_t k = 0; k < problems.size(); ++k) {
    Expect(problems[k].line >= 1 && problems[k].line <= lines && !problems[k].reason.empty());
    Expect(k == 0 || problems[k - 1].line < problems[k].line);
  }
  for (size_t w = 0; w < words.Size(); ++w) {
    const std::string_view word = words[w];
    Expect(!word.empty() && word[0] != '#' && chatsieve::platform::IsUtf8(word));
    Expect(word.find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos);
  }
}

bool FindsItself(const chatsieve_filter* filter, std::string_view word, uint32_t index) {
  size_t count = 0;
  chatsieve_find(filter, word.data(), word.size(), nullptr, 0, &count);
  auto matches = std::make_unique<chatsieve_match[]>(count);
  size_t again = 0;
  Expect(chatsieve_find(filter, word.data(), word.size(), matches.get(), count, &again) ==
             CHATSIEVE_FOUND &&
         again == count);
  return std::any_of(matches.get(), matches.get() + count, [&](const chatsieve_match& m) {
    return m.begin == 0 && m.end == word.size() && m.word == index;
  });
}

// As written, equal entries are those equal but for the case of ASCII letters: each is the
// word of the first of them.
std::vector<uint32_t> FirstOfEqual(const WordList& words) {
  std::map<std::string, uint32_t> first;
  std::vector<uint32_t> firsts;
  for (uint32_t w = 0; w < words.Size(); ++w) {
    std::string folded(words[w]);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    firsts.push_back(first.try_emplace(folded, w).first->second);
  }
  return firsts;
}

// Loaded as the allowed words, the list leaves the forbidden ones empty.
void ExpectLoaded(std::string_view list, const WordList& words, bool readable, int allowed) {
  chatsieve_filter* filter = chatsieve_filter_new(0);
  Expect(filter != nullptr);
  // A message block of exactly the capacity given, so a write past it shows.
  const size_t capacity = list.size() % 48;
  auto message = std::make_unique<char[]>(capacity);
  const int result = chatsieve_filter_load_text(filter, list.data(), list.size(), allowed,
                                                message.get(), capacity);
  Expect(result == (readable ? CHATSIEVE_OK : CHATSIEVE_E_FORMAT));
  const std::vector<uint32_t> firsts = FirstOfEqual(words);
  // A load that succeeds says something only of entries merged into an earlier one.
  bool merged = false;
  for (uint32_t w = 0; w < firsts.size(); ++w)
    merged = merged || firsts[w] != w;
  if (capacity > 0) {
    const char* end = std::find(message.get(), message.get() + capacity, '\0');
    Expect(end != message.get() + capacity);
    Expect(capacity == 1 || !readable || (end == message.get()) != merged);
    Expect(capacity == 1 || readable || end != message.get());
  }
  Expect(chatsieve_word_count(filter) == (readable && allowed == 0 ? words.Size() : 0));
  for (uint32_t w = 0; w < chatsieve_word_count(filter); ++w) {
    size_t length = 0;
    const char* text = chatsieve_word(filter, w, &length);
    Expect(text != nullptr && std::string_view(text, length) == words[w]);
    Expect(FindsItself(filter, words[w], firsts[w]));
  }
  chatsieve_filter_free(filter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view list(reinterpret_cast<const char*>(data), size);
  WordList words;
  const std::vector<chatsieve::WordListProblem> problems =
      chatsieve::ReadWordListText(list, words).problems;
  ExpectRead(list, words, problems);
  for (const uint32_t bits :
       {0u, uint32_t{CHATSIEVE_SEPARATORS}, chatsieve::MatchOptions::kKnownBits}) {
    const auto compiled =
        chatsieve::CompileWords(words, chatsieve::MatchOptions::FromBits(bits)).compiled;
    Expect(compiled->words.Size() == words.Size());
    for (size_t w = 0; w < words.Size(); ++w)
      Expect(compiled->words[w] == words[w]);
  }
  for (const int allowed : {0, 1})
    ExpectLoaded(list, words, problems.empty(), allowed);
  return 0;
}
