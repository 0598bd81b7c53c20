// Loads the narrow sample list installed beside the library and prints a chat line with
// its listed words masked: exit status 0 when a word was masked, 1 when none was, 2 when
// the list cannot be loaded.
#include <chatsieve/chatsieve.h>
#include <chatsieve/version.h>

#include <array>
#include <cstdio>

int main() {
  // Narrow text is code page 949, of which ASCII is a part.
  constexpr char line[] = "gg, you s.h.i.t";

  if (InitBadChatMan(nullptr) == 0) {
    std::fputs("cannot load filter.bcd beside the library\n", stderr);
    return 2;
  }
  std::array<char, sizeof line> masked{};
  const int32_t found = IsBadToRep(line, masked.data(), static_cast<int32_t>(masked.size()), '*');
  std::printf("libchatsieve %s: %s\n", chatsieve_version(), masked.data());
  return found != 0 ? 0 : 1;
}
