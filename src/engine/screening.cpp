#include "engine/screening.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <tuple>

#include "engine/char_preparation.h"
#include "engine/key_scan.h"
#include "engine/text_char.h"
#include "engine/text_pieces.h"
#include "engine/word_place.h"
#include "text/unicode_text.h"

namespace chatsieve {
namespace {

template <typename Encoding>
using Text = std::basic_string_view<typename Encoding::Unit>;

// An occurrence with the prepared characters it spans, first to last.
struct Span {
  Occurrence occurrence;
  size_t first_char;
  size_t last_char;
  size_t first_end;  // where the occurrence's first character ends, in the caller's units
};

// A key typed as Latin letters counts only where no Latin letter stands right before or
// after it: English words hold such keys by chance.
template <typename Cursor>
bool IsWholeLatinToken(const Cursor& first, const Cursor& last) {
  return !first.LatinBefore() && !last.LatinAfter();
}

template <typename Cursor>
size_t CharIndex(const Cursor& cursor) {
  if constexpr (requires { cursor.Index(); }) {
    return cursor.Index();
  } else {
    return 0;
  }
}

// Calls `found(span)` for every occurrence of a key of `index` in `text` that stands
// where its word counts, until it returns true.
template <typename Encoding, typename Cursor, typename Found>
bool ScanOccurrences(const KeyIndex& index, Text<Encoding> text, Cursor start, Found found) {
  return ScanKeys(index, start, [&](const Cursor& first, const Cursor& last, const KeyEnd& end) {
    if (end.whole_latin_token && !IsWholeLatinToken(first, last)) return false;
    if (end.place != WordPlace::kAnywhere &&
        !StandsWhereItCounts<Encoding>(end.place, text, first.Begin(), last.End())) {
      return false;
    }
    return found(Span{
        {first.Begin(), last.End(), end.word}, CharIndex(first), CharIndex(last), first.End()});
  });
}

// The allowed occurrences ordered by begin, each end raised to the furthest end of any
// up to it, so that each listed word found costs a binary search, not a pass over every
// allowed occurrence (which made a long text dense with both quadratic).
template <typename Encoding, typename Cursor>
std::vector<Occurrence> AllowedReach(const KeyIndex& allowed, Text<Encoding> text, Cursor start) {
  std::vector<Occurrence> found;
  ScanOccurrences<Encoding>(allowed, text, start, [&](const Span& span) {
    found.push_back(span.occurrence);
    return false;
  });
  std::sort(found.begin(), found.end(),
            [](const Occurrence& a, const Occurrence& b) { return a.begin < b.begin; });
  for (size_t k = 1; k < found.size(); ++k)
    found[k].end = std::max(found[k].end, found[k - 1].end);
  return found;
}

bool Covered(const Occurrence& word, const std::vector<Occurrence>& reach) {
  const auto after = std::upper_bound(
      reach.begin(), reach.end(), word.begin,
      [](size_t begin, const Occurrence& allowed) { return begin < allowed.begin; });
  return after != reach.begin() && word.end <= std::prev(after)->end;
}

// Visits every occurrence of a word the policy counts that no allowed word covers, until
// `found` returns true.
template <typename Encoding, typename Cursor, typename Found>
bool ScanUncovered(const ScreeningWords& words, Text<Encoding> text, Cursor start, Found found) {
  std::optional<std::vector<Occurrence>> allowed;
  return ScanOccurrences<Encoding>(words.forbidden, text, start, [&](const Span& span) {
    if (words.counted != nullptr && !words.counted->Holds(span.occurrence.word)) return false;
    if (!words.allowed.Empty()) {
      // Most texts hold no forbidden word: the allowed words are looked for only once
      // one is found.
      if (!allowed) allowed = AllowedReach<Encoding>(words.allowed, text, start);
      if (Covered(span.occurrence, *allowed)) return false;
    }
    return found(span);
  });
}

// The look-alike shapes a piece must not end inside, or null when they are not read.
const LookalikeTable* AsciiShapes(const ScreeningWords& words) {
  return words.options.Has(MatchOption::kLookalike) ? words.lookalikes : nullptr;
}

// A text longer than a piece, read piece by piece. Each piece's characters follow the
// last few of the piece before, enough for any key and any allowed word that may cover
// it; an occurrence counts in the piece where it ends, unless it ends so near the piece's
// end that a Latin letter or an allowed word after it may be read only with the next.
template <typename Encoding, typename Found, typename PieceDone>
bool ScanPieces(const ScreeningWords& words, Text<Encoding> text, Found found,
                PieceDone piece_done) {
  const size_t reach = std::max(words.forbidden.LongestKey(), words.allowed.LongestKey()) + 1;
  TextChars chars, piece;
  size_t counted_from = 0;
  for (size_t from = 0; from < text.size();) {
    const size_t to = PieceEnd<Encoding>(text, from, words.pieces, AsciiShapes(words));
    ReadPreparedChars<Encoding>(words.options, *words.lookalikes, text.substr(from, to - from),
                                piece);
    for (TextChar& c : piece) {
      c.begin += from;
      c.end += from;
    }
    chars.insert(chars.end(), piece.begin(), piece.end());
    const size_t counted_to =
        to == text.size() ? chars.size() : chars.size() - std::min(chars.size(), reach);
    const bool stopped = ScanUncovered<Encoding>(
        words, text, CharCursor(chars.data(), chars.size()), [&](const Span& span) {
          return span.last_char >= counted_from && span.last_char < counted_to &&
                 found(chars, span);
        });
    if (stopped) return true;
    piece_done(chars);
    const size_t kept = std::min(chars.size(), 2 * reach);
    counted_from = counted_to - (chars.size() - kept);
    chars.erase(chars.begin(), chars.end() - static_cast<ptrdiff_t>(kept));
    from = to;
  }
  return false;
}

// Calls `found(chars, span)` for every uncovered occurrence in the text as the options
// read it, until it returns true, and `piece_done(chars)` after each piece read.
template <typename Encoding, typename Found, typename PieceDone>
bool ScanPrepared(const ScreeningWords& words, Text<Encoding> text, Found found,
                  PieceDone piece_done) {
  if (PieceEnd<Encoding>(text, 0, words.pieces, AsciiShapes(words)) != text.size())
    return ScanPieces<Encoding>(words, text, found, piece_done);
  // One piece at most, so a thread's buffer stays small.
  thread_local TextChars chars;
  ReadPreparedChars<Encoding>(words.options, *words.lookalikes, text, chars);
  if (ScanUncovered<Encoding>(words, text, CharCursor(chars.data(), chars.size()),
                              [&](const Span& span) { return found(chars, span); })) {
    return true;
  }
  piece_done(chars);
  return false;
}

// Runs `found(span)` over every uncovered occurrence, as written or as the options read
// the text, until it returns true.
template <typename Encoding, typename Found>
bool ScanText(const ScreeningWords& words, Text<Encoding> text, Found found) {
  if (words.options.AsWritten())
    return ScanUncovered<Encoding>(words, text, RawCursor<Encoding>(text), found);
  return ScanPrepared<Encoding>(
      words, text, [&](const TextChars&, const Span& span) { return found(span); },
      [](const TextChars&) {});
}

// A hash (FNV-1a) of read characters from a unit on, each with the number of characters
// of text it stands for, so that a run drawn out further is not the same message.
// Characters a piece read again after the one before are taken once.
template <typename Encoding>
class ReadHasher {
 public:
  ReadHasher(Text<Encoding> text, size_t from) : text_(text), next_(from) {}

