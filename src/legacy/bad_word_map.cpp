#include "legacy/bad_word_map.h"

#include <algorithm>

#include "wordfile/word_rules.h"

namespace chatsieve {
namespace {

struct TriePath {
  const char16_t* rest;
  int32_t rest_length;
  bool at_text_end;
};

// A word's path below its bucket's root: the units after the first, up to a zero unit.
TriePath PathOf(const BadWord& word) {
  const int32_t text_length = word.TextLength();
  return {word.WideText() + 1, std::max(text_length - 1, 0), text_length < word.WideLength()};
}

}  // namespace

BadWordList& BadWordMap::FindOrAdd(char16_t key) {
  std::unique_ptr<Page>& page = pages_[key >> 8];
  if (!page) page = std::make_unique<Page>();
  std::unique_ptr<BadWordList>& bucket = (*page)[key & 0xFF];
  if (!bucket) {
    bucket = std::make_unique<BadWordList>(trie_.AddRoot());
    ++bucket_count_;
  }
  return *bucket;
}

bool BadWordMap::HoldsEqual(const BadWordList& bucket, const BadWord& word) const {
  const int32_t length = word.WideLength();
  if (length > 0 && word.TextLength() == length) {
    // Without a zero unit, the equal words are exactly those whose path through the
    // trie ends at the same node.
    const WordTrie::NodeId node = trie_.NodeAt(bucket.TrieRoot(), word.WideText() + 1, length - 1);
    return node != WordTrie::kNoNode && trie_.EndsAt(node).anywhere > 0;
  }
  const auto words = bucket.Words();
  return std::any_of(words.begin(), words.end(), [&](const auto& stored) {
    return stored->WideLength() == length &&
           CompareNoCase(stored->WideText(), word.WideText(), length);
  });
}

void BadWordMap::Append(BadWordList& bucket, std::unique_ptr<BadWord> word) {
  const TriePath path = PathOf(*word);
  // Recorded first: a word the filter knows but the bucket then lacks only costs a
  // lookup.
  start_filter_.Add(word->WideText(), word->TextLength());
  bucket.Append(std::move(word));
  try {
    trie_.Add(bucket.TrieRoot(), path.rest, path.rest_length, path.at_text_end);
  } catch (...) {
    // A word the trie does not know must not stay in the bucket: the two answer alike.
    bucket.Take(bucket.Words().size() - 1);
    throw;
  }
  longest_reach_ = std::max(longest_reach_, path.rest_length + (path.at_text_end ? 1 : 0));
}

std::unique_ptr<BadWord> BadWordMap::Take(BadWordList& bucket, size_t index) {
  std::unique_ptr<BadWord> word = bucket.Take(index);
  const TriePath path = PathOf(*word);
  trie_.Remove(bucket.TrieRoot(), path.rest, path.rest_length, path.at_text_end);
  return word;
}

void BadWordMap::SortBuckets() {
  for (auto& page : pages_) {
    if (!page) continue;
    for (auto& bucket : *page) {
      if (bucket) bucket->Sort();
    }
  }
}

void BadWordMap::Clear() {
  for (auto& page : pages_)
    page.reset();
  bucket_count_ = 0;
  trie_.Clear();
  start_filter_.Clear();
  longest_reach_ = 0;
}

}  // namespace chatsieve
