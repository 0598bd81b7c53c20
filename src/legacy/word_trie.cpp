#include "legacy/word_trie.h"

#include <bit>
#include <stdexcept>

#include "wordfile/word_rules.h"

namespace chatsieve {
namespace {

constexpr size_t kInitialEdgeSlots = 64;

}  // namespace

WordTrie::NodeId WordTrie::AddRoot() {
  if (nodes_.size() >= kNoNode) throw std::length_error("word trie is full");
  nodes_.emplace_back();
  return static_cast<NodeId>(nodes_.size() - 1);
}

void WordTrie::Add(NodeId root, const char16_t* rest, int32_t rest_length, bool at_text_end) {
  NodeId node = root;
  for (int32_t i = 0; i < rest_length; ++i) {
    const char16_t unit = FoldAsciiCase(rest[i]);
    const NodeId child = Child(node, unit);
    node = child != kNoNode ? child : AddChild(node, unit);
  }
  Ends& ends = nodes_[node].ends;
  ++(at_text_end ? ends.at_text_end : ends.anywhere);
}

void WordTrie::Remove(NodeId root, const char16_t* rest, int32_t rest_length, bool at_text_end) {
  const NodeId node = NodeAt(root, rest, rest_length);
  if (node == kNoNode) return;
  Ends& ends = nodes_[node].ends;
  uint32_t& count = at_text_end ? ends.at_text_end : ends.anywhere;
  if (count > 0) --count;
}

WordTrie::NodeId WordTrie::NodeAt(NodeId root, const char16_t* rest, int32_t rest_length) const {
  NodeId node = root;
  for (int32_t i = 0; i < rest_length && node != kNoNode; ++i) {
    node = Child(node, FoldAsciiCase(rest[i]));
  }
  return node;
}

size_t WordTrie::SlotOf(NodeId parent, char16_t unit) const {
  const uint64_t key = (static_cast<uint64_t>(parent) << 16) | unit;
  return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> slot_shift_);
}

WordTrie::NodeId WordTrie::ProbeChild(NodeId node, char16_t folded_unit) const {
  const size_t mask = edges_.size() - 1;
  for (size_t slot = SlotOf(node, folded_unit);; slot = (slot + 1) & mask) {
    const Edge& edge = edges_[slot];
    if (edge.parent == kNoNode) return kNoNode;
    if (edge.parent == node && edge.unit == folded_unit) return edge.child;
  }
}

WordTrie::NodeId WordTrie::AddChild(NodeId node, char16_t folded_unit) {
  if (2 * (edge_count_ + 1) > edges_.size()) Grow();
  const NodeId child = AddRoot();
  const size_t mask = edges_.size() - 1;
  size_t slot = SlotOf(node, folded_unit);
  while (edges_[slot].parent != kNoNode)
    slot = (slot + 1) & mask;
  edges_[slot] = Edge{node, folded_unit, child};
  nodes_[node].child_units |= UnitBit(folded_unit);
  ++edge_count_;
  return child;
}

void WordTrie::Grow() {
  std::vector<Edge> grown(edges_.empty() ? kInitialEdgeSlots : edges_.size() * 2);
  grown.swap(edges_);
  slot_shift_ = 64 - std::countr_zero(edges_.size());
  const size_t mask = edges_.size() - 1;
  for (const Edge& edge : grown) {
    if (edge.parent == kNoNode) continue;
    size_t slot = SlotOf(edge.parent, edge.unit);
    while (edges_[slot].parent != kNoNode)
      slot = (slot + 1) & mask;
    edges_[slot] = edge;
  }
}

void WordTrie::Clear() {
  nodes_.clear();
  edges_.clear();
  edge_count_ = 0;
  slot_shift_ = 64;
}

}  // namespace chatsieve
