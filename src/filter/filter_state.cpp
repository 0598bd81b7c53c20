#include "filter/filter_state.h"

#include <utility>

namespace chatsieve {
namespace {

const std::shared_ptr<const CompiledWords>& NoWords() {
  static const std::shared_ptr<const CompiledWords> none = std::make_shared<const CompiledWords>();
  return none;
}

std::shared_ptr<const WordSet> CountedWords(const WordList& words, const Policy& policy) {
  if (policy.CountsEveryWord()) return nullptr;
  auto counted = std::make_shared<WordSet>(words.Size());
  // A category's number in this list, or none when the list does not name it.
  std::vector<bool> chosen(words.CategoryCount(), policy.categories.empty());
  for (size_t category = 1; category < words.CategoryCount(); ++category) {
    const std::string& name = words.CategoryName(static_cast<uint16_t>(category));
    for (const std::string& wanted : policy.categories)
      chosen[category] = chosen[category] || name == wanted;
  }
  for (size_t word = 0; word < words.Size(); ++word) {
    const WordTraits& traits = words.Traits(word);
    if (traits.severity >= policy.min_severity && chosen[traits.category])
      counted->Add(static_cast<uint32_t>(word));
  }
  return counted;
}

}  // namespace

FilterState::FilterState(MatchOptions options)
    : options_(options),
      current_(new Snapshot{
          NoWords(), NoWords(), nullptr,
          // The built-in table lives as long as the library: not owned.
          std::shared_ptr<const LookalikeTable>(std::shared_ptr<void>(), &BuiltinLookalikes())}) {}

FilterState::FilterState(const FilterState& other) : options_(other.options_) {
  const std::lock_guard lock(other.loading_);
  policy_ = other.policy_;
  current_.store(new Snapshot(*other.current_.load(std::memory_order_relaxed)),
                 std::memory_order_relaxed);
}

FilterState::~FilterState() {
  delete current_.load(std::memory_order_relaxed);
}

FilterState::Reading::Reading(const FilterState& state) : slot_(ThisThreadsSlot()) {
  const Snapshot* snapshot = state.current_.load(std::memory_order_acquire);
  // Published before it is used: a load that swaps it out after this sees the slot and
  // waits; one that swapped it out before is seen here, and the newer one is taken.
  for (;;) {
    PublishUse(slot_, snapshot);
    const Snapshot* again = state.current_.load(std::memory_order_seq_cst);
    if (again == snapshot) break;
    snapshot = again;
  }
  snapshot_ = snapshot;
}

void FilterState::Swap(std::unique_ptr<const Snapshot> next) {
  const std::unique_ptr<const Snapshot> replaced(
      current_.exchange(next.release(), std::memory_order_seq_cst));
  WaitUntilUnused(replaced.get());
}

std::vector<LeftOutEntry> FilterState::Replace(ListRole role, WordList words) {
  const std::lock_guard lock(loading_);
  auto next = std::make_unique<Snapshot>(*current_.load(std::memory_order_relaxed));
  if (role == ListRole::kForbidden) {
    Compilation compilation = CompileWords(std::move(words), options_, *next->lookalikes);
    next->counted = CountedWords(compilation.compiled->words, policy_);
    next->forbidden = std::move(compilation.compiled);
    Swap(std::move(next));
    return std::move(compilation.left_out);
  }
  Compilation compilation = CompileAllowedWords(std::move(words), options_, *next->lookalikes);
  next->allowed = std::move(compilation.compiled);
  Swap(std::move(next));
  return std::move(compilation.left_out);
}

std::pair<std::vector<LeftOutEntry>, std::vector<LeftOutEntry>> FilterState::ReplaceBoth(
    WordList forbidden, WordList allowed) {
  const std::lock_guard lock(loading_);
  return ReplaceBothLocked(std::move(forbidden), std::move(allowed),
                           current_.load(std::memory_order_relaxed)->lookalikes);
}

std::pair<std::vector<LeftOutEntry>, std::vector<LeftOutEntry>> FilterState::ReplaceLookalikes(
    std::shared_ptr<const LookalikeTable> table) {
  const std::lock_guard lock(loading_);
  const Snapshot& current = *current_.load(std::memory_order_relaxed);
  return ReplaceBothLocked(current.forbidden->words, current.allowed->words, std::move(table));
}

std::pair<std::vector<LeftOutEntry>, std::vector<LeftOutEntry>> FilterState::ReplaceBothLocked(
    WordList forbidden, WordList allowed, std::shared_ptr<const LookalikeTable> table) {
  Compilation forbidden_words = CompileWords(std::move(forbidden), options_, *table);
  Compilation allowed_words = CompileAllowedWords(std::move(allowed), options_, *table);
  auto next = std::make_unique<Snapshot>(*current_.load(std::memory_order_relaxed));
  next->counted = CountedWords(forbidden_words.compiled->words, policy_);
  next->forbidden = std::move(forbidden_words.compiled);
  next->allowed = std::move(allowed_words.compiled);
  next->lookalikes = std::move(table);
  Swap(std::move(next));
  return {std::move(forbidden_words.left_out), std::move(allowed_words.left_out)};
}

void FilterState::PutPolicy(Policy policy) {
  auto next = std::make_unique<Snapshot>(*current_.load(std::memory_order_relaxed));
  next->counted = CountedWords(next->forbidden->words, policy);
  policy_ = std::move(policy);
  Swap(std::move(next));
}

}  // namespace chatsieve
