/* A C host that finds chatsieve through pkg-config:
 *
 *   cc $(pkg-config --cflags chatsieve) screen_line.c $(pkg-config --libs chatsieve)
 *
 * It loads the wide sample list installed beside the library and tells whether a chat
 * line holds a listed word: exit status 0 when it does, 1 when it does not, 2 when the
 * list cannot be loaded. */
#include <chatsieve/chatsieve.h>
#include <chatsieve/version.h>
#include <stddef.h>
#include <stdio.h>

int main(void) {
  /* UTF-16 text; the punctuation inside the word is seen through at level 2. */
  static const chatsieve_char16 line[] = u"야 이 병.신아";

  if (!InitBadChatManW(NULL)) {
    fputs("cannot load filterW.bcd beside the library\n", stderr);
    return 2;
  }
  const int listed = IsBadW(line);
  printf("libchatsieve %s: %s\n", chatsieve_version(), listed ? "listed" : "clean");
  return listed ? 0 : 1;
}
