/* Lines a second of the filter's C calls on a chat file, one thread, in CPU time (the
 * machine may be shared): the figures the bindings' benchmarks are set against.
 * Usage: filter_speed WORDS CHAT */
#include <chatsieve/filter.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

typedef struct {
  char* utf8;
  size_t utf8_length;
  uint16_t* utf16;
  size_t utf16_length;
} Line;

static double Now(void) {
  struct timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

/* Valid UTF-8 in, UTF-16 out; the chat file is valid UTF-8. */
static size_t ToUtf16(const unsigned char* in, size_t length, uint16_t* out) {
  size_t units = 0;
  for (size_t k = 0; k < length;) {
    uint32_t c = in[k];
    const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra > 0) c &= 0x3F >> extra;
    for (int e = 1; e <= extra; ++e)
      c = (c << 6) | (in[k + e] & 0x3F);
    k += 1 + extra;
    if (c >= 0x10000) {
      out[units++] = (uint16_t)(0xD800 + ((c - 0x10000) >> 10));
      out[units++] = (uint16_t)(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out[units++] = (uint16_t)c;
    }
  }
  return units;
}

static Line* ReadLines(const char* path, size_t* count) {
  FILE* file = fopen(path, "rb");
  if (file == NULL) {
    perror(path);
    exit(2);
  }
  Line* lines = NULL;
  size_t capacity = 0;
  char* text = NULL;
  size_t text_capacity = 0;
  ssize_t length;
  *count = 0;
  while ((length = getline(&text, &text_capacity, file)) >= 0) {
    if (length > 0 && text[length - 1] == '\n') --length;
    if (*count == capacity)
      lines = realloc(lines, (capacity = capacity * 2 + 1024) * sizeof *lines);
    Line* line = &lines[(*count)++];
    line->utf8 = malloc((size_t)length + 1);
    memcpy(line->utf8, text, (size_t)length);
    line->utf8_length = (size_t)length;
    line->utf16 = malloc(((size_t)length + 1) * sizeof(uint16_t));
    line->utf16_length = ToUtf16((const unsigned char*)text, (size_t)length, line->utf16);
  }
  free(text);
  fclose(file);
  return lines;
}

enum Job { kCheck8, kMask8, kCheck16, kMask16 };
static const char* const kJobNames[] = {"check (UTF-8)", "mask (UTF-8)", "check16 (UTF-16)",
                                        "mask16 (UTF-16)"};

static size_t RunOnce(const chatsieve_filter* filter, const Line* lines, size_t count,
                      enum Job job) {
  static char out8[1 << 16];
  static uint16_t out16[1 << 16];
  size_t found = 0, length;
  for (size_t k = 0; k < count; ++k) {
    const Line* line = &lines[k];
    int result = 0;
    switch (job) {
      case kCheck8:
        result = chatsieve_check(filter, line->utf8, line->utf8_length);
        break;
      case kMask8:
        result =
            chatsieve_mask(filter, line->utf8, line->utf8_length, '*', out8, sizeof out8, &length);
        break;
      case kCheck16:
        result = chatsieve_check16(filter, line->utf16, line->utf16_length);
        break;
      case kMask16:
        result = chatsieve_mask16(filter, line->utf16, line->utf16_length, '*', out16,
                                  sizeof out16 / sizeof *out16, &length);
        break;
    }
    found += result == CHATSIEVE_FOUND;
  }
  return found;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: %s WORDS CHAT\n", argv[0]);
    return 2;
  }
  chatsieve_filter* filter = chatsieve_filter_new(0);
  char message[512];
  if (chatsieve_filter_load(filter, argv[1], 0, message, sizeof message) < 0) {
    fprintf(stderr, "%s\n", message);
    return 2;
  }
  size_t count;
  const Line* lines = ReadLines(argv[2], &count);
  for (int job = kCheck8; job <= kMask16; ++job) {
    size_t rounds = 0, found = 0;
    const double start = Now();
    double elapsed;
    do {
      found = RunOnce(filter, lines, count, (enum Job)job);
      ++rounds;
    } while ((elapsed = Now() - start) < 1.0);
    printf("C %-17s %10.0f lines/s  (%zu of %zu lines listed)\n", kJobNames[job],
           (double)(rounds * count) / elapsed, found, count);
  }
  chatsieve_filter_free(filter);
  return 0;
}
