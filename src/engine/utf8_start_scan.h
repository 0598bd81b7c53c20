// The start filter run over UTF-8 text as written, characters named by their packed
// bytes, so that nothing is decoded until the filter lets a position through.
//
// A character starts at any byte but a continuation byte. Those bytes are found 64 at a
// time, as bits, and the scan moves from one start to the next by clearing the lowest
// bit: stepping by each character's length would make every step wait on loading its
// lead byte. Where text is malformed, the character after a start may not be the next
// start; but then no key of more than one character starts there, and the filter, given
// some other name, can only let the position through or turn away what holds no key.
// Past the text's end characters are named 0, which likewise can only let a position
// through.
//
// A space, a fifth of chat, is passed over as if it were not there where no key holds
// one among its first three characters: no key starts at a space then, and where a
// space follows a position within its next two characters no key starts there either,
// so the filter may read what comes after the space instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/key_index.h"

namespace chatsieve {

class Utf8StartScan {
 public:
  // Texts shorter than this are not for a scan of their bytes.
  static constexpr size_t kLeastBytes = 4;

  // `pass_spaces`: whether no key holds a space among its first three characters.
  Utf8StartScan(KeyStartFilter::View filter, std::string_view text, size_t at, bool pass_spaces)
      : filter_(filter),
        begin_(reinterpret_cast<const unsigned char*>(text.data())),
        end_(begin_ + text.size()),
        last_read_(end_ - kLeastBytes),
        passed_(pass_spaces ? ' ' : kContinuation) {
    window_.at_1 = begin_ + at;
  }

  // Moves on to the next position the filter lets through (the first call tests the
  // one it started at): true there, false at the text's end.
  bool Next();
  // That position, in bytes of the text.
  size_t At() const { return static_cast<size_t>(window_.at_1 - begin_); }

 private:
  // The three characters the filter reads: where each starts, and their names (the
  // first two as one value); and the starts not yet reached in the 64 bytes from
  // `chunk`.
  struct Window {
    const unsigned char *at_1, *at_2, *at_3;
    uint64_t names_1_2;
    uint32_t name_3;
    const unsigned char* chunk;
    uint64_t starts;
  };

  // Next, for a filter with keys of one character or without.
  template <bool kSingleKeys>
  bool Seek();
  // Bit k set where byte k from `chunk` starts a character.
  uint64_t StartsIn(const unsigned char* chunk) const;
  // The window at the position the scan begins at.
  Window FirstWindow() const;
  // Moves the window one start on.
  void Step(Window& window) const;
  // The next chunk after the one at `chunk` that holds a start; none left if its
  // starts are 0.
  struct Chunk {
    const unsigned char* begin;
    uint64_t starts;
  };
  Chunk NextChunk(const unsigned char* chunk) const;

  // A continuation byte starts nothing anyway: passing it passes nothing.
  static constexpr unsigned char kContinuation = 0x80;

  KeyStartFilter::View filter_;
  // The text; the last place a read of four bytes fits.
  const unsigned char* begin_;
  const unsigned char* end_;
  const unsigned char* last_read_;
  // A byte the scan passes over as if it were not there.
  unsigned char passed_;
  Window window_{};
  // Whether the window's position was tested; until then only window_.at_1 is set.
  bool tested_ = false;
};

}  // namespace chatsieve
