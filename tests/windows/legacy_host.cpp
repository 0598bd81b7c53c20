// Does what a legacy Windows host does: loads chatsieve.dll by name, finds the seven
// exports by their undecorated names, loads the sample lists from beside the DLL and
// screens and masks Korean chat lines in code page 949 and UTF-16 from two threads.
// Usage: legacy_host [DLL name]
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

namespace {

struct Exports {
  int32_t (*set_level)(int32_t);
  int32_t (*init)(const char*);
  int32_t (*init_wide)(const wchar_t*);
  int32_t (*is_bad)(const char*);
  int32_t (*is_bad_wide)(const wchar_t*);
  int32_t (*mask)(const char*, char*, int32_t, char);
  int32_t (*mask_wide)(const wchar_t*, wchar_t*, uint32_t, wchar_t);
};

template <typename Function>
bool Find(HMODULE dll, const char* name, Function*& function) {
  function = reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  if (function == nullptr) std::printf("FAILED: no export %s\n", name);
  return function != nullptr;
}

bool FindAll(HMODULE dll, Exports& e) {
  bool found = Find(dll, "SetLevel", e.set_level);
  found = Find(dll, "InitBadChatMan", e.init) && found;
  found = Find(dll, "InitBadChatManW", e.init_wide) && found;
  found = Find(dll, "IsBad", e.is_bad) && found;
  found = Find(dll, "IsBadW", e.is_bad_wide) && found;
  found = Find(dll, "IsBadToRep", e.mask) && found;
  return Find(dll, "IsBadToRepW", e.mask_wide) && found;
}

// A chat line, what the sample list finds in it at level 2 and how it comes out masked.
struct Line {
  const wchar_t* text;
  int32_t listed;
  const wchar_t* masked;
};

constexpr Line kLines[] = {
    {L"안녕하세요! 오늘 레이드 같이 가실 분?", 0, L"안녕하세요! 오늘 레이드 같이 가실 분?"},
    {L"야 이 병신아 왜 또 죽냐", 1, L"야 이 **아 왜 또 죽냐"},
    {L"병.신같이 플레이하네", 1, L"*.*같이 플레이하네"},
    {L"씨발 렉 걸렸어", 1, L"** 렉 걸렸어"},
    {L"stfu you noob", 1, L"**** you noob"},
};

std::string Cp949(const wchar_t* text) {
  char bytes[256];
  const int size = WideCharToMultiByte(949, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  return size > 0 ? std::string(bytes) : std::string();
}

std::atomic<int> passed{0};
std::atomic<int> failed{0};

void Expect(bool holds, const char* what, int line) {
  if (holds) {
    ++passed;
  } else {
    ++failed;
    std::printf("FAILED: %s, line %d\n", what, line);
  }
}

void ScreenNarrow(const Exports& e, int rounds) {
  for (int round = 0; round < rounds; ++round) {
    for (int i = 0; i < static_cast<int>(std::size(kLines)); ++i) {
      const std::string text = Cp949(kLines[i].text);
      char masked[256];
      Expect(e.is_bad(text.c_str()) == kLines[i].listed, "IsBad", i);
      Expect(e.mask(text.c_str(), masked, sizeof masked, '*') == kLines[i].listed, "IsBadToRep", i);
      Expect(masked == Cp949(kLines[i].masked), "IsBadToRep text", i);
    }
  }
}

void ScreenWide(const Exports& e, int rounds) {
  for (int round = 0; round < rounds; ++round) {
    for (int i = 0; i < static_cast<int>(std::size(kLines)); ++i) {
      wchar_t masked[256];
      Expect(e.is_bad_wide(kLines[i].text) == kLines[i].listed, "IsBadW", i);
      Expect(e.mask_wide(kLines[i].text, masked, 256, L'*') == kLines[i].listed, "IsBadToRepW", i);
      Expect(std::wstring(masked) == kLines[i].masked, "IsBadToRepW text", i);
    }
  }
}

// Screening from two threads at once, as a server's workers do.
void ScreenFromTwoThreads(const Exports& e) {
  constexpr int kRounds = 200;
  std::thread narrow(ScreenNarrow, std::cref(e), kRounds);
  std::thread wide(ScreenWide, std::cref(e), kRounds);
  narrow.join();
  wide.join();
}

}  // namespace

int main(int argc, char** argv) {
  const char* name = argc > 1 ? argv[1] : "chatsieve.dll";
  const HMODULE dll = LoadLibraryA(name);
  if (dll == nullptr) {
    std::printf("FAILED: cannot load %s\n", name);
    return 1;
  }
  Exports e{};
  if (!FindAll(dll, e)) return 1;
  Expect(e.set_level(2) == 2, "SetLevel", 0);
  Expect(e.init(nullptr) == 1, "InitBadChatMan(NULL) loads filter.bcd beside the DLL", 0);
  ScreenFromTwoThreads(e);
  Expect(e.init_wide(nullptr) == 1, "InitBadChatManW(NULL) loads filterW.bcd beside the DLL", 0);
  ScreenFromTwoThreads(e);
  FreeLibrary(dll);
  std::printf("%d passed, %d failed\n", passed.load(), failed.load());
  return failed.load() == 0 ? 0 : 1;
}
