# Cross-compiles for Windows with Debian's MinGW-w64 (posix thread model). The target
# is chosen by CHATSIEVE_WINDOWS_ARCH, x86_64 (the default) or i686, which the presets
# set. Test programs run under wine.
set(CHATSIEVE_WINDOWS_ARCH x86_64 CACHE STRING "Windows target: x86_64 or i686")
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CHATSIEVE_WINDOWS_ARCH)
if(NOT CHATSIEVE_WINDOWS_ARCH MATCHES "^(x86_64|i686)$")
  message(FATAL_ERROR "CHATSIEVE_WINDOWS_ARCH must be x86_64 or i686, not '${CHATSIEVE_WINDOWS_ARCH}'")
endif()
set(triplet ${CHATSIEVE_WINDOWS_ARCH}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${CHATSIEVE_WINDOWS_ARCH})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread go into each binary, so the DLL needs nothing beside
# it but the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Debian's wine command starts the 32-bit loader whenever wine32 is installed, and some
# kernels run no 32-bit programs at all: 64-bit tests start the 64-bit loader themselves.
if(CHATSIEVE_WINDOWS_ARCH STREQUAL "x86_64")
  find_program(CHATSIEVE_WINE64_LOADER wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
endif()
find_program(CHATSIEVE_WINE wine)
if(CHATSIEVE_WINE64_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINELOADER=${CHATSIEVE_WINE64_LOADER} ${CHATSIEVE_WINE64_LOADER})
elseif(CHATSIEVE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CHATSIEVE_WINE})
endif()
