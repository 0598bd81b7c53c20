/* The filter's C interface from C: results, sizes reported when the caller's space is
 * too small, and null arguments refused. */
#include <chatsieve/filter.h>
#include <stdio.h>
#include <string.h>

static int failures = 0;

#define EXPECT(condition)                                             \
  do {                                                                \
    if (!(condition)) {                                               \
      fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                     \
    }                                                                 \
  } while (0)

static void screens_utf8(chatsieve_filter* filter) {
  const char* text = "ab \xEC\x8B\x9C\xEB\xB0\x9C!"; /* "ab 시발!" */
  chatsieve_match matches[1];
  size_t count = 0;
  char out[4];
  size_t length = 0;
  EXPECT(chatsieve_check(filter, text, strlen(text)) == CHATSIEVE_FOUND);
  EXPECT(chatsieve_find(filter, text, strlen(text), matches, 1, &count) == CHATSIEVE_E_SPACE);
  EXPECT(count == 2 && matches[0].begin == 0 && matches[0].end == 2 && matches[0].word == 1);
  EXPECT(chatsieve_find(filter, text, strlen(text), NULL, 0, &count) == CHATSIEVE_E_SPACE &&
         count == 2);
  EXPECT(chatsieve_mask(filter, text, strlen(text), '#', out, sizeof out, &length) ==
         CHATSIEVE_E_SPACE);
  EXPECT(length == 6);
  EXPECT(chatsieve_mask(filter, "x", 1, 0xD800, out, sizeof out, &length) == CHATSIEVE_E_ARGUMENT);
  EXPECT(chatsieve_check(filter, "clean", 5) == CHATSIEVE_OK);
}

static void screens_utf16(chatsieve_filter* filter) {
  const uint16_t text[] = {0xC2DC, 0xBC1C, 'a', 'b'}; /* "시발ab" */
  chatsieve_match matches[4];
  size_t count = 0;
  uint16_t out[4];
  size_t length = 0;
  EXPECT(chatsieve_check16(filter, text, 4) == CHATSIEVE_FOUND);
  EXPECT(chatsieve_find16(filter, text, 4, matches, 4, &count) == CHATSIEVE_FOUND && count == 2);
  EXPECT(matches[0].begin == 0 && matches[0].end == 2 && matches[1].begin == 2);
  EXPECT(chatsieve_mask16(filter, text, 4, '*' | CHATSIEVE_MASK_KEEP_FIRST, out, 4, &length) ==
         CHATSIEVE_FOUND);
  EXPECT(length == 4 && out[0] == 0xC2DC && out[1] == '*' && out[2] == 'a' && out[3] == '*');
}

static void refuses_bad_arguments(chatsieve_filter* filter) {
  char message[64];
  size_t count = 0;
  EXPECT(chatsieve_filter_new(0x80000000u) == NULL);
  EXPECT(chatsieve_check(NULL, "x", 1) == CHATSIEVE_E_NULL);
  EXPECT(chatsieve_check(filter, NULL, 1) == CHATSIEVE_E_NULL);
  EXPECT(chatsieve_check(filter, NULL, 0) == CHATSIEVE_OK);
  EXPECT(chatsieve_find(filter, "x", 1, NULL, 1, &count) == CHATSIEVE_E_NULL);
  EXPECT(chatsieve_find(filter, "x", 1, NULL, 0, NULL) == CHATSIEVE_E_NULL);
  EXPECT(chatsieve_filter_load(filter, NULL, 0, message, sizeof message) == CHATSIEVE_E_NULL);
  EXPECT(chatsieve_filter_load_text(filter, "a\n\xFF\n", 4, 0, message, 8) == CHATSIEVE_E_FORMAT);
  EXPECT(strcmp(message, "<text>:") == 0); /* cut to the buffer, terminated */
  EXPECT(chatsieve_word_count(filter) == 2);
  EXPECT(strcmp(chatsieve_strerror(CHATSIEVE_E_SPACE), "the output array or buffer is too small") ==
         0);
  chatsieve_filter_free(NULL);
}

int main(void) {
  const char list[] = "\xEC\x8B\x9C\xEB\xB0\x9C\nab\n"; /* 시발, ab */
  chatsieve_filter* filter = chatsieve_filter_new(CHATSIEVE_SEPARATORS);
  EXPECT(filter != NULL);
  EXPECT(chatsieve_filter_load_text(filter, list, strlen(list), 0, NULL, 0) == CHATSIEVE_OK);
  screens_utf8(filter);
  screens_utf16(filter);
  refuses_bad_arguments(filter);
  chatsieve_filter_free(filter);
  return failures == 0 ? 0 : 1;
}
