/* chatsieve filter: screens UTF-8 and UTF-16 text for listed words, with positions.
 *
 * A filter holds forbidden words and allowed words under options fixed when it is
 * made. Any number of filters may live in one process. Its words are an immutable
 * compiled snapshot: a load builds the next snapshot aside and swaps it in, so any
 * number of threads may screen with a filter while another thread loads into it. Each
 * call sees the old words or the new ones, never a mix, and never waits for a build.
 * A failed load changes nothing.
 *
 * Text is given with its length (bytes for UTF-8, units for UTF-16) and may hold zero
 * bytes. Invalid UTF-8 and lone surrogates are never an error and never part of a
 * word; masking copies them through unchanged. Positions are in the caller's units.
 *
 * Results: 0 for success (or "nothing found"), 1 for "found" / "masked", and a
 * negative CHATSIEVE_E_ code on failure (chatsieve_strerror names it). No exception
 * and no allocation failure crosses this interface, and null arguments are errors. */
#ifndef CHATSIEVE_FILTER_H
#define CHATSIEVE_FILTER_H

#include <stddef.h>
#include <stdint.h>

#include "chatsieve/version.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define CHATSIEVE_FILTER_API __attribute__((visibility("default")))
#else
#define CHATSIEVE_FILTER_API
#endif

typedef struct chatsieve_filter chatsieve_filter;

/* One occurrence of a listed word: text units [begin, end), and the word's 0-based
 * index among the entries of the list it was loaded from. */
typedef struct chatsieve_match {
  size_t begin, end;
  uint32_t word;
} chatsieve_match;

/* Options, fixed when a filter is made; 0 matches the text as written. Every option
 * applies to the listed words, the allowed words and the text alike. */
/* Match across the characters that are neither letters, digits, Hangul syllables nor
 * spaces, and across runs of spaces; positions stay those of the original text. */
#define CHATSIEVE_SEPARATORS 0x1u
/* Full-width and half-width forms read as the ordinary characters. */
#define CHATSIEVE_WIDTH 0x2u
/* Zero-width and invisible characters and Hangul fillers skipped. */
#define CHATSIEVE_INVISIBLE 0x4u
/* Words spelt out in compatibility or conjoining jamo read as their syllables. */
#define CHATSIEVE_JAMO 0x8u
/* Syllables written as their initial consonant alone (ㅅㅂ, ㅅ발, ㄱㅅㄲ, ㅄ), with rules
 * that keep chat abbreviations such as ㄱㅅ and ㅇㅇ clean (see the README). */
#define CHATSIEVE_INITIALS 0x10u
/* Latin letters typed on a Korean 2-set keyboard read as the Hangul they type. */
#define CHATSIEVE_KEYBOARD 0x20u
/* Digits between two Hangul letters skipped (시1발, ㅅ1ㅂ). */
#define CHATSIEVE_DIGITS 0x40u
/* Drawn-out syllables and repeated Latin letters read as the plain word. */
#define CHATSIEVE_REPEATS 0x80u
/* Spaces between one-syllable words skipped (시 발, 개 새 끼); a space next to a longer
 * word stays (몇 시 발표). */
#define CHATSIEVE_SPACES 0x100u
/* The Korean reading: every Korean option above, chosen by measurement (the README gives
 * the figures). Combine it with CHATSIEVE_SEPARATORS. */
#define CHATSIEVE_KOREAN                                                         \
  (CHATSIEVE_WIDTH | CHATSIEVE_INVISIBLE | CHATSIEVE_JAMO | CHATSIEVE_INITIALS | \
   CHATSIEVE_KEYBOARD | CHATSIEVE_DIGITS | CHATSIEVE_REPEATS | CHATSIEVE_SPACES)
/* Shapes people write for jamo and syllables where they stand among Hangul: 人 for ㅅ,
 * 口 for ㅁ, 7H for 개, and numbers read as they sound (18 for 씨발), from the table of
 * data/lexicon/ko/lookalikes.txt; numbers that count something (18세) stay numbers. */
#define CHATSIEVE_LOOKALIKE 0x200u
/* The reading recommended with the built-in Korean lexicon. */
#define CHATSIEVE_RECOMMENDED (CHATSIEVE_KOREAN | CHATSIEVE_SEPARATORS | CHATSIEVE_LOOKALIKE)

