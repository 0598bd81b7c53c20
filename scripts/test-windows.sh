#!/usr/bin/env bash
# Cross-compiles chatsieve.dll with MinGW-w64 and runs every test under wine: the
# 64-bit DLL by default, the 32-bit one with "x86", both with "all". "x64-and-x86-build"
# tests the 64-bit DLL and only builds the 32-bit DLL and tool, for machines whose kernel
# runs no 32-bit programs (it needs no 32-bit wine).
# Usage: scripts/test-windows.sh [x64|x86|all|x64-and-x86-build]
set -euo pipefail
cd "$(dirname "$0")/.."

only_built=()
case "${1:-x64}" in
  x64) presets=(windows-x64) ;;
  x86) presets=(windows-x86) ;;
  all) presets=(windows-x64 windows-x86) ;;
  x64-and-x86-build) presets=(windows-x64) only_built=(windows-x86) ;;
  *) echo "usage: $0 [x64|x86|all|x64-and-x86-build]" >&2; exit 2 ;;
esac

packages=(cmake ninja-build googletest wine wine64)
[ ${#only_built[@]} -eq 0 ] || packages+=(g++-mingw-w64-i686-posix)
for preset in "${presets[@]}"; do
  case "$preset" in
    windows-x64) packages+=(g++-mingw-w64-x86-64-posix) ;;
    windows-x86)
      # 32-bit programs run under wine's i386 build.
      if ! dpkg --print-foreign-architectures | grep -qx i386; then
        if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
      fi
      packages+=(g++-mingw-w64-i686-posix wine32:i386)
      ;;
  esac
done
scripts/install-deps.sh "${packages[@]}"

# A prefix of its own, no display, no offer to install Mono or Gecko.
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
stop_wine() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap stop_wine EXIT
# Started first with stdio on /dev/null: wine's background processes then hold no pipe
# of ctest's or of the build's, which would otherwise wait for them to end.
wineserver -p </dev/null >/dev/null 2>&1
# Debian's wine command prefers the 32-bit loader once wine32 is installed; the prefix is
# made by the 64-bit one, which a 64-bit kernel always runs.
wine64_loader=/usr/lib/wine/wine64
if [ -x "$wine64_loader" ]; then
  WINELOADER=$wine64_loader "$wine64_loader" cmd /c exit </dev/null >/dev/null 2>&1
else
  wine cmd /c exit </dev/null >/dev/null 2>&1
fi

jobs=$(nproc)
# The DLL and the tool only: the full build runs the tool under wine to compile the sample lists.
for preset in "${only_built[@]}"; do
  echo "== chatsieve: cross build ($preset, the DLL and the tool) =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" --target chatsieve chatsieve_tool
done
for preset in "${presets[@]}"; do
  echo "== chatsieve: cross build and test under wine ($preset) =="
  cmake --preset "$preset" >/dev/null
  # A kernel built without 32-bit support cannot start wine's 32-bit loader, and the full
  # build runs the tool to compile the sample lists: only the DLL and the tool are built.
  if [ "$preset" = windows-x86 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    cmake --build --preset "$preset" -j "$jobs" --target chatsieve chatsieve_tool
    echo "chatsieve: this machine's kernel runs no 32-bit programs; the 32-bit DLL and tool were built, no test ran" >&2
    continue
  fi
  cmake --build --preset "$preset" -j "$jobs"
  # Wine now and then crashes a program as it exits, after its tests have passed: a
  # test that fails is run once more, and fails only if it fails again.
  ctest --preset "$preset" -j "$jobs" --repeat until-pass:2
done
