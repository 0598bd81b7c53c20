// Which listed word the legacy rules find at one text position, over the key scan. The
// keys of every word that matches there are reported (WalkKeys); the one chosen is the
// word the buckets would try first: a word of the bucket of the text's unit before one
// of the bucket of its other ASCII case, and within a bucket the first in bucket order.
// A sorted bucket holds longer words first, so there it is the longest.
#pragma once

#include <cstdint>

#include "engine/key_scan.h"
#include "legacy/legacy_keys.h"

namespace chatsieve {

// Whether a key that ends at `last` is a match under `rule`: a word holding a zero unit,
// compared over its length, matches only where the text ends after it.
template <typename Cursor>
bool EndMatches(const LegacyKeys& keys, const KeyEnd& end, const Cursor& last, WordEnd rule) {
  if (rule == WordEnd::kAtZeroUnit || !keys.Word(end.word).holds_zero_unit) return true;
  Cursor after = last;
  after.Advance();
  return after.AtEnd();
}

// The number of units, from `at` on, of the word the legacy rules find there, or 0.
template <typename Cursor>
int32_t ChosenWordUnits(const LegacyKeys& keys, const Cursor& at, WordEnd rule) {
  const char16_t unit = at.Unit();
  bool chosen_other_case = true;
  uint32_t chosen_rank = UINT32_MAX;
  int32_t chosen_units = 0;
  auto found = [&](const Cursor& first, const Cursor& last, const KeyEnd& end) {
    if (!EndMatches(keys, end, last, rule)) return false;
    const bool other_case = keys.Word(end.word).first_unit != unit;
    if (chosen_units == 0 || other_case < chosen_other_case ||
        (other_case == chosen_other_case && end.word < chosen_rank)) {
      chosen_other_case = other_case;
      chosen_rank = end.word;
      chosen_units = last.Steps() - first.Steps() + 1;
    }
    return false;
  };
  key_scan_detail::WalkKeys(keys.Index(), at, found);
  return chosen_units;
}

}  // namespace chatsieve
