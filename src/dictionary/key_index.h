// The compiled form of a filter's words: a trie over the code points of every key (a
// listed word as the filter's options read it, or a form derived from it), laid out in
// a few flat arrays. Built once, then only read, by any number of threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace chatsieve {

// A key that ends at a trie node: which listed word it stands for, and whether it only
// counts where it spans a whole run of Latin letters of the text.
struct KeyEnd {
  uint32_t word = 0;
  bool whole_latin_token = false;
};

// A conservative test of "can a key start here?" from two characters, each given as a
// 32-bit value: never false where a key starts.
class KeyStartFilter {
 public:
  // `bits_per_key` bits for each of `keys` keys.
  void Reset(size_t keys, size_t single_keys);
  void AddPair(uint32_t first, uint32_t second) { Set(pair_bits_, PairSlot(first, second)); }
  void AddSingle(uint32_t first) { Set(single_bits_, SingleSlot(first)); }

  bool MayStart(uint32_t first, uint32_t second) const {
    if (IsSet(pair_bits_, PairSlot(first, second))) return true;
    return has_single_keys_ && IsSet(single_bits_, SingleSlot(first));
  }
  size_t MemoryBytes() const {
    return (pair_bits_.capacity() + single_bits_.capacity()) * sizeof(uint64_t);
  }

 private:
  static bool IsSet(const std::vector<uint64_t>& bits, size_t bit) {
    return (bits[bit >> 6] >> (bit & 63)) & 1;
  }
  static void Set(std::vector<uint64_t>& bits, size_t bit) {
    bits[bit >> 6] |= uint64_t{1} << (bit & 63);
  }
  size_t PairSlot(uint32_t first, uint32_t second) const {
    const uint64_t key = (uint64_t{first} << 32) | second;
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> pair_shift_);
  }
  size_t SingleSlot(uint32_t first) const {
    return static_cast<size_t>((first * 0x9E3779B1u) >> single_shift_);
  }

  // Before a build: one word of bits each, none set, so no test for emptiness is needed.
  std::vector<uint64_t> pair_bits_ = std::vector<uint64_t>(1, 0);
  std::vector<uint64_t> single_bits_ = std::vector<uint64_t>(1, 0);
  int pair_shift_ = 58;
  int single_shift_ = 26;
  bool has_single_keys_ = false;
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
    KeyIndex Build() &&;

   private:
    std::vector<char32_t> points_;
    std::vector<size_t> starts_;
    std::vector<KeyEnd> ends_;
  };

  KeyIndex() = default;

  // A cheap, conservative test from the first two code points at a text position
  // (`second` is kTextEnd at the end): false means no key starts there.
  bool MayStart(char32_t first, char32_t second) const {
    return code_point_start_.MayStart(first, second);
  }
  // A cheaper, weaker test from the first code point alone, for matchers that would
  // rather not decode the second: one bit per 16-bit code point.
  bool MayBeFirst(char32_t code_point) const {
    if (code_point > 0xFFFF) return has_long_first_;
    return (first_bits_[code_point >> 6] >> (code_point & 63)) & 1;
  }

  // The node a key's first code point leads to, or kNoNode.
  Node First(char32_t code_point) const;
  // The node reached from `node` by one more code point, or kNoNode.
  Node Child(Node node, char32_t code_point) const;
  std::span<const KeyEnd> EndsAt(Node node) const {
    return {ends_.data() + end_begin_[node], ends_.data() + end_begin_[node + 1]};
  }

  bool Empty() const { return label_.size() <= 1; }
  bool HasWholeTokenKeys() const { return has_whole_token_keys_; }
  size_t MemoryBytes() const;

 private:
  // Node 0 is the root. The children of node n are the nodes
  // [child_begin_[n], child_begin_[n + 1]), ordered by label; its key ends are
  // ends_[end_begin_[n] .. end_begin_[n + 1]).
  std::vector<char32_t> label_;
  std::vector<uint32_t> child_begin_;
  std::vector<uint32_t> end_begin_;
  std::vector<KeyEnd> ends_;
  // The root has a child for every first code point of a key, often thousands: an
  // open-addressed table finds them in one probe. Empty slots hold kNoNode.
  std::vector<Node> root_slots_;
  size_t root_mask_ = 0;
  KeyStartFilter code_point_start_;
  std::vector<uint64_t> first_bits_ = std::vector<uint64_t>(65536 / 64, 0);
  bool has_long_first_ = false;
  bool has_whole_token_keys_ = false;
};

}  // namespace chatsieve
