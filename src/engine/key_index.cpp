#include "engine/key_index.h"

#include <algorithm>
#include <array>
#include <bit>
#include <deque>
#include <iterator>
#include <numeric>
#include <stdexcept>
#include <string>

#include "text/packed_utf8.h"

namespace chatsieve {
namespace {

// Bits of the start filters per key: enough that few positions pass them by chance.
constexpr size_t kBitsPerKey = 16;
// Slots of the first test per key: few keys share one while the slots fit a core's
// cache; past that, a larger list keeps fewer, down to two a key.
constexpr size_t kPairSlotsPerKey = 16;
constexpr size_t kLeastPairSlotsPerKey = 2;
constexpr size_t kCachedPairSlots = size_t{1} << 17;

size_t RootSlotOf(char32_t code_point, size_t mask) {
  return static_cast<size_t>((code_point * 0x9E3779B1u) >> 7) & mask;
}

// Cutting an array to size copies it: only worth it when an eighth or more is unused.
template <typename Item>
void ShrinkWhereWorthIt(std::vector<Item>& items) {
  if (items.capacity() - items.size() > items.size() / 8) items.shrink_to_fit();
}

size_t PowerOfTwoAtLeast(size_t count) {
  return std::bit_ceil(std::max<size_t>(count, 64));
}

}  // namespace

void KeyIndex::Builder::Add(std::u32string_view key, KeyEnd end) {
  if (key.empty()) return;
  if (key.size() > UINT32_MAX - 2 - points_.size()) throw std::length_error("too many words");
  starts_.push_back(points_.size());
  points_.insert(points_.end(), key.begin(), key.end());
  ends_.push_back(end);
}

namespace {

size_t KeyHash(std::u32string_view key) {
  uint64_t hash = 0x9E3779B97F4A7C15ULL;
  for (const char32_t c : key)
    hash = (hash ^ (hash >> 29) ^ c) * 0xC2B2AE3D27D4EB4FULL;
  return static_cast<size_t>(hash ^ (hash >> 32));
}

}  // namespace

std::optional<uint32_t> KeyIndex::Builder::AddWordKey(std::u32string_view key, KeyEnd end) {
  if (key.empty()) return std::nullopt;
  const size_t mask = word_keys_.size() - 1;
  size_t slot = KeyHash(key) & mask;
  for (; word_keys_[slot] != 0; slot = (slot + 1) & mask) {
    const size_t other = word_keys_[slot] - 1;
    if (Key(other) == key) return ends_[other].word;
  }
  Add(key, end);
  word_keys_[slot] = static_cast<uint32_t>(starts_.size());
  if (++word_key_count_ * 2 > word_keys_.size()) GrowWordKeys();
  return std::nullopt;
}

void KeyIndex::Builder::GrowWordKeys() {
  std::vector<uint32_t> grown(word_keys_.size() * 2, 0);
  const size_t mask = grown.size() - 1;
  for (const uint32_t number : word_keys_) {
    if (number == 0) continue;
    size_t slot = KeyHash(Key(number - 1)) & mask;
    while (grown[slot] != 0)
      slot = (slot + 1) & mask;
    grown[slot] = number;
  }
  word_keys_ = std::move(grown);
}

void KeyStartFilter::Reset(size_t keys) {
  const size_t bits = std::max<size_t>(PowerOfTwoAtLeast(keys * kBitsPerKey), 128);
  const size_t slots =
      std::max(std::min(PowerOfTwoAtLeast(keys * kPairSlotsPerKey), kCachedPairSlots),
               PowerOfTwoAtLeast(keys * kLeastPairSlotsPerKey));
  pairs_.assign(slots + 1, 0);
  keys_.assign(bits / 64, 0);
  pair_shift_ = 64 - std::countr_zero(slots);
  key_shift_ = 64 - std::countr_zero(bits / 64);
  has_single_keys_ = false;
  single_bits_.clear();
}

void KeyStartFilter::Add(std::span<const uint32_t> first_chars) {
  uint64_t hash = HashOne(first_chars[0]);
  if (first_chars.size() > 1) {
    hash = HashNext(hash, first_chars[1]);
    PairSlot& slot =
        pairs_[View::PairHash(View::Pair(first_chars[0], first_chars[1])) >> pair_shift_];
    slot |=
        first_chars.size() == 2
            ? kAnyThird
            : static_cast<PairSlot>(
                  1U << NextPairBit(View::PairHash(View::Pair(first_chars[1], first_chars[2]))));
  }
  if (first_chars.size() > 2) hash = HashNext(hash, first_chars[2]);
  if (first_chars.size() == 1) {
    has_single_keys_ = true;
    single_bits_.resize(kSingleBits / 64, 0);
    if (first_chars[0] < kSingleBits)
      single_bits_[first_chars[0] >> 6] |= uint64_t{1} << (first_chars[0] & 63);
  }
  keys_[hash >> key_shift_] |= KeyBitsOf(hash);
}

KeyIndex KeyIndex::Builder::Build() && {
  const auto count = static_cast<uint32_t>(ends_.size());
  const auto key = [this](uint32_t k) { return Key(k); };
  std::vector<uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0);
  // Stable, so that equal keys keep the order of their words.
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return key(a) < key(b); });

  KeyIndex index;
  word_keys_ = {};
  for (uint32_t k = 0; k < count; ++k)
    index.longest_key_ = std::max(index.longest_key_, key(k).size());
  // Nodes are numbered breadth first, so the children of consecutive nodes follow one
  // another and one array of starts describes them all.
  struct Pending {
    uint32_t first, last, depth;
  };
  // A trie has at most one node per code point of its keys, and the root: reserved once,
  // so that growing them never holds twice what they need. Nodes wait in a queue as wide
  // as one level of the trie, not as long as all of it.
  std::deque<Pending> pending{{0, count, 0}};
  uint32_t nodes_made = 1;
  index.nodes_.reserve(points_.size() + 2);
  index.label_.reserve(points_.size() + 1);
  index.label_.push_back(0);
  for (; !pending.empty(); pending.pop_front()) {
    const Pending here = pending.front();
    index.nodes_.push_back({nodes_made, static_cast<uint32_t>(index.ends_.size()), 0});
    uint32_t at = here.first;
    const auto node_ends = static_cast<ptrdiff_t>(index.ends_.size());
    for (; at < here.last && key(order[at]).size() == here.depth; ++at) {
      const KeyEnd end = ends_[order[at]];
      index.has_whole_token_keys_ |= end.whole_latin_token;
      index.ends_.push_back(end);
    }
    // A word reached by two of its forms counts wherever the freer one does. The ends are
    // sorted by word to find those, as one key may end thousands of words.
    const auto first = index.ends_.begin() + node_ends;
    std::stable_sort(first, index.ends_.end(),
                     [](const KeyEnd& a, const KeyEnd& b) { return a.word < b.word; });
    auto kept = first;
    for (auto end = first; end != index.ends_.end(); ++end) {
      if (end != first && std::prev(kept)->word == end->word) {
        std::prev(kept)->whole_latin_token =
            std::prev(kept)->whole_latin_token && end->whole_latin_token;
      } else {
        *kept++ = *end;
      }
    }
    index.ends_.erase(kept, index.ends_.end());
    while (at < here.last) {
      const char32_t label = key(order[at])[here.depth];
      uint32_t next = at + 1;
      while (next < here.last && key(order[next])[here.depth] == label)
        ++next;
      index.label_.push_back(label);
      index.nodes_.back().child_labels |= LabelBit(label);
      pending.push_back({at, next, here.depth + 1});
      ++nodes_made;
      at = next;
    }
  }
  index.nodes_.push_back({nodes_made, static_cast<uint32_t>(index.ends_.size()), 0});
  if (count == 0) return index;

  const uint32_t root_children = index.nodes_[1].child_begin - index.nodes_[0].child_begin;
  index.root_slots_.assign(PowerOfTwoAtLeast(size_t{root_children} * 2), RootSlot{0, kNoNode});
  index.root_mask_ = index.root_slots_.size() - 1;
  for (Node child = index.nodes_[0].child_begin; child < index.nodes_[1].child_begin; ++child) {
    size_t slot = RootSlotOf(index.label_[child], index.root_mask_);
    while (index.root_slots_[slot].node != kNoNode)
      slot = (slot + 1) & index.root_mask_;
    index.root_slots_[slot] = {index.label_[child], child};
  }

  index.code_point_start_.Reset(count);
  index.packed_utf8_start_.Reset(count);
  for (uint32_t k = 0; k < count; ++k) {
    const std::u32string_view text = key(k).substr(0, 3);
    index.has_space_near_key_start_ |= text.find(U' ') != std::u32string_view::npos;
    std::array<uint32_t, 3> code_points{}, packed{};
    for (size_t c = 0; c < text.size(); ++c) {
      code_points[c] = text[c];
      packed[c] = platform::PackedUtf8Of(text[c]);
    }
    index.code_point_start_.Add(std::span(code_points).first(text.size()));
    index.packed_utf8_start_.Add(std::span(packed).first(text.size()));
  }
  // The keys are no longer needed: given back before the trie is cut to size, so that the
  // two never add up.
  points_ = {};
  starts_ = {};
  ShrinkWhereWorthIt(index.nodes_);
  ShrinkWhereWorthIt(index.label_);
  return index;
}

