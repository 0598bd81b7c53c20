#include "matching/screening.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <tuple>

#include "matching/char_preparation.h"
#include "matching/key_scan.h"
#include "matching/text_char.h"
#include "matching/unicode_text.h"

namespace chatsieve {
namespace {

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

// Calls `found(span)` for every occurrence of a key of `index` until it returns true.
template <typename Cursor, typename Found>
bool ScanOccurrences(const KeyIndex& index, Cursor start, Found found) {
  return ScanKeys(index, start, [&](const Cursor& first, const Cursor& last, const KeyEnd& end) {
    if (end.whole_latin_token && !IsWholeLatinToken(first, last)) return false;
    return found(Span{
        {first.Begin(), last.End(), end.word}, CharIndex(first), CharIndex(last), first.End()});
  });
}

// The allowed occurrences ordered by begin, each end raised to the furthest end of any
// up to it, so that each listed word found costs a binary search, not a pass over every
// allowed occurrence (which made a long text dense with both quadratic).
template <typename Cursor>
std::vector<Occurrence> AllowedReach(const KeyIndex& allowed, Cursor start) {
  std::vector<Occurrence> found;
  ScanOccurrences(allowed, start, [&](const Span& span) {
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

// Visits every occurrence no allowed word covers, until `found` returns true.
template <typename Cursor, typename Found>
bool ScanUncovered(const ScreeningWords& words, Cursor start, Found found) {
  std::optional<std::vector<Occurrence>> allowed;
  return ScanOccurrences(words.forbidden, start, [&](const Span& span) {
    if (!words.allowed.Empty()) {
      // Most texts hold no forbidden word: the allowed words are looked for only once
      // one is found.
      if (!allowed) allowed = AllowedReach(words.allowed, start);
      if (Covered(span.occurrence, *allowed)) return false;
    }
    return found(span);
  });
}

// The text's characters as the options read them, in a buffer each thread reuses.
template <typename Encoding>
TextChars& PreparedChars(MatchOptions options,
                         std::basic_string_view<typename Encoding::Unit> text) {
  thread_local TextChars chars;
  ReadPreparedChars<Encoding>(options, text, chars);
  return chars;
}

// Runs `scan(cursor)` over the text as written, or over its prepared characters.
template <typename Encoding, typename Scan>
auto WithCursor(MatchOptions options, std::basic_string_view<typename Encoding::Unit> text,
                Scan scan) {
  if (options.AsWritten()) return scan(RawCursor<Encoding>(text));
  const TextChars& chars = PreparedChars<Encoding>(options, text);
  return scan(CharCursor(chars.data(), chars.size()));
}

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

// The characters a match consumed, as runs over prepared characters: each occurrence
// only marks where its run starts and ends, so the cost is one pass over the characters,
// not one entry per character of every occurrence (a long word met many times in a long
// text took gigabytes).
std::vector<Interval> ConsumedIntervals(const ScreeningWords& words, const TextChars& chars,
                                        bool keep_first) {
  std::vector<ptrdiff_t> change(chars.size() + 1, 0);
  ScanUncovered(words, CharCursor(chars.data(), chars.size()), [&](const Span& span) {
    const size_t first = span.first_char + (keep_first ? 1 : 0);
    if (first <= span.last_char) {
      ++change[first];
      --change[span.last_char + 1];
    }
    return false;
  });
  std::vector<Interval> masked;
  ptrdiff_t covering = 0;
  for (size_t k = 0; k < chars.size(); ++k) {
    covering += change[k];
    if (covering > 0) masked.push_back({chars[k].begin, chars[k].end});
  }
  return masked;
}

// The caller's units to be masked, in order and merged. As written, a match is one
// stretch of the text; over prepared characters only those a match consumed are masked.
template <typename Encoding>
std::vector<Interval> MaskedIntervals(const ScreeningWords& words,
                                      std::basic_string_view<typename Encoding::Unit> text,
                                      MaskStyle style) {
  const bool keep_first = style == MaskStyle::kKeepFirst;
  std::vector<Interval> masked;
  if (words.options.AsWritten()) {
    ScanUncovered(words, RawCursor<Encoding>(text), [&](const Span& span) {
      masked.push_back({keep_first ? span.first_end : span.occurrence.begin, span.occurrence.end});
      return false;
    });
    std::sort(masked.begin(), masked.end(),
              [](const Interval& a, const Interval& b) { return a.begin < b.begin; });
  } else {
    masked = ConsumedIntervals(words, PreparedChars<Encoding>(words.options, text), keep_first);
  }
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

template <typename Encoding>
bool HoldsWord(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text) {
  if (words.forbidden.Empty()) return false;
  return WithCursor<Encoding>(words.options, text, [&](auto cursor) {
    return ScanUncovered(words, cursor, [](const Span&) { return true; });
  });
}

template <typename Encoding>
void FindWords(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
               std::vector<Occurrence>& out) {
  out.clear();
  if (words.forbidden.Empty()) return;
  WithCursor<Encoding>(words.options, text, [&](auto cursor) {
    return ScanUncovered(words, cursor, [&](const Span& span) {
      out.push_back(span.occurrence);
      return false;
    });
  });
  // The scan reports by start position already; keys of different lengths and forms of
  // one word that meet at one span still need ordering and folding.
  std::sort(out.begin(), out.end(), OccurrenceOrder);
  out.erase(std::unique(out.begin(), out.end(), SameOccurrence), out.end());
}

template <typename Encoding>
bool MaskWords(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
               char32_t mask, MaskStyle style, std::basic_string<typename Encoding::Unit>& out) {
  out.clear();
  std::vector<Interval> masked;
  if (!words.forbidden.Empty()) masked = MaskedIntervals<Encoding>(words, text, style);
  if (masked.empty()) {
    out.assign(text);
    return false;
  }
  out.reserve(text.size());
  auto interval = masked.begin();
  for (size_t at = 0; at < text.size();) {
    const size_t units = Encoding::Decode(text.data() + at, text.size() - at).units;
    while (interval != masked.end() && interval->end <= at)
      ++interval;
    if (interval != masked.end() && interval->begin <= at) {
      Encoding::Append(out, mask);
    } else {
      out.append(text.substr(at, units));
    }
    at += units;
  }
  return true;
}

template bool HoldsWord<Utf8>(const ScreeningWords&, std::string_view);
template bool HoldsWord<Utf16>(const ScreeningWords&, std::u16string_view);
template void FindWords<Utf8>(const ScreeningWords&, std::string_view, std::vector<Occurrence>&);
template void FindWords<Utf16>(const ScreeningWords&, std::u16string_view,
                               std::vector<Occurrence>&);
template bool MaskWords<Utf8>(const ScreeningWords&, std::string_view, char32_t, MaskStyle,
                              std::string&);
template bool MaskWords<Utf16>(const ScreeningWords&, std::u16string_view, char32_t, MaskStyle,
                               std::u16string&);

}  // namespace chatsieve
