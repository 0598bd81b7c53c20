/* chatsieve: the library's own version. */
#ifndef CHATSIEVE_VERSION_H
#define CHATSIEVE_VERSION_H

#ifdef __cplusplus
extern "C" {
#endif

/* The library's version, "MAJOR.MINOR.PATCH", as built. */
#if defined(__GNUC__)
__attribute__((visibility("default")))
#endif
const char *chatsieve_version(void);

#ifdef __cplusplus
}
#endif

#endif /* CHATSIEVE_VERSION_H */
