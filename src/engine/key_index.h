// The compiled form of a filter's words: a trie over the code points of every key (a
// listed word as the filter's options read it, or a form derived from it), laid out in
// a few flat arrays. Built once, then only read, by any number of threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "wordfile/word_list.h"

namespace chatsieve {

// A key that ends at a trie node: which listed word it stands for, whether it only
// counts where it spans a whole run of Latin letters of the text, and where the word may
// stand.
struct KeyEnd {
  uint32_t word = 0;
  bool whole_latin_token = false;
  WordPlace place = WordPlace::kAnywhere;
};

// A conservative test of "can a key start here?" from the first three characters at a
// text position, each named by a 32-bit value: never false where a key starts. It is
// two tests. The first is cheap and turns most positions away: a key's first two
// characters pick a slot of 16 bits, and its second and third one bit of the slot; a key
// of two characters sets them all. A common pair of syllables that begins some longer
// word finds its slot, but seldom the bit of the character after it. The second test
// knows how long a key is: it is told a key's only character, its two, or its first
// three.
class KeyStartFilter {
 public:
  // A pair's slot in the first test, and the shift that takes the next pair's hash to the
  // bit of the slot it picks.
  using PairSlot = uint16_t;
  static constexpr int kNextPairBitShift = 60;

  // What a scan holds while it tests position after position, copied out of the filter
  // so that it stays in registers.
  class View {
   public:
    bool MayStart(uint32_t first, uint32_t second, uint32_t third) const {
      if (HasSingleKeys() && MayStartSingle(first)) return true;
      return MayStartPair(Pair(first, second), Pair(second, third)) &&
             MayStartLonger(first, second, third);
    }
    // The tests one at a time, for scans that order them their own way: a key of one
    // character may start, a key of more may start (the first test, then the second).
    // The first test takes the first two characters as one value, which a scan can keep
    // as it goes.
    static uint64_t Pair(uint32_t first, uint32_t second) { return uint64_t{first} << 32 | second; }
    bool HasSingleKeys() const { return filter_->has_single_keys_; }
    // Names below 2^16 (every BMP code point, ASCII's packed names) are looked up in a
    // bit table: no hash on the path that most positions take.
    bool MayStartSingle(uint32_t first) const {
      if (first < kSingleBits) return (filter_->single_bits_[first >> 6] >> (first & 63) & 1) != 0;
      return filter_->HasKey(HashOne(first));
    }
    // `first_two`: the first and second characters; `next_two`: the second and third.
    bool MayStartPair(uint64_t first_two, uint64_t next_two) const {
      return MayStartHashedPair(PairHash(first_two), PairHash(next_two));
    }
    // The same from the pairs' hashes, for a scan that hashes each pair once: the next
    // position's first pair is this one's next. One product is enough for a test that
    // only needs to turn most positions away.
    static constexpr uint64_t kPairMultiplier = 0x9E3779B97F4A7C15ULL;
    static uint64_t PairHash(uint64_t pair) { return pair * kPairMultiplier; }
    bool MayStartHashedPair(uint64_t first_two, uint64_t next_two) const {
      return (pairs_[first_two >> pair_shift_] >> NextPairBit(next_two) & 1) != 0;
    }
    bool MayStartLonger(uint32_t first, uint32_t second, uint32_t third) const {
      return filter_->MayStartLonger(first, second, third);
    }
    // For a scan that runs the first test on many positions at once: the slots, one more
    // than a hash can pick and never set, so that each can be read as the low half of four
    // bytes; and the shift that takes a pair's hash to its slot.
    const PairSlot* PairSlots() const { return pairs_; }
    int PairShift() const { return pair_shift_; }

   private:
    friend class KeyStartFilter;
    explicit View(const KeyStartFilter& filter)
        : filter_(&filter), pairs_(filter.pairs_.data()), pair_shift_(filter.pair_shift_) {}

    const KeyStartFilter* filter_;
    const PairSlot* pairs_;
    int pair_shift_;
  };

  void Reset(size_t keys);
  // A key's first characters: all of them, or its first three.
  void Add(std::span<const uint32_t> first_chars);

  View Viewed() const { return View(*this); }
  size_t MemoryBytes() const {
    return pairs_.capacity() * sizeof(PairSlot) +
           (keys_.capacity() + single_bits_.capacity()) * sizeof(uint64_t);
  }

 private:
  // Which of a slot's 16 bits a key's second and third characters set, from their
  // pair's hash.
  static_assert(sizeof(PairSlot) == 2);
  static unsigned NextPairBit(uint64_t next_two_hash) {
    return static_cast<unsigned>(next_two_hash >> kNextPairBitShift);
  }
  static constexpr PairSlot kAnyThird = std::numeric_limits<PairSlot>::max();
  static uint64_t HashOne(uint32_t first) { return (first + uint64_t{1}) * 0x9E3779B97F4A7C15ULL; }
  // The high half is folded down first: a product's low bits depend only on the low bits
  // of what was multiplied, and characters of one script differ in a few bits only.
  static uint64_t HashNext(uint64_t hash, uint32_t next) {
    return ((hash ^ (hash >> 29)) + next) * 0xC2B2AE3D27D4EB4FULL;
  }
  bool MayStartLonger(uint32_t first, uint32_t second, uint32_t third) const {
    const uint64_t two = HashNext(HashOne(first), second);
    return HasKey(two) || HasKey(HashNext(two, third));
  }
  bool HasKey(uint64_t hash) const {
    const uint64_t bits = KeyBitsOf(hash);
    return (keys_[hash >> key_shift_] & bits) == bits;
  }
  // In the second test a hash's top bits pick a word and three more of its bits (the
  // product's low bits mix too little) pick the bits it sets there: one load, and few
  // positions pass by chance.
  static uint64_t KeyBitsOf(uint64_t hash) {
    return uint64_t{1} << (hash >> 34 & 63) | uint64_t{1} << (hash >> 40 & 63) |
           uint64_t{1} << (hash >> 46 & 63);
  }

