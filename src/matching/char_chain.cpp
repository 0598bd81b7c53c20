#include "matching/char_chain.h"

#include <limits>

namespace chatsieve {

bool CharChain::Reset(char16_t* text, size_t capacity) {
  // The place after the last node takes the slot after the `capacity` nodes.
  if (capacity >= static_cast<size_t>(std::numeric_limits<Node>::max())) return false;
  if (!links_.Reserve(capacity + 1)) return false;
  text_ = text;
  end_ = static_cast<Node>(capacity);
  first_ = end_;
  count_ = 0;
  links_[Index(end_)] = Link{0, kNone, end_, 0};
  return true;
}

void CharChain::Append(int32_t position) {
  const Node node = count_++;
  Link& end = links_[Index(end_)];
  links_[Index(node)] = Link{text_[position], end.previous, end_, position};
  if (end.previous == kNone) {
    first_ = node;
  } else {
    links_[Index(end.previous)].next = node;
  }
  end.previous = node;
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
