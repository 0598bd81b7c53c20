#include "legacy/chain_masking.h"

#include "legacy/chosen_word.h"
#include "legacy/unit_cursors.h"

namespace chatsieve {
namespace {

char32_t CodePointOf(const ChainCursor& cursor) {
  return cursor.AtEnd() ? KeyIndex::kTextEnd : cursor.CodePoint();
}

// The start filter's answer from the first three units at `at`.
bool MayStartAt(const KeyStartFilter::View& start_filter, const ChainCursor& at) {
  ChainCursor second = at;
  second.Advance();
  ChainCursor third = second;
  if (!third.AtEnd()) third.Advance();
  return start_filter.MayStart(at.CodePoint(), CodePointOf(second), CodePointOf(third));
}

}  // namespace

// The lookup runs once for every chained unit: inlined whole, it shares the walk's loads.
[[gnu::flatten]] int32_t MaskChain(CharChain& chain, const LegacyKeys& keys, char16_t mask,
                                   WordEnd rule) {
  const int32_t reach = keys.LongestReach();
  const KeyStartFilter::View start_filter = keys.Index().CodePointStart();
  int32_t masked_words = 0;
  CharChain::Node node = chain.First();
  while (node != chain.End()) {
    const ChainCursor at(chain, node);
    int32_t matched = MayStartAt(start_filter, at) ? ChosenWordUnits(keys, at, rule) : 0;
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
