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
  NodeId Child(NodeId node, char16_t folded_unit) const;
  const Ends& EndsAt(NodeId node) const { return ends_[node]; }

  void Clear();

 private:
  struct Edge {
    NodeId parent = kNoNode;
    char16_t unit = 0;
    NodeId child = kNoNode;
  };

  NodeId NodeAt(NodeId root, const char16_t* rest, int32_t rest_length);
  NodeId AddChild(NodeId node, char16_t folded_unit);
  size_t SlotOf(NodeId parent, char16_t unit) const;
  void Grow();

  std::vector<Ends> ends_;
  // Open addressing with linear probing; the size is a power of two, at most half full.
  std::vector<Edge> edges_;
  size_t edge_count_ = 0;
};

}  // namespace chatsieve
