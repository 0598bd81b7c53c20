#include "legacy/mask_chain.h"

namespace chatsieve {

// The lookup runs once for every chained unit: inlined whole, it shares the walk's loads.
[[gnu::flatten]] int32_t MaskChain(CharChain& chain, const BadWordMap& map, char16_t mask,
                                   WordEnd rule) {
  const int32_t reach = map.LongestReach();
  int32_t masked_words = 0;
  CharChain::Node node = chain.First();
  while (node != chain.End()) {
    int32_t matched = MatchAt(map, chain.CursorAt(node), rule);
    if (matched == 0) {
      node = chain.Next(node);
      continue;
    }
    for (; matched > 0; --matched) {
      const CharChain::Node next = chain.Next(node);
      chain.Overwrite(node, mask);
      chain.Remove(node);
      node = next;
    }
    ++masked_words;
    // Every node before the stretch matched nothing, and one more than `reach` nodes
    // before the node after it still sees the units it saw then: starting over from
    // the first node would find its next word no earlier than `reach` nodes back.
    node = chain.StepBack(node, reach);
  }
  return masked_words;
}

}  // namespace chatsieve
