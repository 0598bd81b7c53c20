// A trie over the units that follow a word's first unit, so that a matcher standing
// at a text position learns every word that starts there in one walk that gives up at
// the first unit no word continues with. Units are taken with ASCII case folded, as
// every comparison of the index takes them. Each bucket has its own root.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace chatsieve {

class WordTrie {
 public:
  using NodeId = uint32_t;
  static constexpr NodeId kNoNode = UINT32_MAX;

  // How many stored words end at a node. A word stored from a wide record can hold a
  // zero unit within its length; compared in full it only matches where the text ends
  // right there, while a masking pass, which stops at the zero, takes it anywhere.
  struct Ends {
    uint32_t anywhere = 0;
    uint32_t at_text_end = 0;
  };

  NodeId AddRoot();

  // Records a word, given as the units after its first one (`rest`, `rest_length`
  // units, no zero among them), below `root`. `at_text_end` marks a word that goes on
  // with a zero unit.
  void Add(NodeId root, const char16_t* rest, int32_t rest_length, bool at_text_end);
  void Remove(NodeId root, const char16_t* rest, int32_t rest_length, bool at_text_end);

  // The node reached from `node` by a unit whose ASCII case is already folded.
  NodeId Child(NodeId node, char16_t folded_unit) const {
    // Most text units continue no word: the node's summary of its children's units
    // turns them away before the edge table is probed.
    if ((nodes_[node].child_units & UnitBit(folded_unit)) == 0) return kNoNode;
    return ProbeChild(node, folded_unit);
  }
  const Ends& EndsAt(NodeId node) const { return nodes_[node].ends; }
  // The node a word's units after its first one lead to from `root`, or kNoNode.
  NodeId NodeAt(NodeId root, const char16_t* rest, int32_t rest_length) const;

  void Clear();

 private:
  struct Node {
    Ends ends;
    // One bit per class of unit some child edge carries; set bits stay after a
    // removal, which only costs a probe.
    uint64_t child_units = 0;
  };

  struct Edge {
    NodeId parent = kNoNode;
    char16_t unit = 0;
    NodeId child = kNoNode;
  };

  static constexpr uint64_t UnitBit(char16_t unit) {
    return uint64_t{1} << ((unit ^ (unit >> 6)) & 63);
  }

  NodeId ProbeChild(NodeId node, char16_t folded_unit) const;
  NodeId AddChild(NodeId node, char16_t folded_unit);
  size_t SlotOf(NodeId parent, char16_t unit) const;
  void Grow();

  std::vector<Node> nodes_;
  // Open addressing with linear probing; the size is a power of two, at most half full.
  std::vector<Edge> edges_;
  size_t edge_count_ = 0;
  int slot_shift_ = 64;
};

}  // namespace chatsieve
