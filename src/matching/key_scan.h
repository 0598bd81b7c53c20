// The one walk every screening operation makes: at each text position the index's
// start filter turns most positions away, then the trie reports every key that starts
// there, shortest first. Overlapping occurrences are all reported.
//
// A cursor stands on one character: AtEnd(), CodePoint() (folded), Begin() and End()
// (its span in the caller's units), Advance(). Cursors are small values, copied freely.
#pragma once

#include <cstddef>
#include <string_view>
#include <type_traits>

#include "dictionary/key_index.h"
#include "matching/text_char.h"

namespace chatsieve {

// Reads the caller's text as written, decoding as it goes.
template <typename Encoding>
class RawCursor {
 public:
  using Unit = typename Encoding::Unit;
  explicit RawCursor(std::basic_string_view<Unit> text) : text_(text) { Decode(); }

  bool AtEnd() const { return at_ == text_.size(); }
  char32_t CodePoint() const { return code_point_; }
  size_t Begin() const { return at_; }
  size_t End() const { return at_ + units_; }
  void Advance() {
    at_ += units_;
    Decode();
  }
  // Whether a Latin letter stands right before or right after this character.
  bool LatinBefore() const { return at_ > 0 && IsLatinUnit(text_[at_ - 1]); }
  bool LatinAfter() const { return End() < text_.size() && IsLatinUnit(text_[End()]); }

 private:
  static bool IsLatinUnit(Unit unit) {
    return IsLatinLetter(
        FoldCase(static_cast<char32_t>(static_cast<std::make_unsigned_t<Unit>>(unit))));
  }

  void Decode() {
    if (AtEnd()) return;
    const DecodedChar decoded = Encoding::Decode(text_.data() + at_, text_.size() - at_);
    code_point_ = FoldCase(decoded.code_point);
    units_ = decoded.units;
  }

  std::basic_string_view<Unit> text_;
  size_t at_ = 0;
  size_t units_ = 0;
  char32_t code_point_ = 0;
};

// Reads characters already prepared by the filter's options.
class CharCursor {
 public:
  CharCursor(const TextChar* chars, size_t count) : chars_(chars), count_(count) {}

  bool AtEnd() const { return index_ == count_; }
  char32_t CodePoint() const { return chars_[index_].code_point; }
  size_t Begin() const { return chars_[index_].begin; }
  size_t End() const { return chars_[index_].end; }
  void Advance() { ++index_; }
  size_t Index() const { return index_; }
  bool LatinBefore() const { return index_ > 0 && IsLatinLetter(chars_[index_ - 1].code_point); }
  bool LatinAfter() const {
    return index_ + 1 < count_ && IsLatinLetter(chars_[index_ + 1].code_point);
  }

 private:
  const TextChar* chars_;
  size_t count_;
  size_t index_ = 0;
};

// Calls `found(first, last, end)` for every key that spans the characters from cursor
// `first` to cursor `last`, until it returns true; then returns true.
template <typename Cursor, typename Found>
bool ScanKeys(const KeyIndex& index, Cursor at, Found found) {
  for (; !at.AtEnd(); at.Advance()) {
    Cursor last = at;
    last.Advance();
    const char32_t second = last.AtEnd() ? KeyIndex::kTextEnd : last.CodePoint();
    if (!index.MayStart(at.CodePoint(), second)) continue;
    last = at;
    for (KeyIndex::Node node = index.First(at.CodePoint()); node != KeyIndex::kNoNode;) {
      for (const KeyEnd& end : index.EndsAt(node)) {
        if (found(at, last, end)) return true;
      }
      last.Advance();
      if (last.AtEnd()) break;
      node = index.Child(node, last.CodePoint());
    }
  }
  return false;
}

}  // namespace chatsieve
