#include "chatsieve/version.h"

extern "C" const char* chatsieve_version(void) {
  return CHATSIEVE_LIBRARY_VERSION;
}
