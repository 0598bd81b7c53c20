// The units of a working text that take part in masking, as a doubly linked list in
// text order. Taking a matched stretch out costs one unlink a unit and moves no text,
// and the units on both sides become neighbours, so a later word can match across it.
// Every node of a pass lives in one block, made once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/work_buffer.h"

namespace chatsieve {

class CharChain {
 public:
  using Node = int32_t;
  static constexpr Node kNone = -1;

  // Chains, in text order, the units of `text` (`length` units; the text must outlive
  // the chain) that `take(position, unit, last_unit_taken)` accepts; the last unit
  // taken is 0 before the first. False when memory runs out or the text is too long.
  template <typename Take>
  bool Build(char16_t* text, int32_t length, Take take);

  // The first node, or End() for an empty chain.
  Node First() const { return first_; }
  // The place after the last node: its unit is 0 and it never moves on.
  Node End() const { return end_; }
  Node Next(Node node) const { return links_[Index(node)].next; }
  // kNone before the first node; from End() the last node.
  Node Previous(Node node) const { return links_[Index(node)].previous; }

  // Writes `unit` into the text at the node's position; the chain is left alone.
  void Overwrite(Node node, char16_t unit) { text_[links_[Index(node)].position] = unit; }
  // Unlinks a node other than End(); the other nodes and the text stay as they are.
  void Remove(Node node);

  // The node `steps` nodes before `node`, or the first node if that is nearer.
  Node StepBack(Node node, int32_t steps) const;

  // Walks the chain for word matching: the unit a node held when it was chained.
  class Cursor {
   public:
    char16_t Unit() const { return chain_->links_[Index(node_)].unit; }
    void Next() { node_ = chain_->Next(node_); }

   private:
    friend class CharChain;
    Cursor(const CharChain* chain, Node node) : chain_(chain), node_(node) {}

    const CharChain* chain_;
    Node node_;
  };

  Cursor CursorAt(Node node) const { return Cursor(this, node); }

 private:
  struct Link {
    char16_t unit;
    Node previous;
    Node next;
    int32_t position;
  };

  static size_t Index(Node node) { return static_cast<size_t>(node); }

  // Room for up to `capacity` nodes and End() after them.
  bool Reset(char16_t* text, int32_t capacity);
  // Ties the `count` nodes built, each linked to node - 1 and node + 1, to End().
  void Close(Node count);

  WorkBuffer<Link> links_;
  char16_t* text_ = nullptr;
  Node first_ = 0;
  Node end_ = 0;
};

template <typename Take>
bool CharChain::Build(char16_t* text, int32_t length, Take take) {
  if (!Reset(text, length)) return false;
  // Locals rather than members, so that the stores into the links cannot touch them.
  Link* links = links_.Data();
  Node count = 0;
  char16_t last_taken = 0;
  for (int32_t position = 0; position < length; ++position) {
    const char16_t unit = text[position];
    if (!take(position, unit, last_taken)) continue;
    // Node 0's previous is kNone, -1.
    links[count] = Link{unit, count - 1, count + 1, position};
    ++count;
    last_taken = unit;
  }
  Close(count);
  return true;
}

}  // namespace chatsieve