/* OR-ed into the mask character of chatsieve_mask: keep the first character of every
 * occurrence and mask the rest. */
#define CHATSIEVE_MASK_KEEP_FIRST 0x80000000u

/* The most characters a listed word may have. */
#define CHATSIEVE_MAX_WORD_LENGTH 256

#define CHATSIEVE_OK 0
#define CHATSIEVE_FOUND 1
#define CHATSIEVE_E_NULL (-1)   /* a required argument is null */
#define CHATSIEVE_E_SPACE (-2)  /* the caller's array or buffer is too small */
#define CHATSIEVE_E_OPEN (-3)   /* the word-list file cannot be opened or read */
#define CHATSIEVE_E_FORMAT (-4) /* the word list is not valid */
#define CHATSIEVE_E_MEMORY (-5) /* memory ran out */
#define CHATSIEVE_E_ARGUMENT                                   \
  (-6) /* an argument is out of range, such as a length larger \
          than any buffer (past PTRDIFF_MAX bytes) */

/* A new filter with no words, or null for unknown option bits or no memory. */
CHATSIEVE_FILTER_API chatsieve_filter* chatsieve_filter_new(uint32_t options);

/* A new filter with the same options and the words in force now, which no later load
 * into `filter` changes: resolve match indices through it. Null on no memory. */
CHATSIEVE_FILTER_API chatsieve_filter* chatsieve_filter_clone(const chatsieve_filter* filter);

/* Frees a filter; null is ignored. No other call may use it meanwhile. */
CHATSIEVE_FILTER_API void chatsieve_filter_free(chatsieve_filter* filter);

/* Replaces the forbidden words (or, with `allowed` non-zero, the allowed words) by the
 * words of a file: a UTF-8 word list (one word a line; blank lines and lines starting
 * with '#' skipped; byte-order marks and CR LF tolerated) or either binary word-list
 * file, told apart by content. `path` is UTF-8. A word may have at most
 * CHATSIEVE_MAX_WORD_LENGTH characters. On failure nothing changes and `message` (may be
 * null; `message_capacity` bytes) receives the reason, naming the file and line,
 * truncated and terminated. On success `message` receives "" or notes, one a line (as
 * many as fit, then how many more there are), on the entries the filter left out or
 * merged: entries the options read as one character they did not
 * consist of alone (xxx read as x would flag "fox") or as nothing, which are left out,
 * and entries read as an earlier one is, which are one word with it (its index). */
CHATSIEVE_FILTER_API int chatsieve_filter_load(chatsieve_filter* filter, const char* path,
                                               int allowed, char* message, size_t message_capacity);

/* As chatsieve_filter_load for a UTF-8 word list held in memory; names its lines
 * "<text>:LINE". */
CHATSIEVE_FILTER_API int chatsieve_filter_load_text(chatsieve_filter* filter, const char* list,
                                                    size_t length, int allowed, char* message,
                                                    size_t message_capacity);

/* Replaces the forbidden words and the allowed words at once by a lexicon compiled into
 * the library, as chatsieve_filter_load does (other threads may screen meanwhile, and see
 * both lists old or both new). "ko": the Korean lexicon of swearing, insults, family
 * insults, sexual terms and slurs, with its allow-list (the README describes it; use it
 * with CHATSIEVE_RECOMMENDED and a minimum severity of 2 for general chat). An unknown
 * name is CHATSIEVE_E_ARGUMENT, and `message` lists the known ones. */
CHATSIEVE_FILTER_API int chatsieve_filter_load_builtin(chatsieve_filter* filter, const char* name,
                                                       char* message, size_t message_capacity);

/* The UTF-8 word list of a built-in lexicon as compiled in (with `allowed` non-zero, its
 * allow-list), `*length` bytes, not terminated; null for an unknown name. For operators
 * who start a list of their own from it. */
CHATSIEVE_FILTER_API const char* chatsieve_builtin_list(const char* name, int allowed,
                                                        size_t* length);

