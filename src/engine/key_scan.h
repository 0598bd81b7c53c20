// The one walk every screening operation makes: at each text position the index's
// start filter turns most positions away, then the trie reports every key that starts
// there, shortest first. Overlapping occurrences are all reported.
//
// A cursor stands on one character: AtEnd(), CodePoint() (folded), Begin() and End()
// (its span in the caller's units), Advance(). Cursors are small values, copied freely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "engine/key_index.h"
#include "engine/text_char.h"
#include "engine/utf8_start_scan.h"

namespace chatsieve {

// Reads the caller's text as written, decoding as it goes.
template <typename Encoding>
class RawCursor {
 public:
  using Unit = typename Encoding::Unit;
  explicit RawCursor(std::basic_string_view<Unit> text, size_t offset = 0)
      : start_(text.data()), at_(text.data() + offset), end_(text.data() + text.size()) {
    Decode();
  }
  std::basic_string_view<Unit> Text() const { return {start_, static_cast<size_t>(end_ - start_)}; }

  bool AtEnd() const { return at_ == end_; }
  char32_t CodePoint() const { return code_point_; }
  size_t Begin() const { return static_cast<size_t>(at_ - start_); }
  size_t End() const { return Begin() + units_; }
  void Advance() {
    at_ += units_;
    Decode();
  }
  // Whether a Latin letter stands right before or right after this character.
  bool LatinBefore() const { return at_ != start_ && IsLatinUnit(at_[-1]); }
  bool LatinAfter() const {
    return end_ - at_ > static_cast<ptrdiff_t>(units_) && IsLatinUnit(at_[units_]);
  }

 private:
  static bool IsLatinUnit(Unit unit) {
    return IsLatinLetter(
        FoldCase(static_cast<char32_t>(static_cast<std::make_unsigned_t<Unit>>(unit))));
  }

  void Decode() {
    if (AtEnd()) return;
    const DecodedChar decoded = Encoding::Decode(at_, static_cast<size_t>(end_ - at_));
    code_point_ = FoldCase(decoded.code_point);
    units_ = static_cast<uint32_t>(decoded.units);
  }

  const Unit* start_;
  const Unit* at_;
  const Unit* end_;
  char32_t code_point_ = 0;
  uint32_t units_ = 0;
};

// Reads characters already prepared by the filter's options.
class CharCursor {
 public:
  CharCursor(const TextChar* chars, size_t count, size_t index = 0)
      : chars_(chars), count_(count), index_(index) {}

  bool AtEnd() const { return index_ == count_; }
  char32_t CodePoint() const { return chars_[index_].code_point; }
  size_t Begin() const { return chars_[index_].begin; }
  size_t End() const { return chars_[index_].end; }
  void Advance() { ++index_; }
  size_t Index() const { return index_; }
  const TextChar* Chars() const { return chars_; }
  size_t Count() const { return count_; }
  bool LatinBefore() const { return index_ > 0 && IsLatinLetter(chars_[index_ - 1].code_point); }
  bool LatinAfter() const {
    return index_ + 1 < count_ && IsLatinLetter(chars_[index_ + 1].code_point);
  }

 private:
  const TextChar* chars_;
  size_t count_;
  size_t index_;
};

namespace key_scan_detail {

// Reports every key that starts at `at`, shortest first, until `found` returns true.
template <typename Cursor, typename Found>
bool WalkKeys(const KeyIndex& index, const Cursor& at, Found& found) {
  Cursor last = at;
  for (KeyIndex::Node node = index.First(at.CodePoint()); node != KeyIndex::kNoNode;) {
    for (const KeyEnd& end : index.EndsAt(node)) {
      if (found(at, last, end)) return true;
    }
    last.Advance();
    if (last.AtEnd()) return false;
    node = index.Child(node, last.CodePoint());
  }
  return false;
}

// Every character decoded, the start filter reading code points.
template <typename Cursor, typename Found>
bool ScanDecoded(const KeyIndex& index, Cursor at, Found& found) {
  if (at.AtEnd()) return false;
  // `second` and `third` run ahead, so each character is decoded once for the start
  // filter; only positions it lets through walk the trie.
  const auto code_point = [](const Cursor& cursor) {
    return cursor.AtEnd() ? KeyIndex::kTextEnd : cursor.CodePoint();
  };
  Cursor second = at;
  second.Advance();
  Cursor third = second;
  if (!third.AtEnd()) third.Advance();
  const KeyStartFilter::View start_filter = index.CodePointStart();
  for (;;) {
    if (start_filter.MayStart(at.CodePoint(), code_point(second), code_point(third)) &&
        WalkKeys(index, at, found)) {
      return true;
    }
    if (second.AtEnd()) return false;
    at = second;
    second = third;
    if (!third.AtEnd()) third.Advance();
  }
}

}  // namespace key_scan_detail

// Calls `found(first, last, end)` for every key that spans the characters from cursor
// `first` to cursor `last`, until it returns true; then returns true.
template <typename Cursor, typename Found>
bool ScanKeys(const KeyIndex& index, Cursor at, Found found) {
  return key_scan_detail::ScanDecoded(index, at, found);
}

// Prepared characters: the start filter reads their code points from the array itself,
// each once, with no cursor copied from position to position.
template <typename Found>
bool ScanKeys(const KeyIndex& index, CharCursor start, Found found) {
  const TextChar* chars = start.Chars();
  const size_t count = start.Count();
  const auto code_point = [&](size_t k) {
    return k < count ? chars[k].code_point : KeyIndex::kTextEnd;
  };
  const KeyStartFilter::View start_filter = index.CodePointStart();
  char32_t first = code_point(start.Index());
  char32_t second = code_point(start.Index() + 1);
  char32_t third = code_point(start.Index() + 2);
  for (size_t k = start.Index(); k < count; ++k) {
    if (start_filter.MayStart(first, second, third) &&
        key_scan_detail::WalkKeys(index, CharCursor(chars, count, k), found)) {
      return true;
    }
    first = second;
    second = third;
    third = code_point(k + 3);
  }
  return false;
}

// UTF-8 as written: the start filter reads the characters' bytes as they stand, and
// only the positions it lets through are decoded, for the trie.
template <typename Found>
bool ScanKeys(const KeyIndex& index, RawCursor<Utf8> start, Found found) {
  const std::string_view text = start.Text();
  if (text.size() < Utf8StartScan::kLeastBytes)
    return key_scan_detail::ScanDecoded(index, start, found);
  Utf8StartScan scan(index.PackedUtf8Start(), text, start.Begin(), !index.HasSpaceNearKeyStart());
  while (scan.Next()) {
    if (key_scan_detail::WalkKeys(index, RawCursor<Utf8>(text, scan.At()), found)) return true;
  }
  return false;
}

}  // namespace chatsieve