  // Before a build: two entries each (and the slot more), none set, so no test for emptiness is
  // needed (and the shifts stay below 64).
  std::vector<PairSlot> pairs_ = std::vector<PairSlot>(3, 0);
  std::vector<uint64_t> keys_ = std::vector<uint64_t>(2, 0);
  int pair_shift_ = 63;
  int key_shift_ = 63;
  bool has_single_keys_ = false;
  // A bit for each name below kSingleBits that is a key of one character; empty while no
  // key has one character.
  static constexpr uint32_t kSingleBits = 1 << 16;
  std::vector<uint64_t> single_bits_;
};

class KeyIndex {
 public:
  using Node = uint32_t;
  static constexpr Node kNoNode = UINT32_MAX;
  // Stands for the position past the text's end in MayStart.
  static constexpr char32_t kTextEnd = 0xFFFFFFFE;

  class Builder {
   public:
    // Keys are non-empty and already folded as the text will be. Throws std::bad_alloc
    // and std::length_error (more than 2^32 - 2 code points in all).
    void Add(std::u32string_view key, KeyEnd end);
    // Adds a listed word's own key, unless an earlier word's own key is the same: then
    // nothing is added and that word is returned.
    std::optional<uint32_t> AddWordKey(std::u32string_view key, KeyEnd end);
    KeyIndex Build() &&;

   private:
    std::u32string_view Key(size_t k) const {
      const size_t end = k + 1 < starts_.size() ? starts_[k + 1] : points_.size();
      return {points_.data() + starts_[k], end - starts_[k]};
    }
    void GrowWordKeys();

    std::vector<char32_t> points_;
    std::vector<size_t> starts_;
    std::vector<KeyEnd> ends_;
    // The words' own keys, open-addressed by their hash: key number + 1, 0 for none.
    std::vector<uint32_t> word_keys_ = std::vector<uint32_t>(64, 0);
    size_t word_key_count_ = 0;
  };

  KeyIndex() = default;

  // Cheap, conservative tests from the first three characters at a text position: false
  // means no key starts there. The characters are code points (kTextEnd past the end),
  // or for UTF-8 text as written the names PackedUtf8Name gives them.
  KeyStartFilter::View CodePointStart() const { return code_point_start_.Viewed(); }
  KeyStartFilter::View PackedUtf8Start() const { return packed_utf8_start_.Viewed(); }

  // The node a key's first code point leads to, or kNoNode.
  Node First(char32_t code_point) const;
  // The node reached from `node` by one more code point, or kNoNode.
  Node Child(Node node, char32_t code_point) const;
  std::span<const KeyEnd> EndsAt(Node node) const {
    return {ends_.data() + nodes_[node].end_begin, ends_.data() + nodes_[node + 1].end_begin};
  }

  bool Empty() const { return nodes_.size() <= 2; }
  // The most characters any key has: how far back a match can begin from where it ends.
  size_t LongestKey() const { return longest_key_; }
  bool HasWholeTokenKeys() const { return has_whole_token_keys_; }
  // Whether some key holds a space among its first three characters.
  bool HasSpaceNearKeyStart() const { return has_space_near_key_start_; }
  size_t MemoryBytes() const;

 private:
  // Node 0 is the root. The children of node n are the nodes
  // [nodes_[n].child_begin, nodes_[n + 1].child_begin), ordered by label; its key ends
  // are ends_[nodes_[n].end_begin .. nodes_[n + 1].end_begin). A last node closes the
  // ranges. `child_labels` has a bit for each child's label (LabelBit), so most code
  // points that continue no key are turned away before the labels are read.
  struct NodeSpans {
    uint32_t child_begin;
    uint32_t end_begin;
    uint32_t child_labels;
  };
  static constexpr uint32_t LabelBit(char32_t label) {
    return uint32_t{1} << ((label ^ (label >> 5)) & 31);
  }

  std::vector<NodeSpans> nodes_;
  std::vector<char32_t> label_;
  std::vector<KeyEnd> ends_;
  // The root has a child for every first code point of a key, often thousands: an
  // open-addressed table finds them in one probe. Empty slots hold kNoNode.
  struct RootSlot {
    char32_t label;
    Node node;
  };
  std::vector<RootSlot> root_slots_;
  size_t root_mask_ = 0;
  KeyStartFilter code_point_start_;
  KeyStartFilter packed_utf8_start_;
  size_t longest_key_ = 0;
  bool has_whole_token_keys_ = false;
  bool has_space_near_key_start_ = false;
};

}  // namespace chatsieve
