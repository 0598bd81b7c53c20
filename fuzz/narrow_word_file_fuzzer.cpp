// Arbitrary bytes as a narrow word-list file, loaded with and without space collapse.
#include "fuzz_input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static chatsieve::fuzz::FuzzInputFile file;
  file.Hold(data, size);
  for (const int32_t collapse : {0, 1}) {
    chatsieve::LegacyWordList filter;
    filter.LoadWordFile(file.Path().c_str(), collapse);
    chatsieve::fuzz::TouchEveryWord(filter);
  }
  return 0;
}
