// What a filter handle holds: its options and the snapshot of its words in force.
//
// Screening must never wait for a load, and two threads screening with one filter must
// not contend on a shared counter. So a call publishes, in its thread's own slot, the
// snapshot it screens with, and a load that replaces that snapshot frees it once no
// slot holds it: a thread keeps nothing of a filter between calls, and freeing a filter
// frees its words whatever other threads do later.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/match_options.h"
#include "engine/screening.h"
#include "filter/compiled_words.h"
#include "filter/reader_slots.h"

namespace chatsieve {

// Which forbidden words count: those of at least a severity, and of the chosen
// categories when any are chosen.
struct Policy {
  int min_severity = kLeastSeverity;
  std::vector<std::string> categories;  // none: every category, and words with none

  bool CountsEveryWord() const { return min_severity <= kLeastSeverity && categories.empty(); }
};

struct Snapshot {
  std::shared_ptr<const CompiledWords> forbidden;
  std::shared_ptr<const CompiledWords> allowed;
  std::shared_ptr<const WordSet> counted;  // null: every forbidden word counts
  // The look-alike shapes both lists were compiled with, and the text is read with.
  std::shared_ptr<const LookalikeTable> lookalikes;

  ScreeningWords Words(MatchOptions options) const {
    return {forbidden->index, allowed->index, options, counted.get(), {}, lookalikes.get()};
  }
};

// Which of its two lists a load replaces.
enum class ListRole { kForbidden, kAllowed };

class FilterState {
 public:
  explicit FilterState(MatchOptions options);
  // A new state with the same options and the words in force now.
  FilterState(const FilterState& other);
  FilterState& operator=(const FilterState&) = delete;
  ~FilterState();

  MatchOptions MatchingOptions() const { return options_; }

  // The snapshot in force, which no load frees while this lives. One at a time per
  // thread. Throws std::bad_alloc on a thread's first screening only.
  class Reading {
   public:
    explicit Reading(const FilterState& state);
    ~Reading() { slot_.in_use.store(nullptr, std::memory_order_release); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    const Snapshot& operator*() const { return *snapshot_; }
    const Snapshot* operator->() const { return snapshot_; }

   private:
    ReaderSlot& slot_;
    const Snapshot* snapshot_;
  };

  // Compiles the words for `role` and swaps them in; returns the entries left out.
  // Throws; nothing changes then. Loads compile one at a time, each with the look-alike
  // table in force.
  std::vector<LeftOutEntry> Replace(ListRole role, WordList words);
  // Both at once, in one swap: no call sees one replaced and not the other. Returns the
  // entries left out of each.
  std::pair<std::vector<LeftOutEntry>, std::vector<LeftOutEntry>> ReplaceBoth(WordList forbidden,
                                                                              WordList allowed);
  // Reads look-alike shapes with `table` from now on: the words in force are compiled
  // again with it and swapped in with it. Returns the entries left out of each list.
  std::pair<std::vector<LeftOutEntry>, std::vector<LeftOutEntry>> ReplaceLookalikes(
      std::shared_ptr<const LookalikeTable> table);

  // Changes the policy in force for later calls, over these words and every later load.
  template <typename Change>
  void ChangePolicy(Change change) {
    const std::lock_guard lock(loading_);
    Policy policy = policy_;
    change(policy);
    PutPolicy(std::move(policy));
  }

 private:
  // Puts `next` in force, then frees the snapshot it replaced once no call uses it.
  void Swap(std::unique_ptr<const Snapshot> next);
  // With the loading lock held.
  void PutPolicy(Policy policy);
  std::pair<std::vector<LeftOutEntry>, std::vector<LeftOutEntry>> ReplaceBothLocked(
      WordList forbidden, WordList allowed, std::shared_ptr<const LookalikeTable> table);

  const MatchOptions options_;
  mutable std::mutex loading_;  // one load or policy change at a time
  Policy policy_;
  std::atomic<const Snapshot*> current_;
};

}  // namespace chatsieve
