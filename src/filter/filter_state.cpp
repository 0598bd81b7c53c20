#include "filter/filter_state.h"

#include <array>
#include <utility>

namespace chatsieve {
namespace {

std::atomic<uint64_t> next_filter_id{1};

const std::shared_ptr<const CompiledWords>& NoWords() {
  static const std::shared_ptr<const CompiledWords> none = std::make_shared<const CompiledWords>();
  return none;
}

// A thread's recently used snapshots. Filter ids are never reused, so an entry can
// never be mistaken for a later filter at the same address.
struct CachedSnapshot {
  uint64_t filter = 0;
  uint64_t generation = 0;
  std::shared_ptr<const Snapshot> snapshot;
};

struct SnapshotCache {
  std::array<CachedSnapshot, 4> entries;
  size_t next_victim = 0;
};

thread_local SnapshotCache cache;

}  // namespace

FilterState::FilterState(MatchOptions options)
    : options_(options),
      id_(next_filter_id.fetch_add(1, std::memory_order_relaxed)),
      snapshot_(std::make_shared<const Snapshot>(Snapshot{NoWords(), NoWords()})) {}

FilterState::FilterState(const FilterState& other)
    : options_(other.options_),
      id_(next_filter_id.fetch_add(1, std::memory_order_relaxed)),
      snapshot_(other.Locked()) {}

std::shared_ptr<const Snapshot> FilterState::Locked() const {
  const std::lock_guard lock(mutex_);
  return snapshot_;
}

const Snapshot& FilterState::Current() const {
  const uint64_t generation = generation_.load(std::memory_order_acquire);
  for (const CachedSnapshot& entry : cache.entries) {
    if (entry.filter == id_ && entry.generation == generation) return *entry.snapshot;
  }
  CachedSnapshot fresh{id_, 0, nullptr};
  {
    const std::lock_guard lock(mutex_);
    fresh.generation = generation_.load(std::memory_order_relaxed);
    fresh.snapshot = snapshot_;
  }
  // An entry of this filter from an older generation is the one to replace.
  size_t slot = cache.next_victim;
  for (size_t k = 0; k < cache.entries.size(); ++k) {
    if (cache.entries[k].filter == id_) slot = k;
  }
  if (slot == cache.next_victim) cache.next_victim = (slot + 1) % cache.entries.size();
  cache.entries[slot] = std::move(fresh);
  return *cache.entries[slot].snapshot;
}

void FilterState::Replace(Role role, WordList words) {
  std::shared_ptr<const CompiledWords> compiled =
      role == Role::kAllowed ? CompileAllowedWords(std::move(words), options_)
                             : CompileWords(std::move(words), options_);
  std::shared_ptr<const Snapshot> replaced;
  {
    const std::lock_guard lock(mutex_);
    Snapshot next = *snapshot_;
    (role == Role::kForbidden ? next.forbidden : next.allowed) = std::move(compiled);
    replaced = std::exchange(snapshot_, std::make_shared<const Snapshot>(std::move(next)));
    generation_.fetch_add(1, std::memory_order_release);
  }
  // The old words, if this was their last holder, are freed outside the lock.
}

}  // namespace chatsieve