/* Reads look-alike shapes (CHATSIEVE_LOOKALIKE) with the built-in table and the shapes of
 * a table file added to it (lines SHAPE<TAB>READ_AS, as data/lexicon/ko/lookalikes.txt;
 * a shape the built-in table has is read as the file says); a null `path` goes back to
 * the built-in table alone. Each call replaces what an earlier one added. The words in
 * force are compiled again with the new table and swapped in with it, as a load does, and
 * later loads use it. On failure nothing changes and `message` names the file and line;
 * on success it receives "" or a note on entries the new table made the filter leave
 * out or merge. */
CHATSIEVE_FILTER_API int chatsieve_filter_load_lookalikes(chatsieve_filter* filter,
                                                          const char* path, char* message,
                                                          size_t message_capacity);

/* The number of forbidden words in force, and one of them by index (UTF-8, not
 * terminated, `*length` bytes); null for an index out of range. The text stays valid
 * until the next load into `filter` or its release. */
CHATSIEVE_FILTER_API size_t chatsieve_word_count(const chatsieve_filter* filter);
CHATSIEVE_FILTER_API const char* chatsieve_word(const chatsieve_filter* filter, uint32_t word,
                                                size_t* length);

/* What the list says of a forbidden word in force, by index: its severity, from 1 (mild,
 * vulgar emphasis) to 3 (severe), 2 when the list says nothing; and its category, "" for
 * none. A negative CHATSIEVE_E_ code, or null, for a null filter or an index out of range.
 * A category's text stays valid for the life of the process, whatever is loaded later
 * (a process keeps at most 65,536 category names; a load past that fails). */
CHATSIEVE_FILTER_API int chatsieve_word_severity(const chatsieve_filter* filter, uint32_t word);
CHATSIEVE_FILTER_API const char* chatsieve_word_category(const chatsieve_filter* filter,
                                                         uint32_t word);

/* The filter's policy: which forbidden words count for its checks, finds and masks.
 * Words below the minimum severity (1 to 3; 1, every word, when a filter is made), or
 * outside the chosen categories, are as if not listed. `names` is a comma-separated list
 * of category names (ASCII letters, digits, '-' and '_'); null or "" chooses every word,
 * with a category or without. A policy holds for later calls, for the words in force and
 * every later load, and is copied by chatsieve_filter_clone; it may change while other
 * threads screen, and no call sees it half applied. An out-of-range value is
 * CHATSIEVE_E_ARGUMENT and changes nothing. */
CHATSIEVE_FILTER_API int chatsieve_filter_set_min_severity(chatsieve_filter* filter, int severity);
CHATSIEVE_FILTER_API int chatsieve_filter_set_categories(chatsieve_filter* filter,
                                                         const char* names);

/* 1 when the text holds a forbidden word that no allowed word covers, 0 when not. */
CHATSIEVE_FILTER_API int chatsieve_check(const chatsieve_filter* filter, const char* text,
                                         size_t length);

/* Every occurrence of every forbidden word not covered by an allowed word, overlaps
 * included, ordered by begin, then end, then word. `*count` receives how many there
 * are; at most `capacity` are written, and CHATSIEVE_E_SPACE says some were left out.
 * Returns 1 when any was found, 0 when none. `matches` may be null when `capacity` is 0. */
CHATSIEVE_FILTER_API int chatsieve_find(const chatsieve_filter* filter, const char* text,
                                        size_t length, chatsieve_match* matches, size_t capacity,
                                        size_t* count);

/* One occurrence with what the list says of its word, as chatsieve_word_severity and
 * chatsieve_word_category give it for the words the call saw: safe to read whatever other
 * threads load meanwhile. */
typedef struct chatsieve_match_details {
  chatsieve_match match;
  int severity;
  const char* category;
} chatsieve_match_details;

/* As chatsieve_find, each occurrence with its word's severity and category. */
CHATSIEVE_FILTER_API int chatsieve_find_details(const chatsieve_filter* filter, const char* text,
                                                size_t length, chatsieve_match_details* matches,
                                                size_t capacity, size_t* count);

/* Copies the text into `out` with every character of every occurrence replaced by the
 * code point `mask` (optionally OR-ed with CHATSIEVE_MASK_KEEP_FIRST): one mask per
 * character, never per byte or unit. Characters skipped inside an occurrence (under
 * the separator and Korean options) are kept. `*out_length` receives the full length
 * of the result, not terminated; when it exceeds `capacity`, nothing is written past
 * `capacity` and the result is CHATSIEVE_E_SPACE. Returns 1 when anything was masked. */
