// One bucket of the index: the words that share a first UTF-16 unit, in bucket order.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "legacy/word_trie.h"
#include "wordfile/bad_word.h"

namespace chatsieve {

class BadWordList {
 public:
  explicit BadWordList(WordTrie::NodeId trie_root) : trie_root_(trie_root) {}

  std::span<const std::unique_ptr<BadWord>> Words() const { return words_; }
  bool Empty() const { return words_.empty(); }

  // Where the words of this bucket continue in the index's trie.
  WordTrie::NodeId TrieRoot() const { return trie_root_; }

  // True while no entry has a longer text than an entry before it. Then the first
  // entry in bucket order that matches at a text position is a longest one that does,
  // and the trie can answer for the bucket; otherwise the words must be tried in turn.
  bool LongestFirst() const { return longest_first_; }

 private:
  friend class BadWordMap;

  void Append(std::unique_ptr<BadWord> word);
  std::unique_ptr<BadWord> Take(size_t index);
  void Sort();
  void UpdateLongestFirst();

  std::vector<std::unique_ptr<BadWord>> words_;
  WordTrie::NodeId trie_root_;
  bool longest_first_ = true;
};

}  // namespace chatsieve