  void Add(const TextChars& chars) {
    for (const TextChar& c : chars) {
      if (c.begin < next_) continue;
      Mix(uint64_t{c.code_point} << 32 | CharactersIn(c.begin, c.end));
      next_ = c.end;
    }
  }
  void AddWritten() {
    for (size_t at = next_; at < text_.size();) {
      const DecodedChar decoded = Encoding::Decode(text_.data() + at, text_.size() - at);
      Mix(uint64_t{decoded.code_point} << 32 | 1);
      at += decoded.units;
    }
  }
  uint64_t Value() const { return hash_; }

 private:
  void Mix(uint64_t value) { hash_ = (hash_ ^ value) * 0x100000001b3u; }
  // The units of the character a unit leads, by the unit alone.
  static size_t LeadLength(typename Encoding::Unit unit) {
    if constexpr (sizeof(unit) == 1) {
      const auto byte = static_cast<unsigned char>(unit);
      return byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    } else {
      return (unit & 0xFC00) == 0xD800 ? 2 : 1;
    }
  }
  // Most read characters stand for one written character: told by its length alone.
  uint64_t CharactersIn(size_t begin, size_t end) const {
    if (LeadLength(text_[begin]) == end - begin) return 1;
    return static_cast<uint64_t>(std::count_if(text_.begin() + static_cast<ptrdiff_t>(begin),
                                               text_.begin() + static_cast<ptrdiff_t>(end),
                                               Encoding::BeginsCharacter));
  }

