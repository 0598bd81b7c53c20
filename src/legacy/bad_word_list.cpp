#include "legacy/bad_word_list.h"

#include <algorithm>

#include "wordfile/word_rules.h"

namespace chatsieve {

void BadWordList::Append(std::unique_ptr<BadWord> word) {
  if (!words_.empty() && word->TextLength() > words_.back()->TextLength()) {
    longest_first_ = false;
  }
  words_.push_back(std::move(word));
}

std::unique_ptr<BadWord> BadWordList::Take(size_t index) {
  std::unique_ptr<BadWord> taken = std::move(words_[index]);
  words_.erase(words_.begin() + static_cast<std::ptrdiff_t>(index));
  UpdateLongestFirst();
  return taken;
}

void BadWordList::Sort() {
  std::sort(words_.begin(), words_.end(),
            [](const auto& a, const auto& b) { return LongerFirst(*a, *b); });
  UpdateLongestFirst();
}

void BadWordList::UpdateLongestFirst() {
  longest_first_ = std::is_sorted(words_.begin(), words_.end(), [](const auto& a, const auto& b) {
    return a->TextLength() > b->TextLength();
  });
}

}  // namespace chatsieve