KeyIndex::Node KeyIndex::First(char32_t code_point) const {
  if (root_slots_.empty()) return kNoNode;
  for (size_t slot = RootSlotOf(code_point, root_mask_);; slot = (slot + 1) & root_mask_) {
    const RootSlot& entry = root_slots_[slot];
    if (entry.node == kNoNode || entry.label == code_point) return entry.node;
  }
}

KeyIndex::Node KeyIndex::Child(Node node, char32_t code_point) const {
  if ((nodes_[node].child_labels & LabelBit(code_point)) == 0) return kNoNode;
  const char32_t* first = label_.data() + nodes_[node].child_begin;
  const char32_t* last = label_.data() + nodes_[node + 1].child_begin;
  // Most nodes below the first level have a handful of children.
  if (last - first <= 8) {
    for (const char32_t* at = first; at != last; ++at) {
      if (*at == code_point) return static_cast<Node>(at - label_.data());
    }
    return kNoNode;
  }
  const char32_t* at = std::lower_bound(first, last, code_point);
  return at != last && *at == code_point ? static_cast<Node>(at - label_.data()) : kNoNode;
}

size_t KeyIndex::MemoryBytes() const {
  return nodes_.capacity() * sizeof(NodeSpans) + label_.capacity() * sizeof(char32_t) +
         ends_.capacity() * sizeof(KeyEnd) + root_slots_.capacity() * sizeof(RootSlot) +
         code_point_start_.MemoryBytes() + packed_utf8_start_.MemoryBytes();
}

}  // namespace chatsieve