  Text<Encoding> text_;
  size_t next_;
  uint64_t hash_ = 0xcbf29ce484222325u;
};

bool OccurrenceOrder(const Occurrence& a, const Occurrence& b) {
  return std::tie(a.begin, a.end, a.word) < std::tie(b.begin, b.end, b.word);
}

bool SameOccurrence(const Occurrence& a, const Occurrence& b) {
  return a.begin == b.begin && a.end == b.end && a.word == b.word;
}

struct Interval {
  size_t begin;
  size_t end;
};

// The characters a match consumed, as runs over a piece's prepared characters: each
// occurrence only marks where its run starts and ends, so the cost is one pass over the
// characters, not one entry per character of every occurrence (a long word met many times
// in a long text took gigabytes).
class ConsumedChars {
 public:
  explicit ConsumedChars(bool keep_first) : keep_first_(keep_first) {}

  void Mark(const TextChars& chars, const Span& span) {
    if (change_.size() != chars.size() + 1) change_.assign(chars.size() + 1, 0);
    const size_t first = span.first_char + (keep_first_ ? 1 : 0);
    if (first <= span.last_char) {
      ++change_[first];
      --change_[span.last_char + 1];
    }
  }
  // Appends the piece's consumed characters, a run of touching ones as one interval.
  void EndPiece(const TextChars& chars, std::vector<Interval>& masked) {
    if (change_.empty()) return;
    ptrdiff_t covering = 0;
    for (size_t k = 0; k < chars.size(); ++k) {
      covering += change_[k];
      if (covering <= 0) continue;
      if (!masked.empty() && masked.back().end == chars[k].begin) {
        masked.back().end = chars[k].end;
      } else {
        masked.push_back({chars[k].begin, chars[k].end});
      }
    }
    change_.clear();
  }

