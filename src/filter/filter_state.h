// What a filter handle holds: its options and the snapshot of its words in force.
//
// Screening must never wait for a load, and two threads screening with one filter must
// not contend on a shared counter. So each thread keeps the last snapshots it used, by
// filter and generation: a call reads one atomic generation number, and only when a load
// has changed it does the thread take the lock (held for a pointer copy, never for a
// build) to fetch the new snapshot. A thread's cache holds at most a few old snapshots
// until it screens again or ends.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "filter/compiled_words.h"
#include "matching/match_options.h"
#include "matching/screening.h"

namespace chatsieve {

struct Snapshot {
  std::shared_ptr<const CompiledWords> forbidden;
  std::shared_ptr<const CompiledWords> allowed;

  ScreeningWords Words(MatchOptions options) const {
    return {forbidden->index, allowed->index, options};
  }
};

enum class Role { kForbidden, kAllowed };

class FilterState {
 public:
  explicit FilterState(MatchOptions options);
  // A new state with the same options and the snapshot in force now.
  FilterState(const FilterState& other);
  FilterState& operator=(const FilterState&) = delete;

  MatchOptions Options() const { return options_; }

  // The snapshot in force; it stays valid until this thread's next call to Current for
  // any filter.
  const Snapshot& Current() const;

  // Compiles the words for `role` and swaps them in. Throws; nothing changes then.
  void Replace(Role role, WordList words);

 private:
  std::shared_ptr<const Snapshot> Locked() const;

  const MatchOptions options_;
  const uint64_t id_;
  mutable std::mutex mutex_;
  std::shared_ptr<const Snapshot> snapshot_;
  std::atomic<uint64_t> generation_{1};
};

}  // namespace chatsieve
