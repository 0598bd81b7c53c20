#include "legacy/char_chain.h"

#include <limits>

namespace chatsieve {

bool CharChain::Reset(char16_t* text, int32_t capacity) {
  // End() takes the slot after the `capacity` nodes, and its number must fit a Node.
  if (capacity < 0 || capacity == std::numeric_limits<Node>::max()) return false;
  if (!links_.Reserve(Index(capacity) + 1)) return false;
  text_ = text;
  end_ = capacity;
  return true;
}

void CharChain::Close(Node count) {
  first_ = count > 0 ? 0 : end_;
  if (count > 0) links_[Index(count - 1)].next = end_;
  links_[Index(end_)] = Link{0, count - 1, end_, 0};
}

void CharChain::Remove(Node node) {
  const Link& link = links_[Index(node)];
  if (link.previous == kNone) {
    first_ = link.next;
  } else {
    links_[Index(link.previous)].next = link.next;
  }
  links_[Index(link.next)].previous = link.previous;
}

CharChain::Node CharChain::StepBack(Node node, int32_t steps) const {
  for (; steps > 0 && Previous(node) != kNone; --steps) {
    node = Previous(node);
  }
  return node;
}

}  // namespace chatsieve
