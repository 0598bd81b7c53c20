// Cursors for the key scan over UTF-16 units, each unit a character of its own with
// ASCII case folded, as the legacy rules read text.
#pragma once

#include <cstdint>

#include "legacy/char_chain.h"
#include "wordfile/word_rules.h"

namespace chatsieve {

// A terminated array of units; the terminator is the end.
class UnitCursor {
 public:
  explicit UnitCursor(const char16_t* at) : at_(at) {}
  bool AtEnd() const { return *at_ == 0; }
  char16_t Unit() const { return *at_; }
  char32_t CodePoint() const { return FoldAsciiCase(*at_); }
  void Advance() { ++at_; }

 private:
  const char16_t* at_;
};

// The units of a masking chain; its End(), of unit 0, is the end. It counts the units it
// passes, so that a match's length is the difference of two cursors.
class ChainCursor {
 public:
  ChainCursor(const CharChain& chain, CharChain::Node node) : at_(chain.CursorAt(node)) {}
  bool AtEnd() const { return at_.Unit() == 0; }
  char16_t Unit() const { return at_.Unit(); }
  char32_t CodePoint() const { return FoldAsciiCase(at_.Unit()); }
  void Advance() {
    at_.Next();
    ++steps_;
  }
  int32_t Steps() const { return steps_; }

 private:
  CharChain::Cursor at_;
  int32_t steps_ = 0;
};

}  // namespace chatsieve