CHATSIEVE_FILTER_API int chatsieve_mask(const chatsieve_filter* filter, const char* text,
                                        size_t length, uint32_t mask, char* out, size_t capacity,
                                        size_t* out_length);

/* The same three for UTF-16 text; positions and lengths count UTF-16 units. */
CHATSIEVE_FILTER_API int chatsieve_check16(const chatsieve_filter* filter, const uint16_t* text,
                                           size_t length);
CHATSIEVE_FILTER_API int chatsieve_find16(const chatsieve_filter* filter, const uint16_t* text,
                                          size_t length, chatsieve_match* matches, size_t capacity,
                                          size_t* count);
CHATSIEVE_FILTER_API int chatsieve_find_details16(const chatsieve_filter* filter,
                                                  const uint16_t* text, size_t length,
                                                  chatsieve_match_details* matches, size_t capacity,
                                                  size_t* count);
CHATSIEVE_FILTER_API int chatsieve_mask16(const chatsieve_filter* filter, const uint16_t* text,
                                          size_t length, uint32_t mask, uint16_t* out,
                                          size_t capacity, size_t* out_length);

/* Conversations: one speaker's messages screened as they come, so that a word sent in
 * pieces (시 then 발, 개 새 끼 on three lines) is found in the message that completes it.
 * A conversation remembers the tail of the speaker's last few messages and screens each
 * new message joined to them as one text with a space between each, read as the filter
 * reads any text: it reports the words that end in the new message, whether they begin
 * in it or in an earlier one, never again a word wholly inside an earlier message.
 *
 * Each check, find or mask takes the next message and then remembers it; a call that
 * fails (CHATSIEVE_E_SPACE included) remembers nothing, so it may be repeated with more
 * room. A conversation screens with its filter's words and policy in force at each call,
 * so the filter may be loaded into and screened with by other threads meanwhile; one
 * conversation is used by one thread at a time, and every conversation of a filter is
 * freed before the filter. A conversation takes UTF-8 or UTF-16 messages, whichever its
 * first message is in: a message in the other encoding is CHATSIEVE_E_ARGUMENT.
 *
 * Memory is bounded: the remembered text is at most `characters` code points of the last
 * `messages` messages, cut only just after a space so that the cut never joins or parts
 * words the whole messages would not; older messages, and messages older than the time
 * window, are forgotten. Messages of chat size are screened without allocating. */
typedef struct chatsieve_conversation chatsieve_conversation;

/* The most messages and code points a conversation may remember. */
#define CHATSIEVE_CONVERSATION_MAX_MESSAGES 7
#define CHATSIEVE_CONVERSATION_MAX_CHARACTERS 1024

/* Limits of a conversation; a field left 0 takes its default. `size` is
 * sizeof(chatsieve_conversation_options), so that later fields can be added. */
typedef struct chatsieve_conversation_options {
  size_t size;
  /* How many earlier messages a new one is joined with and compared to (default 3, at
   * most CHATSIEVE_CONVERSATION_MAX_MESSAGES). */
  size_t messages;
  /* How many code points of their text are remembered (default 12, at most
   * CHATSIEVE_CONVERSATION_MAX_CHARACTERS). */
  size_t characters;
  /* Messages more than this many milliseconds older than the new one, by the times the
   * host passes with them, are forgotten (default 0: no window). */
  int64_t window_ms;
} chatsieve_conversation_options;

/* Which messages a word found in a conversation spans, earliest first: `message` counts
 * back from the new message (0 is the new message, 1 the one before), and [begin, end)
 * are units of that message. A part in an earlier message runs to its end. */
typedef struct chatsieve_conversation_part {
  size_t message;
  size_t begin, end;
} chatsieve_conversation_part;

#define CHATSIEVE_CONVERSATION_MAX_PARTS (CHATSIEVE_CONVERSATION_MAX_MESSAGES + 1)

/* A word that ends in the new message: `details.match` gives its part in the new message
 * (begin 0 when it begins in an earlier one) with the word and what the list says of it;
 * `parts` every message it spans, the new one last. */