 private:
  bool keep_first_;
  std::vector<ptrdiff_t> change_;
};

// The caller's units to be masked, in order and merged. As written, a match is one
// stretch of the text; over prepared characters only those a match consumed are masked.
template <typename Encoding>
std::vector<Interval> MaskedIntervals(const ScreeningWords& words, Text<Encoding> text,
                                      MatchMaskStyle style) {
  const bool keep_first = style == MatchMaskStyle::kKeepFirst;
  std::vector<Interval> masked;
  if (words.options.AsWritten()) {
    ScanUncovered<Encoding>(words, text, RawCursor<Encoding>(text), [&](const Span& span) {
      masked.push_back({keep_first ? span.first_end : span.occurrence.begin, span.occurrence.end});
      return false;
    });
  } else {
    ConsumedChars consumed(keep_first);
    ScanPrepared<Encoding>(
        words, text,
        [&](const TextChars& chars, const Span& span) {
          consumed.Mark(chars, span);
          return false;
        },
        [&](const TextChars& chars) { consumed.EndPiece(chars, masked); });
  }
  std::sort(masked.begin(), masked.end(),
            [](const Interval& a, const Interval& b) { return a.begin < b.begin; });
  size_t merged = 0;
  for (const Interval& next : masked) {
    if (merged > 0 && next.begin <= masked[merged - 1].end) {
      masked[merged - 1].end = std::max(masked[merged - 1].end, next.end);
    } else {
      masked[merged++] = next;
    }
  }
  masked.resize(merged);
  return masked;
}

}  // namespace

// The three calls are flattened: every template they use inlined into them, so that the
// scan's cursor and callbacks stay in registers (left to itself the compiler called them,
// a tenth of a chat line's time).
template <typename Encoding>
[[gnu::flatten]] bool HoldsWord(const ScreeningWords& words, Text<Encoding> text) {
  if (words.forbidden.Empty()) return false;
  return ScanText<Encoding>(words, text, [](const Span&) { return true; });
}

// The scan reports by start position already; keys of different lengths and forms of one
// word that meet at one span still need ordering and folding.
void OrderOccurrences(std::vector<Occurrence>& out) {
  std::sort(out.begin(), out.end(), OccurrenceOrder);
  out.erase(std::unique(out.begin(), out.end(), SameOccurrence), out.end());
}

template <typename Encoding>
[[gnu::flatten]] void FindWords(const ScreeningWords& words, Text<Encoding> text,
                                std::vector<Occurrence>& out) {
  out.clear();
  if (words.forbidden.Empty()) return;
  ScanText<Encoding>(words, text, [&](const Span& span) {
    out.push_back(span.occurrence);
    return false;
  });
  OrderOccurrences(out);
}

template <typename Encoding>
[[gnu::flatten]] uint64_t FindWordsAndReadHash(const ScreeningWords& words, Text<Encoding> text,
                                               size_t from, std::vector<Occurrence>& out) {
  out.clear();
  if (words.forbidden.Empty()) return ReadHash<Encoding>(words, text, from);
  ReadHasher<Encoding> hasher(text, from);
  const auto add = [&](const Span& span) {
    out.push_back(span.occurrence);
    return false;
  };
  if (words.options.AsWritten()) {
    ScanUncovered<Encoding>(words, text, RawCursor<Encoding>(text), add);
    hasher.AddWritten();
  } else {
    ScanPrepared<Encoding>(
        words, text, [&](const TextChars&, const Span& span) { return add(span); },
        [&](const TextChars& chars) { hasher.Add(chars); });
  }
  OrderOccurrences(out);
  return hasher.Value();
}

template <typename Encoding>
uint64_t ReadHash(const ScreeningWords& words, Text<Encoding> text, size_t from) {
  ReadHasher<Encoding> hasher(text, from);
  if (words.options.AsWritten()) {
    hasher.AddWritten();
  } else {
    thread_local TextChars chars;
    ReadPreparedChars<Encoding>(words.options, *words.lookalikes, text, chars);
    hasher.Add(chars);
    if (chars.capacity() > 4096) TextChars().swap(chars);
  }
  return hasher.Value();
}

template <typename Encoding>
[[gnu::flatten]] bool MaskWords(const ScreeningWords& words, Text<Encoding> text, char32_t mask,
                                MatchMaskStyle style, BoundedOutput<typename Encoding::Unit>& out,
                                size_t from) {
  std::vector<Interval> masked;
  if (!words.forbidden.Empty()) masked = MaskedIntervals<Encoding>(words, text, style);
  std::basic_string<typename Encoding::Unit> mask_units;
  Encoding::Append(mask_units, mask);
  size_t at = from;
  bool any = false;
  for (const Interval& interval : masked) {
    if (interval.end <= from) continue;
    const size_t begin = std::max(interval.begin, from);
    out.Append(text.substr(at, begin - at));
    for (at = begin; at < interval.end;) {
      at += Encoding::Decode(text.data() + at, text.size() - at).units;
      out.Append(mask_units);
    }
    any = true;
  }
  out.Append(text.substr(at));
  return any;
}

template bool HoldsWord<Utf8>(const ScreeningWords&, std::string_view);
template bool HoldsWord<Utf16>(const ScreeningWords&, std::u16string_view);
template void FindWords<Utf8>(const ScreeningWords&, std::string_view, std::vector<Occurrence>&);
template void FindWords<Utf16>(const ScreeningWords&, std::u16string_view,
                               std::vector<Occurrence>&);
template uint64_t FindWordsAndReadHash<Utf8>(const ScreeningWords&, std::string_view, size_t,
                                             std::vector<Occurrence>&);
template uint64_t FindWordsAndReadHash<Utf16>(const ScreeningWords&, std::u16string_view, size_t,
                                              std::vector<Occurrence>&);
template uint64_t ReadHash<Utf8>(const ScreeningWords&, std::string_view, size_t);
template uint64_t ReadHash<Utf16>(const ScreeningWords&, std::u16string_view, size_t);
template bool MaskWords<Utf8>(const ScreeningWords&, std::string_view, char32_t, MatchMaskStyle,
                              BoundedOutput<char>&, size_t);
template bool MaskWords<Utf16>(const ScreeningWords&, std::u16string_view, char32_t, MatchMaskStyle,
                               BoundedOutput<char16_t>&, size_t);

}  // namespace chatsieve
