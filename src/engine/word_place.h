// Where an occurrence stands in the caller's text, for words that count only at the start
// of a word of the text or as a whole word. Read in the text as written, so that a space
// the spaces reading joins over still parts 이 and 년 in `이 년아`.
#pragma once

#include <cstddef>
#include <string_view>

#include "wordfile/word_list.h"

namespace chatsieve {

// Whether an occurrence of the text's units [begin, end) stands where `place` lets it
// count:
// - start: the character before it is not a letter, digit, Hangul syllable or jamo;
// - whole: as start, and after it the text ends, or the next character is not a letter,
//   digit or Hangul syllable (jamo such as ㅋㅋ may follow straight away), or one of the
//   particles and endings of kWordEndings follows (들 may come first), and then such a
//   character or the end;
// - end: what follows it is as for whole, whatever stands before it.
template <typename Encoding>
bool StandsWhereItCounts(WordPlace place, std::basic_string_view<typename Encoding::Unit> text,
                         size_t begin, size_t end);

// What may follow a whole word and leave it whole: Korean particles and endings.
inline constexpr std::u32string_view kWordEndings[] = {
    U"이",   U"가",   U"은",   U"는",   U"을",   U"를",   U"의",   U"에",   U"도",   U"만",
    U"과",   U"와",   U"랑",   U"아",   U"야",   U"여",   U"임",   U"이다", U"이야", U"이냐",
    U"이네", U"이지", U"이고", U"인데", U"이랑", U"이나", U"한테", U"에게", U"에서", U"처럼",
    U"보다", U"같은", U"같이", U"으로", U"로",   U"까지", U"부터", U"하고"};

}  // namespace chatsieve