typedef struct chatsieve_conversation_match {
  chatsieve_match_details details;
  size_t part_count;
  chatsieve_conversation_part parts[CHATSIEVE_CONVERSATION_MAX_PARTS];
} chatsieve_conversation_match;

/* A new conversation screening with `filter`, with `options` (null: the defaults); null
 * for a null filter, options out of range or no memory. */
CHATSIEVE_FILTER_API chatsieve_conversation* chatsieve_conversation_new(
    const chatsieve_filter* filter, const chatsieve_conversation_options* options);

/* Frees a conversation; null is ignored. */
CHATSIEVE_FILTER_API void chatsieve_conversation_free(chatsieve_conversation* conversation);

/* Forgets every remembered message, as if the conversation were new (its next message
 * may be in either encoding). */
CHATSIEVE_FILTER_API void chatsieve_conversation_forget(chatsieve_conversation* conversation);

/* As chatsieve_check, chatsieve_find_details and chatsieve_mask for the next message, sent
 * at `time_ms` (any clock of the host's, in milliseconds; 0 when there is no window), and
 * the words it completes. Mask masks the new message's part of every word found; the
 * earlier messages were delivered already, and find says which took part. */
CHATSIEVE_FILTER_API int chatsieve_conversation_check(chatsieve_conversation* conversation,
                                                      const char* text, size_t length,
                                                      int64_t time_ms);
CHATSIEVE_FILTER_API int chatsieve_conversation_find(chatsieve_conversation* conversation,
                                                     const char* text, size_t length,
                                                     int64_t time_ms,
                                                     chatsieve_conversation_match* matches,
                                                     size_t capacity, size_t* count);
CHATSIEVE_FILTER_API int chatsieve_conversation_mask(chatsieve_conversation* conversation,
                                                     const char* text, size_t length,
                                                     int64_t time_ms, uint32_t mask, char* out,
                                                     size_t capacity, size_t* out_length);
CHATSIEVE_FILTER_API int chatsieve_conversation_check16(chatsieve_conversation* conversation,
                                                        const uint16_t* text, size_t length,
                                                        int64_t time_ms);
CHATSIEVE_FILTER_API int chatsieve_conversation_find16(chatsieve_conversation* conversation,
                                                       const uint16_t* text, size_t length,
                                                       int64_t time_ms,
                                                       chatsieve_conversation_match* matches,
                                                       size_t capacity, size_t* count);
CHATSIEVE_FILTER_API int chatsieve_conversation_mask16(chatsieve_conversation* conversation,
                                                       const uint16_t* text, size_t length,
                                                       int64_t time_ms, uint32_t mask,
                                                       uint16_t* out, size_t capacity,
                                                       size_t* out_length);

/* How many of the remembered messages before it the message last screened repeats, read
 * as the filter reads text (case, width, separators and the like) except that drawn-out
 * characters are not shortened: ㅋㅋㅋ does not repeat ㅋㅋㅋㅋ, 도배 repeats 도배. For
 * hosts that limit flooding; 0 before the first message, or for a null conversation. */
CHATSIEVE_FILTER_API size_t
chatsieve_conversation_repeats(const chatsieve_conversation* conversation);

/* The bytes a conversation holds, remembered text and buffers included. */
CHATSIEVE_FILTER_API size_t
chatsieve_conversation_memory(const chatsieve_conversation* conversation);

/* The option bits named by `names` (`length` bytes, not terminated): option names in
 * lower case joined by commas, each one of separators, width, invisible, jamo, initials,
 * keyboard, digits, repeats, spaces, lookalike, or a set: korean, recommended. The names
 * the tool and the packages take. CHATSIEVE_E_ARGUMENT for an unknown or empty name,
 * CHATSIEVE_E_NULL for a null argument; `options` is set only on CHATSIEVE_OK. */
CHATSIEVE_FILTER_API int chatsieve_options_from_names(const char* names, size_t length,
                                                      uint32_t* options);

/* A static English text for a result code. */
CHATSIEVE_FILTER_API const char* chatsieve_strerror(int code);

#ifdef __cplusplus
}
#endif

#endif /* CHATSIEVE_FILTER_H */
