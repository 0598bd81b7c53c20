/* chatsieve: the version of the library itself, as opposed to the headers a host was
 * built with. */
#ifndef CHATSIEVE_VERSION_H
#define CHATSIEVE_VERSION_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define CHATSIEVE_VERSION_API __attribute__((visibility("default")))
#else
#define CHATSIEVE_VERSION_API
#endif

/* Returns the version of the loaded library, such as "0.1.0" (major.minor.patch): a
 * zero-terminated ASCII text that lives as long as the library. */
CHATSIEVE_VERSION_API const char* chatsieve_version(void);

#ifdef __cplusplus
}
#endif

#endif /* CHATSIEVE_VERSION_H */
