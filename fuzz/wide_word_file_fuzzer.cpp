// Arbitrary bytes as a wide word-list file.
#include "fuzz_input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static chatsieve::fuzz::FuzzInputFile file;
  static const std::u16string path(file.Path().begin(), file.Path().end());
  file.Hold(data, size);
  chatsieve::LegacyWordList filter;
  filter.LoadWordFileW(path.c_str(), 1);
  chatsieve::fuzz::TouchEveryWord(filter);
  return 0;
}
