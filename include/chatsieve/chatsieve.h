/* chatsieve: screens chat text for listed (forbidden) words.
 *
 * Narrow text is zero-terminated code page 949; wide text is zero-terminated UTF-16.
 * Every function reports failure, or "no word found", as 0. None of them raises an
 * error, logs or allocates anything the caller must release.
 *
 * Threads: detection and masking may run side by side. A load replaces the word list
 * in place and must not overlap any other call. */
#ifndef CHATSIEVE_CHATSIEVE_H
#define CHATSIEVE_CHATSIEVE_H

#include <stdint.h>

#ifdef __cplusplus
typedef char16_t chatsieve_char16;
extern "C" {
#else
typedef uint_least16_t chatsieve_char16;
#endif

/* On Windows the DLL's own .def file names the exports, and every function uses the C
 * calling convention (__cdecl), 32-bit included, whatever a host compiles with. */
#if defined(_WIN32)
#define CHATSIEVE_API
#define CHATSIEVE_CALL __cdecl
#elif defined(__GNUC__)
#define CHATSIEVE_API __attribute__((visibility("default")))
#define CHATSIEVE_CALL
#else
#define CHATSIEVE_API
#define CHATSIEVE_CALL
#endif

/* Sets the process-wide filter level and returns it unchanged: 1 screens text as
 * written, 2 (the default after load) also screens it with punctuation, symbols and
 * line breaks removed and runs of spaces collapsed; any other value switches
 * detection and masking off. The level holds until the next SetLevel. */
CHATSIEVE_API int32_t CHATSIEVE_CALL SetLevel(int32_t level);

/* Loads a narrow word-list file, replacing the words in force. A null path loads
 * "filter.bcd" from the library's own directory. Returns 1 when the file was loaded,
 * 0 otherwise (then the earlier words are gone). Paths of 260 or more bytes are
 * refused. */
CHATSIEVE_API int32_t CHATSIEVE_CALL InitBadChatMan(const char* path);

/* As InitBadChatMan for a wide word-list file; the default is "filterW.bcd". The
 * path is UTF-16 and must be shorter than 260 units. */
CHATSIEVE_API int32_t CHATSIEVE_CALL InitBadChatManW(const chatsieve_char16* path);

/* Returns 1 when the text holds a listed word at the current level, else 0 (also for
 * a null or empty text, or when no list is loaded). The text is not changed. */
CHATSIEVE_API int32_t CHATSIEVE_CALL IsBad(const char* text);

/* As IsBad for UTF-16 text. */
CHATSIEVE_API int32_t CHATSIEVE_CALL IsBadW(const chatsieve_char16* text);

/* Copies text into dest (capacity bytes, terminator included) with every listed word
 * overwritten by mask, one mask byte per character. Returns 1 when a word was masked.
 * At a level other than 1 or 2, returns 0 and leaves dest untouched; when the text
 * does not fit, dest holds an empty text. Never writes past capacity bytes: a capacity
 * of 0 or less writes nothing and returns 0. */
CHATSIEVE_API int32_t CHATSIEVE_CALL IsBadToRep(const char* text, char* dest, int32_t capacity,
                                                char mask);

/* As IsBadToRep for UTF-16 text; capacity counts UTF-16 units, and every unit of dest
 * after the terminator, up to capacity, is set to 0. */
CHATSIEVE_API int32_t CHATSIEVE_CALL IsBadToRepW(const chatsieve_char16* text,
                                                 chatsieve_char16* dest, uint32_t capacity,
                                                 chatsieve_char16 mask);

/* Beyond the seven: the legacy filter object's in-place masking, over the words in
 * force at any level. Every listed word found in the stripped text (as level 2 strips it)
 * is overwritten with '*' in exactly the characters it was read from; the characters
 * between stay. The text is rewritten in its own buffer and never grows (a narrow
 * two-byte character masked becomes one '*'). Returns 1 when a word was masked, else 0
 * (also for a null or empty text, or when no list is loaded). */
CHATSIEVE_API int32_t CHATSIEVE_CALL chatsieve_legacy_mask_in_place(char* text);
/* As chatsieve_legacy_mask_in_place for UTF-16 text; one '*' per unit masked. */
CHATSIEVE_API int32_t CHATSIEVE_CALL chatsieve_legacy_mask_in_place16(chatsieve_char16* text);

#ifdef __cplusplus
}
#endif

#endif /* CHATSIEVE_CHATSIEVE_H */
