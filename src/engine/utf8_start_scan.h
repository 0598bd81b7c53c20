// The start filter run over UTF-8 text as written, characters named by their packed
// bytes, so that nothing is decoded until the filter lets a position through.
//
// A character starts at any byte but a continuation byte. Those bytes are found 64 at a
// time, as bits; each chunk's characters are named into a small array first, and the
// filter then runs down that array as it would down UTF-16 units. Naming and testing in
// one loop kept too many values live at once: the loop spilled them on every step.
//
// Where text is malformed, the character after a start may not be the next start; but
// then no key of more than one character starts there, and the filter, given some other
// name, can only let the position through or turn away what holds no key. Past the
// text's end characters are named 0, which likewise can only let a position through.
//
// Where the processor has 512-bit vector instructions, a chunk is named in a few of them,
// and the filter's first test is run on its positions eight at a time (utf8_wide_scan.h).
//
// A space, a fifth of chat, is passed over as if it were not there where no key holds
// one among its first three characters: no key starts at a space then, and where a
// space follows a position within its next two characters no key starts there either,
// so the filter may read what comes after the space instead.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/key_index.h"
#include "engine/utf8_wide_scan.h"

namespace chatsieve {

class Utf8StartScan {
 public:
  // Texts shorter than this are not for a scan of their bytes.
  static constexpr size_t kLeastBytes = 4;

  // How the steps are taken: one character at a time, or many where the processor can.
  enum class Steps { kOneAtATime, kWideWherePossible };

  // `pass_spaces`: whether no key holds a space among its first three characters.
  Utf8StartScan(KeyStartFilter::View filter, std::string_view text, size_t at, bool pass_spaces,
                Steps steps = Steps::kWideWherePossible)
      : filter_(filter),
        begin_(reinterpret_cast<const unsigned char*>(text.data())),
        end_(begin_ + text.size()),
        chunk_(begin_ + at),
        passed_(pass_spaces ? ' ' : kContinuation),
        wide_(steps == Steps::kWideWherePossible && HasWideScan()),
        wide_test_(wide_ && !filter.HasSingleKeys()) {}

  // Moves on to the next position the filter lets through (the first call tests the
  // one it started at): true there, false at the text's end.
  bool Next();
  // That position, in bytes of the text.
  size_t At() const { return chunk_at_ + static_cast<size_t>(offsets_[tested_]); }

 private:
  static constexpr size_t kChunkBytes = kUtf8ChunkBytes;
  static constexpr size_t kNameReach = kUtf8NameReach;

  // Next, for a filter with keys of one character or without.
  template <bool kSingleKeys>
  bool Seek();
  // Next with the wide first test, for a filter without keys of one character.
  bool SeekWide();
  // Runs the wide first test on the positions just named, where it is used.
  void TestChunk();
  // Bit k set where byte k from `chunk` starts a character.
  uint64_t StartsIn(const unsigned char* chunk) const;
  // Names the characters of the next chunk, after the ones not yet tested; at the text's
  // end, adds two names past it.
  void NameNextChunk();
  // Names the characters that start where `starts` has bits from `chunk` (four bytes
  // readable at each) from names_[named] on; returns how many names are then held.
  size_t NameStarts(const unsigned char* chunk, uint64_t starts, size_t named);

  // A continuation byte starts nothing anyway: passing it passes nothing.
  static constexpr unsigned char kContinuation = 0x80;

  KeyStartFilter::View filter_;
  // The text; the next chunk to name.
  const unsigned char* begin_;
  const unsigned char* end_;
  const unsigned char* chunk_;
  bool named_all_ = false;
  // A byte the scan passes over as if it were not there.
  unsigned char passed_;
  // Whether chunks are named with vector instructions; whether the first test is run on
  // them so too.
  bool wide_;
  bool wide_test_;
  // The characters named ahead and where they start, in bytes from the chunk last named:
  // two carried over from the chunk before, a chunk's worth, and two past the end, with
  // room for the whole vectors the wide naming stores.
  static constexpr size_t kNamed = 2 + kWideNamesRoom + 2;
  std::array<uint32_t, kNamed> names_;
  std::array<int32_t, kNamed> offsets_;
  size_t chunk_at_ = 0;
  // Bit k set where the wide first test lets position k through.
  std::array<uint64_t, (kNamed + 63) / 64> passes_;
  // Names held; the next one to test; the one last let through.
  size_t named_ = 0;
  size_t next_ = 0;
  size_t tested_ = 0;
};

}  // namespace chatsieve
